#include "build_config.h"
#include "i18n/program_translation.h"
#include "i18n/stored_table_rows.h"
#include "i18n/translation_table.h"

#include <gtest/gtest.h>

#include <QFile>

using qz::TranslationTable;

namespace {

constexpr QChar D = TranslationTable::kDefaultDelimiter;

QByteArray utf16le(const QString& text) {
    QByteArray out;
    for (const QChar c : text) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

QString row(const QString& key, const QString& tr, const QString& en) {
    return key + D + tr + D + en + D;
}

struct ReadCase {
    const char* name;
    QString text; // block text before UTF-16LE encoding
    TranslationTable::TStringsType section;
    QStringList rows;
};

// Names the case instead of dumping its bytes in test listings.
void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class I18nReadBlock : public ::testing::TestWithParam<ReadCase> {};

TEST_P(I18nReadBlock, FillsSection) {
    const ReadCase& c = GetParam();
    TranslationTable table;
    table.read(utf16le(c.text));
    EXPECT_EQ(*table.list(c.section), c.rows);
}

const QString kCrLf = QStringLiteral("\r\n");

INSTANTIATE_TEST_SUITE_P(
    Cases, I18nReadBlock,
    ::testing::Values(
        ReadCase{"HeaderInCapitals",
                 "STCAPTIONS_UNICODE\r\n" + row("a", "x", "y") + kCrLf,
                 TranslationTable::stCaptions,
                 {row("a", "x", "y")}},
        ReadCase{"PlainHeader",
                 "stHints\r\n" + row("h", "1", "2") + kCrLf,
                 TranslationTable::stHints,
                 {row("h", "1", "2")}},
        ReadCase{"RowsBeforeFirstHeaderSkipped",
                 row("lost", "a", "b") + "\r\nstCaptions_Unicode\r\n" + row("kept", "a", "b"),
                 TranslationTable::stCaptions,
                 {row("kept", "a", "b")}},
        ReadCase{"OwnRowMovedToFront",
                 "stCaptions_Unicode\r\n" + row("b1", "a", "b") + kCrLf +
                     row("TAnaformX", "a", "b") + kCrLf + row("TAnaform", "T", "E") + kCrLf,
                 TranslationTable::stCaptions,
                 {row("TAnaform", "T", "E"), row("b1", "a", "b"), row("TAnaformX", "a", "b")}},
        ReadCase{"OwnRowNeedsExactCase",
                 "stFonts_Unicode\r\n" + row("x", "a", "b") + kCrLf + row("tanaform", "a", "b"),
                 TranslationTable::stFonts,
                 {row("x", "a", "b"), row("tanaform", "a", "b")}},
        ReadCase{"EscapesBecomeLineBreaks",
                 "stStrings_Unicode\r\n1" + QString(D) + "a" + QChar(0x19) + QChar(0x1A) + "b" + D,
                 TranslationTable::stStrings,
                 {"1" + QString(D) + "a\r\nb" + D}},
        ReadCase{"LoneCrAndLfEndLines",
                 "stStrings_Unicode\r" + row("1", "a", "b") + "\n" + row("2", "c", "d"),
                 TranslationTable::stStrings,
                 {row("1", "a", "b"), row("2", "c", "d")}},
        ReadCase{"DuplicateKeysKeptInOrder",
                 "stStrings_Unicode\r\n" + row("1", "a", "b") + kCrLf + row("1", "c", "d"),
                 TranslationTable::stStrings,
                 {row("1", "a", "b"), row("1", "c", "d")}},
        ReadCase{"TwelfthSectionSkipped",
                 "stListView_TreeView_Items_Unicode\r\n" + row("x", "a", "b") +
                     "\r\nstCaptions_Unicode\r\n" + row("y", "a", "b"),
                 TranslationTable::stCaptions,
                 {row("y", "a", "b")}},
        ReadCase{"HeaderAfterHeaderLeavesEmpty",
                 "stCaptions_Unicode\r\nstHints_Unicode\r\n" + row("h", "a", "b"),
                 TranslationTable::stCaptions,
                 {}},
        ReadCase{"NulEndsText",
                 "stStrings_Unicode\r\n" + row("1", "a", "b") + QChar(0) + "\r\n" +
                     row("2", "c", "d"),
                 TranslationTable::stStrings,
                 {row("1", "a", "b")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(I18nReadBlock, TinyOrBrokenBlocksGiveEmptyTable) {
    for (const QByteArray& block : {QByteArray(), QByteArray("s"), QByteArray("\xff\xfe\x00", 3),
                                    utf16le("garbage\r\nmore")}) {
        TranslationTable table;
        table.read(block);
        EXPECT_EQ(table.rowCount(), 0);
    }
}

TEST(I18nReadBlock, OddTrailingByteAndLastLineHeaderChangeNothing) {
    TranslationTable table;
    table.read(utf16le("stCaptions_Unicode\r\n" + row("a", "b", "c") + "\r\nstHints_Unicode") +
               "x");
    EXPECT_EQ(*table.list(TranslationTable::stCaptions), QStringList{row("a", "b", "c")});
    EXPECT_TRUE(table.list(TranslationTable::stHints)->isEmpty());
}

TEST(I18nRowField, CountsDelimiters) {
    const QString full = row("x", "a", "b");
    const QString unterminated = "x" + QString(D) + "a" + D + "b";
    EXPECT_EQ(qz::rowField(full, 0), "x");
    EXPECT_EQ(qz::rowField(full, 2), "b");
    EXPECT_EQ(qz::rowField(full, 3), "");
    EXPECT_EQ(qz::rowField(unterminated, 1), "a");
    EXPECT_EQ(qz::rowField(unterminated, 2), "");
    EXPECT_EQ(qz::rowField(u"nodelimiter", 0), "");
    EXPECT_EQ(qz::rowField(full, -1), "");
}

TEST(I18nWriteBlock, EscapesLineBreaksAndEndsEveryLineWithCrLf) {
    TranslationTable table;
    table.list(TranslationTable::stStrings)->append(row("1", "a\r\nb", "c"));
    const QByteArray block = table.write();
    const QString expectedStrings = "stStrings_Unicode\r\n1" + QString(D) + "a" + QChar(0x19) +
                                    QChar(0x1A) + "b" + D + "c" + D + "\r\n";
    EXPECT_TRUE(block.contains(utf16le(expectedStrings)));
    EXPECT_TRUE(block.startsWith(utf16le("stCaptions_Unicode\r\nstHints_Unicode\r\n")));
    EXPECT_TRUE(block.endsWith(utf16le("stCollections_Unicode\r\nstCharSets_Unicode\r\n")));
    EXPECT_FALSE(block.contains(utf16le("stListView")));

    TranslationTable back;
    back.read(block);
    EXPECT_EQ(back, table);
}

TEST(I18nStringValue, CaseInsensitiveAsciiLastWinsNoFallback) {
    const QStringList rows{row("msg", "eski", "old"), row("Key", "tr", ""),
                           row("MSG", "yeni", "new"), row("\u0130d", "i", "I")};
    EXPECT_EQ(qz::getStringValue(rows, u"mSg", 2), "new");
    EXPECT_EQ(qz::getStringValue(rows, u"KEY", 2), ""); // empty cell, never the other language
    EXPECT_EQ(qz::getStringValue(rows, u"KEY", 0), "Key");
    EXPECT_EQ(qz::getStringValue(rows, u"key", 3), "");
    EXPECT_EQ(qz::getStringValue(rows, u"absent", 1), "");
    EXPECT_EQ(qz::getStringValue(rows, u"id", 1), ""); // only ASCII letters fold
}

class I18nProgramTable : public ::testing::Test {
protected:
    void SetUp() override {
        block = qz::programTranslationData();
        table.read(block);
    }
    QByteArray block;
    TranslationTable table;
};

TEST_F(I18nProgramTable, KeepsTheStoredRowsAndAddsItsOwnAfterThem) {
    ASSERT_FALSE(block.isEmpty());
    EXPECT_TRUE(table.isUnicode());
    QString text = QString::fromUtf8(kStoredTableRows).trimmed();
    text.replace(QLatin1Char('|'), D);
    text.replace(QStringLiteral("@QZ_MAKER_URL@"), QString::fromUtf8(qz::build::kMakerUrl));
    TranslationTable stored;
    stored.read(utf16le(text));
    ASSERT_EQ(stored.rowCount(), 122);

    for (int i = 0; i < TranslationTable::kListCount; ++i) {
        const auto type = static_cast<TranslationTable::TStringsType>(i);
        const QString name = TranslationTable::typeName(type);
        const QStringList& want = *stored.list(type);
        const QStringList& have = *table.list(type);
        ASSERT_GE(have.size(), want.size()) << qPrintable(name);
        EXPECT_EQ(have.mid(0, want.size()), want) << qPrintable(name);
        QStringList storedKeys;
        for (const QString& row : want)
            storedKeys << qz::rowField(row, 0);
        // The program's own rows: a key of their own and a text in both languages.
        for (const QString& row : have.mid(want.size())) {
            EXPECT_FALSE(storedKeys.contains(qz::rowField(row, 0))) << qPrintable(row);
            EXPECT_FALSE(qz::rowField(row, 1).isEmpty() || qz::rowField(row, 2).isEmpty())
                << qPrintable(row);
            if (type == TranslationTable::stStrings) {
                EXPECT_GT(qz::rowField(row, 0).toInt(), 6) << qPrintable(row);
            }
        }
    }
}

TEST_F(I18nProgramTable, WritesBackByteForByte) {
    EXPECT_EQ(table.write(), block);
    TranslationTable again;
    again.read(table.write());
    EXPECT_EQ(again, table);
}

TEST_F(I18nProgramTable, BlockStartsAsStored) {
    // Every character two bytes, low byte first, no byte-order mark; CR LF after each line.
    const QString start = "stCaptions_Unicode\r\n" +
                          row("TAnaform", "QZ Duvodoro Ruruzovad", "QZ Duvodoro Ruruzovad") + kCrLf;
    EXPECT_TRUE(block.startsWith(utf16le(start)));
    EXPECT_TRUE(
        block.endsWith(utf16le(row("qzTimeEdit1", "DEFAULT_CHARSET", "DEFAULT_CHARSET") + kCrLf)));
    EXPECT_TRUE(block.contains(utf16le(row("btnshutdown", "Kapat", "Shutdown") + kCrLf)));
}

TEST_F(I18nProgramTable, CellsKeepTheirExactTexts) {
    const auto& captions = *table.list(TranslationTable::stCaptions);
    EXPECT_EQ(qz::getStringValue(captions, u"lblBil", 1), "Bilgisayarınız ");
    EXPECT_EQ(qz::getStringValue(captions, u"lblUrl", 1), QString::fromUtf8(qz::build::kMakerUrl));
    EXPECT_EQ(qz::getStringValue(captions, u"lblUrl", 2), "");
    EXPECT_EQ(qz::getStringValue(captions, u"radioSuandanitibaren", 1), "Şu andan itibaren");
    const auto& charsets = *table.list(TranslationTable::stCharSets);
    EXPECT_EQ(qz::getStringValue(charsets, u"lblislem", 1), "ANSI_CHARSET");
    EXPECT_EQ(qz::getStringValue(charsets, u"lblislem", 2), "DEFAULT_CHARSET");
    EXPECT_EQ(qz::getStringValue(*table.list(TranslationTable::stDlgsCaptions), u"No To All", 1),
              "N&o to All");
}

struct MessageCase {
    const char* id;
    int lang;
    const char* text;
};

TEST_F(I18nProgramTable, MessageStrings) {
    const MessageCase cases[] = {
        {"1", 1, "Uygulamanın Yeni Sürümü Mevcut. Şimdi Güncellensin mi?"},
        {"1", 2, "There is a new version of app. Do you want to update now"},
        {"2", 1, "Belirttiğiniz tarih ,şuanki tarihten daha küçük olamaz"},
        {"2", 2, "The date you specified cannot be smaller than the current date"},
        {"3", 1, "Programladığınız eylemin tamamlanmasına kalan süre :"},
        {"3", 2, "Time to complete the programmed action :"},
        {"4", 1, "Güncelleme Dosyası İndiriliyor..."},
        {"4", 2, "Updating..."},
        {"5", 1, "Güncelleme Dosyası İndirildi"},
        {"5", 2, "Update file downloaded"},
        {"6", 1, "Güncel Versiyon İndirildi, Şimdi Kurulsun mu?"},
        {"6", 2, "Application downloaded. Install now?"},
        {"99", 1, ""},
        {"1", 3, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qz::messageString(table, QString::fromLatin1(c.id), c.lang),
                  QString::fromUtf8(c.text))
            << c.id << "/" << c.lang;
}

} // namespace
