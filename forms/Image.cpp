#include "Image.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <new>

namespace forms {

namespace {

// The pixels of img inside src, in the 32-bit format the painter blits
// fastest.  A 24-bit bitmap is converted row by row, only inside src.
QImage part(const QImage &img, const QRect &src)
{
    if (img.format() == QImage::Format_BGR888) {
        QImage out(src.size(), QImage::Format_RGB32);
        for (int y = 0; y < src.height(); ++y) {
            const uint8_t *in = img.constScanLine(src.top() + y) + 3 * src.left();
            auto *px = reinterpret_cast<QRgb *>(out.scanLine(y));
            for (int x = 0; x < src.width(); ++x, in += 3)
                px[x] = 0xff000000u | (uint32_t(in[2]) << 16) | (uint32_t(in[1]) << 8) | in[0];
        }
        return out;
    }
    if (img.depth() < 8)
        return img.copy(src);
    QImage view(img.constScanLine(src.top()) + qsizetype(src.left()) * (img.depth() / 8), src.width(),
                src.height(), img.bytesPerLine(), img.format());
    if (!img.colorTable().isEmpty())
        view.setColorTable(img.colorTable());
    return view;
}

} // namespace

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
    if (autoSize_ && !bmp_.Empty())
        resize(bmp_.Width(), bmp_.Height());
    scheduleRepaint();
}

// One repaint for any number of changes: the first change after a paint asks
// for it, and the flag is cleared when the events already queued have run
// (before the repaint itself, which is queued at a lower priority) or when a
// paint happens, whichever comes first.  A change made after that asks again.
void TImage::scheduleRepaint()
{
    if (repaintPending_)
        return;
    repaintPending_ = true;
    update();
    QMetaObject::invokeMethod(this, [this] { repaintPending_ = false; }, Qt::QueuedConnection);
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
    scheduleRepaint();
}

void TImage::Draw(int x, int y, const Bitmap &b)
{
    if (b.Empty()) {
        ensureCanvas();
        return;
    }
    const bool fresh = bmp_.Empty();
    const int cw = fresh ? width() : bmp_.Width();
    const int ch = fresh ? height() : bmp_.Height();
    if (cw <= 0 || ch <= 0)
        return;
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::max(x0, std::min(x + b.Width(), cw));
    const int y1 = std::max(y0, std::min(y + b.Height(), ch));
    const size_t covered = size_t(3) * size_t(x1 - x0);
    QImage &canvas = bmp_.image();
    const bool coversAll = x0 == 0 && y0 == 0 && x1 == cw && y1 == ch;

    if (fresh || (coversAll && (!canvas.isDetached() || canvas.format() != QImage::Format_BGR888))) {
        // A new bitmap built from b in one pass: no white fill under b, no
        // copy or conversion of a canvas that b replaces entirely.
        QImage next(cw, ch, QImage::Format_BGR888);
        if (next.isNull())
            throw std::bad_alloc();
        for (int row = 0; row < ch; ++row) {
            uint8_t *dst = next.scanLine(row);
            if (row < y0 || row >= y1 || covered == 0) {
                std::memset(dst, 0xff, size_t(3) * cw);
                continue;
            }
            std::memset(dst, 0xff, size_t(3) * x0);
            std::memcpy(dst + 3 * x0, b.ScanLine(row - y) + 3 * (x0 - x), covered);
            std::memset(dst + 3 * x1, 0xff, size_t(3) * (cw - x1));
        }
        canvas = std::move(next);
    } else {
        bmp_.SetPixelFormat24();
        for (int row = y0; row < y1; ++row)
            std::memmove(bmp_.ScanLine(row) + 3 * x0, b.ScanLine(row - y) + 3 * (x0 - x), covered);
    }
    Changed();
}

void TImage::paintEvent(QPaintEvent *e)
{
    repaintPending_ = false;
    if (bmp_.Empty())
        return;
    const QImage &img = bmp_.image();
    const QRect exposed = e->rect() & rect();
    if (exposed.isEmpty())
        return;
    QPainter p(this);
    if (!stretch_) {
        const QRect src = exposed & img.rect();
        if (!src.isEmpty())
            p.drawImage(src.topLeft(), part(img, src));
        return;
    }
    // Control column X shows bitmap column X * w / W (rows likewise): take
    // the bitmap pixels under the exposed area and scale only those.
    const qint64 W = width(), H = height(), w = img.width(), h = img.height();
    const int sx0 = int(exposed.left() * w / W);
    const int sy0 = int(exposed.top() * h / H);
    const int sx1 = int(std::min(w, ((exposed.right() + 1) * w + W - 1) / W));
    const int sy1 = int(std::min(h, ((exposed.bottom() + 1) * h + H - 1) / H));
    if (sx1 <= sx0 || sy1 <= sy0)
        return;
    const QRect src(sx0, sy0, sx1 - sx0, sy1 - sy0);
    const QRectF target(sx0 * double(W) / double(w), sy0 * double(H) / double(h),
                        (sx1 - sx0) * double(W) / double(w), (sy1 - sy0) * double(H) / double(h));
    p.setClipRect(exposed);
    p.drawImage(target, part(img, src));
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
