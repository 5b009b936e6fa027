#include "Edge1.h"

#include "Convert.h"
#include "FormFont.h"
#include "Seam.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TEDG *EDG = nullptr;
double EdgeStrength = 0;

const QString TEDG::RefusalText = QStringLiteral("1.0-5.0の数字を入力してください");

QPoint TEDG::LayoutPosition()
{
    return {459, 149};
}

TEDG::TEDG(QWidget *owner)
    : forms::TDialogForm(owner)
{
    setObjectName(QStringLiteral("EDG"));
    setWindowTitle(QStringLiteral("EDG"));
    setFont(forms::LayoutFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));

    Panel1 = forms::MakePanel(this, "Panel1", 0, 0, 129, 105);
    // Made in tab order: the OK button comes first.
    Button1 = forms::MakeButton(Panel1, "Button1", QStringLiteral("OK"), 32, 64, 65, 25);
    Label1 = forms::MakeLabel(Panel1, "Label1", QStringLiteral("強さ(1-5)"), 8, 24);
    Edit1 = forms::MakeEdit(Panel1, "Edit1", QStringLiteral("1.0"), 64, 16, 49, 20);
    forms::Bind(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    SizeToContents();
    move(LayoutPosition());
}

// Stores the strength, then closes when it lies in 1.0 .. 5.0.
void TEDG::Button1Click()
{
    EdgeStrength = forms::StrToFloat(Edit1->text());
    if (EdgeStrength >= 1.0 && EdgeStrength <= 5.0)
        Close();
    else
        forms::ShowMessage(RefusalText);
}
