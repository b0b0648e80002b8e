#pragma once

namespace qz {

// Whether the desktop's tray reports only an activation for a click on the icon, as
// StatusNotifierItem hosts do, so that no double-click ever arrives and activation has to
// restore the window instead.
bool trayReportsOnlyActivation();

} // namespace qz
