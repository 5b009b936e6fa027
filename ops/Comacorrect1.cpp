#include "Comacorrect1.h"

#include "FormFont.h"
#include "Seam.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TComaCorrect *ComaCorrect = nullptr;

QPoint TComaCorrect::LayoutPosition()
{
    return {261, 122};
}

TComaCorrect::TComaCorrect(QWidget *owner)
    : forms::TDialogForm(owner)
{
    setObjectName(QStringLiteral("ComaCorrect"));
    setWindowTitle(QStringLiteral("ComaCorrect"));
    setFont(forms::LayoutFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));

    Panel1 = forms::MakePanel(this, "Panel1", 0, 0, 209, 185);
    Label1 = forms::MakeLabel(Panel1, "Label1", QStringLiteral("光軸座標"), 72, 8);
    Label2 = forms::MakeLabel(Panel1, "Label2", QStringLiteral("X = "), 16, 32);
    Edit1 = forms::MakeEdit(Panel1, "Edit1", QString(), 40, 32, 41, 20);
    Label3 = forms::MakeLabel(Panel1, "Label3", QStringLiteral("Y = "), 104, 32);
    Edit2 = forms::MakeEdit(Panel1, "Edit2", QString(), 128, 32, 41, 20);
    Label4 = forms::MakeLabel(Panel1, "Label4", QStringLiteral("コマ量"), 88, 72);
    Edit3 = forms::MakeEdit(Panel1, "Edit3", QString(), 80, 96, 49, 20);
    Button1 = forms::MakeButton(Panel1, "Button1", QStringLiteral("OK"), 72, 152, 65, 25);
    forms::Bind(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    SizeToContents();
    move(LayoutPosition());
}

// Closes without looking at the fields; the command parses them.
void TComaCorrect::Button1Click()
{
    Close();
}
