#include "app/app_fonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

namespace qz {

int registerTahomaFaces(const QString& folder) {
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        return 0;
    int added = 0;
    for (const QString& file : tahomaFaceFiles()) {
        const QString path = QDir(folder).filePath(file);
        if (QFileInfo::exists(path) && QFontDatabase::addApplicationFont(path) >= 0)
            ++added;
    }
    return added;
}

} // namespace qz
