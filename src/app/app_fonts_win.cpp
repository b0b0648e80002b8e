#include "app/app_fonts.h"

namespace qz {

// Wine maps the root of the Unix file system to drive Z:.
const char* const kTahomaFolder = "Z:/usr/share/wine/fonts";

QStringList tahomaFaceFiles() {
    return {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")};
}

} // namespace qz
