#include "Report.h"

#include "Panel1.h"
#include "forms.h"

#include <QLabel>

#include <cmath>

namespace bench {

QString OsText(int platformId, int major, int minor)
{
    const double v = major + minor * 0.01;
    switch (platformId) {
    case 2:
        if (v <= 4.0)
            return QStringLiteral("Windows NT");
        if (v < 5.01)
            return QStringLiteral("Windows 2000");
        return QStringLiteral("Windows XP");
    case 1:
        if (v <= 4.0)
            return QStringLiteral("Windows 95");
        if (v < 4.9)
            return QStringLiteral("Windows 98");
        return QStringLiteral("Windows Me");
    case 0:
        return QStringLiteral("Windows3.1上のWin32s");
    default:
        return QStringLiteral("OS不明");
    }
}

int64_t MegaBytes(uint64_t bytes)
{
    return static_cast<int64_t>(static_cast<double>(bytes) * 0.000001);
}

int Score(double totalSeconds)
{
    const double score = forms::Divide(1000.0, totalSeconds);
    return static_cast<int>(score);
}

Machine QueryMachine()
{
    Machine m;
    const forms::OsVersion os = forms::GetOsVersion();
    m.platformId = os.platformId;
    m.major = os.major;
    m.minor = os.minor;
    const forms::MemoryStatus mem = forms::GlobalMemoryStatus();
    m.totalPhys = mem.totalPhys;
    m.availPhys = mem.availPhys;
    m.now = forms::Now();
    return m;
}

void FillReport(Tpanel &panel, const StageTimes &times, const Machine &machine)
{
    const QString os = OsText(machine.platformId, machine.major, machine.minor);
    panel.Label17->setText(forms::DateTimeToStr(machine.now));
    panel.Label11->setText(forms::IntToStr(Score(times.total)));
    panel.Label19->setText(forms::FloatToStr(times.total));
    panel.Label8->setText(forms::FloatToStr(times.memoryAllocation));
    panel.Label7->setText(forms::FloatToStr(times.fileAccess));
    panel.Label9->setText(forms::FloatToStr(times.composite));
    panel.Label10->setText(forms::FloatToStr(times.convolution));
    panel.Label30->setText(forms::FloatToStr(times.imageDisplay));
    panel.Label23->setText(os);
    panel.Label25->setText(QString::number(MegaBytes(machine.availPhys)));
    panel.Label27->setText(QString::number(MegaBytes(machine.totalPhys)));
    for (QLabel *l : panel.Panel1->findChildren<QLabel *>())
        l->adjustSize();
    panel.ArrangeMemoryFigures();
}

QStringList ReportLines(const Tpanel &p)
{
    auto line = [](std::initializer_list<const QLabel *> labels) {
        QStringList parts;
        for (const QLabel *l : labels)
            parts << l->text();
        return parts.join(QLatin1Char(' '));
    };
    return {
        p.Label1->text(),
        line({p.Label21, p.Label17}),
        line({p.Label22, p.Label23}),
        p.Label24->text() + QLatin1Char(' ') + p.Label25->text() + p.Label28->text() + p.Label27->text() +
            QLatin1Char(' ') + p.Label26->text(),
        line({p.Label6, p.Label7, p.Label12}),
        line({p.Label29, p.Label30, p.Label31}),
        line({p.Label3, p.Label8, p.Label13}),
        line({p.Label4, p.Label9, p.Label14}),
        line({p.Label5, p.Label10, p.Label15}),
        line({p.Label18, p.Label19, p.Label20}),
        line({p.Label2, p.Label11, p.Label16}),
    };
}

} // namespace bench
