#include "app/process/termination_signals.h"

#include <QCoreApplication>

namespace qz {

void TerminationSignals::terminate() {
    m_requested = true;
    // Ends every running loop, a message box's included (before the main loop runs too,
    // where quit() would do nothing), so nothing holds the end up.
    QCoreApplication::exit(0);
    if (m_onTerminate)
        m_onTerminate();
}

} // namespace qz
