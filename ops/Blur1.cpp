#include "Blur1.h"

#include "Convert.h"
#include "FormFont.h"
#include "Seam.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TBLUR *BLUR = nullptr;
double BlurAmount = 0;

const QString TBLUR::RefusalText = QStringLiteral("正の数字を入力してください");

QPoint TBLUR::LayoutPosition()
{
    return {359, 149};
}

TBLUR::TBLUR(QWidget *owner)
    : forms::TDialogForm(owner)
{
    setObjectName(QStringLiteral("BLUR"));
    setWindowTitle(QStringLiteral("BLUR"));
    setFont(forms::LayoutFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));

    Panel1 = forms::MakePanel(this, "Panel1", 0, 0, 129, 129);
    Label1 = forms::MakeLabel(Panel1, "Label1", QStringLiteral("ボケ量"), 16, 48);
    Edit1 = forms::MakeEdit(Panel1, "Edit1", QStringLiteral("1.0"), 64, 40, 33, 20);
    Button1 = forms::MakeButton(Panel1, "Button1", QStringLiteral("OK"), 48, 80, 41, 25);
    forms::Bind(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    SizeToContents();
    move(LayoutPosition());
}

// Stores the amount, then closes when it lies in (0, 10].
void TBLUR::Button1Click()
{
    BlurAmount = forms::StrToFloat(Edit1->text());
    if (BlurAmount > 0 && BlurAmount <= 10)
        Close();
    else
        forms::ShowMessage(RefusalText);
}
