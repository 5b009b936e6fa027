#include "Sabachie1.h"

#include "FormFont.h"
#include "Seam.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TSabachie *Sabachie = nullptr;

QPoint TSabachie::LayoutPosition()
{
    return {470, 199};
}

TSabachie::TSabachie(QWidget *owner)
    : forms::TDialogForm(owner)
{
    setObjectName(QStringLiteral("Sabachie"));
    setWindowTitle(QStringLiteral("Sabachie"));
    setFont(forms::LayoutFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));

    Sabachie = forms::MakePanel(this, "Sabachie", 0, 0, 169, 153);
    Label1 = forms::MakeLabel(Sabachie, "Label1", QStringLiteral("ステップ幅"), 16, 40);
    Edit1 = forms::MakeEdit(Sabachie, "Edit1", QStringLiteral("255"), 88, 32, 41, 20);
    Button1 = forms::MakeButton(Sabachie, "Button1", QStringLiteral("OK"), 48, 96, 73, 25);
    forms::Bind(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    SizeToContents();
    move(LayoutPosition());
}

// Closes; the command reads the step itself.
void TSabachie::Button1Click()
{
    Close();
}
