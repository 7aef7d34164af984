// Valmora: the program entry. Prepares the application, creates the eighteen
// screens in their fixed order and runs the event loop.

#include "Programma.h"
#include "app/Applicazione.h"
#include "platform/Schermate.h"

#include <QWidget>

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Applicazione::Prepara(app);

    Programma::CreaSchermate();
    Schermate::Globali().frmPassword->show();
    const int esito = QApplication::exec();
    Programma::DistruggiSchermate();
    return esito;
}
