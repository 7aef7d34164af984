// The program's start-up up to the access screen painted: the same steps as
// main.cpp, then it reports and leaves.
#include "PrimoDisegno.h"

#include "Programma.h"
#include "access/Password.h"
#include "app/Applicazione.h"
#include "platform/Caratteri.h"
#include "platform/Schermate.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    CaratteriInAnticipo caratteri;
    QApplication app(argc, argv);
    caratteri.Attendi();
    Applicazione::Prepara(app);
    Programma::CreaSchermate();
    PrimoDisegno disegno(Schermate::Globali().frmPassword);
    Schermate::Globali().frmPassword->show();
    const int r = QApplication::exec();
    Programma::DistruggiSchermate();
    return r;
}
