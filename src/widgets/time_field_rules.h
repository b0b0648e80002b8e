#pragma once

#include <QString>
#include <QTime>

#include <optional>

#include "widgets/time_field_mask.h"

// The rules of the hours:minutes field ("HH:MM", five positions, a blank reads as 0):
// what a typed key does, how the part at the caret steps, and how the text reads and
// is written as a time of day. Pure functions over the field's text.
namespace qz::timefield {

inline constexpr int kLength = 5;
inline const QString kResetText = QStringLiteral("00:00");

// The time the text stands for: hours from positions 1-2, minutes from 4-5, blanks as 0,
// a part with anything but digits as 0; hours above 23 read as 23, minutes above 59 as 59.
QTime readTime(const QString& text);

// Hours and minutes as two digits each with ':' between them (seconds are not shown).
QString formatTime(const QTime& time);

// The text the field shows when a text is written to it: each part read by position as a
// decimal number (blanks as 0) and written back with two digits, without a range check;
// kResetText when a part is missing or holds anything but digits and blanks.
QString normalizedText(const QString& text);

// True when the text reads as hours 0-23 and minutes 0-59, or exactly as 24:00.
bool isTypableTime(const QString& text);

// The field after typing ch at the caret, or nullopt when the key is dropped: only a digit
// that keeps the time valid is taken, overwriting the digit at the caret.
std::optional<MaskedText> typeKey(const MaskedText& state, QChar ch);

enum class Part { Hours, Minutes };

// The part that the caret is in: hours before the separator, minutes after it.
Part partAtCaret(const QString& text, int caret);

// The text after stepping the part at the caret by +1 (up) or -1 (down). The part wraps
// within itself (23 -> 0, 59 -> 0 and back) without carrying into the other part; the
// value is read as readTime reads it, so 24:00 steps as 23:00.
QString step(const QString& text, int caret, int direction);

} // namespace qz::timefield
