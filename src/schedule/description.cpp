#include "schedule/description.h"

#include "i18n/language_index.h"

namespace qz {

namespace {

QString turkishVerb(PowerAction action, TriggerMode mode, const QString& everydayText) {
    QString lead;
    switch (mode) {
    case TriggerMode::IdleTime:
        lead = QStringLiteral(" işlem yapılmadığında ");
        break;
    case TriggerMode::FromNow:
        lead = QStringLiteral(" sonra ");
        break;
    case TriggerMode::SpecifiedTime:
        lead = QStringLiteral(" tarihinde ");
        break;
    case TriggerMode::Everyday:
        lead = turkishLocativeSuffix(everydayText) + QLatin1Char(' ');
        break;
    }
    return lead + QString::fromUtf8(namesOf(action).turkishVerb);
}

QString englishVerb(PowerAction action, TriggerMode mode) {
    QString tail;
    switch (mode) {
    case TriggerMode::IdleTime:
        tail = QStringLiteral(" if idle ");
        break;
    case TriggerMode::FromNow:
        tail = QStringLiteral(" after ");
        break;
    case TriggerMode::SpecifiedTime:
        tail = QStringLiteral(" at ");
        break;
    case TriggerMode::Everyday:
        tail = QStringLiteral(" everyday at ");
        break;
    }
    return QStringLiteral(" will ") + QString::fromLatin1(namesOf(action).englishVerb) + tail;
}

QString specifiedMomentText(const DescriptionInput& input) {
    const QString date = input.locale.toString(input.fields.specifiedDate, input.shortDateFormat);
    if (input.fields.specifiedTime == QTime(0, 0))
        return date;
    // Date and time apart, never as one local date-time: a time in the hour the clocks skip
    // has no local date-time and would write nothing. The sentence shows it as typed.
    return date + QLatin1Char(' ') +
           input.locale.toString(input.fields.specifiedTime, input.longTimeFormat);
}

} // namespace

QString DescriptionInput::longTimeFormatOf(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        result += c;
    }
    return result.trimmed();
}

std::optional<ScheduleDescription> composeDescription(const DescriptionInput& input) {
    if (input.language != kTurkish && input.language != kEnglish)
        return std::nullopt;
    const bool turkish = input.language == kTurkish;

    ScheduleDescription d;
    d.timeLabel =
        turkish ? ScheduleDescription::TimeLabel::Turkish : ScheduleDescription::TimeLabel::English;

    switch (input.mode) {
    case TriggerMode::IdleTime:
        d.subject = turkish ? QStringLiteral("Bilgisayarınız ") : QStringLiteral("Your computer");
        d.time = durationText(input.fields.idle, input.language);
        break;
    case TriggerMode::FromNow:
        d.subject = turkish ? QStringLiteral("Bilgisayarınız ") : QStringLiteral("Your computer ");
        d.time = durationText(input.fields.fromNow, input.language);
        break;
    case TriggerMode::SpecifiedTime:
        d.subject = turkish ? QStringLiteral("Bilgisayarınız ") : QStringLiteral("Your computer ");
        d.time = specifiedMomentText(input);
        break;
    case TriggerMode::Everyday:
        d.subject = turkish ? QStringLiteral("Bilgisayarınız her gün, saat ")
                            : QStringLiteral("Your computer ");
        d.time = input.everydayText;
        break;
    }
    d.verb = turkish ? turkishVerb(input.action, input.mode, input.everydayText)
                     : englishVerb(input.action, input.mode);
    return d;
}

QString turkishLocativeSuffix(const QString& everydayText) {
    bool ok = false;
    const int minutes = everydayText.right(2).toInt(&ok, 10);
    if (ok) {
        switch (minutes) {
        case 0:
        case 6:
        case 9:
        case 10:
        case 16:
        case 19:
        case 26:
        case 29:
        case 30:
        case 36:
        case 39:
        case 40:
        case 46:
        case 49:
        case 56:
        case 59:
            return QStringLiteral(" da");
        default:
            break;
        }
    }
    return QStringLiteral(" de");
}

QString durationText(QTime value, int language) {
    if (!value.isValid())
        return {};
    const bool turkish = language == kTurkish;
    QString text;
    if (value.hour() != 0)
        text += QString::number(value.hour()) +
                (turkish ? QStringLiteral(" Saat ") : QStringLiteral(" Hours "));
    if (value.minute() != 0)
        text += QString::number(value.minute()) +
                (turkish ? QStringLiteral(" Dakika ") : QStringLiteral(" Minutes "));
    if (value.second() != 0)
        text += QString::number(value.second()) +
                (turkish ? QStringLiteral(" Saniye ") : QStringLiteral(" Secounds "));
    return text;
}

} // namespace qz
