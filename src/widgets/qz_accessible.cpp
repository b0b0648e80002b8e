#include "widgets/qz_accessible.h"

#include "widgets/qz_button.h"
#include "widgets/qz_circled_progress_bar.h"
#include "widgets/qz_combo_box.h"
#include "widgets/qz_date_edit.h"
#include "widgets/qz_glyph_button.h"
#include "widgets/qz_label.h"
#include "widgets/qz_list_group_panel.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_switch.h"
#include "widgets/qz_time_edit.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>

namespace qz::accessibility {

namespace {

constexpr const char* kLabelProperty = "qzAccessibleLabel";

// Captions may hold line breaks (the ring's remaining time); a name is one line.
QString oneLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.simplified();
}

QString captionOf(const QObject* object) {
    return object ? oneLine(object->property("Caption").toString()) : QString();
}

// One interface for the whole widget set: what differs between the controls is asked of
// the control itself.
class StyledAccessible : public QAccessibleWidget,
                         public QAccessibleValueInterface,
                         public QAccessibleTextInterface {
public:
    StyledAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name:
            return name();
        case QAccessible::Value:
            return value();
        case QAccessible::Description:
            return description();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        QWidget* w = widget();
        if (auto* b = qobject_cast<TqzButton*>(w)) {
            s.checkable = b->groupIndex() != 0;
            s.checked = b->groupIndex() != 0 && b->isDown();
            s.pressed = b->groupIndex() == 0 && b->isDown();
        } else if (auto* g = qobject_cast<TqzGlyphButton*>(w)) {
            s.pressed = g->isPressed();
        } else if (auto* r = qobject_cast<TqzRadioButton*>(w)) {
            s.checkable = true;
            s.checked = r->isChecked();
        } else if (auto* sw = qobject_cast<TqzSwitch*>(w)) {
            s.checkable = true;
            s.checked = sw->isOn();
        } else if (auto* d = qobject_cast<TqzDateEdit*>(w)) {
            s.editable = !d->isReadOnly();
            s.readOnly = d->isReadOnly();
            s.hasPopup = true;
            s.expanded = d->isDroppedDown();
        } else if (qobject_cast<TqzTimeEdit*>(w)) {
            s.editable = true;
        } else if (qobject_cast<TqzComboBox*>(w)) {
            s.hasPopup = true;
        }
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface && ring())
            return static_cast<QAccessibleValueInterface*>(this);
        if (t == QAccessible::TextInterface && field())
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (activatable())
            names.prepend(checkable() ? toggleAction() : pressAction());
        return names;
    }

    void doAction(const QString& action) override {
        if (activatable() && (action == pressAction() || action == toggleAction())) {
            // The same path as the keyboard, so the control keeps its own rules (a grouped
            // button that is down stays down, a disabled switch does nothing).
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            QCoreApplication::sendEvent(widget(), &press);
            return;
        }
        QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString& action) const override {
        if (activatable() && (action == pressAction() || action == toggleAction()))
            return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

    // QAccessibleValueInterface (the rings)
    QVariant currentValue() const override { return ring()->value(); }
    void setCurrentValue(const QVariant&) override {} // a display only
    QVariant maximumValue() const override { return ring()->maxValue(); }
    QVariant minimumValue() const override { return ring()->minValue(); }
    QVariant minimumStepSize() const override { return 1; }

    // QAccessibleTextInterface (the fields): one line, no selection.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return field()->caretPosition(); }
    void setCursorPosition(int position) override { field()->setCaretPosition(position); }
    QString text(int start, int end) const override {
        const QString all = field()->text();
        if (end < 0 || end > all.size())
            end = int(all.size());
        return all.mid(start, qMax(0, end - start));
    }
    int characterCount() const override { return int(field()->text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    TqzCircledProgressBar* ring() const { return qobject_cast<TqzCircledProgressBar*>(widget()); }
    qz::MaskedFieldBox* field() const { return qobject_cast<qz::MaskedFieldBox*>(widget()); }

    bool checkable() const { return state().checkable; }
    bool activatable() const {
        QWidget* w = widget();
        return qobject_cast<TqzButton*>(w) || qobject_cast<TqzGlyphButton*>(w) ||
               qobject_cast<TqzRadioButton*>(w) || qobject_cast<TqzSwitch*>(w);
    }

    // The name a reader announces: a name set by the program, else the control's own
    // caption, else the caption of the label it was given followed by its hint.
    QString name() const {
        QWidget* w = widget();
        if (!w->accessibleName().isEmpty())
            return w->accessibleName();
        if (const QString caption = captionOf(w); !caption.isEmpty())
            return caption;
        QStringList parts{captionOf(w->property(kLabelProperty).value<QObject*>()), w->toolTip()};
        parts.removeAll(QString());
        return parts.join(QLatin1String(", "));
    }

    QString value() const {
        QWidget* w = widget();
        if (auto* r = ring())
            return r->progressText();
        if (auto* f = field())
            return f->text();
        if (auto* c = qobject_cast<TqzComboBox*>(w))
            return c->text();
        return QAccessibleWidget::text(QAccessible::Value);
    }

    // The ring tells its figure beside its caption; others keep a hint not in their name.
    QString description() const {
        if (auto* r = ring())
            return r->progressText();
        QWidget* w = widget();
        return name().contains(w->toolTip()) ? QString() : w->toolTip();
    }
};

QAccessible::Role roleOf(QWidget* w) {
    if (auto* b = qobject_cast<TqzButton*>(w))
        return b->groupIndex() != 0 ? QAccessible::RadioButton : QAccessible::Button;
    if (qobject_cast<TqzGlyphButton*>(w))
        return QAccessible::Button;
    if (qobject_cast<TqzRadioButton*>(w))
        return QAccessible::RadioButton;
    if (qobject_cast<TqzSwitch*>(w))
        return QAccessible::CheckBox;
    if (qobject_cast<TqzCircledProgressBar*>(w))
        return QAccessible::ProgressBar;
    if (qobject_cast<qz::MaskedFieldBox*>(w))
        return QAccessible::EditableText;
    if (qobject_cast<TqzComboBox*>(w))
        return QAccessible::ComboBox;
    if (qobject_cast<TqzListGroupPanel*>(w))
        return QAccessible::Grouping;
    if (auto* l = qobject_cast<TqzLabel*>(w))
        return l->focusPolicy() != Qt::NoFocus ? QAccessible::Link : QAccessible::StaticText;
    return QAccessible::NoRole;
}

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* w = static_cast<QWidget*>(object);
    const QAccessible::Role role = roleOf(w);
    return role == QAccessible::NoRole ? nullptr : new StyledAccessible(w, role);
}

} // namespace

void install() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void setLabel(QWidget* control, QObject* label) {
    control->setProperty(kLabelProperty, QVariant::fromValue(label));
}

void notify(QWidget* widget, QAccessible::Event event) {
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent e(widget, event);
    QAccessible::updateAccessibility(&e);
}

void notifyChecked(QWidget* widget) {
    if (!QAccessible::isActive())
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent e(widget, changed);
    QAccessible::updateAccessibility(&e);
}

void notifyValue(QWidget* widget, int value) {
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent e(widget, value);
    QAccessible::updateAccessibility(&e);
}

void notifyText(QWidget* widget, const QString& before, const QString& after) {
    if (!QAccessible::isActive())
        return;
    QAccessibleTextUpdateEvent e(widget, 0, before, after);
    QAccessible::updateAccessibility(&e);
}

} // namespace qz::accessibility
