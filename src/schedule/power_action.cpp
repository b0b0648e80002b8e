#include "schedule/power_action.h"

namespace qz {

QString powerActionWord(PowerAction action) {
    switch (action) {
    case PowerAction::Shutdown:
        return QStringLiteral("shutdown");
    case PowerAction::Restart:
        return QStringLiteral("restart");
    case PowerAction::Lock:
        return QStringLiteral("lock");
    case PowerAction::WaitReady:
        return QStringLiteral("waitready");
    case PowerAction::Sleep:
        return QStringLiteral("sleep");
    case PowerAction::Signout:
        return QStringLiteral("signout");
    }
    return {};
}

std::optional<PowerAction> powerActionFromWord(const QString& word) {
    for (PowerAction action : kAllPowerActions) {
        if (word == powerActionWord(action))
            return action;
    }
    return std::nullopt;
}

} // namespace qz
