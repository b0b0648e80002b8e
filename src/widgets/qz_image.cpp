#include "widgets/qz_image.h"

#include <QPainter>

TqzImage::TqzImage(QWidget* parent) : qz::StyledControl(parent) {}

void TqzImage::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void TqzImage::setStretch(bool on) {
    m_stretch = on;
    update();
}

void TqzImage::setProportional(bool on) {
    m_proportional = on;
    update();
}

void TqzImage::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QSizeF size = m_picture.deviceIndependentSize();
    if (m_stretch)
        size = m_proportional ? size.scaled(QSizeF(this->size()), Qt::KeepAspectRatio)
                              : QSizeF(this->size());
    const QRectF target((width() - size.width()) / 2, (height() - size.height()) / 2, size.width(),
                        size.height());
    painter.drawPixmap(target, m_picture, QRectF(m_picture.rect()));
}
