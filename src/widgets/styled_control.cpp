#include "widgets/styled_control.h"

#include <QMouseEvent>

namespace qz {

StyledControl::StyledControl(QWidget* parent) : QWidget(parent) {}

void StyledControl::setCaption(const QString& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    captionChanged();
}

void StyledControl::captionChanged() {
    update();
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
