#pragma once
// Where the money goes, without any screen: the payments of the summary's
// interval (same filters, same reading of dates and amounts as the statement)
// grouped by type, payee or code, with the same interval a year earlier.
// One pass over the archive gives both years.

#include "lists/RigaScheda.h"
#include "register/Scheda.h"
#include "summary/Riepilogo.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <array>
#include <optional>

enum class Raggruppamento { Tipologia, Beneficiario, Codice };

Campo CampoDi(Raggruppamento per);
// "Tipologia", "Beneficiario", "Codice prodotto/servizio"
QString NomeRaggruppamento(Raggruppamento per);

// The key two spellings share when the search would take them for the same
// text: the stored bytes trimmed, ASCII letters lowered.
QByteArray ChiaveGruppo(QByteArrayView campo);
// The same key written into `spazio` when it fits, and a QByteArray over it,
// valid while spazio is: a scan looks up a key per record with no allocation.
using SpazioChiave = std::array<char, 256>;
QByteArray ChiaveGruppo(QByteArrayView campo, SpazioChiave &spazio);

// Payments of one interval in a group. An amount that cannot be read is never
// taken for zero: its record is named and the total is not known.
struct ImportoGruppo {
    qint64 schede = 0;
    double totale = 0;
    QList<qint64> illeggibili; // 0-based record indices
    bool Calcolabile() const { return illeggibili.isEmpty(); }
};

struct GruppoSpese {
    QString nome;                // the first spelling met, trimmed; empty when the field is
    ImportoGruppo corrente;      // the interval
    ImportoGruppo precedente;    // the same days a year earlier
    RigheScheda righe;           // the interval's records, as result lines
};

struct AnalisiSpese {
    QList<GruppoSpese> gruppi;   // largest total of the interval first
    ImportoGruppo totale;
    ImportoGruppo totalePrecedente;
    // Every record whose date or amount due could not be read, in file order.
    QList<qint64> illeggibili;
    bool Completa() const { return illeggibili.isEmpty(); }
};

// The interval of the criteria a year earlier (29 February becomes the 28th).
CriteriRiepilogo AnnoPrecedente(const CriteriRiepilogo &c);

// Reads the archive once. A record counts as the statement counts it: its
// payee and code contain the active filters and its amount due is not blank.
// Throws ErroreArchivio when the archive cannot be opened, created or read.
AnalisiSpese AnalizzaSpese(const QString &percorsoArchivio, const CriteriRiepilogo &criteri,
                           Raggruppamento per);

// Share of the interval's total, in percent; nothing when either is unknown
// or the total is zero.
std::optional<double> Quota(const GruppoSpese &g, const AnalisiSpese &a);
// Interval minus the year before, and that change in percent of the year
// before; nothing when an amount is unknown or (percent) the year before is zero.
std::optional<double> Variazione(const ImportoGruppo &corrente, const ImportoGruppo &precedente);
std::optional<double> VariazionePercento(const ImportoGruppo &corrente, const ImportoGruppo &precedente);

// Texts as the screen, the print and the export show them.
QString TestoImporto(const ImportoGruppo &i);          // "1234,50" or "non calcolabile"
// A percent with one decimal ("12,5 %"; "+3,0 %" with its sign), or "-".
QString TestoPercento(std::optional<double> p, bool conSegno = false);
QString TestoVariazione(std::optional<double> v);       // "+12,50", "-3,00" or "-"
QString NomeGruppo(const GruppoSpese &g, Raggruppamento per); // the name, or "(non indicata)"
extern const QString kNonCalcolabile;                    // "non calcolabile"

// Points of the chart: the largest groups by the interval's total, the rest
// summed as "Altro". Groups whose total is unknown are left out (the screen
// says so).
struct VoceGrafico {
    QString etichetta;
    double valore = 0;
};
QList<VoceGrafico> VociGrafico(const AnalisiSpese &a, Raggruppamento per, int massimo = 8);

// The cells of row r of the exported sheet (a group, then the total row
// after the last group): name, count, total, share, year before, change and
// change in percent, numbers written as the program writes amounts so that
// the spreadsheet takes them for numbers; an unknown one stays a text.
QStringList CelleEsportazioneAnalisi(const AnalisiSpese &a, Raggruppamento per, qint64 r);

// The analysis as fixed-width lines for the list report: a header, a line
// per group, the total row and the interval.
QStringList RigheStampaAnalisi(const AnalisiSpese &a, Raggruppamento per, const QString &intervallo,
                               const QString &intervalloPrecedente);
