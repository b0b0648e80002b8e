#pragma once

#include "widgets/styled_control.h"

#include <QColor>

// A text label. With AutoSize (the default) it takes the size of its text in its font,
// so blanks at the ends of the caption are the only spacing between labels side by side;
// with AutoSizeHeight off it keeps the height it is given. The text is vertically centred.
// A click raises OnClick. With DragForm a left-button drag moves the top-level window
// (not on a double-click, not while maximised). Given the focus (a link), Space and Enter
// click it and the focus mark shows. With WordWrap (for a label that keeps the size it is
// given) the caption wraps at blanks to as many lines as the height holds; a caption that
// still does not fit ends in "..." and is the label's tip in full.
class TqzLabel : public qz::StyledControl {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool AutoSizeHeight READ autoSizeHeight WRITE setAutoSizeHeight)
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(bool DragForm READ dragForm WRITE setDragForm)
    Q_PROPERTY(Qt::Alignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)

public:
    explicit TqzLabel(QWidget* parent = nullptr);

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    bool autoSizeHeight() const { return m_autoSizeHeight; }
    void setAutoSizeHeight(bool on);
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor& c);
    bool dragForm() const { return m_dragForm; }
    void setDragForm(bool on) { m_dragForm = on; }
    // Horizontal placement of the text; it is always centred vertically.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool on);
    // The lines as drawn.
    QStringList shownLines() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void captionChanged() override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void fitToText();
    void tipWhenCut();

    bool m_autoSize = true;
    bool m_autoSizeHeight = true;
    QColor m_fontColor;
    bool m_dragForm = false;
    bool m_dragging = false;
    QPoint m_dragLast;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_wordWrap = false;
};
