// Tasks asked for from outside the window: the controller arms them, and the controls
// show them once armed.
#include "app/anaform.h"

QString TAnaform::armFromCommand(qz::PowerAction action, qz::TriggerMode mode,
                                 const QString& value) {
    return refusalText(m_controller->armRequest(action, mode, value), action);
}
