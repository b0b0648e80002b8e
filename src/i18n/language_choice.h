#pragma once

#include "i18n/language_index.h"

#include <QLocale>
#include <QString>

namespace qz {

// The language taken when none is stored: Turkish only for Turkish as used in Turkey (the
// system locale tr_TR), English for every other locale, other Turkish ones included.
int defaultLanguage(const QLocale& system = QLocale::system());

} // namespace qz
