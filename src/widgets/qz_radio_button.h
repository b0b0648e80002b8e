#pragma once

#include "widgets/styled_control.h"

// A radio button with a round 20 px (96-dpi) mark. Radio buttons of one parent exclude
// each other. A click (or Space or Enter) on an unchecked one checks it and raises OnClick;
// on the checked one it does nothing. setChecked() from code unchecks the others and
// raises nothing. Every radio button is a tab stop; the arrow keys move the focus among
// the radio buttons of its parent.
class TqzRadioButton : public qz::StyledControl {
    Q_OBJECT
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)
    Q_PROPERTY(QColor MarkColor READ markColor WRITE setMarkColor)
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)

public:
    explicit TqzRadioButton(QWidget* parent = nullptr);

    bool isChecked() const { return m_checked; }
    void setChecked(bool checked);
    QColor markColor() const { return m_markColor; }
    void setMarkColor(const QColor& c);
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor& c);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void activateByKey() override;
    bool sameGroup(const qz::StyledControl* other) const override;

private:
    void checkByUser();

    bool m_checked = false;
    QColor m_markColor;
    QColor m_fontColor{Qt::black};
};
