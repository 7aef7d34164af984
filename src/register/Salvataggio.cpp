#include "register/Salvataggio.h"

#include "register/Archivio.h"
#include "register/CopieGiornaliere.h"

#include <cstring>

namespace {

// True when the archive holds exactly this record at the index.
bool SchedaPresente(const QString &percorso, qint64 indice, const TScheda &s)
{
    try {
        Archivio a(percorso);
        a.ApriArchivio();
        const bool presente = indice < a.NumeroSchede()
                              && std::memcmp(a.LeggiScheda(indice).byte.data(), s.byte.data(),
                                             TScheda::Dimensione) == 0;
        a.Chiudi();
        return presente;
    } catch (const ErroreArchivio &) {
        return false;
    }
}

} // namespace

EsitoSalvataggio SalvaScheda(const QString &cartellaProgramma, const TScheda &s,
                             std::optional<qint64> posizione, QDate oggi,
                             const TScheda *caricata)
{
    using Stato = EsitoSalvataggio::Stato;
    EsitoSalvataggio esito;
    const QString percorso = Archivio::Percorso(cartellaProgramma);
    // -1 until an append has its place.
    qint64 indice = posizione ? *posizione - 1 : -1;
    Archivio a(percorso);
    try {
        a.ImpostaCopieGiornaliere(CopieGiornaliere::Cartella(cartellaProgramma), oggi);
        a.ApriArchivio();
        if (posizione && caricata)
            a.ScriviSchedaSeInvariata(indice, *caricata, s);
        else if (posizione)
            a.ScriviScheda(indice, s);
        else
            indice = a.AccodaScheda(s);
        esito.erroreCopia = a.ErroreCopia();
        esito.codiceCopia = a.CodiceErroreCopia();
        esito.necessariCopia = a.NecessariCopia();
        esito.copieFuture = a.CopieFuture();
        a.Chiudi();
        esito.stato = Stato::Salvata;
        esito.posizione = indice + 1;
    } catch (const ArchivioOccupato &) {
        esito.stato = Stato::Occupata;
    } catch (const SchedaCambiata &e) {
        esito.erroreCopia = a.ErroreCopia();
        esito.stato = Stato::Cambiata;
        esito.attuale = e.attuale;
    } catch (const ErroreConferma &e) {
        esito.erroreCopia = a.ErroreCopia();
        esito.codiceCopia = a.CodiceErroreCopia();
        esito.necessariCopia = a.NecessariCopia();
        esito.errore = e.Errore();
        esito.necessari = e.Necessari();
        esito.stato = Stato::NonConfermata;
        // A rewrite keeps its place whatever happened; an append counts only
        // if its bytes are there to be found.
        if (posizione)
            esito.posizione = posizione;
        else if (indice >= 0 && SchedaPresente(percorso, indice, s))
            esito.posizione = indice + 1;
        else
            esito.stato = Stato::NonRiuscita;
    } catch (const ErroreArchivio &e) {
        esito.erroreCopia = a.ErroreCopia();
        esito.codiceCopia = a.CodiceErroreCopia();
        esito.necessariCopia = a.NecessariCopia();
        esito.errore = e.Errore();
        esito.necessari = e.Necessari();
        esito.stato = Stato::NonRiuscita;
    }
    return esito;
}
