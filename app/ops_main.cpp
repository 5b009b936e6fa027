// telvane-ops: runs commands of the viewer and toolkit without a screen, in
// one process on Qt's offscreen platform, through the same handlers as the
// window program.  File dialogs are answered with the given paths, parameter
// dialogs with the given values (typed into their fields, then OK), and what
// the commands write to the toolbar is printed.
#include "Blur1.h"
#include "Child1.h"
#include "Comacorrect1.h"
#include "Edge1.h"
#include "Gamma1.h"
#include "Gmc1.h"
#include "Gmcpanel1.h"
#include "Sabachie1.h"
#include "Startup.h"
#include "forms.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "Usage: telvane-ops WORD [ARGS] [WORD [ARGS]...]\n"
    "Runs the words in order on the image windows of one offscreen session.\n"
    "  open PATH            the open button (reader by extension: .bmp; .fit .fts .fits; .ppm)\n"
    "  load PATH            File > Open (a plain picture loader)\n"
    "  save PATH            File > Save of the active window (always a Windows bitmap)\n"
    "  select N             activate the N-th image window (1-based, creation order)\n"
    "  info                 the active window's fields and the toolbar, one per line\n"
    "  move X Y             mouse move over the picture at control position X, Y\n"
    "  click X Y [left|right|middle]   mouse press there (star measurement)\n"
    "  zoom-in zoom-out level-up level-down max-up max-down min-up min-down\n"
    "  negative mirror flip rgb-split solarize\n"
    "  gamma G  sabattier S  edge S  blur S   (the value typed into the dialog, then OK)\n"
    "  guide-miss DIR FLOW BLUR THRESH        (the canceller dialog's four fields, OK)\n"
    "  coma X Y AMOUNT\n"
    "Prints what each word writes to the toolbar (NAME=text).  Exit status: 0;\n"
    "1 when an error box was shown (its text on standard error, later words not\n"
    "run); 2 when a dialog or command refused a value with a message box, or for\n"
    "a word it does not know or missing arguments.\n";

// Answers the modal requests of one word.
class OpsSeam : public forms::Seam {
public:
    QString nextFile;                       // the path a file dialog returns
    std::map<QDialog *, QStringList> typed; // fields Edit1, Edit2, ... of a dialog
    QString error;                          // an error box's text
    QString refusal;                        // a message box's text

    int MessageDlg(const QString &text, const QString &, forms::Buttons b) override
    {
        if (b == forms::Buttons::YesNo)
            return forms::mrYes;
        refuse(text);
        return forms::mrOk;
    }
    void ShowMessage(const QString &text) override { refuse(text); }
    int ShowModal(QDialog *form) override
    {
        form->setResult(forms::mrNone);
        auto it = typed.find(form);
        if (it == typed.end()) {
            forms::CloseForm(form); // its close box
            return form->result();
        }
        const QStringList values = it->second;
        typed.erase(it);
        for (int k = 0; k < values.size(); ++k)
            if (auto *edit = form->findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(k + 1)))
                edit->setText(values[k]);
        if (auto *ok = form->findChild<QPushButton *>(QStringLiteral("Button1")))
            ok->click();
        // A refused value leaves the dialog open; the user would have to
        // type again, so the command goes no further here.
        if (!refusal.isEmpty())
            throw forms::Exception(refusal);
        if (!error.isEmpty())
            throw forms::Exception(error);
        return form->result();
    }
    void ShowException(const QString &, const QString &text) override
    {
        if (refusal.isEmpty() && error.isEmpty())
            error = text;
    }
    bool ExecuteFileDialog(forms::FileDialogRequest &r) override
    {
        if (nextFile.isEmpty())
            return false;
        r.fileName = nextFile;
        if (r.kind == forms::FileDialogRequest::Open) {
            const int index = TMainForm::FilterIndexFor(nextFile);
            r.filterIndex = index > 0 ? index : r.filterIndex;
        }
        nextFile.clear();
        return true;
    }

private:
    void refuse(const QString &text)
    {
        if (refusal.isEmpty())
            refusal = text;
    }
};

void print(const char *name, const QString &value)
{
    std::printf("%s=%s\n", name, value.toUtf8().constData());
}

// The toolbar texts a word may write, in a fixed order.
struct Toolbar {
    QString values[8];
    static constexpr const char *names[8] = {"Edit1", "Edit2", "Edit3", "UpDown1", "UpDown2",
                                             "Label2", "Label3", "Label4"};
    static Toolbar read(const TMainForm &m)
    {
        return {{m.Edit1->text(), m.Edit2->text(), m.Edit3->text(), QString::number(m.UpDown1->Position()),
                 QString::number(m.UpDown2->Position()), m.Label2->text(), m.Label3->text(), m.Label4->text()}};
    }
};

void printInfo(TMainForm &m)
{
    if (TChild *c = m.ActiveMDIChild()) {
        print("caption", c->Caption());
        const std::pair<const char *, QLineEdit *> fields[] = {
            {"FilterI", c->FilterI}, {"DemX", c->DemX},       {"DemY", c->DemY},         {"ColN", c->ColN},
            {"ZomN", c->ZomN},       {"UndoFlg", c->UndoFlg}, {"Contrast", c->Contrast}, {"Average", c->Average},
            {"Minimum", c->Minimum}, {"MAX", c->MAX},         {"MIN", c->MIN}};
        for (const auto &[name, edit] : fields)
            print(name, edit->text());
        print("Image", QStringLiteral("%1x%2").arg(c->Image->Width()).arg(c->Image->Height()));
        const forms::TImage &zm = *c->ImageZm;
        print("ImageZm", QStringLiteral("%1x%2").arg(zm.Picture().Width()).arg(zm.Picture().Height()));
    }
    const Toolbar t = Toolbar::read(m);
    for (int k = 0; k < 8; ++k)
        print(Toolbar::names[k], t.values[k]);
    print("windows", QString::number(m.MDIChildCount()));
}

void flush()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

bool parseInt(const char *text, int *out)
{
    char *end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v < -1000000000L || v > 1000000000L)
        return false;
    *out = static_cast<int>(v);
    return true;
}

// Sends a mouse event to the picture control of the active window, as the
// window system would.
void mouse(TMainForm &m, QEvent::Type type, int x, int y, Qt::MouseButton button)
{
    TChild *c = m.ActiveMDIChild();
    if (!c)
        return;
    const QPointF pos(x, y);
    const Qt::MouseButtons held = type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, pos, c->Image->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(c->Image, &e);
}

struct Word {
    int arguments;       // required
    int optional;        // further optional arguments
    std::function<void(TMainForm &, OpsSeam &, const std::vector<QString> &)> run;
};

std::map<std::string, Word> words()
{
    auto menu = [](QAction *TMainForm::*item) {
        return Word{0, 0, [item](TMainForm &m, OpsSeam &, const std::vector<QString> &) { (m.*item)->trigger(); }};
    };
    auto button = [](QPushButton *TMainForm::*b) {
        return Word{0, 0, [b](TMainForm &m, OpsSeam &, const std::vector<QString> &) { (m.*b)->click(); }};
    };
    auto step = [](forms::TUpDown *TMainForm::*u, forms::UDBtnType which) {
        return Word{0, 0, [u, which](TMainForm &m, OpsSeam &, const std::vector<QString> &) { (m.*u)->Step(which); }};
    };
    // A command with a parameter dialog: the values go into its fields.
    auto dialog = [](QAction *TMainForm::*item, QDialog *(*form)(), int n) {
        return Word{n, 0, [item, form](TMainForm &m, OpsSeam &seam, const std::vector<QString> &a) {
                        seam.typed[form()] = QStringList(a.begin(), a.end());
                        (m.*item)->trigger();
                    }};
    };
    std::map<std::string, Word> w;
    w["open"] = {1, 0, [](TMainForm &m, OpsSeam &s, const std::vector<QString> &a) {
                     s.nextFile = a[0];
                     m.OpenButton->click();
                 }};
    w["load"] = {1, 0, [](TMainForm &m, OpsSeam &s, const std::vector<QString> &a) {
                     s.nextFile = a[0];
                     m.Open1->trigger();
                 }};
    w["save"] = {1, 0, [](TMainForm &m, OpsSeam &s, const std::vector<QString> &a) {
                     s.nextFile = a[0];
                     m.Save1->trigger();
                 }};
    w["zoom-in"] = button(&TMainForm::Button1);
    w["zoom-out"] = button(&TMainForm::Button2);
    w["level-up"] = button(&TMainForm::Button3);
    w["level-down"] = button(&TMainForm::Button4);
    w["max-up"] = step(&TMainForm::UpDown1, forms::UDBtnType::btNext);
    w["max-down"] = step(&TMainForm::UpDown1, forms::UDBtnType::btPrev);
    w["min-up"] = step(&TMainForm::UpDown2, forms::UDBtnType::btNext);
    w["min-down"] = step(&TMainForm::UpDown2, forms::UDBtnType::btPrev);
    w["negative"] = menu(&TMainForm::N1);
    w["mirror"] = menu(&TMainForm::M1);
    w["flip"] = menu(&TMainForm::R1);
    w["rgb-split"] = menu(&TMainForm::RGB2);
    w["solarize"] = menu(&TMainForm::N7);
    w["gamma"] = dialog(&TMainForm::N6, [] { return static_cast<QDialog *>(GMM); }, 1);
    w["sabattier"] = dialog(&TMainForm::N8, [] { return static_cast<QDialog *>(Sabachie); }, 1);
    w["edge"] = dialog(&TMainForm::N2, [] { return static_cast<QDialog *>(EDG); }, 1);
    w["blur"] = dialog(&TMainForm::N4, [] { return static_cast<QDialog *>(BLUR); }, 1);
    w["coma"] = dialog(&TMainForm::N9, [] { return static_cast<QDialog *>(ComaCorrect); }, 3);
    // The canceller's fields in the word's order: direction Edit1, flow
    // Edit2, blur Edit3, threshold Edit4.
    w["guide-miss"] = dialog(&TMainForm::P1, [] { return static_cast<QDialog *>(GMCPanel); }, 4);
    return w;
}

int usageError(const char *why, const char *word)
{
    std::fprintf(stderr, "telvane-ops: %s '%s'\n%s", why, word, kUsage);
    return 2;
}

int run(int argc, char **argv)
{
    if (argc < 2)
        return usageError("no word", "");
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    // Check the whole sequence before anything runs.
    const std::map<std::string, Word> table = words();
    struct Step {
        std::string name;
        std::vector<QString> args;
    };
    std::vector<Step> steps;
    for (int i = 1; i < argc;) {
        const std::string name = argv[i++];
        std::vector<QString> args;
        int required = 0, optional = 0;
        if (name == "info") {
        } else if (name == "select") {
            required = 1;
        } else if (name == "move") {
            required = 2;
        } else if (name == "click") {
            required = 2;
            optional = 1;
        } else if (auto it = table.find(name); it != table.end()) {
            required = it->second.arguments;
            optional = it->second.optional;
        } else {
            return usageError("unknown word", name.c_str());
        }
        for (int k = 0; k < required; ++k) {
            if (i >= argc)
                return usageError("missing arguments for", name.c_str());
            args.push_back(QString::fromLocal8Bit(argv[i++]));
        }
        if (optional && i < argc && (std::strcmp(argv[i], "left") == 0 || std::strcmp(argv[i], "right") == 0 ||
                                     std::strcmp(argv[i], "middle") == 0))
            args.push_back(QString::fromLatin1(argv[i++]));
        int number = 0;
        if ((name == "select" || name == "move" || name == "click")) {
            for (int k = 0; k < required; ++k)
                if (!parseInt(args[k].toUtf8().constData(), &number))
                    return usageError("not a whole number for", name.c_str());
        }
        steps.push_back({name, args});
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QuietPlatformNotes();
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("TELVANE"));
    forms::SetApplicationTitle(QStringLiteral("TELVANE"));
    CreateAllForms();
    TMainForm &m = *MainForm;
    m.ShowViewer();
    m.show();
    OpsSeam seam;
    forms::setSeam(&seam);
    int status = 0;
    for (const Step &s : steps) {
        seam.error.clear();
        seam.refusal.clear();
        seam.typed.clear();
        const Toolbar before = Toolbar::read(m);
        bool printed = false;
        if (s.name == "info") {
            printInfo(m);
            printed = true;
        } else if (s.name == "select") {
            const int n = s.args[0].toInt();
            const QList<TChild *> children = m.MDIChildren();
            if (n < 1 || n > children.size()) {
                std::fprintf(stderr, "telvane-ops: there is no image window %d (%d open)\n", n,
                             static_cast<int>(children.size()));
                status = 1;
                break;
            }
            m.Activate(children[n - 1]);
        } else if (s.name == "move") {
            mouse(m, QEvent::MouseMove, s.args[0].toInt(), s.args[1].toInt(), Qt::NoButton);
            print("Label2", m.Label2->text());
            printed = true;
        } else if (s.name == "click") {
            const QString which = s.args.size() > 2 ? s.args[2] : QStringLiteral("left");
            const Qt::MouseButton b = which == QLatin1String("right")    ? Qt::RightButton
                                      : which == QLatin1String("middle") ? Qt::MiddleButton
                                                                         : Qt::LeftButton;
            mouse(m, QEvent::MouseButtonPress, s.args[0].toInt(), s.args[1].toInt(), b);
            mouse(m, QEvent::MouseButtonRelease, s.args[0].toInt(), s.args[1].toInt(), b);
            print("Label3", m.Label3->text());
            print("Label4", m.Label4->text());
            printed = true;
        } else {
            table.at(s.name).run(m, seam, s.args);
        }
        flush();
        if (!seam.refusal.isEmpty()) {
            std::fprintf(stderr, "%s\n", seam.refusal.toUtf8().constData());
            status = 2;
            break;
        }
        if (!seam.error.isEmpty()) {
            std::fprintf(stderr, "%s\n", seam.error.toUtf8().constData());
            status = 1;
            break;
        }
        if (!printed) {
            const Toolbar after = Toolbar::read(m);
            for (int k = 0; k < 8; ++k)
                if (after.values[k] != before.values[k])
                    print(Toolbar::names[k], after.values[k]);
        }
        std::fflush(stdout);
    }
    forms::setSeam(nullptr);
    std::fflush(stdout);
    DestroyAllForms();
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    return run(argc, argv);
}
