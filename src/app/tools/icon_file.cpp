#include "app/tools/icon_file.h"

#include <QBuffer>
#include <QImage>
#include <QtEndian>

namespace qz {

namespace {

void put16(QByteArray& out, quint16 value) {
    value = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void put32(QByteArray& out, quint32 value) {
    value = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

QByteArray pngData(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

// BITMAPINFOHEADER (height doubled: colour rows then mask rows), BGRA rows bottom-up, then
// the AND mask, one bit per pixel, rows padded to 32 bits, set where the pixel is clear.
QByteArray bitmapData(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int side = image.width();
    const int maskStride = ((side + 31) / 32) * 4;
    QByteArray out;
    put32(out, 40);
    put32(out, quint32(side));
    put32(out, quint32(2 * side));
    put16(out, 1);  // planes
    put16(out, 32); // bits per pixel
    put32(out, 0);  // uncompressed
    put32(out, quint32(side * side * 4 + maskStride * side));
    for (int i = 0; i < 4; ++i)
        put32(out, 0); // resolution and palette
    for (int y = side - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < side; ++x)
            put32(out, row[x]); // 0xAARRGGBB is B, G, R, A in little-endian order
    }
    for (int y = side - 1; y >= 0; --y) {
        QByteArray mask(maskStride, '\0');
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < side; ++x) {
            if (qAlpha(row[x]) == 0)
                mask[x / 8] = char(mask[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(mask);
    }
    return out;
}

} // namespace

QByteArray icoFile(const QList<QImage>& images) {
    if (images.isEmpty())
        return {};
    QList<QByteArray> entries;
    for (const QImage& image : images)
        entries.append(image.width() >= 256 ? pngData(image) : bitmapData(image));

    QByteArray out;
    put16(out, 0); // reserved
    put16(out, 1); // icon
    put16(out, quint16(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (int i = 0; i < images.size(); ++i) {
        const int side = images[i].width();
        // A side of 256 is written as 0.
        out.append(char(side >= 256 ? 0 : side));
        out.append(char(side >= 256 ? 0 : side));
        out.append('\0'); // no palette
        out.append('\0');
        put16(out, 1);  // planes
        put16(out, 32); // bits per pixel
        put32(out, quint32(entries[i].size()));
        put32(out, offset);
        offset += quint32(entries[i].size());
    }
    for (const QByteArray& entry : entries)
        out.append(entry);
    return out;
}

} // namespace qz
