#include "widgets/qz_scroll_box.h"

TqzScrollBox::TqzScrollBox(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    // The box shows its parent's background; only the content's own controls paint.
    viewport()->setAutoFillBackground(false);
    // Not a stop of its own on the way through the panel's controls; Qt keeps a focused
    // control inside it in view.
    setFocusPolicy(Qt::NoFocus);
    auto* inside = new QWidget;
    inside->setAutoFillBackground(false);
    setWidget(inside);
}
