#pragma once

#include <QString>

namespace qz {

// Where Debian's wine fonts keep a Tahoma outside the font configuration's path.
inline constexpr const char* kTahomaFolder = "/usr/share/wine/fonts";

// Registers the regular Tahoma face found in `folder` with the application, so captions
// keep their designed widths. Bold is derived from the regular face: the bold file there
// renders wide and uneven, with advances that tear words apart. Returns how many faces
// were added; without one the desktop's sans serif stands in.
int registerTahomaFaces(const QString& folder = QString::fromUtf8(kTahomaFolder));

} // namespace qz
