#include "widgets/qz_time_edit.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include "widgets/time_field_rules.h"

namespace {
// A held arrow button steps once at once, then every 100 ms.
constexpr int kRepeatIntervalMs = 100;
} // namespace

TqzTimeEdit::TqzTimeEdit(QWidget* parent) : qz::MaskedFieldBox(parent) {
    m_state.text = qz::timefield::kResetText;
    setMouseTracking(true);
}

void TqzTimeEdit::setTime(const QString& text) {
    replaceState({qz::timefield::normalizedText(text), m_state.caret});
}

QTime TqzTimeEdit::timeValue() const {
    return qz::timefield::readTime(text());
}

void TqzTimeEdit::setTimeValue(const QTime& time) {
    replaceState({qz::timefield::formatTime(time), m_state.caret});
}

double TqzTimeEdit::dayFraction() const {
    return timeValue().msecsSinceStartOfDay() / 86400000.0;
}

void TqzTimeEdit::stepBy(int direction) {
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
    replaceState({qz::timefield::step(text(), caretPosition(), direction), caretPosition()});
}

void TqzTimeEdit::typeCharacter(QChar ch) {
    if (const auto next = qz::timefield::typeKey(m_state, ch))
        replaceState(*next);
}

void TqzTimeEdit::textEdited() {
    Q_EMIT OnChange();
}

int TqzTimeEdit::buttonAreaWidth() const {
    return innerRect().height() / 2;
}

QRect TqzTimeEdit::upButtonRect() const {
    const QRect inner = innerRect();
    const int width = buttonAreaWidth();
    return QRect(inner.right() - width + 1, inner.top(), width, inner.height() / 2);
}

QRect TqzTimeEdit::downButtonRect() const {
    const QRect up = upButtonRect();
    const QRect inner = innerRect();
    return QRect(up.left(), up.bottom() + 1, up.width(), inner.bottom() - up.bottom());
}

TqzTimeEdit::Arrow TqzTimeEdit::arrowAt(QPoint point) const {
    if (upButtonRect().contains(point))
        return Arrow::Up;
    if (downButtonRect().contains(point))
        return Arrow::Down;
    return Arrow::None;
}

void TqzTimeEdit::paintButtons(QPainter& painter) {
    for (const Arrow arrow : {Arrow::Up, Arrow::Down}) {
        const QRectF box = arrow == Arrow::Up ? upButtonRect() : downButtonRect();
        const bool enabled = isEnabled();
        QColor colour = enabled ? glyphColour(m_hot == arrow, m_pressed == arrow)
                                : palette().color(QPalette::Disabled, QPalette::Text);
        // A small solid triangle, as wide as the button allows.
        const qreal half = qMin(box.width() * 0.5, box.height() * 0.9);
        const qreal cx = box.center().x() + 0.5;
        const qreal cy = box.center().y() + 0.5;
        const qreal rise = half * 0.6;
        QPainterPath glyph;
        if (arrow == Arrow::Up) {
            glyph.moveTo(cx - half, cy + rise / 2);
            glyph.lineTo(cx + half, cy + rise / 2);
            glyph.lineTo(cx, cy - rise / 2);
        } else {
            glyph.moveTo(cx - half, cy - rise / 2);
            glyph.lineTo(cx + half, cy - rise / 2);
            glyph.lineTo(cx, cy + rise / 2);
        }
        glyph.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPath(glyph);
    }
}

bool TqzTimeEdit::pressButtons(QPoint point) {
    const Arrow arrow = arrowAt(point);
    if (arrow == Arrow::None)
        return false;
    m_pressed = arrow;
    m_hot = arrow;
    stepBy(arrow == Arrow::Up ? 1 : -1);
    m_repeat.start(kRepeatIntervalMs, this);
    update();
    return true;
}

void TqzTimeEdit::releaseButtons() {
    m_repeat.stop();
    m_pressed = Arrow::None;
    update();
}

void TqzTimeEdit::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_repeat.timerId()) {
        qz::MaskedFieldBox::timerEvent(event);
        return;
    }
    repeatTick();
}

void TqzTimeEdit::repeatTick() {
    // Only while the pointer is still on the held button, as a push button repeats.
    if (m_pressed != Arrow::None && m_hot == m_pressed)
        stepBy(m_pressed == Arrow::Up ? 1 : -1);
}

void TqzTimeEdit::mouseMoveEvent(QMouseEvent* event) {
    const Arrow hot = arrowAt(event->position().toPoint());
    if (hot != m_hot) {
        m_hot = hot;
        update();
    }
    qz::MaskedFieldBox::mouseMoveEvent(event);
}

void TqzTimeEdit::leaveEvent(QEvent* event) {
    if (m_pressed == Arrow::None)
        m_hot = Arrow::None;
    qz::MaskedFieldBox::leaveEvent(event);
}

void TqzTimeEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        stepBy(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    qz::MaskedFieldBox::keyPressEvent(event);
}

void TqzTimeEdit::wheelEvent(QWheelEvent* event) {
    const int dy = event->angleDelta().y();
    if (dy == 0) {
        event->ignore();
        return;
    }
    stepBy(dy > 0 ? 1 : -1);
    event->accept();
}
