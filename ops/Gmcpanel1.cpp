#include "Gmcpanel1.h"

#include "Blur1.h"
#include "Convert.h"
#include "FormFont.h"
#include "Seam.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TGMCPanel *GMCPanel = nullptr;
int SmearDirection = 0;
int FlowAmount = 0;
int SmoothingThreshold = 0;
int GuideMissConfirmed = 0;

QPoint TGMCPanel::LayoutPosition()
{
    return {440, 180};
}

TGMCPanel::TGMCPanel(QWidget *owner)
    : forms::TDialogForm(owner)
{
    setObjectName(QStringLiteral("GMCPanel"));
    setWindowTitle(QStringLiteral("GMCPanel"));
    setFont(forms::LayoutFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));

    // Made in tab order: Button1, then the first group (Edit2, Edit1), then
    // the second (Edit3, Edit4).
    Button1 = forms::MakeButton(this, "Button1", QStringLiteral("OK"), 56, 184, 57, 25);

    GroupBox1 = forms::MakeGroupBox(this, "GroupBox1", QStringLiteral("GMC"), 0, 0, 161, 81);
    Edit2 = forms::MakeEdit(GroupBox1, "Edit2", QStringLiteral("1"), 49, 17, 49, 20);
    Edit1 = forms::MakeEdit(GroupBox1, "Edit1", QStringLiteral("0"), 49, 41, 49, 20);
    Label1 = forms::MakeLabel(GroupBox1, "Label1", QStringLiteral("流れ量"), 9, 25);
    Label3 = forms::MakeLabel(GroupBox1, "Label3", QStringLiteral("ピクセル"), 105, 25);
    Label2 = forms::MakeLabel(GroupBox1, "Label2", QStringLiteral("向き"), 17, 49);
    Label4 = forms::MakeLabel(GroupBox1, "Label4", QStringLiteral("度"), 105, 49);

    GroupBox2 = forms::MakeGroupBox(this, "GroupBox2", QStringLiteral("Blur"), 0, 88, 161, 89);
    Edit3 = forms::MakeEdit(GroupBox2, "Edit3", QStringLiteral("0.2"), 49, 17, 49, 20);
    Edit4 = forms::MakeEdit(GroupBox2, "Edit4", QStringLiteral("0"), 49, 41, 49, 20);
    Label8 = forms::MakeLabel(GroupBox2, "Label8", QStringLiteral("ぼけ量"), 9, 25);
    Label5 = forms::MakeLabel(GroupBox2, "Label5", QStringLiteral("ピクセル"), 105, 25);
    Label6 = forms::MakeLabel(GroupBox2, "Label6", QStringLiteral("閾値"), 17, 49);

    forms::Bind(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    SizeToContents();
    move(LayoutPosition());
}

// Stores the fields one by one, so that a field that does not parse
// leaves the earlier ones stored and the later ones as they were.
void TGMCPanel::Button1Click()
{
    SmearDirection = forms::StrToInt(Edit1->text());
    FlowAmount = forms::StrToInt(Edit2->text());
    BlurAmount = forms::StrToFloat(Edit3->text());
    if (BlurAmount < 0.2) {
        BlurAmount = 0.2;
        Edit3->setText(QStringLiteral("0.2"));
    }
    SmoothingThreshold = forms::StrToInt(Edit4->text());
    GuideMissConfirmed = 1;
    Close();
}
