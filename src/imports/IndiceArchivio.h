#pragma once
// What one scan of the archive tells an import: the records a payment could
// repeat and the codes of each payee's last record. A household pays few
// payees, so a record costs a look-up of its payee's raw bytes: each distinct
// payee is decoded and reduced to its key once, and only the records that can
// be repeated (readable amount and date, a payee) are kept, as numbers.

#include "register/Scheda.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Importazione {

// The payee reduced for comparing: lower case letters and digits, no accents.
QString ChiaveFornitore(const QString &fornitore);
// Two payees match when their keys are equal or one holds the other (a bank
// writes "PAGAMENTO POS ENEL ENERGIA SPA" for "Enel Energia S.p.A.").
bool StessoFornitore(const QString &chiaveA, const QString &chiaveB);

class IndiceArchivio {
public:
    // Throws ErroreArchivio when the archive cannot be read.
    static IndiceArchivio Carica(const QString &percorsoArchivio);
    // The same for a statement: only records whose amount due is one of
    // importi are kept for Doppione, the codes still come from every record.
    // A statement's amounts are a small part of an archive's, and most
    // records then cost no more than their payee's look-up.
    static IndiceArchivio Carica(const QString &percorsoArchivio, const QSet<qint64> &importi);

    struct Voce {
        qint64 indice = 0;       // 0-based
        QDate data;
        QString fornitore;
        QString chiave;
    };
    qint64 NumeroSchede() const { return m_schede; }
    // True when Doppione can answer for each of the amounts.
    bool Copre(const QSet<qint64> &importi) const;
    // The first record in file order whose amount due is centesimi, whose
    // date is within tolleranza days of data and whose payee matches chiave.
    // An amount the index does not cover (Copre) finds nothing.
    std::optional<Voce> Doppione(qint64 centesimi, const QDate &data, const QString &chiave, int tolleranza) const;
    // Codice and Tipologia of the last record of the payee, if any.
    std::optional<std::pair<QString, QString>> UltimiCodici(const QString &beneficiario) const;

    // For tests and the screen: adds a record as if read from the archive.
    void Aggiungi(const TScheda &s, qint64 indice);

private:
    void Scorri(const QString &percorso);
    void Registra(const TScheda &s, qint64 indice);
    int FornitoreDi(const TScheda &s);

    // A payee as the records write it, decoded once.
    struct Fornitore {
        QString testo;
        int chiave; // in m_chiavi; -1 when the payee has no letter or digit
    };
    // A key and the codes of the last record added under it, trimmed bytes as
    // stored (assigned in place: no allocation once they have grown).
    struct Chiave {
        QString chiave;
        qint64 ultima = -1;
        std::string codice, tipologia;
    };
    // A record that can be repeated, and the one of the same amount before
    // it: appending never writes back into the list.
    struct Registrazione {
        qint64 indice;
        QDate data;
        int fornitore;
        int precedente;
    };
    qint64 m_schede = 0;
    bool m_ogniImporto = true; // false: only the amounts already in m_perImporto
    QHash<QByteArray, int> m_perTesto; // trimmed payee bytes -> m_fornitori
    std::vector<Fornitore> m_fornitori;
    QHash<QString, int> m_perChiave;   // -> m_chiavi
    std::vector<Chiave> m_chiavi;
    std::vector<Registrazione> m_registrazioni;
    QHash<qint64, int> m_perImporto; // amount -> its last record in m_registrazioni, or -1
    mutable QHash<QString, std::optional<std::pair<QString, QString>>> m_cache;
};

} // namespace Importazione
