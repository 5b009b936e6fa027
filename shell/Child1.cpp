#include "Child1.h"

#include "Gmc1.h"
#include "Viewer.h"
#include "forms.h"

#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QScrollArea>

#include <algorithm>

namespace {

QLineEdit *field(QWidget *parent, const char *name, const QString &text)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setVisible(false);
    return e;
}

forms::TImage *picture(QWidget *parent, const char *name)
{
    auto *i = new forms::TImage(parent);
    i->setObjectName(QString::fromLatin1(name));
    return i;
}

} // namespace

TChild::TChild(TMainForm *owner)
    : QWidget(nullptr)
    , owner_(owner)
{
    setObjectName(QStringLiteral("Child"));
    setFont(forms::LayoutFont(QStringLiteral("MS Sans Serif"), 11));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);

    // The client area scrolls when it is smaller than the displayed picture.
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("ClientArea"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Button);

    Image = picture(nullptr, "Image");
    Image->SetSize(kImageLayoutWidth, kImageLayoutHeight);
    scroll_->setWidget(Image); // at the client origin
    ImageZm = picture(this, "ImageZm");
    ImageZm->setVisible(false);
    DemX = field(this, "DemX", QStringLiteral("0"));
    DemY = field(this, "DemY", QStringLiteral("0"));
    ColN = field(this, "ColN", QStringLiteral("0"));
    ZomN = field(this, "ZomN", QStringLiteral("0"));
    UndoFlg = field(this, "UndoFlg", QStringLiteral("0"));
    Image1 = picture(this, "Image1");
    Image1->setVisible(false);
    Contrast = field(this, "Contrast", QStringLiteral("1.0"));
    Average = field(this, "Average", QStringLiteral(" "));
    Minimum = field(this, "Minimum", QString());
    FilterI = field(this, "FilterI", QString());
    MAX = field(this, "MAX", QString());
    MIN = field(this, "MIN", QString());

    forms::Bind(Image, &forms::TImage::MouseMove, this,
                [this](Qt::KeyboardModifiers shift, int x, int y) { ImageMouseMove(shift, x, y); });
    forms::Bind(Image, &forms::TImage::MouseDown, this,
                [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
                    ImageMouseDown(button, shift, x, y);
                });
}

void TChild::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    scroll_->setGeometry(rect());
}

bool TChild::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == SubWindow() && e->type() == QEvent::Close)
        forms::Guarded([this] { FormClose(); });
    return QWidget::eventFilter(watched, e);
}

void TChild::FormActivate()
{
    const double z = forms::StrToFloat(ZomN->text());
    const QString text = forms::FormatPercent(forms::CheckFloat(z * 100));
    if (owner_)
        owner_->Edit1->setText(text);
}

void TChild::FormClose()
{
    if (QMdiSubWindow *sub = SubWindow())
        sub->setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_DeleteOnClose);
}

void TChild::ImageMouseMove(Qt::KeyboardModifiers, int x, int y)
{
    // The stretched display maps back to the picture's own pixels.  The
    // point is taken when a kind needs it, so that a window without a kind
    // (and with zoom 0) reports its kind, not its zoom.
    const double z = forms::StrToFloat(ZomN->text());
    const double s = 1.0 / z;
    auto point = [&] { return QPoint(forms::Trunc(x * s), forms::Trunc(y * s)); };
    auto show = [this](const std::string &text) { forms::SetCaption(owner_->Label2, QString::fromStdString(text)); };
    if (forms::StrToInt(FilterI->text()) == 1) {
        const QPoint p = point();
        show(pixels::BitmapReadout(Image->Pixel(p.x(), p.y()), x, y));
    }
    if (forms::StrToInt(FilterI->text()) == 2) {
        const QPoint p = point();
        show(pixels::FrameReadout(ImageZm->Pixel(p.x(), p.y()), x, y));
    }
}

void TChild::ImageMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    // The squares centre on the mouse in control pixels, whatever the zoom.
    const pixels::Star star = pixels::MeasureStar([this](int px, int py) { return Image->Pixel(px, py); }, x, y,
                                                  button == Qt::LeftButton);
    forms::SetCaption(owner_->Label3, QString::fromStdString(pixels::PeakText(star)));
    forms::SetCaption(owner_->Label4, QString::fromStdString(pixels::FwhmText(star)));
}

void TChild::SetAutoSize(bool on)
{
    autoSize_ = on;
    if (on && Image->width() > 0 && Image->height() > 0)
        SetClientSize(Image->width(), Image->height());
}

void TChild::SetClientSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    QMdiSubWindow *sub = SubWindow();
    if (!sub) {
        resize(width, height);
        return;
    }
    if (QLayout *l = sub->layout())
        l->activate();
    const QSize frame = sub->size() - size();
    sub->resize(width + frame.width(), height + frame.height());
}

void TChild::SetImageSize(int width, int height)
{
    Image->SetSize(width, height);
    if (autoSize_)
        SetClientSize(Image->width(), Image->height());
}

void TChild::SetOuterSize(int width, int height)
{
    if (QMdiSubWindow *sub = SubWindow())
        sub->resize(std::max(width, 0), std::max(height, 0));
    else
        resize(std::max(width, 0), std::max(height, 0));
}

int TChild::OuterWidth() const
{
    QMdiSubWindow *sub = SubWindow();
    return sub ? sub->width() : width();
}

int TChild::OuterHeight() const
{
    QMdiSubWindow *sub = SubWindow();
    return sub ? sub->height() : height();
}

void TChild::BringToFront()
{
    QWidget *w = SubWindow() ? static_cast<QWidget *>(SubWindow()) : this;
    w->show();
    w->raise();
}

void TChild::WriteImageFields(int width, int height, int colN)
{
    DemX->setText(forms::IntToStr(width));
    DemY->setText(forms::IntToStr(height));
    ColN->setText(forms::IntToStr(colN));
    ZomN->setText(forms::FormatFloat(QStringLiteral("0.00"), 1.0));
    UndoFlg->setText(QStringLiteral("0"));
}

void TChild::SetCaption(const QString &caption)
{
    setWindowTitle(caption);
    if (QMdiSubWindow *sub = SubWindow())
        sub->setWindowTitle(caption);
}

QString TChild::Caption() const
{
    return windowTitle();
}

QMdiSubWindow *TChild::SubWindow() const
{
    return qobject_cast<QMdiSubWindow *>(parentWidget());
}

void TChild::Close()
{
    if (QMdiSubWindow *sub = SubWindow())
        sub->close();
    else
        close();
}
