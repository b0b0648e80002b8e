#pragma once

#include <QObject>

#include <functional>

namespace qz {

// Turns the signals a session sends when it ends (SIGTERM, SIGHUP, SIGINT) into a call on
// the event loop, so the program ends through its normal path and saves its settings
// instead of dying with them unsaved. Does nothing where such signals don't exist.
class TerminationSignals : public QObject {
public:
    TerminationSignals(std::function<void()> onTerminate, QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    std::function<void()> m_onTerminate;
};

} // namespace qz
