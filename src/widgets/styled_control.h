#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

namespace qz {

// Base of the painted controls: the texts and the font that the translation table sets by
// name (Caption, Hint, Font) and the OnClick signal of a left click released inside.
// Hint is the tooltip; Font is the widget's font.
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

    // Emits OnClick for a left press and release both inside; subclasses that need other
    // mouse behaviour override the events themselves.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    bool m_leftPressed = false;

private:
    QString m_caption;
};

} // namespace qz
