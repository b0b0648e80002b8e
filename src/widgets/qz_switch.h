#pragma once

#include <QColor>
#include <QRectF>
#include <QWidget>

class QTimer;

// The on/off switch: a capsule track with a round thumb, left when off, right when on.
// setState() from code changes at once and raises OnChangeState once per real change
// (never while m_loading). A click slides the thumb on a 15 ms timer and flips the state,
// raising OnChangeState, when the thumb arrives. The thumb can be dragged; released past
// the middle it completes the toggle, else it slides back and nothing is raised. A press
// released outside does nothing. It is a tab stop: Space or Enter toggles it as a click
// does, and the focus mark shows while it has the focus. Disabled switches ignore the mouse
// and the keys and draw at half opacity. Created 40 x 20 (96-dpi) pixels, never smaller.
class TqzSwitch : public QWidget {
    Q_OBJECT
    Q_PROPERTY(TqzSwitch::State State READ state WRITE setState NOTIFY OnChangeState)
    Q_PROPERTY(bool Animation READ animation WRITE setAnimation)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
    Q_PROPERTY(QColor FrameColor READ frameColor WRITE setFrameColor)
    Q_PROPERTY(QColor FrameOnColor READ frameOnColor WRITE setFrameOnColor)
    Q_PROPERTY(QColor FramePressedColor READ framePressedColor WRITE setFramePressedColor)
    Q_PROPERTY(QColor ThumbColor READ thumbColor WRITE setThumbColor)
    Q_PROPERTY(QColor ThumbOnColor READ thumbOnColor WRITE setThumbOnColor)
    Q_PROPERTY(QColor ThumbPressedColor READ thumbPressedColor WRITE setThumbPressedColor)
    Q_PROPERTY(bool FrameSolid READ frameSolid WRITE setFrameSolid)
    Q_PROPERTY(bool FrameOnSolid READ frameOnSolid WRITE setFrameOnSolid)

public:
    enum State { qzswOff, qzswOn };
    Q_ENUM(State)

    explicit TqzSwitch(QWidget* parent = nullptr);

    State state() const { return m_state; }
    void setState(State state);
    bool isOn() const { return m_state == qzswOn; }
    void setOn(bool on) { setState(on ? qzswOn : qzswOff); }

    bool animation() const { return m_animation; }
    void setAnimation(bool on) { m_animation = on; }

    // While loading, state changes raise nothing (the window's initial layout values).
    void setLoading(bool loading) { m_loading = loading; }

    // Colours; an invalid colour restores the default for the frame and thumb colours and
    // means "no pressed look" for the pressed colours.
    void setFrameColor(const QColor& c);
    QColor frameColor() const { return m_frameColor; }
    void setFrameOnColor(const QColor& c);
    QColor frameOnColor() const { return m_frameOnColor; }
    void setFramePressedColor(const QColor& c);
    QColor framePressedColor() const { return m_framePressedColor; }
    void setThumbColor(const QColor& c);
    QColor thumbColor() const { return m_thumbColor; }
    void setThumbOnColor(const QColor& c);
    QColor thumbOnColor() const { return m_thumbOnColor; }
    void setThumbPressedColor(const QColor& c);
    QColor thumbPressedColor() const { return m_thumbPressedColor; }

    bool frameSolid() const { return m_frameSolid; }
    void setFrameSolid(bool on);
    bool frameOnSolid() const { return m_frameOnSolid; }
    void setFrameOnSolid(bool on);

    // Slide introspection and a manual tick, so the 15 ms steps can be followed exactly.
    bool isSliding() const;
    bool isMoving() const { return m_moving; }
    double thumbLeft() const { return m_thumb.left(); }
    void slideTick();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void OnChangeState();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void startSlide(bool cancel);
    void finishToggle();
    QRectF restingThumb(State state) const;

    State m_state = qzswOff;
    bool m_animation = true;
    bool m_loading = false;
    QColor m_frameColor;
    QColor m_frameOnColor;
    QColor m_framePressedColor;
    QColor m_thumbColor;
    QColor m_thumbOnColor;
    QColor m_thumbPressedColor;
    bool m_frameSolid = false;
    bool m_frameOnSolid = true;

    QTimer* m_timer = nullptr;
    QRectF m_thumb;
    bool m_moving = false;    // a slide or drag is under way
    bool m_cancel = false;    // the running slide returns the thumb to where it came from
    bool m_towardsOn = false; // direction of the running slide
    bool m_pressed = false;
    bool m_mouseDown = false; // pressed off the thumb
    bool m_dragged = false;
    double m_pressX = 0;
    double m_lastX = 0;
    bool m_hover = false;
};
