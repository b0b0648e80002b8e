#pragma once

#include <QBasicTimer>
#include <QDate>
#include <QWidget>

#include <functional>

#include "widgets/calendar_moves.h"

// A month page: a band with previous/next year and month buttons around the "Month, Year"
// title (a click on it offers the twelve months), the weekday names from FirstDayOfWeek and
// a 7 x 6 grid holding the days of the shown month, the selected day on a highlight disc.
// Month and year moves keep the day, cut to the month's length, and stop at 1761 and 9999.
// The month buttons repeat every 100 ms while held, the year buttons every 50 ms.
class TqzMonthCalendar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QDate Date READ date WRITE setDate NOTIFY dateChanged)
    Q_PROPERTY(TqzDaysOfWeek FirstDayOfWeek READ firstDayOfWeek WRITE setFirstDayOfWeek)

public:
    enum TqzDaysOfWeek { Sun, Mon, Tue, Wed, Thu, Fri, Sat };
    Q_ENUM(TqzDaysOfWeek)

    explicit TqzMonthCalendar(QWidget* parent = nullptr);

    // The selected day; a null date when none is held (the page then shows today's month).
    QDate date() const { return m_date; }
    void setDate(const QDate& date);

    TqzDaysOfWeek firstDayOfWeek() const { return m_firstDay; }
    void setFirstDayOfWeek(TqzDaysOfWeek day);

    // Moves of the selection; a move that would leave 1761-9999 does nothing.
    void moveDays(int days);
    void moveMonths(int months);
    void moveYears(int years);
    void showMonth(int month);
    void goToday();
    // Where "today" comes from; the system date unless replaced (tests pin it).
    void setTodaySource(std::function<QDate()> today);
    QDate today() const;

    // The month and year the page shows.
    QDate shownMonth() const;
    qz::calendar::Layout layout() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void dateChanged(const QDate& date);
    // A day was picked with the mouse: pressed on a day and released.
    void dayPicked(const QDate& date);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void timerEvent(QTimerEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    enum class Button { None, PrevYear, PrevMonth, NextMonth, NextYear };
    Button buttonAt(QPoint point) const;
    void stepButton(Button button);
    void openMonthMenu();
    double scale() const;

    QDate m_date;
    std::function<QDate()> m_today;
    TqzDaysOfWeek m_firstDay = Sun;
    Button m_held = Button::None;
    bool m_heldInside = false;
    bool m_repeating = false;
    bool m_dayPressed = false;
    QBasicTimer m_repeat;
};
