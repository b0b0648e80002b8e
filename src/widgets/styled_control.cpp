#include "widgets/styled_control.h"

#include "widgets/assign_if_changed.h"
#include "widgets/keyboard_cues.h"
#include "widgets/qz_accessible.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace qz {

StyledControl::StyledControl(QWidget* parent) : QWidget(parent) {
    accessibility::install();
    watchKeyboardUse();
}

void StyledControl::setCaption(const QString& caption) {
    if (!assignIfChanged(m_caption, caption))
        return;
    captionChanged();
    accessibility::notify(this, QAccessible::NameChanged);
}

void StyledControl::captionChanged() {
    update();
}

void StyledControl::activateByKey() {
    Q_EMIT OnClick();
}

bool StyledControl::sameGroup(const StyledControl*) const {
    return false;
}

bool StyledControl::focusAlongGroup(int step) {
    if (!parentWidget())
        return false;
    QList<StyledControl*> group;
    for (StyledControl* c :
         parentWidget()->findChildren<StyledControl*>(Qt::FindDirectChildrenOnly)) {
        if (c == this || (sameGroup(c) && c->isEnabled() && c->isVisibleTo(parentWidget())))
            group.append(c);
    }
    if (group.size() < 2)
        return false;
    std::sort(group.begin(), group.end(), [](const StyledControl* a, const StyledControl* b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    const auto count = group.size();
    const auto next = (group.indexOf(this) + step % count + count) % count;
    group.at(next)->setFocus(Qt::OtherFocusReason);
    return true;
}

void StyledControl::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // One activation per press: a held key does not repeat it.
        if (!event->isAutoRepeat())
            activateByKey();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (focusAlongGroup(-1))
            return;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (focusAlongGroup(1))
            return;
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void StyledControl::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void StyledControl::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

void StyledControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    // Accepted so the release comes back here and not to a parent control.
    event->accept();
}

void StyledControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_leftPressed) {
        m_leftPressed = false;
        if (rect().contains(event->position().toPoint()))
            Q_EMIT OnClick();
    }
    event->accept();
}

} // namespace qz
