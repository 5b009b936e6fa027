#include "Bitmap.h"

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <new>

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
    if (next.isNull())
        throw std::bad_alloc();
    // The overlap is copied, only the rest is whitened.
    int w = 0, h = 0;
    if (!Empty()) {
        SetPixelFormat24();
        w = std::min(width, Width());
        h = std::min(height, Height());
    }
    for (int y = 0; y < height; ++y) {
        uint8_t *row = next.scanLine(y);
        const int kept = y < h ? w : 0;
        if (kept > 0)
            std::memcpy(row, img_.constScanLine(y), size_t(3) * kept);
        std::memset(row + 3 * kept, 0xff, size_t(3) * (width - kept));
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
