#pragma once

#include <QByteArray>

namespace qz {

// The program's stored translation block (the window's TranslationData), built into the binary
// as a Qt resource. Returns an empty block when the resource is missing, which reads as an empty
// table: the window then keeps its built-in English texts.
QByteArray programTranslationData();

// Resource path of the block, for tools and tests.
inline constexpr const char* kTranslationDataResource = ":/qz/i18n/TranslationData.bin";

} // namespace qz
