// A 24-bit bitmap with row access: three bytes per pixel, blue, green, red.
#pragma once

#include "Rows.h"

#include <QImage>
#include <QString>

#include <cstdint>

namespace forms {

class Bitmap {
public:
    Bitmap(int width = 0, int height = 0);

    int Width() const { return img_.width(); }
    int Height() const { return img_.height(); }
    bool Empty() const { return img_.isNull() || img_.width() == 0 || img_.height() == 0; }

    // Resizes to width x height (negative sizes count as 0), keeping the
    // pixels of the overlap; new pixels are white.
    void SetSize(int width, int height);

    // Row y, 3 * Width() bytes: blue, green, red per pixel.  y must lie in
    // 0 .. Height() - 1.
    uint8_t *ScanLine(int y);
    const uint8_t *ScanLine(int y) const;

    // Reads a Windows bitmap file of any depth Qt's reader knows; the
    // picture is converted to 24 bits, and the 5- and 6-bit channels of a
    // 16-bit file are scaled to the full 0..255 range.  On failure the bitmap
    // is left unchanged, false is returned and *reason (when given) says why.
    bool LoadFromFile(const QString &path, QString *reason = nullptr);
    // Writes a 24-bit Windows bitmap file without ever destroying the one
    // there: the picture goes to a new file in the same folder, which
    // replaces the target only when it was written, flushed and closed.  On
    // failure the target is as it was, no scratch file is left, false is
    // returned and *reason (when given) has the system's reason.
    bool SaveToFile(const QString &path, QString *reason = nullptr) const;

    // Converts the pixels to the 24-bit layout in place (no change when
    // already 24-bit).
    void SetPixelFormat24();

    // The rows as the pixel layer sees them (converted to 24 bits first).
    pixels::Rows24 Rows();

    QImage &image() { return img_; }
    const QImage &image() const { return img_; }

private:
    QImage img_;
};

} // namespace forms
