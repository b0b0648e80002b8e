// The window by keyboard alone, and the look of its rings, switches and focus mark.
#include "anaform_fixture.h"

#include "widgets/date_field_format.h"
#include "widgets/qz_button.h"
#include "widgets/qz_circled_progress_bar.h"
#include "widgets/qz_date_edit.h"
#include "widgets/qz_glyph_button.h"
#include "widgets/qz_label.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_split_view.h"
#include "widgets/qz_style.h"
#include "widgets/qz_switch.h"
#include "widgets/qz_time_edit.h"

#include <QApplication>
#include <QTest>

namespace qz::test {
namespace {

bool near(const QColor& a, const QColor& b, int tolerance = 16) {
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

class AnaformKeyboardTest : public AnaformTest {
protected:
    void SetUp() override {
        start();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QWidget* focused() const { return QApplication::focusWidget(); }
    QString focusedName() const { return focused() ? focused()->objectName() : QString(); }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        ASSERT_NE(focused(), nullptr);
        QTest::keyClick(focused(), k, modifiers);
    }
    // Tab until the named control has the focus; fails after a full round.
    void tabTo(const char* name) {
        ASSERT_NE(focused(), nullptr);
        for (int i = 0; i < 40 && focusedName() != QLatin1String(name); ++i)
            key(Qt::Key_Tab);
        ASSERT_EQ(focusedName(), QLatin1String(name));
    }
    // The names Tab visits from `from` until it comes back, comma-separated.
    std::string tabRound(const char* from) {
        child<QWidget>(from)->setFocus(Qt::TabFocusReason);
        QStringList names{focusedName()};
        for (int i = 0; i < 40; ++i) {
            key(Qt::Key_Tab);
            if (focusedName() == QLatin1String(from))
                break;
            names << focusedName();
        }
        return names.join(',').toStdString();
    }
};

TEST_F(AnaformKeyboardTest, TabVisitsEveryControlInReadingOrder) {
    const QStringList closedPanel{"btnUpdate",
                                  "qzGlyphButton1",
                                  "MinButton",
                                  "CloseButton",
                                  "btnshutdown",
                                  "btnrestart",
                                  "btnwaitready",
                                  "btnSleep",
                                  "btnSignout",
                                  "btnLock",
                                  "radioSuandanitibaren",
                                  "TimeeditSuandanitibaren",
                                  "radioBelirtilenSaat",
                                  "radioBostaKalma",
                                  "radiohergun",
                                  "btnStartStop",
                                  "lblUrl"};
    EXPECT_EQ(tabRound("btnUpdate"), closedPanel.join(',').toStdString());

    // With the specified time chosen its two fields join; with the panel open, its controls.
    child<TqzRadioButton>("radioBelirtilenSaat")->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Space);
    child<TqzSplitView>("qzSplitView1")->setAnimation(false);
    window->btnUpdateClick();
    QStringList openPanel = closedPanel;
    openPanel.removeOne("TimeeditSuandanitibaren");
    const qsizetype fields = openPanel.indexOf("radioBostaKalma");
    openPanel.insert(fields, "timeEditBelirtilenSure");
    openPanel.insert(fields, "dateEditBelirtilenSure");
    openPanel << "cmbDil"
              << "swUstte"
              << "swBildirim"
              << "swBaslangic";
    EXPECT_EQ(tabRound("btnUpdate"), openPanel.join(',').toStdString());
}

TEST_F(AnaformKeyboardTest, KeyboardAloneChoosesSetsStartsStopsAndSwitches) {
    // Actions: the arrows walk the group in screen order, Space presses.
    const PowerAction onScreen[] = {PowerAction::Shutdown, PowerAction::Restart,
                                    PowerAction::Suspend,  PowerAction::Hibernate,
                                    PowerAction::Signout,  PowerAction::Lock};
    child<QWidget>("btnUpdate")->setFocus(Qt::ActiveWindowFocusReason);
    tabTo("btnshutdown");
    for (PowerAction action : onScreen) {
        key(Qt::Key_Space);
        EXPECT_EQ(window->selectedAction(), action);
        key(Qt::Key_Right);
    }
    EXPECT_EQ(focusedName(), "btnshutdown"); // wrapped round
    key(Qt::Key_Left);
    key(Qt::Key_Return);
    EXPECT_EQ(window->selectedAction(), PowerAction::Lock);

    // Triggers: Down walks the radio buttons, Space checks, each enabling its fields.
    tabTo("radioSuandanitibaren");
    const TriggerMode modes[] = {TriggerMode::SpecifiedTime, TriggerMode::IdleTime,
                                 TriggerMode::Everyday, TriggerMode::FromNow};
    for (TriggerMode mode : modes) {
        key(Qt::Key_Down);
        key(Qt::Key_Space);
        EXPECT_EQ(window->selectedMode(), mode);
    }
    EXPECT_TRUE(child<TqzTimeEdit>("TimeeditSuandanitibaren")->isEnabled());

    // A time: Tab into the field and type over it.
    key(Qt::Key_Tab);
    ASSERT_EQ(focusedName(), "TimeeditSuandanitibaren");
    key(Qt::Key_Home);
    QTest::keyClicks(focused(), "0010");
    EXPECT_EQ(child<TqzTimeEdit>("TimeeditSuandanitibaren")->time(), "00:10");

    // Start and stop.
    tabTo("btnStartStop");
    key(Qt::Key_Return);
    EXPECT_TRUE(window->task().isArmed());
    EXPECT_EQ(window->task().countdown().endTime(), clock->now().addSecs(600));
    key(Qt::Key_Space);
    EXPECT_FALSE(window->task().isArmed());

    // The settings panel: open, toggle each switch, Escape closes it again.
    auto* panel = child<TqzSplitView>("qzSplitView1");
    tabTo("btnUpdate");
    key(Qt::Key_Space);
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->opened(); }, 3000));
    for (const char* name : {"swUstte", "swBildirim", "swBaslangic"}) {
        tabTo(name);
        auto* sw = child<TqzSwitch>(name);
        const bool before = sw->isOn();
        key(Qt::Key_Space);
        EXPECT_TRUE(QTest::qWaitFor([&] { return sw->isOn() != before; }, 3000)) << name;
        EXPECT_EQ(stored(name), before ? "0" : "1") << name;
        // Stay on top re-shows the window; a window manager activates it again, and the
        // focus is back on the switch.
        QApplication::setActiveWindow(window.get());
        EXPECT_EQ(focusedName(), QLatin1String(name));
    }
    key(Qt::Key_Escape);
    EXPECT_FALSE(panel->opened());
    EXPECT_EQ(focusedName(), "btnUpdate");
}

TEST_F(AnaformKeyboardTest, DescriptionFollowsTheDateAfterEachKeystroke) {
    child<TqzRadioButton>("radioBelirtilenSaat")->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Space);
    auto* field = child<TqzDateEdit>("dateEditBelirtilenSure");
    auto* timePiece = child<TqzLabel>("lbltarihEn");
    const QDate target = field->date().addDays(5);
    const QString digits =
        datefield::formatDate(target, field->dateTemplate()).remove(QRegularExpression("\\D"));

    key(Qt::Key_Tab);
    ASSERT_EQ(focusedName(), "dateEditBelirtilenSure");
    key(Qt::Key_Home);
    QTest::keyClicks(field, digits);
    ASSERT_EQ(field->date(), target);
    const QString typed = timePiece->caption();
    // The sentence the window composes for that date, whichever way the date arrives.
    field->setDate(target.addDays(1));
    field->setDate(target);
    EXPECT_EQ(typed, timePiece->caption());

    // A choice in the calendar shows at once as well.
    field->dropDown();
    QTest::keyClick(field->popup(), Qt::Key_Right);
    QTest::keyClick(field->popup(), Qt::Key_Return);
    EXPECT_EQ(field->date(), target.addDays(1));
    EXPECT_NE(timePiece->caption(), typed);
    const QString chosen = timePiece->caption();
    field->setDate(target);
    field->setDate(target.addDays(1));
    EXPECT_EQ(timePiece->caption(), chosen);
}

TEST_F(AnaformKeyboardTest, RingsSwitchesAndFocusMarkAsDesigned) {
    auto* ring = child<TqzCircledProgressBar>("progress");
    EXPECT_EQ(ring->frameSize(), 8);
    EXPECT_TRUE(ring->font().bold());
    EXPECT_EQ(ring->fontColor(), kBrandBlue);
    EXPECT_TRUE(ring->progressFont().bold());
    EXPECT_EQ(ring->progressFont().pixelSize(), 16);
    EXPECT_EQ(ring->progressFontColor(), kAccentOrange);
    auto* update = child<TqzCircledProgressBar>("qzProgressbar1");
    EXPECT_EQ(update->frameSize(), 8);
    EXPECT_TRUE(update->font().bold());
    EXPECT_EQ(update->font().pixelSize(), 8);
    EXPECT_TRUE(update->progressFont().bold());
    EXPECT_EQ(update->progressFontColor(), kAccentOrange);

    // Armed, the empty ring shows its track: orange, opaque, 8 px from the edge inwards.
    window->btnStartStopClick();
    ASSERT_TRUE(window->task().isArmed());
    ASSERT_EQ(ring->devicePixelRatio(), 1.0);
    QImage shot = ring->grab().toImage();
    const int middle = ring->width() / 2;
    for (int y : {1, 4, 6})
        EXPECT_TRUE(near(shot.pixelColor(middle, y), kAccentOrange, 8)) << y;
    EXPECT_FALSE(near(shot.pixelColor(middle, 10), kAccentOrange, 60));
    // The percentage figure is drawn in orange.
    int orange = 0;
    for (int y = ring->height() / 2; y < ring->height() - 20; ++y)
        for (int x = 30; x < ring->width() - 30; ++x)
            orange += near(shot.pixelColor(x, y), kAccentOrange, 40) ? 1 : 0;
    EXPECT_GT(orange, 20);

    for (const char* name : {"swUstte", "swBildirim", "swBaslangic"})
        EXPECT_EQ(child<TqzSwitch>(name)->size(), QSize(44, 20)) << name;
    window->btnStartStopClick(); // idle again: the inputs take the focus

    // The focus mark: an orange outline inside the focused control, none without focus.
    auto* button = child<TqzButton>("btnrestart");
    const QPoint top(button->width() / 2, 4);
    EXPECT_FALSE(near(button->grab().toImage().pixelColor(top), kFocusColour, 60));
    button->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(button->hasFocus());
    EXPECT_TRUE(near(button->grab().toImage().pixelColor(top), kFocusColour, 30));
    child<TqzSplitView>("qzSplitView1")->setAnimation(false);
    window->btnUpdateClick();
    auto* sw = child<TqzSwitch>("swUstte");
    sw->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(sw->hasFocus());
    EXPECT_TRUE(near(sw->grab().toImage().pixelColor(22, 0), kFocusColour, 30));
}

} // namespace
} // namespace qz::test
