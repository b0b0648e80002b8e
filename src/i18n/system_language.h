#pragma once

#include <QString>

namespace qz {

// The system's default language as a locale name ("tr_TR"), which picks the language of a
// first start: on Windows the system default language (GetSystemDefaultLangID), elsewhere
// the system locale.
QString systemLanguageLocaleName();

} // namespace qz
