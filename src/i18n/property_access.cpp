#include "i18n/property_access.h"

#include <QMetaObject>
#include <QObject>

namespace qz {

QMetaProperty declaredProperty(const QObject* object, const QString& name) {
    if (!object || name.isEmpty())
        return {};
    // Exact name: a case-insensitive search would find QWidget's "font" before "Font".
    const int index = object->metaObject()->indexOfProperty(name.toLatin1().constData());
    return index < 0 ? QMetaProperty() : object->metaObject()->property(index);
}

bool isTextProperty(const QMetaProperty& property) {
    return property.isValid() && property.metaType().id() == QMetaType::QString;
}

bool isFontProperty(const QMetaProperty& property) {
    return property.isValid() && property.metaType().id() == QMetaType::QFont;
}

int collectionCount(const QVariant& collection) {
    if (collection.metaType() == QMetaType::fromType<QObjectList>())
        return int(collection.value<QObjectList>().size());
    QObject* object = collection.value<QObject*>();
    if (!object)
        return -1;
    for (const char* name : {"Count", "count"}) {
        const QMetaProperty count = declaredProperty(object, QString::fromLatin1(name));
        if (count.isValid() && count.isReadable())
            return count.read(object).toInt();
    }
    int count = -1;
    if (QMetaObject::invokeMethod(object, "count", Qt::DirectConnection, Q_RETURN_ARG(int, count)))
        return count;
    return -1;
}

QObject* collectionItem(const QVariant& collection, int index) {
    if (index < 0 || index >= collectionCount(collection))
        return nullptr;
    if (collection.metaType() == QMetaType::fromType<QObjectList>())
        return collection.value<QObjectList>().at(index);
    QObject* item = nullptr;
    QMetaObject::invokeMethod(collection.value<QObject*>(), "item", Qt::DirectConnection,
                              Q_RETURN_ARG(QObject*, item), Q_ARG(int, index));
    return item;
}

QString toCommaText(const QStringList& lines) {
    QStringList parts;
    for (QString line : lines) {
        const bool quote = line.isEmpty() || line.contains(QLatin1Char(' ')) ||
                           line.contains(QLatin1Char(',')) || line.contains(QLatin1Char('"'));
        if (quote)
            line = QLatin1Char('"') + line.replace(QLatin1String("\""), QLatin1String("\"\"")) +
                   QLatin1Char('"');
        parts.append(line);
    }
    return parts.join(QLatin1Char(','));
}

QStringList fromCommaText(const QString& text) {
    QStringList lines;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        QString item;
        if (text.at(i) == u'"') {
            ++i;
            while (i < n) {
                if (text.at(i) == u'"') {
                    if (i + 1 < n && text.at(i + 1) == u'"') {
                        item += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text.at(i++);
            }
            while (i < n && text.at(i) != u',')
                ++i;
        } else {
            while (i < n && text.at(i) != u',')
                item += text.at(i++);
        }
        lines.append(item);
        ++i; // the comma
        if (i == n && text.endsWith(QLatin1Char(',')))
            lines.append(QString());
    }
    return lines;
}

} // namespace qz
