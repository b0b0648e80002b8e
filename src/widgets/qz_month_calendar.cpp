#include "widgets/qz_month_calendar.h"

#include "widgets/assign_if_changed.h"

#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "widgets/qz_style.h"

using namespace qz::calendar;

namespace {
constexpr int kRepeatDelayMs = 300;
constexpr int kMonthRepeatMs = 100;
constexpr int kYearRepeatMs = 50;
} // namespace

TqzMonthCalendar::TqzMonthCalendar(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    QFont face(QStringLiteral("Tahoma"));
    face.setPixelSize(qz::scaled(11, this));
    setFont(face);
}

double TqzMonthCalendar::scale() const {
    return qz::dpiScale(this);
}

QSize TqzMonthCalendar::sizeHint() const {
    return {qz::scaled(250, this), qz::scaled(200, this)};
}

void TqzMonthCalendar::setDate(const QDate& date) {
    if (!qz::assignIfChanged(m_date, date))
        return;
    update();
    Q_EMIT dateChanged(m_date);
}

void TqzMonthCalendar::setFirstDayOfWeek(TqzDaysOfWeek day) {
    m_firstDay = day;
    update();
}

QDate TqzMonthCalendar::shownMonth() const {
    const QDate base = m_date.isValid() ? m_date : today();
    return QDate(base.year(), base.month(), 1);
}

Layout TqzMonthCalendar::layout() const {
    return layoutFor(size(), scale());
}

void TqzMonthCalendar::moveDays(int days) {
    if (const auto next = qz::calendar::moveDays(m_date.isValid() ? m_date : today(),
                                                 m_date.isValid() ? days : 0))
        setDate(*next);
}

void TqzMonthCalendar::moveMonths(int months) {
    const QDate from = m_date.isValid() ? m_date : today();
    if (const auto next = qz::calendar::moveMonths(from, months))
        setDate(*next);
}

void TqzMonthCalendar::moveYears(int years) {
    const QDate from = m_date.isValid() ? m_date : today();
    if (const auto next = qz::calendar::moveYears(from, years))
        setDate(*next);
}

void TqzMonthCalendar::showMonth(int month) {
    setDate(withMonth(m_date.isValid() ? m_date : today(), month));
}

void TqzMonthCalendar::setTodaySource(std::function<QDate()> today) {
    m_today = std::move(today);
    update();
}

QDate TqzMonthCalendar::today() const {
    return m_today ? m_today() : QDate::currentDate();
}

void TqzMonthCalendar::goToday() {
    setDate(today());
}

TqzMonthCalendar::Button TqzMonthCalendar::buttonAt(QPoint point) const {
    const Layout l = layout();
    if (l.prevYear.contains(point))
        return Button::PrevYear;
    if (l.prevMonth.contains(point))
        return Button::PrevMonth;
    if (l.nextMonth.contains(point))
        return Button::NextMonth;
    if (l.nextYear.contains(point))
        return Button::NextYear;
    return Button::None;
}

void TqzMonthCalendar::stepButton(Button button) {
    switch (button) {
    case Button::PrevYear:
        moveYears(-1);
        break;
    case Button::PrevMonth:
        moveMonths(-1);
        break;
    case Button::NextMonth:
        moveMonths(1);
        break;
    case Button::NextYear:
        moveYears(1);
        break;
    case Button::None:
        break;
    }
}

void TqzMonthCalendar::openMonthMenu() {
    QMenu menu(this);
    const QLocale locale = this->locale();
    for (int month = 1; month <= 12; ++month) {
        QAction* action = menu.addAction(locale.standaloneMonthName(month, QLocale::LongFormat));
        action->setData(month);
    }
    const Layout l = layout();
    const QAction* chosen = menu.exec(mapToGlobal(QPoint(l.title.center().x(), l.title.bottom())));
    if (chosen)
        showMonth(chosen->data().toInt());
}

void TqzMonthCalendar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    const Button button = buttonAt(point);
    if (button != Button::None) {
        m_held = button;
        m_heldInside = true;
        m_repeating = false;
        stepButton(button);
        m_repeat.start(kRepeatDelayMs, this);
        update();
        return;
    }
    const Layout l = layout();
    if (l.title.contains(point)) {
        openMonthMenu();
        return;
    }
    if (const auto cell = l.cellAt(point)) {
        const QDate month = shownMonth();
        const QDate day = dayAtCell(month.year(), month.month(), *cell, m_firstDay);
        if (day.isValid()) {
            setDate(day);
            m_dayPressed = true;
        }
    }
}

void TqzMonthCalendar::mouseMoveEvent(QMouseEvent* event) {
    // A held button repeats only while the pointer stays on it.
    if (m_held != Button::None)
        m_heldInside = buttonAt(event->position().toPoint()) == m_held;
}

void TqzMonthCalendar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_repeat.stop();
    m_held = Button::None;
    update();
    if (m_dayPressed) {
        m_dayPressed = false;
        Q_EMIT dayPicked(m_date);
    }
}

void TqzMonthCalendar::hideEvent(QHideEvent* event) {
    m_repeat.stop();
    m_held = Button::None;
    m_dayPressed = false;
    QWidget::hideEvent(event);
}

void TqzMonthCalendar::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_repeat.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    if (!m_repeating) {
        m_repeating = true;
        const bool year = m_held == Button::PrevYear || m_held == Button::NextYear;
        m_repeat.start(year ? kYearRepeatMs : kMonthRepeatMs, this);
    }
    if (m_held != Button::None && m_heldInside)
        stepButton(m_held);
}

namespace {

// A chevron pointing left or right; two side by side for the year buttons.
void drawChevrons(QPainter& painter, const QRectF& box, bool left, int count, const QColor& colour,
                  double scale) {
    const qreal h = 4.0 * scale;
    const qreal w = 3.0 * scale;
    const qreal spacing = 4.0 * scale;
    QPen pen(colour, 1.5 * scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal totalWidth = w + (count - 1) * spacing;
    for (int i = 0; i < count; ++i) {
        const qreal x0 = box.center().x() - totalWidth / 2 + i * spacing;
        const qreal tip = left ? x0 : x0 + w;
        const qreal back = left ? x0 + w : x0;
        QPainterPath path;
        path.moveTo(back, box.center().y() - h);
        path.lineTo(tip, box.center().y());
        path.lineTo(back, box.center().y() + h);
        painter.drawPath(path);
    }
}

} // namespace

void TqzMonthCalendar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette pal = palette();
    const QColor text = pal.color(QPalette::Active, QPalette::Text);
    painter.fillRect(rect(), pal.color(QPalette::Active, QPalette::Base));

    const Layout l = layout();
    const double s = scale();
    const struct {
        QRect box;
        Button button;
        bool left;
        int count;
    } buttons[] = {{l.prevYear, Button::PrevYear, true, 2},
                   {l.prevMonth, Button::PrevMonth, true, 1},
                   {l.nextMonth, Button::NextMonth, false, 1},
                   {l.nextYear, Button::NextYear, false, 2}};
    for (const auto& b : buttons) {
        if (m_held == b.button)
            painter.fillRect(b.box, qz::withAlpha(qz::kBrandBlue, 40));
        drawChevrons(painter, b.box, b.left, b.count,
                     qz::withAlpha(text, m_held == b.button ? 150 : 200), s);
    }

    const QLocale locale = this->locale();
    const QDate month = shownMonth();
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(text);
    const QString title = locale.standaloneMonthName(month.month(), QLocale::LongFormat) +
                          QStringLiteral(", ") + QString::number(month.year());
    painter.drawText(l.title, Qt::AlignCenter, title);

    painter.setFont(font());
    for (int column = 0; column < 7; ++column) {
        const int weekday = (m_firstDay + column) % 7; // 0 = Sunday
        const QString name =
            locale.dayName(weekday == 0 ? 7 : weekday, QLocale::ShortFormat).left(4);
        const QRect cell(l.weekdays.left() + column * l.cellWidth, l.weekdays.top(), l.cellWidth,
                         l.weekdays.height());
        painter.drawText(cell, Qt::AlignCenter, name);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(qz::withAlpha(text, 50));
    painter.drawLine(l.lineLeft, l.lineY, l.lineRight - 1, l.lineY);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(text);

    const int days = month.daysInMonth();
    for (int day = 1; day <= days; ++day) {
        const QDate date(month.year(), month.month(), day);
        const QRect cell = l.cellRect(cellOfDay(date, m_firstDay));
        if (date == m_date) {
            const qreal diameter = l.cellHeight + 5 * s;
            const QRectF disc(cell.center().x() + 0.5 - diameter / 2,
                              cell.center().y() + 0.5 - diameter / 2, diameter, diameter);
            painter.setPen(Qt::NoPen);
            painter.setBrush(qz::withAlpha(pal.color(QPalette::Active, QPalette::Highlight), 200));
            painter.drawEllipse(disc);
            painter.setFont(bold);
            painter.setPen(pal.color(QPalette::Active, QPalette::HighlightedText));
            painter.drawText(cell, Qt::AlignCenter, QString::number(day));
            painter.setFont(font());
            painter.setPen(text);
        } else {
            painter.drawText(cell, Qt::AlignCenter, QString::number(day));
        }
    }
}
