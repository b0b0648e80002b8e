#include "i18n/qz_lang.h"
#include "widgets/qz_combo_box.h"
#include "widgets/qz_label.h"

#include <gtest/gtest.h>

#include <QWidget>

// The runtime against the real widget set: the properties it reaches by name must exist there.
namespace {

class TAnaform : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    using QWidget::QWidget;
};

TEST(I18nWidgets, TableReachesLabelsAndComboItems) {
    TAnaform window;
    auto* label = new TqzLabel(&window);
    label->setObjectName(QStringLiteral("btnshutdown"));
    label->setCaption(QStringLiteral("Shutdown"));
    auto* combo = new TqzComboBox(&window);
    combo->setObjectName(QStringLiteral("cmbDil"));
    combo->items()->setCaptions({QStringLiteral("Türkçe"), QStringLiteral("English")});

    TqzLang lang(&window);
    lang.loadProgramTable();
    lang.setActiveLanguage(1);
    EXPECT_EQ(label->caption(), "Kapat");
    EXPECT_EQ(label->font().family(), "Tahoma");
    EXPECT_EQ(label->property(qz::kFontCharsetProperty).toInt(), 1);
    lang.setActiveLanguage(2);
    EXPECT_EQ(label->caption(), "Shutdown");
    ASSERT_EQ(combo->items()->count(), 2);
    EXPECT_EQ(combo->items()->at(0)->caption(), "Türkçe");
    // Both item rows found their item: none was dropped as unreachable.
    EXPECT_EQ(lang.getPropListByType(qz::TranslationTable::stCollections)->size(), 2);
}

} // namespace

#include "qz_lang_widgets_test.moc"
