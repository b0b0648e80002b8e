// The title bar, the bottom bar, the settings panel and the window-level events.
#include "app/anaform.h"

#include "build_config.h"
#include "i18n/qz_lang.h"
#include "schedule/scheduled_task.h"
#include "tray/qz_tray_icon.h"
#include "widgets/qz_button.h"
#include "widgets/qz_circled_progress_bar.h"
#include "widgets/qz_combo_box.h"
#include "widgets/qz_date_edit.h"
#include "widgets/qz_glyph_button.h"
#include "widgets/qz_image.h"
#include "widgets/qz_label.h"
#include "widgets/qz_panel.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_split_view.h"
#include "widgets/qz_switch.h"
#include "widgets/qz_time_edit.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>

void TAnaform::connectHandlers() {
    connect(btnUpdate, &TqzGlyphButton::OnClick, this, &TAnaform::btnUpdateClick);
    connect(CloseButton, &TqzGlyphButton::OnClick, this, &TAnaform::CloseButtonClick);
    connect(MinButton, &TqzGlyphButton::OnClick, this, &TAnaform::MinButtonClick);
    connect(qzGlyphButton1, &TqzGlyphButton::OnClick, this, &TAnaform::qzGlyphButton1Click);
    connect(lblUrl, &TqzLabel::OnClick, this, &TAnaform::lblUrlClick);
    connect(swUstte, &TqzSwitch::OnChangeState, this, &TAnaform::swUstteChangeState);
    connect(swBildirim, &TqzSwitch::OnChangeState, this, &TAnaform::swBildirimChangeState);
    connect(swBaslangic, &TqzSwitch::OnChangeState, this, &TAnaform::swBaslangicChangeState);
    connect(cmbDil, &TqzComboBox::OnChange, this, &TAnaform::cmbDilChange);

    for (TqzButton* b : m_actionButtons)
        connect(b, &TqzButton::OnClick, this, &TAnaform::actionButtonClick);
    for (TqzRadioButton* r : m_triggerRadios)
        connect(r, &TqzRadioButton::OnClick, this, &TAnaform::radioSuandanitibarenClick);
    connect(lblNotice, &TqzLabel::OnClick, this, [this] { showNotice(nullptr); });
    for (TqzTimeEdit* t : m_timeFields)
        connect(t, &TqzTimeEdit::OnChange, this, &TAnaform::fieldChange);
    connect(dateEditBelirtilenSure, &TqzDateEdit::OnChange, this,
            &TAnaform::dateEditBelirtilenSureChange);
    connect(btnStartStop, &TqzGlyphButton::OnClick, this, &TAnaform::btnStartStopClick);

    // Clicks that do nothing but close the settings panel. Controls inside the panel, the
    // settings button and the panel itself leave it open.
    for (QWidget* w : std::initializer_list<QWidget*>{panelCenter, panelBottom, qzPanel1, progress,
                                                      qzImage1, lblCaption, lblBil, lblTarih,
                                                      lblislem, lbltarihEn, dateEditBelirtilenSure})
        w->installEventFilter(this);
    for (TqzTimeEdit* t : m_timeFields)
        t->installEventFilter(this);
}

bool TAnaform::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // On Wayland only the compositor can move a window: hand the drag over to it.
        if (watched == lblCaption && windowHandle() &&
            QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !isMaximized()) {
            windowHandle()->startSystemMove();
        }
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            closeSettingsPanel();
        break;
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        if (watched == lblBil || watched == lblTarih || watched == lblislem ||
            watched == lbltarihEn)
            layoutDescription();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TAnaform::closeSettingsPanel() {
    qzSplitView1->setOpened(false);
}

void TAnaform::btnUpdateClick() {
    qzSplitView1->setOpened(!qzSplitView1->opened());
}

void TAnaform::CloseButtonClick() {
    // The everyday flag needs no recording here: it follows the task all the time ("1"
    // only while an everyday task is armed, so a from-now countdown never comes back as
    // an everyday task at the next start).
    closeSettingsPanel();
    QCoreApplication::quit();
}

void TAnaform::bringToFront() {
    qzTrayIcon1->restoreApp();
}

void TAnaform::MinButtonClick() {
    closeSettingsPanel();
    qzTrayIcon1->minimizeToTaskbar();
}

void TAnaform::qzGlyphButton1Click() {
    closeSettingsPanel();
    qzTrayIcon1->setHideOnMinimize(true);
    qzTrayIcon1->minimizeApp();
}

void TAnaform::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // FormResize: after a restore a minimise from the taskbar goes to the taskbar again.
    if (!isMinimized() && qzTrayIcon1)
        qzTrayIcon1->setHideOnMinimize(false);
}

void TAnaform::lblUrlClick() {
    closeSettingsPanel();
    const QUrl url(QString::fromUtf8(qz::build::kMakerUrl));
    if (m_deps.openUrl)
        m_deps.openUrl(url);
    else
        QDesktopServices::openUrl(url);
}

void TAnaform::applyStayOnTop(bool onTop) {
    if (onTop == windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        return;
    // Changing a window's flags hides it; show it again where it was, so the switch never
    // loses the window.
    const bool wasVisible = isVisible();
    const bool wasMinimized = isMinimized();
    const QPoint where = pos();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible) {
        move(where);
        if (wasMinimized)
            showMinimized();
        else
            show();
    }
}

bool TAnaform::stayOnTop() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

// The switches and the language box tell the controller; it says what to show.
void TAnaform::swUstteChangeState() {
    m_controller->setSwitch(qz::SettingsSwitch::StayOnTop, swUstte->isOn());
}

void TAnaform::swBildirimChangeState() {
    m_controller->setSwitch(qz::SettingsSwitch::Notifications, swBildirim->isOn());
}

void TAnaform::swBaslangicChangeState() {
    m_controller->setSwitch(qz::SettingsSwitch::RunAtStartup, swBaslangic->isOn());
}

void TAnaform::cmbDilChange() {
    if (cmbDil->itemIndex() >= 0)
        m_controller->setLanguage(cmbDil->itemIndex() + 1);
}

int TAnaform::activeLanguage() const {
    return qzLang1->activeLanguage();
}
