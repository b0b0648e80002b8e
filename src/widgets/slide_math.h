#pragma once

// Step rules of the two sliding controls, as plain integer arithmetic so the exact
// pixel sequences can be checked without a widget or a timer.
namespace qz {

// One 15 ms tick of the switch thumb. The thumb moves in big steps first and then slows
// down near its end; once a tick finds it already at the end it is snapped there and the
// slide has arrived (that is the tick on which the switch flips).
struct SwitchSlideTick {
    int left = 0;         // thumb's new left edge
    bool arrived = false; // the thumb passed its end and was put back at it
};
SwitchSlideTick switchSlideTick(int switchWidth, int thumbWidth, int thumbLeft, bool towardsRight);

// Whether a dragged thumb released with its centre at thumbCentreX completes the toggle:
// an off switch needs the centre at or right of the middle, an on switch at or left of it.
bool switchDragCompletes(bool isOn, double thumbCentreX, int switchWidth);

// Next width of the settings panel while it opens or closes. minStep is the integer part
// of the screen scale (1 at 96 dpi); the result never overshoots openedWidth or
// compactWidth.
int splitViewOpeningWidth(int width, int openedWidth, int compactWidth, int minStep);
int splitViewClosingWidth(int width, int openedWidth, int compactWidth, int minStep);

} // namespace qz
