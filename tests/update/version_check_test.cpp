#include "update/version_check.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace qz {
namespace {

struct IniCase {
    const char* name;
    QByteArray text;
    QString expected;
};

void PrintTo(const IniCase& c, std::ostream* os) {
    *os << c.name;
}

class UpdateIniTest : public ::testing::TestWithParam<IniCase> {};

TEST_P(UpdateIniTest, ReadsTheValueLikeTheIniReader) {
    EXPECT_EQ(ReadBuildNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Update, UpdateIniTest,
    ::testing::Values(
        IniCase{"Plain", "[VersionInfo]\nBuildNumber=2.0.0.4\n", "2.0.0.4"},
        IniCase{"CrLfAndBlanks", "[VersionInfo]\r\n  BuildNumber =  2.0.0.5  \r\n", "2.0.0.5"},
        IniCase{"NamesIgnoreCase", "[versioninfo]\nBUILDNUMBER=2.0.0.6", "2.0.0.6"},
        IniCase{"Quoted", "[VersionInfo]\nBuildNumber=\"2.0.0.7\"\n", "2.0.0.7"},
        IniCase{"OtherSectionsIgnored",
                "[Other]\nBuildNumber=9\n[VersionInfo]\nX=1\nBuildNumber=2.0.0.8\n", "2.0.0.8"},
        IniCase{"FirstKeyWins", "[VersionInfo]\nBuildNumber=1\nBuildNumber=2\n", "1"},
        IniCase{"OnlyFirstSectionCounts", "[VersionInfo]\nA=1\n[VersionInfo]\nBuildNumber=2\n", ""},
        IniCase{"CommentedOut", "[VersionInfo]\n;BuildNumber=2.0.0.4\n", ""},
        IniCase{"KeyInOtherSection", "[Other]\nBuildNumber=2.0.0.4\n", ""},
        IniCase{"NoSectionAtAll", "BuildNumber=2.0.0.4\n", ""},
        IniCase{"EmptyValue", "[VersionInfo]\nBuildNumber=\n", ""},
        IniCase{"Utf8Bom", "\xEF\xBB\xBF[VersionInfo]\nBuildNumber=2.0.0.4\n", "2.0.0.4"},
        IniCase{"HtmlPage", "<html><body><h1>Not Found</h1></body></html>", ""},
        IniCase{"LongValueCut", "[VersionInfo]\nBuildNumber=" + QByteArray(3000, '7'),
                QString(2047, u'7')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UpdateIni, ReadsUtf16WithByteOrderMark) {
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const QByteArray text = encoder.encode(u"[VersionInfo]\r\nBuildNumber=2.0.0.4\r\n");
    EXPECT_EQ(ReadBuildNumber(text), u"2.0.0.4");
}

TEST(UpdateIni, ReadsTheProgramsSha256BesideTheBuildNumber) {
    const QByteArray file =
        "[VersionInfo]\nBuildNumber=2.0.0.5\nsha256 = \"AB01\"\n[Other]\nSHA256=ff\n";
    EXPECT_EQ(ReadVersionInfoValue(file, kProgramSha256Key), u"AB01");
    EXPECT_EQ(ReadVersionInfoValue("[Other]\nSHA256=ff\n", kProgramSha256Key), u"");
}

TEST(UpdateServerVersion, OnlyAGoodAnswerGivesAVersion) {
    const QByteArray file = "[VersionInfo]\nBuildNumber=2.0.0.5\n";
    EXPECT_EQ(ServerVersionFromAnswer(200, file), u"2.0.0.5");
    EXPECT_EQ(ServerVersionFromAnswer(200, "[VersionInfo]\n"), u"hata");
    for (int status : {0, 203, 404, 500})
        EXPECT_EQ(ServerVersionFromAnswer(status, file), u"hata") << status;
}

TEST(UpdateDecision, AnyDifferenceButAnErrorBringsTheQuestion) {
    struct Case {
        const char* server;
        const char* own;
        bool offer;
    };
    const Case cases[] = {
        {"2.0.0.4", "2.0.0.4", false}, {"2.0.0.3", "2.0.0.4", true}, {"2.0.0.10", "2.0.0.4", true},
        {"2.00.0.4", "2.0.0.4", true}, {"hata", "2.0.0.4", false},   {"HATA", "2.0.0.4", true},
        {"2.0.0.5", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shouldOfferUpdate(QString::fromUtf8(c.server), QString::fromUtf8(c.own)), c.offer)
            << c.server << " vs " << c.own;
}

TEST(UpdateOwnVersion, IsTheBuildVersion) {
    EXPECT_EQ(GetOwnVersion(), u"2.0.0.4");
}

TEST(UpdateAddress, EnvironmentOverridesOnlyWithAUsableAddress) {
    const QString built = QStringLiteral("https://updates.example");
    struct Case {
        const char* environment;
        const char* expected;
    };
    const Case cases[] = {
        {"http://127.0.0.1:8080", "http://127.0.0.1:8080"},
        {" https://mirror.example/qz ", "https://mirror.example/qz"},
        {"", "https://updates.example"},
        {"ftp://127.0.0.1", "https://updates.example"},
        {"127.0.0.1:8080", "https://updates.example"},
        {"http://", "https://updates.example"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UpdateBaseUrlFrom(QString::fromUtf8(c.environment), built).toString(),
                  QString::fromUtf8(c.expected))
            << c.environment;
}

TEST(UpdateAddress, AppendsThePathAndKeepsAPrefix) {
    const QString path = QString::fromLatin1(kVersionFilePath);
    EXPECT_EQ(UpdateUrl(QUrl("http://127.0.0.1:8080"), path).toString(),
              u"http://127.0.0.1:8080/software/qzscheduler/qzscheduler.txt");
    EXPECT_EQ(UpdateUrl(QUrl("https://mirror.example/qz/"), path).toString(),
              u"https://mirror.example/qz/software/qzscheduler/qzscheduler.txt");
}

} // namespace
} // namespace qz
