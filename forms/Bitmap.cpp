#include "Bitmap.h"

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>

namespace forms {

namespace {
constexpr QImage::Format kFormat = QImage::Format_BGR888;
}

Bitmap::Bitmap(int width, int height)
{
    SetSize(width, height);
}

void Bitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height() && (img_.isNull() || img_.format() == kFormat))
        return;
    if (width == 0 || height == 0) {
        img_ = QImage();
        return;
    }
    QImage next(width, height, kFormat);
    next.fill(Qt::white);
    if (!Empty()) {
        SetPixelFormat24();
        const int w = std::min(width, Width());
        const int h = std::min(height, Height());
        for (int y = 0; y < h; ++y)
            std::copy_n(img_.constScanLine(y), 3 * w, next.scanLine(y));
    }
    img_ = std::move(next);
}

uint8_t *Bitmap::ScanLine(int y)
{
    return img_.scanLine(y);
}

const uint8_t *Bitmap::ScanLine(int y) const
{
    return img_.constScanLine(y);
}

pixels::Rows24 Bitmap::Rows()
{
    SetPixelFormat24();
    if (Empty())
        return {};
    return {img_.bits(), img_.bytesPerLine(), img_.width(), img_.height()};
}

void Bitmap::SetPixelFormat24()
{
    if (!img_.isNull() && img_.format() != kFormat)
        img_ = img_.convertToFormat(kFormat);
}

} // namespace forms
