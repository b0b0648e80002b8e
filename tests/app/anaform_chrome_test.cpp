// The settings panel and the chrome around the schedule area.
#include "anaform_fixture.h"

#include "app/app_fonts.h"
#include "build_config.h"
#include "tray/qz_tray_icon.h"
#include "widgets/qz_circled_progress_bar.h"
#include "widgets/qz_image.h"
#include "widgets/qz_label.h"
#include "widgets/qz_split_view.h"
#include "widgets/qz_style.h"
#include "widgets/qz_switch.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

namespace qz::test {
namespace {

class ChromeTest : public AnaformTest {
protected:
    TqzSplitView* panel() { return child<TqzSplitView>("qzSplitView1"); }
    void openPanel() {
        panel()->setAnimation(false);
        window->btnUpdateClick();
        ASSERT_TRUE(panel()->opened());
    }
};

TEST_F(ChromeTest, WindowHasItsDesignedSizeAndTitle) {
    TAnaform& w = start();
    EXPECT_EQ(w.size(), QSize(547, 338));
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(w.windowTitle(), "QZ Duvodoro Ruruzovad");
    EXPECT_EQ(child<QWidget>("panelAna")->size(), QSize(543, 264));
    EXPECT_EQ(child<QWidget>("btnLock")->geometry(), QRect(457, 8, 66, 42));
    EXPECT_EQ(child<QWidget>("CloseButton")->geometry(), QRect(493, 0, 50, 33));
    EXPECT_EQ(child<QWidget>("btnUpdate")->geometry(), QRect(343, 0, 50, 33));
}

TEST_F(ChromeTest, IconAndLogoAreDrawn) {
    TAnaform& w = start();
    const QImage icon = w.windowIcon().pixmap(64).toImage();
    ASSERT_EQ(icon.size(), QSize(64, 64));
    EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0); // outside the rounded tile
    EXPECT_EQ(icon.pixelColor(6, 32), kBrandBlue);
    EXPECT_EQ(icon.pixelColor(32, 32), kAccentOrange); // the hand's hub

    const QImage logo = child<TqzImage>("qzImage1")->picture().toImage();
    EXPECT_EQ(logo.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(logo.pixelColor(logo.width() / 2, logo.height() / 2), kAccentOrange);
}

TEST_F(ChromeTest, SettingsButtonTogglesThePanel) {
    start();
    openPanel();
    window->btnUpdateClick();
    EXPECT_FALSE(panel()->opened());
}

class PanelClosingClick : public ChromeTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PanelClosingClick, ClosesTheSettingsPanel) {
    start();
    openPanel();
    QTest::mouseClick(child<QWidget>(GetParam()), Qt::LeftButton);
    EXPECT_FALSE(panel()->opened());
}

INSTANTIATE_TEST_SUITE_P(Controls, PanelClosingClick,
                         ::testing::Values("panelCenter", "qzPanel1", "panelBottom", "progress",
                                           "qzImage1", "lblCaption", "lblBil", "lblislem",
                                           "btnrestart", "radioBostaKalma",
                                           "TimeeditSuandanitibaren", "btnStartStop"));

class PanelKeepingClick : public ChromeTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PanelKeepingClick, LeavesTheSettingsPanelOpen) {
    start();
    openPanel();
    QTest::mouseClick(child<QWidget>(GetParam()), Qt::LeftButton);
    EXPECT_TRUE(panel()->opened());
}

INSTANTIATE_TEST_SUITE_P(Controls, PanelKeepingClick,
                         ::testing::Values("qzSplitView1", "qzListGroupPanel1", "qzLabel5",
                                           "swBildirim"));

TEST_F(ChromeTest, UrlClickOpensTheMakersAddressAndClosesThePanel) {
    start();
    openPanel();
    QTest::mouseClick(child<QWidget>("lblUrl"), Qt::LeftButton);
    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_EQ(openedUrls[0], QUrl(QString::fromUtf8(build::kMakerUrl)));
    EXPECT_FALSE(panel()->opened());
}

TEST_F(ChromeTest, TrayAndMinimiseButtonsCloseThePanelAndMinimise) {
    TAnaform& w = start();
    openPanel();
    w.trayIcon()->setHideOnMinimize(false);
    QTest::mouseClick(child<QWidget>("qzGlyphButton1"), Qt::LeftButton);
    EXPECT_FALSE(panel()->opened());
    EXPECT_TRUE(w.trayIcon()->hideOnMinimize());
    EXPECT_TRUE(w.isMinimized() || w.isHidden());

    w.showNormal();
    openPanel();
    QTest::mouseClick(child<QWidget>("MinButton"), Qt::LeftButton);
    EXPECT_FALSE(panel()->opened());
    EXPECT_TRUE(w.isMinimized());
}

TEST_F(ChromeTest, StayOnTopSwitchKeepsTheWindowAndSavesEachTime) {
    TAnaform& w = start();
    auto* sw = child<TqzSwitch>("swUstte");
    const QPoint where = w.pos();
    for (bool on : {true, false, true}) {
        sw->setOn(on);
        EXPECT_EQ(w.stayOnTop(), on);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.pos(), where);
        EXPECT_EQ(stored("swUstte"), on ? "1" : "0");
    }
}

TEST_F(ChromeTest, NotificationSwitchRunsTheReminderTimer) {
    TAnaform& w = start();
    auto* sw = child<TqzSwitch>("swBildirim");
    sw->setOn(true);
    EXPECT_TRUE(w.task().remindersEnabled());
    sw->setOn(false);
    EXPECT_FALSE(w.task().remindersEnabled());
    EXPECT_EQ(stored("swBildirim"), "0");
}

TEST_F(ChromeTest, OnlyTheTitleLabelDragsTheWindow) {
    start();
    EXPECT_TRUE(child<TqzLabel>("lblCaption")->dragForm());
    for (const char* name : {"lblUrl", "lblBil", "qzLabel1"})
        EXPECT_FALSE(child<TqzLabel>(name)->dragForm()) << name;
}

TEST_F(ChromeTest, UpdateStepsShowTheRingInThePanelAndLeaveTheSwitchAlone) {
    store("swUstte", "1");
    TAnaform& w = start();
    panel()->setAnimation(false);
    auto* ring = child<TqzCircledProgressBar>("qzProgressbar1");
    EXPECT_TRUE(ring->isHidden());

    w.stopStayingOnTop();
    EXPECT_FALSE(w.stayOnTop());
    EXPECT_TRUE(child<TqzSwitch>("swUstte")->isOn());
    w.showUpdateRing();
    EXPECT_TRUE(panel()->opened());
    EXPECT_TRUE(ring->isVisibleTo(&w));
    w.setUpdateRingCaption(w.messageString("4"));
    EXPECT_EQ(ring->caption(), "Updating...");
    // Sizes beyond the ring's int range still show the right share.
    w.setUpdateRingProgress(3'000'000'000LL, 6'000'000'000LL);
    EXPECT_NEAR(double(ring->value()) / ring->maxValue(), 0.5, 1e-6);

    prompts->answer = true;
    EXPECT_TRUE(w.askYesNo(w.messageString("6")));
    EXPECT_EQ(prompts->questions.back().title, "ZE Zivuzoziz");
    w.hideUpdateRing();
    EXPECT_FALSE(panel()->opened());
    EXPECT_TRUE(ring->isHidden());
}

TEST(AppFonts, WinesTahomaKeepsTheCaptionsInTheRoomTheLayoutGivesThem) {
    const QString folder = QString::fromUtf8(kTahomaFolder);
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        GTEST_SKIP() << "the system has a Tahoma of its own";
    if (!QFileInfo::exists(folder + QStringLiteral("/tahoma.ttf")))
        GTEST_SKIP() << "no Tahoma in " << kTahomaFolder;
    EXPECT_EQ(registerTahomaFaces(folder), tahomaFaceFiles().size());
    EXPECT_EQ(registerTahomaFaces(folder), 0); // there now: not again
    auto tahoma = [](int pixels, bool bold) {
        QFont f(QStringLiteral("Tahoma"));
        f.setPixelSize(pixels);
        f.setBold(bold);
        return f;
    };
    EXPECT_EQ(QFontInfo(tahoma(11, true)).family(), "Tahoma");
    if (tahomaFaceFiles().size() == 1) {
        // Bold emboldened from the regular outlines, so words keep the regular advances
        // instead of the bold file's wide, uneven ones ("https:/ /www").
        const QString link = QStringLiteral("https://www.qz-software.example");
        EXPECT_LE(QFontMetrics(tahoma(11, true)).horizontalAdvance(link),
                  QFontMetrics(tahoma(11, false)).horizontalAdvance(link) + 2);
    }
    // Each caption within its room: the ring's text area, a radio's text before the field
    // beside it, an action button inside its frame.
    const struct {
        const char* text;
        int pixels;
        int room;
    } captions[] = {
        {"Remaining Time", 11, 93},      {"Kalan Süre", 11, 93},
        {"Şu andan itibaren", 13, 130},  {"Belirtilen Saatte", 13, 130},
        {"Boşta Kalma Süresi", 13, 130}, {"Specified Time", 13, 130},
        {"Yeniden Başlat", 11, 90},      {"Hazırda Beklet", 11, 90},
        {"Oturumu Kapat", 11, 92},       {"Uyku Modu", 11, 71},
        {"Start Progress", 11, 110},
    };
    for (const auto& c : captions)
        EXPECT_LE(QFontMetrics(tahoma(c.pixels, true)).horizontalAdvance(QString::fromUtf8(c.text)),
                  c.room)
            << c.text;
    EXPECT_EQ(registerTahomaFaces(QStringLiteral("/nonexistent")), 0);
}

} // namespace
} // namespace qz::test
