#include "Startup.h"

#include "About.h"
#include "Benchmark.h"
#include "Blur1.h"
#include "Comacorrect1.h"
#include "Edge1.h"
#include "Gamma1.h"
#include "Gmc1.h"
#include "Gmcpanel1.h"
#include "Panel1.h"
#include "Sabachie1.h"
#include "Title1.h"
#include "forms.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

QStringList order;

template <class W>
W *make(W *&global)
{
    global = new W(nullptr);
    global->setVisible(false);
    order << global->objectName();
    return global;
}

// The commands of the other layers are bound to the main window here, once
// every window exists.
void BindCommands(TMainForm &main)
{
    bench::InstallBenchmark(main);
}

} // namespace

void CreateAllForms()
{
    DestroyAllForms();
    MainForm = new TMainForm(nullptr);
    order << MainForm->objectName();
    make(AboutBox);
    make(GMCPanel);
    make(GMM);
    make(EDG);
    make(BLUR);
    make(ComaCorrect);
    make(Title);
    make(Sabachie);
    make(panel);
    BindCommands(*MainForm);
}

QStringList CreationOrder()
{
    return order;
}

void DestroyAllForms()
{
    order.clear();
    delete panel;
    panel = nullptr;
    delete Sabachie;
    Sabachie = nullptr;
    delete Title;
    Title = nullptr;
    delete ComaCorrect;
    ComaCorrect = nullptr;
    delete BLUR;
    BLUR = nullptr;
    delete EDG;
    EDG = nullptr;
    delete GMM;
    GMM = nullptr;
    delete GMCPanel;
    GMCPanel = nullptr;
    delete AboutBox;
    AboutBox = nullptr;
    delete MainForm;
    MainForm = nullptr;
}

namespace {

void usage(FILE *out)
{
    std::fputs("Usage: telvane [--viewer [FILE...]]\n"
               "  (no argument)      the benchmark program as shipped: 計測開始, the version, Exit\n"
               "  --viewer [FILE...] also the image viewer and toolkit: File > Open and Save, the\n"
               "                     image-edit and image-processing menus and every toolbar\n"
               "                     control; opens each FILE as the open button would, the\n"
               "                     reader chosen by its extension (.bmp; .fit, .fts, .fits;\n"
               "                     .ppm; any case)\n"
               "  --help             this text\n",
               out);
}

void quietNotes(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.startsWith(QLatin1String("This plugin does not support")) ||
        text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

} // namespace

void StartViewer(const QStringList &files)
{
    MainForm->ShowViewer();
    MainForm->show();
    for (const QString &f : files)
        forms::Guarded([&] { MainForm->OpenFile(f); });
}

void QuietPlatformNotes()
{
    qInstallMessageHandler(quietNotes);
}

int RunApplication(int argc, char **argv)
{
    bool viewer = false;
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        if (viewer) {
            files << QString::fromLocal8Bit(argv[i]);
        } else if (std::strcmp(argv[i], "--viewer") == 0) {
            viewer = true;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            usage(stdout);
            return 0;
        } else {
            std::fprintf(stderr, "telvane: unknown argument '%s'\n", argv[i]);
            usage(stderr);
            return 2;
        }
    }
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("TELVANE"));
    forms::SetApplicationTitle(QStringLiteral("TELVANE"));
    try {
        CreateAllForms();
        MainForm->show();
        if (viewer)
            StartViewer(files);
        app.exec();
    } catch (const std::exception &e) {
        forms::ShowException(e);
    }
    DestroyAllForms();
    return 0;
}
