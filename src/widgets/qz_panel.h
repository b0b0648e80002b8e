#pragma once

#include "widgets/styled_control.h"

#include <QColor>

// A plain container: a fill colour with alpha (no fill when Color is invalid), an optional
// frame of FrameWidth (96-dpi) pixels inside its edge, and with ShowCaption a centred
// Caption (off by default: a panel's caption is normally only a name for the texts table). A click
// on the panel itself raises OnClick.
class TqzPanel : public qz::StyledControl {
    Q_OBJECT
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(int ColorAlpha READ colorAlpha WRITE setColorAlpha)
    Q_PROPERTY(QColor FrameColor READ frameColor WRITE setFrameColor)
    Q_PROPERTY(int FrameWidth READ frameWidth WRITE setFrameWidth)
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(bool ShowCaption READ showCaption WRITE setShowCaption)

public:
    explicit TqzPanel(QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor& c);
    int colorAlpha() const { return m_colorAlpha; }
    void setColorAlpha(int alpha);
    QColor frameColor() const { return m_frameColor; }
    void setFrameColor(const QColor& c);
    int frameWidth() const { return m_frameWidth; }
    void setFrameWidth(int designPixels);
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor& c);
    bool showCaption() const { return m_showCaption; }
    void setShowCaption(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
    int m_colorAlpha = 255;
    QColor m_frameColor;
    int m_frameWidth = 0;
    QColor m_fontColor;
    bool m_showCaption = false;
};
