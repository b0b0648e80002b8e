#include "widget_test_support.h"
#include "widgets/qz_circled_progress_bar.h"
#include "widgets/qz_style.h"
#include "widgets/ring_geometry.h"
#include "widgets/text_fit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using qz::test::near;
using qz::test::render;

TEST(RingPercent, RoundsHalvesToEven) {
    struct Case {
        int value, max;
        float sweep;
        int percent;
    } cases[] = {
        {1, 8, 45.0f, 12},  // 12.5 -> 12
        {3, 8, 135.0f, 38}, // 37.5 -> 38
        {1, 3, 120.0f, 33}, // 33.3
        {5, 8, 225.0f, 62}, // 62.5 -> 62
        {0, 100, 0.0f, 0},  // empty ring
        {100, 100, 360.0f, 100},
    };
    for (const Case& c : cases) {
        const float sweep = qz::ringSweep(c.value, 0, c.max);
        EXPECT_FLOAT_EQ(sweep, c.sweep) << c.value << "/" << c.max;
        EXPECT_EQ(qz::ringPercent(sweep), c.percent) << c.value << "/" << c.max;
    }
}

TEST(RingPercent, EmptyAndReversedRangesStayWithinAFullRing) {
    EXPECT_FLOAT_EQ(qz::ringSweep(7, 7, 7), 360.0f);
    EXPECT_EQ(qz::ringPercent(qz::ringSweep(0, 0, 0)), 100);
    // With min above max a stray value must not sweep backwards or past a full turn.
    EXPECT_FLOAT_EQ(qz::ringSweep(-20, 20, 0), 360.0f);
    EXPECT_FLOAT_EQ(qz::ringSweep(25, 20, 0), 0.0f);
}

TEST(RingLayout, TextAreaAndPercentStripOfTheRemainingTimeRing) {
    const qz::RingLayout layout = qz::ringLayout(133, 8, 19, true, true);
    EXPECT_EQ(layout.circle, QRectF(4, 4, 125, 125));
    EXPECT_EQ(layout.textArea, QRect(20, 20, 93, 93));
    EXPECT_EQ(layout.percentArea, QRect(20, 94, 93, 19));
    EXPECT_EQ(layout.captionArea, QRect(20, 20, 93, 74));
    const qz::RingLayout figureOnly = qz::ringLayout(133, 8, 19, false, true);
    EXPECT_EQ(figureOnly.percentArea, figureOnly.textArea);
    EXPECT_TRUE(figureOnly.captionArea.isEmpty());
}

// Ten pixels per character, so the expectations are easy to read.
int tenPerChar(const QString& s) {
    return static_cast<int>(s.size()) * 10;
}

TEST(TextFit, BreaksAtEveryLineBreakKindAndWrapsAtBlanks) {
    EXPECT_EQ(qz::wrapText("A\rB\nC\r\nD", 100, tenPerChar), QStringList({"A", "B", "C", "D"}));
    EXPECT_EQ(qz::wrapText("Remaining Time\r29 Minutes 59 Seconds", 150, tenPerChar),
              QStringList({"Remaining Time", "29 Minutes 59", "Seconds"}));
    EXPECT_EQ(qz::wrapText("abcdefghij", 50, tenPerChar), QStringList({"abcdefghij"}));
}

TEST(TextFit, ShortensWithDotsWhenTooWideOrTooHigh) {
    struct Case {
        QString text;
        int width, height;
        QStringList lines;
    } cases[] = {
        {"Remaining Time\r29 Minutes", 150, 20, {"Remaining Time", "29 Minutes"}},
        {"abcdefghij", 60, 10, {"abc..."}},
        {"abcdefghij", 30, 10, {"..."}},
        {"aaaa bbbb cccc", 50, 20, {"aaaa", "bb..."}},
        {"ab", 50, 3, {"ab"}}, // a box lower than a line still takes one line
    };
    for (const Case& c : cases)
        EXPECT_EQ(qz::fitText(c.text, c.width, c.height, 10, tenPerChar), c.lines)
            << c.text.toStdString();
    EXPECT_EQ(qz::centredBlockTop(QRect(20, 20, 93, 74), 3, 13), 20 + 37 - 19);
}

class RingWidget : public ::testing::Test {
protected:
    void SetUp() override {
        ring.resize(133, 133);
        ring.setFrameSize(8);
        ring.setFrameColor(qz::kAccentOrange);
        ring.setFrameAlpha(255);
        ring.setProgressColor(qz::kBrandBlue);
        ring.setShowCaption(true);
        ring.setCaption("Remaining Time");
    }
    TqzCircledProgressBar ring;
};

TEST_F(RingWidget, ValueClampsAndFollowsTheRange) {
    ring.setValue(150);
    EXPECT_EQ(ring.value(), 100);
    EXPECT_EQ(ring.progressText(), "100%");
    ring.setValue(-5);
    EXPECT_EQ(ring.value(), 0);
    EXPECT_EQ(ring.progressText(), "0%");
    ring.setValue(80);
    ring.setMaxValue(50); // lowering the maximum pulls the value down: a full ring
    EXPECT_EQ(ring.value(), 50);
    EXPECT_EQ(ring.progressText(), "100%");
    ring.setMinValue(60); // raising the minimum above the value pushes it up
    EXPECT_EQ(ring.value(), 60);
    ring.setMinValue(0);
    ring.setMaxValue(8);
    ring.setValue(3);
    EXPECT_EQ(ring.progressText(), "38%");
}

TEST_F(RingWidget, RepaintsOnlyOnAnEffectiveChange) {
    ring.setValue(40);
    const int before = ring.repaintRequests();
    ring.setValue(40);
    ring.setValue(400); // clamps to 100: a change
    ring.setValue(100); // same stored value again
    EXPECT_EQ(ring.repaintRequests(), before + 1);
    ring.setShowCaption(false);
    const int hidden = ring.repaintRequests();
    ring.setCaption("Application updating"); // not drawn, so no repaint
    EXPECT_EQ(ring.repaintRequests(), hidden);
}

TEST_F(RingWidget, StaysSquareWithTheHeightAsSide) {
    ring.show();
    ring.resize(200, 108);
    QApplication::processEvents();
    EXPECT_EQ(ring.size(), QSize(108, 108));
}

TEST_F(RingWidget, ArcFromTheTopOverTheTrack) {
    ring.setValue(25); // a quarter: top to three o'clock
    const QImage image = render(&ring);
    // Just clockwise of twelve o'clock is arc, just anticlockwise is track.
    const QColor top = image.pixelColor(69, 4);
    EXPECT_TRUE(near(image.pixelColor(63, 4), qz::kAccentOrange));
    const QColor right = image.pixelColor(66 + std::lround(62.5 * std::sin(M_PI / 4)),
                                          66 - std::lround(62.5 * std::cos(M_PI / 4)));
    EXPECT_TRUE(near(top, qz::kBrandBlue)) << top.name().toStdString();
    EXPECT_TRUE(near(right, qz::kBrandBlue)) << right.name().toStdString();
    EXPECT_TRUE(near(image.pixelColor(66, 128), qz::kAccentOrange));
    EXPECT_TRUE(near(image.pixelColor(4, 66), qz::kAccentOrange));
    EXPECT_EQ(image.pixelColor(66, 66).alpha(), 0) << "the centre is left to the parent";
}

TEST_F(RingWidget, TrackAlphaAndEmptyRange) {
    ring.setFrameColor(Qt::black);
    ring.setFrameAlpha(125);
    ring.setValue(0);
    const QImage track = render(&ring);
    EXPECT_NEAR(track.pixelColor(66, 4).alpha(), 125, 6);
    ring.setMinValue(5);
    ring.setMaxValue(5);
    EXPECT_EQ(ring.progressText(), "100%");
    const QImage full = render(&ring);
    EXPECT_TRUE(near(full.pixelColor(66, 128), qz::kBrandBlue));
}

TEST(RingProperties, TranslationNamesAreProperties) {
    TqzCircledProgressBar ring;
    ASSERT_TRUE(ring.setProperty("Caption", QStringLiteral("Kalan Süre")));
    EXPECT_EQ(ring.caption(), QStringLiteral("Kalan Süre"));
    QFont bold("Tahoma");
    bold.setPixelSize(11);
    ASSERT_TRUE(ring.setProperty("Font", bold));
    EXPECT_EQ(ring.font().pixelSize(), 11);
    ASSERT_TRUE(ring.setProperty("Hint", QStringLiteral("tip")));
    EXPECT_EQ(ring.toolTip(), "tip");
    EXPECT_TRUE(ring.setProperty("Value", 30));
    EXPECT_EQ(ring.value(), 30);
}

} // namespace
