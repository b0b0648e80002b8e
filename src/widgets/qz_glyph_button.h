#pragma once

#include "widgets/assign_if_changed.h"
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

    QColor color() const { return m_look.color; }
    void setColor(const QColor& c) { setLookPart(m_look.color, c); }
    int colorAlpha() const { return m_look.colorAlpha; }
    void setColorAlpha(int alpha) { setLookPart(m_look.colorAlpha, alpha); }
    QColor hoverColor() const { return m_look.hoverColor; }
    void setHoverColor(const QColor& c) { setLookPart(m_look.hoverColor, c); }
    int hoverColorAlpha() const { return m_look.hoverAlpha; }
    void setHoverColorAlpha(int alpha) { setLookPart(m_look.hoverAlpha, alpha); }
    QColor pressedColor() const { return m_look.pressedColor; }
    void setPressedColor(const QColor& c) { setLookPart(m_look.pressedColor, c); }
    int pressedColorAlpha() const { return m_look.pressedAlpha; }
    void setPressedColorAlpha(int alpha) { setLookPart(m_look.pressedAlpha, alpha); }
    QColor glyphColor() const { return m_look.glyphColor; }
    void setGlyphColor(const QColor& c) { setLookPart(m_look.glyphColor, c); }
    int glyphAlpha() const { return m_look.glyphAlpha; }
    void setGlyphAlpha(int alpha) { setLookPart(m_look.glyphAlpha, alpha); }
    int glyphHoverAlpha() const { return m_look.glyphHoverAlpha; }
    void setGlyphHoverAlpha(int alpha) { setLookPart(m_look.glyphHoverAlpha, alpha); }
    int glyphPressedAlpha() const { return m_look.glyphPressedAlpha; }
    void setGlyphPressedAlpha(int alpha) { setLookPart(m_look.glyphPressedAlpha, alpha); }
    int glyphThickness() const { return m_glyphThickness; }
    void setGlyphThickness(int designPixels) { setLookPart(m_glyphThickness, designPixels); }

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
    // Fill and glyph at rest, under the mouse and pressed; the defaults are the title bar's.
    struct Look {
        QColor color;
        int colorAlpha = 0;
        QColor hoverColor{Qt::white};
        int hoverAlpha = 30;
        QColor pressedColor{Qt::black};
        int pressedAlpha = 50;
        QColor glyphColor{Qt::white};
        int glyphAlpha = 200;
        int glyphHoverAlpha = 255;
        int glyphPressedAlpha = 255;
        bool operator==(const Look&) const = default;
    };
    void setLook(const Look& look) { setLookPart(m_look, look); }
    template <typename T, typename U> void setLookPart(T& field, const U& value) {
        if (qz::assignIfChanged(field, value))
            update();
    }

    Look m_look;
    int m_glyphThickness = 2;
    double m_hoverLevel = 0.0;
    bool m_pressed = false;
    QVariantAnimation* m_fade = nullptr;
};
