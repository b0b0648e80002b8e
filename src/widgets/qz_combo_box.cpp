#include "widgets/qz_combo_box.h"

#include "widgets/assign_if_changed.h"
#include "widgets/qz_style.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

TqzComboItem::TqzComboItem(const QString& caption, QObject* parent)
    : QObject(parent), m_caption(caption) {}

void TqzComboItem::setCaption(const QString& caption) {
    if (qz::assignIfChanged(m_caption, caption))
        Q_EMIT captionChanged();
}

TqzComboItems::TqzComboItems(QObject* parent) : QObject(parent) {}

QObject* TqzComboItems::item(int index) const {
    return at(index);
}

TqzComboItem* TqzComboItems::at(int index) const {
    return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
}

TqzComboItem* TqzComboItems::add(const QString& caption) {
    auto* entry = new TqzComboItem(caption, this);
    connect(entry, &TqzComboItem::captionChanged, this, &TqzComboItems::changed);
    m_items.append(entry);
    Q_EMIT changed();
    return entry;
}

void TqzComboItems::setCaptions(const QStringList& captions) {
    clear();
    for (const QString& caption : captions)
        add(caption);
}

void TqzComboItems::clear() {
    qDeleteAll(m_items);
    m_items.clear();
    Q_EMIT changed();
}

TqzComboBox::TqzComboBox(QWidget* parent)
    : qz::StyledControl(parent), m_items(new TqzComboItems(this)) {
    setFocusPolicy(Qt::StrongFocus);
    connect(m_items, &TqzComboItems::changed, this, [this] {
        if (m_index >= m_items->count())
            m_index = -1;
        update();
    });
}

void TqzComboBox::setItemIndex(int index) {
    m_index = (index >= 0 && index < m_items->count()) ? index : -1;
    update();
    Q_EMIT OnChange();
}

QString TqzComboBox::text() const {
    const TqzComboItem* entry = m_items->at(m_index);
    return entry ? entry->caption() : QString();
}

QSize TqzComboBox::sizeHint() const {
    int widest = 0;
    for (int i = 0; i < m_items->count(); ++i)
        widest = std::max(widest, fontMetrics().horizontalAdvance(m_items->at(i)->caption()));
    return {widest + qz::scaled(34, this),
            std::max(qz::scaled(23, this), fontMetrics().height() + 6)};
}

void TqzComboBox::chooseByUser(int index) {
    if (index == m_index || index < 0 || index >= m_items->count())
        return;
    setItemIndex(index);
}

void TqzComboBox::showList() {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setMinimumWidth(width());
    for (int i = 0; i < m_items->count(); ++i) {
        QAction* action = menu->addAction(m_items->at(i)->caption());
        action->setCheckable(true);
        action->setChecked(i == m_index);
        // Choosing the selected entry again is a choice too: the owner may redo its work.
        connect(action, &QAction::triggered, this, [this, i] { setItemIndex(i); });
    }
    menu->popup(mapToGlobal(QPoint(0, height())));
}

void TqzComboBox::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !m_leftPressed)
        return;
    m_leftPressed = false;
    if (rect().contains(event->position().toPoint())) {
        Q_EMIT OnClick();
        showList();
    }
}

void TqzComboBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        chooseByUser(m_index <= 0 ? 0 : m_index - 1);
        return;
    case Qt::Key_Down:
        chooseByUser(m_index + 1);
        return;
    case Qt::Key_Space:
    case Qt::Key_F4:
        showList();
        return;
    default:
        qz::StyledControl::keyPressEvent(event);
    }
}

void TqzComboBox::enterEvent(QEnterEvent* event) {
    m_hover = true;
    update();
    qz::StyledControl::enterEvent(event);
}

void TqzComboBox::leaveEvent(QEvent* event) {
    m_hover = false;
    update();
    qz::StyledControl::leaveEvent(event);
}

void TqzComboBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.5);
    const QPalette& pal = palette();
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen((m_hover || hasFocus()) ? qz::kBrandBlue : pal.color(QPalette::Mid), 1));
    painter.setBrush(pal.color(QPalette::Base));
    painter.drawRect(box);

    const int arrowArea = qz::scaled(20, this);
    const int margin = qz::scaled(6, this);
    painter.setPen(pal.color(QPalette::Text));
    painter.drawText(QRect(margin, 0, width() - arrowArea - margin, height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());

    const double cx = width() - arrowArea / 2.0;
    const double cy = height() / 2.0;
    const double a = qz::scaled(4, this);
    painter.setPen(QPen(pal.color(QPalette::Text), qz::scaled(1, this) * 1.5));
    painter.drawPolyline(QPolygonF{QPointF(cx - a, cy - a / 2), QPointF(cx, cy + a / 2),
                                   QPointF(cx + a, cy - a / 2)});
}
