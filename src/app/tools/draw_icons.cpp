// Writes the program icon that desktop menus show in the icon theme's layout, one PNG a size:
//   qz_draw_icons <theme folder> <side>...   writes <folder>/<side>x<side>/apps/qzscheduler.png
// Each size is drawn anew rather than scaled, so the small ones stay sharp. The artwork is
// paths on an image, so no application object or display is needed.
#include "app/artwork.h"

#include <QDir>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: qz_draw_icons <folder> <side>...\n");
        return 2;
    }
    const QDir theme(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        bool ok = false;
        const int side = QByteArray(argv[i]).toInt(&ok);
        const QString folder = QStringLiteral("%1x%1/apps").arg(side);
        if (!ok || side <= 0 || !theme.mkpath(folder) ||
            !qz::programIcon(side).save(
                theme.filePath(folder + QStringLiteral("/qzscheduler.png")))) {
            std::fprintf(stderr, "qz_draw_icons: cannot write the %s icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
