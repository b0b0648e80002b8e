#include "app/app_fonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

namespace qz {

int RegisterTahomaFaces(const QString& folder) {
    int added = 0;
    const QDir dir(folder);
    for (const char* name : {"tahoma.ttf", "tahomabd.ttf"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        if (QFileInfo::exists(path) && QFontDatabase::addApplicationFont(path) >= 0)
            ++added;
    }
    return added;
}

} // namespace qz
