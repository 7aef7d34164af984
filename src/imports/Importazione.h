#pragma once
// From the statement's payments to records: what each line becomes, which
// lines repeat a record of the archive or an earlier line of the file, and
// the append of the chosen records in one go.

#include "imports/IndiceArchivio.h"
#include "imports/Mappatura.h"
#include "register/Scheda.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <optional>

namespace Importazione {

struct Riga {
    Movimento movimento;
    // The texts as the record will hold them: closest windows-1252 form, cut
    // to the field.
    QString fornitore, servizi;
    bool tagliata = false;
    QStringList sostituiti;          // characters replaced or taken out, for the user
    // Codice and Tipologia from the payee's last record, if there is one.
    std::optional<std::pair<QString, QString>> codici;
    // The record this line repeats (0-based index), or the earlier line.
    std::optional<IndiceArchivio::Voce> doppione;
    int lineaRipetuta = 0;
    bool spuntata = false;
    bool Doppione() const { return doppione.has_value() || lineaRipetuta > 0; }
};

constexpr int TolleranzaPredefinita = 3;

// The amounts the preview looks up in the archive: those of the money going
// out, for IndiceArchivio::Carica and Copre.
QSet<qint64> ImportiUscite(const QList<Movimento> &movimenti);

// The preview of the payments: money going out ticked unless it repeats a
// record (same amount due, date within tolleranza days, matching payee) or
// an earlier line of the file (same date, amount, payee and description).
// The index must cover ImportiUscite(movimenti).
QList<Riga> Anteprima(const QList<Movimento> &movimenti, const IndiceArchivio &indice, int tolleranza);

// The record of a line: Data, Fornitore, Servizi, Dovuto = Acconto = the
// amount, Saldo 0,00, "Conto da saldare" No, and the codes given.
TScheda Scheda(const Riga &r, const QString &codice, const QString &tipologia);

struct Esito {
    enum class Stato {
        Riuscita,
        Cambiata,      // the archive changed since the preview: nothing written
        Occupata,      // another program held the archive: nothing written
        NonRiuscita,   // nothing written
        NonConfermata, // written, but the disk did not confirm it
    };
    Stato stato = Stato::NonRiuscita;
    qint64 prima = 0;        // 1-based position of the first record added
    qint64 aggiunte = 0;
    QString copia;           // name in Backup/ of the archive as it was before
    QString erroreCopia;     // why the day's copy failed; empty otherwise
    QString dettaglio;       // why it failed
};

// Appends the records under the archive's exclusive lock, after the day's
// copy and a copy of the archive as it stands (Backup/, named by
// NomeCopiaPrima), in one write synced before it returns. schedeAttese is the
// number of records the preview was made on: a different count means the
// archive changed meanwhile, and nothing is written.
Esito Scrivi(const QString &cartellaProgramma, const QList<TScheda> &schede, qint64 schedeAttese,
             const QDateTime &adesso);

} // namespace Importazione
