#include "widgets/qz_list_group_panel.h"

#include "widgets/qz_style.h"

#include <QPainter>

TqzListGroupPanel::TqzListGroupPanel(QWidget* parent) : qz::StyledControl(parent) {
    m_headerFont = font();
    m_headerFont.setPixelSize(15);
    relayout();
}

void TqzListGroupPanel::setRowCount(int count) {
    m_rowCount = std::max(0, count);
    relayout();
}
void TqzListGroupPanel::setRowHeight(int designPixels) {
    m_rowHeight = std::max(0, designPixels);
    relayout();
}
void TqzListGroupPanel::setHeaderHeight(int designPixels) {
    m_headerHeight = std::max(0, designPixels);
    relayout();
}
void TqzListGroupPanel::setRowLineMargin(int designPixels) {
    m_rowLineMargin = designPixels;
    update();
}
void TqzListGroupPanel::setHeaderMargin(int designPixels) {
    m_headerMargin = designPixels;
    relayout();
}
void TqzListGroupPanel::setHeaderFont(const QFont& font) {
    m_headerFont = font;
    update();
}
void TqzListGroupPanel::setColor(const QColor& c) {
    m_color = c;
    update();
}
void TqzListGroupPanel::setAutoHeight(bool on) {
    m_autoHeight = on;
    relayout();
}

QSize TqzListGroupPanel::sizeHint() const {
    return {qz::scaled(199, this),
            qz::scaled(m_headerHeight, this) + m_rowCount * qz::scaled(m_rowHeight, this)};
}

QRect TqzListGroupPanel::rowRect(int row) const {
    const int rowHeight = qz::scaled(m_rowHeight, this);
    return QRect(0, qz::scaled(m_headerHeight, this) + row * rowHeight, width(), rowHeight);
}

void TqzListGroupPanel::placeRow(int row, QWidget* label, QWidget* control) {
    m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(),
                                [row](const RowWidgets& r) { return r.row == row; }),
                 m_rows.end());
    m_rows.append({row, label, control});
    layoutRows();
}

void TqzListGroupPanel::relayout() {
    if (m_autoHeight) {
        setFixedHeight(sizeHint().height());
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    }
    updateGeometry();
    layoutRows();
    update();
}

void TqzListGroupPanel::layoutRows() {
    const int margin = qz::scaled(m_headerMargin, this);
    for (const RowWidgets& r : m_rows) {
        const QRect area = rowRect(r.row);
        if (r.label && r.label->parentWidget() == this) {
            const QSize s = r.label->size();
            r.label->move(area.left() + margin, area.center().y() - s.height() / 2 + 1);
        }
        if (r.control && r.control->parentWidget() == this) {
            const QSize s = r.control->size();
            r.control->move(area.right() - margin - s.width() + 1,
                            area.center().y() - s.height() / 2 + 1);
        }
    }
}

void TqzListGroupPanel::resizeEvent(QResizeEvent* event) {
    qz::StyledControl::resizeEvent(event);
    layoutRows();
}

void TqzListGroupPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Without a colour of its own the group takes the window (entry field) colour.
    painter.fillRect(rect(), m_color.isValid() ? m_color : palette().color(QPalette::Base));
    painter.setRenderHint(QPainter::TextAntialiasing);
    const int margin = qz::scaled(m_headerMargin, this);
    const int header = qz::scaled(m_headerHeight, this);
    painter.setFont(m_headerFont);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(QRect(margin, 0, width() - 2 * margin, header),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption());
    // Hairlines between the rows, inset so they read as a list rather than a grid.
    const int lineMargin = qz::scaled(m_rowLineMargin, this);
    painter.setPen(palette().color(QPalette::Midlight).darker(110));
    for (int row = 1; row < m_rowCount; ++row) {
        const int y = rowRect(row).top();
        painter.drawLine(lineMargin, y, width() - lineMargin, y);
    }
}
