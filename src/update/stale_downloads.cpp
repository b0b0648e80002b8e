#include "update/stale_downloads.h"

#include "update/update_system.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace qz {

int removeStaleDownloads(const QString& root, const QString& keep, const QDateTime& changedBefore) {
    QString pattern = QString::fromLatin1(kDownloadFolderPattern);
    pattern.replace(QLatin1String("XXXXXX"), QLatin1String("[A-Za-z0-9]{6}"));
    const QRegularExpression name(QRegularExpression::anchoredPattern(pattern));
    const QString kept = keep.isEmpty() ? QString() : QFileInfo(keep).canonicalFilePath();

    int removed = 0;
    const QFileInfoList folders =
        QDir(root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& folder : folders) {
        if (!name.match(folder.fileName()).hasMatch() || folder.isSymLink() ||
            !ownedByThisUser(folder) || folder.lastModified() >= changedBefore ||
            (!kept.isEmpty() && folder.canonicalFilePath() == kept))
            continue;
        if (QDir(folder.filePath()).removeRecursively())
            ++removed;
    }
    return removed;
}

} // namespace qz
