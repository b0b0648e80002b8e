#pragma once

#include <QRect>
#include <QRectF>

// Numbers behind the ring progress indicator, apart from any painting.
namespace qz {

// Elapsed share of the ring in degrees, 0..360, as single precision. An empty range
// (max == min) counts as a full ring; a reversed range is clamped into 0..360.
float ringSweep(int value, int minValue, int maxValue);

// Percentage figure for a sweep: sweep * 100 / 360 rounded to the nearest integer, ties
// to the even one (12.5 -> 12, 37.5 -> 38).
int ringPercent(float sweepDegrees);

// Ring value after a setter: clamped to max first, then to min (the setters do not
// check that min < max, so with a reversed range max wins over min only when above it).
int ringClampValue(int value, int minValue, int maxValue);

struct RingLayout {
    QRectF circle;     // the stroked circle's path rectangle
    QRect textArea;    // square inside the ring where the texts go
    QRect captionArea; // caption part of the text area (empty when no caption is shown)
    QRect percentArea; // percentage part (empty when the figure is not shown)
};

// Layout of a ring of the given side. percentLineHeight is the height of one line of the
// percentage font; with both texts shown the figure takes a strip of that height at the
// bottom of the text area and the caption the rest.
RingLayout ringLayout(int side, int frameSize, int percentLineHeight, bool showCaption,
                      bool showPercent);

} // namespace qz
