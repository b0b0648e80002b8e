#pragma once

#include "schedule/power_action.h"
#include "schedule/schedule_fields.h"
#include "schedule/trigger_mode.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace qz {

// Language indexes are those of the translation component: 1 Turkish, 2 English.

// The sentence under the schedule controls, in three labels.
struct ScheduleDescription {
    enum class TimeLabel {
        Turkish, // lblTarih visible, lbltarihEn hidden; order subject, time, verb
        English, // lbltarihEn visible, lblTarih hidden; order subject, verb, time
    };

    QString subject; // lblBil
    QString time;    // the visible time label
    QString verb;    // lblislem
    TimeLabel timeLabel = TimeLabel::English;

    bool operator==(const ScheduleDescription&) const = default;
};

struct DescriptionInput {
    PowerAction action = PowerAction::Shutdown;
    TriggerMode mode = TriggerMode::FromNow;
    ScheduleFields fields;
    QString everydayText = QStringLiteral("23:00"); // qzTimeEdit1's text exactly as shown
    int language = 2;
    // How the specified moment is written: the locale's short date format, a blank, its long
    // time format; the locale supplies month and day-half names.
    QLocale locale = QLocale::system();
    QString shortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    QString longTimeFormat = longTimeFormatOf(locale);

    // The locale's long time format without a time-zone field, the way a desktop writes a
    // time of day.
    static QString longTimeFormatOf(const QLocale& locale);
};

// Composes the description. For a language index other than 1 or 2 nothing is composed
// and the labels are to be left as they are.
std::optional<ScheduleDescription> composeDescription(const DescriptionInput& input);

// " da" or " de" after the everyday time in Turkish, chosen by the minutes: the last two
// characters of the everyday field's text.
QString turkishLocativeSuffix(const QString& everydayText);

// Non-zero hours, minutes and seconds of a time value, each followed by its unit word;
// empty for zero. Turkish for language 1, English otherwise.
QString durationText(QTime value, int language);

} // namespace qz
