#pragma once

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

    bool showCaption() const { return m_showCaption; }
    void setShowCaption(bool on);
    bool showProgressText() const { return m_showProgressText; }
    void setShowProgressText(bool on);
    int frameSize() const { return m_frameSize; }
    void setFrameSize(int designPixels);
    QColor frameColor() const { return m_frameColor; }
    void setFrameColor(const QColor& colour);
    int frameAlpha() const { return m_frameAlpha; }
    void setFrameAlpha(int alpha);
    QColor progressColor() const { return m_progressColor; }
    void setProgressColor(const QColor& colour);
    int progressAlpha() const { return m_progressAlpha; }
    void setProgressAlpha(int alpha);
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor& colour);
    QFont progressFont() const { return m_progressFont; }
    void setProgressFont(const QFont& font);
    QColor progressFontColor() const { return m_progressFontColor; }
    void setProgressFontColor(const QColor& colour);
    bool transparentBackground() const { return m_transparent; }
    void setTransparentBackground(bool on);
    QColor color() const { return m_color; }
    void setColor(const QColor& colour);

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
    bool m_showCaption = false;
    bool m_showProgressText = true;
    int m_frameSize = 6;
    QColor m_frameColor;
    int m_frameAlpha = 125;
    QColor m_progressColor;
    int m_progressAlpha = 255;
    QColor m_fontColor;
    QFont m_progressFont;
    QColor m_progressFontColor;
    bool m_transparent = true;
    QColor m_color;
    int m_repaintRequests = 0;

    // Background, track and arc as last drawn; redrawn when the arc step or a look changes.
    QPixmap m_ringImage;
    int m_ringImageStep = -1;
    // Caption words measured once: the remaining-time caption changes every second but
    // reuses the same few words and numbers.
    QHash<QString, int> m_wordWidths;
};
