// The window's word to the user when an update could not be downloaded.
#include "app/anaform.h"

#include "app/user_prompts.h"
#include "i18n/program_titles.h"

void TAnaform::showUpdateFailure(const QString& text) {
    // The title of the update questions, so the user sees which process failed.
    m_deps.prompts->showError(this, QString::fromUtf8(qz::kUpdateTitle), text);
}
