// Drives the hours:minutes field's rules the way the field does: a text set from code, then a
// run of typed keys, Backspace, Delete, caret moves and arrow steps. The field must keep its
// "HH:MM" layout, a time that was valid stays valid, a digit is taken exactly when it leaves a
// valid time, and a step up is undone by a step down.
#include "fuzz_check.h"
#include "widgets/time_field_rules.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

namespace {

namespace tf = qz::timefield;
using qz::MaskedText;

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Two hour positions, ':', two minute positions; each position a digit or a blank.
bool hasFieldLayout(const QString& text) {
    if (text.size() != tf::kLength || text.at(2) != QLatin1Char(':'))
        return false;
    for (int i : {0, 1, 3, 4}) {
        if (!isAsciiDigit(text.at(i)) && text.at(i) != QLatin1Char(' '))
            return false;
    }
    return true;
}

// Hours and minutes of a text in the field's layout, blanks as 0; worked out here on its own so
// that the rules are checked against an independent reading.
int partValue(const QString& text, int from) {
    const auto digit = [&](int i) { return text.at(i) == u' ' ? 0 : text.at(i).unicode() - u'0'; };
    return digit(from) * 10 + digit(from + 1);
}

bool isValidFieldTime(const QString& text) {
    const int hours = partValue(text, 0);
    const int minutes = partValue(text, 3);
    return (hours <= 23 && minutes <= 59) || (hours == 24 && minutes == 0);
}

QString fuzzedText(FuzzedDataProvider& in) {
    return QString::fromUtf8(in.ConsumeRandomLengthString(12));
}

// What setting the Time property does: the text normalised, read the same as before.
QString setTimeText(const QString& text) {
    const QString shown = tf::normalizedText(text);
    QZ_FUZZ_CHECK(hasFieldLayout(shown));
    QZ_FUZZ_CHECK(tf::normalizedText(shown) == shown);
    if (shown != tf::kResetText)
        QZ_FUZZ_CHECK(tf::readTime(shown) == tf::readTime(text));
    return shown;
}

void typeKey(MaskedText& state, QChar ch) {
    const int pos = qz::typingPosition(state.text, state.caret);
    const auto next = tf::typeKey(state, ch);
    QString candidate = state.text;
    if (pos < candidate.size())
        candidate[pos] = ch;
    if (!next) {
        // Dropped: not a digit, nowhere left to type, or the time would not be valid.
        QZ_FUZZ_CHECK(!isAsciiDigit(ch) || pos >= state.text.size() ||
                      !isValidFieldTime(candidate));
        return;
    }
    QZ_FUZZ_CHECK(isAsciiDigit(ch));
    QZ_FUZZ_CHECK(next->text == candidate); // overwrites, never inserts
    QZ_FUZZ_CHECK(isValidFieldTime(next->text));
    QZ_FUZZ_CHECK(next->caret > pos);
    state = *next;
}

void stepAtCaret(MaskedText& state, int direction) {
    const QString stepped = tf::step(state.text, state.caret, direction);
    QZ_FUZZ_CHECK(hasFieldLayout(stepped));
    QZ_FUZZ_CHECK(isValidFieldTime(stepped) && partValue(stepped, 0) <= 23);
    const QString before = tf::formatTime(tf::readTime(state.text));
    // Only the part at the caret changes: no carry into the other part.
    if (tf::partAtCaret(state.text, state.caret) == tf::Part::Hours)
        QZ_FUZZ_CHECK(stepped.mid(3) == before.mid(3));
    else
        QZ_FUZZ_CHECK(stepped.left(3) == before.left(3));
    QZ_FUZZ_CHECK(tf::step(stepped, state.caret, -direction) == before);
    state.text = stepped;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);

    // Any text reads as a valid time, and that time is one the field accepts.
    const QString raw = fuzzedText(in);
    const QTime read = tf::readTime(raw);
    QZ_FUZZ_CHECK(read.isValid());
    QZ_FUZZ_CHECK(tf::isTypableTime(tf::formatTime(read)));
    tf::step(raw, in.ConsumeIntegralInRange<int>(0, int(raw.size())), in.ConsumeBool() ? 1 : -1);

    MaskedText state{setTimeText(raw), in.ConsumeIntegralInRange<int>(0, tf::kLength)};
    bool valid = isValidFieldTime(state.text);

    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange<int>(0, 9)) {
        case 0:
            typeKey(state, QChar(char16_t(u'0' + in.ConsumeIntegralInRange<int>(0, 9))));
            break;
        case 1:
            typeKey(state, QChar(in.ConsumeIntegral<char16_t>()));
            break;
        case 2:
            state = qz::backspaceBlank(state);
            break;
        case 3:
            state = qz::deleteBlank(state);
            break;
        case 4:
            state.caret = qz::caretLeft(state.text, state.caret);
            break;
        case 5:
            state.caret = qz::caretRight(state.text, state.caret);
            break;
        case 6: // a click or Home/End
            state.caret = in.ConsumeIntegralInRange<int>(0, tf::kLength);
            break;
        case 7:
            stepAtCaret(state, in.ConsumeBool() ? 1 : -1);
            break;
        case 8:
            state.text = setTimeText(fuzzedText(in));
            valid = isValidFieldTime(state.text);
            break;
        case 9: {
            const QTime time(in.ConsumeIntegralInRange<int>(0, 23),
                             in.ConsumeIntegralInRange<int>(0, 59),
                             in.ConsumeIntegralInRange<int>(0, 59));
            state.text = tf::formatTime(time);
            QZ_FUZZ_CHECK(tf::readTime(state.text) == QTime(time.hour(), time.minute()));
            valid = true;
            break;
        }
        }
        QZ_FUZZ_CHECK(hasFieldLayout(state.text));
        QZ_FUZZ_CHECK(state.caret >= 0 && state.caret <= tf::kLength);
        QZ_FUZZ_CHECK(tf::isTypableTime(state.text) == isValidFieldTime(state.text));
        valid = valid || isValidFieldTime(state.text);
        QZ_FUZZ_CHECK(!valid || isValidFieldTime(state.text));
        // The time the countdown reads: the parts as shown, hours cut to 23, minutes to 59.
        QZ_FUZZ_CHECK(tf::readTime(state.text) == QTime(qMin(partValue(state.text, 0), 23),
                                                        qMin(partValue(state.text, 3), 59)));
    }
    return 0;
}
