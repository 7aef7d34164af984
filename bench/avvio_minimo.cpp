// A minimal Qt window: the yardstick for the program's start-up time.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget w;
    w.resize(400, 300);
    w.show();
    QTimer::singleShot(0, [] {
        std::puts("pronto");
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
