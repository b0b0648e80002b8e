#pragma once

#include <QFileInfo>
#include <QString>

namespace qz {

// What the update does differently per system. CMake builds one of update_system_unix.cpp and
// update_system_win.cpp.

// A program file's name from its base name: with ".exe" on Windows.
QString programFileName(const QString& baseName);

// The file version in the running program's version resource, as four decimal numbers separated
// by "."; empty when it has none (always, where programs carry no such resource).
QString versionResourceText();

// Whether a file belongs to the user running this program. On Windows the temporary folder is
// the user's own, so everything in it does.
bool ownedByThisUser(const QFileInfo& info);

// Lets the downloaded program at `path` be started: the execute bits where the system has them.
// False when that failed.
bool makeStartable(const QString& path);

} // namespace qz
