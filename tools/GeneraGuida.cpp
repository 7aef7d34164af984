// Build-time tool: writes the user guide "Guida.pdf" from the program's own
// help topics and pictures.
//   genera_guida <output.pdf>

#include "app/GuidaPdf.h"

#include <QGuiApplication>
#include <cstdio>

static void CaricaImmagini() { Q_INIT_RESOURCE(valmora); }

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: genera_guida <file.pdf>\n");
        return 2;
    }
    CaricaImmagini();
    const QString file = QString::fromLocal8Bit(argv[1]);
    if (!GuidaPdf::Scrivi(file, GuidaPdf::ArgomentiDelProgramma())) {
        std::fprintf(stderr, "genera_guida: impossibile scrivere %s\n", argv[1]);
        return 1;
    }
    return 0;
}
