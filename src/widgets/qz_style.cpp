#include "widgets/qz_style.h"

#include "widgets/keyboard_cues.h"
#include "widgets/text_fit.h"

#include <QPainter>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace qz {

double dpiScale(const QWidget* widget) {
    if (!widget)
        return 1.0;
    const int dpi = widget->logicalDpiY();
    return dpi > 0 ? dpi / 96.0 : 1.0;
}

int scaled(int designPixels, const QWidget* widget) {
    const int value = static_cast<int>(std::lround(designPixels * dpiScale(widget)));
    return designPixels > 0 ? std::max(1, value) : value;
}

QColor withAlpha(QColor colour, int alpha) {
    colour.setAlpha(std::clamp(alpha, 0, 255));
    return colour;
}

QColor lightened(QColor colour, int percent) {
    auto towardsWhite = [percent](int c) {
        return static_cast<int>(std::lround(c + (255 - c) * percent / 100.0));
    };
    return QColor(towardsWhite(colour.red()), towardsWhite(colour.green()),
                  towardsWhite(colour.blue()), colour.alpha());
}

QColor blend(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto mix = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()),
                  mix(a.alpha(), b.alpha()));
}

void paintFocusMark(QPainter& painter, const QWidget* widget, const QRectF& area, double radius) {
    if (!focusMarksShown(widget))
        return;
    const double pen = scaled(2, widget);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(1.0);
    painter.setClipping(false);
    painter.setPen(QPen(kFocusColour, pen));
    painter.setBrush(Qt::NoBrush);
    const QRectF ring = area.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
    painter.drawRoundedRect(ring, radius, radius);
    painter.restore();
}

void drawCentredLines(QPainter& painter, const QRect& area, const QStringList& lines,
                      int lineHeight, Qt::Alignment horizontal) {
    int top = centredBlockTop(area, static_cast<int>(lines.size()), lineHeight);
    for (const QString& line : lines) {
        painter.drawText(QRect(area.left(), top, area.width(), lineHeight),
                         horizontal | Qt::AlignTop | Qt::TextSingleLine, line);
        top += lineHeight;
    }
}

} // namespace qz
