#pragma once

#include <QByteArray>
#include <QList>

class QImage;

namespace qz {

// A Windows icon file (.ico) holding each image as one size: 256 pixels and larger as PNG,
// smaller ones as 32-bit bitmaps with their mask, which every icon reader takes. Images
// must be square; an empty list gives an empty result.
QByteArray icoFile(const QList<QImage>& images);

} // namespace qz
