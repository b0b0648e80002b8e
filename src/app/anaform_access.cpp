// The window for keyboard and screen-reader users: every control a tab stop in reading
// order, Escape to close the settings panel, and a name for each control that shows no
// text of its own.
#include "app/anaform.h"

#include "app/anaform_rows.h"

#include "widgets/qz_accessible.h"
#include "widgets/qz_button.h"
#include "widgets/qz_combo_box.h"
#include "widgets/qz_date_edit.h"
#include "widgets/qz_glyph_button.h"
#include "widgets/qz_label.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_split_view.h"
#include "widgets/qz_switch.h"
#include "widgets/qz_time_edit.h"

#include <QShortcut>

void TAnaform::setUpKeyboardAndReaders() {
    for (TqzGlyphButton* b : {btnUpdate, qzGlyphButton1, MinButton, CloseButton, btnStartStop})
        b->setTabStop(true);
    lblUrl->setFocusPolicy(Qt::StrongFocus);

    // Reading order: the title bar left to right, the actions, each trigger with its fields,
    // Start/Stop, the link, then the settings panel (skipped while it is closed, as it is
    // disabled then). Disabled fields drop out of the chain by themselves.
    namespace rows = qz::window_rows;
    QList<QWidget*> order{btnUpdate, qzGlyphButton1, MinButton, CloseButton};
    for (const rows::ActionButtonRow& row : rows::kActionButtons)
        order.append(actionButton(row.action));
    for (const rows::TriggerRadioRow& row : rows::kTriggerRadios) {
        order.append(radioOf(row.mode));
        order.append(fieldsOf(row.mode));
    }
    order << btnStartStop << lblUrl << cmbDil << swUstte << swBildirim << swBaslangic;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    // Escape closes the settings panel; the focus, if it was inside, returns to the button
    // that opens it. The calendar's own popup takes Escape while it is open.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        const bool focusInside = qzSplitView1->isAncestorOf(focusWidget());
        closeSettingsPanel();
        if (focusInside)
            btnUpdate->setFocus(Qt::ShortcutFocusReason);
    });

    // Changing the stay-on-top flag hides and shows the window again, which drops the focus;
    // give it back to the switch the user just toggled.
    connect(swUstte, &TqzSwitch::OnChangeState, this, [this] {
        if (isVisible() && !isMinimized() && !swUstte->hasFocus()) {
            activateWindow();
            swUstte->setFocus(Qt::OtherFocusReason);
        }
    });

    // Names for screen readers: the fields, switches and the language list are named after
    // the captions beside them, so they follow the language; the title-bar buttons and the
    // two fields of one trigger carry hints (English here, as the stored layout; the table
    // has both languages).
    using qz::accessibility::setLabel;
    for (const rows::TriggerRadioRow& row : rows::kTriggerRadios) {
        for (QWidget* field : fieldsOf(row.mode))
            setLabel(field, radioOf(row.mode));
    }
    setLabel(cmbDil, qzLabel1);
    setLabel(swUstte, qzLabel5);
    setLabel(swBildirim, qzLabel6);
    setLabel(swBaslangic, qzLabel7);
    btnUpdate->setToolTip(QStringLiteral("Settings"));
    qzGlyphButton1->setToolTip(QStringLiteral("Send to tray"));
    MinButton->setToolTip(QStringLiteral("Minimise"));
    CloseButton->setToolTip(QStringLiteral("Close"));
    dateEditBelirtilenSure->setToolTip(QStringLiteral("Date"));
    timeField(&qz::ScheduleFields::specifiedTime)->setToolTip(QStringLiteral("Time"));
}
