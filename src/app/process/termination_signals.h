#pragma once

#include <QObject>

#include <functional>

namespace qz {

// Turns the signals a session sends when it ends (SIGTERM, SIGHUP, SIGINT) into a call on
// the event loop, so the program ends through its normal path and saves its settings
// instead of dying with them unsaved. Installed before anything can open a message box:
// a signal that comes while one is open (at start-up too) ends its loop and is remembered,
// and every later signal is handled again. Does nothing where such signals don't exist.
class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // What each signal does once the program is up (the close button's path); until then,
    // and after it, the running event loops are told to end.
    void setHandler(std::function<void()> onTerminate) { m_onTerminate = std::move(onTerminate); }
    // A signal has come.
    bool requested() const { return m_requested; }

private:
    void terminate();

    std::function<void()> m_onTerminate;
    bool m_requested = false;
};

} // namespace qz
