#include "i18n/system_language.h"

#include <QLocale>

namespace qz {

QString systemLanguageLocaleName() {
    return QLocale::system().name();
}

} // namespace qz
