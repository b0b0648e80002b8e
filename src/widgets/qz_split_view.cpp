#include "widgets/qz_split_view.h"

#include "widgets/qz_style.h"
#include "widgets/slide_math.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

TqzSplitView::TqzSplitView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
    m_timer = new QTimer(this);
    m_timer->setInterval(15);
    connect(m_timer, &QTimer::timeout, this, &TqzSplitView::slideTick);
    setEnabled(false);
    watchParent();
    placeAt(scaledCompact());
}

int TqzSplitView::scaledOpened() const {
    return qz::scaled(m_openedWidth, this);
}
int TqzSplitView::scaledCompact() const {
    return m_compactWidth > 0 ? qz::scaled(m_compactWidth, this) : 0;
}
int TqzSplitView::minStep() const {
    return std::max(1, static_cast<int>(qz::dpiScale(this)));
}

void TqzSplitView::setOpenedWidth(int designPixels) {
    m_openedWidth = std::max(0, designPixels);
    if (m_state == SlideState::Opened)
        placeAt(scaledOpened());
}

void TqzSplitView::setCompactWidth(int designPixels) {
    m_compactWidth = std::max(0, designPixels);
    if (m_state == SlideState::Closed)
        placeAt(scaledCompact());
}

void TqzSplitView::setSlideState(SlideState state) {
    m_state = state;
    raise();
    switch (state) {
    case SlideState::Opening:
        Q_EMIT OnOpening();
        break;
    case SlideState::Opened:
        Q_EMIT OnOpened();
        break;
    case SlideState::Closing:
        Q_EMIT OnClosing();
        break;
    case SlideState::Closed:
        Q_EMIT OnClosed();
        break;
    }
}

void TqzSplitView::setOpened(bool open) {
    if (open && (m_state == SlideState::Opened || m_state == SlideState::Opening))
        return;
    if (!open && (m_state == SlideState::Closed || m_state == SlideState::Closing))
        return;
    if (!m_animation || m_loading) {
        m_timer->stop();
        if (open) {
            setEnabled(true);
            placeAt(scaledOpened());
            setSlideState(SlideState::Opened);
        } else {
            placeAt(scaledCompact());
            if (scaledCompact() == 0)
                setEnabled(false);
            setSlideState(SlideState::Closed);
        }
        return;
    }
    // A reversal simply carries on from the width the panel has now.
    setSlideState(open ? SlideState::Opening : SlideState::Closing);
    m_timer->start();
}

void TqzSplitView::slideTick() {
    const int opened = scaledOpened();
    const int compact = scaledCompact();
    if (m_state == SlideState::Opening) {
        if (compact == 0 && !isEnabled())
            setEnabled(true);
        const int next = qz::splitViewOpeningWidth(m_width, opened, compact, minStep());
        placeAt(next);
        if (next >= opened) {
            m_timer->stop();
            setSlideState(SlideState::Opened);
        }
    } else if (m_state == SlideState::Closing) {
        const int next = qz::splitViewClosingWidth(m_width, opened, compact, minStep());
        placeAt(next);
        if (next <= compact) {
            m_timer->stop();
            if (compact == 0)
                setEnabled(false);
            setSlideState(SlideState::Closed);
        }
    } else {
        m_timer->stop();
    }
}

void TqzSplitView::placeAt(int width) {
    m_width = width;
    QWidget* host = parentWidget();
    const QRect target = host ? QRect(host->width() - width, 0, width, host->height())
                              : QRect(x() + this->width() - width, y(), width, height());
    if (geometry() == target)
        return;
    m_placing = true;
    setGeometry(target);
    m_placing = false;
}

void TqzSplitView::watchParent() {
    QWidget* host = parentWidget();
    if (host == m_watchedParent)
        return;
    if (m_watchedParent)
        m_watchedParent->removeEventFilter(this);
    m_watchedParent = host;
    if (host)
        host->installEventFilter(this);
}

bool TqzSplitView::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange) {
        watchParent();
        placeAt(m_width);
    }
    return QWidget::event(event);
}

bool TqzSplitView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_watchedParent && event->type() == QEvent::Resize)
        placeAt(m_width);
    return QWidget::eventFilter(watched, event);
}

// Geometry given from outside is overridden: the panel's bounds follow its parent only.
void TqzSplitView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!m_placing)
        placeAt(m_width);
}

void TqzSplitView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!m_placing)
        placeAt(m_width);
}

void TqzSplitView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    // The shadow line along the left edge sets the panel off from the content under it.
    painter.fillRect(QRect(0, 0, std::min(1, width()), height()), palette().color(QPalette::Dark));
}
