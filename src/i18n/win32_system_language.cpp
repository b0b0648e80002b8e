#include "i18n/win32_system_language.h"

#include "i18n/system_language.h"

#include <QLocale>

#include <windows.h>

namespace qz {

QString localeNameOfLanguageId(unsigned short languageId) {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (LCIDToLocaleName(MAKELCID(languageId, SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) <= 0)
        return QStringLiteral("C");
    // "tr-TR" in Windows' spelling; QLocale gives the "tr_TR" form the rest of the program uses.
    return QLocale(QString::fromWCharArray(name)).name();
}

QString systemLanguageLocaleName() {
    return localeNameOfLanguageId(GetSystemDefaultLangID());
}

} // namespace qz
