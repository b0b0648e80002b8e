// The date field's reading and the month calendar's moves. Typing in the field goes through the
// same overwrite rules as the widget; whatever text results, a date taken from it is a real date
// in years 1-9999 whose day and month are the ones typed and which the field shows back the same.
// Calendar moves never leave the calendar's years and refuse only what would.
#include "fuzz_check.h"
#include "widgets/calendar_moves.h"
#include "widgets/date_field_format.h"
#include "widgets/time_field_mask.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {

namespace df = qz::datefield;
namespace cal = qz::calendar;
using qz::MaskedText;

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QChar fuzzedSeparator(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        return QLatin1Char('/');
    case 1:
        return QLatin1Char('.');
    case 2:
        return QLatin1Char('-');
    default:
        break;
    }
    const QChar c(in.ConsumeIntegral<char16_t>());
    return (c.isDigit() || c == QLatin1Char(' ')) ? QLatin1Char('/') : c;
}

df::DateTemplate fuzzedTemplate(FuzzedDataProvider& in) {
    df::DateTemplate tmpl;
    tmpl.order = df::Order(in.ConsumeIntegralInRange<int>(0, 2));
    tmpl.fourDigitYear = in.ConsumeBool();
    tmpl.separator = fuzzedSeparator(in);
    return tmpl;
}

QDate fuzzedCalendarDate(FuzzedDataProvider& in) {
    const qint64 first = QDate(cal::kFirstYear, 1, 1).toJulianDay();
    const qint64 last = QDate(cal::kLastYear, 12, 31).toJulianDay();
    return QDate::fromJulianDay(in.ConsumeIntegralInRange<qint64>(first, last));
}

// The number a group of the text holds, trimmed; -1 when it is not a plain number.
int groupValue(const QString& group) {
    bool ok = false;
    const int value = group.trimmed().toInt(&ok);
    return ok ? value : -1;
}

void checkTakenDate(const QString& text, const df::DateTemplate& tmpl, int currentYear) {
    const auto date = df::parseDate(text, tmpl, currentYear);
    if (!date)
        return;
    QZ_FUZZ_CHECK(date->isValid());
    QZ_FUZZ_CHECK(date->year() >= 1 && date->year() <= 9999);

    const QStringList groups = text.split(tmpl.separator);
    QZ_FUZZ_CHECK(groups.size() == 3);
    static constexpr int kDayIndex[] = {0, 1, 2};   // by Order: DMY, MDY, YMD
    static constexpr int kMonthIndex[] = {1, 0, 1}; // by Order
    const int order = int(tmpl.order);
    QZ_FUZZ_CHECK(groupValue(groups.at(kDayIndex[order])) == date->day());
    QZ_FUZZ_CHECK(groupValue(groups.at(kMonthIndex[order])) == date->month());

    // The field shows the taken date in its template; that text reads as the same date whenever
    // the template's year digits can tell the year.
    const QString shown = df::formatDate(*date, tmpl);
    QZ_FUZZ_CHECK(shown.size() == tmpl.length());
    const int windowStart = currentYear - 60;
    if (tmpl.fourDigitYear || (date->year() >= windowStart && date->year() < windowStart + 100))
        QZ_FUZZ_CHECK(df::parseDate(shown, tmpl, currentYear) == date);
}

void fuzzTyping(FuzzedDataProvider& in) {
    const df::DateTemplate tmpl = fuzzedTemplate(in);
    const int currentYear = in.ConsumeIntegralInRange<int>(cal::kFirstYear, cal::kLastYear);
    const QString blank = tmpl.blankText();
    QZ_FUZZ_CHECK(blank.size() == tmpl.length());

    MaskedText state{in.ConsumeBool() ? blank : df::formatDate(fuzzedCalendarDate(in), tmpl), 0};
    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange<int>(0, 5)) {
        case 0:
            state = qz::overwriteDigit(
                state, QChar(char16_t(u'0' + in.ConsumeIntegralInRange<int>(0, 9))));
            break;
        case 1:
            state = qz::backspaceBlank(state);
            break;
        case 2:
            state = qz::deleteBlank(state);
            break;
        case 3:
            state.caret = qz::caretLeft(state.text, state.caret);
            break;
        case 4:
            state.caret = qz::caretRight(state.text, state.caret);
            break;
        case 5:
            state.caret = in.ConsumeIntegralInRange<int>(0, int(state.text.size()));
            break;
        }
        // The layout never changes: separators stay, every other position a digit or a blank.
        QZ_FUZZ_CHECK(state.text.size() == blank.size());
        QZ_FUZZ_CHECK(state.caret >= 0 && state.caret <= state.text.size());
        for (qsizetype i = 0; i < blank.size(); ++i) {
            if (blank.at(i) == tmpl.separator)
                QZ_FUZZ_CHECK(state.text.at(i) == tmpl.separator);
            else
                QZ_FUZZ_CHECK(isAsciiDigit(state.text.at(i)) || state.text.at(i) == u' ');
        }
        checkTakenDate(state.text, tmpl, currentYear);
    }
}

void fuzzText(FuzzedDataProvider& in) {
    const QString format = QString::fromUtf8(in.ConsumeRandomLengthString(16));
    const QChar separator = df::separatorOfFormat(format);
    QZ_FUZZ_CHECK(!separator.isLetter() && !separator.isSpace() && separator != u'\'');
    const df::DateTemplate fromFormat = df::templateFromFormat(format, separator);
    QZ_FUZZ_CHECK(fromFormat.blankText().size() == fromFormat.length());

    const df::DateTemplate tmpl = fuzzedTemplate(in);
    const int currentYear = in.ConsumeIntegralInRange<int>(1, 9999);
    checkTakenDate(QString::fromUtf8(in.ConsumeRemainingBytesAsString()), tmpl, currentYear);
}

void fuzzCalendar(FuzzedDataProvider& in) {
    QDate date = fuzzedCalendarDate(in);
    const int firstDayOfWeek = in.ConsumeIntegralInRange<int>(0, 6);
    while (in.remaining_bytes() > 0) {
        const int kind = in.ConsumeIntegralInRange<int>(0, 2);
        // Any day count; months and years within the calendar's span and a little past it
        // (QDate::addMonths takes time in proportion to the count).
        const int by =
            kind == 0 ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange<int>(-120000, 120000);
        std::optional<QDate> moved;
        QDate plain;
        if (kind == 0) {
            moved = cal::moveDays(date, by);
            plain = date.addDays(by);
        } else if (kind == 1) {
            moved = cal::moveMonths(date, by);
            plain = date.addMonths(by);
        } else {
            moved = cal::moveYears(date, by);
            plain = date.addYears(by);
        }
        QZ_FUZZ_CHECK(moved.has_value() == cal::inRange(plain));
        if (!moved)
            continue;
        QZ_FUZZ_CHECK(cal::inRange(*moved));
        if (kind != 0) // the day of the month is kept, cut to the target month's length
            QZ_FUZZ_CHECK(moved->day() == qMin(date.day(), moved->daysInMonth()));
        date = *moved;

        const cal::Cell cell = cal::cellOfDay(date, firstDayOfWeek);
        QZ_FUZZ_CHECK(cell.row >= 0 && cell.row <= 5 && cell.column >= 0 && cell.column <= 6);
        QZ_FUZZ_CHECK(cal::dayAtCell(date.year(), date.month(), cell, firstDayOfWeek) == date);
    }
}

void fuzzLayout(FuzzedDataProvider& in) {
    const QSize size(in.ConsumeIntegralInRange<int>(0, 4000),
                     in.ConsumeIntegralInRange<int>(0, 4000));
    const double scale = in.ConsumeFloatingPointInRange<double>(0.5, 4.0);
    const cal::Layout layout = cal::layoutFor(size, scale);
    while (in.remaining_bytes() > 0) {
        const QPoint point(in.ConsumeIntegralInRange<int>(-100, 5000),
                           in.ConsumeIntegralInRange<int>(-100, 5000));
        if (const auto cell = layout.cellAt(point)) {
            QZ_FUZZ_CHECK(cell->row >= 0 && cell->row <= 5);
            QZ_FUZZ_CHECK(cell->column >= 0 && cell->column <= 6);
            QZ_FUZZ_CHECK(layout.cellRect(*cell).contains(point));
        } else {
            QZ_FUZZ_CHECK(!layout.grid.contains(point));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        fuzzTyping(in);
        break;
    case 1:
        fuzzText(in);
        break;
    case 2:
        fuzzCalendar(in);
        break;
    default:
        fuzzLayout(in);
        break;
    }
    return 0;
}
