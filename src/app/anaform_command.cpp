// Tasks asked for from outside the window: set the controls as the user would, then Start.
#include "app/anaform.h"

#include "widgets/qz_button.h"
#include "widgets/qz_date_edit.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_time_edit.h"

QString TAnaform::armFromCommand(qz::PowerAction action, qz::TriggerMode mode,
                                 const QString& value) {
    // Never replaces a task the user set: that one is cancelled first, on purpose.
    if (m_task->isArmed())
        return message(qz::MessageId::AlreadyArmed);
    TqzButton* button = actionButton(action);
    if (!button->isDown()) {
        button->setDown(true);
        actionButtonClick();
    }
    switch (mode) {
    case qz::TriggerMode::FromNow:
        radioSuandanitibaren->setChecked(true);
        TimeeditSuandanitibaren->setTime(value);
        break;
    case qz::TriggerMode::SpecifiedTime: {
        // "YYYY-MM-DDTHH:MM": a date the calendar lacks is refused as the field refuses it.
        const QDate date = QDate::fromString(value.left(10), Qt::ISODate);
        if (!date.isValid())
            return message(qz::MessageId::ImpossibleDate);
        radioBelirtilenSaat->setChecked(true);
        dateEditBelirtilenSure->setDate(date);
        timeEditBelirtilenSure->setTime(value.mid(11));
        break;
    }
    case qz::TriggerMode::IdleTime:
        radioBostaKalma->setChecked(true);
        qzTimeEdit3->setTime(value);
        break;
    case qz::TriggerMode::Everyday:
        radiohergun->setChecked(true);
        qzTimeEdit1->setTime(value);
        break;
    }
    radioSuandanitibarenClick();
    return armSelected();
}
