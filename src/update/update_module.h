#pragma once

#include "update/update_task.h"
#include "update/update_window.h"

#include <QStringList>

#include <memory>

namespace qz {

// The version check lives in a module of its own on Linux, loaded once the window is on the
// screen, so the network libraries it needs are not loaded before the window appears.

// The module's file name and the function it exports.
inline constexpr char kUpdateModuleName[] = "qzscheduler-update.so";
inline constexpr char kUpdateModuleEntry[] = "qzCreateUpdater";
using UpdateModuleEntry = UpdateTask* (*)(UpdateWindow&);

// The folders searched for the module: the program's own folder (a build), then the library
// folder installed beside it, wherever the installation prefix is.
QStringList updateModuleFolders();

// The version check with this machine's defaults over the window, from the first folder
// that holds the module; nullptr when none does (the program then runs without the check).
std::unique_ptr<UpdateTask> loadUpdater(UpdateWindow& window,
                                        const QStringList& folders = updateModuleFolders());

} // namespace qz
