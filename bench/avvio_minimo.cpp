// A minimal Qt window: the yardstick for the program's start-up time, timed
// the same way, to its first paint.
#include "PrimoDisegno.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget w;
    w.resize(400, 300);
    PrimoDisegno disegno(&w);
    w.show();
    return QApplication::exec();
}
