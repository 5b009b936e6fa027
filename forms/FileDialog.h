// The open and save dialogs of the form library: title, stored filter,
// filter index and the chosen file name.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace forms {

class TFileDialog : public QObject {
    Q_OBJECT
public:
    enum Kind { Open, Save };
    TFileDialog(Kind kind, QObject *parent = nullptr);

    Kind kind() const { return kind_; }
    QString Title;
    // Stored as "description|pattern|description|pattern...", patterns
    // separated by ';'.
    QString Filter;
    // 1-based index of the selected filter.
    int FilterIndex = 1;
    QString FileName;

    // The stored filter as Qt name filters: "description (patterns)" with
    // the ';' between patterns turned into blanks.
    QStringList NameFilters() const;
    static QStringList NameFilters(const QString &filter);

    // Runs the dialog through the seam; true when a file was chosen, with
    // FileName and FilterIndex updated.
    bool Execute();

private:
    Kind kind_;
};

} // namespace forms
