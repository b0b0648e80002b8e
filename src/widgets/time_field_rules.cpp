#include "widgets/time_field_rules.h"

namespace qz::timefield {
namespace {

// A part of the text read by position: blanks count as 0; nullopt for anything but digits
// and blanks, or when the part is missing altogether.
std::optional<int> readPart(const QString& text, int from, int length) {
    const QString part = text.mid(from, length);
    if (part.isEmpty())
        return std::nullopt;
    int value = 0;
    for (QChar c : part) {
        if (c == QLatin1Char(' '))
            value *= 10;
        else if (c.isDigit() && c.unicode() < 128)
            value = value * 10 + (c.unicode() - '0');
        else
            return std::nullopt;
    }
    return value;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QTime readTime(const QString& text) {
    const int hours = qMin(readPart(text, 0, 2).value_or(0), 23);
    const int minutes = qMin(readPart(text, 3, 2).value_or(0), 59);
    return QTime(hours, minutes);
}

QString formatTime(const QTime& time) {
    if (!time.isValid())
        return kResetText;
    return twoDigits(time.hour()) + QLatin1Char(':') + twoDigits(time.minute());
}

QString normalizedText(const QString& text) {
    const auto hours = readPart(text, 0, 2);
    const auto minutes = readPart(text, 3, 2);
    if (!hours || !minutes)
        return kResetText;
    return twoDigits(*hours) + QLatin1Char(':') + twoDigits(*minutes);
}

bool isTypableTime(const QString& text) {
    const auto hours = readPart(text, 0, 2);
    const auto minutes = readPart(text, 3, 2);
    if (!hours || !minutes)
        return false;
    if (*hours == 24 && *minutes == 0)
        return true;
    return *hours <= 23 && *minutes <= 59;
}

std::optional<MaskedText> typeKey(const MaskedText& state, QChar ch) {
    if (!ch.isDigit() || ch.unicode() >= 128)
        return std::nullopt;
    const MaskedText next = overwriteDigit(state, ch);
    if (next == state || !isTypableTime(next.text))
        return std::nullopt;
    return next;
}

Part partAtCaret(const QString& text, int caret) {
    return text.left(qMax(caret, 0)).contains(QLatin1Char(':')) ? Part::Minutes : Part::Hours;
}

QString step(const QString& text, int caret, int direction) {
    const QTime now = readTime(text);
    int hours = now.hour();
    int minutes = now.minute();
    const int delta = direction >= 0 ? 1 : -1;
    if (partAtCaret(text, caret) == Part::Hours)
        hours = (hours + delta + 24) % 24;
    else
        minutes = (minutes + delta + 60) % 60;
    return formatTime(QTime(hours, minutes));
}

} // namespace qz::timefield
