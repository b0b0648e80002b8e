#include "app/anaform.h"

#include "app/anaform_rows.h"
#include "app/artwork.h"
#include "app/user_prompts.h"
#include "build_config.h"
#include "i18n/language_index.h"
#include "i18n/program_titles.h"
#include "i18n/qz_lang.h"
#include "reminders/notifier.h"
#include "schedule/clock.h"
#include "schedule/countdown_math.h"
#include "tray/qz_tray_icon.h"
#include "update/update_task.h"
#include "widgets/qz_button.h"
#include "widgets/qz_circled_progress_bar.h"
#include "widgets/qz_combo_box.h"
#include "widgets/qz_date_edit.h"
#include "widgets/qz_glyph_button.h"
#include "widgets/qz_image.h"
#include "widgets/qz_label.h"
#include "widgets/qz_list_group_panel.h"
#include "widgets/qz_panel.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_scroll_box.h"
#include "widgets/qz_split_view.h"
#include "widgets/qz_style.h"
#include "widgets/qz_switch.h"
#include "widgets/qz_time_edit.h"

#include <QApplication>
#include <QIcon>
#include <QPalette>
#include <QPixmap>

namespace {

// Design sizes at 96 dpi.
constexpr int kClientWidth = 547;
constexpr int kClientHeight = 338;
constexpr int kFrame = 2;
constexpr int kTopHeight = 34;
constexpr int kBottomHeight = 36;
constexpr int kTitleButtonWidth = 50;
constexpr int kTitleButtonHeight = 33;
constexpr int kDescriptionHeight = 37;
constexpr int kPanelOpenedWidth = 200;

template <typename T> T* named(QWidget* parent, const char* name) {
    auto* w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace

TAnaform::TAnaform(qz::AnaformDeps deps, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_deps(std::move(deps)) {
    setObjectName(QStringLiteral("Anaform"));
    if (!m_deps.clock)
        m_deps.clock = std::make_unique<qz::SystemClock>();
    if (!m_deps.prompts)
        m_deps.prompts = std::make_unique<qz::MessageBoxPrompts>();
    m_controller = new qz::TaskController(*m_deps.clock, m_deps.power.get(), m_deps.idle.get(),
                                          std::move(m_deps.settings), this);
    createComponents();
    connectHandlers();
    connectController();
    setUpKeyboardAndReaders();
    if (m_deps.makeNotifier)
        m_notifier = m_deps.makeNotifier(qzTrayIcon1->systemTrayIcon());
    createTrayMenu();
    FormCreate();
}

TAnaform::~TAnaform() {
    FormDestroy();
    // Before the members go: the controller and its task use the clock, the power backend
    // and idle time that m_deps holds, and may still speak to this window.
    delete m_controller;
}

int TAnaform::px(int designPixels) const {
    return qz::scaled(designPixels, this);
}

QFont TAnaform::tahoma(int pixelHeight, bool bold) const {
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(px(pixelHeight));
    f.setBold(bold);
    return f;
}

QFont TAnaform::ringPercentFont() const {
    // The ring scales its percentage font itself, so this one keeps the 96-dpi height.
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(16);
    f.setBold(true);
    return f;
}

void TAnaform::createComponents() {
    // The layout as stored: English texts, the controls' first states, nothing raised.
    setWindowTitle(QString::fromUtf8(qz::kProgramTitle));
    setFont(tahoma(11, false));
    setWindowIcon(QIcon(QPixmap::fromImage(qz::programIcon(256))));
    setAutoFillBackground(true);
    setFixedSize(px(kClientWidth), px(kClientHeight));

    createChrome();
    createScheduleArea();
    createSettingsPanel();

    qzTrayIcon1 = new TqzTrayIcon(this, this);
    qzTrayIcon1->setObjectName(QStringLiteral("qzTrayIcon1"));
    qzTrayIcon1->setHint(QString::fromUtf8(qz::kTrayTitle));

    qzLang1 = new TqzLang(this);
    qzLang1->setObjectName(QStringLiteral("qzLang1"));
    // The chrome's panels and title-bar buttons carry their own names as captions in the
    // table; this window never shows those captions, so the rows stay unapplied. The
    // title-bar buttons' hints (their names for screen readers) are translated.
    qzLang1->doNotTranslate() = {QStringLiteral("panelClient"), QStringLiteral("panelTop"),
                                 QStringLiteral("panelBottom"), QStringLiteral("panelAna"),
                                 QStringLiteral("panelCenter"), QStringLiteral("qzPanel1"),
                                 QStringLiteral("qzImage1")};
    qzLang1->smartExcludeProps() = {
        QStringLiteral("CloseButton.Caption"), QStringLiteral("MinButton.Caption"),
        QStringLiteral("btnUpdate.Caption"), QStringLiteral("qzGlyphButton1.Caption")};
    qzLang1->loadProgramTable();

    placeComponents();
}

void TAnaform::createChrome() {
    panelClient = named<TqzPanel>(this, "panelClient");
    panelClient->setFrameColor(qz::kBrandBlue);
    panelClient->setFrameWidth(kFrame);
    panelClient->setColor(palette().color(QPalette::Button));
    panelClient->setColorAlpha(150);

    panelTop = named<TqzPanel>(panelClient, "panelTop");
    panelTop->setColor(qz::kBrandBlue);

    qzImage1 = named<TqzImage>(panelTop, "qzImage1");
    qzImage1->setPicture(QPixmap::fromImage(qz::logoImage(96)));
    qzImage1->setStretch(true);

    lblCaption = named<TqzLabel>(panelTop, "lblCaption");
    lblCaption->setAutoSize(false);
    lblCaption->setAutoSizeHeight(false);
    lblCaption->setFont(tahoma(13, true));
    lblCaption->setFontColor(Qt::white);
    lblCaption->setCaption(QString::fromUtf8(qz::kProgramTitle));
    lblCaption->setDragForm(true);

    CloseButton = named<TqzGlyphButton>(panelTop, "CloseButton");
    CloseButton->setGlyphKind(TqzGlyphButton::qzbgkClose);
    CloseButton->setCloseLook();
    MinButton = named<TqzGlyphButton>(panelTop, "MinButton");
    MinButton->setGlyphKind(TqzGlyphButton::qzbgkMinimize);
    qzGlyphButton1 = named<TqzGlyphButton>(panelTop, "qzGlyphButton1");
    qzGlyphButton1->setGlyphKind(TqzGlyphButton::qzbgkNaviBottomRight);
    btnUpdate = named<TqzGlyphButton>(panelTop, "btnUpdate");
    btnUpdate->setGlyphKind(TqzGlyphButton::qzbgkDetails);
    for (TqzGlyphButton* b : {MinButton, qzGlyphButton1, btnUpdate})
        b->setTitleBarLook();
    for (TqzGlyphButton* b : {CloseButton, MinButton, qzGlyphButton1, btnUpdate}) {
        b->setAnimation(true);
        b->setGlyphThickness(2);
    }

    panelBottom = named<TqzPanel>(panelClient, "panelBottom");
    panelBottom->setColor(qz::kBrandBlue);
    lblUrl = named<TqzLabel>(panelBottom, "lblUrl");
    lblUrl->setFont(tahoma(11, true));
    lblUrl->setFontColor(palette().color(QPalette::HighlightedText));
    lblUrl->setAutoSizeHeight(false);
    lblUrl->setCaption(QString::fromUtf8(qz::build::kMakerUrl));
    lblUrl->setCursor(Qt::PointingHandCursor);
    lblNotice = named<TqzLabel>(panelBottom, "lblNotice");
    lblNotice->setFont(tahoma(11, false));
    lblNotice->setFontColor(palette().color(QPalette::HighlightedText));
    lblNotice->setAutoSize(false);
    lblNotice->setAutoSizeHeight(false);
    lblNotice->setWordWrap(true); // a notice is longer than the bar is wide
    lblNotice->hide();

    panelAna = named<TqzPanel>(panelClient, "panelAna");
}

void TAnaform::createScheduleArea() {
    panelCenter = named<TqzPanel>(panelAna, "panelCenter");
    panelCenter->setFrameColor(qz::kBrandBlue);
    panelCenter->setFrameWidth(kFrame);

    namespace rows = qz::window_rows;
    for (std::size_t i = 0; i < rows::kActionButtons.size(); ++i) {
        const rows::ActionButtonRow& row = rows::kActionButtons[i];
        const std::string name(qz::namesOf(row.action).button);
        auto* b = named<TqzButton>(panelCenter, name.c_str());
        b->setGroupIndex(1);
        b->setSegment(i == 0                                 ? TqzButton::First
                      : i + 1 == rows::kActionButtons.size() ? TqzButton::Last
                                                             : TqzButton::Middle);
        b->setCaption(QString::fromUtf8(row.caption));
        b->setFont(tahoma(11, true));
        m_actionButtons[static_cast<std::size_t>(row.action)] = b;
    }
    actionButton(qz::PowerAction::Shutdown)->setDown(true);

    for (const rows::TriggerRadioRow& row : rows::kTriggerRadios) {
        const std::string name(qz::namesOf(row.mode).radio);
        auto* radio = named<TqzRadioButton>(panelCenter, name.c_str());
        radio->setCaption(QString::fromUtf8(row.caption));
        radio->setFont(tahoma(13, true));
        m_triggerRadios[static_cast<std::size_t>(row.mode)] = radio;
    }
    radioOf(qz::TriggerMode::FromNow)->setChecked(true);

    dateEditBelirtilenSure = named<TqzDateEdit>(panelCenter, "dateEditBelirtilenSure");
    const qz::ScheduleFields layout;
    for (std::size_t i = 0; i < rows::kTimeFields.size(); ++i) {
        m_timeFields[i] = named<TqzTimeEdit>(panelCenter, rows::kTimeFields[i].name);
        m_timeFields[i]->setTimeValue(layout.*rows::kTimeFields[i].value);
    }

    progress = named<TqzCircledProgressBar>(panelCenter, "progress");
    progress->setCaption(qz::remainingTimeTitle(qz::kEnglish));
    progress->setMinValue(0);
    progress->setMaxValue(100);
    progress->setValue(100);
    progress->setProgressColor(qz::kBrandBlue);
    progress->setShowCaption(true);
    progress->setFrameSize(8);
    progress->setFrameColor(qz::kAccentOrange);
    progress->setFrameAlpha(255);
    progress->setFont(tahoma(11, true));
    progress->setFontColor(qz::kBrandBlue);
    progress->setProgressFont(ringPercentFont());
    progress->setProgressFontColor(qz::kAccentOrange);

    qzPanel1 = named<TqzPanel>(panelCenter, "qzPanel1");
    btnStartStop = named<TqzGlyphButton>(qzPanel1, "btnStartStop");
    btnStartStop->setFont(tahoma(11, true));
    setArmedLook(false);
    btnStartStop->setCaption(qz::startButtonCaption(false, qz::kEnglish));

    // Stored texts of the description labels; the first description replaces them.
    lblBil = named<TqzLabel>(qzPanel1, "lblBil");
    lblTarih = named<TqzLabel>(qzPanel1, "lblTarih");
    lblislem = named<TqzLabel>(qzPanel1, "lblislem");
    lbltarihEn = named<TqzLabel>(qzPanel1, "lbltarihEn");
    for (TqzLabel* l : {lblBil, lblTarih, lblislem, lbltarihEn}) {
        l->setFont(tahoma(11, true));
        l->setAutoSizeHeight(false);
        l->setCaption(QStringLiteral("Computer"));
    }
    lblBil->setFontColor(qz::kBrandBlue);
    lblislem->setFontColor(qz::kBrandBlue);
    lblTarih->setFontColor(qz::kAccentOrange);
    lbltarihEn->setFontColor(qz::kAccentOrange);
}

void TAnaform::createSettingsPanel() {
    qzSplitView1 = named<TqzSplitView>(panelAna, "qzSplitView1");
    qzSplitView1->setLoading(true);
    qzSplitView1->setOpenedWidth(kPanelOpenedWidth);
    qzSplitView1->setCompactWidth(0);
    qzSplitView1->setAnimation(true);
    qzSplitView1->setOpened(false);

    qzScrollBox1 = named<TqzScrollBox>(qzSplitView1, "qzScrollBox1");
    QWidget* content = qzScrollBox1->content();

    qzListGroupPanel1 = named<TqzListGroupPanel>(content, "qzListGroupPanel1");
    qzListGroupPanel1->setCaption(QStringLiteral("Settings"));
    qzListGroupPanel1->setRowCount(4);
    qzListGroupPanel1->setRowHeight(30);
    qzListGroupPanel1->setHeaderHeight(30);
    qzListGroupPanel1->setRowLineMargin(20);
    qzListGroupPanel1->setHeaderMargin(10);
    qzListGroupPanel1->setHeaderFont(tahoma(15, false));
    qzListGroupPanel1->setColor(palette().color(QPalette::Base));
    qzListGroupPanel1->setAutoHeight(true);
    qzListGroupPanel1->setFont(tahoma(11, false));

    auto rowLabel = [&](const char* name, const char* caption) {
        auto* l = named<TqzLabel>(qzListGroupPanel1, name);
        l->setFont(tahoma(11, true));
        // A line's height would clip the dots of a capital such as the "Ü" of "Üstte".
        l->setAutoSizeHeight(false);
        l->setCaption(QString::fromUtf8(caption));
        l->resize(l->width(), px(24));
        return l;
    };
    qzLabel1 = rowLabel("qzLabel1", "Lang.");
    qzLabel5 = rowLabel("qzLabel5", "Stay on top");
    qzLabel6 = rowLabel("qzLabel6", "Enable Notifications");
    qzLabel7 = rowLabel("qzLabel7", "Run at Startup");

    cmbDil = named<TqzComboBox>(qzListGroupPanel1, "cmbDil");
    cmbDil->items()->setCaptions({QStringLiteral("Türkçe"), QStringLiteral("English")});
    cmbDil->setItemIndex(-1);
    cmbDil->setFont(tahoma(11, false));

    swUstte = named<TqzSwitch>(qzListGroupPanel1, "swUstte");
    swBildirim = named<TqzSwitch>(qzListGroupPanel1, "swBildirim");
    swBaslangic = named<TqzSwitch>(qzListGroupPanel1, "swBaslangic");
    for (TqzSwitch* s : {swUstte, swBildirim, swBaslangic}) {
        s->setLoading(true);
        s->setFrameOnColor(qz::kBrandBlue);
        s->resize(px(44), px(20));
    }
    swUstte->setOn(true);
    swBildirim->setOn(true);
    swBaslangic->setOn(false);
    for (TqzSwitch* s : {swUstte, swBildirim, swBaslangic})
        s->setLoading(false);

    qzListGroupPanel1->placeRow(0, qzLabel1, cmbDil);
    qzListGroupPanel1->placeRow(1, qzLabel5, swUstte);
    qzListGroupPanel1->placeRow(2, qzLabel6, swBildirim);
    qzListGroupPanel1->placeRow(3, qzLabel7, swBaslangic);

    qzProgressbar1 = named<TqzCircledProgressBar>(content, "qzProgressbar1");
    qzProgressbar1->setCaption(QStringLiteral("Application updating"));
    qzProgressbar1->setMinValue(0);
    qzProgressbar1->setMaxValue(100);
    qzProgressbar1->setValue(50);
    qzProgressbar1->setShowCaption(true);
    qzProgressbar1->setShowProgressText(true);
    qzProgressbar1->setProgressColor(qz::kBrandBlue);
    qzProgressbar1->setFrameSize(8);
    qzProgressbar1->setFont(tahoma(8, true));
    qzProgressbar1->setProgressFont(ringPercentFont());
    qzProgressbar1->setProgressFontColor(qz::kAccentOrange);
    qzProgressbar1->hide();
    qzSplitView1->setLoading(false);
}

void TAnaform::placeComponents() {
    const int w = kClientWidth;
    const int h = kClientHeight;
    auto at = [this](QWidget* widget, int x, int y, int width, int height) {
        widget->setGeometry(px(x), px(y), px(width), px(height));
    };
    at(panelClient, 0, 0, w, h);
    const int inner = w - 2 * kFrame; // 543
    at(panelTop, kFrame, kFrame, inner, kTopHeight);
    at(panelBottom, kFrame, h - kFrame - kBottomHeight, inner, kBottomHeight);
    const int anaHeight = h - 2 * kFrame - kTopHeight - kBottomHeight; // 264
    at(panelAna, kFrame, kFrame + kTopHeight, inner, anaHeight);

    // Title bar: logo and title from the left, buttons from the right edge inwards.
    at(qzImage1, 3, 3, 38, 28);
    int right = inner;
    for (TqzGlyphButton* b : {CloseButton, MinButton, qzGlyphButton1, btnUpdate}) {
        right -= kTitleButtonWidth;
        at(b, right, 0, kTitleButtonWidth, kTitleButtonHeight);
    }
    at(lblCaption, 3 + 38 + 3, 0, right - (3 + 38 + 3), kTopHeight);
    lblUrl->move(px(10), 0);
    lblUrl->resize(lblUrl->sizeHint().width(), px(kBottomHeight));
    at(lblNotice, 10, 0, inner - 20, kBottomHeight);

    at(panelCenter, kFrame, kFrame, inner - 2 * kFrame, anaHeight - 2 * kFrame); // 539 x 260
    struct Place {
        QWidget* widget;
        int x, y, width, height;
    };
    namespace rows = qz::window_rows;
    for (const rows::ActionButtonRow& row : rows::kActionButtons)
        at(actionButton(row.action), row.x, rows::kActionButtonTop, row.width,
           rows::kActionButtonHeight);
    for (const rows::TriggerRadioRow& row : rows::kTriggerRadios)
        at(radioOf(row.mode), rows::kTriggerRadioLeft, row.y, rows::kTriggerRadioWidth,
           rows::kTriggerRadioHeight);
    for (std::size_t i = 0; i < rows::kTimeFields.size(); ++i) {
        const rows::TimeFieldRow& row = rows::kTimeFields[i];
        at(m_timeFields[i], row.x, row.y, row.width, rows::kFieldHeight);
    }
    const rows::TimeFieldRow& fromNow = rows::kTimeFields[0];
    at(dateEditBelirtilenSure, fromNow.x, rows::kDateFieldY, fromNow.width, rows::kFieldHeight);
    const Place places[] = {
        {progress, 391, 71, 133, 133},
    };
    for (const Place& p : places)
        at(p.widget, p.x, p.y, p.width, p.height);
    const int centerWidth = inner - 2 * kFrame;
    const int centerHeight = anaHeight - 2 * kFrame;
    at(qzPanel1, kFrame, centerHeight - kFrame - kDescriptionHeight, centerWidth - 2 * kFrame,
       kDescriptionHeight);
    at(btnStartStop, 405, 3, 125, 33);
    layoutDescription();

    // The settings panel keeps itself at panelAna's right edge; its content is laid out
    // for the open width.
    at(qzScrollBox1, 1, 0, kPanelOpenedWidth - 1, anaHeight);
    at(qzListGroupPanel1, 0, 0, kPanelOpenedWidth - 1, 150);
    at(qzProgressbar1, kPanelOpenedWidth - 1 - 108, 150 + 8, 108, 108);
    qzScrollBox1->content()->resize(px(kPanelOpenedWidth - 1), px(150 + 8 + 108 + 8));
    qzSplitView1->raise();
}

void TAnaform::layoutDescription() {
    // Left-aligned in this order, hidden labels taking no room; a small inset keeps the
    // first word off the frame.
    int x = px(5);
    for (TqzLabel* l : {lblBil, lblTarih, lblislem, lbltarihEn}) {
        if (l->isHidden())
            continue;
        l->setGeometry(x, 0, l->sizeHint().width(), qzPanel1->height());
        x += l->width();
    }
}
