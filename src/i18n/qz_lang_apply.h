#pragma once

#include "i18n/qz_lang.h"

#include <QMetaProperty>

#include <optional>

// Applies TqzLang's table to its owner and the components under it, through the meta-object
// system: components by objectName (ignoring case), properties by their exact Q_PROPERTY name.
// Internal to the translation runtime.
class TqzLangApplier {
public:
    using TStringsType = qz::TranslationTable::TStringsType;

    explicit TqzLangApplier(TqzLang& lang);

    // End-of-load removal of rows whose property must never be translated.
    void excludeProperties();
    // Applies every section for the active language (without the change notification).
    void changeLanguage();

private:
    struct ReadOnlyPass;

    QObject* findComponent(const QString& name) const;
    // The component, or the owner when name is its class name or objectName (exact).
    QObject* rowObject(const QString& name) const;
    bool isExcluded(const QString& component, const QString& path) const;
    bool doNotTranslate(const QString& component) const;
    QString cellOf(const QString& row) const;

    void cleanUp(TStringsType type);
    void applySection(TStringsType type);
    void applyCollections();
    void applyOwnText(TStringsType type, const char* property);
    void applyOwnFont();
    void applyFont(QObject* object, const QString& key, const QString& face);
    void applyText(QObject* object, const QString& path, const QString& cell, bool filePaths);

    QStringList& rows(TStringsType type) { return *m_lang.m_table.list(type); }
    bool ownerHasText(const char* property) const;
    bool ownerHasFont() const;

    TqzLang& m_lang;
    QObject* m_owner;
    QString m_className;
    QChar m_delim;
    mutable std::optional<QList<QObject*>> m_listedChildren;
};
