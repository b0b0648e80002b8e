// Draws the program icon and the title-bar logo into PNG files. The PNGs under
// src/app/resources were made with it; run it again only to change the artwork:
//   qz_draw_icons <resources folder>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>

namespace {

const QColor kBrandBlue(43, 87, 154);
const QColor kAccentOrange(255, 128, 0);

// A power mark (an open ring with a bar through its gap) with a clock hand,
// centred in a square of side `side`.
void drawPowerClock(QPainter& p, qreal side, qreal radius, const QColor& ring, const QColor& hand) {
    const qreal c = side / 2.0;
    const qreal r = side * radius;
    const qreal pen = r * 0.28;
    QPen ringPen(ring, pen, Qt::SolidLine, Qt::RoundCap);
    p.setPen(ringPen);
    p.setBrush(Qt::NoBrush);
    const QRectF box(c - r, c - r, 2 * r, 2 * r);
    // Qt angles are in 1/16 degree, counter-clockwise from 3 o'clock; leave the top open.
    p.drawArc(box, (90 + 35) * 16, (360 - 70) * 16);
    p.drawLine(QPointF(c, c - r - pen * 0.6), QPointF(c, c - r * 0.15));
    QPen handPen(hand, pen * 0.75, Qt::SolidLine, Qt::RoundCap);
    p.setPen(handPen);
    const qreal a = qDegreesToRadians(35.0);
    p.drawLine(QPointF(c, c), QPointF(c + std::sin(a) * r * 0.62, c + std::cos(a) * r * 0.62));
    p.setPen(Qt::NoPen);
    p.setBrush(hand);
    p.drawEllipse(QPointF(c, c), pen * 0.55, pen * 0.55);
}

QImage programIcon(int side) {
    QImage img(side, side, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tile;
    const qreal m = side * 0.04;
    tile.addRoundedRect(QRectF(m, m, side - 2 * m, side - 2 * m), side * 0.2, side * 0.2);
    p.fillPath(tile, kBrandBlue);
    drawPowerClock(p, side, 0.30, Qt::white, kAccentOrange);
    return img;
}

QImage logo(int side) {
    QImage img(side, side, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawPowerClock(p, side, 0.36, Qt::white, kAccentOrange);
    return img;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: qz_draw_icons <folder>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    // The 256 px icon is for desktop menus; the window and the tray get a small one, and the
    // title bar's logo is drawn at a few times its size, so start-up decodes little.
    const bool ok = programIcon(256).save(dir.filePath("qzscheduler.png")) &&
                    programIcon(64).save(dir.filePath("window-icon.png")) &&
                    logo(96).save(dir.filePath("logo.png"));
    return ok ? 0 : 1;
}
