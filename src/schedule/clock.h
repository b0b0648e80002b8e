#pragma once

#include <QDateTime>

namespace qz {

// Source of the current date-time. Scheduling code asks a Clock instead of the system so
// that tests can drive a countdown without waiting.
class Clock {
public:
    virtual ~Clock() = default;
    // The current local date-time, millisecond precision.
    virtual QDateTime now() const = 0;
};

// The real clock of this machine.
class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace qz
