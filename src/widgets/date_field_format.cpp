#include "widgets/date_field_format.h"

#include <QLocale>
#include <QStringList>

namespace qz::datefield {
namespace {

QString padded(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

// A trimmed digit group: its value, or nullopt when empty, inner blanks or non-digits.
std::optional<int> readGroup(const QString& group, int* digits) {
    const QString trimmed = group.trimmed();
    *digits = int(trimmed.size());
    if (trimmed.isEmpty() || trimmed.size() > 4)
        return std::nullopt;
    int value = 0;
    for (QChar c : trimmed) {
        if (!c.isDigit() || c.unicode() >= 128)
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

} // namespace

QString DateTemplate::blankText() const {
    const QString year(fourDigitYear ? 4 : 2, QLatin1Char(' '));
    const QString two(2, QLatin1Char(' '));
    if (order == Order::YearMonthDay)
        return year + separator + two + separator + two;
    return two + separator + two + separator + year;
}

int DateTemplate::length() const {
    return fourDigitYear ? 10 : 8;
}

DateTemplate templateFromFormat(const QString& shortFormat, QChar separator) {
    DateTemplate tmpl;
    tmpl.separator = separator;
    for (QChar c : shortFormat) {
        const QChar lower = c.toLower();
        if (lower == QLatin1Char('d')) {
            tmpl.order = Order::DayMonthYear;
            break;
        }
        if (lower == QLatin1Char('m')) {
            tmpl.order = Order::MonthDayYear;
            break;
        }
        if (lower == QLatin1Char('y')) {
            tmpl.order = Order::YearMonthDay;
            break;
        }
    }
    tmpl.fourDigitYear = shortFormat.contains(QLatin1String("yyyy"), Qt::CaseInsensitive);
    return tmpl;
}

QChar separatorOfFormat(const QString& shortFormat) {
    for (QChar c : shortFormat) {
        if (!c.isLetter() && c != QLatin1Char('\'') && !c.isSpace())
            return c;
    }
    return QLatin1Char('/');
}

DateTemplate templateForLocale(const QLocale& locale) {
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    return templateFromFormat(format, separatorOfFormat(format));
}

QString formatDate(const QDate& date, const DateTemplate& tmpl) {
    if (!date.isValid())
        return tmpl.blankText();
    const QString year = tmpl.fourDigitYear ? padded(date.year(), 4) : padded(date.year() % 100, 2);
    const QString day = padded(date.day(), 2);
    const QString month = padded(date.month(), 2);
    const QChar sep = tmpl.separator;
    switch (tmpl.order) {
    case Order::DayMonthYear:
        return day + sep + month + sep + year;
    case Order::YearMonthDay:
        return year + sep + month + sep + day;
    case Order::MonthDayYear:
        break;
    }
    return month + sep + day + sep + year;
}

std::optional<QDate> parseDate(const QString& text, const DateTemplate& tmpl, int currentYear) {
    for (QChar c : text) {
        if (!c.isDigit() && c != QLatin1Char(' ') && c != tmpl.separator)
            return std::nullopt;
    }
    const QStringList groups = text.split(tmpl.separator);
    if (groups.size() != 3)
        return std::nullopt;
    const int yearIndex = tmpl.order == Order::YearMonthDay ? 0 : 2;
    const int monthIndex = tmpl.order == Order::DayMonthYear ? 1 : (yearIndex == 0 ? 1 : 0);
    const int dayIndex = 3 - yearIndex - monthIndex;

    int digits = 0;
    const auto day = readGroup(groups.at(dayIndex), &digits);
    const auto month = readGroup(groups.at(monthIndex), &digits);
    if (!day || !month)
        return std::nullopt;
    int year = currentYear;
    if (!groups.at(yearIndex).trimmed().isEmpty()) {
        const auto typed = readGroup(groups.at(yearIndex), &digits);
        if (!typed)
            return std::nullopt;
        year = *typed;
        if (digits < 3) {
            const int windowStart = currentYear - 60;
            year += windowStart - windowStart % 100;
            if (year < windowStart)
                year += 100;
        }
    }
    if (year < 1 || year > 9999 || *month < 1 || *month > 12)
        return std::nullopt;
    const QDate date(year, *month, 1);
    if (*day < 1 || *day > date.daysInMonth())
        return std::nullopt;
    return QDate(year, *month, *day);
}

} // namespace qz::datefield
