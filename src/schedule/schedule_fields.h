#pragma once

#include <QDate>
#include <QTime>

namespace qz {

// The values of the window's five schedule fields. Time fields hold hours and minutes;
// a duration is the field's time of day read as a length.
struct ScheduleFields {
    QTime fromNow{0, 30};      // TimeeditSuandanitibaren, duration
    QDate specifiedDate;       // dateEditBelirtilenSure
    QTime specifiedTime{0, 0}; // timeEditBelirtilenSure, time of day
    QTime idle{0, 5};          // qzTimeEdit3, duration without input
    QTime everyday{23, 0};     // qzTimeEdit1, time of day

    bool operator==(const ScheduleFields&) const = default;
};

} // namespace qz
