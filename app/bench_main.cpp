// telvane-bench: runs the benchmark command of the window program without a
// screen.  The command path is the very same (menu item "計測開始" of the main
// window, on Qt's offscreen platform); the confirmation is answered Yes and
// the report is printed instead of shown.
#include "Benchmark.h"
#include "Panel1.h"
#include "Report.h"

#include "Gmc1.h"
#include "Startup.h"
#include "forms.h"

#include <QAction>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Options {
    int runs = 1;
    int warmup = 0;
    bool json = false;
    bool verify = false;
    bool window = false;
};

void usage(FILE *out)
{
    std::fputs("Usage: telvane-bench [--warmup K] [--runs N] [--json] [--verify] [--window]\n"
               "  --warmup K first run the benchmark K times without reporting it\n"
               "             (default 0): a process's first run finds cold caches\n"
               "  --runs N   run the benchmark N times in one process (default 1) and\n"
               "             print the median, minimum and maximum of each time and\n"
               "             the spread (maximum - minimum) / median of the total\n"
               "  --json     print one JSON object instead of the text report\n"
               "  --verify   take the checksum of the convolved composite in each run\n"
               "  --window   run in a window on the display and show the result window\n",
               out);
}

// A whole number from low to 10000 after an option, or false with a message.
bool count(const char *option, const char *text, long low, int &out)
{
    char *end = nullptr;
    errno = 0;
    const long n = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || n < low || n > 10000) {
        std::fprintf(stderr, "telvane-bench: %s takes a whole number from %ld to 10000, not '%s'\n", option, low,
                     text);
        return false;
    }
    out = static_cast<int>(n);
    return true;
}

bool parse(int argc, char **argv, Options &o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc) {
            if (!count("--runs", argv[++i], 1, o.runs))
                return false;
        } else if (a == "--warmup" && i + 1 < argc) {
            if (!count("--warmup", argv[++i], 0, o.warmup))
                return false;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--verify") {
            o.verify = true;
        } else if (a == "--window") {
            o.window = true;
        } else if (a == "--help" || a == "-h") {
            usage(stdout);
            std::exit(0);
        } else {
            std::fprintf(stderr, "telvane-bench: unknown argument '%s'\n", argv[i]);
            usage(stderr);
            return false;
        }
    }
    return true;
}

// Answers the confirmation Yes, keeps the report instead of showing it, and
// turns an error box into a message on standard error.
class RunnerSeam : public forms::Seam {
public:
    QStringList report;
    QString error;

    int MessageDlg(const QString &, const QString &, forms::Buttons) override { return forms::mrYes; }
    void ShowMessage(const QString &text) override { std::printf("%s\n", qPrintable(text)); }
    int ShowModal(QDialog *form) override
    {
        if (form == panel)
            report = bench::ReportLines(*panel);
        return forms::mrOk;
    }
    void ShowException(const QString &, const QString &text) override { error = text; }
};

struct RunRecord {
    bench::RunResult result;
    QStringList report;
    int score = 0;
    QString date, os;
    qint64 available = 0, installed = 0;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Series {
    const char *key;
    QString heading;
    double (*get)(const RunRecord &);
};

const Series kSeries[] = {
    {"memory_allocation", QStringLiteral("メモリ確保"), [](const RunRecord &r) { return r.result.seconds.memoryAllocation; }},
    {"file_access", QStringLiteral("ファイルアクセス"), [](const RunRecord &r) { return r.result.seconds.fileAccess; }},
    {"image_display", QStringLiteral("画像表示"), [](const RunRecord &r) { return r.result.seconds.imageDisplay; }},
    {"composite", QStringLiteral("コンポジット"), [](const RunRecord &r) { return r.result.seconds.composite; }},
    {"convolution", QStringLiteral("コンボリューション"), [](const RunRecord &r) { return r.result.seconds.convolution; }},
    {"total", QStringLiteral("トータル所要時間"), [](const RunRecord &r) { return r.result.seconds.total; }},
};

// A time as the report writes it (the general real form), as a JSON number.
double asShown(double seconds)
{
    return forms::FloatToStr(seconds).toDouble();
}

QJsonObject timesObject(const bench::StageTimes &t)
{
    return {{"memory_allocation", asShown(t.memoryAllocation)}, {"file_access", asShown(t.fileAccess)},
            {"image_display", asShown(t.imageDisplay)},         {"composite", asShown(t.composite)},
            {"convolution", asShown(t.convolution)},            {"total", asShown(t.total)}};
}

int runHeadless(const Options &o)
{
    RunnerSeam seam;
    forms::setSeam(&seam);
    bench::SetVerify(o.verify);
    MainForm->show();

    std::vector<RunRecord> runs;
    for (int i = 0; i < o.warmup + o.runs; ++i) {
        seam.report.clear();
        seam.error.clear();
        MainForm->N10->trigger(); // the menu command, as a click would run it
        if (!seam.error.isEmpty()) {
            std::fprintf(stderr, "telvane-bench: %s\n", qPrintable(seam.error));
            forms::setSeam(nullptr);
            return 1;
        }
        if (seam.report.isEmpty()) {
            std::fprintf(stderr, "telvane-bench: the benchmark produced no report\n");
            forms::setSeam(nullptr);
            return 1;
        }
        if (i < o.warmup)
            continue; // a warm-up run: not reported
        RunRecord r;
        r.result = bench::LastRun();
        r.report = seam.report;
        r.score = panel->Label11->text().toInt();
        r.date = panel->Label17->text();
        r.os = panel->Label23->text();
        r.available = panel->Label25->text().toLongLong();
        r.installed = panel->Label27->text().toLongLong();
        if (!o.json) {
            if (o.runs > 1)
                std::printf("-- run %d of %d --\n", i - o.warmup + 1, o.runs);
            for (const QString &line : std::as_const(r.report))
                std::printf("%s\n", qPrintable(line));
            if (r.result.hasChecksum)
                std::printf("checksum %llu\n", static_cast<unsigned long long>(r.result.checksum));
            std::fflush(stdout);
        }
        runs.push_back(r);
    }
    forms::setSeam(nullptr);

    auto stats = [&](double (*get)(const RunRecord &)) {
        std::vector<double> v;
        for (const RunRecord &r : runs)
            v.push_back(get(r));
        return std::array<double, 3>{median(v), *std::min_element(v.begin(), v.end()),
                                     *std::max_element(v.begin(), v.end())};
    };
    auto scoreOf = [](const RunRecord &r) { return double(r.score); };
    // (maximum - minimum) / median of the total: how far the runs lie apart.
    const auto totals = stats(kSeries[5].get);
    const double spread = totals[0] > 0 ? (totals[2] - totals[1]) / totals[0] : 0.0;

    if (!o.json) {
        if (o.runs > 1) {
            std::printf("-- summary of %d runs: median / minimum / maximum --\n", o.runs);
            for (const Series &s : kSeries) {
                const auto m = stats(s.get);
                std::printf("%s %s / %s / %s 秒", qPrintable(s.heading), qPrintable(forms::FloatToStr(m[0])),
                            qPrintable(forms::FloatToStr(m[1])), qPrintable(forms::FloatToStr(m[2])));
                if (&s == &kSeries[5])
                    std::printf(" (spread %.1f %%)", spread * 100);
                std::printf("\n");
            }
            const auto m = stats(scoreOf);
            std::printf("総合処理能力 %s / %s / %s ポイント\n", qPrintable(forms::FloatToStr(m[0])),
                        qPrintable(forms::FloatToStr(m[1])), qPrintable(forms::FloatToStr(m[2])));
        }
        return 0;
    }

    const forms::OsVersion os = forms::GetOsVersion();
    QJsonArray runArray;
    for (const RunRecord &r : runs) {
        QJsonArray frames;
        for (const bench::FrameResult &f : r.result.frames)
            frames.append(QJsonObject{{"name", f.name}, {"mean", f.mean}, {"minimum", f.minimum}});
        QJsonObject run{{"times_s", timesObject(r.result.seconds)}, {"score", r.score}, {"frames", frames}};
        if (r.result.hasChecksum)
            run.insert("checksum", static_cast<qint64>(r.result.checksum));
        runArray.append(run);
    }
    QJsonObject summary;
    for (const char *which : {"median", "min", "max"}) {
        const int k = std::strcmp(which, "median") == 0 ? 0 : std::strcmp(which, "min") == 0 ? 1 : 2;
        QJsonObject times;
        for (const Series &s : kSeries)
            times.insert(s.key, asShown(stats(s.get)[k]));
        summary.insert(which, QJsonObject{{"times_s", times}, {"score", stats(scoreOf)[k]}});
    }
    summary.insert("total_spread", spread);
    const RunRecord &first = runs.front();
    QJsonObject doc{
        {"program", "TELVANE"},
        {"version", "1.0"},
        {"date", first.date},
        {"os", first.os},
        {"os_detail", QStringLiteral("%1 %2").arg(os.name, os.release).trimmed()},
        {"cpu", forms::CpuModelName()},
        {"logical_cpus", forms::LogicalCpuCount()},
        {"memory_mb", QJsonObject{{"available", first.available}, {"installed", first.installed}}},
        {"warmup_runs", o.warmup},
        {"runs", runArray},
        {"summary", summary},
    };
    std::printf("%s", QJsonDocument(doc).toJson(QJsonDocument::Indented).constData());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    Options o;
    if (!parse(argc, argv, o))
        return 2;
    if (!o.window) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QuietPlatformNotes();
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TELVANE"));
    CreateAllForms();
    if (o.window) {
        MainForm->show();
        QTimer::singleShot(0, MainForm, [] { MainForm->N10->trigger(); });
        return app.exec();
    }
    return runHeadless(o);
}
