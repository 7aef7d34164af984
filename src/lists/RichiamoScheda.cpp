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
    const qint64 indice = righe.posizioni.at(riga);
    try {
        const auto s = RitrovaScheda(Archivio::Percorso(Desktop::Corrente().CartellaProgramma()),
                                     indice, righe.righe.at(riga));
        if (s)
            visore.MostraScheda(*s, indice);
    } catch (const ErroreArchivio &) {
        // The dialog closes all the same; the editor keeps what it shows.
    }
    return true;
}
