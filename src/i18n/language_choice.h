#pragma once

#include <QLocale>
#include <QString>

namespace qz {

// Language numbers of the window: 1 Turkish ("Türkçe"), 2 English ("English").
inline constexpr int kTurkish = 1;
inline constexpr int kEnglish = 2;

// The language taken when none is stored: Turkish only for Turkish as used in Turkey (the
// system locale tr_TR), English for every other locale, other Turkish ones included.
int defaultLanguage(const QLocale& system = QLocale::system());

// The language at start from the stored text of "dil": exactly "1" or "2", else the default.
int startupLanguage(const QString& storedDil, const QLocale& system = QLocale::system());

} // namespace qz
