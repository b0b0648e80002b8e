#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

// The floor the program is measured against: a window of the same size and title with one
// label. With "--ticking" the label is rewritten every second, as any countdown must do.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool ticking = app.arguments().contains(QStringLiteral("--ticking"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("QZ Duvodoro Ruruzovad"));
    window.setFixedSize(547, 338);
    auto* label = new QLabel(QStringLiteral("Remaining Time"), &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(label);

    QTimer timer;
    if (ticking) {
        int seconds = 0;
        QObject::connect(&timer, &QTimer::timeout, label, [label, &seconds] {
            label->setText(QStringLiteral("Remaining Time\r%1 Seconds").arg(++seconds));
        });
        timer.start(1000);
    }
    window.show();
    return app.exec();
}
