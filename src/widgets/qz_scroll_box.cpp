#include "widgets/qz_scroll_box.h"

TqzScrollBox::TqzScrollBox(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    // The box shows its parent's background; only the content's own controls paint.
    viewport()->setAutoFillBackground(false);
    auto* inside = new QWidget;
    inside->setAutoFillBackground(false);
    setWidget(inside);
}
