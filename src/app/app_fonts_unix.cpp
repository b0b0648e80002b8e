#include "app/app_fonts.h"

namespace qz {

const char* const kTahomaFolder = "/usr/share/wine/fonts";

QStringList tahomaFaceFiles() {
    return {QStringLiteral("tahoma.ttf")};
}

} // namespace qz
