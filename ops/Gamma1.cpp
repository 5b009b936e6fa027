#include "Gamma1.h"

#include "Convert.h"
#include "FormFont.h"
#include "Seam.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TGMM *GMM = nullptr;

const QString TGMM::RefusalText = QStringLiteral("整数を入力してください");

QPoint TGMM::LayoutPosition()
{
    return {111, 180};
}

TGMM::TGMM(QWidget *owner)
    : forms::TDialogForm(owner)
{
    setObjectName(QStringLiteral("GMM"));
    setWindowTitle(QStringLiteral("GMM"));
    setFont(forms::LayoutFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));

    Panel1 = forms::MakePanel(this, "Panel1", 0, 0, 137, 113);
    Label1 = forms::MakeLabel(Panel1, "Label1", QStringLiteral("γ="), 16, 32);
    Edit1 = forms::MakeEdit(Panel1, "Edit1", QStringLiteral("1.0"), 48, 24, 57, 20);
    Button1 = forms::MakeButton(Panel1, "Button1", QStringLiteral("OK"), 48, 64, 49, 25);
    forms::Bind(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    SizeToContents();
    move(LayoutPosition());
}

// Accepts a positive exponent; the command reads the field again itself.
void TGMM::Button1Click()
{
    if (forms::StrToFloat(Edit1->text()) > 0)
        Close();
    else
        forms::ShowMessage(RefusalText);
}
