// Windows has no such signals: the end of its session reaches the program as window
// messages, which Qt turns into the session manager's requests. Nothing to install.
#include "app/process/termination_signals.h"

namespace qz {

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() = default;

} // namespace qz
