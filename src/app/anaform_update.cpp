// The window's side of the version check and the update: the questions, the update ring and the
// word to the user when the download failed.
#include "app/anaform.h"

#include "app/user_prompts.h"
#include "i18n/program_titles.h"
#include "i18n/qz_lang.h"
#include "widgets/qz_circled_progress_bar.h"
#include "widgets/qz_split_view.h"

#include <QCoreApplication>

#include <limits>

QString TAnaform::messageString(const QString& id) const {
    return qzLang1->messageString(id);
}

bool TAnaform::askYesNo(const QString& text) {
    return m_deps.prompts->askYesNo(this, QString::fromUtf8(qz::kUpdateTitle), text);
}

void TAnaform::stopStayingOnTop() {
    applyStayOnTop(false);
}

void TAnaform::showUpdateRing() {
    qzProgressbar1->show();
    qzSplitView1->setOpened(true);
}

void TAnaform::setUpdateRingCaption(const QString& caption) {
    qzProgressbar1->setCaption(caption);
}

void TAnaform::setUpdateRingProgress(qint64 received, qint64 total) {
    if (total <= 0)
        return;
    // The ring counts in int; large downloads are shown in coarser units.
    while (total > std::numeric_limits<int>::max()) {
        total /= 1024;
        received /= 1024;
    }
    qzProgressbar1->setMaxValue(static_cast<int>(total));
    qzProgressbar1->setValue(static_cast<int>(qBound<qint64>(0, received, total)));
}

void TAnaform::hideUpdateRing() {
    qzProgressbar1->hide();
    qzSplitView1->setOpened(false);
}

void TAnaform::endProgram() {
    QCoreApplication::quit();
}

void TAnaform::showUpdateFailure(const QString& text) {
    // The title of the update questions, so the user sees which process failed.
    m_deps.prompts->showError(this, QString::fromUtf8(qz::kUpdateTitle), text);
}
