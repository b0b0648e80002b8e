#pragma once

#include <QDate>
#include <QRect>
#include <QSize>

#include <optional>

// Moves and geometry of the month calendar, as plain values. Moves stay within the years
// 1761-9999; moving by months or years keeps the day of the month, cut to the target
// month's length.
namespace qz::calendar {

inline constexpr int kFirstYear = 1761;
inline constexpr int kLastYear = 9999;

// True when the date lies within the calendar's years.
bool inRange(const QDate& date);

// The date moved by the given number of days, months or years; nullopt when the result
// would leave the calendar's years.
std::optional<QDate> moveDays(const QDate& date, int days);
std::optional<QDate> moveMonths(const QDate& date, int months);
std::optional<QDate> moveYears(const QDate& date, int years);
// The same day in another month of the same year (1-12), cut to that month's length.
QDate withMonth(const QDate& date, int month);

// Weekdays as columns: 0 Sunday ... 6 Saturday.
int weekdayIndex(const QDate& date);

// The grid cell (row 0-5, column 0-6) of a day of the shown month, the month's first day
// standing in row 0 in the column of its weekday counted from firstDayOfWeek (0 = Sunday).
struct Cell {
    int row = 0;
    int column = 0;
    bool operator==(const Cell&) const = default;
};
Cell cellOfDay(const QDate& date, int firstDayOfWeek);
// The day of the shown month (year, month) in a cell; a null date for the empty cells.
QDate dayAtCell(int year, int month, Cell cell, int firstDayOfWeek);

// Where the calendar's parts lie in a widget of the given size; lengths are the 96-dpi
// design sizes multiplied by scale.
struct Layout {
    QRect prevYear, prevMonth, nextMonth, nextYear, title;
    QRect weekdays; // row of weekday names
    int lineY = 0;  // the line under the weekday names
    int lineLeft = 0, lineRight = 0;
    QRect grid; // top-left of the day grid and its whole extent
    int cellWidth = 1, cellHeight = 1;

    QRect cellRect(Cell cell) const;
    // The cell under a point of the grid; nullopt outside the 7 x 6 cells.
    std::optional<Cell> cellAt(QPoint point) const;
};
Layout layoutFor(QSize size, double scale);

} // namespace qz::calendar
