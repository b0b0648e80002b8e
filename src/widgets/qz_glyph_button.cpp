#include "widgets/qz_glyph_button.h"

#include "widgets/qz_style.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>

#include <cmath>

namespace {
constexpr int kFadeMs = 150;
}

TqzGlyphButton::TqzGlyphButton(QWidget* parent) : qz::StyledControl(parent) {
    setFocusPolicy(Qt::NoFocus);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    m_fade = new QVariantAnimation(this);
    m_fade->setDuration(kFadeMs);
    connect(m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_hoverLevel = v.toDouble();
        update();
    });
    resize(qz::scaled(50, this), qz::scaled(33, this));
}

void TqzGlyphButton::setGlyphKind(GlyphKind kind) {
    setLookPart(m_glyph, kind);
}

void TqzGlyphButton::setTitleBarLook() {
    setLook(Look{});
}

void TqzGlyphButton::setCloseLook() {
    setLook({QColor(), 0, Qt::red, 220, Qt::red, 180, Qt::white, 255, 255, 255});
}

void TqzGlyphButton::setSolidLook(const QColor& colour) {
    setLook({colour, 255, colour, 255, colour, 255, Qt::white, 255, 255, 255});
}

QColor TqzGlyphButton::currentFill() const {
    const QColor hover = qz::withAlpha(m_look.hoverColor, m_look.hoverAlpha);
    if (m_pressed)
        return qz::withAlpha(m_look.pressedColor, m_look.pressedAlpha);
    // With no fill at rest the hover colour fades in by its alpha alone, not through black.
    const QColor rest = (m_look.color.isValid() && m_look.colorAlpha > 0)
                            ? qz::withAlpha(m_look.color, m_look.colorAlpha)
                            : qz::withAlpha(m_look.hoverColor, 0);
    return qz::blend(rest, hover, m_hoverLevel);
}

int TqzGlyphButton::currentGlyphAlpha() const {
    if (m_pressed)
        return m_look.glyphPressedAlpha;
    return static_cast<int>(std::lround(
        m_look.glyphAlpha + (m_look.glyphHoverAlpha - m_look.glyphAlpha) * m_hoverLevel));
}

QSize TqzGlyphButton::sizeHint() const {
    const int glyph = qz::scaled(12, this);
    if (caption().isEmpty())
        return {qz::scaled(50, this), qz::scaled(33, this)};
    const int text = fontMetrics().horizontalAdvance(caption());
    return {text + glyph + qz::scaled(30, this), qz::scaled(33, this)};
}

void TqzGlyphButton::setHoverTarget(double target) {
    m_fade->stop();
    if (!m_animation) {
        m_hoverLevel = target;
        update();
        return;
    }
    m_fade->setStartValue(m_hoverLevel);
    m_fade->setEndValue(target);
    m_fade->setDuration(static_cast<int>(kFadeMs * std::abs(target - m_hoverLevel)) + 1);
    m_fade->start();
}

void TqzGlyphButton::enterEvent(QEnterEvent* event) {
    setHoverTarget(1.0);
    qz::StyledControl::enterEvent(event);
}

void TqzGlyphButton::leaveEvent(QEvent* event) {
    setHoverTarget(0.0);
    qz::StyledControl::leaveEvent(event);
}

void TqzGlyphButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        update();
    }
    qz::StyledControl::mousePressEvent(event);
}

void TqzGlyphButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = false;
        update();
    }
    qz::StyledControl::mouseReleaseEvent(event);
}

void TqzGlyphButton::drawGlyph(QPainter& painter, const QRectF& b) const {
    const QPointF c = b.center();
    const double r = b.width() / 2;
    switch (m_glyph) {
    case qzbgkNone:
        break;
    case qzbgkOk:
        painter.drawPolyline(QPolygonF{QPointF(b.left(), c.y()),
                                       QPointF(c.x() - r * 0.25, b.bottom() - r * 0.3),
                                       QPointF(b.right(), b.top() + r * 0.3)});
        break;
    case qzbgkCancel:
    case qzbgkClose:
        painter.drawLine(b.topLeft(), b.bottomRight());
        painter.drawLine(b.topRight(), b.bottomLeft());
        break;
    case qzbgkDetails:
        for (double y : {b.top() + r * 0.2, c.y(), b.bottom() - r * 0.2})
            painter.drawLine(QPointF(b.left(), y), QPointF(b.right(), y));
        break;
    case qzbgkNaviBottomRight:
        painter.drawLine(b.topLeft(), b.bottomRight());
        painter.drawLine(b.bottomRight(), QPointF(b.right(), c.y() - r * 0.1));
        painter.drawLine(b.bottomRight(), QPointF(c.x() - r * 0.1, b.bottom()));
        break;
    case qzbgkMinimize:
        painter.drawLine(QPointF(b.left(), c.y()), QPointF(b.right(), c.y()));
        break;
    }
}

void TqzGlyphButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.5);
    const QColor fill = currentFill();
    if (fill.alpha() > 0)
        painter.fillRect(rect(), fill);

    const QColor ink = qz::withAlpha(m_look.glyphColor, currentGlyphAlpha());
    const double glyphSide = qz::scaled(caption().isEmpty() ? 10 : 12, this);
    const int gap = qz::scaled(8, this);
    const int textWidth = caption().isEmpty() ? 0 : fontMetrics().horizontalAdvance(caption());
    const double glyphWidth = m_glyph == qzbgkNone ? 0 : glyphSide;
    const double total = glyphWidth + (textWidth > 0 && glyphWidth > 0 ? gap : 0) + textWidth;
    const double left = (width() - total) / 2;

    if (glyphWidth > 0) {
        const QRectF box(left, (height() - glyphSide) / 2, glyphSide, glyphSide);
        QPen pen(ink, qz::scaled(m_glyphThickness, this), Qt::SolidLine, Qt::SquareCap,
                 Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        drawGlyph(painter, box);
    }
    if (textWidth > 0) {
        painter.setPen(ink);
        const double textLeft = left + glyphWidth + (glyphWidth > 0 ? gap : 0);
        painter.drawText(QRectF(textLeft, 0, textWidth + 1, height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption());
    }
    if (hasFocus()) {
        const double inset = qz::scaled(2, this);
        qz::paintFocusMark(painter, this, QRectF(rect()).adjusted(inset, inset, -inset, -inset),
                           qz::scaled(3, this));
    }
}
