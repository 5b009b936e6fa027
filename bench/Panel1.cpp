#include "Panel1.h"

#include "FormFont.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

Tpanel *panel = nullptr;

namespace {

QLabel *label(QWidget *parent, const char *name, const QString &caption, int left, int top)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->move(left, top);
    l->adjustSize(); // labels size themselves to their text
    return l;
}

} // namespace

QPoint Tpanel::centredOn(const QSize &screen)
{
    return {screen.width() / 2 - kLayoutWidth / 2, screen.height() / 2 - kLayoutHeight / 2};
}

Tpanel::Tpanel(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("panel"));
    setWindowTitle(QStringLiteral("Result"));
    setFont(forms::LayoutFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    setAutoFillBackground(true);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setGeometry(0, 0, 321, 481);

    QWidget *p = Panel1;
    Label1 = label(p, "Label1", QStringLiteral("測定結果"), 128, 40);
    Label1->setFont(forms::LayoutFont(QStringLiteral("ＭＳ Ｐゴシック"), 16));
    Label1->adjustSize();
    Label21 = label(p, "Label21", QStringLiteral("測定日時"), 80, 80);
    Label17 = label(p, "Label17", QStringLiteral("YYYY/MM/DD"), 144, 80);
    Label22 = label(p, "Label22", QStringLiteral("OS"), 112, 104);
    Label23 = label(p, "Label23", QStringLiteral("Label23"), 144, 104);
    Label24 = label(p, "Label24", QStringLiteral("使用可能メモリ"), 56, 128);
    Label25 = label(p, "Label25", QStringLiteral("L25"), 144, 128);
    Label28 = label(p, "Label28", QStringLiteral("/"), 168, 128);
    Label27 = label(p, "Label27", QStringLiteral("L27"), 184, 128);
    Label26 = label(p, "Label26", QStringLiteral("MB(残存/搭載)"), 216, 128);
    Label6 = label(p, "Label6", QStringLiteral("ファイルアクセス"), 48, 168);
    Label7 = label(p, "Label7", QStringLiteral("Label7"), 144, 168);
    Label12 = label(p, "Label12", QStringLiteral("秒"), 200, 168);
    Label29 = label(p, "Label29", QStringLiteral("画像表示"), 80, 200);
    Label30 = label(p, "Label30", QStringLiteral("Label30"), 144, 200);
    Label31 = label(p, "Label31", QStringLiteral("秒"), 200, 200);
    Label3 = label(p, "Label3", QStringLiteral("メモリ確保"), 80, 232);
    Label8 = label(p, "Label8", QStringLiteral("Label7"), 144, 232);
    Label13 = label(p, "Label13", QStringLiteral("秒"), 200, 232);
    Label4 = label(p, "Label4", QStringLiteral("コンポジット"), 72, 264);
    Label9 = label(p, "Label9", QStringLiteral("Label7"), 144, 264);
    Label14 = label(p, "Label14", QStringLiteral("秒"), 200, 264);
    Label5 = label(p, "Label5", QStringLiteral("コンボリューション"), 40, 296);
    Label10 = label(p, "Label10", QStringLiteral("Label7"), 144, 296);
    Label15 = label(p, "Label15", QStringLiteral("秒"), 200, 296);
    Label18 = label(p, "Label18", QStringLiteral("トータル所要時間"), 40, 328);
    Label19 = label(p, "Label19", QStringLiteral("Label7"), 144, 328);
    Label20 = label(p, "Label20", QStringLiteral("秒"), 200, 328);
    Label2 = label(p, "Label2", QStringLiteral("総合処理能力"), 56, 368);
    Label11 = label(p, "Label11", QStringLiteral("Label7"), 144, 368);
    Label16 = label(p, "Label16", QStringLiteral("ポイント"), 200, 368);

    Button1 = new QPushButton(QStringLiteral("閉じる"), p);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(112, 416, 105, 25);
    connect(Button1, &QPushButton::clicked, this, &Tpanel::Button1Click);

    // Sized to its content: the panel is the whole client area.
    setFixedSize(321, 481);

    // Placed once, in the middle of the primary screen, from the stored outer size.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(centredOn(screen->size()));
}

void Tpanel::Button1Click()
{
    close();
}
