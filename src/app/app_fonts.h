#pragma once

#include <QString>
#include <QStringList>

namespace qz {

// Where Debian's wine fonts keep Wine's own Tahoma: outside the font configuration's path on
// Linux, and reached through drive Z: by a Windows program under Wine, whose prefixes made by
// Debian's Wine carry no Tahoma of their own (Wine looks for its fonts at a path it cannot
// open there, and the GDI font mapper then hands out a far wider face).
extern const char* const kTahomaFolder;

// The faces of that folder the program takes: on Linux the regular face only, bold derived
// from it, since the bold file renders wide and uneven there, with advances that tear words
// apart; under Wine both, since GDI draws the bold face evenly, at the widths Windows' own
// Tahoma Bold gives.
QStringList tahomaFaceFiles();

// Registers those faces found in `folder` with the application, unless the system has a
// Tahoma of its own, so captions keep their designed widths. Returns how many faces were
// added; without one the desktop's sans serif stands in.
int registerTahomaFaces(const QString& folder = QString::fromUtf8(kTahomaFolder));

} // namespace qz
