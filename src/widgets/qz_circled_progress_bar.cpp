#include "widgets/qz_circled_progress_bar.h"

#include "widgets/qz_style.h"
#include "widgets/ring_geometry.h"
#include "widgets/text_fit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QResizeEvent>

TqzCircledProgressBar::TqzCircledProgressBar(QWidget* parent) : qz::StyledControl(parent) {
    const QPalette palette = QApplication::palette();
    m_frameColor = palette.color(QPalette::Dark);
    m_progressColor = palette.color(QPalette::Highlight);
    m_fontColor = palette.color(QPalette::ButtonText);
    m_progressFontColor = m_fontColor;
    m_progressFont = font();
    m_progressFont.setBold(true);
    m_color = palette.color(QPalette::Window);
    setAttribute(Qt::WA_TranslucentBackground, false);
    resize(100, 100);
}

void TqzCircledProgressBar::changed() {
    ++m_repaintRequests;
    update();
}

void TqzCircledProgressBar::setMinValue(int value) {
    m_min = value;
    if (m_value < value)
        m_value = value;
    changed();
}

void TqzCircledProgressBar::setMaxValue(int value) {
    m_max = value;
    if (value < m_value)
        m_value = value;
    changed();
}

void TqzCircledProgressBar::setValue(int value) {
    const int clamped = qz::ringClampValue(value, m_min, m_max);
    if (clamped == m_value)
        return;
    m_value = clamped;
    changed();
}

void TqzCircledProgressBar::setShowCaption(bool on) {
    if (on == m_showCaption)
        return;
    m_showCaption = on;
    changed();
}

void TqzCircledProgressBar::setShowProgressText(bool on) {
    if (on == m_showProgressText)
        return;
    m_showProgressText = on;
    changed();
}

void TqzCircledProgressBar::setFrameSize(int designPixels) {
    if (designPixels == m_frameSize)
        return;
    m_frameSize = designPixels;
    changed();
}

void TqzCircledProgressBar::setFrameColor(const QColor& colour) {
    if (colour == m_frameColor)
        return;
    m_frameColor = colour;
    changed();
}

void TqzCircledProgressBar::setFrameAlpha(int alpha) {
    if (alpha == m_frameAlpha)
        return;
    m_frameAlpha = alpha;
    changed();
}

void TqzCircledProgressBar::setProgressColor(const QColor& colour) {
    if (colour == m_progressColor)
        return;
    m_progressColor = colour;
    changed();
}

void TqzCircledProgressBar::setProgressAlpha(int alpha) {
    if (alpha == m_progressAlpha)
        return;
    m_progressAlpha = alpha;
    changed();
}

void TqzCircledProgressBar::setFontColor(const QColor& colour) {
    if (colour == m_fontColor)
        return;
    m_fontColor = colour;
    changed();
}

void TqzCircledProgressBar::setProgressFont(const QFont& font) {
    if (font == m_progressFont)
        return;
    m_progressFont = font;
    changed();
}

void TqzCircledProgressBar::setProgressFontColor(const QColor& colour) {
    if (colour == m_progressFontColor)
        return;
    m_progressFontColor = colour;
    changed();
}

void TqzCircledProgressBar::setTransparentBackground(bool on) {
    if (on == m_transparent)
        return;
    m_transparent = on;
    changed();
}

void TqzCircledProgressBar::setColor(const QColor& colour) {
    if (colour == m_color)
        return;
    m_color = colour;
    changed();
}

QString TqzCircledProgressBar::progressText() const {
    return QString::number(qz::ringPercent(qz::ringSweep(m_value, m_min, m_max))) +
           QLatin1Char('%');
}

QSize TqzCircledProgressBar::sizeHint() const {
    return {height(), height()};
}

void TqzCircledProgressBar::captionChanged() {
    if (m_showCaption)
        changed();
}

void TqzCircledProgressBar::resizeEvent(QResizeEvent* event) {
    // The ring is always square, its side set by the height.
    if (event->size().width() != event->size().height())
        resize(event->size().height(), event->size().height());
    qz::StyledControl::resizeEvent(event);
}

void TqzCircledProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int side = height();
    if (!m_transparent)
        painter.fillRect(QRect(0, 0, side, side), m_color);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const int frame = qz::scaled(m_frameSize, this);
    QFont percentFont = m_progressFont;
    if (percentFont.pixelSize() > 0)
        percentFont.setPixelSize(qz::scaled(percentFont.pixelSize(), this));
    const QFontMetrics percentMetrics(percentFont);
    const qz::RingLayout layout =
        qz::ringLayout(side, frame, percentMetrics.height(), m_showCaption, m_showProgressText);

    QPen pen(qz::withAlpha(m_frameColor, m_frameAlpha), frame, Qt::SolidLine, Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(layout.circle);

    const float sweep = qz::ringSweep(m_value, m_min, m_max);
    if (sweep > 0.0f) {
        pen.setColor(qz::withAlpha(m_progressColor, m_progressAlpha));
        painter.setPen(pen);
        if (sweep >= 360.0f)
            painter.drawEllipse(layout.circle);
        else // Qt counts angles anticlockwise from three o'clock in 1/16 degrees.
            painter.drawArc(layout.circle, 90 * 16, -qRound(sweep * 16.0f));
    }

    if (m_showProgressText) {
        painter.setFont(percentFont);
        painter.setPen(m_progressFontColor);
        painter.drawText(layout.percentArea, Qt::AlignCenter | Qt::TextSingleLine, progressText());
    }

    if (m_showCaption && !caption().isEmpty()) {
        painter.setFont(font());
        painter.setPen(m_fontColor);
        const QFontMetrics metrics(font());
        const int lineHeight = metrics.height();
        const QRect area = layout.captionArea;
        const QStringList lines =
            qz::fitText(caption(), area.width(), area.height(), lineHeight,
                        [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
        int top = qz::centredBlockTop(area, static_cast<int>(lines.size()), lineHeight);
        for (const QString& line : lines) {
            painter.drawText(QRect(area.left(), top, area.width(), lineHeight),
                             Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, line);
            top += lineHeight;
        }
    }
}
