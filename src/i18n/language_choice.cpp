#include "i18n/language_choice.h"

namespace qz {

int defaultLanguage(const QLocale& system) {
    const bool turkishInTurkey =
        system.language() == QLocale::Turkish && system.territory() == QLocale::Turkey;
    return turkishInTurkey ? kTurkish : kEnglish;
}

int startupLanguage(const QString& storedDil, const QLocale& system) {
    if (storedDil == QLatin1String("1"))
        return kTurkish;
    if (storedDil == QLatin1String("2"))
        return kEnglish;
    return defaultLanguage(system);
}

} // namespace qz
