#pragma once

#include <QDateTime>
#include <QString>

namespace qz {

// The name pattern of the private folders the updater downloads into, below its root.
inline constexpr const char* kDownloadFolderPattern = "qzscheduler-XXXXXX";

// Removes the download folders that earlier runs of this user left in `root` (a crash during
// a download, a build that kept declined downloads): folders named by the pattern, owned by
// this user, last changed before `changedBefore` (so a download another copy of the program
// is making right now is left alone), and not `keep` (the folder the running program was
// started from, which an installed update runs out of). Returns how many were removed.
int removeStaleDownloads(const QString& root, const QString& keep, const QDateTime& changedBefore);

} // namespace qz
