#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

namespace qz {

// Base of the painted controls: the texts and the font that the translation table sets by
// name (Caption, Hint, Font) and the OnClick signal of a left click released inside.
// Hint is the tooltip; Font is the widget's font.
//
// Keyboard: a control that takes the focus is activated by Space, Return or Enter (by
// default that is a click), and the arrow keys move the focus among the siblings of its
// group, in reading order, wrapping at the ends. It repaints when the focus comes or goes,
// so it can draw the focus mark.
class StyledControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    explicit StyledControl(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

Q_SIGNALS:
    void OnClick();

protected:
    // Called after the caption really changed; repaints by default.
    virtual void captionChanged();

    // What Space, Return and Enter do; raises OnClick by default.
    virtual void activateByKey();
    // Whether `other`, a sibling, belongs to this control's arrow-key group; none by default.
    virtual bool sameGroup(const StyledControl* other) const;
    // Moves the focus `step` places along the group; false when there is no other member.
    bool focusAlongGroup(int step);

    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // Emits OnClick for a left press and release both inside; subclasses that need other
    // mouse behaviour override the events themselves.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    bool m_leftPressed = false;

private:
    QString m_caption;
};

} // namespace qz
