#include "FileDialog.h"

#include "Seam.h"

namespace forms {

TFileDialog::TFileDialog(Kind kind, QObject *parent)
    : QObject(parent)
    , kind_(kind)
{
}

QStringList TFileDialog::NameFilters() const
{
    return NameFilters(Filter);
}

QStringList TFileDialog::NameFilters(const QString &filter)
{
    QStringList out;
    if (filter.isEmpty())
        return out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype k = 0; k < parts.size(); k += 2) {
        const QString pattern = k + 1 < parts.size() ? parts[k + 1] : QString();
        QString patterns = pattern;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << QStringLiteral("%1 (%2)").arg(parts[k], patterns.trimmed());
    }
    return out;
}

bool TFileDialog::Execute()
{
    FileDialogRequest r;
    r.kind = kind_ == Save ? FileDialogRequest::Save : FileDialogRequest::Open;
    r.title = Title;
    r.nameFilters = NameFilters();
    r.filterIndex = FilterIndex;
    r.fileName = FileName;
    if (!seam().ExecuteFileDialog(r))
        return false;
    FileName = r.fileName;
    FilterIndex = r.filterIndex;
    return true;
}

} // namespace forms
