#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "widgets/qz_date_edit.h"
#include "widgets/qz_style.h"

// Readable failure messages for Qt values.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QDate& d, std::ostream* os) {
    *os << (d.isValid() ? d.toString(Qt::ISODate).toStdString() : std::string("null date"));
}

namespace {

const QDate kToday(2026, 6, 15);

// Day-month-year with a four-digit year and '/', whatever the machine's locale is.
class DateEditTest : public ::testing::Test {
protected:
    DateEditTest() : m_saved(QLocale()) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        edit = std::make_unique<TqzDateEdit>();
        edit->calendar()->setTodaySource([] { return kToday; });
    }
    ~DateEditTest() override { QLocale::setDefault(m_saved); }

    void SetUp() override {
        edit->resize(120, 26);
        edit->show();
        edit->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(edit.get()));
        edit->setFocus();
    }

    void popupKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(edit->popup(), key, modifiers);
    }

    void clickCalendar(QPoint point) {
        QTest::mouseClick(edit->calendar(), Qt::LeftButton, {}, point);
    }

    QLocale m_saved;
    std::unique_ptr<TqzDateEdit> edit;
};

TEST_F(DateEditTest, SettingDateShowsItThenRaisesOnChangeAndOnDateChange) {
    EXPECT_EQ(edit->text(), "  /  /    ");
    std::vector<std::string> events;
    QObject::connect(edit.get(), &TqzDateEdit::OnChange, [&] { events.push_back("change"); });
    QObject::connect(edit.get(), &TqzDateEdit::OnDateChange, [&] { events.push_back("date"); });
    edit->setDate(QDate(2026, 3, 7));
    EXPECT_EQ(edit->text(), "07/03/2026");
    EXPECT_EQ(edit->date(), QDate(2026, 3, 7));
    EXPECT_EQ(events, (std::vector<std::string>{"change", "date"}));
    edit->setDate(QDate(2026, 3, 7));
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(DateEditTest, TypedDateIsTakenOverOnlyWhenValidAndBeforeOnChange) {
    edit->setCaretPosition(0);
    std::vector<QDate> seenInOnChange;
    QObject::connect(edit.get(), &TqzDateEdit::OnChange,
                     [&] { seenInOnChange.push_back(edit->date()); });
    QSignalSpy dateChanges(edit.get(), &TqzDateEdit::OnDateChange);

    QTest::keyClicks(edit.get(), "150");
    EXPECT_EQ(edit->text(), "15/0 /    ");
    EXPECT_FALSE(edit->date().isValid()); // month 0: not a date yet
    QTest::keyClick(edit.get(), Qt::Key_3);
    EXPECT_EQ(edit->date(), QDate(2026, 3, 15)); // no year yet: this year
    QTest::keyClicks(edit.get(), "2025");
    EXPECT_EQ(edit->text(), "15/03/2025");
    EXPECT_EQ(edit->date(), QDate(2025, 3, 15));

    ASSERT_EQ(seenInOnChange.size(), 8u);      // one per digit
    EXPECT_FALSE(seenInOnChange[2].isValid()); // "15/0": no date yet
    // The handler reads the date the keystroke completed, not the one before it.
    EXPECT_EQ(seenInOnChange[3], QDate(2026, 3, 15));
    EXPECT_EQ(seenInOnChange[7], QDate(2025, 3, 15));
    EXPECT_EQ(dateChanges.count(), 5); // 2026, then years 2, 20, 202 and 2025

    // An impossible day is no date: Date reads null until the text is a date again.
    EXPECT_TRUE(edit->hasValidDate());
    edit->setCaretPosition(0);
    QTest::keyClicks(edit.get(), "31/04");
    EXPECT_EQ(edit->text(), "31/04/2025");
    EXPECT_FALSE(edit->date().isValid());
    EXPECT_FALSE(edit->hasValidDate());
    QTest::keyClicks(edit.get(), "/2024"); // the separator is skipped, the digits overwrite
    EXPECT_EQ(edit->text(), "31/04/2024");
    EXPECT_FALSE(edit->hasValidDate());
    edit->setCaretPosition(0);
    QTest::keyClick(edit.get(), Qt::Key_3);
    QTest::keyClick(edit.get(), Qt::Key_0);
    EXPECT_EQ(edit->date(), QDate(2024, 4, 30));
    // Letters are refused.
    QTest::keyClicks(edit.get(), "ab");
    EXPECT_EQ(edit->text(), "30/04/2024");
}

TEST_F(DateEditTest, EscapeAfterMovingMonthsRestoresTheRememberedDate) {
    edit->setDate(QDate(2026, 1, 31));
    QSignalSpy changes(edit.get(), &TqzDateEdit::OnChange);
    QSignalSpy dateChanges(edit.get(), &TqzDateEdit::OnDateChange);
    QTest::keyClick(edit.get(), Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(edit->isDroppedDown());
    EXPECT_TRUE(edit->popup()->isVisible());
    popupKey(Qt::Key_PageDown);
    popupKey(Qt::Key_PageDown);
    popupKey(Qt::Key_Right);
    EXPECT_EQ(edit->date(), QDate(2026, 3, 29)); // 31 Jan, 28 Feb, 28 Mar, then a day on
    popupKey(Qt::Key_Escape);
    EXPECT_FALSE(edit->isDroppedDown());
    EXPECT_FALSE(edit->popup()->isVisible());
    EXPECT_EQ(edit->date(), QDate(2026, 1, 31));
    EXPECT_EQ(edit->text(), "31/01/2026");
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(dateChanges.count(), 0);
}

TEST_F(DateEditTest, EnterAcceptsTheCalendarsDate) {
    edit->setDate(QDate(2026, 12, 31));
    std::vector<std::string> events;
    QObject::connect(edit.get(), &TqzDateEdit::OnChange, [&] { events.push_back("change"); });
    QObject::connect(edit.get(), &TqzDateEdit::OnDateChange, [&] { events.push_back("date"); });
    edit->dropDown();
    popupKey(Qt::Key_Down);  // +7 days across the year's end
    popupKey(Qt::Key_Left);  // -1
    popupKey(Qt::Key_Up);    // -7
    popupKey(Qt::Key_Right); // +1
    popupKey(Qt::Key_A);     // typed characters do nothing
    popupKey(Qt::Key_Down);
    popupKey(Qt::Key_Return);
    EXPECT_FALSE(edit->isDroppedDown());
    EXPECT_EQ(edit->date(), QDate(2027, 1, 7));
    EXPECT_EQ(edit->text(), "07/01/2027");
    EXPECT_EQ(events, (std::vector<std::string>{"change", "date"}));
}

TEST_F(DateEditTest, CancelKeysSpaceAndTheButton) {
    edit->setDate(QDate(2026, 2, 10));
    edit->dropDown();
    QTest::keyRelease(edit->popup(), Qt::Key_Space);
    EXPECT_EQ(edit->date(), kToday);
    popupKey(Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(edit->isDroppedDown());
    EXPECT_EQ(edit->date(), QDate(2026, 2, 10));

    const QPoint button = edit->dropDownButtonRect().center();
    QTest::mouseClick(edit.get(), Qt::LeftButton, {}, button);
    ASSERT_TRUE(edit->isDroppedDown());
    popupKey(Qt::Key_PageUp);
    QTest::mouseClick(edit.get(), Qt::LeftButton, {}, button); // the button again cancels
    EXPECT_FALSE(edit->isDroppedDown());
    EXPECT_EQ(edit->date(), QDate(2026, 2, 10));

    edit->dropDown();
    popupKey(Qt::Key_Left, Qt::AltModifier);
    EXPECT_FALSE(edit->isDroppedDown());

    // Disabling the field while it is open cancels.
    edit->dropDown();
    popupKey(Qt::Key_PageDown);
    edit->setEnabled(false);
    EXPECT_FALSE(edit->isDroppedDown());
    EXPECT_EQ(edit->date(), QDate(2026, 2, 10));
    edit->setEnabled(true);

    edit->setReadOnly(true);
    QTest::keyClick(edit.get(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_FALSE(edit->isDroppedDown());
}

TEST_F(DateEditTest, OpeningAnEmptyFieldMovesTheCalendarToToday) {
    edit->dropDown();
    EXPECT_EQ(edit->calendar()->date(), kToday);
    popupKey(Qt::Key_Escape);
    EXPECT_FALSE(edit->date().isValid());
    EXPECT_EQ(edit->text(), "  /  /    ");
}

TEST_F(DateEditTest, DayClickAcceptsAndMonthButtonsCutTheDay) {
    edit->setDate(QDate(2024, 1, 31));
    edit->dropDown();
    const auto layout = edit->calendar()->layout();
    clickCalendar(layout.nextMonth.center());
    EXPECT_EQ(edit->date(), QDate(2024, 2, 29));
    clickCalendar(layout.nextYear.center());
    EXPECT_EQ(edit->date(), QDate(2025, 2, 28));
    EXPECT_TRUE(edit->isDroppedDown());

    // 1 February 2025 is a Saturday: 12 February stands in row 2, Wednesday's column.
    clickCalendar(layout.cellRect({2, 3}).center());
    EXPECT_FALSE(edit->isDroppedDown());
    EXPECT_EQ(edit->date(), QDate(2025, 2, 12));
    EXPECT_EQ(edit->text(), "12/02/2025");

    // An empty cell before the first day picks nothing.
    edit->dropDown();
    clickCalendar(layout.cellRect({0, 0}).center());
    EXPECT_TRUE(edit->isDroppedDown());
    EXPECT_EQ(edit->date(), QDate(2025, 2, 12));
}

TEST_F(DateEditTest, CalendarStopsAtItsFirstAndLastYear) {
    TqzMonthCalendar* calendar = edit->calendar();
    calendar->setDate(QDate(1761, 1, 20));
    calendar->moveYears(-1);
    calendar->moveMonths(-1);
    EXPECT_EQ(calendar->date(), QDate(1761, 1, 20));
    calendar->setDate(QDate(9999, 12, 20));
    calendar->moveMonths(1);
    calendar->moveDays(14);
    EXPECT_EQ(calendar->date(), QDate(9999, 12, 20));
    calendar->moveMonths(-12);
    EXPECT_EQ(calendar->date(), QDate(9998, 12, 20));
}

TEST_F(DateEditTest, TitleMenuMovesToTheChosenMonthKeepingTheDay) {
    edit->setDate(QDate(2026, 3, 31));
    edit->dropDown();
    QStringList offered;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            offered << action->text();
        menu->setActiveAction(menu->actions().at(3));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mouseClick(edit->calendar(), Qt::LeftButton, {},
                      edit->calendar()->layout().title.center());
    EXPECT_EQ(offered.size(), 12);
    EXPECT_EQ(offered.value(3), QLocale().standaloneMonthName(4));
    EXPECT_EQ(edit->date(), QDate(2026, 4, 30));
    EXPECT_TRUE(edit->isDroppedDown()); // still choosing a day
}

TEST(DateEditPopupTest, PlacedBelowOrAboveAndKeptInsideTheWorkArea) {
    const QRect work(0, 0, 1000, 700);
    const QSize popup(250, 200);
    const struct {
        QRect field;
        QPoint expected;
    } cases[] = {
        {QRect(100, 100, 120, 26), QPoint(100, 126)}, // below, left edges aligned
        {QRect(100, 600, 120, 26), QPoint(100, 400)}, // no room below: above
        {QRect(900, 100, 120, 26), QPoint(750, 126)}, // kept off the right edge
        {QRect(-50, 100, 120, 26), QPoint(0, 126)},   // not beyond the left edge
    };
    for (const auto& c : cases)
        EXPECT_EQ(TqzDateEdit::popupPosition(c.field, popup, work), c.expected) << c.field.x();
}

TEST_F(DateEditTest, CalendarPaintsTheSelectedDayOnAHighlightDisc) {
    TqzMonthCalendar calendar;
    calendar.resize(250, 200);
    calendar.setDate(QDate(2026, 3, 11)); // a Wednesday in row 1
    const QImage shot = calendar.grab().toImage();
    ASSERT_EQ(calendar.devicePixelRatio(), 1.0);
    const QRect cell = calendar.layout().cellRect({1, 3});
    // Just inside the disc's rim, left of the number.
    const QColor rim = shot.pixelColor(cell.center().x() - cell.height() / 2, cell.center().y());
    const QColor highlight = calendar.palette().color(QPalette::Highlight);
    EXPECT_NEAR(rim.blue(), (highlight.blue() * 200 + 255 * 55) / 255, 16);
    EXPECT_NEAR(rim.red(), (highlight.red() * 200 + 255 * 55) / 255, 16);
    // The same spot of an unselected day is plain window fill.
    const QRect other = calendar.layout().cellRect({1, 4});
    EXPECT_EQ(shot.pixelColor(other.center().x() - other.height() / 2, other.center().y()),
              calendar.palette().color(QPalette::Base));
}

TEST_F(DateEditTest, OnChangeHandlerReadsTheCalendarsChoice) {
    edit->setDate(QDate(2026, 12, 10));
    std::vector<QDate> seen;
    QObject::connect(edit.get(), &TqzDateEdit::OnChange, [&] { seen.push_back(edit->date()); });
    edit->dropDown();
    popupKey(Qt::Key_Right);
    popupKey(Qt::Key_Return);
    EXPECT_EQ(seen, std::vector<QDate>{QDate(2026, 12, 11)});
    edit->dropDown();
    clickCalendar(edit->calendar()->layout().cellRect({2, 2}).center()); // Tuesday 15th
    EXPECT_EQ(seen.back(), QDate(2026, 12, 15));
    EXPECT_EQ(edit->text(), "15/12/2026");
}

struct TypedDate {
    QLocale locale;
    const char* digits; // typed over the field from its start
    const char* shown;
    QDate taken;      // invalid: the text is no date, and Date reads null
    int backFrom = 0; // then, with the caret here, Backspace this many times
    int backspaces = 0;
};

void PrintTo(const TypedDate& c, std::ostream* os) {
    *os << c.shown;
}

class DateEditTypedDateTest : public ::testing::TestWithParam<TypedDate> {};

// Both display templates: a day the month lacks, a month 13, an incomplete text are refused;
// the frame turns to the error colour and hasValidDate() tells the window not to arm.
TEST_P(DateEditTypedDateTest, ImpossibleDatesAreRefusedAndShownAsNotAccepted) {
    const TypedDate& c = GetParam();
    const QLocale saved;
    QLocale::setDefault(c.locale);
    TqzDateEdit edit;
    QLocale::setDefault(saved);
    edit.calendar()->setTodaySource([] { return kToday; });
    edit.resize(120, 26);
    edit.setDate(QDate(2026, 12, 10));
    ASSERT_TRUE(edit.hasValidDate());
    edit.setCaretPosition(0);
    QTest::keyClicks(&edit, QString::fromLatin1(c.digits));
    edit.setCaretPosition(c.backFrom);
    for (int i = 0; i < c.backspaces; ++i)
        QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QString::fromLatin1(c.shown));
    EXPECT_EQ(edit.hasValidDate(), c.taken.isValid());
    EXPECT_EQ(edit.date(), c.taken);

    // The frame's top edge, in the middle: the error colour exactly when refused.
    const QColor frame = edit.grab().toImage().pixelColor(60, 0);
    const bool red = qAbs(frame.red() - qz::kErrorRed.red()) <= 12 &&
                     qAbs(frame.green() - qz::kErrorRed.green()) <= 12 &&
                     qAbs(frame.blue() - qz::kErrorRed.blue()) <= 12;
    EXPECT_EQ(red, !c.taken.isValid());
}

const QLocale kBritish(QLocale::English, QLocale::UnitedKingdom); // DD/MM/YYYY
const QLocale kAmerican(QLocale::English, QLocale::UnitedStates); // MM/DD/YY

INSTANTIATE_TEST_SUITE_P(
    DateEdit, DateEditTypedDateTest,
    ::testing::Values(TypedDate{kBritish, "30022027", "30/02/2027", {}},
                      TypedDate{kBritish, "31042026", "31/04/2026", {}},
                      TypedDate{kBritish, "29022028", "29/02/2028", QDate(2028, 2, 29)},
                      TypedDate{kBritish, "1513", "15/13/2026", {}},
                      TypedDate{kAmerican, "023027", "02/30/27", {}},
                      TypedDate{kAmerican, "130127", "13/01/27", {}},
                      TypedDate{kAmerican, "022827", "02/28/27", QDate(2027, 2, 28)},
                      TypedDate{kAmerican, "1215", "12/15/  ", QDate(2026, 12, 15), 8, 2},
                      TypedDate{kAmerican, "12", "12/  /26", {}, 5, 2}));

} // namespace
