#pragma once

#include <QColor>

class QWidget;

// Shared look of the widget set: the program's two signature colours and the dpi scale
// that turns the 96-dpi design sizes into this screen's sizes.
namespace qz {

inline const QColor kBrandBlue{43, 87, 154};
inline const QColor kAccentOrange{255, 128, 0};

// Logical dpi of the widget's screen over 96; 1.0 when there is no screen.
double dpiScale(const QWidget* widget);

// A 96-dpi length in this screen's pixels, rounded, never below 1 for a positive length.
int scaled(int designPixels, const QWidget* widget);

// The colour with the given alpha (0..255); alpha is clamped.
QColor withAlpha(QColor colour, int alpha);

// Each channel moved the given percentage of the way towards white, rounded.
QColor lightened(QColor colour, int percent);

// Linear blend from a to b; t is clamped to 0..1. Alpha is blended as well.
QColor blend(const QColor& a, const QColor& b, double t);

} // namespace qz
