#include "settings/user_settings.h"

#include <QCoreApplication>
#include <QDir>

namespace qz {

std::string runningProgramPath() {
    return QDir::toNativeSeparators(QCoreApplication::applicationFilePath()).toStdString();
}

} // namespace qz
