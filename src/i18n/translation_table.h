#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

namespace qz {

// The translation table: eleven sections of rows. A row is
//   key D cell1 D cell2 D ... cellN D
// with D the cell delimiter (U+0001 here); cell n is the text of language n.
//
// The stored block (TranslationData) is UTF-16LE without a byte-order mark: each section is a
// header line ("stCaptions_Unicode", ...) followed by its rows, every line ending with CR LF, CR
// and LF inside a row escaped as U+0019 and U+001A. Reading never fails: unknown leading lines,
// rows under the list-less twelfth header and a broken or truncated block all end as (partly) empty
// sections.
class TranslationTable {
    Q_GADGET
public:
    // Section kinds, in block order. The twelfth kind has no list and is never written.
    enum TStringsType {
        stCaptions,
        stHints,
        stDisplayLabels,
        stFonts,
        stMultiLines,
        stDlgsCaptions,
        stStrings,
        stOtherStrings,
        stLocales,
        stCollections,
        stCharSets,
        stListView_TreeView_Items,
    };
    Q_ENUM(TStringsType)

    static constexpr int kListCount = 11;
    static constexpr QChar kDefaultDelimiter = QChar(0x0001);
    static constexpr QChar kEscapedCr = QChar(0x0019);
    static constexpr QChar kEscapedLf = QChar(0x001A);

    // "stCaptions" for stCaptions; the list's name drops the "st": "Captions".
    static QString typeName(TStringsType type);
    static QString listName(TStringsType type);

    // The section's rows; null for stListView_TreeView_Items (and out-of-range values).
    QStringList* list(TStringsType type);
    const QStringList* list(TStringsType type) const;
    // By list name ("Captions", "Hints", ...), exact; null when no section has that name.
    QStringList* listByName(QStringView name);

    void clear();
    int rowCount() const;

    // Fills the sections from a stored block. A row that begins with windowClassName followed
    // directly by delimiter is put at the front of its section (the window's own row comes first).
    // storeAsUtf8 only matters for blocks that are not UTF-16 (their second byte is not zero).
    void read(const QByteArray& block, QStringView windowClassName = u"TAnaform",
              QChar delimiter = kDefaultDelimiter, bool storeAsUtf8 = false);
    // The stored block for the current sections, in section order, CR LF after every line.
    QByteArray write() const;

    // True when the last read met a header with the "_Unicode" suffix.
    bool isUnicode() const { return m_unicode; }

    bool operator==(const TranslationTable& other) const { return m_lists == other.m_lists; }

private:
    std::array<QStringList, kListCount> m_lists;
    bool m_unicode = false;
};

// Field n of a row: 0 is the key, n the cell of language n. A field exists only when the delimiter
// that ends it is present; otherwise (and for n < 0) it is the empty text.
QString rowField(QStringView row, int n, QChar delimiter = TranslationTable::kDefaultDelimiter);

// Row escapes: CR <-> U+0019, LF <-> U+001A.
QString escapeRow(QString row);
QString unescapeRow(QString row);

// Field lang of the last row whose key equals name, ignoring the case of ASCII letters only.
// No fallback: a missing key, an empty cell or a lang past the last cell give the empty text.
QString getStringValue(const QStringList& rows, QStringView name, int lang,
                       QChar delimiter = TranslationTable::kDefaultDelimiter);

// The message string of key id (see messageKey in message_id.h) from the Strings section in
// language lang (1 Turkish, 2 English).
QString messageString(const TranslationTable& table, QStringView id, int lang);

} // namespace qz
