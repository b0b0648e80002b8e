#include "i18n/language_choice.h"

namespace qz {

int defaultLanguage(const QLocale& system) {
    const bool turkishInTurkey =
        system.language() == QLocale::Turkish && system.territory() == QLocale::Turkey;
    return turkishInTurkey ? kTurkish : kEnglish;
}

} // namespace qz
