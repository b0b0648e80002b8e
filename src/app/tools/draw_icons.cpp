// Writes the program icon that desktop menus show (installed beside the program) as a PNG:
//   qz_draw_icons <resources folder>
#include "app/artwork.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: qz_draw_icons <folder>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    return qz::programIcon(256).save(dir.filePath(QStringLiteral("qzscheduler.png"))) ? 0 : 1;
}
