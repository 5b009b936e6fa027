#include "Gmc1.h"

#include "Blur1.h"
#include "Child1.h"
#include "Comacorrect1.h"
#include "Edge1.h"
#include "Frame.h"
#include "Gamma1.h"
#include "Gmcpanel1.h"
#include "Sabachie1.h"
#include "Toolkit.h"
#include "Title1.h"
#include "Viewer.h"
#include "forms.h"

#include "diagnostic.h"
#include "fits.h"
#include "plane.h"
#include "plane_owner.h"
#include "ppm.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
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
    return forms::CentredOrigin(screen, {kLayoutWidth, kLayoutHeight});
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
            forms::Bind(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
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
        forms::Bind(sender, signal, this, [this, handler] { (this->*handler)(); });
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
    Activate(child);
    return child;
}

void TMainForm::Activate(TChild *child)
{
    QMdiSubWindow *sub = child ? child->SubWindow() : nullptr;
    if (!sub)
        return;
    MdiArea->setActiveSubWindow(sub);
    // Without an active application (no window system focus) the MDI area
    // may not report the activation; the window is current all the same.
    if (lastActivated_ != child && ActiveMDIChild() == child)
        subWindowActivated(sub);
}

void TMainForm::ShowViewer()
{
    for (QAction *a : {Open1, Save1, E1->menuAction(), P2->menuAction()}) {
        a->setVisible(true);
        a->setEnabled(true);
    }
    for (QWidget *w : SpeedBar->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        w->setVisible(true);
        w->setEnabled(true);
    }
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


void TMainForm::Exit1Click()
{
    close();
}


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

namespace {

QString fileNameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString readerReason()
{
    return QString::fromStdString(last_read_error());
}

[[noreturn]] void noMemory(int w, int h)
{
    throw forms::Exception(QStringLiteral("メモリを確保できません (%1 × %2 の画像領域)").arg(w).arg(h));
}

// The base picture, switched to 24 bits.
forms::Bitmap &basePicture(TChild *child)
{
    forms::Bitmap &base = child->ImageZm->Picture();
    base.SetPixelFormat24();
    return base;
}

bool isBitmapPicture(TChild *child)
{
    return forms::StrToInt(child->FilterI->text()) == 1;
}

// Where a processed rendering goes, and whether it marks the window.
enum class Result { Display, DisplayAndBase, Processed };

// Builds a display bitmap of the base picture's size with `op(base, out)`
// and draws it whole at (0, 0): onto Image, for the negative onto ImageZm
// too; a processed rendering then writes "1" into UndoFlg.
template <class Op>
void drawFromBase(TChild *child, Op op, Result result)
{
    forms::Bitmap &base = basePicture(child);
    forms::Bitmap out(base.Width(), base.Height());
    op(base.Rows(), out.Rows());
    child->Image->Draw(0, 0, out);
    if (result == Result::DisplayAndBase)
        child->ImageZm->Draw(0, 0, out);
    if (result == Result::Processed)
        child->UndoFlg->setText(QStringLiteral("1"));
}

// A value the command refuses: a one-line message box, nothing changed.
bool refused(const char *message)
{
    if (!message)
        return false;
    forms::ShowMessage(QString::fromUtf8(message));
    return true;
}

} // namespace

int TMainForm::FilterIndexFor(const QString &path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("bmp"))
        return 1;
    if (ext == QLatin1String("fit") || ext == QLatin1String("fts") || ext == QLatin1String("fits"))
        return 2;
    if (ext == QLatin1String("ppm"))
        return 3;
    return 0;
}

void TMainForm::OpenFile(const QString &path)
{
    const int index = FilterIndexFor(path);
    if (index == 0)
        throw forms::Exception(
            QStringLiteral("%1 を開けません: 拡張子が .bmp, .fit, .fts, .fits, .ppm のいずれでもありません").arg(path));
    openWithReader(path, index);
}

void TMainForm::openWithReader(const QString &path, int filterIndex)
{
    if (filterIndex == 1)
        OpenBitmap(path);
    if (filterIndex == 3)
        OpenPixmap(path);
    if (filterIndex == 2)
        OpenFits(path);
}

void TMainForm::showFullLevels(bool moveControls)
{
    Edit1->setText(QStringLiteral("100.0%"));
    Edit2->setText(QStringLiteral("255"));
    Edit3->setText(QStringLiteral("0"));
    if (moveControls) {
        UpDown1->setPosition(255);
        UpDown2->setPosition(0);
    }
}

void TMainForm::OpenButtonClick()
{
    if (!OpenDialog->Execute())
        return;
    openWithReader(OpenDialog->FileName, OpenDialog->FilterIndex);
}

void TMainForm::OpenBitmap(const QString &path)
{
    forms::Bitmap work;
    QString reason;
    if (!work.LoadFromFile(path, &reason))
        throw forms::Exception(QStringLiteral("ビットマップ %1 を読み込めません: %2").arg(path, reason));
    const int w = work.Width(), h = work.Height();

    TChild *child = NewChild();
    child->FilterI->setText(QStringLiteral("1"));
    child->SetAutoSize(false);
    child->SetCaption(fileNameOf(path));
    child->Image->SetSize(w, h);
    child->ImageZm->SetSize(w, h);
    child->SetClientSize(w, h);
    child->Image->Draw(0, 0, work);
    child->ImageZm->Draw(0, 0, work);
    child->SetAutoSize(true);
    child->SetAutoSize(false);

    showFullLevels(true);
    child->MAX->setText(QStringLiteral("255"));
    child->MIN->setText(QStringLiteral("0"));
    child->WriteImageFields(w, h, 1);
}

void TMainForm::OpenPixmap(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    int w = 0, h = 0;
    Plane r = nullptr, g = nullptr, b = nullptr;
    if (read_ppm(name.constData(), &w, &h, &r, &g, &b) != 0)
        throw forms::Exception(QStringLiteral("PPM ファイル %1 を開けません: %2").arg(path, readerReason()));
    PlaneOwner red, green, blue;
    red.adopt(w, h, r);
    green.adopt(w, h, g);
    blue.adopt(w, h, b);

    forms::Bitmap work(w, h);
    pixels::FillColor(red.get(), green.get(), blue.get(), work.Rows());

    TChild *child = NewChild();
    child->FilterI->setText(QStringLiteral("3"));
    child->SetAutoSize(false);
    child->Image->SetSize(w, h);
    child->ImageZm->SetSize(w, h);
    child->SetClientSize(w, h);
    child->Image->Draw(0, 0, work);
    child->ImageZm->Draw(0, 0, work);

    showFullLevels(false);
    child->WriteImageFields(w, h, 1);
}

void TMainForm::OpenFits(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    char header[kFitsHeaderBytes];
    int w = 0, h = 0, cards = 0;
    double offset = 0;
    Plane p = nullptr;
    if (read_fits(name.constData(), header, &w, &h, &cards, &offset, &p) != 0)
        throw forms::Exception(QStringLiteral("FITS ファイル %1 を開けません: %2").arg(path, readerReason()));
    PlaneOwner frame;
    frame.adopt(w, h, p);
    // Every opening folds: signed samples offset by 32768 become 0..65535.
    fold_plane(32768, w, h, frame.get());
    PlaneOwner display;
    if (display.allocate(w, h) != 0)
        noMemory(w, h);

    const pixels::FrameStatistics st = pixels::GridStatistics(frame.get(), w, h);
    pixels::CheckMean(st);
    const double mean = st.mean;
    const int minimum = st.minimum;
    pixels::Render(frame.get(), display.get(), w, h, minimum, mean);
    forms::Bitmap work(w, h);
    const pixels::Rows24 rows = work.Rows();
    pixels::FillGrey(display.get(), rows);

    TChild *child = NewChild();
    child->FilterI->setText(QStringLiteral("2"));
    child->SetAutoSize(false);
    child->Image->SetSize(w, h);
    child->SetClientSize(ClientWidth() - 50, ClientHeight() - 100);
    child->Image->Draw(0, 0, work);
    pixels::FillRaw(frame.get(), rows);
    child->ImageZm->SetSize(w, h);
    child->ImageZm->Draw(0, 0, work);

    Edit1->setText(QStringLiteral("100.0%"));
    Edit2->setText(forms::IntToStr(static_cast<int>(mean)));
    Edit3->setText(forms::IntToStr(minimum));
    child->Average->setText(forms::FloatToStr(mean));
    child->Minimum->setText(forms::IntToStr(minimum));
    child->WriteImageFields(w, h, 1);
}

void TMainForm::Open1Click()
{
    if (!OpenDialog->Execute())
        return;
    const QString path = OpenDialog->FileName;
    // The picture loader knows bitmaps and icons by their extension.  It
    // reads the file before the window is made, so that a file it refuses
    // leaves no empty window behind.
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext != QLatin1String("bmp") && ext != QLatin1String("ico"))
        throw forms::Exception(QStringLiteral("未知の画像ファイル拡張子です (.%1)").arg(ext));
    forms::Bitmap picture;
    QString reason;
    if (ext == QLatin1String("bmp")) {
        if (!picture.LoadFromFile(path, &reason))
            throw forms::Exception(QStringLiteral("ビットマップ %1 を読み込めません: %2").arg(path, reason));
    } else {
        QImageReader reader(path, "ico");
        QImage icon = reader.read();
        if (icon.isNull())
            throw forms::Exception(QStringLiteral("アイコン %1 を読み込めません: %2").arg(path, reader.errorString()));
        picture.image() = icon.convertToFormat(QImage::Format_BGR888);
    }

    TChild *child = NewChild();
    child->Image->Picture() = picture;
    child->SetClientSize(picture.Width(), picture.Height());
    child->SetAutoSize(true);
    child->SetCaption(fileNameOf(path));
    child->BringToFront();
}

TChild *TMainForm::savePicture()
{
    TChild *child = ActiveMDIChild();
    if (!child)
        return nullptr;
    if (!SaveDialog->Execute())
        return nullptr;
    // The displayed picture at the image's own size, as a Windows bitmap,
    // whatever the filter or the extension.
    const QString path = SaveDialog->FileName;
    const forms::TImage &image = *child->Image;
    QString reason;
    if (!image.Picture().SaveToFile(path, &reason))
        throw forms::Exception(QStringLiteral("ファイル %1 を作成できません: %2").arg(path, reason));
    return child;
}

void TMainForm::Save1Click()
{
    savePicture();
}

void TMainForm::SaveButtonClick()
{
    if (TChild *child = savePicture())
        child->SetCaption(fileNameOf(SaveDialog->FileName));
}

void TMainForm::zoom(bool in)
{
    TChild *child = ActiveMDIChild();
    if (!child)
        return;
    const int w = forms::StrToInt(child->DemX->text());
    const int h = forms::StrToInt(child->DemY->text());
    double z = forms::StrToFloat(child->ZomN->text());
    if (in) {
        if (z >= 16)
            return;
        z = z * 2;
    } else {
        if (!(z > 0.0625))
            return;
        z = z * 0.5;
    }

    child->Image->setStretch(true);
    child->SetAutoSize(true);
    child->BringToFront();
    child->SetImageSize(forms::Trunc(w * z), forms::Trunc(h * z));
    child->SetAutoSize(false);
    if (w * z > ClientWidth()) {
        child->SetOuterSize(ClientWidth() - 20, ClientHeight() - 60);
    } else {
        child->SetAutoSize(true);
        child->SetAutoSize(false);
    }
    Edit1->setText(forms::FormatPercent(z * 100));
    child->ZomN->setText(forms::FloatToStr(z));
}

void TMainForm::Button1Click()
{
    zoom(true);
}

void TMainForm::Button2Click()
{
    zoom(false);
}

void TMainForm::levels(double step)
{
    TChild *child = ActiveMDIChild();
    if (!child)
        return;
    const int kind = forms::StrToInt(child->FilterI->text());
    if (kind == 1) {
        const double g = forms::CheckFloat(forms::StrToFloat(child->Contrast->text()) * step);
        drawFromBase(
            child, [g](const pixels::Rows24 &in, const pixels::Rows24 &out) { pixels::GainLevels(in, out, g); },
            Result::Display);
        child->Contrast->setText(forms::FloatToStr(g));
    }
    if (kind == 2) {
        const double a = forms::StrToFloat(child->Average->text());
        const int m = forms::StrToInt(child->Minimum->text());
        drawFromBase(
            child, [a, m](const pixels::Rows24 &in, const pixels::Rows24 &out) { pixels::StretchLevels(in, out, a, m); },
            Result::Display);
    }
}

void TMainForm::Button3Click()
{
    levels(pixels::kGainUp);
}

void TMainForm::Button4Click()
{
    levels(pixels::kGainDown);
}

void TMainForm::UpDown1Click()
{
    TChild *child = ActiveMDIChild();
    if (!child)
        return;
    const int p = UpDown1->Position();
    Edit2->setText(forms::IntToStr(p));
    child->MAX->setText(forms::IntToStr(p));
}

void TMainForm::UpDown2Click()
{
    TChild *child = ActiveMDIChild();
    if (!child)
        return;
    const int p = UpDown2->Position();
    Edit3->setText(forms::IntToStr(p));
    child->MIN->setText(forms::IntToStr(p));
}

// ---------------------------------------------------------------- toolkit

void TMainForm::N1Click()
{
    TChild *child = ActiveMDIChild();
    if (!child || !isBitmapPicture(child))
        return;
    drawFromBase(child, pixels::Negative, Result::DisplayAndBase);
}

void TMainForm::N6Click()
{
    TChild *child = ActiveMDIChild();
    if (!child)
        return;
    forms::ShowModal(GMM); // however it was closed
    if (!isBitmapPicture(child))
        return;
    const double g = forms::StrToFloat(GMM->Edit1->text());
    if (refused(pixels::GammaRefusal(g)))
        return;
    drawFromBase(child, [g](const pixels::Rows24 &in, const pixels::Rows24 &out) { pixels::Gamma(in, out, g); },
                 Result::Processed);
}

void TMainForm::N7Click()
{
    TChild *child = ActiveMDIChild();
    if (!child || !isBitmapPicture(child))
        return;
    drawFromBase(child, pixels::Solarize, Result::Processed);
}

void TMainForm::N8Click()
{
    TChild *child = ActiveMDIChild();
    if (!child)
        return;
    forms::ShowModal(Sabachie);
    const double step = forms::StrToFloat(Sabachie->Edit1->text());
    // Every kind: a frame's raw-sample bytes are stepped as they are.
    drawFromBase(
        child, [step](const pixels::Rows24 &in, const pixels::Rows24 &out) { pixels::Sabattier(in, out, step); },
        Result::Processed);
}

void TMainForm::M1Click()
{
    TChild *child = ActiveMDIChild();
    if (!child || !isBitmapPicture(child))
        return;
    drawFromBase(child, pixels::Mirror, Result::Display);
}

void TMainForm::R1Click()
{
    TChild *child = ActiveMDIChild();
    if (!child || !isBitmapPicture(child))
        return;
    drawFromBase(child, pixels::Flip, Result::Display);
}

void TMainForm::RGB2Click()
{
    TChild *source = ActiveMDIChild();
    if (!source || !isBitmapPicture(source))
        return;
    forms::Bitmap &base = basePicture(source);
    const int w = base.Width(), h = base.Height();
    // One scratch bitmap serves the three passes.
    forms::Bitmap work(w, h);
    const QString captions[3] = {QStringLiteral("Blue"), QStringLiteral("Green"), QStringLiteral("Red")};
    for (int k = 0; k < 3; ++k) {
        pixels::Channel(base.Rows(), work.Rows(), k);
        TChild *child = NewChild();
        child->SetAutoSize(false);
        child->Image->SetSize(w, h);
        child->ImageZm->SetSize(w, h);
        child->SetClientSize(w, h);
        child->Image->Draw(0, 0, work);
        child->ImageZm->Draw(0, 0, work);
        child->SetCaption(captions[k]);
        child->SetAutoSize(true);
        child->SetAutoSize(false);

        showFullLevels(true);
        child->MAX->setText(QStringLiteral("255"));
        child->MIN->setText(QStringLiteral("0"));
        child->WriteImageFields(w, h, 3);
        child->FilterI->setText(QStringLiteral("1"));
    }
}

void TMainForm::N2Click()
{
    TChild *child = ActiveMDIChild();
    if (!child)
        return;
    forms::ShowModal(EDG);
    if (!isBitmapPicture(child))
        return;
    const double s = EdgeStrength;
    drawFromBase(child, [s](const pixels::Rows24 &in, const pixels::Rows24 &out) { pixels::EdgeEnhance(in, out, s); },
                 Result::Processed);
}

void TMainForm::N4Click()
{
    TChild *child = ActiveMDIChild();
    if (!child)
        return;
    forms::ShowModal(BLUR);
    if (!isBitmapPicture(child))
        return;
    const double s = BlurAmount;
    if (refused(pixels::BlurRefusal(s)))
        return;
    drawFromBase(child, [s](const pixels::Rows24 &in, const pixels::Rows24 &out) { pixels::Blur(in, out, s); },
                 Result::Processed);
}

void TMainForm::P1Click()
{
    forms::ShowModal(GMCPanel); // before anything, image window or not
    if (GuideMissConfirmed != 1)
        return;
    if (refused(pixels::FlowRefusal(FlowAmount)))
        return;
    TChild *child = ActiveMDIChild();
    if (!child)
        return;
    // The area as displayed: the zoomed size when zoomed.
    const int w = child->Image->Width(), h = child->Image->Height();
    const pixels::GuideMissParams params{SmearDirection, FlowAmount, BlurAmount, SmoothingThreshold};
    // Read and rewritten in place; the picture repaints once afterwards.
    pixels::GuideMissCancel(child->Image->Picture().Rows(), w, h, params);
}

void TMainForm::N9Click()
{
    TChild *child = ActiveMDIChild();
    if (!child)
        return;
    forms::ShowModal(ComaCorrect);
    // The optical axis and the coma amount must be numbers; nothing else
    // uses them.
    forms::StrToInt(ComaCorrect->Edit1->text());
    forms::StrToInt(ComaCorrect->Edit2->text());
    forms::StrToFloat(ComaCorrect->Edit3->text());
    if (!isBitmapPicture(child))
        return;
    const double g = forms::StrToFloat(GMM->Edit1->text());
    if (refused(pixels::GammaRefusal(g)))
        return;
    drawFromBase(child, [g](const pixels::Rows24 &in, const pixels::Rows24 &out) { pixels::ComaCorrect(in, out, g); },
                 Result::Processed);
}
