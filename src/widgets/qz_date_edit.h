#pragma once

#include <QDate>

#include "widgets/date_field_format.h"
#include "widgets/qz_month_calendar.h"
#include "widgets/time_field_box.h"

class QWidget;

// The date field: a text in the locale's short date order ("DD/MM/YYYY", "MM/DD/YY", ...,
// with the locale's separator) and a drop-down month calendar. Typing overwrites digits;
// a typed text that reads as a complete, valid date is taken over into Date first, then
// OnChange follows (every change of the text raises it) and OnDateChange when Date moved,
// so a handler always reads the date the field holds. While the text is no date (incomplete,
// or a day the month lacks such as 02/30/27) Date reads as a null date, so nothing is
// scheduled from a date the field does not show; the calendar keeps the last date taken and
// opens there, and the frame shows the error colour. Setting Date shows it, then raises
// OnChange and OnDateChange.
//
// The drop-down opens by its button or Alt+Down/Alt+Right; while it is open the arrow
// keys, Page Up/Down and Space move the calendar (Date follows it), Enter or a day click
// accepts, Esc, Alt+Up/Alt+Left, the button or a click elsewhere cancel and restore the
// date held before opening. The focus stays in the field.
class TqzDateEdit : public qz::MaskedFieldBox {
    Q_OBJECT
    Q_PROPERTY(QDate Date READ date WRITE setDate NOTIFY OnDateChange)
    Q_PROPERTY(bool ReadOnly READ isReadOnly WRITE setReadOnly)

public:
    explicit TqzDateEdit(QWidget* parent = nullptr);
    ~TqzDateEdit() override;

    // The date the text shows; a null date while the text is no date.
    QDate date() const;
    void setDate(const QDate& date);
    // True when the text reads as a real date, the one date() gives. False for an empty,
    // incomplete or impossible date: a task must not be armed from such a field.
    bool hasValidDate() const { return date().isValid(); }

    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);

    const qz::datefield::DateTemplate& dateTemplate() const { return m_template; }

    // The drop-down calendar and its window.
    TqzMonthCalendar* calendar() const { return m_calendar; }
    QWidget* popup() const { return m_popup; }
    bool isDroppedDown() const;
    void dropDown();
    void closeUp(bool accept);

    QRect dropDownButtonRect() const;
    // Where the popup of the given size goes for a field at fieldGlobal within the screen's
    // work area: below the field, above it when it does not fit below, kept inside the
    // work area's right and then left edge.
    static QPoint popupPosition(const QRect& fieldGlobal, QSize popupSize, const QRect& workArea);

Q_SIGNALS:
    void OnChange();
    void OnDateChange(const QDate& date);

protected:
    int buttonAreaWidth() const override;
    void paintButtons(QPainter& painter) override;
    bool pressButtons(QPoint point) override;
    void typeCharacter(QChar ch) override;
    void textEdited() override;
    bool textAccepted() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    friend class DateEditPopup;
    void popupKey(QKeyEvent* event);
    void popupKeyRelease(QKeyEvent* event);
    void showText(const QString& text);
    bool textIsDate() const;

    qz::datefield::DateTemplate m_template;
    QWidget* m_popup = nullptr;
    TqzMonthCalendar* m_calendar = nullptr;
    QDate m_remembered;
    bool m_readOnly = false;
    bool m_writing = false;
};
