#pragma once

#include <QAccessible>

class QObject;
class QWidget;

// How screen readers see the painted controls. Each control describes itself through Qt's
// accessibility interfaces: its role, a name in the language it shows, its state (checked,
// pressed, on/off), the ring's value and the fields' text. The controls install the factory
// from their constructors; the notify functions cost nothing while no reader listens.
namespace qz::accessibility {

// Installs the widget set's accessibility factory; later calls do nothing.
void install();

// Names `control` after `label`'s Caption, following it as the language changes; used for
// controls that show no text of their own (fields, switches, the language list). The label
// must live as long as the control (both belong to one window).
void setLabel(QWidget* control, QObject* label);

// Tell a listening screen reader what changed.
void notify(QWidget* widget, QAccessible::Event event);
void notifyChecked(QWidget* widget);
void notifyValue(QWidget* widget, int value);
void notifyText(QWidget* widget, const QString& before, const QString& after);

} // namespace qz::accessibility
