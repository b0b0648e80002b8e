#pragma once

#include <QFont>
#include <QList>
#include <QObject>
#include <QWidget>

// Stand-ins for the window and its components: only the published properties the translation
// runtime reaches by name.

class TAnaform : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    using QWidget::QWidget;
};

class FakeControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER m_caption)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(bool ParentFont MEMBER m_parentFont)

public:
    using QWidget::QWidget;
    QString m_caption;
    bool m_parentFont = false;
};

// A widget that only has QWidget's own "font": a Font row must leave it alone.
class PlainWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER m_caption)

public:
    using QWidget::QWidget;
    QString m_caption;
};

class FakeItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER m_caption)

public:
    explicit FakeItem(const QString& caption, QObject* parent)
        : QObject(parent), m_caption(caption) {}
    QString m_caption;
};

class FakeItems : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Count READ count)

public:
    using QObject::QObject;
    int count() const { return int(m_items.size()); }
    Q_INVOKABLE QObject* item(int index) const {
        return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
    }
    QList<FakeItem*> m_items;
};

class FakeCombo : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QObject* Items READ items CONSTANT)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    explicit FakeCombo(QWidget* parent) : QWidget(parent), m_items(new FakeItems(this)) {
        for (const char* caption : {"Türkçe", "English"})
            m_items->m_items.append(new FakeItem(QString::fromUtf8(caption), m_items));
    }
    QObject* items() const { return m_items; }
    FakeItems* m_items;
};

// Non-visual components: the tray icon's hint, the frame's menu caption, the client's agent.
class FakeComponent : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Hint MEMBER m_hint)
    Q_PROPERTY(QString StylesMenuCaption MEMBER m_styles)
    Q_PROPERTY(QString UserAgent MEMBER m_agent)

public:
    using QObject::QObject;
    QString m_hint;
    QString m_styles;
    QString m_agent;
};
