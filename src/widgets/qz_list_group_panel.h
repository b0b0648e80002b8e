#pragma once

#include "widgets/styled_control.h"

#include <QColor>

// A settings group: a header line (Caption) over RowCount rows of RowHeight, separated by
// lines indented by RowLineMargin; HeaderMargin is the header's and rows' left inset.
// Color defaults to the palette's Base colour. With AutoHeight the panel is as high as its header
// and rows. placeRow() puts a label on the left and a control on the right of a row, both
// vertically centred. All sizes are 96-dpi design sizes.
class TqzListGroupPanel : public qz::StyledControl {
    Q_OBJECT
    Q_PROPERTY(int RowCount READ rowCount WRITE setRowCount)
    Q_PROPERTY(int RowHeight READ rowHeight WRITE setRowHeight)
    Q_PROPERTY(int HeaderHeight READ headerHeight WRITE setHeaderHeight)
    Q_PROPERTY(int RowLineMargin READ rowLineMargin WRITE setRowLineMargin)
    Q_PROPERTY(int HeaderMargin READ headerMargin WRITE setHeaderMargin)
    Q_PROPERTY(QFont HeaderFont READ headerFont WRITE setHeaderFont)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(bool AutoHeight READ autoHeight WRITE setAutoHeight)

public:
    explicit TqzListGroupPanel(QWidget* parent = nullptr);

    int rowCount() const { return m_rowCount; }
    void setRowCount(int count);
    int rowHeight() const { return m_rowHeight; }
    void setRowHeight(int designPixels);
    int headerHeight() const { return m_headerHeight; }
    void setHeaderHeight(int designPixels);
    int rowLineMargin() const { return m_rowLineMargin; }
    void setRowLineMargin(int designPixels);
    int headerMargin() const { return m_headerMargin; }
    void setHeaderMargin(int designPixels);
    QFont headerFont() const { return m_headerFont; }
    void setHeaderFont(const QFont& font);
    QColor color() const { return m_color; }
    void setColor(const QColor& c);
    bool autoHeight() const { return m_autoHeight; }
    void setAutoHeight(bool on);

    // Rectangle of row 0..RowCount-1 in this panel's (screen-scaled) pixels.
    QRect rowRect(int row) const;
    // Places label (left, at HeaderMargin) and control (right, HeaderMargin from the edge)
    // in the row; either may be null. Re-applied when the panel resizes.
    void placeRow(int row, QWidget* label, QWidget* control);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct RowWidgets {
        int row;
        QWidget* label;
        QWidget* control;
    };
    void layoutRows();
    void relayout();

    int m_rowCount = 4;
    int m_rowHeight = 30;
    int m_headerHeight = 30;
    int m_rowLineMargin = 20;
    int m_headerMargin = 10;
    QFont m_headerFont;
    QColor m_color;
    bool m_autoHeight = true;
    QList<RowWidgets> m_rows;
};
