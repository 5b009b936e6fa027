// Windows bitmap files: reading through Qt's image reader, writing safely.
#include "Bitmap.h"

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include <array>
#include <cstdint>

namespace forms {

namespace {

uint32_t le32(const QByteArray &b, int at)
{
    if (at + 4 > b.size())
        return 0;
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}

// The largest value of a channel's bit field (31 for 5 bits), 0 for none.
uint32_t fieldMax(uint32_t mask)
{
    if (mask == 0)
        return 0;
    while ((mask & 1) == 0)
        mask >>= 1;
    return mask;
}

// Qt's reader widens a channel of a 16-bit file by a factor (8 for 5 bits,
// 4 for 6), so white comes out as 248 or 252.  The table maps its result to
// the full range the way other readers scale: (v * 255 + max div 2) div max.
std::array<uint8_t, 256> fullRange(uint32_t max)
{
    std::array<uint8_t, 256> t{};
    const uint32_t factor = 256 / (max + 1);
    for (uint32_t q = 0; q < 256; ++q) {
        const uint32_t v = factor ? q / factor : q;
        t[q] = uint8_t(v > max ? 255 : (v * 255 + max / 2) / max);
    }
    return t;
}

// The blue, green and red fields of a 16-bit file, or none for any other
// depth (Qt decodes those exactly).
bool sixteenBitFields(const QByteArray &head, uint32_t masks[3])
{
    if (head.size() < 34 || head[0] != 'B' || head[1] != 'M')
        return false;
    const uint32_t infoSize = le32(head, 14);
    if (infoSize < 40 || (uint8_t(head[28]) | uint8_t(head[29]) << 8) != 16)
        return false;
    const uint32_t compression = le32(head, 30);
    if (compression == 3 /* bit fields */) {
        // After a 40-byte header, or inside a longer one: at offset 54.
        masks[2] = le32(head, 54);
        masks[1] = le32(head, 58);
        masks[0] = le32(head, 62);
    } else if (compression == 0) {
        masks[2] = 0x7C00;
        masks[1] = 0x03E0;
        masks[0] = 0x001F;
    } else {
        return false;
    }
    return true;
}

} // namespace

bool Bitmap::LoadFromFile(const QString &path, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    const QByteArray head = file.peek(66);
    QImageReader reader(&file, "bmp");
    QImage loaded = reader.read();
    if (loaded.isNull()) {
        if (reason)
            *reason = reader.errorString();
        return false;
    }
    loaded.convertTo(QImage::Format_BGR888);
    uint32_t masks[3];
    if (sixteenBitFields(head, masks)) {
        std::array<uint8_t, 256> table[3];
        bool any = false;
        for (int c = 0; c < 3; ++c) {
            const uint32_t max = fieldMax(masks[c]);
            if (max >= 1 && max < 255) {
                table[c] = fullRange(max);
                any = true;
            } else {
                for (int q = 0; q < 256; ++q)
                    table[c][q] = uint8_t(q);
            }
        }
        for (int y = 0; any && y < loaded.height(); ++y) {
            uint8_t *row = loaded.scanLine(y);
            for (int x = 0; x < loaded.width(); ++x)
                for (int c = 0; c < 3; ++c)
                    row[3 * x + c] = table[c][row[3 * x + c]];
        }
    }
    img_ = std::move(loaded);
    return true;
}

bool Bitmap::SaveToFile(const QString &path, QString *reason) const
{
    if (Empty()) {
        if (reason)
            *reason = QStringLiteral("empty picture");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    QImageWriter writer(&file, "bmp");
    // Qt's BMP writer stores an image without alpha channel as 24 bits.
    if (!writer.write(img_.convertToFormat(QImage::Format_RGB888))) {
        if (reason)
            *reason = file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace forms
