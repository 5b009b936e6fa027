#include "Image.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace forms {

TImage::TImage(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TImage::SetSize(int width, int height)
{
    resize(std::max(width, 0), std::max(height, 0));
}

void TImage::setStretch(bool on)
{
    stretch_ = on;
    update();
}

void TImage::setAutoSize(bool on)
{
    autoSize_ = on;
    Changed();
}

Bitmap &TImage::Picture()
{
    Changed();
    return bmp_;
}

void TImage::Changed()
{
    dirty_ = true;
    if (autoSize_ && !bmp_.Empty())
        resize(bmp_.Width(), bmp_.Height());
    update();
}

void TImage::ensureCanvas()
{
    if (bmp_.Empty())
        bmp_.SetSize(width(), height());
    else
        bmp_.SetPixelFormat24();
}

int TImage::Pixel(int x, int y)
{
    ensureCanvas();
    if (x < 0 || y < 0 || x >= bmp_.Width() || y >= bmp_.Height())
        return -1;
    const uint8_t *p = bmp_.ScanLine(y) + 3 * x;
    return (p[0] << 16) | (p[1] << 8) | p[2];
}

void TImage::SetPixel(int x, int y, int color)
{
    ensureCanvas();
    if (x < 0 || y < 0 || x >= bmp_.Width() || y >= bmp_.Height())
        return;
    uint8_t *p = bmp_.ScanLine(y) + 3 * x;
    p[0] = uint8_t((color >> 16) & 0xff);
    p[1] = uint8_t((color >> 8) & 0xff);
    p[2] = uint8_t(color & 0xff);
    Changed();
}

void TImage::Draw(int x, int y, const Bitmap &b)
{
    ensureCanvas();
    if (b.Empty())
        return;
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + b.Width(), bmp_.Width());
    const int y1 = std::min(y + b.Height(), bmp_.Height());
    if (x1 > x0 && y1 > y0) {
        for (int row = y0; row < y1; ++row)
            std::memcpy(bmp_.ScanLine(row) + 3 * x0, b.ScanLine(row - y) + 3 * (x0 - x),
                        size_t(3 * (x1 - x0)));
    }
    Changed();
}

void TImage::paintEvent(QPaintEvent *)
{
    if (bmp_.Empty())
        return;
    if (dirty_) {
        cache_ = QPixmap::fromImage(bmp_.image());
        dirty_ = false;
    }
    QPainter p(this);
    if (stretch_)
        p.drawPixmap(rect(), cache_);
    else
        p.drawPixmap(0, 0, cache_);
}

void TImage::mousePressEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    pressed_ = e->button() == Qt::LeftButton;
    emit MouseDown(e->button(), e->modifiers(), pos.x(), pos.y());
}

void TImage::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    emit MouseMove(e->modifiers(), pos.x(), pos.y());
}

void TImage::mouseReleaseEvent(QMouseEvent *e)
{
    const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    if (click)
        emit Click();
}

} // namespace forms
