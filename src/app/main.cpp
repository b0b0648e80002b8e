#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("QZ Duvodoro Ruruzovad"));
    window.resize(547, 338);
    window.show();
    return app.exec();
}
