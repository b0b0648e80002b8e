#include "widgets/time_field_mask.h"

namespace qz {

bool isMaskSeparator(const QString& text, int pos) {
    if (pos < 0 || pos >= text.size())
        return false;
    const QChar c = text.at(pos);
    return !c.isDigit() && c != QLatin1Char(' ');
}

int caretRight(const QString& text, int caret) {
    if (caret >= text.size())
        return int(text.size());
    ++caret;
    while (caret < text.size() && isMaskSeparator(text, caret))
        ++caret;
    return caret;
}

int caretLeft(const QString& text, int caret) {
    if (caret <= 0)
        return 0;
    --caret;
    while (caret > 0 && isMaskSeparator(text, caret))
        --caret;
    return caret;
}

int typingPosition(const QString& text, int caret) {
    caret = qBound(0, caret, int(text.size()));
    while (caret < text.size() && isMaskSeparator(text, caret))
        ++caret;
    return caret;
}

MaskedText overwriteDigit(const MaskedText& state, QChar digit) {
    const int pos = typingPosition(state.text, state.caret);
    if (pos >= state.text.size() || !digit.isDigit())
        return state;
    MaskedText next = state;
    next.text[pos] = digit;
    next.caret = typingPosition(next.text, pos + 1);
    return next;
}

MaskedText backspaceBlank(const MaskedText& state) {
    int pos = qMin(state.caret, int(state.text.size())) - 1;
    while (pos >= 0 && isMaskSeparator(state.text, pos))
        --pos;
    if (pos < 0)
        return state;
    MaskedText next = state;
    next.text[pos] = QLatin1Char(' ');
    next.caret = pos;
    return next;
}

MaskedText deleteBlank(const MaskedText& state) {
    const int pos = typingPosition(state.text, state.caret);
    if (pos >= state.text.size())
        return state;
    MaskedText next = state;
    next.text[pos] = QLatin1Char(' ');
    return next;
}

} // namespace qz
