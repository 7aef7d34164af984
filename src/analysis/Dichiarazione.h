#pragma once
// The list for the tax return: the payments of a calendar year whose type is
// among those the user ticks, by date, with the payee's tax code or VAT
// number checked as the editor checks it, and the amount actually paid.
// Without any screen.

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

// The distinct types of the archive (grouped as the search compares text,
// each under the first spelling met), sorted by name; the empty type is left
// out. Throws ErroreArchivio.
QStringList TipologieArchivio(const QString &percorsoArchivio);

// Types that usually go into the return: medical, pharmacy, school and
// veterinary expenses, by the stems of their names.
bool TipologiaProposta(const QString &tipologia);

enum class EsitoIdentificativo { Mancante, CodiceFiscale, PartitaIva, NonValido };
// Digits only are a VAT number, anything else a tax code, as the editor's
// identifier button decides.
EsitoIdentificativo VerificaIdentificativo(const QString &testo);
// "" for a valid one; "mancante" / "non valido" to flag the line.
QString TestoEsito(EsitoIdentificativo e);

struct VoceDichiarazione {
    QDate data;                 // of the operation
    QString numDoc, dataDoc, fornitore, codFisc, servizi, tipologia; // trimmed
    EsitoIdentificativo esito = EsitoIdentificativo::Mancante;
    std::optional<double> pagato; // due minus balance; nothing when either cannot be read
    qint64 posizione = 0;         // 0-based record index
};

struct TotaleTipologia {
    QString tipologia;
    qint64 voci = 0;
    double totale = 0;
    bool calcolabile = true;
};

struct ElencoDichiarazione {
    QList<VoceDichiarazione> voci;          // by date, then file order
    QList<TotaleTipologia> perTipologia;    // in the order of the types given
    double totale = 0;
    // Records of the types whose date, amount due or balance cannot be read.
    QList<qint64> illeggibili;
    bool Completo() const { return illeggibili.isEmpty(); }
};

// One pass over the archive. A record without an amount due is no payment
// and is left out, as the statement leaves it out. A record of a ticked type
// whose date cannot be read may belong to the year: its type's total and the
// overall one are then unknown. Throws ErroreArchivio.
ElencoDichiarazione ElencaPerDichiarazione(const QString &percorsoArchivio, int anno,
                                           const QStringList &tipologie);

// Texts of the list.
QString TestoPagato(const VoceDichiarazione &v);   // "12,50" or "non leggibile"
QString TestoTotale(const TotaleTipologia &t);     // "12,50" or "non calcolabile"
QString TestoTotaleGenerale(const ElencoDichiarazione &e);
// Column titles, the amount's saying which amount it is.
QStringList TitoliDichiarazione();
// Cells of a line in the order of the titles.
QStringList CelleDichiarazione(const VoceDichiarazione &v);

// Cells of the exported sheet: a line's cells with the amount paid as a
// number of two decimals; then, after the lines, row i of the totals (one per
// type, then the overall one), the total under the amount column.
QStringList CelleEsportazioneDichiarazione(const VoceDichiarazione &v);
QStringList CellePiedeDichiarazione(const ElencoDichiarazione &e, qint64 i);

// The list as fixed-width lines for the list report: year and types, the
// lines, the totals per type and overall.
QStringList RigheStampaDichiarazione(const ElencoDichiarazione &e, int anno, const QStringList &tipologie);
