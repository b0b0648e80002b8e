// The entry point of the version-check module (see update/update_module.h).
#include "update/update_module.h"
#include "update/updater.h"

extern "C" Q_DECL_EXPORT qz::UpdateTask* qzCreateUpdater(qz::UpdateWindow& window) {
    return new qz::Updater(window, qz::DefaultUpdateOptions());
}
