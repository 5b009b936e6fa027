#include "Title1.h"

#include "forms.h"

TTitle *Title = nullptr;

TTitle::TTitle(QWidget *owner)
    : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("Title"));
    setWindowTitle(QStringLiteral("Title"));
    setFont(forms::LayoutFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    resize(kLayoutWidth, kLayoutHeight);

    Image1 = new forms::TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 750, 498);
    Image1->setAutoSize(true); // sized to its picture once it holds one
    forms::Bind(Image1, &forms::TImage::Click, this, [this] { Image1Click(); });
}

void TTitle::Image1Click()
{
    close();
}
