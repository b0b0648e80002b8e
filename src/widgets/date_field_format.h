#pragma once

#include <QDate>
#include <QString>

#include <optional>

// The date field's layout and reading. The order of day, month and year and the year's
// width come once from the locale's short date format; the text is three digit groups
// joined by the locale's date separator, every digit position may also hold a blank.
namespace qz::datefield {

enum class Order { DayMonthYear, MonthDayYear, YearMonthDay };

struct DateTemplate {
    Order order = Order::MonthDayYear;
    bool fourDigitYear = false;
    QChar separator = QLatin1Char('/');

    // The text of an empty field, e.g. "  /  /    ".
    QString blankText() const;
    // Length of the whole text.
    int length() const;

    bool operator==(const DateTemplate&) const = default;
};

// The template for a short date format such as "dd.MM.yyyy" or "M/d/yy": the first of the
// letters d, m and y (in either case) decides the order (none of them: month, day, year),
// a "yyyy" in either case gives a four-digit year.
DateTemplate templateFromFormat(const QString& shortFormat, QChar separator);

// The separator of a short date format: its first character that is not a letter or a
// quote; '/' when it has none.
QChar separatorOfFormat(const QString& shortFormat);

// The template of the given locale's short date format.
DateTemplate templateForLocale(const class QLocale& locale);

// The date in the template; the blank text for a null date. Years are written with as
// many digits as the template has (the last two with a two-digit year).
QString formatDate(const QDate& date, const DateTemplate& tmpl);

// The date a typed text stands for, or nullopt when the text is incomplete or invalid. The
// text may hold only digits, blanks and the separator; the groups are read in template
// order with blanks trimmed. A year of one or two digits lies in the hundred years from
// 60 years before currentYear; an empty year group means currentYear. The date must have a
// year 1-9999, a month 1-12 and a day that the month has.
std::optional<QDate> parseDate(const QString& text, const DateTemplate& tmpl, int currentYear);

} // namespace qz::datefield
