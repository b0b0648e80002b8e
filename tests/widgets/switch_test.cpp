#include "widget_test_support.h"
#include "widgets/qz_style.h"
#include "widgets/qz_switch.h"

#include <QKeyEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using namespace qz::test;

class SwitchTest : public ::testing::Test {
protected:
    void SetUp() override {
        sw.resize(44, 20);
        sw.setFrameColor(Qt::black);
        sw.setThumbColor(Qt::black);
        sw.setFrameOnColor(qz::kBrandBlue);
        sw.setThumbOnColor(Qt::white);
    }
    // Runs slide ticks until the slide stops; returns how many it took.
    int finishSlide() {
        int ticks = 0;
        while (sw.isSliding() && ticks < 100) {
            sw.slideTick();
            ++ticks;
        }
        return ticks;
    }
    TqzSwitch sw;
};

TEST_F(SwitchTest, StateFromCodeRaisesOncePerRealChangeWithoutSliding) {
    QSignalSpy spy(&sw, &TqzSwitch::OnChangeState);
    sw.setState(TqzSwitch::qzswOff);
    EXPECT_EQ(spy.count(), 0);
    sw.setState(TqzSwitch::qzswOn);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_FALSE(sw.isSliding());
    EXPECT_EQ(sw.thumbLeft(), 24);
    sw.setState(TqzSwitch::qzswOn);
    EXPECT_EQ(spy.count(), 1);
    sw.setLoading(true);
    sw.setState(TqzSwitch::qzswOff);
    EXPECT_EQ(spy.count(), 1) << "nothing is raised while the layout loads";
    EXPECT_TRUE(sw.setProperty("State", QVariant::fromValue(TqzSwitch::qzswOn)));
    EXPECT_TRUE(sw.isOn());
}

TEST_F(SwitchTest, ClickFlipsWhenTheThumbArrivesOnTheEleventhTick) {
    QSignalSpy spy(&sw, &TqzSwitch::OnChangeState);
    TqzSwitch::State seen = TqzSwitch::qzswOff;
    QObject::connect(&sw, &TqzSwitch::OnChangeState, [&] { seen = sw.state(); });
    click(&sw, {10, 10});
    ASSERT_TRUE(sw.isSliding());
    const int lefts[] = {8, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    for (int expected : lefts) {
        sw.slideTick();
        EXPECT_EQ(sw.thumbLeft(), expected);
        EXPECT_EQ(spy.count(), 0);
        EXPECT_FALSE(sw.isOn());
    }
    sw.slideTick();
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(seen, TqzSwitch::qzswOn) << "the handler reads the new state";
    EXPECT_FALSE(sw.isSliding());

    click(&sw, {5, 10}); // off the thumb, now at the right
    EXPECT_EQ(finishSlide(), 11);
    EXPECT_EQ(spy.count(), 2);
    EXPECT_FALSE(sw.isOn());
}

TEST_F(SwitchTest, StateSetFromCodeDuringASlideEndsItWithOneEvent) {
    QSignalSpy spy(&sw, &TqzSwitch::OnChangeState);
    click(&sw, {10, 10});
    sw.slideTick();
    sw.slideTick();
    sw.setState(TqzSwitch::qzswOn);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_FALSE(sw.isSliding());
    EXPECT_EQ(sw.thumbLeft(), 24);
    sw.slideTick(); // a tick already queued finds nothing to move
    EXPECT_TRUE(sw.isOn());
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(SwitchTest, DragPastTheMiddleCompletesShortDragSlidesBack) {
    QSignalSpy spy(&sw, &TqzSwitch::OnChangeState);
    press(&sw, {10, 10});
    move(&sw, {15, 10});
    EXPECT_EQ(sw.thumbLeft(), 5);
    release(&sw, {15, 10});
    finishSlide();
    EXPECT_EQ(spy.count(), 0);
    EXPECT_FALSE(sw.isOn());
    EXPECT_EQ(sw.thumbLeft(), 0);

    press(&sw, {10, 10});
    move(&sw, {40, 10}); // kept within the track
    EXPECT_EQ(sw.thumbLeft(), 24);
    move(&sw, {28, 10}); // the thumb follows the movement: left 12, centre on the middle
    EXPECT_EQ(sw.thumbLeft(), 12);
    release(&sw, {28, 10});
    finishSlide();
    EXPECT_EQ(spy.count(), 1);
    EXPECT_TRUE(sw.isOn());
}

TEST_F(SwitchTest, PressReleasedOutsideOrWhileDisabledDoesNothing) {
    QSignalSpy spy(&sw, &TqzSwitch::OnChangeState);
    press(&sw, {30, 10});
    release(&sw, {60, 10});
    EXPECT_FALSE(sw.isSliding());
    press(&sw, {10, 10});
    release(&sw, {10, 40}); // same x, below the switch
    EXPECT_FALSE(sw.isSliding());
    sw.setEnabled(false);
    click(&sw, {30, 10});
    EXPECT_FALSE(sw.isSliding());
    EXPECT_EQ(spy.count(), 0);
    EXPECT_FALSE(sw.isOn());
}

TEST_F(SwitchTest, WithoutAnimationAClickFlipsAtOnce) {
    QSignalSpy spy(&sw, &TqzSwitch::OnChangeState);
    sw.setAnimation(false);
    click(&sw, {30, 10});
    EXPECT_EQ(spy.count(), 1);
    EXPECT_TRUE(sw.isOn());
}

TEST_F(SwitchTest, PaintsTrackAndThumbPerStateAndHalfOpacityWhenDisabled) {
    QImage off = render(&sw);
    EXPECT_TRUE(near(off.pixelColor(30, 1), Qt::black)) << "outlined track when off";
    EXPECT_EQ(off.pixelColor(30, 10).alpha(), 0) << "hollow track when off";
    EXPECT_TRUE(near(off.pixelColor(10, 10), Qt::black)) << "thumb at the left";

    sw.setOn(true);
    QImage on = render(&sw);
    EXPECT_TRUE(near(on.pixelColor(10, 10), qz::kBrandBlue)) << "solid track when on";
    EXPECT_TRUE(near(on.pixelColor(34, 10), Qt::white)) << "thumb at the right";

    sw.setEnabled(false);
    QImage disabled = render(&sw);
    EXPECT_NEAR(disabled.pixelColor(10, 10).alpha(), 127, 4);

    sw.setEnabled(true);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&sw, &enter);
    QImage hover = render(&sw);
    EXPECT_TRUE(near(hover.pixelColor(10, 10), QColor(64, 104, 164), 3)) << "10 % lighter";
}

TEST_F(SwitchTest, SpaceAndEnterToggleLikeAClickButNotWhenDisabled) {
    EXPECT_NE(sw.focusPolicy() & Qt::TabFocus, 0);
    QSignalSpy spy(&sw, &TqzSwitch::OnChangeState);
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        const bool before = sw.isOn();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&sw, &press);
        EXPECT_TRUE(sw.isSliding()); // the same slide a click starts
        EXPECT_EQ(sw.isOn(), before);
        finishSlide();
        EXPECT_EQ(sw.isOn(), !before);
    }
    EXPECT_EQ(spy.count(), 3);

    QKeyEvent held(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&sw, &held); // a held key does not toggle again and again
    EXPECT_FALSE(sw.isSliding());
    sw.setEnabled(false);
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(&sw, &space);
    EXPECT_FALSE(sw.isSliding());
    EXPECT_EQ(spy.count(), 3);
}

} // namespace
