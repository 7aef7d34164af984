// The program's start-up up to the access screen shown: the same steps as
// main.cpp, then it reports and leaves.
#include "access/Password.h"
#include "app/Applicazione.h"
#include "app/Schermate.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Applicazione::Prepara(app);
    Schermate::CreaTutte();
    Schermate::Globali().frmPassword->show();
    QTimer::singleShot(0, [] {
        std::puts("pronto");
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    const int r = QApplication::exec();
    Schermate::DistruggiTutte();
    return r;
}
