#include "i18n/language_choice.h"
#include "i18n/program_translation.h"
#include "i18n/qz_lang.h"
#include "lang_fixture.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using qz::TranslationTable;

namespace {

constexpr QChar D = TranslationTable::kDefaultDelimiter;

QString row(const QString& key, const QString& tr, const QString& en) {
    return key + D + tr + D + en + D;
}

// The window with one component for every name the program's table uses, each showing the
// stored (English, else Turkish) text as the layout would.
class I18nProgramWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window.setObjectName(QStringLiteral("Anaform"));
        window.setWindowTitle(QStringLiteral("QZ Duvodoro Ruruzovad"));
        TranslationTable table;
        table.read(qz::programTranslationData());
        for (TranslationTable::TStringsType type :
             {TranslationTable::stCaptions, TranslationTable::stFonts}) {
            for (const QString& r : *table.list(type)) {
                const QString key = qz::rowField(r, 0);
                if (key == QLatin1String("TAnaform") || window.findChild<QObject*>(key))
                    continue;
                auto* control = new FakeControl(&window);
                control->setObjectName(key);
                const QString en = qz::rowField(r, 2);
                control->m_caption = en.isEmpty() ? qz::rowField(r, 1) : en;
            }
        }
        auto* tray = new FakeComponent(&window);
        tray->setObjectName(QStringLiteral("qzTrayIcon1"));
        tray->m_hint = QStringLiteral("qZ Duvodoro Ruruzovad");
        for (const char* name : {"qzStyledForm1", "httpClient1"})
            (new FakeComponent(&window))->setObjectName(QString::fromLatin1(name));
        combo = new FakeCombo(&window);
        combo->setObjectName(QStringLiteral("cmbDil"));
        lang = new TqzLang(&window);
        lang->loadProgramTable();
    }

    QString caption(const char* name) const {
        return window.findChild<QObject*>(QString::fromLatin1(name))
            ->property("Caption")
            .toString();
    }
    QObject* component(const char* name) const {
        return window.findChild<QObject*>(QString::fromLatin1(name));
    }

    TAnaform window;
    FakeCombo* combo = nullptr;
    TqzLang* lang = nullptr;
};

TEST_F(I18nProgramWindow, LoadsEnglishWithoutApplying) {
    EXPECT_EQ(lang->activeLanguage(), 2);
    EXPECT_EQ(lang->language(), "English");
    EXPECT_EQ(lang->langNames(), (QStringList{"Türkçe", "English"}));
    EXPECT_GE(lang->table().rowCount(), 122);
    QSignalSpy changed(lang, &TqzLang::OnChangeLanguage);
    lang->setActiveLanguage(2);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(caption("btnshutdown"), "Shutdown");
    EXPECT_FALSE(component("btnshutdown")->property(qz::kFontCharsetProperty).isValid());
}

TEST_F(I18nProgramWindow, SwitchesToTurkishAndBack) {
    QSignalSpy changed(lang, &TqzLang::OnChangeLanguage);
    lang->setActiveLanguage(1);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(lang->language(), "Türkçe");
    EXPECT_EQ(caption("btnshutdown"), "Kapat");
    EXPECT_EQ(caption("radioBostaKalma"), "Boşta Kalma Süresi");
    EXPECT_EQ(caption("qzLabel1"), "Dil");
    EXPECT_EQ(caption("lblBil"), "Bilgisayarınız ");
    EXPECT_EQ(caption("lblCaption"), "QZ Duvodoro Ruruzovad");
    EXPECT_EQ(window.windowTitle(), "QZ Duvodoro Ruruzovad");
    EXPECT_EQ(component("qzTrayIcon1")->property("Hint").toString(), "qZ Duvodoro Ruruzovad");
    EXPECT_EQ(lang->messageString("2"), "Belirttiğiniz tarih ,şuanki tarihten daha küçük olamaz");
    EXPECT_EQ(component("CloseButton")->property("Hint").toString(), "Kapat");

    for (const char* name : {"lblUrl", "lblBil", "lblTarih", "lblislem"})
        EXPECT_EQ(component(name)->property(qz::kFontCharsetProperty).toInt(), 0) << name;
    for (const char* name : {"btnshutdown", "qzTimeEdit1", "radiohergun"})
        EXPECT_EQ(component(name)->property(qz::kFontCharsetProperty).toInt(), 1) << name;
    EXPECT_EQ(window.property(qz::kFontCharsetProperty).toInt(), 1);
    EXPECT_EQ(component("qzTimeEdit1")->property("Font").value<QFont>().family(), "Tahoma");
    EXPECT_EQ(window.font().family(), "Tahoma");

    lang->setActiveLanguage(2);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(caption("btnshutdown"), "Shutdown");
    EXPECT_EQ(caption("lblBil"), "Computer");
    EXPECT_EQ(caption("lbltarihEn"), "Computer"); // empty English cell keeps the value
    EXPECT_EQ(caption("panelClient"), "panelClient");
    EXPECT_EQ(component("lblUrl")->property(qz::kFontCharsetProperty).toInt(), 1);
    EXPECT_EQ(combo->m_items->m_items.at(0)->m_caption, "Türkçe");
    EXPECT_EQ(combo->m_items->m_items.at(1)->m_caption, "English");
    EXPECT_EQ(component("qzStyledForm1")->property("StylesMenuCaption").toString(), "Styles");
    EXPECT_EQ(component("httpClient1")->property("UserAgent").toString(), "QZ URI Client/1.0");
    EXPECT_EQ(lang->messageString("2"),
              "The date you specified cannot be smaller than the current date");
    EXPECT_EQ(component("CloseButton")->property("Hint").toString(), "Close");
    // The clean-up removed nothing: 122 rows of the window and the message strings.
    EXPECT_EQ(lang->table().rowCount(),
              122 + lang->table().list(qz::TranslationTable::stStrings)->size());
}

TEST_F(I18nProgramWindow, RefusesInvalidLanguageNumbers) {
    for (int bad : {0, 3, -1}) {
        try {
            lang->setActiveLanguage(bad);
            ADD_FAILURE() << "no error for " << bad;
        } catch (const ELanguageError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("TAnaform: %1 - is not a valid property "
                                                  "value!\rValue must be within [1..2]!")
                                       .arg(bad));
        }
        EXPECT_EQ(lang->activeLanguage(), 2);
        EXPECT_EQ(lang->language(), "English");
    }
    EXPECT_THROW(lang->setLanguage(QStringLiteral("Deutsch")), ELanguageError);
    EXPECT_THROW(lang->setNumOfLanguages(0), ELanguageError);
    EXPECT_THROW(TqzLang second(&window), ELanguageError);
}

TEST_F(I18nProgramWindow, ChangingHandlerCanRefuse) {
    QObject::connect(lang, &TqzLang::OnLanguageChanging, [](int, bool* allow) { *allow = false; });
    lang->setActiveLanguage(1);
    EXPECT_EQ(lang->activeLanguage(), 2);
    EXPECT_EQ(caption("btnshutdown"), "Shutdown");
}

// A hand-made table on a small window: the clean-up, exclusions and the property rules.
class I18nSmallWindow : public ::testing::Test {
protected:
    void SetUp() override {
        label = new FakeControl(&window);
        label->setObjectName(QStringLiteral("lblOne"));
        label->m_caption = QStringLiteral("one");
        follower = new FakeControl(&window);
        follower->setObjectName(QStringLiteral("lblParent"));
        follower->m_parentFont = true;
        plain = new PlainWidget(&window);
        plain->setObjectName(QStringLiteral("plain"));
        combo = new FakeCombo(&window);
        combo->setObjectName(QStringLiteral("cmbDil"));
        lang = new TqzLang(&window);
    }

    void load(const QStringList& captions, const QStringList& fonts = {},
              const QStringList& charsets = {}, const QStringList& collections = {}) {
        TranslationTable table;
        *table.list(TranslationTable::stCaptions) = captions;
        *table.list(TranslationTable::stFonts) = fonts;
        *table.list(TranslationTable::stCharSets) = charsets;
        *table.list(TranslationTable::stCollections) = collections;
        lang->beginLoading();
        lang->setLangNames({QStringLiteral("Türkçe"), QStringLiteral("English")});
        lang->setActiveLanguage(2);
        lang->readTranslationData(table.write());
        lang->loaded();
    }

    TAnaform window;
    FakeControl* label = nullptr;
    FakeControl* follower = nullptr;
    PlainWidget* plain = nullptr;
    FakeCombo* combo = nullptr;
    TqzLang* lang = nullptr;
};

TEST_F(I18nSmallWindow, CleanUpDropsRowsThatCannotApply) {
    load({row("LBLONE", "bir", "one") + D + D, row("missing", "x", "y"), row("plain", "", ""),
          row("lblParent", "", "")},
         {}, {},
         {row("cmbDil.Items[0].Caption", "Türkçe!", ""), row("cmbDil.Items[5].Caption", "x", ""),
          row("cmbDil.Items[x].Caption", "x", ""), row("cmbDil.Items[1].Nope", "x", "")});
    lang->setActiveLanguage(1);
    EXPECT_EQ(label->m_caption, "bir"); // component names match whatever their case
    EXPECT_EQ(*lang->getPropListByType(TranslationTable::stCaptions),
              QStringList{row("LBLONE", "bir", "one")});
    EXPECT_EQ(*lang->getPropListByType(TranslationTable::stCollections),
              QStringList{row("cmbDil.Items[0].Caption", "Türkçe!", "")});
    EXPECT_EQ(combo->m_items->m_items.at(0)->m_caption, "Türkçe!");
}

TEST_F(I18nSmallWindow, FontsOnlyThroughDeclaredFontAndNotForParentFont) {
    plain->setFont(QFont(QStringLiteral("Courier")));
    follower->setFont(QFont(QStringLiteral("Courier")));
    load({},
         {row("TAnaform", "Tahoma", "Tahoma"), row("lblOne", "Tahoma", ""),
          row("plain", "Tahoma", ""), row("lblParent", "Tahoma", "")},
         {row("TAnaform", "TURKISH_CHARSET", ""), row("lblOne", "turkish_charset", ""),
          row("lblParent", "GREEK_CHARSET", "")});
    lang->setActiveLanguage(1);
    EXPECT_EQ(label->font().family(), "Tahoma");
    EXPECT_EQ(label->property(qz::kFontCharsetProperty).toInt(), 162); // rows match any case
    EXPECT_EQ(window.property(qz::kFontCharsetProperty).toInt(), 162);
    EXPECT_EQ(plain->font().family(), "Courier");
    EXPECT_EQ(follower->font().family(), "Courier");
    EXPECT_FALSE(follower->property(qz::kFontCharsetProperty).isValid());
}

TEST_F(I18nSmallWindow, ExclusionsAndDoNotTranslate) {
    lang->smartExcludeProps() = {QStringLiteral("lblParent.Caption")};
    lang->doNotTranslate() = {QStringLiteral("LBLONE")};
    load({row("lblOne", "bir", "one"), row("lblParent", "ana", "parent")});
    EXPECT_EQ(*lang->getPropListByType(TranslationTable::stCaptions),
              QStringList{row("lblOne", "bir", "one")});
    lang->setActiveLanguage(1);
    EXPECT_EQ(label->m_caption, "one");

    lang->excludedProperties().append(QStringLiteral("Caption"));
    lang->beginLoading();
    lang->loaded();
    EXPECT_TRUE(lang->getPropListByType(TranslationTable::stCaptions)->isEmpty());
}

TEST_F(I18nSmallWindow, MessageStringFollowsActiveLanguageWithoutFallback) {
    TranslationTable table;
    *table.list(TranslationTable::stStrings) = {row("1", "bir", "one"), row("7", "yedi", "")};
    lang->beginLoading();
    lang->setLangNames({QStringLiteral("Türkçe"), QStringLiteral("English")});
    lang->setActiveLanguage(2);
    lang->readTranslationData(table.write());
    lang->loaded();
    EXPECT_EQ(lang->messageString("1"), "one");
    EXPECT_EQ(lang->messageString("7"), "");
    EXPECT_EQ(lang->messageString("8"), "");
    lang->setActiveLanguage(1);
    EXPECT_EQ(lang->messageString("7"), "yedi");
}

TEST_F(I18nSmallWindow, OlderTabSeparatedTableIsUpgradedAtLoad) {
    TranslationTable table;
    *table.list(TranslationTable::stCaptions) = {QStringLiteral("lblOne\tbir\tone\t")};
    lang->beginLoading();
    lang->setLangNames({QStringLiteral("Türkçe"), QStringLiteral("English")});
    lang->setLangDelim(9);
    lang->setActiveLanguage(2);
    lang->readTranslationData(table.write());
    lang->loaded();
    EXPECT_EQ(lang->langDelim(), 1);
    EXPECT_EQ(*lang->getPropListByType(TranslationTable::stCaptions),
              QStringList{row("lblOne", "bir", "one")});
    lang->setActiveLanguage(1);
    EXPECT_EQ(label->m_caption, "bir");
}

// The stored "dil" itself is the settings store's to read (its scenarios cover it); the
// language without one is Turkish only for Turkish as used in Turkey.
TEST(I18nLanguageChoice, DefaultIsTurkishOnlyInTurkey) {
    const std::pair<const char*, int> cases[] = {
        {"tr_TR", 1}, {"en_US", 2}, {"de_DE", 2}, {"tr_CY", 2}, {"C", 2}};
    for (const auto& [locale, language] : cases)
        EXPECT_EQ(qz::defaultLanguage(QLocale(QString::fromLatin1(locale))), language) << locale;
}

} // namespace
