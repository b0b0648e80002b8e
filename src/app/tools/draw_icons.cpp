// Writes the program icon from its artwork, made at build time:
//   qz_draw_icons FILE.ico                  every size Windows asks for, 16 to 256 pixels,
//                                           for the program's icon resource
//   qz_draw_icons <theme folder> <side>...  one PNG a size in the icon theme's layout,
//                                           <folder>/<side>x<side>/apps/qzscheduler.png
// Each size is drawn anew rather than scaled, so the small ones stay sharp.
#include "app/artwork.h"
#include "app/tools/icon_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>

#include <cstdio>

namespace {

bool writeIco(const QString& path) {
    QList<QImage> images;
    for (int side : {16, 20, 24, 32, 40, 48, 64, 96, 128, 256})
        images.append(qz::programIcon(side));
    QFile file(path);
    const QByteArray data = qz::icoFile(images);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush();
}

bool writeThemeIcon(const QDir& theme, const char* sideText) {
    bool ok = false;
    const int side = QByteArray(sideText).toInt(&ok);
    const QString folder = QStringLiteral("%1x%1/apps").arg(side);
    return ok && side > 0 && theme.mkpath(folder) &&
           qz::programIcon(side).save(theme.filePath(folder + QStringLiteral("/qzscheduler.png")));
}

} // namespace

int main(int argc, char* argv[]) {
    // Painting into images needs no screen, so the tool also runs where none exists.
    QCoreApplication app(argc, argv);
    if (argc == 2 && QByteArray(argv[1]).endsWith(".ico")) {
        if (writeIco(QString::fromLocal8Bit(argv[1])))
            return 0;
        std::fprintf(stderr, "qz_draw_icons: cannot write %s\n", argv[1]);
        return 1;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: qz_draw_icons FILE.ico | <theme folder> <side>...\n");
        return 2;
    }
    const QDir theme(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        if (!writeThemeIcon(theme, argv[i])) {
            std::fprintf(stderr, "qz_draw_icons: cannot write the %s icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
