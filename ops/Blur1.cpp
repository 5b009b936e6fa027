#include "Blur1.h"

#include "FormFont.h"
#include "Seam.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TBLUR *BLUR = nullptr;

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
    connect(Button1, &QPushButton::clicked, this, [this] { forms::Guarded([this] { Button1Click(); }); });

    SizeToContents();
    move(LayoutPosition());
}

void TBLUR::Button1Click()
{
    Close();
}
