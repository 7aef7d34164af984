#pragma once
// The editor's save as one archive operation: rewrite or append, the day's
// copy first, and an honest outcome when the disk could not confirm it.

#include "register/Scheda.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

struct EsitoSalvataggio {
    enum class Stato {
        Salvata,       // written and synced
        NonConfermata, // written, but the disk did not confirm it
        Occupata,      // another program held the archive: nothing written
        Cambiata,      // the record is no longer the one loaded: nothing written
        NonRiuscita,   // any other failure
    };
    Stato stato = Stato::NonRiuscita;
    // The record's 1-based position when it is known to be in the archive.
    std::optional<qint64> posizione;
    // Why the day's copy failed; empty when there was nothing to report.
    QString erroreCopia;
    // Cambiata: the record as the archive holds it now, or nothing when the
    // archive no longer reaches its position.
    std::optional<TScheda> attuale;
    // The errno of the failed copy and the bytes it needed (a full disk).
    int codiceCopia = 0;
    qint64 necessariCopia = 0;
    // Copies named for a day after today, found when today's copy was made.
    QStringList copieFuture;
    // For a failed save: the errno of the failed call and the bytes it needed.
    int errore = 0;
    qint64 necessari = 0;
};

// Saves the record into the archive of the program folder: over record
// posizione (1-based) or, without one, appended. An append whose sync failed
// is looked for in the archive, so that saving again rewrites it instead of
// adding a second copy. With caricata, a rewrite goes ahead only if the
// record still holds those bytes (the ones the editor loaded).
EsitoSalvataggio SalvaScheda(const QString &cartellaProgramma, const TScheda &s,
                             std::optional<qint64> posizione, QDate oggi,
                             const TScheda *caricata = nullptr);
