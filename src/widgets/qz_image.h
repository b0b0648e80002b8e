#pragma once

#include "widgets/styled_control.h"

#include <QPixmap>

// A picture, drawn smoothly: stretched to the control (keeping its aspect ratio and
// centred when Proportional) or at its own size, centred. Transparent areas show the
// parent. A click raises OnClick.
class TqzImage : public qz::StyledControl {
    Q_OBJECT
    Q_PROPERTY(QPixmap Picture READ picture WRITE setPicture)
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)
    Q_PROPERTY(bool Proportional READ proportional WRITE setProportional)

public:
    explicit TqzImage(QWidget* parent = nullptr);

    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    bool stretch() const { return m_stretch; }
    void setStretch(bool on);
    bool proportional() const { return m_proportional; }
    void setProportional(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    bool m_stretch = true;
    bool m_proportional = true;
};
