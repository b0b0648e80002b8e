#include "widgets/calendar_moves.h"

#include <cmath>

namespace qz::calendar {
namespace {

std::optional<QDate> checked(const QDate& date) {
    if (!inRange(date))
        return std::nullopt;
    return date;
}

int px(int design, double scale) {
    return int(std::lround(design * scale));
}

} // namespace

bool inRange(const QDate& date) {
    return date.isValid() && date.year() >= kFirstYear && date.year() <= kLastYear;
}

std::optional<QDate> moveDays(const QDate& date, int days) {
    return date.isValid() ? checked(date.addDays(days)) : std::nullopt;
}

std::optional<QDate> moveMonths(const QDate& date, int months) {
    // QDate::addMonths already cuts the day to the length of the target month.
    return date.isValid() ? checked(date.addMonths(months)) : std::nullopt;
}

std::optional<QDate> moveYears(const QDate& date, int years) {
    return date.isValid() ? checked(date.addYears(years)) : std::nullopt;
}

QDate withMonth(const QDate& date, int month) {
    if (!date.isValid() || month < 1 || month > 12)
        return date;
    return date.addMonths(month - date.month());
}

int weekdayIndex(const QDate& date) {
    return date.dayOfWeek() % 7;
}

Cell cellOfDay(const QDate& date, int firstDayOfWeek) {
    const QDate first(date.year(), date.month(), 1);
    const int offset = (weekdayIndex(first) - firstDayOfWeek % 7 + 7) % 7;
    const int index = offset + date.day() - 1;
    return {index / 7, index % 7};
}

QDate dayAtCell(int year, int month, Cell cell, int firstDayOfWeek) {
    const QDate first(year, month, 1);
    if (!first.isValid())
        return {};
    const int offset = (weekdayIndex(first) - firstDayOfWeek % 7 + 7) % 7;
    const int day = cell.row * 7 + cell.column - offset + 1;
    if (day < 1 || day > first.daysInMonth())
        return {};
    return QDate(year, month, day);
}

QRect Layout::cellRect(Cell cell) const {
    return QRect(grid.left() + cell.column * cellWidth, grid.top() + cell.row * cellHeight,
                 cellWidth, cellHeight);
}

std::optional<Cell> Layout::cellAt(QPoint point) const {
    if (point.x() < grid.left() || point.y() < grid.top())
        return std::nullopt;
    const int column = (point.x() - grid.left()) / cellWidth;
    const int row = (point.y() - grid.top()) / cellHeight;
    if (column > 6 || row > 5)
        return std::nullopt;
    return Cell{row, column};
}

Layout layoutFor(QSize size, double scale) {
    Layout l;
    const int band = px(30, scale);
    const int gap = px(1, scale);
    l.prevYear = QRect(0, 0, band, band);
    l.prevMonth = QRect(band + gap, 0, band, band);
    l.nextYear = QRect(size.width() - band, 0, band, band);
    l.nextMonth = QRect(size.width() - 2 * band - gap, 0, band, band);
    l.title = QRect(l.prevMonth.right() + 1, 0, l.nextMonth.left() - l.prevMonth.right() - 1, band);
    const int weekdayTop = band + px(10, scale);
    const int weekdayHeight = px(18, scale);
    l.weekdays = QRect(gap, weekdayTop, size.width() - 2 * gap, weekdayHeight);
    l.lineY = weekdayTop + weekdayHeight;
    l.lineLeft = px(5, scale);
    l.lineRight = size.width() - px(5, scale);
    const int gridTop = l.lineY + px(4, scale);
    l.cellWidth = qMax(1, (size.width() - 2) / 7);
    l.cellHeight = qMax(1, (size.height() - l.lineY - px(5, scale)) / 6);
    l.grid = QRect(1, gridTop, l.cellWidth * 7, l.cellHeight * 6);
    l.weekdays.setWidth(l.cellWidth * 7);
    l.weekdays.moveLeft(1);
    return l;
}

} // namespace qz::calendar
