#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <cstdlib>

// Small helpers shared by the widget tests: synthetic mouse events sent straight to a
// widget (no window system involved) and colour comparison with a tolerance.
namespace qz::test {

inline void sendMouse(QWidget* w, QEvent::Type type, QPointF pos,
                      Qt::MouseButton button = Qt::LeftButton,
                      Qt::MouseButtons buttons = Qt::LeftButton) {
    const QPointF global = w->mapToGlobal(pos);
    QMouseEvent event(type, pos, global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

inline void press(QWidget* w, QPointF pos) {
    sendMouse(w, QEvent::MouseButtonPress, pos);
}
inline void move(QWidget* w, QPointF pos) {
    sendMouse(w, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
}
inline void release(QWidget* w, QPointF pos) {
    sendMouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}
inline void click(QWidget* w, QPointF pos) {
    press(w, pos);
    release(w, pos);
}

inline bool near(const QColor& a, const QColor& b, int tolerance = 12) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance &&
           std::abs(a.alpha() - b.alpha()) <= tolerance;
}

// The widget drawn alone at device pixel ratio 1, as ARGB so transparency shows.
inline QImage render(QWidget* w) {
    QImage image(w->size(), QImage::Format_ARGB32);
    image.setDevicePixelRatio(1);
    image.fill(Qt::transparent);
    w->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace qz::test
