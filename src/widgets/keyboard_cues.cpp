#include "widgets/keyboard_cues.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPointer>
#include <QWidget>

namespace qz {

namespace {

// Kept on the top-level window, so that every window starts without marks.
const char* const kKeyboardUsed = "qzKeyboardUsed";

class KeyboardWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (isKeyboardUse(event) && watched->isWidgetType())
            markWindow(static_cast<QWidget*>(watched)->window());
        return false;
    }

private:
    static bool isKeyboardUse(const QEvent* event) {
        if (event->type() == QEvent::KeyPress)
            return true;
        if (event->type() != QEvent::FocusIn)
            return false;
        const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
        return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
               reason == Qt::ShortcutFocusReason;
    }

    static void markWindow(QWidget* window) {
        if (window->property(kKeyboardUsed).toBool())
            return;
        window->setProperty(kKeyboardUsed, true);
        // The control holding the focus now draws its mark.
        if (QWidget* focused = window->focusWidget())
            focused->update();
    }
};

} // namespace

bool focusMarksShown(const QWidget* widget) {
    return widget && widget->window()->property(kKeyboardUsed).toBool();
}

void watchKeyboardUse() {
    static QPointer<KeyboardWatch> watch;
    if (watch || !qApp)
        return;
    watch = new KeyboardWatch(qApp);
    qApp->installEventFilter(watch);
}

} // namespace qz
