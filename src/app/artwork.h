#pragma once

#include <QImage>

namespace qz {

// The program's artwork, drawn rather than decoded: a power mark with a clock hand. Drawing
// it costs less at start-up than reading an image file, and it is sharp at any size.

// The program icon: the mark on a rounded blue tile, side pixels square.
QImage programIcon(int side);
// The title bar's logo: the mark alone on a transparent square, side pixels square.
QImage logoImage(int side);

} // namespace qz
