#include "widgets/time_field_box.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include "widgets/qz_accessible.h"
#include "widgets/qz_style.h"

namespace qz {

MaskedFieldBox::MaskedFieldBox(QWidget* parent) : QWidget(parent) {
    accessibility::install();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setCursor(Qt::IBeamCursor);
    QFont face(QStringLiteral("Tahoma"));
    face.setPixelSize(px(13));
    setFont(face);
}

int MaskedFieldBox::px(int designPixels) const {
    return scaled(designPixels, this);
}

QSize MaskedFieldBox::sizeHint() const {
    return {px(120), px(26)};
}

QSize MaskedFieldBox::minimumSizeHint() const {
    return {px(40), px(20)};
}

QRect MaskedFieldBox::innerRect() const {
    const int margin = px(5);
    return rect().adjusted(margin, margin, -margin, -margin);
}

QRect MaskedFieldBox::textRect() const {
    return innerRect().adjusted(0, 0, -buttonAreaWidth(), 0);
}

void MaskedFieldBox::setCaretPosition(int caret) {
    m_state.caret = qBound(0, caret, int(m_state.text.size()));
    restartBlink();
    update();
}

void MaskedFieldBox::replaceState(const MaskedText& state) {
    const bool changed = state.text != m_state.text;
    const QString before = m_state.text;
    m_state = state;
    m_state.caret = qBound(0, m_state.caret, int(m_state.text.size()));
    restartBlink();
    update();
    if (!changed)
        return;
    accessibility::notifyText(this, before, m_state.text);
    textEdited();
}

void MaskedFieldBox::blankBackward() {
    replaceState(backspaceBlank(m_state));
}

void MaskedFieldBox::blankForward() {
    replaceState(deleteBlank(m_state));
}

QColor MaskedFieldBox::glyphColour(bool hot, bool pressed) const {
    const int alpha = pressed ? 150 : (hot ? 240 : 180);
    return withAlpha(palette().color(QPalette::Active, QPalette::Text), alpha);
}

void MaskedFieldBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool enabled = isEnabled();
    const bool hot = enabled && (m_hovered || hasFocus());

    QColor frame = kBrandBlue;
    QColor fill = palette().color(QPalette::Active, QPalette::Base);
    if (!enabled) {
        frame = withAlpha(palette().color(QPalette::Active, QPalette::ButtonText), 50);
        fill = withAlpha(fill, 150);
    } else {
        frame = withAlpha(frame, hot ? 255 : 100);
        fill = withAlpha(fill, hot ? 255 : 200);
    }
    // The focus shows as the opaque frame (with the caret); a refused text draws a frame
    // twice as wide, in the error colour.
    qreal pen = 1;
    if (enabled && !textAccepted()) {
        frame = kErrorRed;
        pen = px(2);
    }
    const qreal radius = px(10);
    const QRectF box = QRectF(rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
    painter.setPen(QPen(frame, pen));
    painter.setBrush(fill);
    painter.drawRoundedRect(box, radius, radius);

    const QRect area = textRect();
    painter.setPen(enabled ? palette().color(QPalette::Active, QPalette::Text)
                           : palette().color(QPalette::Disabled, QPalette::Text));
    painter.setFont(font());
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, m_state.text);

    if (enabled && hasFocus() && m_caretShown) {
        const QFontMetrics metrics(font());
        const int x = area.left() + metrics.horizontalAdvance(m_state.text.left(m_state.caret));
        const int h = metrics.height();
        const int top = area.top() + (area.height() - h) / 2;
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(QRect(x, top, 1, h), palette().color(QPalette::Active, QPalette::Text));
        painter.setRenderHint(QPainter::Antialiasing);
    }
    paintButtons(painter);
}

void MaskedFieldBox::keyPressEvent(QKeyEvent* event) {
    const QString& text = m_state.text;
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(text);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        // Pasting types the digits one by one, so each obeys the field's typing rules.
        const QString pasted = QApplication::clipboard()->text();
        for (QChar ch : pasted) {
            if (ch.isDigit())
                typeCharacter(ch);
        }
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        setCaretPosition(caretLeft(text, m_state.caret));
        return;
    case Qt::Key_Right:
        setCaretPosition(caretRight(text, m_state.caret));
        return;
    case Qt::Key_Home:
        setCaretPosition(0);
        return;
    case Qt::Key_End:
        setCaretPosition(int(text.size()));
        return;
    case Qt::Key_Backspace:
        blankBackward();
        return;
    case Qt::Key_Delete:
        blankForward();
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->ignore();
        return;
    default:
        break;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && typed.at(0).isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        typeCharacter(typed.at(0));
        return;
    }
    event->ignore();
}

int MaskedFieldBox::caretAt(QPoint point) const {
    const QFontMetrics metrics(font());
    const int x = point.x() - textRect().left();
    int best = 0;
    int bestDistance = qAbs(x);
    for (int i = 1; i <= m_state.text.size(); ++i) {
        const int distance = qAbs(x - metrics.horizontalAdvance(m_state.text.left(i)));
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void MaskedFieldBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_clickArmed = true;
    if (pressButtons(event->position().toPoint()))
        return;
    setFocus(Qt::MouseFocusReason);
    setCaretPosition(caretAt(event->position().toPoint()));
}

void MaskedFieldBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    releaseButtons();
    const bool click = m_clickArmed && rect().contains(event->position().toPoint());
    m_clickArmed = false;
    if (click)
        Q_EMIT OnClick();
}

void MaskedFieldBox::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
}

void MaskedFieldBox::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    update();
    QWidget::enterEvent(event);
}

void MaskedFieldBox::leaveEvent(QEvent* event) {
    m_hovered = false;
    update();
    QWidget::leaveEvent(event);
}

void MaskedFieldBox::focusInEvent(QFocusEvent* event) {
    restartBlink();
    update();
    QWidget::focusInEvent(event);
}

void MaskedFieldBox::focusOutEvent(QFocusEvent* event) {
    m_blink.stop();
    update();
    QWidget::focusOutEvent(event);
}

void MaskedFieldBox::restartBlink() {
    m_caretShown = true;
    const int flash = QApplication::cursorFlashTime();
    if (hasFocus() && flash > 0)
        m_blink.start(flash / 2, this);
    else
        m_blink.stop();
}

void MaskedFieldBox::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_blink.timerId()) {
        m_caretShown = !m_caretShown;
        update();
        return;
    }
    QWidget::timerEvent(event);
}

void MaskedFieldBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

} // namespace qz
