#pragma once

class QWidget;

// Focus marks follow the platform's convention: a window shows none until the keyboard is
// used in it (a key pressed, or the focus moved by Tab), then shows them for good, as
// Windows does. A mouse user never sees a mark on the control that merely holds the focus.
namespace qz {

// Whether the widget's window shows focus marks yet.
bool focusMarksShown(const QWidget* widget);

// Starts watching the application for keyboard use; the controls that draw a focus mark
// call it when they are made. Only the first call does anything.
void watchKeyboardUse();

} // namespace qz
