#include "widgets/qz_radio_button.h"

#include "widgets/qz_accessible.h"
#include "widgets/qz_style.h"

#include <QMouseEvent>
#include <QPainter>

TqzRadioButton::TqzRadioButton(QWidget* parent)
    : qz::StyledControl(parent), m_markColor(qz::kBrandBlue) {
    setFocusPolicy(Qt::StrongFocus);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

void TqzRadioButton::setChecked(bool checked) {
    if (checked == m_checked)
        return;
    m_checked = checked;
    if (checked && parentWidget()) {
        const auto siblings =
            parentWidget()->findChildren<TqzRadioButton*>(Qt::FindDirectChildrenOnly);
        for (TqzRadioButton* other : siblings) {
            if (other != this && other->m_checked) {
                other->m_checked = false;
                other->update();
                qz::accessibility::notifyChecked(other);
            }
        }
    }
    update();
    qz::accessibility::notifyChecked(this);
}

void TqzRadioButton::setMarkColor(const QColor& c) {
    m_markColor = c;
    update();
}

void TqzRadioButton::setFontColor(const QColor& c) {
    m_fontColor = c;
    update();
}

void TqzRadioButton::checkByUser() {
    if (m_checked || !isEnabled())
        return;
    setChecked(true);
    Q_EMIT OnClick();
}

QSize TqzRadioButton::sizeHint() const {
    const int mark = qz::scaled(20, this);
    return {mark + qz::scaled(6, this) + fontMetrics().horizontalAdvance(caption()),
            std::max(mark, fontMetrics().height())};
}

void TqzRadioButton::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !m_leftPressed)
        return;
    m_leftPressed = false;
    if (rect().contains(event->position().toPoint()))
        checkByUser();
}

void TqzRadioButton::activateByKey() {
    checkByUser();
}

bool TqzRadioButton::sameGroup(const qz::StyledControl* other) const {
    return qobject_cast<const TqzRadioButton*>(other) != nullptr;
}

void TqzRadioButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        update();
    qz::StyledControl::changeEvent(event);
}

void TqzRadioButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.5);
    const double mark = qz::scaled(20, this);
    const double pen = qz::scaled(2, this);
    const QRectF circle(pen / 2, (height() - mark) / 2 + pen / 2, mark - pen, mark - pen);
    painter.setPen(QPen(m_markColor, pen));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawEllipse(circle);
    if (m_checked) {
        const double dot = mark * 0.25;
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_markColor);
        painter.drawEllipse(
            circle.adjusted(dot - pen / 2, dot - pen / 2, pen / 2 - dot, pen / 2 - dot));
    }
    painter.setPen(m_fontColor);
    const int textLeft = static_cast<int>(mark) + qz::scaled(6, this);
    painter.drawText(QRect(textLeft, 0, width() - textLeft, height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption());
    if (hasFocus()) {
        const int textWidth = fontMetrics().horizontalAdvance(caption());
        const double pad = qz::scaled(3, this);
        qz::paintFocusMark(painter, this,
                           QRectF(textLeft - pad, 1, textWidth + 2 * pad, height() - 2),
                           qz::scaled(4, this));
    }
}
