#pragma once
// Removing a record from the archive and putting it back. Nothing removed is
// lost: the record goes first, byte for byte, to "Schede_Eliminate.pro" (the
// archive's own format) beside the archive, with its date of removal in the
// companion "Schede_Eliminate.pro-date" (one "dd/MM/yyyy" line per record),
// both synced; only then is the archive replaced whole without it. Both
// changes run under the archive's exclusive lock, after the day's copy.

#include "register/Scheda.h"

#include <QDate>
#include <QList>
#include <QString>
#include <functional>

// What a removal, a restore or a copy's restore did.
struct EsitoModifica {
    enum class Stato {
        Riuscita,
        Cambiata,      // the record is no longer where the screen had it: nothing done
        Occupata,      // another program held the archive: nothing done
        NonRiuscita,   // nothing changed
        NonConfermata, // the change was made, but the disk did not confirm it
        Incompleta,    // restored into the archive, but still in the removed list
    };
    Stato stato = Stato::NonRiuscita;
    qint64 posizione = 0;  // 1-based: where a restored record now stands
    QString erroreCopia;   // why the day's copy failed; empty otherwise
    QString dettaglio;     // the failed step, or the name of the copy saved first
    // The errno of the failed step and the bytes the change needed (a full disk).
    int errore = 0;
    qint64 necessari = 0;
    // The same for the day's copy.
    int codiceCopia = 0;
    qint64 necessariCopia = 0;
};

// What the user is told when a change failed with nothing changed; `azione`
// names it ("eliminare la scheda"). A full disk is named, with the room the
// change needs; any other cause sends to the free space and the permissions.
QString MessaggioModificaNonRiuscita(const QString &azione, const EsitoModifica &esito);

// Runs a change of the whole archive of the program folder under its lock,
// after the day's copy, and turns what went wrong into the outcome the
// screens report. `lavoro` gets the archive's descriptor.
EsitoModifica ModificaArchivio(const QString &cartellaProgramma, QDate oggi,
                               const std::function<void(int fd, EsitoModifica &)> &lavoro);

namespace SchedeEliminate {

QString NomeFile();                                 // "Schede_Eliminate.pro"
QString Percorso(const QString &cartellaProgramma);
QString PercorsoDate(const QString &cartellaProgramma); // Percorso() + "-date"

struct Eliminata {
    TScheda scheda;
    QDate data;      // of the removal; invalid when the companion file lacks it
    qint64 indice;   // 0-based, in the removed records' file
};

// The removed records in file order (oldest first). A missing file is an
// empty list. Throws ErroreArchivio when the file cannot be read.
QList<Eliminata> Elenco(const QString &cartellaProgramma);

// Removes record `indice` (0-based) of the archive, provided it still holds
// the bytes `attesa`; later records move up one position.
EsitoModifica Elimina(const QString &cartellaProgramma, qint64 indice, const TScheda &attesa,
                      QDate oggi);

// Appends removed record `indice` at the end of the archive and takes it out
// of the removed list, provided the list still holds `attesa` there.
EsitoModifica Ripristina(const QString &cartellaProgramma, qint64 indice, const TScheda &attesa,
                         QDate oggi);

} // namespace SchedeEliminate
