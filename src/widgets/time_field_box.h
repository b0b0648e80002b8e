#pragma once

#include <QBasicTimer>
#include <QWidget>

#include "widgets/time_field_mask.h"

namespace qz {

// The common ground of the time and date fields: a one-line overwrite field of fixed
// layout painted as a rounded box (brand-blue frame, window fill, stronger under the mouse
// or with focus, faded when disabled), with a caret, Left/Right/Home/End, Backspace and
// Delete blanking a digit, and room for buttons at the right end that subclasses paint
// and handle. OnClick is raised for a mouse click in the field. With the focus the frame
// becomes the focus mark; a text the field does not accept gets a frame in the error colour.
// Hint and Font are properties, so the translation table reaches them by name.
class MaskedFieldBox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    explicit MaskedFieldBox(QWidget* parent = nullptr);

    QString text() const { return m_state.text; }
    int caretPosition() const { return m_state.caret; }
    void setCaretPosition(int caret);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void OnClick();

protected:
    // The 96-dpi length in this screen's pixels.
    int px(int designPixels) const;
    // The inside of the box: the widget less its 5 px content margins.
    QRect innerRect() const;
    // Where the text is drawn: the inner rectangle less the button area.
    QRect textRect() const;
    // Width of the buttons at the right end of the inner rectangle.
    virtual int buttonAreaWidth() const { return 0; }
    virtual void paintButtons(QPainter&) {}
    // A press in the button area; return true when it was handled.
    virtual bool pressButtons(QPoint) { return false; }
    virtual void releaseButtons() {}

    // Typing: a printable character, Backspace or Delete. The subclass decides what the
    // edit does, usually through replaceState().
    virtual void typeCharacter(QChar ch) = 0;
    virtual void blankBackward();
    virtual void blankForward();

    // Sets text and caret; calls textEdited() when the text really changed.
    void replaceState(const MaskedText& state);
    virtual void textEdited() {}
    // False while the text is not a value the field stands for; drawn with the error frame.
    virtual bool textAccepted() const { return true; }

    bool isHovered() const { return m_hovered; }
    QColor glyphColour(bool hot, bool pressed) const;

    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;
    void timerEvent(QTimerEvent*) override;
    void changeEvent(QEvent*) override;

    MaskedText m_state;

private:
    int caretAt(QPoint point) const;
    void restartBlink();

    bool m_hovered = false;
    bool m_clickArmed = false;
    bool m_caretShown = true;
    QBasicTimer m_blink;
};

} // namespace qz
