#pragma once

#include <QString>

namespace qz {

// Where Debian's wine fonts keep a Tahoma outside the font configuration's path.
inline constexpr const char* kTahomaFolder = "/usr/share/wine/fonts";

// Registers the regular and bold Tahoma faces found in `folder` with the application, so
// captions keep their designed widths. Returns how many faces were added; without them
// the desktop's sans serif stands in.
int RegisterTahomaFaces(const QString& folder = QString::fromUtf8(kTahomaFolder));

} // namespace qz
