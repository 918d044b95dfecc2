// An empty Qt window the size of the demo window: what bench/startup.py compares the demo's
// start-up with.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(265, 112);
    window.show();
    return QApplication::exec();
}
