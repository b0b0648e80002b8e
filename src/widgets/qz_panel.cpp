#include "widgets/qz_panel.h"

#include "widgets/qz_style.h"

#include <QPainter>

TqzPanel::TqzPanel(QWidget* parent) : qz::StyledControl(parent) {}

void TqzPanel::setColor(const QColor& c) {
    m_color = c;
    update();
}
void TqzPanel::setColorAlpha(int alpha) {
    m_colorAlpha = alpha;
    update();
}
void TqzPanel::setFrameColor(const QColor& c) {
    m_frameColor = c;
    update();
}
void TqzPanel::setFrameWidth(int designPixels) {
    m_frameWidth = designPixels;
    update();
}
void TqzPanel::setFontColor(const QColor& c) {
    m_fontColor = c;
    update();
}

void TqzPanel::setShowCaption(bool on) {
    m_showCaption = on;
    update();
}

void TqzPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_color.isValid())
        painter.fillRect(rect(), qz::withAlpha(m_color, m_colorAlpha));
    if (m_frameWidth > 0 && m_frameColor.isValid()) {
        const int frame = qz::scaled(m_frameWidth, this);
        const QColor c = m_frameColor;
        painter.fillRect(QRect(0, 0, width(), frame), c);
        painter.fillRect(QRect(0, height() - frame, width(), frame), c);
        painter.fillRect(QRect(0, 0, frame, height()), c);
        painter.fillRect(QRect(width() - frame, 0, frame, height()), c);
    }
    if (m_showCaption && !caption().isEmpty()) {
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setPen(m_fontColor.isValid() ? m_fontColor : palette().color(QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, caption());
    }
}
