#include "app/TestiGuida.h"

namespace TestiGuida {

QString TitoloRiepilogo() { return QStringLiteral("App Riepilogo Uscite"); }

QString TestoRiepilogo()
{
    return QStringLiteral(
        "Il riepilogo delle uscite elenca i pagamenti registrati nel Registro spese la cui data "
        "dell'operazione cade nell'intervallo di tempo scelto, e ne calcola il totale."
        "\r\n\r\n"
        "Per ottenerlo, dal menu di avvio aprire Riepilogo Uscite, indicare l'anno solare, il "
        "giorno e il mese di inizio e di fine dell'intervallo, ed eventualmente il beneficiario "
        "e il codice del prodotto o servizio; quindi premere Visualizza riepilogo."
        "\r\n\r\n"
        "Ogni riga dell'elenco riporta la data dell'operazione, il codice e la descrizione del "
        "prodotto o servizio, il beneficiario e il totale dovuto. In basso sono indicati "
        "l'intervallo selezionato e il totale degli importi pagati."
        "\r\n\r\n"
        "Lasciando in bianco sia il beneficiario sia il codice, il riepilogo comprende tutti i "
        "pagamenti dell'intervallo. Il riepilogo può essere stampato con il pulsante Stampa "
        "riepilogo.");
}

} // namespace TestiGuida
