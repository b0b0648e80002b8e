#pragma once

#include <QString>

// Overwrite editing of a fixed-layout field such as "12:30" or "31/12/2026": every position
// of the mask that is not a separator holds a digit or a blank, separators never change and
// the caret hops over them. Pure value operations; the widgets keep the state.
namespace qz {

struct MaskedText {
    QString text;
    int caret = 0; // 0..text.size(), the caret stands before text[caret]

    bool operator==(const MaskedText&) const = default;
};

// True when position pos of text is a separator (anything but a digit or a blank).
bool isMaskSeparator(const QString& text, int pos);

// The caret after moving one position right or left; separators are skipped.
int caretRight(const QString& text, int caret);
int caretLeft(const QString& text, int caret);

// The caret where overwrite typing would put the next character: the caret itself or the
// first editable position after it; text.size() when none is left.
int typingPosition(const QString& text, int caret);

// The text and caret after a digit overwrites the character at the caret; the caret moves
// past it and past a following separator. Unchanged when nothing is left to overwrite.
MaskedText overwriteDigit(const MaskedText& state, QChar digit);

// Backspace blanks the editable position before the caret and moves there; Delete blanks
// the one at the caret and keeps the caret.
MaskedText backspaceBlank(const MaskedText& state);
MaskedText deleteBlank(const MaskedText& state);

} // namespace qz
