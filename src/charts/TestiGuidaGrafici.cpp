#include "app/TestiGuida.h"

namespace TestiGuida {

QString TitoloGrafici() { return QStringLiteral("App Grafici Spese Annuali"); }

QString TestoGrafici()
{
    return QStringLiteral(
        "I grafici statistici mostrano le spese sostenute in ciascun mese dell'anno solare scelto, "
        "sotto forma di grafico a torta oppure di grafico a barre tridimensionali. Tutti gli importi "
        "sono arrotondati all'euro.\r\n\r\n"
        "Per cominciare, indicare l'anno solare con quattro cifre e premere il pulsante Apri.\r\n\r\n"
        "Il grafico mostra dodici barre, una per ogni mese. Il pulsante \"Visualizza grafico a torta\" "
        "mostra le stesse spese come una torta di dodici spicchi; il pulsante \"Visualizza grafico a "
        "barre\" riporta alle barre.\r\n\r\n"
        "Il pulsante \"Stampa grafico\" stampa il grafico visualizzato, con i dati mensili, nel numero "
        "di copie indicato.");
}

} // namespace TestiGuida
