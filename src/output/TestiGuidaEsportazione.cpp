#include "app/TestiGuida.h"

namespace TestiGuida {

QString TitoloEsportazione() { return QStringLiteral("Esportazione Registro spese in Excel"); }

QString TestoEsportazione()
{
    return QStringLiteral(
        "Il pulsante Esporta archivio esporta il registro delle spese in un foglio di lavoro "
        "in formato XLS, che può essere aperto da qualsiasi programma in grado di leggere "
        "questo formato."
        "\r\n\r\n"
        "Dopo aver aperto la finestra con la griglia delle schede, fare clic sull'icona del "
        "foglio di calcolo: il file viene creato subito e una domanda chiede se si vuole "
        "aprirlo."
        "\r\n\r\n"
        "Il file aperto può poi essere salvato su disco con il nome che si preferisce.");
}

} // namespace TestiGuida
