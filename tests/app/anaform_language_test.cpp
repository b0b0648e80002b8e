// The language at start, switching it from the settings panel, and the message strings.
#include "anaform_fixture.h"

#include "i18n/qz_lang.h"
#include "widgets/qz_button.h"
#include "widgets/qz_circled_progress_bar.h"
#include "widgets/qz_combo_box.h"
#include "widgets/qz_glyph_button.h"
#include "widgets/qz_label.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_time_edit.h"

namespace qz::test {
namespace {

class LanguageTest : public AnaformTest {
protected:
    QString caption(const char* name) { return child<StyledControl>(name)->caption(); }
    int charset(const char* name) {
        return child<QObject>(name)->property(kFontCharsetProperty).toInt();
    }
    void pick(int index) { child<TqzComboBox>("cmbDil")->setItemIndex(index); }
};

struct StartCase {
    const char* dil; // nullptr: nothing stored
    const char* system;
    int language;
};

class StartLanguage : public LanguageTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartLanguage, ComesFromTheStoredTextOrTheSystem) {
    if (GetParam().dil)
        store("dil", GetParam().dil);
    systemLocale = QString::fromLatin1(GetParam().system);
    TAnaform& w = start();
    EXPECT_EQ(w.activeLanguage(), GetParam().language);
    EXPECT_EQ(child<TqzComboBox>("cmbDil")->itemIndex(), GetParam().language - 1);
    EXPECT_EQ(caption("btnshutdown"), GetParam().language == 1 ? "Kapat" : "Shutdown");
}

INSTANTIATE_TEST_SUITE_P(Choices, StartLanguage,
                         ::testing::Values(StartCase{nullptr, "tr_TR", 1},
                                           StartCase{nullptr, "de_DE", 2},
                                           StartCase{nullptr, "tr_CY", 2},
                                           StartCase{"2", "tr_TR", 2}, StartCase{"1", "en_US", 1},
                                           StartCase{"01", "tr_TR", 1},
                                           StartCase{"3", "en_US", 2}));

TEST_F(LanguageTest, SwitchingBothWaysRewritesCaptionsFontsAndTheDescription) {
    TAnaform& w = start();
    pick(0);
    EXPECT_EQ(w.activeLanguage(), 1);
    EXPECT_EQ(caption("btnshutdown"), "Kapat");
    EXPECT_EQ(caption("radioBostaKalma"), "Boşta Kalma Süresi");
    EXPECT_EQ(caption("qzLabel1"), "Dil");
    EXPECT_EQ(caption("lblCaption"), "QZ Duvodoro Ruruzovad");
    EXPECT_EQ(w.windowTitle(), "QZ Duvodoro Ruruzovad");
    EXPECT_EQ(child<QWidget>("btnshutdown")->font().family(), "Tahoma");
    EXPECT_EQ(charset("lblBil"), 0);
    EXPECT_EQ(charset("btnshutdown"), 1);
    // The description in Turkish order: subject, time, verb.
    EXPECT_EQ(caption("lblBil"), "Bilgisayarınız ");
    EXPECT_TRUE(child<QWidget>("lblTarih")->isVisibleTo(&w));
    EXPECT_FALSE(child<QWidget>("lbltarihEn")->isVisibleTo(&w));
    EXPECT_EQ(caption("lblTarih"), "30 Dakika ");
    EXPECT_EQ(caption("lblislem"), " sonra kapatılacaktır.");
    EXPECT_LT(child<QWidget>("lblTarih")->x(), child<QWidget>("lblislem")->x());

    pick(1);
    EXPECT_EQ(w.activeLanguage(), 2);
    EXPECT_EQ(caption("btnshutdown"), "Shutdown");
    EXPECT_EQ(caption("qzLabel1"), "Lang.");
    EXPECT_EQ(charset("lblBil"), 1);
    EXPECT_EQ(caption("lblBil"), "Your computer ");
    EXPECT_FALSE(child<QWidget>("lblTarih")->isVisibleTo(&w));
    EXPECT_EQ(caption("lbltarihEn"), "30 Minutes ");
    EXPECT_LT(child<QWidget>("lblislem")->x(), child<QWidget>("lbltarihEn")->x());
    // The language list keeps its own names in both languages.
    EXPECT_EQ(child<TqzComboBox>("cmbDil")->items()->at(0)->caption(), "Türkçe");
}

TEST_F(LanguageTest, ArmedTaskKeepsItsStopCaptionAcrossASwitch) {
    TAnaform& w = start();
    w.btnStartStopClick();
    pick(0);
    EXPECT_EQ(caption("btnStartStop"), "Görevi Durdur");
    EXPECT_TRUE(caption("progress").startsWith("Kalan Süre\r"));
    pick(1);
    EXPECT_EQ(caption("btnStartStop"), "Stop Progress");
    w.btnStartStopClick();
    EXPECT_EQ(caption("btnStartStop"), "Start Progress");
    EXPECT_EQ(caption("progress"), "Remaining Time");
}

TEST_F(LanguageTest, InvalidLanguageNumberIsRefusedWithItsText) {
    TAnaform& w = start();
    for (int invalid : {0, 3}) {
        try {
            w.lang()->setActiveLanguage(invalid);
            ADD_FAILURE() << invalid << " was accepted";
        } catch (const ELanguageError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("TAnaform: %1 - is not a valid property "
                                                  "value!\rValue must be within [1..2]!")
                                       .arg(invalid));
        }
        EXPECT_EQ(w.activeLanguage(), 2);
        EXPECT_EQ(caption("btnshutdown"), "Shutdown");
    }
}

TEST_F(LanguageTest, MessageStringsFollowTheActiveLanguage) {
    TAnaform& w = start();
    EXPECT_EQ(w.messageString("1"), "There is a new version of app. Do you want to update now");
    pick(0);
    EXPECT_EQ(w.messageString("2"), "Belirttiğiniz tarih ,şuanki tarihten daha küçük olamaz");
    EXPECT_EQ(w.messageString("99"), "");
}

} // namespace
} // namespace qz::test
