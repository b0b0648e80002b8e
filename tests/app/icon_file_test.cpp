// The Windows icon file the build makes from the artwork, read back by Qt's own icon reader.
#include "app/tools/icon_file.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// Opaque colour with a transparent top-left quarter and a half-transparent pixel, so both
// the colour bits and the mask/alpha of each size are checked.
QImage sample(int side, QRgb colour) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(colour);
    for (int y = 0; y < side / 2; ++y)
        for (int x = 0; x < side / 2; ++x)
            image.setPixel(x, y, qRgba(0, 0, 0, 0));
    image.setPixel(side - 1, side - 1, qRgba(10, 20, 30, 128));
    return image;
}

quint16 word(const QByteArray& data, int offset) {
    return qFromLittleEndian<quint16>(data.constData() + offset);
}

TEST(IconFile, EverySizeReadsBackWithItsPixels) {
    const QList<int> sides{16, 24, 32, 48, 256};
    QList<QImage> images;
    for (int i = 0; i < sides.size(); ++i)
        images.append(sample(sides[i], qRgb(40 * i, 87, 154)));
    QByteArray data = qz::icoFile(images);

    ASSERT_GE(data.size(), 6 + 16 * sides.size());
    EXPECT_EQ(word(data, 0), 0);
    EXPECT_EQ(word(data, 2), 1);
    EXPECT_EQ(word(data, 4), sides.size());
    // The directory gives 256 as 0.
    EXPECT_EQ(quint8(data[6 + 16 * 4]), 0);
    EXPECT_EQ(quint8(data[6 + 16 * 0]), 16);

    ASSERT_TRUE(QImageReader::supportedImageFormats().contains("ico"));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "ico");
    ASSERT_EQ(reader.imageCount(), sides.size());
    for (int i = 0; i < sides.size(); ++i) {
        SCOPED_TRACE(sides[i]);
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage read = reader.read().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(read.size(), images[i].size());
        for (const QPoint p : {QPoint(0, 0), QPoint(sides[i] - 1, 0), QPoint(sides[i] / 2, 1),
                               QPoint(sides[i] - 1, sides[i] - 1)})
            EXPECT_EQ(read.pixel(p), images[i].pixel(p)) << p.x() << "," << p.y();
    }
}

TEST(IconFile, NoImagesNoFile) {
    EXPECT_TRUE(qz::icoFile({}).isEmpty());
}

} // namespace
