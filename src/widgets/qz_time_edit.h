#pragma once

#include <QBasicTimer>
#include <QTime>

#include "widgets/time_field_box.h"

// The hours:minutes field of the window ("HH:MM"). Typing overwrites and only takes a
// digit that leaves a valid time (00:00-23:59 or exactly 24:00); Up/Down keys, the wheel
// and the two arrow buttons at the right end step the part at the caret without carry;
// a held arrow button repeats every 100 ms.
//
// Time is the text as shown; writing it reads each part by position (blanks as 0) and
// shows two digits each, or "00:00" when a part is not a number. TimeValue is the time of
// day the text stands for (hours capped at 23, minutes at 59), so 24:00 reads as 23:00;
// writing it shows hours and minutes. OnChange follows every real change of the text,
// from the user or from code, and never a write of the same text.
class TqzTimeEdit : public qz::MaskedFieldBox {
    Q_OBJECT
    Q_PROPERTY(QString Time READ time WRITE setTime NOTIFY OnChange)
    Q_PROPERTY(QTime TimeValue READ timeValue WRITE setTimeValue NOTIFY OnChange)

public:
    explicit TqzTimeEdit(QWidget* parent = nullptr);

    QString time() const { return text(); }
    void setTime(const QString& text);

    QTime timeValue() const;
    void setTimeValue(const QTime& time);
    // TimeValue as a fraction of a day (hours/24 + minutes/1440).
    double dayFraction() const;

    // One step of the part at the caret: +1 up, -1 down. Takes the focus first.
    void stepBy(int direction);

    QRect upButtonRect() const;
    QRect downButtonRect() const;

    // The held arrow's repeat, and one of its ticks by hand, so the 100 ms steps can be
    // followed exactly.
    bool isRepeating() const { return m_repeat.isActive(); }
    void repeatTick();

Q_SIGNALS:
    void OnChange();

protected:
    int buttonAreaWidth() const override;
    void paintButtons(QPainter& painter) override;
    bool pressButtons(QPoint point) override;
    void releaseButtons() override;
    void typeCharacter(QChar ch) override;
    void textEdited() override;

    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    enum class Arrow { None, Up, Down };
    Arrow arrowAt(QPoint point) const;

    Arrow m_pressed = Arrow::None;
    Arrow m_hot = Arrow::None;
    QBasicTimer m_repeat;
};
