#pragma once

#include "i18n/translation_table.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <stdexcept>

// Raised for an invalid language number or language name. what() is the UTF-8 of message().
class ELanguageError : public std::runtime_error {
public:
    explicit ELanguageError(const QString& message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

namespace qz {

// Windows character-set number of a name such as "TURKISH_CHARSET" (exact, or ignoring case), or
// -1 for an unknown name. Qt fonts carry no character set, so the translation runtime keeps it on
// the component as the int property kFontCharsetProperty (declared or dynamic).
int charsetFromName(const QString& name, Qt::CaseSensitivity cs);
inline constexpr const char* kFontCharsetProperty = "FontCharset";

} // namespace qz

// The window's translation component (qzLang1). It carries the translation table and applies it
// to the components under its owner, found by objectName (ignoring case) and reached through
// their Q_PROPERTYs by exact name: Caption and Hint (QString), Font (QFont), and for
// "cmbDil.Items[0].Caption" an Items property holding a collection object (int Count,
// Q_INVOKABLE QObject* item(int)) or a QObjectList. The owner itself is addressed by its class
// name without namespace (TAnaform) and may publish Caption, Hint and Font too.
//
// What the window does:
//   1. construct it with the window as owner (one per window);
//   2. loadProgramTable(): language 2 active, nothing applied, so the window keeps the English
//      texts it was built with. Components are looked up only when a language is applied, so they
//      must exist with their objectNames by then;
//   3. set the language whenever the controller says which (the stored one at start-up, then
//      the user's choice in cmbDil), then recompose the texts built in code. Setting the
//      active language again does nothing; an invalid number throws ELanguageError and
//      changes nothing;
//   4. messageString(messageKey(MessageId)) for boxes, notices, reminders and the update
//      (safe from another thread).
// OnChangeLanguage() is emitted after the table has been applied for a new language.
class TqzLang : public QObject {
    Q_OBJECT
    Q_PROPERTY(int ActiveLanguage READ activeLanguage WRITE setActiveLanguage)
    Q_PROPERTY(int NumOfLanguages READ numOfLanguages WRITE setNumOfLanguages)
    Q_PROPERTY(QStringList LangNames READ langNames WRITE setLangNames)
    Q_PROPERTY(QString Language READ language WRITE setLanguage)
    Q_PROPERTY(int LangDelim READ langDelim WRITE setLangDelim)
    Q_PROPERTY(QStringList ExcludedProperties MEMBER m_excludedProperties)
    Q_PROPERTY(QStringList DoNotTranslate MEMBER m_doNotTranslate)
    Q_PROPERTY(QStringList SmartExcludeProps MEMBER m_smartExcludeProps)
    Q_PROPERTY(bool UseDefaultLanguage MEMBER m_useDefaultLanguage)
    Q_PROPERTY(int DefaultLanguage MEMBER m_defaultLanguage)
    Q_PROPERTY(bool AutoSkipEmpties MEMBER m_autoSkipEmpties)
    Q_PROPERTY(bool ChangeLocales MEMBER m_changeLocales)

public:
    using TStringsType = qz::TranslationTable::TStringsType;

    // Throws ELanguageError when owner already holds a TqzLang.
    explicit TqzLang(QObject* owner);

    // The default of ExcludedProperties: property names that are never translated.
    static QStringList defaultExcludedProperties();

    // --- Loading: while loading, ActiveLanguage only stores a valid number and Language adds
    // an unknown name instead of failing.
    void beginLoading();
    bool isLoading() const { return m_loading; }
    void readTranslationData(const QByteArray& block);
    QByteArray writeTranslationData() const;
    // End-of-load steps (dialog captions, delimiter upgrade, locale names, exclusions); ends
    // loading. forceLangUpdate applies the table once.
    void loaded(bool forceLangUpdate = false);
    // The stored values of this program's window (two languages, "Türkçe" and "English",
    // English active) and its table from the built-in block, then loaded().
    void loadProgramTable();

    int activeLanguage() const { return m_activeLanguage.load(); }
    // Applies the table for a different valid language; throws ELanguageError otherwise.
    void setActiveLanguage(int language);
    int numOfLanguages() const { return m_numOfLanguages; }
    void setNumOfLanguages(int count);
    QStringList langNames() const { return m_langNames; }
    void setLangNames(const QStringList& names);
    QString language() const { return m_language; }
    void setLanguage(const QString& name);
    int langDelim() const { return m_delimiter.unicode(); }
    void setLangDelim(int code);

    QStringList& excludedProperties() { return m_excludedProperties; }
    QStringList& doNotTranslate() { return m_doNotTranslate; }
    QStringList& smartExcludeProps() { return m_smartExcludeProps; }

    // Applies the table for the active language to the owner and its components.
    virtual void changeLanguage();

    // Section rows; null for the list-less twelfth kind.
    QStringList* getPropListByType(TStringsType type) { return m_table.list(type); }
    const qz::TranslationTable& table() const { return m_table; }
    qz::TranslationTable& table() { return m_table; }

    QString getStringValue(const QStringList& rows, const QString& name, int lang) const;
    // Text of message id in the active language; empty for an unknown id or an empty cell.
    // Safe to call from another thread: the Strings section never changes after loading.
    QString messageString(const QString& id) const;

    // The owner's class name without namespace, e.g. "TAnaform".
    QString ownerClassName() const;

Q_SIGNALS:
    // Asked before a change outside loading; clearing *allow abandons it.
    void OnLanguageChanging(int newLanguage, bool* allow);
    // After the table has been applied for a new language.
    void OnChangeLanguage();

private:
    friend class TqzLangApplier;

    QChar delimiter() const { return m_delimiter; }

    qz::TranslationTable m_table;
    std::atomic<int> m_activeLanguage{1};
    int m_numOfLanguages = 1;
    QStringList m_langNames{QStringLiteral("Language N1")};
    QString m_language = QStringLiteral("Language N1");
    QChar m_delimiter = qz::TranslationTable::kDefaultDelimiter;
    QStringList m_excludedProperties;
    QStringList m_doNotTranslate;
    QStringList m_smartExcludeProps;
    bool m_useDefaultLanguage = false;
    int m_defaultLanguage = 1;
    bool m_autoSkipEmpties = true;
    bool m_changeLocales = false;
    bool m_loading = false;
};
