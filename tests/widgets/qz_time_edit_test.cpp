#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "widgets/qz_style.h"
#include "widgets/qz_time_edit.h"

// Readable failure messages for Qt values.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

class TimeEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        edit.resize(120, 26);
        edit.show();
        edit.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    }

    void at(const char* text, int caret) {
        edit.setTime(QString::fromLatin1(text));
        edit.setCaretPosition(caret);
    }

    TqzTimeEdit edit;
};

TEST_F(TimeEditTest, TypingOnlyTakesDigitsThatKeepAValidTime) {
    at("09:30", 0);
    QSignalSpy changes(&edit, &TqzTimeEdit::OnChange);
    QTest::keyClick(&edit, Qt::Key_3);
    EXPECT_EQ(edit.time(), "09:30");
    EXPECT_EQ(changes.count(), 0);
    QTest::keyClick(&edit, Qt::Key_1);
    EXPECT_EQ(edit.time(), "19:30");
    EXPECT_EQ(edit.caretPosition(), 1);
    EXPECT_EQ(changes.count(), 1);

    QTest::keyClicks(&edit, "x5"); // letters are dropped, the caret then hops ':'
    EXPECT_EQ(edit.time(), "15:30");
    EXPECT_EQ(edit.caretPosition(), 3);
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(TimeEditTest, TwentyFourHundredTypesReadsAs2300AndStepsTo0000) {
    at("20:00", 1);
    QTest::keyClick(&edit, Qt::Key_4);
    EXPECT_EQ(edit.time(), "24:00");
    EXPECT_EQ(edit.timeValue(), QTime(23, 0));
    EXPECT_DOUBLE_EQ(edit.dayFraction(), 23.0 / 24.0);
    edit.setCaretPosition(0);
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.time(), "00:00");
}

TEST_F(TimeEditTest, PasteTypesTheDigitsUnderTheSameRules) {
    at("00:00", 0);
    QApplication::clipboard()->setText("17:45");
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.time(), "17:45");
    at("00:00", 0);
    QApplication::clipboard()->setText("9");
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.time(), "00:00"); // 90 hours: dropped
}

TEST_F(TimeEditTest, BackspaceBlanksADigitThatReadsAsZero) {
    at("12:34", 5);
    QSignalSpy changes(&edit, &TqzTimeEdit::OnChange);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.time(), "12:3 ");
    EXPECT_EQ(edit.timeValue(), QTime(12, 30));
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(TimeEditTest, KeysAndWheelStepThePartAtTheCaretWithoutCarry) {
    at("10:59", 4);
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.time(), "10:00");
    EXPECT_EQ(edit.caretPosition(), 4);

    at("00:15", 1);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.time(), "23:15");

    at("08:00", 0);
    const QPointF where(20, 13);
    QWheelEvent away(where, edit.mapToGlobal(where), QPoint(), QPoint(0, 120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&edit, &away);
    EXPECT_EQ(edit.time(), "09:00");
    QWheelEvent towards(where, edit.mapToGlobal(where), QPoint(), QPoint(0, -120), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&edit, &towards);
    QApplication::sendEvent(&edit, &towards);
    EXPECT_EQ(edit.time(), "07:00");
}

TEST_F(TimeEditTest, ArrowButtonsStepTakeFocusAndRepeatWhileHeld) {
    at("05:58", 4);
    edit.clearFocus();
    QSignalSpy changes(&edit, &TqzTimeEdit::OnChange);
    QTest::mouseClick(&edit, Qt::LeftButton, {}, edit.upButtonRect().center());
    EXPECT_EQ(edit.time(), "05:59");
    EXPECT_TRUE(edit.hasFocus());
    EXPECT_EQ(edit.caretPosition(), 4);
    QTest::mouseClick(&edit, Qt::LeftButton, {}, edit.downButtonRect().center());
    EXPECT_EQ(edit.time(), "05:58");

    // Held: one step at once, then one at every tick of the 100 ms repeat.
    changes.clear();
    QTest::mousePress(&edit, Qt::LeftButton, {}, edit.upButtonRect().center());
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(edit.isRepeating());
    QTRY_VERIFY_WITH_TIMEOUT(changes.count() >= 2, 2000); // the repeat runs by itself
    while (changes.count() < 6)
        edit.repeatTick();
    QTest::mouseRelease(&edit, Qt::LeftButton, {}, edit.upButtonRect().center());
    // 58 -> 59 -> 00 -> 01 -> 02 -> 03 -> 04 without touching the hours.
    EXPECT_EQ(edit.timeValue(), QTime(5, 4));
    EXPECT_FALSE(edit.isRepeating());
    edit.repeatTick(); // a tick already queued finds nothing held
    EXPECT_EQ(changes.count(), 6);
}

TEST_F(TimeEditTest, WritingRaisesOnChangeOnlyForARealChange) {
    at("07:05", 0);
    QSignalSpy changes(&edit, &TqzTimeEdit::OnChange);
    edit.setTime("07:05");
    edit.setTimeValue(QTime(7, 5));
    EXPECT_EQ(changes.count(), 0);

    const struct {
        const char* in;
        const char* shown;
    } writes[] = {{" 7: 5", "07:05"}, {"", "00:00"}, {"ab:30", "00:00"}, {"99:99", "99:99"}};
    for (const auto& w : writes) {
        edit.setTime(QString::fromLatin1(w.in));
        EXPECT_EQ(edit.time(), QString::fromLatin1(w.shown)) << w.in;
    }
    EXPECT_EQ(changes.count(), 2); // "" and "99:99"; the others showed the same text
    EXPECT_EQ(edit.timeValue(), QTime(23, 59));

    edit.setTimeValue(QTime(14, 45, 30));
    EXPECT_EQ(edit.time(), "14:45");
    EXPECT_EQ(edit.property("Time").toString(), "14:45");
    EXPECT_TRUE(edit.setProperty("TimeValue", QTime(6, 7)));
    EXPECT_EQ(edit.time(), "06:07");
}

TEST_F(TimeEditTest, ClickRaisesOnClick) {
    QSignalSpy clicks(&edit, &TqzTimeEdit::OnClick);
    QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(20, 13));
    EXPECT_EQ(clicks.count(), 1);
}

int distance(QColor a, QColor b) {
    return qMax(qAbs(a.red() - b.red()),
                qMax(qAbs(a.green() - b.green()), qAbs(a.blue() - b.blue())));
}

TEST_F(TimeEditTest, PaintsItsBrandFrameOpaqueWhenFocusedAndFadedWhenDisabled) {
    ASSERT_EQ(edit.devicePixelRatio(), 1.0);
    edit.clearFocus();
    QEvent leave(QEvent::Leave); // the offscreen pointer rests on the field
    QApplication::sendEvent(&edit, &leave);
    QImage shot = edit.grab().toImage();
    // Top edge in the middle: a faint brand-blue frame, 1 px.
    EXPECT_GT(distance(shot.pixelColor(60, 0), qz::kBrandBlue), 40);
    EXPECT_GT(distance(shot.pixelColor(60, 0), qz::kFocusColour), 60);

    // With the focus, even once the keyboard is used, the same 1 px frame turns opaque:
    // no focus mark of another colour or width.
    edit.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(edit.hasFocus());
    QTest::keyClick(&edit, Qt::Key_Shift);
    shot = edit.grab().toImage();
    EXPECT_LE(distance(shot.pixelColor(60, 0), qz::kBrandBlue), 12);
    EXPECT_LE(distance(shot.pixelColor(60, 1), edit.palette().color(QPalette::Base)), 6);
    EXPECT_LE(distance(shot.pixelColor(60, 3), edit.palette().color(QPalette::Base)), 6);
    // The up arrow glyph is dark on the fill.
    const QPoint glyph = edit.upButtonRect().center() + QPoint(0, 1);
    EXPECT_LT(shot.pixelColor(glyph).lightness(), 160);

    edit.setEnabled(false);
    shot = edit.grab().toImage();
    EXPECT_GT(distance(shot.pixelColor(60, 0), qz::kBrandBlue), 60);
    // The corner lies outside the rounded shape: the background shows through.
    EXPECT_LE(distance(shot.pixelColor(0, 0), edit.palette().color(QPalette::Window)), 12);
}

} // namespace
