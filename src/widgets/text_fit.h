#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

// Word wrapping and "..." shortening of a caption inside a box, with the text measured
// through a callback so the rules can be checked without fonts.
namespace qz {

using TextWidth = std::function<int(const QString&)>;

// Breaks at CR, LF or CR LF, then wraps each paragraph at blanks to maxWidth. A word
// wider than maxWidth keeps its own line (it is not split).
QStringList wrapText(const QString& text, int maxWidth, const TextWidth& width);

// The lines to draw in a box: the wrapped text when it fits; otherwise the text cut from
// its end until it fits, with its last three remaining characters replaced by "...";
// with fewer than four characters left, the first character and "...", else "..." alone.
// A box less than one line high counts as one line high.
QStringList fitText(const QString& text, int boxWidth, int boxHeight, int lineHeight,
                    const TextWidth& width);

// Top of a block of lineCount lines centred vertically in the box.
int centredBlockTop(const QRect& box, int lineCount, int lineHeight);

} // namespace qz
