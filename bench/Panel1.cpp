#include "Panel1.h"

#include "Controls.h"
#include "FormFont.h"
#include "Platform.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

Tpanel *panel = nullptr;

namespace {

// Stored places of the memory line: figure / figure unit.
constexpr int kMemoryTop = 128;
constexpr int kSeparatorLeft = 168;
constexpr int kInstalledLeft = 184;
constexpr int kUnitLeft = 216;

void keepRightOf(const QLabel *left, QLabel *label)
{
    const int edge = left->x() + left->width();
    if (label->x() < edge)
        label->move(edge, label->y());
}

} // namespace

QPoint Tpanel::centredOn(const QSize &screen)
{
    return forms::CentredOrigin(screen, {kLayoutWidth, kLayoutHeight});
}

Tpanel::Tpanel(QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("panel"));
    setWindowTitle(QStringLiteral("Result"));
    setFont(forms::LayoutFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    setAutoFillBackground(true);

    Panel1 = forms::MakePanel(this, "Panel1", 0, 0, 321, 481);

    QWidget *p = Panel1;
    Label1 = forms::MakeLabel(p, "Label1", QStringLiteral("測定結果"), 128, 40);
    Label1->setFont(forms::LayoutFont(QStringLiteral("ＭＳ Ｐゴシック"), 16));
    Label1->adjustSize();
    Label21 = forms::MakeLabel(p, "Label21", QStringLiteral("測定日時"), 80, 80);
    Label17 = forms::MakeLabel(p, "Label17", QStringLiteral("YYYY/MM/DD"), 144, 80);
    Label22 = forms::MakeLabel(p, "Label22", QStringLiteral("OS"), 112, 104);
    Label23 = forms::MakeLabel(p, "Label23", QStringLiteral("Label23"), 144, 104);
    Label24 = forms::MakeLabel(p, "Label24", QStringLiteral("使用可能メモリ"), 56, 128);
    Label25 = forms::MakeLabel(p, "Label25", QStringLiteral("L25"), 144, 128);
    Label28 = forms::MakeLabel(p, "Label28", QStringLiteral("/"), kSeparatorLeft, kMemoryTop);
    Label27 = forms::MakeLabel(p, "Label27", QStringLiteral("L27"), kInstalledLeft, kMemoryTop);
    Label26 = forms::MakeLabel(p, "Label26", QStringLiteral("MB(残存/搭載)"), kUnitLeft, kMemoryTop);
    Label6 = forms::MakeLabel(p, "Label6", QStringLiteral("ファイルアクセス"), 48, 168);
    Label7 = forms::MakeLabel(p, "Label7", QStringLiteral("Label7"), 144, 168);
    Label12 = forms::MakeLabel(p, "Label12", QStringLiteral("秒"), 200, 168);
    Label29 = forms::MakeLabel(p, "Label29", QStringLiteral("画像表示"), 80, 200);
    Label30 = forms::MakeLabel(p, "Label30", QStringLiteral("Label30"), 144, 200);
    Label31 = forms::MakeLabel(p, "Label31", QStringLiteral("秒"), 200, 200);
    Label3 = forms::MakeLabel(p, "Label3", QStringLiteral("メモリ確保"), 80, 232);
    Label8 = forms::MakeLabel(p, "Label8", QStringLiteral("Label7"), 144, 232);
    Label13 = forms::MakeLabel(p, "Label13", QStringLiteral("秒"), 200, 232);
    Label4 = forms::MakeLabel(p, "Label4", QStringLiteral("コンポジット"), 72, 264);
    Label9 = forms::MakeLabel(p, "Label9", QStringLiteral("Label7"), 144, 264);
    Label14 = forms::MakeLabel(p, "Label14", QStringLiteral("秒"), 200, 264);
    Label5 = forms::MakeLabel(p, "Label5", QStringLiteral("コンボリューション"), 40, 296);
    Label10 = forms::MakeLabel(p, "Label10", QStringLiteral("Label7"), 144, 296);
    Label15 = forms::MakeLabel(p, "Label15", QStringLiteral("秒"), 200, 296);
    Label18 = forms::MakeLabel(p, "Label18", QStringLiteral("トータル所要時間"), 40, 328);
    Label19 = forms::MakeLabel(p, "Label19", QStringLiteral("Label7"), 144, 328);
    Label20 = forms::MakeLabel(p, "Label20", QStringLiteral("秒"), 200, 328);
    Label2 = forms::MakeLabel(p, "Label2", QStringLiteral("総合処理能力"), 56, 368);
    Label11 = forms::MakeLabel(p, "Label11", QStringLiteral("Label7"), 144, 368);
    Label16 = forms::MakeLabel(p, "Label16", QStringLiteral("ポイント"), 200, 368);

    Button1 = forms::MakeButton(p, "Button1", QStringLiteral("閉じる"), 112, 416, 105, 25);
    connect(Button1, &QPushButton::clicked, this, &Tpanel::Button1Click);

    // Sized to its content: the panel is the whole client area.
    setFixedSize(321, 481);

    // Placed once, in the middle of the primary screen, from the stored outer size.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(centredOn(screen->size()));
}

void Tpanel::ArrangeMemoryFigures()
{
    Label28->move(kSeparatorLeft, kMemoryTop);
    Label27->move(kInstalledLeft, kMemoryTop);
    Label26->move(kUnitLeft, kMemoryTop);
    keepRightOf(Label25, Label28);
    keepRightOf(Label28, Label27);
    keepRightOf(Label27, Label26);
}

void Tpanel::Button1Click()
{
    close();
}
