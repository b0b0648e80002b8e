#pragma once

#include <QColor>
#include <QRectF>
#include <QStringList>

class QPainter;
class QWidget;

// Shared look of the widget set: the program's two signature colours and the dpi scale
// that turns the 96-dpi design sizes into this screen's sizes.
namespace qz {

inline const QColor kBrandBlue{43, 87, 154};
inline const QColor kAccentOrange{255, 128, 0};
// Frame of an input that holds something the program will not accept.
inline const QColor kErrorRed{205, 35, 35};
// The keyboard focus mark: the accent orange, which stands out on the brand blue too.
inline const QColor kFocusColour = kAccentOrange;

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

// The focus mark of the widget set: a 2 px (96-dpi) rounded outline in kFocusColour just
// inside `area`. Drawn by every control that takes the keyboard focus while it has it, once
// the keyboard is used in its window (keyboard_cues.h); the fields show their focus by
// their own frame instead.
void paintFocusMark(QPainter& painter, const QWidget* widget, const QRectF& area, double radius);

// Wrapped text as the widget set shows it: the lines one under another, lineHeight apart,
// the block centred in `area` from top to bottom, each line placed across by `horizontal`.
void drawCentredLines(QPainter& painter, const QRect& area, const QStringList& lines,
                      int lineHeight, Qt::Alignment horizontal);

} // namespace qz
