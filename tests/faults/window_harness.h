#pragma once

// A main window over the real timers, a clock of the caller's choice and a given power
// backend, for the timing and fault tests.

#include "app/anaform.h"
#include "app/anaform_fixture.h"
#include "widgets/qz_date_edit.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_time_edit.h"

#include <QDateTime>
#include <QTimer>

#include <memory>

namespace qz::test {

// The system clock moved by an offset that another process may change (it lives in shared
// memory when the test needs that), so a test can place a deadline a few seconds ahead or
// make the clock jump while the process is stopped.
class OffsetClock : public Clock {
public:
    explicit OffsetClock(const std::atomic<qint64>* offsetMSecs) : m_offset(offsetMSecs) {}
    QDateTime now() const override {
        return QDateTime::currentDateTime().addMSecs(m_offset->load());
    }

private:
    const std::atomic<qint64>* m_offset;
};

// The window and its test dependencies; the window goes first.
struct WindowParts : WindowTestDeps {
    std::unique_ptr<TAnaform> window;
};

// Builds and shows the window; FormShow leaves shutdown and "From Now" selected.
inline void startWindow(WindowParts& parts, std::unique_ptr<Clock> clock,
                        std::unique_ptr<PowerBackend> power) {
    parts.window = std::make_unique<TAnaform>(parts.make(std::move(clock), std::move(power)));
    parts.window->show();
}

// Arms the specified-time mode at `due` (whole minutes) through the window's own handlers.
inline bool armAt(TAnaform& w, const QDateTime& due) {
    w.findChild<TqzRadioButton*>(QStringLiteral("radioBelirtilenSaat"))->setChecked(true);
    w.radioSuandanitibarenClick();
    w.findChild<TqzDateEdit*>(QStringLiteral("dateEditBelirtilenSure"))->setDate(due.date());
    w.findChild<TqzTimeEdit*>(QStringLiteral("timeEditBelirtilenSure"))
        ->setTimeValue(QTime(due.time().hour(), due.time().minute()));
    w.btnStartStopClick();
    return w.task().isArmed();
}

inline QTimer* taskTimer(TAnaform& w) {
    return w.findChild<QTimer*>(QStringLiteral("timerGorev"));
}

} // namespace qz::test
