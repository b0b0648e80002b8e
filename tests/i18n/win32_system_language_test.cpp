// The Windows system language as the locale name the first start's language comes from.
#include "i18n/language_choice.h"
#include "i18n/language_index.h"
#include "i18n/win32_system_language.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

TEST(Win32SystemLanguage, LanguageIdsGiveTheirLocaleAndLanguage) {
    const struct {
        unsigned short id;
        const char* name;
        int language;
    } cases[] = {
        {0x041F, "tr_TR", qz::kTurkish},
        {0x0409, "en_US", qz::kEnglish},
        {0x0407, "de_DE", qz::kEnglish},
        // No language the system knows.
        {0x04FF, "C", qz::kEnglish},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = qz::localeNameOfLanguageId(c.id);
        EXPECT_EQ(name, QLatin1String(c.name));
        EXPECT_EQ(qz::defaultLanguage(QLocale(name)), c.language);
    }
}

} // namespace
