#include <gtest/gtest.h>

#include "widgets/time_field_rules.h"

using namespace qz;
using namespace qz::timefield;

// Readable failure messages for Qt values.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

struct TypeCase {
    const char* text;
    int caret;
    char key;
    const char* expected; // nullptr: the key is dropped
    int expectedCaret;
};

void PrintTo(const TypeCase& c, std::ostream* os) {
    *os << '"' << c.text << "\" caret " << c.caret << " key '" << c.key << "'";
}

class TypingTest : public ::testing::TestWithParam<TypeCase> {};

TEST_P(TypingTest, TakesOnlyKeysThatLeaveAValidTime) {
    const TypeCase& c = GetParam();
    const auto result = typeKey({QString::fromLatin1(c.text), c.caret}, QLatin1Char(c.key));
    if (!c.expected) {
        EXPECT_FALSE(result.has_value()) << c.text << " caret " << c.caret << " key " << c.key;
        return;
    }
    ASSERT_TRUE(result.has_value()) << c.text << " caret " << c.caret << " key " << c.key;
    EXPECT_EQ(result->text, QString::fromLatin1(c.expected));
    EXPECT_EQ(result->caret, c.expectedCaret);
}

INSTANTIATE_TEST_SUITE_P(
    TimeKeys, TypingTest,
    ::testing::Values(TypeCase{"09:30", 0, '3', nullptr, 0}, // 39 hours
                      TypeCase{"09:30", 0, '1', "19:30", 1}, // overwrites, never inserts
                      TypeCase{"19:30", 1, '5', "15:30", 3}, // caret hops the separator
                      TypeCase{"15:30", 2, '4', "15:40", 4}, // caret on the separator
                      TypeCase{"15:30", 3, '6', nullptr, 3}, // 60 minutes
                      TypeCase{"20:00", 1, '4', "24:00", 3}, // 24:00 exactly is allowed
                      TypeCase{"24:00", 4, '1', nullptr, 4}, // 24:01 is not
                      TypeCase{"14:30", 0, '2', nullptr, 0}, // 24 hours only with zero minutes
                      TypeCase{" 9:30", 0, '0', "09:30", 1}, // a blank reads as 0
                      TypeCase{"09:30", 5, '1', nullptr, 5}, // nothing left to overwrite
                      TypeCase{"09:30", 0, 'a', nullptr, 0}, // letters are refused
                      TypeCase{"09:30", 0, ':', nullptr, 0}, // so is the separator
                      TypeCase{"09:30", 0, ' ', nullptr, 0}));

struct StepCase {
    const char* text;
    int caret;
    int direction;
    const char* expected;
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << '"' << c.text << "\" caret " << c.caret << (c.direction > 0 ? " up" : " down");
}

class SteppingTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(SteppingTest, StepsThePartAtTheCaretWithoutCarry) {
    const StepCase& c = GetParam();
    EXPECT_EQ(step(QString::fromLatin1(c.text), c.caret, c.direction),
              QString::fromLatin1(c.expected))
        << c.text << " caret " << c.caret << " dir " << c.direction;
}

INSTANTIATE_TEST_SUITE_P(
    TimeParts, SteppingTest,
    ::testing::Values(StepCase{"10:59", 4, +1, "10:00"}, StepCase{"10:59", 3, +1, "10:00"},
                      StepCase{"10:00", 5, -1, "10:59"}, StepCase{"00:15", 0, -1, "23:15"},
                      StepCase{"00:15", 2, -1, "23:15"}, // before ':'
                      StepCase{"23:15", 1, +1, "00:15"},
                      StepCase{"24:00", 0, +1, "00:00"}, // reads as 23:00
                      StepCase{"24:00", 0, -1, "22:00"}, StepCase{" 7: 5", 4, +1, "07:06"},
                      StepCase{"ab:cd", 0, +1, "01:00"}));

TEST(TimeFieldRead, CapsPartsAndReadsBlanksAndJunkAsZero) {
    EXPECT_EQ(readTime("24:00"), QTime(23, 0));
    EXPECT_EQ(readTime("99:99"), QTime(23, 59));
    EXPECT_EQ(readTime(" 7: 5"), QTime(7, 5));
    EXPECT_EQ(readTime("x7:30"), QTime(0, 30));
    EXPECT_EQ(readTime(""), QTime(0, 0));
}

TEST(TimeFieldWrite, NormalisesByPositionOrResets) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"07:05", "07:05"}, {" 7: 5", "07:05"}, {"99:99", "99:99"}, // no range check
        {"", "00:00"},      {"ab:30", "00:00"}, {"12", "00:00"},    // minutes missing
        {"12:5", "12:05"},  {"-1:00", "00:00"}, {"7:05", "00:00"},  // ':' at position 2
    };
    for (const auto& c : cases)
        EXPECT_EQ(normalizedText(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
    EXPECT_EQ(formatTime(QTime(14, 45, 30)), "14:45");
}

TEST(MaskEditing, BlanksDigitsAndMovesOverSeparators) {
    EXPECT_EQ(backspaceBlank({"12:34", 3}), (MaskedText{"1 :34", 1}));
    EXPECT_EQ(backspaceBlank({"12:34", 0}), (MaskedText{"12:34", 0}));
    EXPECT_EQ(deleteBlank({"12:34", 2}), (MaskedText{"12: 4", 2}));
    EXPECT_EQ(caretRight("12:34", 1), 3);
    EXPECT_EQ(caretLeft("12:34", 3), 1);
    EXPECT_EQ(caretRight("12:34", 5), 5);
    EXPECT_EQ(caretLeft("12:34", 0), 0);
}

} // namespace
