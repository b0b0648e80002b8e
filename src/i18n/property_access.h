#pragma once

#include <QMetaProperty>
#include <QString>
#include <QStringList>
#include <QVariant>

class QObject;

// Reaching components' published properties by name for the translation runtime.
namespace qz {

// Exact-name property lookup: an invalid QMetaProperty when the object does not declare it.
QMetaProperty declaredProperty(const QObject* object, const QString& name);
bool isTextProperty(const QMetaProperty& property);
bool isFontProperty(const QMetaProperty& property);

// A collection reached by a property: a QObject with Count (or count()) and item(int), or a
// QObjectList. Count is -1 when the value is no collection.
int collectionCount(const QVariant& collection);
QObject* collectionItem(const QVariant& collection, int index);

// Comma text of a list of lines: items with blanks, commas or quotes are double-quoted.
QString toCommaText(const QStringList& lines);
QStringList fromCommaText(const QString& text);

} // namespace qz
