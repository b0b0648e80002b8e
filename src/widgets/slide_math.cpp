#include "widgets/slide_math.h"

#include <algorithm>
#include <cstdlib>

namespace qz {

SwitchSlideTick switchSlideTick(int switchWidth, int thumbWidth, int thumbLeft, bool towardsRight) {
    const int w = switchWidth;
    const int travel = w - thumbWidth;
    int step = 0;
    if (towardsRight) {
        const int right = thumbLeft + thumbWidth;
        step = right < w - w / 3 ? travel / 3 : (w - right) / 6;
    } else {
        step = thumbLeft > w / 3 ? travel / 3 : thumbLeft / 6;
    }
    step = std::max(step, 1);
    SwitchSlideTick tick;
    tick.left = towardsRight ? thumbLeft + step : thumbLeft - step;
    if (towardsRight && tick.left > travel) {
        tick.left = travel;
        tick.arrived = true;
    } else if (!towardsRight && tick.left < 0) {
        tick.left = 0;
        tick.arrived = true;
    }
    return tick;
}

bool switchDragCompletes(bool isOn, double thumbCentreX, int switchWidth) {
    const double middle = switchWidth / 2.0;
    return isOn ? thumbCentreX <= middle : thumbCentreX >= middle;
}

int splitViewOpeningWidth(int width, int openedWidth, int compactWidth, int minStep) {
    (void)compactWidth;
    const int o = openedWidth;
    int step = o / 3 > width ? o / 2 : std::abs(o - width) / 6;
    step = std::max(step, minStep);
    return std::min(width + step, o);
}

int splitViewClosingWidth(int width, int openedWidth, int compactWidth, int minStep) {
    const int k = compactWidth;
    int step = openedWidth / 3 < width ? (width - k) / 3 : (width - k) / 6;
    step = std::max(step, minStep);
    return std::max(std::min(width - step, openedWidth), k);
}

} // namespace qz
