#include "app/artwork.h"

#include "widgets/qz_style.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cmath>

namespace qz {

namespace {

// An open ring with a bar through its gap and a clock hand, centred in a square of side
// `side`; radius is the ring's radius as a share of the side.
void drawPowerClock(QPainter& p, qreal side, qreal radius, const QColor& ring, const QColor& hand) {
    const qreal c = side / 2.0;
    const qreal r = side * radius;
    const qreal pen = r * 0.28;
    p.setPen(QPen(ring, pen, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF box(c - r, c - r, 2 * r, 2 * r);
    // Qt angles are in 1/16 degree, counter-clockwise from 3 o'clock; leave the top open.
    p.drawArc(box, (90 + 35) * 16, (360 - 70) * 16);
    p.drawLine(QPointF(c, c - r - pen * 0.6), QPointF(c, c - r * 0.15));
    p.setPen(QPen(hand, pen * 0.75, Qt::SolidLine, Qt::RoundCap));
    const qreal a = qDegreesToRadians(35.0);
    p.drawLine(QPointF(c, c), QPointF(c + std::sin(a) * r * 0.62, c + std::cos(a) * r * 0.62));
    p.setPen(Qt::NoPen);
    p.setBrush(hand);
    p.drawEllipse(QPointF(c, c), pen * 0.55, pen * 0.55);
}

QImage transparentSquare(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

QImage programIcon(int side) {
    QImage image = transparentSquare(side);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tile;
    const qreal m = side * 0.04;
    tile.addRoundedRect(QRectF(m, m, side - 2 * m, side - 2 * m), side * 0.2, side * 0.2);
    p.fillPath(tile, kBrandBlue);
    drawPowerClock(p, side, 0.30, Qt::white, kAccentOrange);
    return image;
}

QImage logoImage(int side) {
    QImage image = transparentSquare(side);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawPowerClock(p, side, 0.36, Qt::white, kAccentOrange);
    return image;
}

} // namespace qz
