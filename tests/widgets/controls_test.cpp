#include "widget_test_support.h"
#include "widgets/qz_button.h"
#include "widgets/qz_combo_box.h"
#include "widgets/qz_glyph_button.h"
#include "widgets/qz_image.h"
#include "widgets/qz_label.h"
#include "widgets/qz_list_group_panel.h"
#include "widgets/qz_panel.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_style.h"

#include <QKeyEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace qz::test;

class ButtonGroupTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 3; ++i) {
            auto* b = new TqzButton(&parent);
            b->setGroupIndex(1);
            b->setGeometry(i * 90, 0, 90, 42);
            buttons[i] = b;
            spies[i] = std::make_unique<QSignalSpy>(b, &TqzButton::OnClick);
        }
        buttons[0]->setDown(true);
        spies[0]->clear();
    }
    QWidget parent;
    TqzButton* buttons[3] = {};
    std::unique_ptr<QSignalSpy> spies[3];
};

TEST_F(ButtonGroupTest, PressingAnUpButtonTakesOverAtThePress) {
    press(buttons[2], {10, 10});
    EXPECT_TRUE(buttons[2]->isDown());
    EXPECT_FALSE(buttons[0]->isDown());
    EXPECT_EQ(spies[2]->count(), 1) << "raised at the press, before any release";
    release(buttons[2], {10, 10});
    EXPECT_EQ(spies[2]->count(), 1);
}

TEST_F(ButtonGroupTest, PressingTheDownButtonOrReleasingItFromCodeDoesNothing) {
    click(buttons[0], {10, 10});
    buttons[0]->setDown(false);
    EXPECT_TRUE(buttons[0]->isDown());
    EXPECT_EQ(spies[0]->count(), 0);
}

TEST_F(ButtonGroupTest, DownFromCodeRaisesTheClickAndReleasesTheOthers) {
    buttons[1]->setDown(true);
    EXPECT_EQ(spies[1]->count(), 1);
    EXPECT_FALSE(buttons[0]->isDown());
    buttons[1]->setDown(true);
    EXPECT_EQ(spies[1]->count(), 1);
    buttons[0]->setEnabled(false);
    click(buttons[0], {10, 10}); // disabled: ignored
    EXPECT_TRUE(buttons[1]->isDown());
}

TEST(RadioButtons, ClickChecksAndRaisesCodeChecksSilently) {
    QWidget parent;
    TqzRadioButton a(&parent), b(&parent);
    a.resize(168, 35);
    b.resize(168, 35);
    QSignalSpy spyA(&a, &TqzRadioButton::OnClick), spyB(&b, &TqzRadioButton::OnClick);
    a.setChecked(true);
    EXPECT_EQ(spyA.count(), 0);
    click(&b, {10, 10});
    EXPECT_TRUE(b.isChecked());
    EXPECT_FALSE(a.isChecked());
    EXPECT_EQ(spyB.count(), 1);
    click(&b, {10, 10}); // already checked: nothing
    EXPECT_EQ(spyB.count(), 1);
    a.setChecked(true);
    EXPECT_FALSE(b.isChecked());
    EXPECT_EQ(spyA.count(), 0);
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(&b, &space);
    EXPECT_TRUE(b.isChecked());
    EXPECT_EQ(spyB.count(), 2);
}

TEST(GlyphButton, ClicksOnlyWhenReleasedInsideAndTakesNoFocus) {
    TqzGlyphButton button;
    button.resize(50, 33);
    button.setTitleBarLook();
    QSignalSpy spy(&button, &TqzGlyphButton::OnClick);
    EXPECT_EQ(button.focusPolicy(), Qt::NoFocus);
    press(&button, {10, 10});
    EXPECT_TRUE(button.isPressed());
    EXPECT_TRUE(near(button.currentFill(), QColor(0, 0, 0, 50), 0));
    release(&button, {80, 10});
    EXPECT_EQ(spy.count(), 0);
    click(&button, {10, 10});
    EXPECT_EQ(spy.count(), 1);
}

TEST(GlyphButton, HoverFillFadesInAndGlyphBrightens) {
    TqzGlyphButton button;
    button.resize(50, 33);
    button.setTitleBarLook();
    EXPECT_EQ(button.currentFill().alpha(), 0);
    EXPECT_EQ(button.currentGlyphAlpha(), 200);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    EXPECT_LT(button.hoverLevel(), 1.0) << "the fill fades in rather than jumping";
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    button.setAnimation(false); // the end of the fade, without waiting for it
    QApplication::sendEvent(&button, &enter);
    EXPECT_DOUBLE_EQ(button.hoverLevel(), 1.0);
    EXPECT_TRUE(near(button.currentFill(), QColor(255, 255, 255, 30), 0));
    EXPECT_EQ(button.currentGlyphAlpha(), 255);
    const QImage image = render(&button);
    EXPECT_TRUE(near(image.pixelColor(2, 2), QColor(255, 255, 255, 30), 2));

    button.setCloseLook();
    EXPECT_TRUE(near(button.currentFill(), QColor(255, 0, 0, 220), 0));
}

TEST(GlyphButton, SolidLookFillsWithTheColour) {
    TqzGlyphButton button;
    button.resize(125, 33);
    button.setGlyphKind(TqzGlyphButton::qzbgkOk);
    button.setCaption("Start Progress");
    button.setSolidLook(qz::kAccentOrange);
    const QImage image = render(&button);
    EXPECT_TRUE(near(image.pixelColor(2, 2), qz::kAccentOrange, 2));
    // One colour under the mouse and pressed as well: the colour tells armed from idle.
    button.setAnimation(false);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    EXPECT_TRUE(near(button.currentFill(), qz::kAccentOrange, 0));
    press(&button, {10, 10});
    EXPECT_TRUE(near(button.currentFill(), qz::kAccentOrange, 0));
    release(&button, {10, 10});
    EXPECT_TRUE(button.setProperty("GlyphKind", QVariant::fromValue(TqzGlyphButton::qzbgkCancel)));
    EXPECT_EQ(button.glyphKind(), TqzGlyphButton::qzbgkCancel);
}

TEST(ComboBox, ItemsAreReachableByNameAndCodeSelectionAlwaysRaises) {
    TqzComboBox combo;
    combo.items()->setCaptions({QStringLiteral("Türkçe"), QStringLiteral("English")});
    EXPECT_EQ(combo.itemIndex(), -1);
    auto* items = combo.property("Items").value<QObject*>();
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->property("Count").toInt(), 2);
    QObject* first = nullptr;
    ASSERT_TRUE(
        QMetaObject::invokeMethod(items, "item", Q_RETURN_ARG(QObject*, first), Q_ARG(int, 0)));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->setProperty("Caption", QStringLiteral("Turkish")));
    EXPECT_EQ(combo.items()->at(0)->caption(), "Turkish");
    EXPECT_EQ(items->children().size(), 2);

    QSignalSpy spy(&combo, &TqzComboBox::OnChange);
    combo.setItemIndex(1);
    combo.setItemIndex(1);
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(combo.text(), "English");
    combo.setItemIndex(5);
    EXPECT_EQ(combo.itemIndex(), -1);

    combo.setItemIndex(1);
    spy.clear();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(&combo, &down); // already the last entry
    EXPECT_EQ(spy.count(), 0);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(&combo, &up);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(combo.itemIndex(), 0);

    // Choosing the selected entry from the list again is a choice the owner hears of.
    spy.clear();
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(&combo, &space);
    auto* list = combo.findChild<QMenu*>();
    ASSERT_NE(list, nullptr);
    list->actions().at(0)->trigger();
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(combo.itemIndex(), 0);
    list->close();
}

TEST(Label, SizesItselfToItsTextBlanksIncluded) {
    TqzLabel label;
    QSignalSpy spy(&label, &TqzLabel::OnClick);
    label.setCaption("Your computer");
    const int bare = label.width();
    label.setCaption("Your computer ");
    EXPECT_GT(label.width(), bare);
    EXPECT_EQ(label.width(), label.fontMetrics().horizontalAdvance("Your computer "));
    label.setCaption("");
    EXPECT_EQ(label.width(), 0);
    label.setCaption("x");
    click(&label, {1, 1});
    EXPECT_EQ(spy.count(), 1);
}

TEST(Label, DragFormMovesTheWindowButNotOnADoubleClick) {
    QWidget window;
    window.move(100, 100);
    TqzLabel label(&window);
    label.setCaption("QZ Duvodoro Ruruzovad");
    label.setDragForm(true);
    const QPoint start = window.pos();
    press(&label, {5, 5});
    move(&label, {25, 15});
    release(&label, {25, 15});
    EXPECT_EQ(window.pos(), start + QPoint(20, 10));
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), label.mapToGlobal(QPointF(5, 5)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&label, &dbl);
    move(&label, {45, 45});
    EXPECT_EQ(window.pos(), start + QPoint(20, 10));
}

TEST(Label, WordWrapShowsAWholeSentenceOnTheLinesItHasAndTipsWhatItCuts) {
    TqzLabel label;
    label.setAutoSize(false);
    label.setAutoSizeHeight(false);
    label.setWordWrap(true);
    label.show();
    const QString sentence = "Shutdown due at 3/10/26 2:26 PM was not carried out: the computer "
                             "was asleep or the program was not running then";
    const int line = label.fontMetrics().height();
    label.resize(label.fontMetrics().horizontalAdvance(sentence) * 2 / 3, 2 * line + 4);
    label.setCaption(sentence);
    const QStringList lines = label.shownLines();
    EXPECT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.join(' '), sentence);
    EXPECT_TRUE(label.toolTip().isEmpty());

    // Too little room: the end gives way to "...", and the whole sentence is the tip.
    label.resize(label.width() / 2, line);
    ASSERT_EQ(label.shownLines().size(), 1);
    EXPECT_TRUE(label.shownLines()[0].endsWith("..."));
    EXPECT_EQ(label.toolTip(), sentence);
}

TEST(FocusMarks, HiddenUntilTheKeyboardIsUsedInTheWindow) {
    auto orangeIn = [](QWidget* w) {
        const QImage image = render(w);
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += near(image.pixelColor(x, y), qz::kFocusColour, 40) ? 1 : 0;
        return count;
    };
    QWidget window;
    auto* radio = new TqzRadioButton(&window);
    radio->setCaption("From Now");
    radio->setGeometry(0, 0, 168, 35);
    auto* button = new TqzButton(&window);
    button->setCaption("Shutdown");
    button->setGeometry(0, 40, 90, 42);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // A window that starts with a control holding the focus, used by the mouse: no mark.
    radio->setFocus(Qt::ActiveWindowFocusReason);
    ASSERT_TRUE(radio->hasFocus());
    EXPECT_EQ(orangeIn(radio), 0);
    click(button, {10, 10});
    button->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(orangeIn(button), 0);

    // The first key shows the mark, and it stays for the mouse from then on.
    QTest::keyClick(button, Qt::Key_Shift);
    EXPECT_GT(orangeIn(button), 10);
    radio->setFocus(Qt::MouseFocusReason);
    EXPECT_GT(orangeIn(radio), 10);

    // A new window starts without marks again; a Tab into it is keyboard use.
    QWidget other;
    auto* second = new TqzRadioButton(&other);
    second->setCaption("Idle Time");
    second->setGeometry(0, 0, 168, 35);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    second->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(orangeIn(second), 0);
    second->clearFocus();
    second->setFocus(Qt::TabFocusReason);
    EXPECT_GT(orangeIn(second), 10);
}

TEST(Panels, FillAlphaAndGroupRows) {
    TqzPanel panel;
    panel.resize(40, 40);
    panel.setColor(qz::kBrandBlue);
    panel.setColorAlpha(150);
    panel.setFrameColor(Qt::red);
    panel.setFrameWidth(2);
    const QImage image = render(&panel);
    EXPECT_TRUE(near(image.pixelColor(1, 20), Qt::red, 2));
    EXPECT_NEAR(image.pixelColor(20, 20).alpha(), 150, 2);

    TqzListGroupPanel group;
    group.resize(199, 10);
    EXPECT_EQ(group.height(), 150) << "header 30 and four rows of 30";
    auto* label = new TqzLabel(&group);
    label->setCaption("Stay on top");
    auto* control = new QWidget(&group);
    control->resize(44, 20);
    group.placeRow(1, label, control);
    EXPECT_EQ(control->geometry(), QRect(199 - 10 - 44, 60 + 5, 44, 20));
    EXPECT_EQ(label->x(), 10);
    EXPECT_TRUE(group.setProperty("Caption", QStringLiteral("Settings")));
}

TEST(Image, StretchesKeepingItsShapeAndLeavesTheRestTransparent) {
    QPixmap picture(20, 10);
    picture.fill(Qt::red);
    TqzImage image;
    image.resize(40, 40);
    image.setPicture(picture);
    QImage drawn = render(&image);
    EXPECT_EQ(drawn.pixelColor(20, 5).alpha(), 0);
    EXPECT_TRUE(near(drawn.pixelColor(20, 20), Qt::red, 2));
    image.setProportional(false);
    drawn = render(&image);
    EXPECT_TRUE(near(drawn.pixelColor(20, 5), Qt::red, 2));
}

} // namespace
