#pragma once

#include "widgets/assign_if_changed.h"
#include "widgets/ring_geometry.h"
#include "widgets/styled_control.h"

#include <QHash>
#include <QPixmap>

#include <QColor>

// The ring progress indicator: a track circle, an arc growing clockwise from the top with
// the elapsed share, a percentage figure near the bottom and a caption (CR, LF or CR LF
// start new lines) in the middle. Always square: the width follows the height.
// Value is kept within MinValue..MaxValue; setters repaint only on an effective change.
// FrameSize and the ProgressFont height are 96-dpi sizes scaled to the screen.
// A click raises OnClick (the ring takes no other input).
class TqzCircledProgressBar : public qz::StyledControl {
    Q_OBJECT
    Q_PROPERTY(int MinValue READ minValue WRITE setMinValue)
    Q_PROPERTY(int MaxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(int Value READ value WRITE setValue)
    Q_PROPERTY(bool ShowCaption READ showCaption WRITE setShowCaption)
    Q_PROPERTY(bool ShowProgressText READ showProgressText WRITE setShowProgressText)
    Q_PROPERTY(int FrameSize READ frameSize WRITE setFrameSize)
    Q_PROPERTY(QColor FrameColor READ frameColor WRITE setFrameColor)
    Q_PROPERTY(int FrameAlpha READ frameAlpha WRITE setFrameAlpha)
    Q_PROPERTY(QColor ProgressColor READ progressColor WRITE setProgressColor)
    Q_PROPERTY(int ProgressAlpha READ progressAlpha WRITE setProgressAlpha)
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(QFont ProgressFont READ progressFont WRITE setProgressFont)
    Q_PROPERTY(QColor ProgressFontColor READ progressFontColor WRITE setProgressFontColor)
    Q_PROPERTY(bool TransparentBackground READ transparentBackground WRITE setTransparentBackground)
    Q_PROPERTY(QColor Color READ color WRITE setColor)

public:
    explicit TqzCircledProgressBar(QWidget* parent = nullptr);

    int minValue() const { return m_min; }
    void setMinValue(int value);
    int maxValue() const { return m_max; }
    void setMaxValue(int value);
    int value() const { return m_value; }
    void setValue(int value);

    bool showCaption() const { return m_look.showCaption; }
    void setShowCaption(bool on) { setLookPart(m_look.showCaption, on); }
    bool showProgressText() const { return m_look.showProgressText; }
    void setShowProgressText(bool on) { setLookPart(m_look.showProgressText, on); }
    int frameSize() const { return m_look.frameSize; }
    void setFrameSize(int designPixels) { setLookPart(m_look.frameSize, designPixels); }
    QColor frameColor() const { return m_look.frameColor; }
    void setFrameColor(const QColor& colour) { setLookPart(m_look.frameColor, colour); }
    int frameAlpha() const { return m_look.frameAlpha; }
    void setFrameAlpha(int alpha) { setLookPart(m_look.frameAlpha, alpha); }
    QColor progressColor() const { return m_look.progressColor; }
    void setProgressColor(const QColor& colour) { setLookPart(m_look.progressColor, colour); }
    int progressAlpha() const { return m_look.progressAlpha; }
    void setProgressAlpha(int alpha) { setLookPart(m_look.progressAlpha, alpha); }
    QColor fontColor() const { return m_look.fontColor; }
    void setFontColor(const QColor& colour) { setLookPart(m_look.fontColor, colour); }
    QFont progressFont() const { return m_look.progressFont; }
    void setProgressFont(const QFont& font) { setLookPart(m_look.progressFont, font); }
    QColor progressFontColor() const { return m_look.progressFontColor; }
    void setProgressFontColor(const QColor& colour) {
        setLookPart(m_look.progressFontColor, colour);
    }
    bool transparentBackground() const { return m_look.transparent; }
    void setTransparentBackground(bool on) { setLookPart(m_look.transparent, on); }
    QColor color() const { return m_look.color; }
    void setColor(const QColor& colour) { setLookPart(m_look.color, colour); }

    // The percentage text as drawn now, e.g. "38%".
    QString progressText() const;
    // How many repaints the setters have asked for; a no-op setter asks for none.
    int repaintRequests() const { return m_repaintRequests; }

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

protected:
    void captionChanged() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    void changeEvent(QEvent* event) override;

private:
    void changed();
    qz::RingLayout currentLayout() const;
    QFont scaledPercentFont() const;
    // Arc position as drawn: the sweep in steps of half a device pixel round the circle,
    // so a long countdown redraws its ring only when the arc visibly moves.
    int arcStep(float sweep) const;
    int arcSteps() const;
    const QPixmap& ringImage(const qz::RingLayout& layout, int step);
    int captionWidth(const QString& text);

    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
    // Everything but the value that changes how the ring is drawn.
    struct Look {
        bool showCaption = false;
        bool showProgressText = true;
        int frameSize = 6;
        QColor frameColor;
        int frameAlpha = 125;
        QColor progressColor;
        int progressAlpha = 255;
        QColor fontColor;
        QFont progressFont;
        QColor progressFontColor;
        bool transparent = true;
        QColor color;
    };
    template <typename T, typename U> void setLookPart(T& field, const U& value) {
        if (qz::assignIfChanged(field, value))
            changed();
    }
    Look m_look;
    int m_repaintRequests = 0;

    // Background, track and arc as last drawn; redrawn when the arc step or a look changes.
    QPixmap m_ringImage;
    int m_ringImageStep = -1;
    // Caption words measured once: the remaining-time caption changes every second but
    // reuses the same few words and numbers.
    QHash<QString, int> m_wordWidths;
};
