#pragma once

#include <QScrollArea>

// A borderless scroll area over the parent's background; the content widget is resized
// with the box horizontally and scrolls vertically when taller.
class TqzScrollBox : public QScrollArea {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)

public:
    explicit TqzScrollBox(QWidget* parent = nullptr);

    // The widget to put the scrolled controls on (created with the box).
    QWidget* content() const { return widget(); }
};
