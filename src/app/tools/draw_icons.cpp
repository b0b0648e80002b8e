// Writes the program icon from its artwork, each file in the format its name ends with:
//   qz_draw_icons FILE...
// .png: 256 pixels, the icon desktop menus show beside the installed program (committed as
// resources/qzscheduler.png); .ico: every size Windows asks for, 16 to 256 pixels, made at
// build time for the program's icon resource.
#include "app/artwork.h"
#include "app/tools/icon_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>

#include <cstdio>

namespace {

bool writeIcon(const QString& path) {
    if (path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return qz::programIcon(256).save(path, "PNG");
    if (!path.endsWith(QLatin1String(".ico"), Qt::CaseInsensitive))
        return false;
    QList<QImage> images;
    for (int side : {16, 20, 24, 32, 40, 48, 64, 96, 128, 256})
        images.append(qz::programIcon(side));
    QFile file(path);
    const QByteArray data = qz::icoFile(images);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush();
}

} // namespace

int main(int argc, char* argv[]) {
    // Painting into images needs no screen, so the tool also runs where none exists.
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: qz_draw_icons FILE.png|FILE.ico...\n");
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        if (!writeIcon(QString::fromLocal8Bit(argv[i]))) {
            std::fprintf(stderr, "qz_draw_icons: cannot write %s\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
