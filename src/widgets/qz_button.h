#pragma once

#include "widgets/styled_control.h"

// A segmented push button. Buttons of one parent with the same non-zero GroupIndex form a
// group in which exactly one is down: pressing an up button makes it down at the press,
// releases the others and raises OnClick; pressing the down one does nothing. setDown(true)
// from code does the same as a press (OnClick included) when the button was up.
// Segment says which corners of the group's rounded frame this button carries.
// It takes the focus by Tab or click; Space or Enter press it, the arrow keys move the focus
// along its group.
class TqzButton : public qz::StyledControl {
    Q_OBJECT
    Q_PROPERTY(bool Down READ isDown WRITE setDown)
    Q_PROPERTY(int GroupIndex READ groupIndex WRITE setGroupIndex)
    Q_PROPERTY(TqzButton::Segment Segment READ segment WRITE setSegment)

public:
    enum Segment { Single, First, Middle, Last };
    Q_ENUM(Segment)

    explicit TqzButton(QWidget* parent = nullptr);

    bool isDown() const { return m_down; }
    void setDown(bool down);
    int groupIndex() const { return m_groupIndex; }
    void setGroupIndex(int index) { m_groupIndex = index; }
    Segment segment() const { return m_segment; }
    void setSegment(Segment segment);

    bool isHot() const { return m_hot; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void activateByKey() override;
    bool sameGroup(const qz::StyledControl* other) const override;

private:
    void pressDown();

    bool m_down = false;
    bool m_hot = false;
    int m_groupIndex = 0;
    Segment m_segment = Single;
};
