#include "i18n/translation_table.h"

#include <QMetaEnum>

namespace qz {

namespace {

const QString kUnicodeSuffix = QStringLiteral("_Unicode");

bool validListType(int type) {
    return type >= 0 && type < TranslationTable::kListCount;
}

char16_t asciiLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

bool equalsAsciiCaseInsensitive(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i].unicode()) != asciiLower(b[i].unicode()))
            return false;
    }
    return true;
}

QString decodeBlock(const QByteArray& block, bool storeAsUtf8) {
    if (block.size() < 2)
        return {};
    QString text;
    if (block.at(1) == '\0') {
        const qsizetype units = block.size() / 2; // an odd last byte is dropped
        text.resize(units);
        auto* out = reinterpret_cast<char16_t*>(text.data());
        const auto* in = reinterpret_cast<const unsigned char*>(block.constData());
        for (qsizetype i = 0; i < units; ++i)
            out[i] = char16_t(in[2 * i] | (in[2 * i + 1] << 8));
    } else if (storeAsUtf8) {
        text = QString::fromUtf8(block);
    } else {
        text = QString::fromLocal8Bit(block);
    }
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

// CR LF, a lone CR and a lone LF each end a line; a final line break adds no empty line.
QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

// The section names, built once: the reader looks up every line of a block.
const QStringList& sectionNames() {
    static const QStringList names = [] {
        QStringList list;
        for (int t = 0; t <= TranslationTable::stListView_TreeView_Items; ++t)
            list.append(TranslationTable::typeName(TranslationTable::TStringsType(t)));
        return list;
    }();
    return names;
}

// The section type a header line stands for, or -1. Plain names are tried before suffixed ones.
int headerType(const QString& line, bool* unicode) {
    const QStringList& names = sectionNames();
    for (qsizetype t = 0; t < names.size(); ++t) {
        if (line.compare(names.at(t), Qt::CaseInsensitive) == 0) {
            *unicode = false;
            return int(t);
        }
    }
    if (!line.endsWith(kUnicodeSuffix, Qt::CaseInsensitive))
        return -1;
    const QStringView stem = QStringView(line).chopped(kUnicodeSuffix.size());
    for (qsizetype t = 0; t < names.size(); ++t) {
        if (stem.compare(names.at(t), Qt::CaseInsensitive) == 0) {
            *unicode = true;
            return int(t);
        }
    }
    return -1;
}

void appendUtf16Le(QByteArray& out, const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        out.append(char(u & 0xFF));
        out.append(char(u >> 8));
    }
}

} // namespace

QString TranslationTable::typeName(TStringsType type) {
    return QString::fromLatin1(QMetaEnum::fromType<TStringsType>().valueToKey(type));
}

QString TranslationTable::listName(TStringsType type) {
    return typeName(type).mid(2);
}

QStringList* TranslationTable::list(TStringsType type) {
    return validListType(type) ? &m_lists[std::size_t(type)] : nullptr;
}

const QStringList* TranslationTable::list(TStringsType type) const {
    return validListType(type) ? &m_lists[std::size_t(type)] : nullptr;
}

QStringList* TranslationTable::listByName(QStringView name) {
    for (int t = 0; t < kListCount; ++t) {
        if (listName(TStringsType(t)) == name)
            return &m_lists[std::size_t(t)];
    }
    return nullptr;
}

void TranslationTable::clear() {
    for (auto& rows : m_lists)
        rows.clear();
    m_unicode = false;
}

int TranslationTable::rowCount() const {
    int count = 0;
    for (const auto& rows : m_lists)
        count += int(rows.size());
    return count;
}

void TranslationTable::read(const QByteArray& block, QStringView windowClassName, QChar delimiter,
                            bool storeAsUtf8) {
    m_unicode = false;
    const QStringList lines = splitLines(decodeBlock(block, storeAsUtf8));
    const QString ownRowPrefix = windowClassName.toString() + delimiter;

    qsizetype i = 0;
    // Lines before the first header belong to no section.
    bool unicode = false;
    while (i < lines.size() && headerType(lines.at(i), &unicode) < 0)
        ++i;

    while (i < lines.size()) {
        const int type = headerType(lines.at(i), &unicode);
        ++i;
        if (unicode)
            m_unicode = true;
        if (i >= lines.size())
            break; // a header on the last line changes nothing
        QStringList* rows = list(TStringsType(type));
        if (rows)
            rows->clear();
        for (; i < lines.size(); ++i) {
            bool nextUnicode = false;
            if (headerType(lines.at(i), &nextUnicode) >= 0)
                break;
            if (!rows)
                continue;
            const QString row = unescapeRow(lines.at(i));
            if (row.startsWith(ownRowPrefix))
                rows->prepend(row);
            else
                rows->append(row);
        }
    }
}

QByteArray TranslationTable::write() const {
    QByteArray out;
    for (int t = 0; t < kListCount; ++t) {
        appendUtf16Le(out, typeName(TStringsType(t)) + kUnicodeSuffix + QStringLiteral("\r\n"));
        for (const QString& row : m_lists[std::size_t(t)])
            appendUtf16Le(out, escapeRow(row) + QStringLiteral("\r\n"));
    }
    return out;
}

QString rowField(QStringView row, int n, QChar delimiter) {
    if (n < 0)
        return {};
    qsizetype start = 0;
    for (int k = 0; k < n; ++k) {
        const qsizetype d = row.indexOf(delimiter, start);
        if (d < 0)
            return {};
        start = d + 1;
    }
    const qsizetype end = row.indexOf(delimiter, start);
    if (end < 0)
        return {};
    return row.mid(start, end - start).toString();
}

QString escapeRow(QString row) {
    row.replace(QChar(u'\r'), TranslationTable::kEscapedCr);
    row.replace(QChar(u'\n'), TranslationTable::kEscapedLf);
    return row;
}

QString unescapeRow(QString row) {
    row.replace(TranslationTable::kEscapedCr, QChar(u'\r'));
    row.replace(TranslationTable::kEscapedLf, QChar(u'\n'));
    return row;
}

QString getStringValue(const QStringList& rows, QStringView name, int lang, QChar delimiter) {
    QString result;
    for (const QString& row : rows) {
        if (equalsAsciiCaseInsensitive(rowField(row, 0, delimiter), name))
            result = rowField(row, lang, delimiter);
    }
    return result;
}

QString messageString(const TranslationTable& table, QStringView id, int lang) {
    return getStringValue(*table.list(TranslationTable::stStrings), id, lang);
}

} // namespace qz
