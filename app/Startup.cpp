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

int RunApplication(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TELVANE"));
    forms::SetApplicationTitle(QStringLiteral("TELVANE"));
    try {
        CreateAllForms();
        MainForm->show();
        app.exec();
    } catch (const forms::Exception &e) {
        forms::ShowException(e);
    }
    DestroyAllForms();
    return 0;
}
