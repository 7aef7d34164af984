// The four scans over any archive bytes: the search, the accounts to settle,
// the statement and the monthly totals, the archive read in one part or two. Each one reads the stored bytes by a
// fast path; here each is checked against the same rule worked out on the
// decoded texts of every record, and every line must belong to its record.
// The spending analysis and the tax-return list read in two parts must give
// what one reading gives, to the last bit of every total.
#include "ArchivioFuzz.h"
#include "analysis/Analisi.h"
#include "analysis/Dichiarazione.h"
#include "charts/TotaliMensili.h"
#include "lists/RicercaSchede.h"
#include "platform/Testo.h"
#include "register/Archivio.h"
#include "summary/Riepilogo.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

using ArchivioFuzz::Parametro;

// Element by element: QList's own == hands memcmp a null pointer when one of
// two empty lists has storage and the other none.
bool Uguali(const QList<qint64> &a, const QList<qint64> &b)
{
    return a.size() == b.size() && std::equal(a.cbegin(), a.cend(), b.cbegin());
}

// Lines in file order, each the line of the record it names.
void ControllaRighe(const RigheScheda &r, const uint8_t *dati, const QList<qint64> &attese)
{
    if (!Uguali(r.Posizioni(), attese) || r.righe.size() != r.Posizioni().size())
        std::abort();
    for (qsizetype i = 0; i < r.size(); ++i)
        if (r.righe.at(i) != RigaScheda(ArchivioFuzz::Scheda(dati, r.Posizioni().at(i))))
            std::abort();
}

// A piece of a field of the first record, to search for something present.
QString Frammento(const uint8_t *dati, size_t n, Campo campo, quint8 da, quint8 quanti)
{
    if (ArchivioFuzz::Schede(n) == 0)
        return QString(QChar(u'a' + da % 26));
    const QString t = ArchivioFuzz::Scheda(dati, 0).Testo(campo);
    return t.isEmpty() ? QString() : t.mid(da % t.size(), quanti % 12);
}

// The search worked out on the stored bytes: the criterion in windows-1252
// (a character the code page lacks can never occur) inside the field, ASCII
// letters lowered on both sides.
bool ContieneByte(const TScheda &s, const CriterioRicerca &c)
{
    for (QChar ch : c.testo)
        if (!Testo::InCp1252(ch))
            return false;
    const auto minuscolo = [](QByteArray b) {
        for (char &x : b)
            if (x >= 'A' && x <= 'Z')
                x = char(x - 'A' + 'a');
        return b;
    };
    const QByteArray campo = minuscolo(QByteArray(s.Dati(c.campo), s.Lunghezza(c.campo)));
    return campo.contains(minuscolo(Testo::CodificaCp1252(c.testo)));
}

void ProvaRicerca(const uint8_t *dati, size_t n, QByteArrayView coda)
{
    QList<CriterioRicerca> criteri;
    for (int k = 0; k < 2; ++k) {
        const Campo campo = Campo(Parametro(coda, 4 * k) % NumeroCampi);
        QString testo = Frammento(dati, n, campo, Parametro(coda, 4 * k + 1), Parametro(coda, 4 * k + 2));
        if (Parametro(coda, 4 * k + 3) & 1)
            testo = testo.toUpper();
        if (Parametro(coda, 4 * k + 3) & 2)
            testo = u' ' + testo;
        criteri.append({campo, testo});
    }
    const RigheScheda r = CercaSchede(ArchivioFuzz::Scrivi(dati, n), criteri);
    QList<qint64> attese;
    for (qint64 i = 0; i < ArchivioFuzz::Schede(n); ++i) {
        const TScheda s = ArchivioFuzz::Scheda(dati, i);
        bool tutti = true;
        for (const CriterioRicerca &c : criteri)
            tutti = tutti && (!CriterioCompilato(c) || ContieneByte(s, c));
        if (tutti)
            attese.append(i);
    }
    ControllaRighe(r, dati, attese);
}

void ProvaContiDaSaldare(const uint8_t *dati, size_t n, const QString &percorso)
{
    QList<qint64> attese;
    for (qint64 i = 0; i < ArchivioFuzz::Schede(n); ++i)
        if (Testo::Trim(ArchivioFuzz::Scheda(dati, i).Testo(Campo::DaSaldare)) == u"S\u00EC")
            attese.append(i);
    ControllaRighe(ContiDaSaldare(percorso), dati, attese);
}

void ProvaRiepilogo(const uint8_t *dati, size_t n, const QString &percorso, QByteArrayView coda)
{
    CriteriRiepilogo c;
    const quint8 filtri = Parametro(coda, 8);
    if (filtri & 1)
        c.fornitore = Frammento(dati, n, Campo::Fornitore, Parametro(coda, 9), Parametro(coda, 10));
    if (filtri & 2)
        c.codice = Frammento(dati, n, Campo::Codice, Parametro(coda, 11), Parametro(coda, 12));
    if (filtri & 4) {
        c.inizio = QDate(2024, 1, 1).addDays(-8 * Parametro(coda, 13));
        c.fine = c.inizio.addDays(8 * Parametro(coda, 14));
    } else {
        c.inizio = QDate(1, 1, 1);
        c.fine = QDate(9999, 12, 31);
    }
    const Riepilogo r = CostruisciRiepilogo(percorso, c);

    const QString fornitore = Testo::MinuscoloAscii(c.fornitore);
    const QString codice = Testo::MinuscoloAscii(c.codice);
    QList<qint64> attese, illeggibili;
    double totale = 0;
    for (qint64 i = 0; i < ArchivioFuzz::Schede(n); ++i) {
        const TScheda s = ArchivioFuzz::Scheda(dati, i);
        if (!Testo::Trim(c.fornitore).isEmpty() && !Testo::MinuscoloAscii(s.Testo(Campo::Fornitore)).contains(fornitore))
            continue;
        if (!Testo::Trim(c.codice).isEmpty() && !Testo::MinuscoloAscii(s.Testo(Campo::Codice)).contains(codice))
            continue;
        if (Testo::Trim(s.Testo(Campo::Dovuto)).isEmpty())
            continue;
        const auto data = Testo::LeggiData(Testo::Trim(s.Testo(Campo::Data)));
        if (!data) {
            illeggibili.append(i);
            continue;
        }
        if (*data < c.inizio || *data > c.fine)
            continue;
        const auto importo = Testo::LeggiNumero(Testo::Trim(s.Testo(Campo::Dovuto)));
        if (!importo) {
            illeggibili.append(i);
            continue;
        }
        attese.append(i);
        totale += *importo;
    }
    ControllaRighe(r.righe, dati, attese);
    if (!Uguali(r.illeggibili, illeggibili))
        std::abort();
    if (!(r.totale == totale || (std::isnan(r.totale) && std::isnan(totale))))
        std::abort();
    (void)FormattaTotale(r.totale);
}

void ProvaTotali(const uint8_t *dati, size_t n, const QString &percorso, QByteArrayView coda)
{
    // The year of the first record's date, or one from the trailing bytes.
    QString anno = QString::number(2020 + Parametro(coda, 15) % 8);
    if (ArchivioFuzz::Schede(n) > 0 && !(Parametro(coda, 15) & 0x80))
        anno = (Testo::Trim(ArchivioFuzz::Scheda(dati, 0).Testo(Campo::Data)) + QString(10, u' ')).mid(6, 4);
    const QString y = Testo::Trim(anno);

    // The rule on the decoded texts: the month and year taken by position
    // from the trimmed date padded with blanks, then trimmed.
    Totali12 somme{};
    QList<qint64> illeggibili;
    for (qint64 i = 0; i < ArchivioFuzz::Schede(n); ++i) {
        const TScheda s = ArchivioFuzz::Scheda(dati, i);
        const QString d = Testo::Trim(s.Testo(Campo::Data)) + QString(10, u' ');
        if (Testo::Trim(d.mid(6, 4)) != y)
            continue;
        const QString mese = Testo::Trim(d.mid(3, 2));
        int m = -1;
        for (int k = 1; k <= 12; ++k)
            if (mese == QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0')))
                m = k - 1;
        if (m < 0)
            continue;
        const auto importo = Testo::LeggiNumero(s.Testo(Campo::Dovuto));
        if (!importo || !std::isfinite(somme[size_t(m)] + *importo)) {
            illeggibili.append(i);
            continue;
        }
        somme[size_t(m)] += *importo;
    }
    try {
        const Totali12 t = TotaliMensili(percorso, anno);
        if (!illeggibili.isEmpty())
            std::abort();
        for (size_t m = 0; m < t.size(); ++m)
            if (t[m] != ArrotondaEuro(somme[m]) || t[m] != std::floor(t[m]))
                std::abort();
    } catch (const ErroreImporto &e) {
        if (!Uguali(e.indici, illeggibili) || illeggibili.isEmpty())
            std::abort();
    }
}

QString Esatto(double x) { return QString::number(x, 'g', 17); }

QString Descrivi(const ImportoGruppo &i)
{
    QString t = QString::number(i.schede) + u' ' + Esatto(i.totale);
    for (qint64 k : i.illeggibili)
        t += u' ' + QString::number(k);
    return t;
}

QStringList Analisi(const QString &percorso, const CriteriRiepilogo &criteri, Raggruppamento per)
{
    const AnalisiSpese a = AnalizzaSpese(percorso, criteri, per);
    QStringList r{Descrivi(a.totale), Descrivi(a.totalePrecedente)};
    for (qint64 k : a.illeggibili)
        r << QString::number(k);
    for (const GruppoSpese &g : a.gruppi)
        r << g.nome << Descrivi(g.corrente) << Descrivi(g.precedente) << g.righe.righe.Elenco();
    return r;
}

QStringList Dichiarazione(const QString &percorso, int anno, const QStringList &tipologie)
{
    const ElencoDichiarazione e = ElencaPerDichiarazione(percorso, anno, tipologie);
    QStringList r{Esatto(e.totale)};
    for (qint64 k : e.illeggibili)
        r << QString::number(k);
    for (const TotaleTipologia &t : e.perTipologia)
        r << t.tipologia << QString::number(t.voci) << Esatto(t.totale) << QString::number(t.calcolabile);
    for (const VoceDichiarazione &v : e.voci)
        r << QString::number(v.posizione) << v.data.toString(Qt::ISODate) << v.numDoc << v.dataDoc << v.fornitore
          << v.codFisc << v.servizi << v.tipologia << (v.pagato ? Esatto(*v.pagato) : QString());
    return r;
}

// Read in one part, then as the input splits it.
void ProvaAnalisi(const uint8_t *dati, size_t n, const QString &percorso, QByteArrayView coda, qint64 perParte)
{
    const int anno = 2020 + Parametro(coda, 17) % 8;
    const CriteriRiepilogo criteri{Frammento(dati, n, Campo::Fornitore, Parametro(coda, 18), Parametro(coda, 19)),
                                   QString(), QDate(anno, 1, 1), QDate(anno, 12, 31)};
    const Raggruppamento per = Raggruppamento(Parametro(coda, 20) % 3);
    QStringList tipologie{QStringLiteral("Salute")};
    if (ArchivioFuzz::Schede(n) > 0)
        tipologie << ArchivioFuzz::Scheda(dati, 0).Testo(Campo::Tipologia);
    ImpostaSchedePerParte(std::numeric_limits<qint64>::max());
    const QStringList analisi = Analisi(percorso, criteri, per);
    const QStringList dichiarazione = Dichiarazione(percorso, anno, tipologie);
    ImpostaSchedePerParte(perParte);
    if (Analisi(percorso, criteri, per) != analisi || Dichiarazione(percorso, anno, tipologie) != dichiarazione)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t n)
{
    const QByteArrayView coda = ArchivioFuzz::Coda(dati, n);
    // Read in one part or split in two at any point: the results must not change.
    const quint8 perParte = Parametro(coda, 16);
    const qint64 schedePerParte = perParte == 0 ? std::numeric_limits<qint64>::max() : qint64(perParte % 4);
    ImpostaSchedePerParte(schedePerParte);
    ProvaRicerca(dati, n, coda);
    const QString percorso = ArchivioFuzz::Scrivi(dati, n);
    ProvaContiDaSaldare(dati, n, percorso);
    ProvaRiepilogo(dati, n, percorso, coda);
    ProvaTotali(dati, n, percorso, coda);
    ProvaAnalisi(dati, n, percorso, coda, schedePerParte);
    return 0;
}
