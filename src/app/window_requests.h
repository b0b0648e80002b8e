#pragma once

#include "app/process/request_target.h"

class TAnaform;

namespace qz {

// The running copy's requests, carried out by the window as its own controls would.
class WindowRequests final : public RequestTarget {
public:
    explicit WindowRequests(TAnaform& window) : m_window(window) {}

    void show() override;
    void toTray() override;
    std::optional<ArmedTask> armedTask() const override;
    CancelResult cancel() override;
    ArmAnswer arm(PowerAction action, TriggerMode trigger, const QString& value) override;

private:
    TAnaform& m_window;
};

} // namespace qz
