#pragma once
// From the statement's payments to records: what each line becomes, which
// lines repeat a record of the archive or an earlier line of the file, and
// the append of the chosen records in one go.

#include "imports/Mappatura.h"
#include "register/Scheda.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>
#include <vector>

namespace Importazione {

// The payee reduced for comparing: lower case letters and digits, no accents.
QString ChiaveFornitore(const QString &fornitore);
// Two payees match when their keys are equal or one holds the other (a bank
// writes "PAGAMENTO POS ENEL ENERGIA SPA" for "Enel Energia S.p.A.").
bool StessoFornitore(const QString &chiaveA, const QString &chiaveB);

// What one scan of the archive tells about the records already there.
class IndiceArchivio {
public:
    // Throws ErroreArchivio when the archive cannot be read.
    static IndiceArchivio Carica(const QString &percorsoArchivio);

    struct Voce {
        qint64 indice = 0;       // 0-based
        QDate data;
        QString fornitore;
        QString chiave;
    };
    qint64 NumeroSchede() const { return m_schede; }
    // The records whose amount due is centesimi, in file order.
    const std::vector<Voce> *ConImporto(qint64 centesimi) const;
    // Codice and Tipologia of the last record of the payee, if any.
    std::optional<std::pair<QString, QString>> UltimiCodici(const QString &beneficiario) const;

    // For tests and the screen: adds a record as if read from the archive.
    void Aggiungi(const TScheda &s, qint64 indice);

private:
    struct Codici {
        qint64 indice;
        QString codice, tipologia;
    };
    qint64 m_schede = 0;
    QHash<qint64, std::vector<Voce>> m_perImporto;
    QHash<QString, Codici> m_perFornitore;
    mutable QHash<QString, std::optional<std::pair<QString, QString>>> m_cache;
};

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

// The preview of the payments: money going out ticked unless it repeats a
// record (same amount due, date within tolleranza days, matching payee) or
// an earlier line of the file (same date, amount, payee and description).
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
