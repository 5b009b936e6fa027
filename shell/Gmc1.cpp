#include "Gmc1.h"

#include "Child1.h"
#include "Title1.h"
#include "forms.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

TMainForm *MainForm = nullptr;

namespace {

// The toolbar strip: keeps its top-edge bevel as wide as itself.
class SpeedBarFrame : public QFrame {
public:
    using QFrame::QFrame;
    QFrame *bevel = nullptr;

protected:
    void resizeEvent(QResizeEvent *e) override
    {
        QFrame::resizeEvent(e);
        if (bevel)
            bevel->setGeometry(0, 0, width(), 2);
    }
};

QIcon appIcon()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    p.drawEllipse(1, 1, 30, 30);
    // A star with its four spikes.
    QPainterPath star;
    star.moveTo(16, 4);
    star.lineTo(18, 14);
    star.lineTo(28, 16);
    star.lineTo(18, 18);
    star.lineTo(16, 28);
    star.lineTo(14, 18);
    star.lineTo(4, 16);
    star.lineTo(14, 14);
    star.closeSubpath();
    p.setBrush(QColor(255, 255, 0));
    p.drawPath(star);
    return QIcon(pm);
}

QIcon glyph(bool save)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    if (save) {
        p.fillRect(2, 2, 12, 12, QColor(0, 0, 128));
        p.fillRect(4, 2, 8, 5, Qt::white);
        p.fillRect(5, 10, 6, 4, QColor(192, 192, 192));
    } else {
        p.setPen(Qt::black);
        p.setBrush(QColor(255, 255, 128));
        p.drawRect(1, 5, 13, 9);
        p.drawRect(1, 3, 5, 2);
    }
    return QIcon(pm);
}

QString shortHint(const QString &hint)
{
    return hint.section(QLatin1Char('|'), 0, 0);
}

} // namespace

QIcon TMainForm::ApplicationIcon()
{
    return appIcon();
}

QPoint TMainForm::placement(const QSize &screen)
{
    return {screen.width() / 2 - kLayoutWidth / 2, screen.height() / 2 - kLayoutHeight / 2};
}

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("TELVANE"));
    setWindowIcon(appIcon());
    setFont(forms::LayoutFont(QStringLiteral("MS Sans Serif"), 11));

    buildMenu();

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("ClientArea"));
    auto *column = new QVBoxLayout(client_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildSpeedBar();
    column->addWidget(SpeedBar);
    MdiArea = new QMdiArea(client_);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    MdiArea->setBackground(QColor(128, 128, 128));
    MdiArea->setFrameShape(QFrame::NoFrame);
    MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    column->addWidget(MdiArea, 1);
    setCentralWidget(client_);
    connect(MdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::subWindowActivated);

    OpenDialog = new forms::TFileDialog(forms::TFileDialog::Open, this);
    OpenDialog->setObjectName(QStringLiteral("OpenDialog"));
    OpenDialog->Title = QStringLiteral("Open an Image for Viewing");
    OpenDialog->Filter = QStringLiteral(
        "ビットマップ(*.bmp)|*.bmp|フィッツ(*.fit,*.fts,*.fits)|*.fts;*.fit;*.fits|ポータブル(*.ppm)|*.ppm");
    OpenDialog->FilterIndex = 1;
    SaveDialog = new forms::TFileDialog(forms::TFileDialog::Save, this);
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
    SaveDialog->Title = QStringLiteral("Save an Image");
    SaveDialog->Filter = QStringLiteral("ビットマップ(*.bmp)|*.bmp|フィッツ(*.fts,*.fit,*.fits)|*.fts;*.fit;*.fits");
    SaveDialog->FilterIndex = 1;

    resize(kLayoutWidth, kLayoutHeight);
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen)
        move(placement(screen->size()));
}

TMainForm::~TMainForm()
{
    // The MDI area still reports activations while the image windows go
    // down with it, after this part of the window has been destroyed.
    disconnect(MdiArea, nullptr, this, nullptr);
    if (MainForm == this)
        MainForm = nullptr;
}

void TMainForm::buildMenu()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(MainMenu1);

    auto item = [this](QWidget *menu, const char *name, const QString &caption, void (TMainForm::*handler)()) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        menu->addAction(a);
        if (handler)
            connect(a, &QAction::triggered, this, [this, handler] { forms::Guarded([this, handler] { (this->*handler)(); }); });
        return a;
    };
    auto submenu = [this](const char *name, const QString &caption) {
        auto *m = new QMenu(caption, MainMenu1);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        MainMenu1->addMenu(m);
        return m;
    };

    File1 = submenu("File1", QStringLiteral("ファイル(&F)"));
    Open1 = item(File1, "Open1", QStringLiteral("開く(&O)"), &TMainForm::Open1Click);
    Save1 = item(File1, "Save1", QStringLiteral("保存(&S)"), &TMainForm::Save1Click);
    Exit1 = item(File1, "Exit1", QStringLiteral("終了(&Q)"), &TMainForm::Exit1Click);
    Open1->setVisible(false);
    Save1->setVisible(false);

    E1 = submenu("E1", QStringLiteral("画像編集(&E)"));
    N1 = item(E1, "N1", QStringLiteral("ネガ反転(&N)"), &TMainForm::N1Click);
    M1 = item(E1, "M1", QStringLiteral("ミラー反転(&M)"), &TMainForm::M1Click);
    R1 = item(E1, "R1", QStringLiteral("上下反転(&R)"), &TMainForm::R1Click);
    N3 = item(E1, "N3", QStringLiteral("リサンプリング"), nullptr);
    RGB1 = item(E1, "RGB1", QStringLiteral("RGB合成"), nullptr);
    RGB2 = item(E1, "RGB2", QStringLiteral("RGB分解"), &TMainForm::RGB2Click);
    E1->menuAction()->setVisible(false);
    E1->menuAction()->setEnabled(false);

    P2 = submenu("P2", QStringLiteral("画像処理(&P)"));
    N2 = item(P2, "N2", QStringLiteral("エッジ強調"), &TMainForm::N2Click);
    P1 = item(P2, "P1", QStringLiteral("ガイドミスキャンセラ(&G)"), &TMainForm::P1Click);
    N4 = item(P2, "N4", QStringLiteral("ぼかし"), &TMainForm::N4Click);
    N5 = item(P2, "N5", QStringLiteral("ブルーミング除去"), nullptr);
    N6 = item(P2, "N6", QStringLiteral("ガンマ"), &TMainForm::N6Click);
    N7 = item(P2, "N7", QStringLiteral("ソラリゼーション"), &TMainForm::N7Click);
    N8 = item(P2, "N8", QStringLiteral("サバチエ効果"), &TMainForm::N8Click);
    N9 = item(P2, "N9", QStringLiteral("コマコレクト処理"), &TMainForm::N9Click);
    P2->menuAction()->setVisible(false);
    P2->menuAction()->setEnabled(false);

    V1 = item(MainMenu1, "V1", QStringLiteral("バージョン(&V)"), &TMainForm::V1Click);
    V1->setVisible(false);
    V1->setEnabled(false);
    N10 = item(MainMenu1, "N10", QStringLiteral("計測開始"), &TMainForm::N10Click);
    V2 = item(MainMenu1, "V2", QStringLiteral("バージョン(&V)"), &TMainForm::V2Click);
}

void TMainForm::buildSpeedBar()
{
    auto *bar = new SpeedBarFrame(client_);
    SpeedBar = bar;
    SpeedBar->setObjectName(QStringLiteral("SpeedBar"));
    SpeedBar->setFrameShape(QFrame::NoFrame);
    SpeedBar->setFixedHeight(33);
    QWidget *p = SpeedBar;

    auto speedButton = [p](const char *name, const QString &hint, bool save, int l, int t, int w, int h) {
        auto *b = new QToolButton(p);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoRaise(true);
        b->setIcon(glyph(save));
        b->setProperty("Hint", hint);
        b->setToolTip(shortHint(hint));
        b->setGeometry(l, t, w, h);
        return b;
    };
    auto button = [p](const char *name, const QString &caption, int l, int t, int w, int h) {
        return forms::MakeButton(p, name, caption, l, t, w, h);
    };
    auto upDown = [p](const char *name, int min, int max, int l, int t, int w, int h) {
        auto *u = new forms::TUpDown(p);
        u->setObjectName(QString::fromLatin1(name));
        u->setMin(min);
        u->setMax(max);
        u->setIncrement(10);
        u->setPosition(0);
        u->setWrap(false);
        u->setGeometry(l, t, w, h);
        return u;
    };

    OpenButton = speedButton("OpenButton", QStringLiteral("Open|"), false, 7, 5, 23, 23);
    SaveButton = speedButton("SaveButton", QStringLiteral("Save|"), true, 30, 5, 24, 23);
    Bevel1 = new QFrame(p);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(0, 0, kLayoutWidth, 2);
    bar->bevel = Bevel1;
    const QFont bold16 = forms::LayoutFont(QStringLiteral("MS Sans Serif"), 16, true);
    Button1 = button("Button1", QStringLiteral("+"), 72, 5, 24, 23);
    Button1->setFont(bold16);
    Button2 = button("Button2", QStringLiteral("-"), 96, 5, 24, 23);
    Button2->setFont(bold16);
    Edit1 = forms::MakeEdit(p, "Edit1", QString(), 120, 5, 57, 21);
    Button3 = button("Button3", QStringLiteral("H"), 192, 0, 25, 17);
    Button4 = button("Button4", QStringLiteral("L"), 192, 16, 25, 17);
    Label5 = forms::MakeLabel(p, "Label5", QStringLiteral("Max.="), 224, 8);
    Edit2 = forms::MakeEdit(p, "Edit2", QStringLiteral("0"), 256, 8, 57, 21);
    UpDown1 = upDown("UpDown1", 0, 32767, 312, 0, 17, 33);
    Label6 = forms::MakeLabel(p, "Label6", QStringLiteral("Min.="), 336, 8);
    Edit3 = forms::MakeEdit(p, "Edit3", QStringLiteral("0"), 368, 8, 57, 21);
    UpDown2 = upDown("UpDown2", -32767, 32767, 424, 0, 17, 33);
    Label4 = forms::MakeLabel(p, "Label4", QStringLiteral("FWHM = "), 456, 8);
    Label1 = forms::MakeLabel(p, "Label1", QStringLiteral("ピクセル情報"), 512, 8);
    Label1->setFont(forms::LayoutFont(QStringLiteral("ＭＳ ゴシック"), 13));
    Label1->adjustSize();
    Label2 = forms::MakeLabel(p, "Label2", QStringLiteral("R = , G = , B = "), 608, 8);
    Label3 = forms::MakeLabel(p, "Label3", QStringLiteral("Max. =      ,  Min. = "), 760, 16);

    // Shipped states: every control hidden; the buttons, the level boxes and
    // the up-down controls also disabled.
    for (QWidget *w : {static_cast<QWidget *>(OpenButton), static_cast<QWidget *>(SaveButton),
                       static_cast<QWidget *>(Button1), static_cast<QWidget *>(Button2),
                       static_cast<QWidget *>(Button3), static_cast<QWidget *>(Button4),
                       static_cast<QWidget *>(Edit2), static_cast<QWidget *>(UpDown1),
                       static_cast<QWidget *>(Edit3), static_cast<QWidget *>(UpDown2)})
        w->setEnabled(false);
    for (QWidget *w : {static_cast<QWidget *>(OpenButton), static_cast<QWidget *>(SaveButton),
                       static_cast<QWidget *>(Button1), static_cast<QWidget *>(Button2),
                       static_cast<QWidget *>(Edit1), static_cast<QWidget *>(Button3),
                       static_cast<QWidget *>(Button4), static_cast<QWidget *>(Label5),
                       static_cast<QWidget *>(Edit2), static_cast<QWidget *>(UpDown1),
                       static_cast<QWidget *>(Label6), static_cast<QWidget *>(Edit3),
                       static_cast<QWidget *>(UpDown2), static_cast<QWidget *>(Label4),
                       static_cast<QWidget *>(Label1), static_cast<QWidget *>(Label2),
                       static_cast<QWidget *>(Label3)})
        w->setVisible(false);

    auto bind = [this](auto *sender, auto signal, void (TMainForm::*handler)()) {
        connect(sender, signal, this, [this, handler] { forms::Guarded([this, handler] { (this->*handler)(); }); });
    };
    bind(OpenButton, &QToolButton::clicked, &TMainForm::OpenButtonClick);
    bind(SaveButton, &QToolButton::clicked, &TMainForm::SaveButtonClick);
    bind(Button1, &QPushButton::clicked, &TMainForm::Button1Click);
    bind(Button2, &QPushButton::clicked, &TMainForm::Button2Click);
    bind(Button3, &QPushButton::clicked, &TMainForm::Button3Click);
    bind(Button4, &QPushButton::clicked, &TMainForm::Button4Click);
    bind(UpDown1, &forms::TUpDown::Click, &TMainForm::UpDown1Click);
    bind(UpDown2, &forms::TUpDown::Click, &TMainForm::UpDown2Click);
}

TChild *TMainForm::ActiveMDIChild() const
{
    QMdiSubWindow *sub = MdiArea->currentSubWindow();
    return sub ? qobject_cast<TChild *>(sub->widget()) : nullptr;
}

TChild *TMainForm::NewChild()
{
    auto *child = new TChild(this);
    QMdiSubWindow *sub = MdiArea->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->installEventFilter(child); // its close event goes to FormClose
    sub->setWindowIcon(windowIcon());
    sub->resize(TChild::kLayoutWidth, TChild::kLayoutHeight);
    sub->show();
    MdiArea->setActiveSubWindow(sub);
    // Without an active application (no window system focus) the MDI area
    // may not report the activation; the window is current all the same.
    if (lastActivated_ != child && ActiveMDIChild() == child)
        subWindowActivated(sub);
    return child;
}

QList<TChild *> TMainForm::MDIChildren() const
{
    QList<TChild *> out;
    for (QMdiSubWindow *sub : MdiArea->subWindowList(QMdiArea::CreationOrder))
        if (auto *c = qobject_cast<TChild *>(sub->widget()))
            out << c;
    return out;
}

int TMainForm::MDIChildCount() const
{
    return int(MDIChildren().size());
}

int TMainForm::ClientWidth() const
{
    if (QLayout *l = layout())
        l->activate();
    return client_->width();
}

int TMainForm::ClientHeight() const
{
    if (QLayout *l = layout())
        l->activate();
    return client_->height();
}

void TMainForm::subWindowActivated(QMdiSubWindow *sub)
{
    // Deactivation of the whole application (sub null) and its return to the
    // same window are no activation of an image window.
    if (!sub)
        return;
    auto *child = qobject_cast<TChild *>(sub->widget());
    if (!child || child == lastActivated_)
        return;
    lastActivated_ = child;
    forms::Guarded([child] { child->FormActivate(); });
}

void TMainForm::closeEvent(QCloseEvent *e)
{
    e->accept();
    // Closing the main window ends the program, whatever else is shown.
    QCoreApplication::quit();
}

void TMainForm::Open1Click() {}
void TMainForm::Save1Click() {}

void TMainForm::Exit1Click()
{
    close();
}

void TMainForm::N1Click() {}
void TMainForm::M1Click() {}
void TMainForm::R1Click() {}
void TMainForm::RGB2Click() {}
void TMainForm::N2Click() {}
void TMainForm::P1Click() {}
void TMainForm::N4Click() {}
void TMainForm::N6Click() {}
void TMainForm::N7Click() {}
void TMainForm::N8Click() {}
void TMainForm::N9Click() {}

void TMainForm::V1Click()
{
    if (Title) {
        Title->show();
        Title->raise();
    }
}

void TMainForm::N10Click()
{
    if (BenchmarkCommand)
        BenchmarkCommand();
}

void TMainForm::V2Click()
{
    if (VersionCommand)
        VersionCommand();
}

void TMainForm::OpenButtonClick() {}
void TMainForm::SaveButtonClick() {}
void TMainForm::Button1Click() {}
void TMainForm::Button2Click() {}
void TMainForm::Button3Click() {}
void TMainForm::Button4Click() {}
void TMainForm::UpDown1Click() {}
void TMainForm::UpDown2Click() {}
