#include "update/update_system.h"

#include <QFile>

#include <unistd.h>

namespace qz {

QString programFileName(const QString& baseName) {
    return baseName;
}

QString versionResourceText() {
    return {};
}

bool ownedByThisUser(const QFileInfo& info) {
    return info.ownerId() == ::getuid();
}

bool makeStartable(const QString& path) {
    return QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner |
                                           QFileDevice::ExeUser);
}

} // namespace qz
