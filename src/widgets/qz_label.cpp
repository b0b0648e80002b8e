#include "widgets/qz_label.h"

#include "widgets/qz_style.h"
#include "widgets/text_fit.h"

#include <QMouseEvent>
#include <QPainter>

TqzLabel::TqzLabel(QWidget* parent) : qz::StyledControl(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    fitToText();
}

void TqzLabel::setAutoSize(bool on) {
    m_autoSize = on;
    setSizePolicy(on ? QSizePolicy::Fixed : QSizePolicy::Preferred,
                  on && m_autoSizeHeight ? QSizePolicy::Fixed : QSizePolicy::Preferred);
    fitToText();
}

void TqzLabel::setAutoSizeHeight(bool on) {
    m_autoSizeHeight = on;
    setAutoSize(m_autoSize);
}

void TqzLabel::setFontColor(const QColor& c) {
    m_fontColor = c;
    update();
}

void TqzLabel::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void TqzLabel::setWordWrap(bool on) {
    m_wordWrap = on;
    tipWhenCut();
    update();
}

QStringList TqzLabel::shownLines() const {
    if (!m_wordWrap)
        return {caption()};
    const QFontMetrics metrics = fontMetrics();
    return qz::fitText(caption(), width(), height(), metrics.height(),
                       [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
}

void TqzLabel::tipWhenCut() {
    if (!m_wordWrap)
        return;
    const bool cut = shownLines().join(QLatin1Char(' ')).simplified() != caption().simplified();
    setToolTip(cut ? caption() : QString());
}

void TqzLabel::resizeEvent(QResizeEvent* event) {
    qz::StyledControl::resizeEvent(event);
    tipWhenCut();
}

QSize TqzLabel::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(caption()), metrics.height()};
}

void TqzLabel::fitToText() {
    updateGeometry();
    if (m_autoSize) {
        const QSize hint = sizeHint();
        resize(hint.width(), m_autoSizeHeight ? hint.height() : height());
    }
    update();
}

void TqzLabel::captionChanged() {
    fitToText();
    tipWhenCut();
}

void TqzLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        fitToText();
        tipWhenCut();
    }
    qz::StyledControl::changeEvent(event);
}

void TqzLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QColor ink = m_fontColor.isValid() ? m_fontColor : palette().color(QPalette::WindowText);
    if (!isEnabled())
        ink = palette().color(QPalette::Disabled, QPalette::WindowText);
    painter.setPen(ink);
    if (m_wordWrap) {
        qz::drawCentredLines(painter, rect(), shownLines(), fontMetrics().height(), m_alignment);
    } else {
        painter.drawText(rect(), m_alignment | Qt::AlignVCenter | Qt::TextSingleLine, caption());
    }
    if (hasFocus())
        qz::paintFocusMark(painter, this, QRectF(rect()).adjusted(0, 4, 0, -4),
                           qz::scaled(3, this));
}

void TqzLabel::mousePressEvent(QMouseEvent* event) {
    qz::StyledControl::mousePressEvent(event);
    QWidget* top = window();
    if (m_dragForm && event->button() == Qt::LeftButton && top != this && !top->isMaximized()) {
        m_dragging = true;
        m_dragLast = event->globalPosition().toPoint();
    }
}

void TqzLabel::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint now = event->globalPosition().toPoint();
    QWidget* top = window();
    top->move(top->pos() + (now - m_dragLast));
    m_dragLast = now;
}

void TqzLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    qz::StyledControl::mouseReleaseEvent(event);
}

// The second press of a double-click neither drags nor clicks again.
void TqzLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    m_dragging = false;
}
