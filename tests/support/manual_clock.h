#pragma once

#include "schedule/clock.h"

#include <utility>

namespace qz {

// A clock that only moves when told to. For tests of anything that reads a Clock.
class ManualClock final : public Clock {
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2026, 1, 15), QTime(12, 0)))
        : m_now(std::move(start)) {}

    QDateTime now() const override { return m_now; }

    void set(const QDateTime& now) { m_now = now; }
    void advanceMSecs(qint64 msecs) { m_now = m_now.addMSecs(msecs); }
    void advanceSecs(qint64 secs) { m_now = m_now.addSecs(secs); }

private:
    QDateTime m_now;
};

} // namespace qz
