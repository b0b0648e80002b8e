// Reads arbitrary bytes as a stored translation block, the way the window reads its
// TranslationData, and checks what the rest of the program relies on: reading never fails, the
// window's own row leads its section, looked-up texts are whole cells, and a table written out
// reads back unchanged.
#include "fuzz_check.h"
#include "i18n/translation_table.h"

#include <cstddef>
#include <cstdint>

namespace {

using qz::TranslationTable;

constexpr QChar kDelimiter = TranslationTable::kDefaultDelimiter;
const QString kOwnRowPrefix = QStringLiteral("TAnaform") + kDelimiter;
// No line of a block can hold a NUL, so no row ever counts as the window's own.
const QString kNoClass = QString(QChar(0));

bool holdsOneOwnRowAtMost(const QStringList& rows) {
    int own = 0;
    for (const QString& row : rows)
        own += row.startsWith(kOwnRowPrefix) ? 1 : 0;
    return own <= 1;
}

void checkLookups(const TranslationTable& table) {
    for (int t = 0; t < TranslationTable::kListCount; ++t) {
        const QStringList& rows = *table.list(TranslationTable::TStringsType(t));
        bool ownSeen = false;
        for (const QString& row : rows) {
            // Stored escapes are always turned back into line breaks.
            QZ_FUZZ_CHECK(!row.contains(TranslationTable::kEscapedCr));
            QZ_FUZZ_CHECK(!row.contains(TranslationTable::kEscapedLf));
            ownSeen = ownSeen || row.startsWith(kOwnRowPrefix);
        }
        if (ownSeen)
            QZ_FUZZ_CHECK(rows.first().startsWith(kOwnRowPrefix));

        // A few keys of the section, looked up in every language and past them.
        for (qsizetype r = 0; r < qMin<qsizetype>(rows.size(), 4); ++r) {
            const QString key = qz::rowField(rows.at(r), 0);
            for (int lang = -1; lang <= 3; ++lang) {
                const QString value = qz::getStringValue(rows, key, lang);
                QZ_FUZZ_CHECK(!value.contains(kDelimiter));
                if (lang < 0)
                    QZ_FUZZ_CHECK(value.isEmpty());
                if (lang == 0) // the key of the matching row: the same up to ASCII case
                    QZ_FUZZ_CHECK(value.compare(key, Qt::CaseInsensitive) == 0);
            }
        }
    }
    for (const QStringView id : {u"1", u"6", u"", u"x"}) {
        for (int lang = 0; lang <= 3; ++lang)
            QZ_FUZZ_CHECK(!qz::messageString(table, id, lang).contains(kDelimiter));
    }
}

void checkRoundTrip(const TranslationTable& table, QStringView className) {
    const QByteArray written = table.write();
    QZ_FUZZ_CHECK(written.size() % 2 == 0);
    TranslationTable reread;
    reread.read(written, className);
    QZ_FUZZ_CHECK(reread.isUnicode());
    QZ_FUZZ_CHECK(reread == table);
    QZ_FUZZ_CHECK(reread.write() == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray block(reinterpret_cast<const char*>(data), qsizetype(size));

    // As the window reads it.
    TranslationTable table;
    table.read(block);
    QZ_FUZZ_CHECK(table.list(TranslationTable::stListView_TreeView_Items) == nullptr);
    checkLookups(table);
    bool ownRowsFit = true;
    for (int t = 0; t < TranslationTable::kListCount; ++t)
        ownRowsFit =
            ownRowsFit && holdsOneOwnRowAtMost(*table.list(TranslationTable::TStringsType(t)));
    if (ownRowsFit)
        checkRoundTrip(table, u"TAnaform");

    // Without any own row, every table must survive writing and reading back as it is.
    TranslationTable plain;
    plain.read(block, kNoClass);
    checkRoundTrip(plain, kNoClass);
    QZ_FUZZ_CHECK(plain.rowCount() == table.rowCount());

    // Blocks that are not UTF-16 take the 8-bit paths.
    if (block.size() < 2 || block.at(1) == '\0')
        return 0;
    TranslationTable utf8;
    utf8.read(block, u"TAnaform", kDelimiter, true);
    checkLookups(utf8);
    return 0;
}
