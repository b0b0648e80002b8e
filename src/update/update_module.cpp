#include "update/update_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace qz {

QStringList updateModuleFolders() {
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.path(),
            QDir::cleanPath(program.filePath(QStringLiteral(QZ_UPDATE_MODULE_DIR_FROM_PROGRAM)))};
}

std::unique_ptr<UpdateTask> loadUpdater(UpdateWindow& window, const QStringList& folders) {
    for (const QString& folder : folders) {
        // Never unloaded: the check's objects and their signal connections live in it.
        QLibrary module(QDir(folder).filePath(QString::fromLatin1(kUpdateModuleName)));
        if (!module.load())
            continue;
        if (const auto create =
                reinterpret_cast<UpdateModuleEntry>(module.resolve(kUpdateModuleEntry)))
            return std::unique_ptr<UpdateTask>(create(window));
    }
    return nullptr;
}

} // namespace qz
