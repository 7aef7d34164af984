// Valmora: the program entry. Prepares the application, creates the eighteen
// screens in their fixed order and runs the event loop.

#include "Programma.h"
#include "app/Applicazione.h"
#include "platform/Caratteri.h"
#include "platform/Schermate.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    CaratteriInAnticipo caratteri;
    QApplication app(argc, argv);
    caratteri.Attendi();
    Applicazione::Prepara(app);

    // All eighteen exist from here on, but only the access screen builds its
    // form before the first paint. The others build theirs when first shown
    // (a few milliseconds each), not in idle time: most of them are never
    // shown in a run.
    Programma::CreaSchermate();
    // Leftovers of a crash are dealt with before anything reads the folder.
    Programma::PreparaCartellaProgramma();
    Schermate::Globali().frmPassword->show();
    const int esito = QApplication::exec();
    Programma::DistruggiSchermate();
    return esito;
}
