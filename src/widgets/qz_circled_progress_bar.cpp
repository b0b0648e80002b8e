#include "widgets/qz_circled_progress_bar.h"

#include "widgets/qz_accessible.h"
#include "widgets/qz_style.h"
#include "widgets/ring_geometry.h"
#include "widgets/text_fit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QResizeEvent>
#include <QtMath>

TqzCircledProgressBar::TqzCircledProgressBar(QWidget* parent) : qz::StyledControl(parent) {
    const QPalette palette = QApplication::palette();
    m_look.frameColor = palette.color(QPalette::Dark);
    m_look.progressColor = palette.color(QPalette::Highlight);
    m_look.fontColor = palette.color(QPalette::ButtonText);
    m_look.progressFontColor = m_look.fontColor;
    m_look.progressFont = font();
    m_look.progressFont.setBold(true);
    m_look.color = palette.color(QPalette::Window);
    setAttribute(Qt::WA_TranslucentBackground, false);
    resize(100, 100);
}

void TqzCircledProgressBar::changed() {
    ++m_repaintRequests;
    m_ringImageStep = -1;
    update();
}

void TqzCircledProgressBar::setMinValue(int value) {
    if (value == m_min)
        return;
    m_min = value;
    if (m_value < value)
        m_value = value;
    changed();
}

void TqzCircledProgressBar::setMaxValue(int value) {
    if (value == m_max)
        return;
    m_max = value;
    if (value < m_value)
        m_value = value;
    changed();
}

void TqzCircledProgressBar::setValue(int value) {
    const int clamped = qz::ringClampValue(value, m_min, m_max);
    if (clamped == m_value)
        return;
    const float before = qz::ringSweep(m_value, m_min, m_max);
    const float after = qz::ringSweep(clamped, m_min, m_max);
    m_value = clamped;
    qz::accessibility::notifyValue(this, clamped);
    // A countdown moves the value every second; repaint only what shows the move.
    if (arcStep(before) != arcStep(after)) {
        ++m_repaintRequests;
        update();
    } else if (m_look.showProgressText && qz::ringPercent(before) != qz::ringPercent(after)) {
        ++m_repaintRequests;
        update(currentLayout().percentArea);
    }
}

QString TqzCircledProgressBar::progressText() const {
    return QString::number(qz::ringPercent(qz::ringSweep(m_value, m_min, m_max))) +
           QLatin1Char('%');
}

QSize TqzCircledProgressBar::sizeHint() const {
    return {height(), height()};
}

void TqzCircledProgressBar::captionChanged() {
    if (!m_look.showCaption)
        return;
    ++m_repaintRequests;
    update(currentLayout().captionArea);
}

void TqzCircledProgressBar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        m_wordWidths.clear();
    qz::StyledControl::changeEvent(event);
}

void TqzCircledProgressBar::resizeEvent(QResizeEvent* event) {
    // The ring is always square, its side set by the height.
    if (event->size().width() != event->size().height())
        resize(event->size().height(), event->size().height());
    qz::StyledControl::resizeEvent(event);
}

QFont TqzCircledProgressBar::scaledPercentFont() const {
    QFont percentFont = m_look.progressFont;
    if (percentFont.pixelSize() > 0)
        percentFont.setPixelSize(qz::scaled(percentFont.pixelSize(), this));
    return percentFont;
}

qz::RingLayout TqzCircledProgressBar::currentLayout() const {
    return qz::ringLayout(height(), qz::scaled(m_look.frameSize, this),
                          QFontMetrics(scaledPercentFont()).height(), m_look.showCaption,
                          m_look.showProgressText);
}

int TqzCircledProgressBar::arcSteps() const {
    const double circumference = M_PI * height() * devicePixelRatioF();
    return qMax(4, qCeil(circumference * 2.0));
}

int TqzCircledProgressBar::arcStep(float sweep) const {
    if (sweep <= 0.0f)
        return 0;
    const int steps = arcSteps();
    if (sweep >= 360.0f)
        return steps;
    // Any progress shows, and only a full ring is drawn full.
    return qBound(1, qRound(double(sweep) / 360.0 * steps), steps - 1);
}

const QPixmap& TqzCircledProgressBar::ringImage(const qz::RingLayout& layout, int step) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (step == m_ringImageStep && m_ringImage.size() == pixels &&
        qFuzzyCompare(m_ringImage.devicePixelRatio(), ratio))
        return m_ringImage;

    m_ringImage = QPixmap(pixels);
    m_ringImage.setDevicePixelRatio(ratio);
    m_ringImage.fill(m_look.transparent ? QColor(Qt::transparent) : m_look.color);
    QPainter painter(&m_ringImage);
    painter.setRenderHint(QPainter::Antialiasing);
    const int frame = qz::scaled(m_look.frameSize, this);
    QPen pen(qz::withAlpha(m_look.frameColor, m_look.frameAlpha), frame, Qt::SolidLine,
             Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(layout.circle);
    if (step > 0) {
        pen.setColor(qz::withAlpha(m_look.progressColor, m_look.progressAlpha));
        painter.setPen(pen);
        const int steps = arcSteps();
        if (step >= steps)
            painter.drawEllipse(layout.circle);
        else // Qt counts angles anticlockwise from three o'clock in 1/16 degrees.
            painter.drawArc(layout.circle, 90 * 16, -qRound(step * 360.0 * 16.0 / steps));
    }
    m_ringImageStep = step;
    return m_ringImage;
}

int TqzCircledProgressBar::captionWidth(const QString& text) {
    // Sum of the words' widths: the same wrapping a whole-line measure gives, without
    // shaping every candidate line again each second.
    if (m_wordWidths.size() > 512)
        m_wordWidths.clear();
    const QFontMetrics metrics(font());
    int width = 0;
    int words = 0;
    for (const QString& word : text.split(QLatin1Char(' '))) {
        auto it = m_wordWidths.constFind(word);
        if (it == m_wordWidths.constEnd())
            it = m_wordWidths.insert(word, metrics.horizontalAdvance(word));
        width += it.value();
        ++words;
    }
    return width + (words - 1) * metrics.horizontalAdvance(QLatin1Char(' '));
}

void TqzCircledProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qz::RingLayout layout = currentLayout();
    painter.drawPixmap(0, 0, ringImage(layout, arcStep(qz::ringSweep(m_value, m_min, m_max))));
    painter.setRenderHint(QPainter::TextAntialiasing);

    if (m_look.showProgressText) {
        painter.setFont(scaledPercentFont());
        painter.setPen(m_look.progressFontColor);
        painter.drawText(layout.percentArea, Qt::AlignCenter | Qt::TextSingleLine, progressText());
    }

    if (m_look.showCaption && !caption().isEmpty()) {
        painter.setFont(font());
        painter.setPen(m_look.fontColor);
        const int lineHeight = QFontMetrics(font()).height();
        const QRect area = layout.captionArea;
        const QStringList lines = qz::fitText(caption(), area.width(), area.height(), lineHeight,
                                              [this](const QString& s) { return captionWidth(s); });
        qz::drawCentredLines(painter, area, lines, lineHeight, Qt::AlignHCenter);
    }
}
