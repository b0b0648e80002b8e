#pragma once

#include "widgets/styled_control.h"

#include <QList>
#include <QStringList>

class TqzComboBox;

// One entry of a TqzComboBox; its Caption is what the list shows.
class TqzComboItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)

public:
    explicit TqzComboItem(const QString& caption, QObject* parent = nullptr);
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

Q_SIGNALS:
    void captionChanged();

private:
    QString m_caption;
};

// The entries of a TqzComboBox, reachable by name: Count and item(index) (also the
// object's children, in order), so Items[i].Caption can be set through the meta-object.
class TqzComboItems : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Count READ count)

public:
    explicit TqzComboItems(QObject* parent = nullptr);

    int count() const { return static_cast<int>(m_items.size()); }
    // nullptr for an index out of range.
    Q_INVOKABLE QObject* item(int index) const;
    TqzComboItem* at(int index) const;
    TqzComboItem* add(const QString& caption);
    void setCaptions(const QStringList& captions);
    void clear();

Q_SIGNALS:
    void changed();

private:
    QList<TqzComboItem*> m_items;
};

// A drop-down list. ItemIndex -1 shows no selection. A click opens the list; choosing an
// entry, Up/Down while focused, or setItemIndex() from code raises OnChange (from the list
// and from code always, even for the index already selected, which the language switch
// relies on).
class TqzComboBox : public qz::StyledControl {
    Q_OBJECT
    Q_PROPERTY(QObject* Items READ items CONSTANT)
    Q_PROPERTY(int ItemIndex READ itemIndex WRITE setItemIndex)
    Q_PROPERTY(QString Text READ text)

public:
    explicit TqzComboBox(QWidget* parent = nullptr);

    TqzComboItems* items() const { return m_items; }
    int itemIndex() const { return m_index; }
    // An index out of range selects nothing (-1).
    void setItemIndex(int index);
    // Caption of the selected entry, empty with no selection.
    QString text() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void OnChange();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void showList();
    void chooseByUser(int index);

    TqzComboItems* m_items = nullptr;
    int m_index = -1;
    bool m_hover = false;
};
