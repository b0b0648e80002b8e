#pragma once

#include "widgets/styled_control.h"

#include <QColor>

class QVariantAnimation;

// A flat button that draws a line glyph (and its Caption, if any) over a fill whose
// colour and alpha depend on rest, hover and pressed. Under the mouse the hover fill
// fades in when Animation is on. OnClick is raised for a left press released inside.
// It takes no keyboard focus unless TabStop is set: then Tab reaches it (a mouse click
// leaves the focus where it was), Space, Return and Enter click it and the focus mark shows.
class TqzGlyphButton : public qz::StyledControl {
    Q_OBJECT
    Q_PROPERTY(TqzGlyphButton::GlyphKind GlyphKind READ glyphKind WRITE setGlyphKind)
    Q_PROPERTY(bool Animation READ animation WRITE setAnimation)
    Q_PROPERTY(bool TabStop READ tabStop WRITE setTabStop)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(int ColorAlpha READ colorAlpha WRITE setColorAlpha)
    Q_PROPERTY(QColor HoverColor READ hoverColor WRITE setHoverColor)
    Q_PROPERTY(int HoverColorAlpha READ hoverColorAlpha WRITE setHoverColorAlpha)
    Q_PROPERTY(QColor PressedColor READ pressedColor WRITE setPressedColor)
    Q_PROPERTY(int PressedColorAlpha READ pressedColorAlpha WRITE setPressedColorAlpha)
    Q_PROPERTY(QColor GlyphColor READ glyphColor WRITE setGlyphColor)
    Q_PROPERTY(int GlyphAlpha READ glyphAlpha WRITE setGlyphAlpha)
    Q_PROPERTY(int GlyphHoverAlpha READ glyphHoverAlpha WRITE setGlyphHoverAlpha)
    Q_PROPERTY(int GlyphPressedAlpha READ glyphPressedAlpha WRITE setGlyphPressedAlpha)
    Q_PROPERTY(int GlyphThickness READ glyphThickness WRITE setGlyphThickness)

public:
    enum GlyphKind {
        qzbgkNone,
        qzbgkOk,
        qzbgkCancel,
        qzbgkDetails,
        qzbgkNaviBottomRight,
        qzbgkMinimize,
        qzbgkClose
    };
    Q_ENUM(GlyphKind)

    explicit TqzGlyphButton(QWidget* parent = nullptr);

    GlyphKind glyphKind() const { return m_glyph; }
    void setGlyphKind(GlyphKind kind);
    bool animation() const { return m_animation; }
    void setAnimation(bool on) { m_animation = on; }
    bool tabStop() const { return focusPolicy() != Qt::NoFocus; }
    void setTabStop(bool on) { setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus); }

    QColor color() const { return m_color; }
    void setColor(const QColor& c);
    int colorAlpha() const { return m_colorAlpha; }
    void setColorAlpha(int alpha);
    QColor hoverColor() const { return m_hoverColor; }
    void setHoverColor(const QColor& c);
    int hoverColorAlpha() const { return m_hoverAlpha; }
    void setHoverColorAlpha(int alpha);
    QColor pressedColor() const { return m_pressedColor; }
    void setPressedColor(const QColor& c);
    int pressedColorAlpha() const { return m_pressedAlpha; }
    void setPressedColorAlpha(int alpha);
    QColor glyphColor() const { return m_glyphColor; }
    void setGlyphColor(const QColor& c);
    int glyphAlpha() const { return m_glyphAlpha; }
    void setGlyphAlpha(int alpha);
    int glyphHoverAlpha() const { return m_glyphHoverAlpha; }
    void setGlyphHoverAlpha(int alpha);
    int glyphPressedAlpha() const { return m_glyphPressedAlpha; }
    void setGlyphPressedAlpha(int alpha);
    int glyphThickness() const { return m_glyphThickness; }
    void setGlyphThickness(int designPixels);

    // Title-bar look: no fill at rest, white 30 under the mouse, black 50 pressed, white
    // glyph at 200/255/255.
    void setTitleBarLook();
    // Close-button look: red 220 under the mouse, red 180 pressed, white glyph at 255.
    void setCloseLook();
    // A solid button in one colour, the same at rest, under the mouse and pressed; glyph and
    // caption white. Used by the start/stop button, whose colour tells armed from idle.
    void setSolidLook(const QColor& colour);

    // 0 at rest, 1 fully hovered; follows the fade-in animation.
    double hoverLevel() const { return m_hoverLevel; }
    bool isPressed() const { return m_pressed; }
    // Fill colour (with alpha) that the current hover level and press give.
    QColor currentFill() const;
    int currentGlyphAlpha() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setHoverTarget(double target);
    void drawGlyph(class QPainter& painter, const QRectF& box) const;

    GlyphKind m_glyph = qzbgkNone;
    bool m_animation = true;
    QColor m_color;
    int m_colorAlpha = 0;
    QColor m_hoverColor{Qt::white};
    int m_hoverAlpha = 30;
    QColor m_pressedColor{Qt::black};
    int m_pressedAlpha = 50;
    QColor m_glyphColor{Qt::white};
    int m_glyphAlpha = 200;
    int m_glyphHoverAlpha = 255;
    int m_glyphPressedAlpha = 255;
    int m_glyphThickness = 2;
    double m_hoverLevel = 0.0;
    bool m_pressed = false;
    QVariantAnimation* m_fade = nullptr;
};
