#include "lists/RichiamoScheda.h"

#include "lists/RicercaSchede.h"
#include "platform/Desktop.h"
#include "register/Archivio.h"

#include <QListView>

bool RichiamaSchedaSelezionata(QListView *lista, VisoreScheda &visore)
{
    const int riga = RigaSelezionata(lista);
    if (riga < 0)
        return true;
    if (!visore.LasciaScheda())
        return false;
    // Read after the question: a save on it may have changed the archive.
    const RigheScheda &righe = ModelloDi(lista)->Righe();
    const qint64 indice = righe.righe.Indice(riga);
    QWidget *finestra = lista->window();
    try {
        const auto s = RitrovaScheda(Archivio::Percorso(Desktop::Corrente().CartellaProgramma()),
                                     indice, righe.righe.at(riga));
        if (s)
            visore.MostraScheda(*s, indice);
        else
            Desktop::Corrente().Messaggio(
                Desktop::Tipo::Avviso,
                QStringLiteral("Attenzione: la scheda n. %1 non è più quella mostrata nell'elenco: "
                               "è stata modificata o tolta dall'archivio dopo che l'elenco è stato "
                               "compilato.\n\r\n\rRipetere la ricerca per vedere le schede come sono ora.")
                    .arg(indice + 1),
                finestra);
    } catch (const ErroreArchivio &) {
        // The dialog closes all the same; the editor keeps what it shows.
        Desktop::Corrente().Messaggio(Desktop::Tipo::Errore, Archivio::MessaggioInaccessibile(), finestra);
    }
    return true;
}
