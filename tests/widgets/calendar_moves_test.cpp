#include <gtest/gtest.h>

#include "widgets/calendar_moves.h"

using namespace qz::calendar;

// Readable failure messages for Qt values.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QDate& d, std::ostream* os) {
    *os << (d.isValid() ? d.toString(Qt::ISODate).toStdString() : std::string("null date"));
}

namespace {

TEST(CalendarMoves, MonthMovesCutTheDayToTheMonthsLength) {
    EXPECT_EQ(moveMonths(QDate(2026, 1, 31), 1), QDate(2026, 2, 28));
    EXPECT_EQ(moveMonths(QDate(2024, 1, 31), 1), QDate(2024, 2, 29));
    EXPECT_EQ(moveMonths(QDate(2026, 12, 15), 1), QDate(2027, 1, 15));
    EXPECT_EQ(moveMonths(QDate(2026, 1, 15), -1), QDate(2025, 12, 15));
    EXPECT_EQ(moveYears(QDate(2024, 2, 29), 1), QDate(2025, 2, 28));
    EXPECT_EQ(withMonth(QDate(2026, 3, 31), 4), QDate(2026, 4, 30));
}

TEST(CalendarMoves, StayWithin1761To9999) {
    EXPECT_FALSE(moveYears(QDate(1761, 6, 1), -1));
    EXPECT_FALSE(moveMonths(QDate(1761, 1, 10), -1));
    EXPECT_FALSE(moveMonths(QDate(9999, 12, 10), 1));
    EXPECT_FALSE(moveDays(QDate(9999, 12, 31), 1));
    EXPECT_EQ(moveYears(QDate(1762, 6, 1), -1), QDate(1761, 6, 1));
    EXPECT_EQ(moveDays(QDate(9999, 12, 24), 7), QDate(9999, 12, 31));
}

TEST(CalendarGrid, FirstDayStandsInItsWeekdayColumn) {
    // 1 March 2026 is a Sunday, 1 April 2026 a Wednesday.
    EXPECT_EQ(cellOfDay(QDate(2026, 3, 1), 0), (Cell{0, 0}));
    EXPECT_EQ(cellOfDay(QDate(2026, 4, 1), 0), (Cell{0, 3}));
    EXPECT_EQ(cellOfDay(QDate(2026, 4, 5), 0), (Cell{1, 0}));
    EXPECT_EQ(cellOfDay(QDate(2026, 3, 1), 1), (Cell{0, 6})); // weeks from Monday
    EXPECT_EQ(dayAtCell(2026, 4, {0, 2}, 0), QDate());
    EXPECT_EQ(dayAtCell(2026, 4, {4, 4}, 0), QDate(2026, 4, 30));
    EXPECT_EQ(dayAtCell(2026, 4, {4, 5}, 0), QDate());
    // A 31-day month starting on Saturday needs the sixth row.
    EXPECT_EQ(cellOfDay(QDate(2026, 8, 31), 0), (Cell{5, 1}));
}

TEST(CalendarLayout, BandButtonsAndGridAtDesignSize) {
    const Layout l = layoutFor(QSize(250, 200), 1.0);
    EXPECT_EQ(l.prevYear, QRect(0, 0, 30, 30));
    EXPECT_EQ(l.prevMonth, QRect(31, 0, 30, 30));
    EXPECT_EQ(l.nextYear, QRect(220, 0, 30, 30));
    EXPECT_EQ(l.nextMonth, QRect(189, 0, 30, 30));
    EXPECT_EQ(l.cellWidth, (250 - 2) / 7);
    EXPECT_EQ(l.grid.top(), l.lineY + 4);
    EXPECT_LE(l.grid.bottom(), 199);
    EXPECT_EQ(l.cellAt(l.cellRect({2, 3}).center()), (Cell{2, 3}));
    EXPECT_FALSE(l.cellAt(QPoint(5, 5)));
}

} // namespace
