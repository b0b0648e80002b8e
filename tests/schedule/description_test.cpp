#include "i18n/language_index.h"
#include "schedule/description.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

// Column order of the verb tables: the modes in this order.
constexpr TriggerMode kModes[] = {TriggerMode::IdleTime, TriggerMode::FromNow,
                                  TriggerMode::SpecifiedTime, TriggerMode::Everyday};

const struct {
    PowerAction action;
    const char* turkish[4]; // everyday column includes the " da" of 23:00
    const char* english[4];
} kVerbs[] = {
    {PowerAction::Shutdown,
     {" işlem yapılmadığında kapatılacaktır.", " sonra kapatılacaktır.",
      " tarihinde kapatılacaktır.", " da kapatılacaktır."},
     {" will shutdown if idle ", " will shutdown after ", " will shutdown at ",
      " will shutdown everyday at "}},
    {PowerAction::Restart,
     {" işlem yapılmadığında yeniden başlatılacaktır.", " sonra yeniden başlatılacaktır.",
      " tarihinde yeniden başlatılacaktır.", " da yeniden başlatılacaktır."},
     {" will restart if idle ", " will restart after ", " will restart at ",
      " will restart everyday at "}},
    {PowerAction::Lock,
     {" işlem yapılmadığında kilitlenecektir", " sonra kilitlenecektir",
      " tarihinde kilitlenecektir", " da kilitlenecektir"},
     // The from-now piece carries its trailing blank like the others, so the number that
     // follows is not glued to "after".
     {" will lock if idle ", " will lock after ", " will lock at ", " will lock everyday at "}},
    {PowerAction::Suspend,
     {" işlem yapılmadığında hazırda bekletilecektir", " sonra hazırda bekletilecektir",
      " tarihinde hazırda bekletilecektir", " da hazırda bekletilecektir"},
     {" will standby if idle ", " will standby after ", " will standby at ",
      " will standby everyday at "}},
    {PowerAction::Hibernate,
     {" işlem yapılmadığında uyku moduna geçecektir.", " sonra uyku moduna geçecektir.",
      " tarihinde uyku moduna geçecektir.", " da uyku moduna geçecektir."},
     {" will sleep if idle ", " will sleep after ", " will sleep at ", " will sleep everyday at "}},
    {PowerAction::Signout,
     {" işlem yapılmadığında oturumu kapatacaktır.", " sonra oturumu kapatacaktır.",
      " tarihinde oturumu kapatacaktır.", " da oturumu kapatacaktır."},
     {" will signout if idle ", " will signout after ", " will signout at ",
      " will signout everyday at "}},
};

// Subject and time piece per mode, same column order.
const struct {
    const char* subject;
    const char* time;
} kTurkishPieces[] = {{"Bilgisayarınız ", "5 Dakika "},
                      {"Bilgisayarınız ", "1 Saat 30 Dakika "},
                      {"Bilgisayarınız ", "07.03.2026 15:00:00"},
                      {"Bilgisayarınız her gün, saat ", "23:00"}},
  kEnglishPieces[] = {{"Your computer", "5 Minutes "},
                      {"Your computer ", "1 Hours 30 Minutes "},
                      {"Your computer ", "07.03.2026 15:00:00"},
                      {"Your computer ", "23:00"}};

DescriptionInput baseInput() {
    DescriptionInput in;
    in.fields.fromNow = QTime(1, 30);
    in.fields.idle = QTime(0, 5);
    in.fields.specifiedDate = QDate(2026, 3, 7);
    in.fields.specifiedTime = QTime(15, 0);
    in.fields.everyday = QTime(23, 0);
    in.everydayText = QStringLiteral("23:00");
    in.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    in.shortDateFormat = QStringLiteral("dd.MM.yyyy");
    in.longTimeFormat = QStringLiteral("HH:mm:ss");
    return in;
}

TEST(Description, EveryActionModeAndLanguage) {
    for (const auto& row : kVerbs) {
        for (int m = 0; m < 4; ++m) {
            for (int language : {kTurkish, kEnglish}) {
                DescriptionInput in = baseInput();
                in.action = row.action;
                in.mode = kModes[m];
                in.language = language;
                const auto d = composeDescription(in);
                ASSERT_TRUE(d.has_value());
                const bool tr = language == kTurkish;
                const auto& pieces = tr ? kTurkishPieces[m] : kEnglishPieces[m];
                SCOPED_TRACE(std::string(namesOf(row.action).stored) + " mode " +
                             std::to_string(m) + " language " + std::to_string(language));
                EXPECT_EQ(d->subject, QString::fromUtf8(pieces.subject));
                EXPECT_EQ(d->time, QString::fromUtf8(pieces.time));
                EXPECT_EQ(d->verb, QString::fromUtf8(tr ? row.turkish[m] : row.english[m]));
                EXPECT_EQ(d->timeLabel, tr ? ScheduleDescription::TimeLabel::Turkish
                                           : ScheduleDescription::TimeLabel::English);
            }
        }
    }
}

TEST(Description, OtherLanguageIndexLeavesLabelsAlone) {
    for (int language : {0, 3, -1}) {
        DescriptionInput in = baseInput();
        in.language = language;
        EXPECT_FALSE(composeDescription(in).has_value()) << language;
    }
}

TEST(Description, EdgePieces) {
    // From now with 00:00: the time piece is empty.
    DescriptionInput in = baseInput();
    in.language = kTurkish;
    in.fields.fromNow = QTime(0, 0);
    auto d = composeDescription(in);
    EXPECT_EQ(d->subject + d->time + d->verb,
              QString::fromUtf8("Bilgisayarınız  sonra kapatılacaktır."));

    // A specified moment at exactly midnight is written as the date alone.
    in = baseInput();
    in.mode = TriggerMode::SpecifiedTime;
    in.fields.specifiedTime = QTime(0, 0);
    EXPECT_EQ(composeDescription(in)->time, QStringLiteral("07.03.2026"));

    // The everyday field's text is used as shown; the suffix follows its minutes even when
    // the field's value says otherwise.
    in = baseInput();
    in.language = kTurkish;
    in.mode = TriggerMode::Everyday;
    in.action = PowerAction::Restart;
    in.everydayText = QStringLiteral("07:45");
    d = composeDescription(in);
    EXPECT_EQ(d->time, QStringLiteral("07:45"));
    EXPECT_EQ(d->verb, QString::fromUtf8(" de yeniden başlatılacaktır."));

    // The suffix belongs to the everyday sentence only.
    in.mode = TriggerMode::FromNow;
    EXPECT_EQ(composeDescription(in)->verb, QString::fromUtf8(" sonra yeniden başlatılacaktır."));
}

TEST(Description, SpecifiedMomentUsesTheLocaleNames) {
    DescriptionInput in = baseInput();
    in.mode = TriggerMode::SpecifiedTime;
    in.fields.specifiedTime = QTime(15, 30);
    in.shortDateFormat = QStringLiteral("d MMM yyyy");
    in.longTimeFormat = QStringLiteral("h:mm:ss AP");
    EXPECT_EQ(composeDescription(in)->time, QStringLiteral("7 Mar 2026 3:30:00 PM"));
}

TEST(Description, LongTimeFormatDropsTheZoneField) {
    const QString format =
        DescriptionInput::longTimeFormatOf(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_FALSE(format.contains(QLatin1Char('t'))) << format.toStdString();
    EXPECT_TRUE(format.contains(QStringLiteral("ss"))) << format.toStdString();
    EXPECT_EQ(format, format.trimmed());
}

TEST(TurkishLocativeSuffix, FollowsTheMinutes) {
    const struct {
        const char* text;
        const char* suffix;
    } cases[] = {
        {"23:00", " da"}, {"07:30", " da"}, {"12:06", " da"}, {"18:59", " da"}, {"00:09", " da"},
        {"01:10", " da"}, {"01:16", " da"}, {"01:19", " da"}, {"01:26", " da"}, {"01:29", " da"},
        {"01:36", " da"}, {"01:39", " da"}, {"01:40", " da"}, {"01:46", " da"}, {"01:49", " da"},
        {"01:56", " da"}, {"23:15", " de"}, {"07:45", " de"}, {"12:01", " de"}, {"18:58", " de"},
        {"01:20", " de"}, {"01:50", " de"}, {"99", " de"},    {"1:60", " de"},  {"12:ab", " de"},
        {"", " de"},      {"6", " da"},     {"12:5", " de"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(turkishLocativeSuffix(QString::fromLatin1(c.text)), QString::fromLatin1(c.suffix))
            << c.text;
}

TEST(DurationText, NonZeroPartsInBothLanguages) {
    const struct {
        QTime value;
        const char* turkish;
        const char* english;
    } cases[] = {
        {QTime(0, 0), "", ""},
        {QTime(0, 30), "30 Dakika ", "30 Minutes "},
        {QTime(1, 0), "1 Saat ", "1 Hours "},
        {QTime(1, 30), "1 Saat 30 Dakika ", "1 Hours 30 Minutes "},
        {QTime(23, 59), "23 Saat 59 Dakika ", "23 Hours 59 Minutes "},
        {QTime(2, 0, 7, 999), "2 Saat 7 Saniye ", "2 Hours 7 Secounds "},
        {QTime(0, 0, 0, 500), "", ""},
        {QTime(), "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(durationText(c.value, kTurkish), QString::fromUtf8(c.turkish))
            << c.value.toString().toStdString();
        EXPECT_EQ(durationText(c.value, kEnglish), QString::fromUtf8(c.english))
            << c.value.toString().toStdString();
    }
}

} // namespace
} // namespace qz
