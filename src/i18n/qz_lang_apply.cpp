#include "i18n/qz_lang_apply.h"

#include "i18n/property_access.h"

#include <QDir>
#include <QFont>

using qz::TranslationTable;

namespace {

QString shortClassName(const QObject* object) {
    const QString name = QString::fromLatin1(object->metaObject()->className());
    const qsizetype colon = name.lastIndexOf(QLatin1String("::"));
    return colon < 0 ? name : name.mid(colon + 2);
}

const char* sectionProperty(TranslationTable::TStringsType type) {
    switch (type) {
    case TranslationTable::stCaptions:
        return "Caption";
    case TranslationTable::stHints:
        return "Hint";
    case TranslationTable::stDisplayLabels:
        return "DisplayLabel";
    case TranslationTable::stFonts:
        return "Font";
    case TranslationTable::stCharSets:
        return "CharSet";
    default:
        return "";
    }
}

struct CollectionKey {
    QString component;
    QString collection;
    int index = -1;
    QString itemProperty;
    bool valid = false;
};

// "cmbDil.Items[0].Caption"
CollectionKey parseCollectionKey(const QString& key) {
    CollectionKey k;
    const qsizetype dot = key.indexOf(QLatin1Char('.'));
    const qsizetype open = key.indexOf(QLatin1Char('['), dot + 1);
    const qsizetype close = key.indexOf(QLatin1String("]."), open + 1);
    if (dot <= 0 || open <= dot + 1 || close <= open + 1)
        return k;
    k.component = key.left(dot);
    k.collection = key.mid(dot + 1, open - dot - 1);
    bool ok = false;
    k.index = key.mid(open + 1, close - open - 1).toInt(&ok);
    k.itemProperty = key.mid(close + 2);
    k.valid = ok && k.index >= 0 && !k.itemProperty.isEmpty();
    return k;
}

} // namespace

TqzLangApplier::TqzLangApplier(TqzLang& lang)
    : m_lang(lang), m_owner(lang.parent()), m_className(lang.ownerClassName()),
      m_delim(lang.m_delimiter) {}

QObject* TqzLangApplier::findComponent(const QString& name) const {
    if (!m_owner || name.isEmpty())
        return nullptr;
    const QList<QObject*> children =
        m_listedChildren ? *m_listedChildren : m_owner->findChildren<QObject*>();
    for (QObject* child : children) {
        // The component itself is no target: a row naming it could switch languages mid-change.
        if (child != &m_lang && child->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return child;
    }
    return nullptr;
}

QObject* TqzLangApplier::rowObject(const QString& name) const {
    if (QObject* component = findComponent(name))
        return component;
    if (m_owner && (name == m_className || name == m_owner->objectName()))
        return m_owner;
    return nullptr;
}

bool TqzLangApplier::doNotTranslate(const QString& component) const {
    return m_lang.m_doNotTranslate.contains(component, Qt::CaseInsensitive);
}

bool TqzLangApplier::isExcluded(const QString& component, const QString& path) const {
    const QStringList& excluded = m_lang.m_excludedProperties;
    if (excluded.contains(path, Qt::CaseInsensitive))
        return true;
    for (const QString& part : path.split(QLatin1Char('.'))) {
        if (excluded.contains(part, Qt::CaseInsensitive))
            return true;
    }
    const QStringList& smart = m_lang.m_smartExcludeProps;
    if (smart.contains(component + QLatin1Char('.') + path, Qt::CaseInsensitive))
        return true;
    if (path.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
        return true;
    if (const QObject* object = rowObject(component)) {
        const QString cls = shortClassName(object);
        if (smart.contains(QLatin1Char('!') + cls + QLatin1Char('.') + path, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// The passes that only read list the owner's children once for all their lookups; the
// passes that write properties look afresh, as a write may add or remove components.
struct TqzLangApplier::ReadOnlyPass {
    explicit ReadOnlyPass(const TqzLangApplier& applier) : m_applier(applier) {
        if (applier.m_owner)
            applier.m_listedChildren = applier.m_owner->findChildren<QObject*>();
    }
    ~ReadOnlyPass() { m_applier.m_listedChildren.reset(); }
    ReadOnlyPass(const ReadOnlyPass&) = delete;
    ReadOnlyPass& operator=(const ReadOnlyPass&) = delete;

    const TqzLangApplier& m_applier;
};

void TqzLangApplier::excludeProperties() {
    const ReadOnlyPass pass(*this);
    const QStringList& excluded = m_lang.m_excludedProperties;
    auto has = [&](const char* name) {
        return excluded.contains(QLatin1String(name), Qt::CaseInsensitive);
    };
    if (has("Caption"))
        rows(TranslationTable::stCaptions).clear();
    if (has("Hint"))
        rows(TranslationTable::stHints).clear();
    if (has("DisplayLabel"))
        rows(TranslationTable::stDisplayLabels).clear();
    if (has("Font")) {
        rows(TranslationTable::stFonts).clear();
        rows(TranslationTable::stCharSets).clear();
    }
    if (has("Charset"))
        rows(TranslationTable::stCharSets).clear();

    for (TStringsType type : {TranslationTable::stCaptions, TranslationTable::stHints,
                              TranslationTable::stDisplayLabels, TranslationTable::stFonts,
                              TranslationTable::stMultiLines, TranslationTable::stOtherStrings,
                              TranslationTable::stCollections, TranslationTable::stCharSets}) {
        QStringList& list = rows(type);
        for (qsizetype i = list.size() - 1; i >= 0; --i) {
            const QString& row = list.at(i);
            bool remove = false;
            if (type == TranslationTable::stCollections) {
                // "Owner.Property[Index].Item": dots and brackets alike part the words.
                QString parted = row;
                parted.replace(u'[', u'.').replace(u']', u'.');
                const QStringList words = parted.split(u'.', Qt::SkipEmptyParts);
                remove = words.size() >= 2 && isExcluded(words[0], words[1]);
                if (!remove && words.size() >= 4)
                    remove = isExcluded(words[0], words[3]);
            } else if (type == TranslationTable::stDisplayLabels ||
                       type == TranslationTable::stMultiLines ||
                       type == TranslationTable::stOtherStrings) {
                QString splitRow = row;
                splitRow.replace(m_delim, QLatin1Char('.'));
                const QStringList words = splitRow.split(QLatin1Char('.'), Qt::SkipEmptyParts);
                remove = words.size() >= 2 && isExcluded(words[0], words[1]);
            } else {
                remove = isExcluded(qz::rowField(row, 0, m_delim),
                                    QString::fromLatin1(sectionProperty(type)));
            }
            if (remove)
                list.removeAt(i);
        }
    }
}

QString TqzLangApplier::cellOf(const QString& row) const {
    QString cell = qz::rowField(row, m_lang.activeLanguage(), m_delim);
    if (cell.isEmpty() && m_lang.m_useDefaultLanguage)
        cell = qz::rowField(row, m_lang.m_defaultLanguage, m_delim);
    return cell;
}

bool TqzLangApplier::ownerHasText(const char* property) const {
    const QMetaProperty p = qz::declaredProperty(m_owner, QString::fromLatin1(property));
    return qz::isTextProperty(p) && p.isReadable() && p.isWritable();
}

bool TqzLangApplier::ownerHasFont() const {
    const QMetaProperty p = qz::declaredProperty(m_owner, QStringLiteral("Font"));
    return qz::isFontProperty(p) && p.isReadable() && p.isWritable();
}

// Drops rows that can never apply: surplus closing delimiters are trimmed, rows naming missing
// components or collection items go, and with AutoSkipEmpties rows without any cell text go.
void TqzLangApplier::cleanUp(TStringsType type) {
    const ReadOnlyPass pass(*this);
    QStringList& list = rows(type);
    const int languages = m_lang.m_numOfLanguages;
    bool ownExempt = false;
    if (type == TranslationTable::stCaptions)
        ownExempt = ownerHasText("Caption");
    else if (type == TranslationTable::stHints)
        ownExempt = ownerHasText("Hint");
    else if (type == TranslationTable::stFonts)
        ownExempt = ownerHasFont();

    for (qsizetype i = list.size() - 1; i >= 0; --i) {
        QString& row = list[i];
        while (row.count(m_delim) > languages + 1 && row.endsWith(m_delim))
            row.chop(1);

        bool remove = false;
        const QString key = qz::rowField(row, 0, m_delim);
        switch (type) {
        case TranslationTable::stCaptions:
        case TranslationTable::stHints:
        case TranslationTable::stDisplayLabels:
        case TranslationTable::stFonts:
            remove = !(i == 0 && ownExempt) && !findComponent(key);
            break;
        case TranslationTable::stMultiLines:
        case TranslationTable::stOtherStrings: {
            const QString component = key.section(QLatin1Char('.'), 0, 0);
            remove = component.compare(m_className, Qt::CaseInsensitive) != 0 &&
                     !findComponent(component);
            break;
        }
        case TranslationTable::stCollections: {
            const CollectionKey k = parseCollectionKey(key);
            QObject* component = k.valid ? findComponent(k.component) : nullptr;
            remove = !component;
            if (component) {
                const QMetaProperty p = qz::declaredProperty(component, k.collection);
                const int count = p.isValid() ? qz::collectionCount(p.read(component)) : -1;
                remove = count >= 0 && k.index >= count;
            }
            break;
        }
        default:
            break;
        }

        if (!remove && m_lang.m_autoSkipEmpties) {
            qsizetype stripped = 0;
            qsizetype from = 0;
            qsizetype to = row.size();
            while (from < to && row.at(from) == m_delim) {
                ++from;
                ++stripped;
            }
            while (to > from && row.at(to - 1) == m_delim) {
                --to;
                ++stripped;
            }
            remove = stripped >= languages + 1;
        }
        if (remove)
            list.removeAt(i);
    }
}

void TqzLangApplier::applyText(QObject* object, const QString& path, const QString& cell,
                               bool filePaths) {
    QObject* target = object;
    QString name = path;
    const qsizetype dot = path.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        // "Object.Property": the named sub-object's property is translated.
        const QMetaProperty holder = qz::declaredProperty(object, path.left(dot));
        if (!holder.isValid() || !holder.isReadable())
            return;
        target = holder.read(object).value<QObject*>();
        name = path.mid(dot + 1);
    }
    const QMetaProperty p = qz::declaredProperty(target, name);
    if (!qz::isTextProperty(p) || !p.isReadable() || !p.isWritable() || cell.isEmpty())
        return;
    QString value = cell;
    if (filePaths && (cell.contains(QLatin1String("..")) || cell.contains(QLatin1String(".\\"))))
        value = QDir::cleanPath(QDir::current().absoluteFilePath(cell));
    if (p.read(target).toString() != value)
        p.write(target, value);
}

void TqzLangApplier::applyFont(QObject* object, const QString& key, const QString& face) {
    const QMetaProperty p = qz::declaredProperty(object, QStringLiteral("Font"));
    if (!qz::isFontProperty(p) || !p.isReadable() || !p.isWritable())
        return;
    const QMetaProperty parentFont = qz::declaredProperty(object, QStringLiteral("ParentFont"));
    const bool followsParent = parentFont.isValid() && parentFont.read(object).toBool();
    const int charset = qz::charsetFromName(
        m_lang.getStringValue(rows(TranslationTable::stCharSets), key, m_lang.activeLanguage()),
        Qt::CaseInsensitive);
    if (charset >= 0 && !followsParent)
        object->setProperty(qz::kFontCharsetProperty, charset);
    if (!face.isEmpty() && !followsParent) {
        QFont font = p.read(object).value<QFont>();
        font.setFamily(face);
        p.write(object, font);
    }
}

void TqzLangApplier::applySection(TStringsType type) {
    cleanUp(type);
    QStringList& list = rows(type);
    qsizetype start = 0;
    const bool ownRowFirst = type == TranslationTable::stCaptions ||
                             type == TranslationTable::stHints || type == TranslationTable::stFonts;
    if (ownRowFirst && m_owner && m_owner->isWidgetType() && !doNotTranslate(m_className) &&
        !list.isEmpty() && list.first().startsWith(m_className + m_delim))
        start = 1;

    const bool pathKeys =
        type == TranslationTable::stMultiLines || type == TranslationTable::stOtherStrings;
    for (qsizetype i = start; i < list.size(); ++i) {
        const QString row = list.at(i);
        const QString key = qz::rowField(row, 0, m_delim);
        const QString component = pathKeys ? key.section(QLatin1Char('.'), 0, 0) : key;
        const QString path = pathKeys ? key.section(QLatin1Char('.'), 1)
                                      : QString::fromLatin1(sectionProperty(type));
        if (doNotTranslate(component))
            continue;
        const QString cell = cellOf(row);
        QObject* object = rowObject(component);
        if (!object)
            continue;
        switch (type) {
        case TranslationTable::stCaptions:
        case TranslationTable::stHints:
            applyText(object, path, cell, false);
            break;
        case TranslationTable::stDisplayLabels:
        case TranslationTable::stOtherStrings:
            applyText(object, path, cell, true);
            break;
        case TranslationTable::stFonts:
            applyFont(object, key, cell);
            break;
        case TranslationTable::stMultiLines: {
            const QMetaProperty p = qz::declaredProperty(object, path);
            if (p.isValid() && p.isReadable() && p.isWritable() &&
                p.metaType().id() == QMetaType::QStringList) {
                if (qz::toCommaText(p.read(object).toStringList()) != cell)
                    p.write(object, qz::fromCommaText(cell));
            }
            break;
        }
        default:
            break;
        }
    }
}

void TqzLangApplier::applyCollections() {
    cleanUp(TranslationTable::stCollections);
    QStringList& list = rows(TranslationTable::stCollections);
    for (qsizetype i = 0; i < list.size();) {
        const QString row = list.at(i);
        const CollectionKey k = parseCollectionKey(qz::rowField(row, 0, m_delim));
        QObject* component = k.valid ? findComponent(k.component) : nullptr;
        if (!component || doNotTranslate(k.component)) {
            ++i;
            continue;
        }
        const QString cell = cellOf(row);
        const QMetaProperty collection = qz::declaredProperty(component, k.collection);
        QObject* item = collection.isValid() && collection.isReadable()
                            ? qz::collectionItem(collection.read(component), k.index)
                            : nullptr;
        const QMetaProperty p = qz::declaredProperty(item, k.itemProperty);
        if (!item || !p.isReadable() || !p.isWritable()) {
            list.removeAt(i); // this row can never apply
            continue;
        }
        if (qz::isTextProperty(p) && !cell.isEmpty() && p.read(item).toString() != cell)
            p.write(item, cell);
        ++i;
    }
}

void TqzLangApplier::applyOwnText(TStringsType type, const char* property) {
    const QStringList& list = rows(type);
    if (list.isEmpty() || doNotTranslate(m_className) ||
        m_lang.m_smartExcludeProps.contains(
            m_className + QLatin1Char('.') + QString::fromLatin1(property), Qt::CaseInsensitive) ||
        !ownerHasText(property))
        return;
    if (qz::rowField(list.first(), 0, m_delim).compare(m_className, Qt::CaseInsensitive) != 0)
        return;
    const QString cell = cellOf(list.first());
    if (!cell.isEmpty())
        m_owner->setProperty(property, cell);
}

void TqzLangApplier::applyOwnFont() {
    const QStringList& list = rows(TranslationTable::stFonts);
    if (list.isEmpty() || doNotTranslate(m_className) ||
        m_lang.m_smartExcludeProps.contains(m_className + QStringLiteral(".Font"),
                                            Qt::CaseInsensitive) ||
        !ownerHasFont())
        return;
    if (qz::rowField(list.first(), 0, m_delim).compare(m_className, Qt::CaseInsensitive) != 0)
        return;
    const QMetaProperty p = qz::declaredProperty(m_owner, QStringLiteral("Font"));
    const QString face = cellOf(list.first());
    if (!face.isEmpty()) {
        QFont font = p.read(m_owner).value<QFont>();
        font.setFamily(face);
        p.write(m_owner, font);
    }
    const int charset =
        qz::charsetFromName(m_lang.getStringValue(rows(TranslationTable::stCharSets), m_className,
                                                  m_lang.activeLanguage()),
                            Qt::CaseSensitive);
    if (charset >= 0)
        m_owner->setProperty(qz::kFontCharsetProperty, charset);
}

void TqzLangApplier::changeLanguage() {
    if (!m_owner)
        return;
    applyOwnText(TranslationTable::stCaptions, "Caption");
    applyOwnText(TranslationTable::stHints, "Hint");
    applySection(TranslationTable::stCaptions);
    applySection(TranslationTable::stHints);
    applySection(TranslationTable::stDisplayLabels);
    if (ownerHasFont())
        applySection(TranslationTable::stFonts);
    applyOwnFont();
    applySection(TranslationTable::stMultiLines);
    applySection(TranslationTable::stOtherStrings);
    // The locale section is left alone: the program keeps the system's formats.
    applyCollections();
}

void TqzLang::changeLanguage() {
    if (!parent())
        return;
    TqzLangApplier(*this).changeLanguage();
    Q_EMIT OnChangeLanguage();
}
