#pragma once

#include <QWidget>

class QTimer;

// The settings panel: docked at the right edge of its parent, full height, lying over the
// parent's other children. It slides open to OpenedWidth and closed to CompactWidth on a
// 15 ms timer, the speed falling as the target nears. Opened is true only when fully
// open; asking to open while opening (or close while closing) does nothing, the opposite
// request reverses the slide from the current width. Fully closed (at compact width 0) it
// is disabled. It is raised above its siblings at every state change, and keeps to the
// parent's right edge and height when the parent resizes; other geometry is ignored.
class TqzSplitView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Opened READ opened WRITE setOpened)
    Q_PROPERTY(int OpenedWidth READ openedWidth WRITE setOpenedWidth)
    Q_PROPERTY(int CompactWidth READ compactWidth WRITE setCompactWidth)
    Q_PROPERTY(bool Animation READ animation WRITE setAnimation)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)

public:
    enum class SlideState { Closed, Opening, Opened, Closing };

    explicit TqzSplitView(QWidget* parent = nullptr);

    bool opened() const { return m_state == SlideState::Opened; }
    void setOpened(bool open);
    SlideState slideState() const { return m_state; }

    // Widths are 96-dpi design sizes, scaled to the screen when applied.
    int openedWidth() const { return m_openedWidth; }
    void setOpenedWidth(int designPixels);
    int compactWidth() const { return m_compactWidth; }
    void setCompactWidth(int designPixels);
    bool animation() const { return m_animation; }
    void setAnimation(bool on) { m_animation = on; }

    // While loading, requests jump to their end state without a slide.
    void setLoading(bool loading) { m_loading = loading; }

    // One 15 ms step of a running slide; lets the width sequence be followed exactly.
    void slideTick();

Q_SIGNALS:
    void OnOpening();
    void OnOpened();
    void OnClosing();
    void OnClosed();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void setSlideState(SlideState state);
    void placeAt(int width);
    void watchParent();
    int scaledOpened() const;
    int scaledCompact() const;
    int minStep() const;

    SlideState m_state = SlideState::Closed;
    int m_openedWidth = 200;
    int m_compactWidth = 0;
    int m_width = 0;
    bool m_animation = true;
    bool m_loading = false;
    bool m_placing = false;
    QTimer* m_timer = nullptr;
    QWidget* m_watchedParent = nullptr;
};
