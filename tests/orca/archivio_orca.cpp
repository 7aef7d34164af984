// Writes the small archive the screen-reader run works on.
// Usage: archivio_orca <archive>

#include "ArchivioDiProva.h"

#include <QCoreApplication>
#include <QStringList>

using namespace ArchivioDiProva;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = QCoreApplication::arguments();
    if (a.size() != 2)
        return 2;
    // 2024: March 48,50 + 30,20, December 2500; one still to settle.
    Scrivi(a.at(1), {Semplice(QStringLiteral("Acqua Blu"), QStringLiteral("15/03/2024"), QStringLiteral("ACQUA"),
                              QStringLiteral("Bolletta acqua"), QStringLiteral("48,50")),
                     Semplice(QStringLiteral("Acqua Blu"), QStringLiteral("28/03/2024"), QStringLiteral("ACQUA"),
                              QStringLiteral("Conguaglio"), QStringLiteral("30,20")),
                     Semplice(QStringLiteral("Assicura Spa"), QStringLiteral("30/12/2024"), QStringLiteral("AUTO"),
                              QStringLiteral("Polizza auto"), QStringLiteral("2500,00"), true)});
    return 0;
}
