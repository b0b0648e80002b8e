#include "widgets/qz_button.h"

#include "widgets/qz_accessible.h"
#include "widgets/qz_style.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

// Rectangle outline with rounded corners on the chosen sides only.
QPainterPath segmentPath(const QRectF& r, double radius, bool roundLeft, bool roundRight) {
    QPainterPath path;
    const double d = 2 * radius;
    if (roundLeft) {
        path.moveTo(r.left(), r.top() + radius);
        path.arcTo(QRectF(r.left(), r.top(), d, d), 180, -90);
    } else {
        path.moveTo(r.topLeft());
    }
    if (roundRight) {
        path.lineTo(r.right() - radius, r.top());
        path.arcTo(QRectF(r.right() - d, r.top(), d, d), 90, -90);
        path.lineTo(r.right(), r.bottom() - radius);
        path.arcTo(QRectF(r.right() - d, r.bottom() - d, d, d), 0, -90);
    } else {
        path.lineTo(r.topRight());
        path.lineTo(r.bottomRight());
    }
    if (roundLeft) {
        path.lineTo(r.left() + radius, r.bottom());
        path.arcTo(QRectF(r.left(), r.bottom() - d, d, d), 270, -90);
    } else {
        path.lineTo(r.bottomLeft());
    }
    path.closeSubpath();
    return path;
}

} // namespace

TqzButton::TqzButton(QWidget* parent) : qz::StyledControl(parent) {
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setFocusPolicy(Qt::StrongFocus);
}

void TqzButton::setSegment(Segment segment) {
    m_segment = segment;
    update();
}

void TqzButton::setDown(bool down) {
    if (down) {
        pressDown();
        return;
    }
    // A grouped button is released only by another one going down, so a group always
    // keeps exactly one down button.
    if (m_down && m_groupIndex == 0) {
        m_down = false;
        update();
    }
}

void TqzButton::pressDown() {
    if (m_down)
        return;
    m_down = true;
    if (m_groupIndex != 0 && parentWidget()) {
        const auto siblings = parentWidget()->findChildren<TqzButton*>(Qt::FindDirectChildrenOnly);
        for (TqzButton* other : siblings) {
            if (other != this && other->m_groupIndex == m_groupIndex && other->m_down) {
                other->m_down = false;
                other->update();
                qz::accessibility::notifyChecked(other);
            }
        }
    }
    update();
    qz::accessibility::notifyChecked(this);
    Q_EMIT OnClick();
}

QSize TqzButton::sizeHint() const {
    return {fontMetrics().horizontalAdvance(caption()) + qz::scaled(20, this),
            qz::scaled(42, this)};
}

void TqzButton::activateByKey() {
    if (m_groupIndex != 0)
        pressDown();
    else
        Q_EMIT OnClick();
}

bool TqzButton::sameGroup(const qz::StyledControl* other) const {
    const auto* button = qobject_cast<const TqzButton*>(other);
    return button && m_groupIndex != 0 && button->m_groupIndex == m_groupIndex;
}

void TqzButton::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    if (m_groupIndex != 0) {
        pressDown(); // a grouped button goes down at the press
        return;
    }
    m_leftPressed = true;
    m_down = true;
    update();
}

void TqzButton::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (m_groupIndex != 0 || event->button() != Qt::LeftButton || !m_leftPressed)
        return;
    m_leftPressed = false;
    m_down = false;
    update();
    if (rect().contains(event->position().toPoint()))
        Q_EMIT OnClick();
}

void TqzButton::enterEvent(QEnterEvent* event) {
    m_hot = true;
    update();
    qz::StyledControl::enterEvent(event);
}

void TqzButton::leaveEvent(QEvent* event) {
    m_hot = false;
    update();
    qz::StyledControl::leaveEvent(event);
}

void TqzButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        m_hot = false;
        update();
    }
    qz::StyledControl::changeEvent(event);
}

void TqzButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double pen = qz::scaled(2, this);
    const double radius = qz::scaled(10, this);
    const bool roundLeft = m_segment == Single || m_segment == First;
    const bool roundRight = m_segment == Single || m_segment == Last;
    // Inner segments leave their left edge to the neighbour so joints stay one frame wide.
    const double leftInset = roundLeft ? pen / 2 : -pen / 2;
    const QRectF outline = QRectF(rect()).adjusted(leftInset, pen / 2, -pen / 2, -pen / 2);
    const QPainterPath path = segmentPath(outline, radius, roundLeft, roundRight);

    const bool filled = (m_down || m_hot) && isEnabled();
    const QPalette& pal = palette();
    painter.fillPath(path, filled ? qz::kBrandBlue : pal.color(QPalette::Button));
    QColor frame = qz::kBrandBlue;
    if (!isEnabled())
        frame.setAlpha(128);
    painter.setPen(QPen(frame, pen));
    painter.setBrush(Qt::NoBrush);
    painter.setClipRect(rect());
    painter.drawPath(path);

    QColor text = filled ? QColor(Qt::white) : pal.color(QPalette::ButtonText);
    if (!isEnabled())
        text = m_down ? qz::kBrandBlue : pal.color(QPalette::Disabled, QPalette::ButtonText);
    painter.setPen(text);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, caption());
    if (hasFocus())
        qz::paintFocusMark(painter, this, outline.adjusted(pen, pen, -pen, -pen), radius - pen);
}
