#include <gtest/gtest.h>

#include <QLocale>

#include "widgets/date_field_format.h"

using namespace qz::datefield;

// Readable failure messages for Qt values.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QDate& d, std::ostream* os) {
    *os << (d.isValid() ? d.toString(Qt::ISODate).toStdString() : std::string("null date"));
}

namespace {

TEST(DateTemplateTest, OrderAndYearWidthFollowTheShortFormat) {
    const struct {
        const char* format;
        Order order;
        bool fourDigits;
        char separator;
        const char* blank;
    } cases[] = {
        {"dd/MM/yyyy", Order::DayMonthYear, true, '/', "  /  /    "},
        {"M/d/yy", Order::MonthDayYear, false, '/', "  /  /  "},
        {"dd.MM.yy", Order::DayMonthYear, false, '.', "  .  .  "},
        {"YYYY-MM-DD", Order::YearMonthDay, true, '-', "    -  -  "},
        {"'x'", Order::MonthDayYear, false, '/', "  /  /  "}, // no letter of interest
    };
    for (const auto& c : cases) {
        const QString format = QString::fromLatin1(c.format);
        const DateTemplate t = templateFromFormat(format, separatorOfFormat(format));
        EXPECT_EQ(t.order, c.order) << c.format;
        EXPECT_EQ(t.fourDigitYear, c.fourDigits) << c.format;
        EXPECT_EQ(t.separator, QLatin1Char(c.separator)) << c.format;
        EXPECT_EQ(t.blankText(), QString::fromLatin1(c.blank)) << c.format;
    }
    EXPECT_EQ(templateForLocale(QLocale(QLocale::German, QLocale::Germany)).separator,
              QLatin1Char('.'));
}

TEST(DateFormatTest, WritesInTemplateOrder) {
    const QDate d(2026, 3, 7);
    EXPECT_EQ(formatDate(d, {Order::DayMonthYear, true, '/'}), "07/03/2026");
    EXPECT_EQ(formatDate(d, {Order::MonthDayYear, false, '/'}), "03/07/26");
    EXPECT_EQ(formatDate(d, {Order::YearMonthDay, true, '-'}), "2026-03-07");
    EXPECT_EQ(formatDate(QDate(), {Order::DayMonthYear, true, '.'}), "  .  .    ");
}

struct ParseCase {
    const char* text;
    QDate expected; // null: not taken over
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class DateParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(DateParseTest, TakesOnlyCompleteValidDates) {
    const DateTemplate dmy{Order::DayMonthYear, true, '/'};
    const auto parsed = parseDate(QString::fromLatin1(GetParam().text), dmy, 2026);
    if (GetParam().expected.isNull())
        EXPECT_FALSE(parsed.has_value()) << GetParam().text;
    else
        EXPECT_EQ(parsed.value_or(QDate()), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    DateTexts, DateParseTest,
    ::testing::Values(ParseCase{"15/03/2026", QDate(2026, 3, 15)},
                      ParseCase{"15/03/66  ", QDate(1966, 3, 15)}, // 60 years back
                      ParseCase{"15/03/65  ", QDate(2065, 3, 15)},
                      ParseCase{"15/03/    ", QDate(2026, 3, 15)}, // no year: this year
                      ParseCase{" 5/ 3/2026", QDate(2026, 3, 5)},
                      ParseCase{"29/02/2024", QDate(2024, 2, 29)}, ParseCase{"29/02/2026", QDate()},
                      ParseCase{"31/04/2026", QDate()}, ParseCase{"00/03/2026", QDate()},
                      ParseCase{"15/13/2026", QDate()}, ParseCase{"15/  /2026", QDate()},
                      ParseCase{"1 5/03/2026", QDate()}, ParseCase{"15/03/0000", QDate()},
                      ParseCase{"1a/03/2026", QDate()}, ParseCase{"  /  /    ", QDate()},
                      ParseCase{"15-03-2026", QDate()}));

TEST(DateParseOrderTest, ReadsGroupsInTemplateOrder) {
    EXPECT_EQ(parseDate("03/15/26", {Order::MonthDayYear, false, '/'}, 2026), QDate(2026, 3, 15));
    EXPECT_EQ(parseDate("2026.03.15", {Order::YearMonthDay, true, '.'}, 2026), QDate(2026, 3, 15));
}

} // namespace
