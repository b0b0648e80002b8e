#include "app/app_fonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

namespace qz {

int registerTahomaFaces(const QString& folder) {
    const QString path = QDir(folder).filePath(QStringLiteral("tahoma.ttf"));
    return QFileInfo::exists(path) && QFontDatabase::addApplicationFont(path) >= 0 ? 1 : 0;
}

} // namespace qz
