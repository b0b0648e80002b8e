#include "schedule/plan.h"

namespace qz {

namespace {

// "YYYY-MM-DD": digits with dashes at their places, whatever date they name.
bool dateShaped(QStringView text) {
    if (text.size() != 10)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? text[i] != QLatin1Char('-') : !text[i].isDigit())
            return false;
    }
    return true;
}

} // namespace

QTime readTime(const QString& text) {
    return QTime::fromString(text, QStringLiteral("HH:mm"));
}

PlanRequest planFromRequest(Plan base, PowerAction action, TriggerMode mode, const QString& value) {
    PlanRequest request{PlanRequestResult::Read, std::move(base)};
    Plan& plan = request.plan;
    plan.action = action;
    plan.mode = mode;
    if (mode == TriggerMode::SpecifiedTime) {
        const QStringView date = QStringView(value).left(10);
        const QTime time = readTime(value.mid(11));
        if (value.size() != 16 || value.at(10) != QLatin1Char('T') || !dateShaped(date) ||
            !time.isValid()) {
            request.result = PlanRequestResult::Unreadable;
            return request;
        }
        plan.fields.specifiedDate = QDate::fromString(date.toString(), Qt::ISODate);
        plan.fields.specifiedTime = time;
        if (!plan.fields.specifiedDate.isValid())
            request.result = PlanRequestResult::ImpossibleDate;
        return request;
    }
    const QTime time = readTime(value);
    if (!time.isValid()) {
        request.result = PlanRequestResult::Unreadable;
        return request;
    }
    switch (mode) {
    case TriggerMode::FromNow:
        plan.fields.fromNow = time;
        break;
    case TriggerMode::IdleTime:
        plan.fields.idle = time;
        break;
    case TriggerMode::Everyday:
        plan.fields.everyday = time;
        break;
    case TriggerMode::SpecifiedTime:
        break;
    }
    return request;
}

} // namespace qz
