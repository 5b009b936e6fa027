#include "About.h"

#include "Gmc1.h"
#include "forms.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

TAboutBox *AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFont(forms::LayoutFont(QStringLiteral("MS Sans Serif"), 11));
    setModal(true);

    Panel1 = forms::MakePanel(this, "Panel1", 8, 8, 281, 161);
    Panel1->setFrameShadow(QFrame::Sunken);
    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(8, 8, 32, 32);
    ProgramIcon->setPixmap(TMainForm::ApplicationIcon().pixmap(32, 32));
    ProductName = forms::MakeLabel(Panel1, "ProductName", QStringLiteral("Lumetta"), 88, 16);
    Version = forms::MakeLabel(Panel1, "Version", QStringLiteral("Version 1.0"), 88, 40);
    OKButton = forms::MakeButton(this, "OKButton", QStringLiteral("OK"), 111, 178, 75, 25);
    connect(OKButton, &QPushButton::clicked, this, [this] { forms::CloseForm(this); });
    setFixedSize(298, 212);
}
