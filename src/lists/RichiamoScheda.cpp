#include "lists/RichiamoScheda.h"

#include "app/Schermate.h"
#include "lists/RicercaSchede.h"
#include "platform/Desktop.h"
#include "register/Archivio.h"
#include "register/RegPagamenti.h"

#include <QListView>

void CaricaNelRegistro(const TScheda &s, qint64 indice)
{
    if (TfrmRegPagamenti *editor = Schermate::Globali().frmRegPagamenti)
        editor->MostraScheda(s, indice);
}

void RichiamaSchedaSelezionata(QListView *lista, const CaricaScheda &carica)
{
    const int riga = RigaSelezionata(lista);
    if (riga < 0)
        return;
    const RigheScheda &righe = ModelloDi(lista)->Righe();
    const qint64 indice = righe.posizioni.at(riga);
    try {
        const auto s = RitrovaScheda(Archivio::Percorso(Desktop::Corrente().CartellaProgramma()),
                                     indice, righe.righe.at(riga));
        if (s)
            carica(*s, indice);
    } catch (const ErroreArchivio &) {
        // The dialog closes all the same; the editor keeps what it shows.
    }
}
