#include "schedule/power_action.h"

namespace qz {

QString powerActionWord(PowerAction action) {
    return QString::fromLatin1(namesOf(action).stored);
}

std::optional<PowerAction> powerActionFromWord(const QString& word) {
    for (PowerAction action : kAllPowerActions) {
        if (word == powerActionWord(action))
            return action;
    }
    return std::nullopt;
}

} // namespace qz
