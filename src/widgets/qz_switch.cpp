#include "widgets/qz_switch.h"

#include "widgets/keyboard_cues.h"
#include "widgets/qz_accessible.h"
#include "widgets/qz_style.h"
#include "widgets/slide_math.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

QColor paletteColour(QPalette::ColorRole role) {
    return QApplication::palette().color(role);
}

} // namespace

TqzSwitch::TqzSwitch(QWidget* parent) : QWidget(parent) {
    qz::accessibility::install();
    qz::watchKeyboardUse();
    m_frameColor = paletteColour(QPalette::ButtonText);
    m_frameOnColor = paletteColour(QPalette::Highlight);
    m_framePressedColor = paletteColour(QPalette::Dark);
    m_thumbColor = paletteColour(QPalette::ButtonText);
    m_thumbOnColor = paletteColour(QPalette::HighlightedText);
    m_thumbPressedColor = paletteColour(QPalette::ButtonText);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover, false);
    setMinimumSize(minimumSizeHint());
    resize(minimumSizeHint());
    m_thumb = restingThumb(m_state);
    m_timer = new QTimer(this);
    m_timer->setInterval(15);
    connect(m_timer, &QTimer::timeout, this, &TqzSwitch::slideTick);
}

QSize TqzSwitch::minimumSizeHint() const {
    return {qz::scaled(40, this), qz::scaled(20, this)};
}

QSize TqzSwitch::sizeHint() const {
    return {qz::scaled(44, this), qz::scaled(20, this)};
}

void TqzSwitch::setState(State state) {
    if (state == m_state)
        return;
    m_timer->stop();
    m_moving = false;
    m_cancel = false;
    m_state = state;
    m_thumb = restingThumb(m_state);
    update();
    qz::accessibility::notifyChecked(this);
    if (!m_loading)
        Q_EMIT OnChangeState();
}

namespace {
void assignOr(QColor& target, const QColor& value, const QColor& fallback) {
    target = value.isValid() ? value : fallback;
}
} // namespace

void TqzSwitch::setFrameColor(const QColor& c) {
    assignOr(m_frameColor, c, paletteColour(QPalette::ButtonText));
    update();
}
void TqzSwitch::setFrameOnColor(const QColor& c) {
    assignOr(m_frameOnColor, c, paletteColour(QPalette::ButtonText));
    update();
}
void TqzSwitch::setFramePressedColor(const QColor& c) {
    m_framePressedColor = c;
    update();
}
void TqzSwitch::setThumbColor(const QColor& c) {
    assignOr(m_thumbColor, c, paletteColour(QPalette::ButtonText));
    update();
}
void TqzSwitch::setThumbOnColor(const QColor& c) {
    assignOr(m_thumbOnColor, c, paletteColour(QPalette::ButtonText));
    update();
}
void TqzSwitch::setThumbPressedColor(const QColor& c) {
    m_thumbPressedColor = c;
    update();
}
void TqzSwitch::setFrameSolid(bool on) {
    m_frameSolid = on;
    update();
}
void TqzSwitch::setFrameOnSolid(bool on) {
    m_frameOnSolid = on;
    update();
}

bool TqzSwitch::isSliding() const {
    return m_timer->isActive();
}

QRectF TqzSwitch::restingThumb(State state) const {
    const double h = height();
    return state == qzswOn ? QRectF(width() - h, 0, h, h) : QRectF(0, 0, h, h);
}

void TqzSwitch::startSlide(bool cancel) {
    m_cancel = cancel;
    // A toggle heads for the other end, a cancel slide back to the current state's end.
    m_towardsOn = cancel ? m_state == qzswOn : m_state == qzswOff;
    m_moving = true;
    if (!m_animation) {
        m_timer->stop();
        m_moving = false;
        m_thumb = restingThumb(m_state);
        if (cancel)
            update();
        else
            finishToggle();
        return;
    }
    m_timer->start();
}

void TqzSwitch::slideTick() {
    if (!m_moving)
        return;
    const int thumbWidth = height();
    const qz::SwitchSlideTick tick = qz::switchSlideTick(
        width(), thumbWidth, static_cast<int>(std::lround(m_thumb.left())), m_towardsOn);
    m_thumb.moveLeft(tick.left);
    if (tick.arrived) {
        m_timer->stop();
        m_moving = false;
        if (!m_cancel)
            finishToggle();
        m_cancel = false;
    }
    update();
}

void TqzSwitch::finishToggle() {
    m_state = m_state == qzswOn ? qzswOff : qzswOn;
    m_thumb = restingThumb(m_state);
    update();
    qz::accessibility::notifyChecked(this);
    if (!m_loading)
        Q_EMIT OnChangeState();
}

void TqzSwitch::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !isEnabled() || m_timer->isActive())
        return;
    m_pressed = m_framePressedColor.isValid();
    const QPointF pos = event->position();
    m_thumb = restingThumb(m_state);
    if (m_thumb.contains(pos)) {
        m_moving = true;
        m_pressX = m_lastX = pos.x();
    } else {
        m_mouseDown = true;
    }
    update();
}

void TqzSwitch::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (!m_moving || m_timer->isActive() || !(event->buttons() & Qt::LeftButton))
        return;
    const double x = event->position().x();
    const double maxLeft = width() - m_thumb.width();
    m_thumb.moveLeft(std::clamp(m_thumb.left() + (x - m_lastX), 0.0, maxLeft));
    m_lastX = x;
    update();
}

void TqzSwitch::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || m_timer->isActive())
        return;
    const bool wasOnThumb = m_moving;
    const bool wasOffThumb = m_mouseDown;
    m_pressed = false;
    m_mouseDown = false;
    if (!wasOnThumb && !wasOffThumb)
        return;
    const QPointF pos = event->position();
    if (wasOnThumb && pos.x() != m_pressX) {
        m_moving = false;
        const bool completes =
            qz::switchDragCompletes(m_state == qzswOn, m_thumb.center().x(), width());
        // Both slides start from where the thumb was let go.
        m_moving = true;
        m_cancel = !completes;
        m_towardsOn = completes ? m_state == qzswOff : m_state == qzswOn;
        if (m_animation) {
            m_timer->start();
        } else {
            m_moving = false;
            if (completes)
                finishToggle();
            m_thumb = restingThumb(m_state);
        }
        update();
        return;
    }
    m_moving = false;
    if (rect().contains(pos.toPoint()))
        startSlide(false);
    update();
}

void TqzSwitch::enterEvent(QEnterEvent* event) {
    m_hover = true;
    update();
    QWidget::enterEvent(event);
}

void TqzSwitch::leaveEvent(QEvent* event) {
    m_hover = false;
    update();
    QWidget::leaveEvent(event);
}

void TqzSwitch::resizeEvent(QResizeEvent* event) {
    if (!m_moving)
        m_thumb = restingThumb(m_state);
    QWidget::resizeEvent(event);
}

void TqzSwitch::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        m_hover = false;
        update();
    }
    QWidget::changeEvent(event);
}

void TqzSwitch::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Like a click: one toggle per press, none while a slide or a drag is under way.
    if (isEnabled() && !event->isAutoRepeat() && !m_moving)
        startSlide(false);
}

void TqzSwitch::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void TqzSwitch::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

void TqzSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = width();
    const double h = height();

    const bool pressedLook = m_pressed && m_framePressedColor.isValid();
    const bool lookOn = (m_timer->isActive() && !m_cancel) ? m_towardsOn : m_state == qzswOn;
    QColor frame = pressedLook ? m_framePressedColor : lookOn ? m_frameOnColor : m_frameColor;
    QColor thumb = pressedLook ? m_thumbPressedColor : lookOn ? m_thumbOnColor : m_thumbColor;
    if (m_hover && !pressedLook) {
        frame = qz::lightened(frame, 10);
        thumb = qz::lightened(thumb, 10);
    }
    if (!isEnabled()) {
        frame.setAlpha(frame.alpha() / 2);
        thumb.setAlpha(thumb.alpha() / 2);
    }

    const bool solid = pressedLook || (lookOn ? m_frameOnSolid : m_frameSolid);
    if (solid) {
        QPainterPath capsule;
        capsule.addRoundedRect(QRectF(0, 0, w, h), h / 2, h / 2);
        painter.fillPath(capsule, frame);
    } else {
        const double pen = qz::scaled(2, this);
        const QRectF inner = QRectF(0, 0, w, h).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
        painter.setPen(QPen(frame, pen));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(inner, inner.height() / 2, inner.height() / 2);
    }

    const QRectF square = m_moving ? m_thumb : restingThumb(m_state);
    const double inset = qz::scaled(5, this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(thumb);
    painter.drawEllipse(square.adjusted(inset, inset, -inset, -inset));
    if (hasFocus())
        qz::paintFocusMark(painter, this, QRectF(0, 0, w, h), h / 2);
}
