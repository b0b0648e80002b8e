// A request's value read into a plan: the fields it names change, and nothing else.
#include "schedule/plan.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(PlanFromRequest, ReadsItsTriggersFieldAndKeepsTheOthers) {
    Plan base;
    base.fields.specifiedDate = QDate(2026, 3, 10);
    const struct {
        TriggerMode mode;
        const char* value;
        PlanRequestResult result;
    } cases[] = {
        {TriggerMode::FromNow, "01:30", PlanRequestResult::Read},
        {TriggerMode::IdleTime, "00:07", PlanRequestResult::Read},
        {TriggerMode::Everyday, "23:59", PlanRequestResult::Read},
        {TriggerMode::SpecifiedTime, "2026-12-24T18:05", PlanRequestResult::Read},
        {TriggerMode::SpecifiedTime, "2026-02-30T18:05", PlanRequestResult::ImpossibleDate},
        {TriggerMode::SpecifiedTime, "2026-12-24 18:05", PlanRequestResult::Unreadable},
        {TriggerMode::SpecifiedTime, "2026-12-24T", PlanRequestResult::Unreadable},
        {TriggerMode::SpecifiedTime, "x", PlanRequestResult::Unreadable},
        {TriggerMode::FromNow, "24:00", PlanRequestResult::Unreadable},
        {TriggerMode::Everyday, "7:15", PlanRequestResult::Unreadable},
        {TriggerMode::IdleTime, "", PlanRequestResult::Unreadable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const PlanRequest r =
            planFromRequest(base, PowerAction::Lock, c.mode, QString::fromLatin1(c.value));
        EXPECT_EQ(r.result, c.result);
        if (c.result != PlanRequestResult::Read)
            continue;
        EXPECT_EQ(r.plan.action, PowerAction::Lock);
        EXPECT_EQ(r.plan.mode, c.mode);
        Plan expected = base;
        expected.action = PowerAction::Lock;
        expected.mode = c.mode;
        const QTime time = QTime::fromString(QString::fromLatin1(c.value).right(5), u"HH:mm");
        switch (c.mode) {
        case TriggerMode::FromNow:
            expected.fields.fromNow = time;
            break;
        case TriggerMode::SpecifiedTime:
            expected.fields.specifiedDate = QDate(2026, 12, 24);
            expected.fields.specifiedTime = time;
            break;
        case TriggerMode::IdleTime:
            expected.fields.idle = time;
            break;
        case TriggerMode::Everyday:
            expected.fields.everyday = time;
            break;
        }
        EXPECT_EQ(r.plan, expected);
    }
}

} // namespace
} // namespace qz
