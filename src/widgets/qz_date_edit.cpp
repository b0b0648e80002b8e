#include "widgets/qz_date_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>

#include "widgets/qz_style.h"

// The window that carries the calendar below the field. As a popup it receives the keys
// and the clicks outside it while the field keeps the focus.
class DateEditPopup : public QWidget {
public:
    explicit DateEditPopup(TqzDateEdit* edit) : QWidget(edit, Qt::Popup), m_edit(edit) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFocusPolicy(Qt::NoFocus);
    }

    bool m_open = false;

protected:
    void paintEvent(QPaintEvent*) override {
        // A hairline frame so the page stands off whatever lies beneath it.
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Active, QPalette::Mid));
        painter.setBrush(palette().color(QPalette::Active, QPalette::Base));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

    void keyPressEvent(QKeyEvent* event) override { m_edit->popupKey(event); }
    void keyReleaseEvent(QKeyEvent* event) override { m_edit->popupKeyRelease(event); }

    void mousePressEvent(QMouseEvent* event) override {
        if (rect().contains(event->position().toPoint()))
            return;
        const QPoint global = event->globalPosition().toPoint();
        const QPoint inEdit = m_edit->mapFromGlobal(global);
        if (m_edit->dropDownButtonRect().contains(inEdit)) {
            // The button's own press would open the calendar again at once.
            setAttribute(Qt::WA_NoMouseReplay);
        } else if (m_edit->rect().contains(inEdit)) {
            m_edit->setCaretPosition(m_edit->caretPosition());
            return;
        }
        m_edit->closeUp(false);
    }

    void hideEvent(QHideEvent* event) override {
        QWidget::hideEvent(event);
        // Closed from outside (another window activated, say): that is a cancel.
        if (m_open)
            m_edit->closeUp(false);
    }

private:
    TqzDateEdit* m_edit;
};

TqzDateEdit::TqzDateEdit(QWidget* parent) : qz::MaskedFieldBox(parent) {
    m_template = qz::datefield::templateForLocale(locale());
    m_state.text = m_template.blankText();

    auto* popup = new DateEditPopup(this);
    m_popup = popup;
    m_calendar = new TqzMonthCalendar(popup);
    m_calendar->setObjectName(QStringLiteral("calendar"));
    auto* box = new QVBoxLayout(popup);
    box->setContentsMargins(1, 1, 1, 1);
    box->addWidget(m_calendar);
    popup->resize(px(250), px(200));
    connect(m_calendar, &TqzMonthCalendar::dayPicked, this, [this] { closeUp(true); });
}

TqzDateEdit::~TqzDateEdit() {
    static_cast<DateEditPopup*>(m_popup)->m_open = false;
}

QDate TqzDateEdit::date() const {
    return textIsDate() ? m_calendar->date() : QDate();
}

bool TqzDateEdit::textIsDate() const {
    return qz::datefield::parseDate(text(), m_template, m_calendar->today().year()).has_value();
}

void TqzDateEdit::setDate(const QDate& date) {
    const QDate before = m_calendar->date();
    m_calendar->setDate(date);
    showText(qz::datefield::formatDate(date, m_template));
    if (date != before)
        Q_EMIT OnDateChange(date);
}

void TqzDateEdit::setReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    if (readOnly)
        closeUp(false);
}

void TqzDateEdit::showText(const QString& text) {
    m_writing = true;
    replaceState({text, m_state.caret});
    m_writing = false;
}

void TqzDateEdit::typeCharacter(QChar ch) {
    if (m_readOnly || !ch.isDigit() || ch.unicode() >= 128)
        return;
    replaceState(qz::overwriteDigit(m_state, ch));
}

void TqzDateEdit::textEdited() {
    // The typed date is taken before anyone hears of the change, so a handler of OnChange
    // (the task's description) reads the date the field now holds.
    std::optional<QDate> taken;
    if (!m_writing) {
        const auto typed = qz::datefield::parseDate(text(), m_template, m_calendar->today().year());
        if (typed && *typed != m_calendar->date()) {
            m_calendar->setDate(*typed);
            taken = typed;
        }
    }
    Q_EMIT OnChange();
    if (taken)
        Q_EMIT OnDateChange(*taken);
}

bool TqzDateEdit::textAccepted() const {
    return hasValidDate();
}

bool TqzDateEdit::isDroppedDown() const {
    return static_cast<DateEditPopup*>(m_popup)->m_open;
}

QPoint TqzDateEdit::popupPosition(const QRect& field, QSize popupSize, const QRect& workArea) {
    int x = field.left();
    int y = field.bottom() + 1;
    if (y + popupSize.height() > workArea.bottom() + 1)
        y = field.top() - popupSize.height();
    if (x + popupSize.width() > workArea.right() + 1)
        x = workArea.right() + 1 - popupSize.width();
    if (x < workArea.left())
        x = workArea.left();
    return {x, y};
}

void TqzDateEdit::dropDown() {
    if (m_readOnly || isDroppedDown())
        return;
    m_remembered = m_calendar->date();
    if (!m_remembered.isValid() && text().contains(QLatin1Char(' ')))
        m_calendar->goToday();

    m_popup->resize(px(250), px(200));
    const QRect field(mapToGlobal(QPoint(0, 0)), size());
    QScreen* where = screen();
    const QRect workArea = where ? where->availableGeometry() : QRect(field.topLeft(), QSize(1, 1));
    m_popup->move(popupPosition(field, m_popup->size(), workArea));
    static_cast<DateEditPopup*>(m_popup)->m_open = true;
    m_popup->show();
    update();
}

void TqzDateEdit::closeUp(bool accept) {
    auto* popup = static_cast<DateEditPopup*>(m_popup);
    if (!popup->m_open)
        return;
    popup->m_open = false;
    popup->hide();
    if (accept) {
        const QDate chosen = m_calendar->date();
        showText(qz::datefield::formatDate(chosen, m_template));
        if (chosen != m_remembered)
            Q_EMIT OnDateChange(chosen);
    } else {
        m_calendar->setDate(m_remembered);
    }
    update();
}

void TqzDateEdit::popupKey(QKeyEvent* event) {
    const bool alt = event->modifiers() & Qt::AltModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        alt ? closeUp(false) : m_calendar->moveDays(-1);
        break;
    case Qt::Key_Up:
        alt ? closeUp(false) : m_calendar->moveDays(-7);
        break;
    case Qt::Key_Right:
        if (!alt)
            m_calendar->moveDays(1);
        break;
    case Qt::Key_Down:
        if (!alt)
            m_calendar->moveDays(7);
        break;
    case Qt::Key_PageUp:
        m_calendar->moveMonths(-1);
        break;
    case Qt::Key_PageDown:
        m_calendar->moveMonths(1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        closeUp(true);
        break;
    case Qt::Key_Escape:
        closeUp(false);
        break;
    default:
        break; // typed characters do nothing while the calendar is open
    }
    event->accept();
}

void TqzDateEdit::popupKeyRelease(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat())
        m_calendar->goToday();
    event->accept();
}

void TqzDateEdit::keyPressEvent(QKeyEvent* event) {
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (alt && (event->key() == Qt::Key_Down || event->key() == Qt::Key_Right)) {
        dropDown();
        return;
    }
    if (m_readOnly && (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete))
        return;
    qz::MaskedFieldBox::keyPressEvent(event);
}

void TqzDateEdit::focusOutEvent(QFocusEvent* event) {
    if (event->reason() != Qt::PopupFocusReason)
        closeUp(false);
    qz::MaskedFieldBox::focusOutEvent(event);
}

void TqzDateEdit::changeEvent(QEvent* event) {
    // A field that becomes disabled (a task was armed, say) drops its calendar unchosen.
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        closeUp(false);
    qz::MaskedFieldBox::changeEvent(event);
}

void TqzDateEdit::hideEvent(QHideEvent* event) {
    closeUp(false);
    qz::MaskedFieldBox::hideEvent(event);
}

int TqzDateEdit::buttonAreaWidth() const {
    return innerRect().height();
}

QRect TqzDateEdit::dropDownButtonRect() const {
    const QRect inner = innerRect();
    const int width = buttonAreaWidth();
    return QRect(inner.right() - width + 1, inner.top(), width, inner.height());
}

bool TqzDateEdit::pressButtons(QPoint point) {
    if (!dropDownButtonRect().contains(point))
        return false;
    setFocus(Qt::MouseFocusReason);
    if (isDroppedDown())
        closeUp(false);
    else
        dropDown();
    return true;
}

void TqzDateEdit::paintButtons(QPainter& painter) {
    const QRectF box = dropDownButtonRect();
    const bool hot = isHovered() && box.contains(mapFromGlobal(QCursor::pos()));
    const QColor colour = isEnabled() ? glyphColour(hot, isDroppedDown())
                                      : palette().color(QPalette::Disabled, QPalette::Text);
    const qreal half = box.width() * 0.28;
    const qreal cx = box.center().x();
    const qreal cy = box.center().y();
    QPainterPath glyph;
    glyph.moveTo(cx - half, cy - half * 0.45);
    glyph.lineTo(cx + half, cy - half * 0.45);
    glyph.lineTo(cx, cy + half * 0.6);
    glyph.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(glyph);
}
