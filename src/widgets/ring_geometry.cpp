#include "widgets/ring_geometry.h"

#include <algorithm>
#include <cmath>

namespace qz {

float ringSweep(int value, int minValue, int maxValue) {
    if (maxValue == minValue)
        return 360.0f;
    const double share =
        (static_cast<double>(value) - minValue) / (static_cast<double>(maxValue) - minValue);
    return static_cast<float>(std::clamp(share, 0.0, 1.0) * 360.0);
}

int ringPercent(float sweepDegrees) {
    const double exact = static_cast<double>(sweepDegrees) * 100.0 / 360.0;
    const double down = std::floor(exact);
    const double fraction = exact - down;
    auto whole = static_cast<long long>(down);
    if (fraction > 0.5 || (fraction == 0.5 && whole % 2 != 0))
        ++whole;
    return static_cast<int>(whole);
}

int ringClampValue(int value, int minValue, int maxValue) {
    if (value > maxValue)
        return maxValue;
    if (value < minValue)
        return minValue;
    return value;
}

RingLayout ringLayout(int side, int frameSize, int percentLineHeight, bool showCaption,
                      bool showPercent) {
    RingLayout layout;
    const double half = frameSize / 2.0;
    layout.circle = QRectF(half, half, side - frameSize, side - frameSize);
    const int margin = 2 * frameSize + frameSize / 2;
    const int inner = std::max(0, side - 2 * margin);
    layout.textArea = QRect(margin, margin, inner, inner);
    if (showPercent && showCaption) {
        const int strip = std::min(percentLineHeight, inner);
        layout.percentArea = QRect(margin, margin + inner - strip, inner, strip);
        layout.captionArea = QRect(margin, margin, inner, inner - strip);
    } else if (showPercent) {
        layout.percentArea = layout.textArea;
    } else if (showCaption) {
        layout.captionArea = layout.textArea;
    }
    return layout;
}

} // namespace qz
