#pragma once

namespace qz {

// The start-up version check as the window holds it: started once the window is on the
// screen; destroying it stops any request and removes a partial download.
class UpdateTask {
public:
    virtual ~UpdateTask() = default;
    // Starts the check without waiting for it. Only the first call does anything.
    virtual void start() = 0;
};

} // namespace qz
