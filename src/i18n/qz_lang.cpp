#include "i18n/qz_lang.h"

#include "i18n/language_choice.h"
#include "i18n/program_translation.h"
#include "i18n/qz_lang_apply.h"

#include <QLocale>

ELanguageError::ELanguageError(const QString& message)
    : std::runtime_error(message.toStdString()), m_message(message) {}

namespace qz {

namespace {

struct CharsetName {
    const char* name;
    int number;
};

constexpr CharsetName kCharsets[] = {
    {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
};

} // namespace

int charsetFromName(const QString& name, Qt::CaseSensitivity cs) {
    for (const auto& charset : kCharsets) {
        if (name.compare(QLatin1String(charset.name), cs) == 0)
            return charset.number;
    }
    return -1;
}

} // namespace qz

using qz::TranslationTable;

TqzLang::TqzLang(QObject* owner) : QObject(nullptr) {
    if (owner && owner->findChild<TqzLang*>(QString(), Qt::FindDirectChildrenOnly))
        throw ELanguageError(
            QStringLiteral("Only one TqzCustomLang component per Form/DataModule allowed!"));
    setParent(owner);
    m_excludedProperties = defaultExcludedProperties();
}

QStringList TqzLang::defaultExcludedProperties() {
    return {QStringLiteral("Category"),
            QStringLiteral("SecondaryShortCuts"),
            QStringLiteral("HelpKeyword"),
            QStringLiteral("InitialDir"),
            QStringLiteral("HelpKeyword"),
            QStringLiteral("ActivePage"),
            QStringLiteral("ImeName"),
            QStringLiteral("DefaultExt"),
            QStringLiteral("FileName"),
            QStringLiteral("FieldName"),
            QStringLiteral("PickList"),
            QStringLiteral("DisplayFormat"),
            QStringLiteral("EditMask"),
            QStringLiteral("KeyList"),
            QStringLiteral("LookupDisplayFields"),
            QStringLiteral("DropDownSpecRow"),
            QStringLiteral("TableName"),
            QStringLiteral("DatabaseName"),
            QStringLiteral("IndexName"),
            QStringLiteral("MasterFields"),
            QStringLiteral("SQL"),
            QStringLiteral("DeleteSQL"),
            QStringLiteral("UpdateSQL"),
            QStringLiteral("ModifySQL"),
            QStringLiteral("KeyFields"),
            QStringLiteral("LookupKeyFields"),
            QStringLiteral("LookupResultField"),
            QStringLiteral("DataField"),
            QStringLiteral("KeyField"),
            QStringLiteral("ListField")};
}

QString TqzLang::ownerClassName() const {
    if (!parent())
        return {};
    const QString name = QString::fromLatin1(parent()->metaObject()->className());
    const qsizetype colon = name.lastIndexOf(QLatin1String("::"));
    return colon < 0 ? name : name.mid(colon + 2);
}

void TqzLang::beginLoading() {
    m_loading = true;
}

void TqzLang::readTranslationData(const QByteArray& block) {
    m_table.read(block, ownerClassName(), m_delimiter);
}

QByteArray TqzLang::writeTranslationData() const {
    return m_table.write();
}

void TqzLang::loadProgramTable() {
    beginLoading();
    setNumOfLanguages(2);
    setActiveLanguage(qz::kEnglish);
    setLangDelim(1);
    setLangNames({QStringLiteral("Türkçe"), QStringLiteral("English")});
    setLanguage(QStringLiteral("English"));
    m_excludedProperties = defaultExcludedProperties();
    readTranslationData(qz::programTranslationData());
    loaded();
}

void TqzLang::setActiveLanguage(int language) {
    if (language == m_activeLanguage.load())
        return;
    if (language < 1 || language > m_numOfLanguages) {
        if (m_loading)
            return;
        const QString text = QStringLiteral("%1 - is not a valid property value!\rValue must be "
                                            "within [1..%2]!")
                                 .arg(language)
                                 .arg(m_numOfLanguages);
        throw ELanguageError(parent() ? ownerClassName() + QStringLiteral(": ") + text : text);
    }
    if (m_loading) {
        m_activeLanguage = language;
        return;
    }
    bool allow = true;
    Q_EMIT OnLanguageChanging(language, &allow);
    if (!allow)
        return;
    m_activeLanguage = language;
    if (language - 1 < m_langNames.size())
        m_language = m_langNames.at(language - 1);
    changeLanguage();
}

void TqzLang::setNumOfLanguages(int count) {
    if (count < 1)
        throw ELanguageError(QStringLiteral("%1 - is not a valid property value !\rValue must be "
                                            "more than ZERO !")
                                 .arg(count));
    if (count == m_numOfLanguages && m_langNames.size() == count)
        return;
    while (m_langNames.size() < count)
        m_langNames.append(QStringLiteral("Language N%1").arg(m_langNames.size() + 1));
    if (count < m_numOfLanguages) {
        // Dropped languages lose their cells: keep the key and the first count cells.
        for (int t = 0; t < TranslationTable::kListCount; ++t) {
            for (QString& row : *m_table.list(TStringsType(t))) {
                QString kept;
                for (int field = 0; field <= count; ++field)
                    kept += qz::rowField(row, field, m_delimiter) + m_delimiter;
                row = kept;
            }
        }
    }
    while (m_langNames.size() > count)
        m_langNames.removeLast();
    m_numOfLanguages = count;
    if (m_activeLanguage.load() > count)
        m_activeLanguage = count;
    m_language = m_langNames.at(m_activeLanguage.load() - 1);
}

void TqzLang::setLangNames(const QStringList& names) {
    if (names.isEmpty())
        throw ELanguageError(QStringLiteral("0 - is not a valid property value !\rValue must be "
                                            "more than ZERO !"));
    m_numOfLanguages = int(names.size());
    m_langNames = names;
    if (m_activeLanguage.load() > m_numOfLanguages)
        m_activeLanguage = m_numOfLanguages;
    m_language = m_langNames.at(m_activeLanguage.load() - 1);
}

void TqzLang::setLanguage(const QString& name) {
    const qsizetype index = m_langNames.indexOf(name);
    if (index < 0) {
        if (!m_loading)
            throw ELanguageError(
                QStringLiteral("Language name shall be included in LangNames property!"));
        m_langNames.append(name);
        m_numOfLanguages = int(m_langNames.size());
        return;
    }
    setActiveLanguage(int(index) + 1);
    m_language = name;
}

void TqzLang::setLangDelim(int code) {
    if (code > 0 && code <= 0xFFFF)
        m_delimiter = QChar(char16_t(code));
}

QString TqzLang::getStringValue(const QStringList& rows, const QString& name, int lang) const {
    return qz::getStringValue(rows, name, lang, m_delimiter);
}

QString TqzLang::messageString(const QString& id) const {
    return getStringValue(*m_table.list(TranslationTable::stStrings), id, activeLanguage());
}

void TqzLang::loaded(bool forceLangUpdate) {
    const QChar d = m_delimiter;
    // Dialog captions: a full set of 86 keeps only the standard dialog words.
    QStringList& dialogs = *m_table.list(TranslationTable::stDlgsCaptions);
    if (dialogs.size() == 86) {
        static const QStringList kDialogWords = {
            QStringLiteral("Warning"),     QStringLiteral("Error"),
            QStringLiteral("Information"), QStringLiteral("Confirm"),
            QStringLiteral("Yes"),         QStringLiteral("No"),
            QStringLiteral("OK"),          QStringLiteral("Cancel"),
            QStringLiteral("Abort"),       QStringLiteral("Retry"),
            QStringLiteral("Ignore"),      QStringLiteral("All"),
            QStringLiteral("No To All"),   QStringLiteral("Yes To All"),
            QStringLiteral("Help")};
        dialogs.removeIf([&](const QString& row) {
            return !kDialogWords.contains(qz::rowField(row, 0, d), Qt::CaseInsensitive);
        });
    }

    // Tables saved with tabs between cells are brought to the current delimiter.
    bool tabRows = m_delimiter == QChar(u'\t');
    if (!tabRows) {
        for (int t = 0; t < TranslationTable::kListCount && !tabRows; ++t) {
            for (const QString& row : *m_table.list(TStringsType(t))) {
                tabRows = row.contains(QChar(u'\t')) && !row.contains(d);
                break;
            }
        }
    }
    if (tabRows) {
        if (m_delimiter == QChar(u'\t'))
            m_delimiter = TranslationTable::kDefaultDelimiter;
        for (int t = 0; t < TranslationTable::kListCount; ++t) {
            for (QString& row : *m_table.list(TStringsType(t)))
                row.replace(QChar(u'\t'), m_delimiter);
        }
    }

    // Older locale sections lack the month and day names: add the system's.
    QStringList& locales = *m_table.list(TranslationTable::stLocales);
    if (locales.size() == 11) {
        const QLocale system = QLocale::system();
        auto names = [&](bool months, QLocale::FormatType format) {
            QStringList list;
            for (int i = 1; i <= (months ? 12 : 7); ++i)
                list.append(months ? system.monthName(i, format) : system.dayName(i, format));
            return list.join(QLatin1Char(','));
        };
        const QChar nd = m_delimiter;
        locales.append(QStringLiteral("Short Month Names") + nd +
                       names(true, QLocale::ShortFormat) + nd);
        locales.append(QStringLiteral("Long Month Names") + nd + names(true, QLocale::LongFormat) +
                       nd);
        locales.append(QStringLiteral("Short Day Names") + nd + names(false, QLocale::ShortFormat) +
                       nd);
        locales.append(QStringLiteral("Long Day Names") + nd + names(false, QLocale::LongFormat) +
                       nd);
    }

    TqzLangApplier(*this).excludeProperties();
    m_loading = false;
    if (forceLangUpdate)
        changeLanguage();
}
