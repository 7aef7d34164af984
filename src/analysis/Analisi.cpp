#include "analysis/Analisi.h"

#include "platform/Frammento.h"
#include "platform/Testo.h"
#include "register/Archivio.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <vector>
#include <cmath>

const QString kNonCalcolabile = QStringLiteral("non calcolabile");

namespace {

QByteArrayView Grezzo(const TScheda &s, Campo c) { return QByteArrayView(s.Dati(c), s.Lunghezza(c)); }

void Illeggibile(ImportoGruppo &i, qint64 indice) { i.illeggibili.append(indice); }

QString Adatta(const QString &t, int larghezza, bool destra = false)
{
    if (t.size() >= larghezza)
        return t.left(larghezza);
    return destra ? t.rightJustified(larghezza, u' ') : t.leftJustified(larghezza, u' ');
}

} // namespace

Campo CampoDi(Raggruppamento per)
{
    switch (per) {
    case Raggruppamento::Beneficiario: return Campo::Fornitore;
    case Raggruppamento::Codice: return Campo::Codice;
    case Raggruppamento::Tipologia: break;
    }
    return Campo::Tipologia;
}

QString NomeRaggruppamento(Raggruppamento per)
{
    switch (per) {
    case Raggruppamento::Beneficiario: return QStringLiteral("Beneficiario");
    case Raggruppamento::Codice: return QStringLiteral("Codice prodotto/servizio");
    case Raggruppamento::Tipologia: break;
    }
    return QStringLiteral("Tipologia");
}

QByteArray ChiaveGruppo(QByteArrayView campo, SpazioChiave &spazio)
{
    const QByteArrayView t = Testo::TrimByte(campo);
    QByteArray propria;
    char *k = spazio.data();
    if (t.size() > qsizetype(spazio.size())) {
        propria.resize(t.size());
        k = propria.data();
    }
    for (qsizetype i = 0; i < t.size(); ++i)
        k[i] = t[i] >= 'A' && t[i] <= 'Z' ? char(t[i] + ('a' - 'A')) : t[i];
    return k == spazio.data() ? QByteArray::fromRawData(k, t.size()) : propria;
}

QByteArray ChiaveGruppo(QByteArrayView campo)
{
    SpazioChiave spazio;
    const QByteArray k = ChiaveGruppo(campo, spazio);
    return QByteArray(k.constData(), k.size()); // a copy of its own: the stack goes
}

CriteriRiepilogo AnnoPrecedente(const CriteriRiepilogo &c)
{
    CriteriRiepilogo p = c;
    p.inizio = c.inizio.addYears(-1);
    p.fine = c.fine.addYears(-1);
    return p;
}

namespace {

// What one part of the archive gives the analysis. The first part adds its
// amounts as it reads them; the second keeps them, in file order, to be added
// after the first part's, so that every sum is the one a reading in one go
// makes (floating-point addition depends on the order).
struct ParteAnalisi {
    AnalisiSpese a;
    std::vector<QByteArray> chiavi; // each group's key, in a.gruppi's order
    QHash<QByteArray, qsizetype> indiceGruppo;
    bool differisce = false; // the second part: amounts kept, not added
    std::vector<std::vector<double>> corrente, precedente; // per group
    std::vector<double> totale, totalePrecedente;

    void Aggiungi(ImportoGruppo &i, std::vector<double> *importi, std::optional<double> importo, qint64 indice)
    {
        ++i.schede;
        if (!importo)
            i.illeggibili.append(indice);
        else if (differisce)
            importi->push_back(*importo);
        else
            i.totale += *importo;
    }
};

// The group of the value's key, made when first met.
qsizetype Gruppo(ParteAnalisi &p, QByteArrayView valore, const TestiRighe &righeVuote)
{
    SpazioChiave spazio;
    const QByteArray chiave = ChiaveGruppo(valore, spazio);
    const auto it = p.indiceGruppo.constFind(chiave);
    if (it != p.indiceGruppo.cend())
        return *it;
    GruppoSpese g;
    g.righe.righe = righeVuote;
    const QByteArrayView t = Testo::TrimByte(valore);
    g.nome = Testo::DecodificaCp1252(t.data(), t.size());
    p.a.gruppi.append(std::move(g));
    p.chiavi.emplace_back(chiave.constData(), chiave.size()); // a copy of its own: the stack goes
    p.corrente.emplace_back();
    p.precedente.emplace_back();
    p.indiceGruppo.insert(p.chiavi.back(), p.a.gruppi.size() - 1);
    return p.a.gruppi.size() - 1;
}

void AggiungiImporti(ImportoGruppo &a, const ImportoGruppo &b, const std::vector<double> &importi)
{
    a.schede += b.schede;
    for (const double x : importi)
        a.totale += x;
    a.illeggibili.append(b.illeggibili);
}

// The second part's groups, amounts and records after the first part's.
void Unisci(ParteAnalisi &prima, ParteAnalisi &seconda)
{
    AnalisiSpese &a = prima.a;
    for (qsizetype j = 0; j < seconda.a.gruppi.size(); ++j) {
        GruppoSpese &g = seconda.a.gruppi[j];
        auto it = prima.indiceGruppo.constFind(seconda.chiavi[size_t(j)]);
        if (it == prima.indiceGruppo.cend()) {
            GruppoSpese nuovo;
            nuovo.nome = g.nome;
            nuovo.righe.righe.LeggiDa(g.righe.righe); // the same file, no lines yet
            a.gruppi.append(std::move(nuovo));
            it = prima.indiceGruppo.insert(seconda.chiavi[size_t(j)], a.gruppi.size() - 1);
        }
        GruppoSpese &h = a.gruppi[*it];
        AggiungiImporti(h.corrente, g.corrente, seconda.corrente[size_t(j)]);
        AggiungiImporti(h.precedente, g.precedente, seconda.precedente[size_t(j)]);
        h.righe.Accoda(g.righe);
    }
    AggiungiImporti(a.totale, seconda.a.totale, seconda.totale);
    AggiungiImporti(a.totalePrecedente, seconda.a.totalePrecedente, seconda.totalePrecedente);
    a.illeggibili.append(seconda.a.illeggibili);
}

} // namespace

AnalisiSpese AnalizzaSpese(const QString &percorsoArchivio, const CriteriRiepilogo &criteri,
                           Raggruppamento per)
{
    const bool perFornitore = !Testo::Trim(criteri.fornitore).isEmpty();
    const bool perCodice = !Testo::Trim(criteri.codice).isEmpty();
    const FrammentoCp1252 fornitore(criteri.fornitore);
    const FrammentoCp1252 codice(criteri.codice);
    const CriteriRiepilogo prima = AnnoPrecedente(criteri);
    // The bounds of both intervals as day numbers, compared with each record's.
    const int giorni[4] = {Testo::Giorno(criteri.inizio), Testo::Giorno(criteri.fine), Testo::Giorno(prima.inizio),
                           Testo::Giorno(prima.fine)};
    const Campo campo = CampoDi(per);

    // Every group's lines are read back from the file this scan reads.
    TestiRighe righeVuote;
    righeVuote.LeggiDa(percorsoArchivio);
    std::array<ParteAnalisi, 2> parti;
    parti[1].differisce = true;

    const auto scheda = [&](ParteAnalisi &p, const TScheda &s, qint64 indice) {
        if (perFornitore && !fornitore.In(Grezzo(s, Campo::Fornitore)))
            return;
        if (perCodice && !codice.In(Grezzo(s, Campo::Codice)))
            return;
        const QByteArrayView dovuto = Testo::TrimByte(Grezzo(s, Campo::Dovuto));
        if (dovuto.isEmpty())
            return;
        AnalisiSpese &a = p.a;
        const auto data = Testo::LeggiGiornoCp1252(Testo::TrimByte(Grezzo(s, Campo::Data)));
        if (!data) {
            // It may belong to either interval, or to neither: both are uncertain.
            GruppoSpese &g = a.gruppi[Gruppo(p, Grezzo(s, campo), righeVuote)];
            Illeggibile(g.corrente, indice);
            Illeggibile(g.precedente, indice);
            Illeggibile(a.totale, indice);
            Illeggibile(a.totalePrecedente, indice);
            a.illeggibili.append(indice);
            return;
        }
        const bool corrente = *data >= giorni[0] && *data <= giorni[1];
        const bool precedente = *data >= giorni[2] && *data <= giorni[3];
        if (!corrente && !precedente)
            return;
        const auto importo = Testo::LeggiNumeroCp1252(dovuto);
        if (!importo)
            a.illeggibili.append(indice);
        const qsizetype j = Gruppo(p, Grezzo(s, campo), righeVuote);
        GruppoSpese &g = a.gruppi[j];
        if (corrente) {
            p.Aggiungi(g.corrente, &p.corrente[size_t(j)], importo, indice);
            p.Aggiungi(a.totale, &p.totale, importo, indice);
            g.righe.Aggiungi(s, indice);
        } else {
            p.Aggiungi(g.precedente, &p.precedente[size_t(j)], importo, indice);
            p.Aggiungi(a.totalePrecedente, &p.totalePrecedente, importo, indice);
        }
    };
    ScorriArchivioInParti(percorsoArchivio, [&](int parte, const TScheda *schede, qint64 quante, qint64 primo) {
        for (qint64 k = 0; k < quante; ++k)
            scheda(parti[size_t(parte)], schede[k], primo + k);
    });
    Unisci(parti[0], parti[1]);
    AnalisiSpese a = std::move(parti[0].a);

    // Largest first; ties by name, so the order never depends on the file.
    std::stable_sort(a.gruppi.begin(), a.gruppi.end(), [](const GruppoSpese &x, const GruppoSpese &y) {
        if (x.corrente.totale != y.corrente.totale)
            return x.corrente.totale > y.corrente.totale;
        return Testo::MinuscoloAscii(x.nome) < Testo::MinuscoloAscii(y.nome);
    });
    return a;
}

std::optional<double> Quota(const GruppoSpese &g, const AnalisiSpese &a)
{
    if (!g.corrente.Calcolabile() || !a.totale.Calcolabile() || a.totale.totale == 0)
        return std::nullopt;
    return g.corrente.totale / a.totale.totale * 100.0;
}

std::optional<double> Variazione(const ImportoGruppo &corrente, const ImportoGruppo &precedente)
{
    if (!corrente.Calcolabile() || !precedente.Calcolabile())
        return std::nullopt;
    return corrente.totale - precedente.totale;
}

std::optional<double> VariazionePercento(const ImportoGruppo &corrente, const ImportoGruppo &precedente)
{
    const auto v = Variazione(corrente, precedente);
    if (!v || precedente.totale == 0)
        return std::nullopt;
    return *v / std::fabs(precedente.totale) * 100.0;
}

QString TestoImporto(const ImportoGruppo &i)
{
    return i.Calcolabile() ? FormattaTotale(i.totale) : kNonCalcolabile;
}

QString TestoPercento(std::optional<double> p, bool conSegno)
{
    if (!p)
        return QStringLiteral("-");
    const double arrotondato = std::floor(*p * 10 + 0.5) / 10;
    QString t = QString::number(std::fabs(arrotondato), 'f', 1).replace(u'.', u',');
    if (arrotondato < 0)
        t.prepend(u'-');
    else if (conSegno && arrotondato > 0)
        t.prepend(u'+');
    return t + QStringLiteral(" %");
}

QString TestoVariazione(std::optional<double> v)
{
    if (!v)
        return QStringLiteral("-");
    const QString t = FormattaTotale(*v);
    return (*v > 0 && t != QStringLiteral("0,00")) ? u'+' + t : t;
}

QString NomeGruppo(const GruppoSpese &g, Raggruppamento per)
{
    if (!g.nome.isEmpty())
        return g.nome;
    return per == Raggruppamento::Beneficiario ? QStringLiteral("(non indicato)")
                                               : QStringLiteral("(non indicata)");
}

QList<VoceGrafico> VociGrafico(const AnalisiSpese &a, Raggruppamento per, int massimo)
{
    QList<const GruppoSpese *> noti;
    for (const GruppoSpese &g : a.gruppi)
        if (g.corrente.Calcolabile() && g.corrente.schede > 0)
            noti.append(&g);
    // The groups already come largest first.
    QList<VoceGrafico> v;
    const qsizetype propri = noti.size() <= massimo ? noti.size() : massimo - 1;
    for (qsizetype i = 0; i < propri; ++i)
        v.append({NomeGruppo(*noti.at(i), per), noti.at(i)->corrente.totale});
    if (propri < noti.size()) {
        VoceGrafico altro{QStringLiteral("Altro"), 0};
        for (qsizetype i = propri; i < noti.size(); ++i)
            altro.valore += noti.at(i)->corrente.totale;
        v.append(altro);
    }
    return v;
}

QStringList RigheStampaAnalisi(const AnalisiSpese &a, Raggruppamento per, const QString &intervallo,
                               const QString &intervalloPrecedente)
{
    auto riga = [](const QString &nome, const QString &n, const QString &totale, const QString &quota,
                   const QString &prima, const QString &var, const QString &varP) {
        return Adatta(nome, 40) + QStringLiteral("  ") + Adatta(n, 7, true) + QStringLiteral("  ") + Adatta(totale, 16, true) + QStringLiteral("  ")
            + Adatta(quota, 9, true) + QStringLiteral("  ") + Adatta(prima, 16, true) + QStringLiteral("  ") + Adatta(var, 16, true)
            + QStringLiteral("  ") + Adatta(varP, 10, true);
    };
    QStringList r;
    r << riga(NomeRaggruppamento(per), QStringLiteral("N."), QStringLiteral("Totale dovuto"),
              QStringLiteral("Quota"), QStringLiteral("Anno prima"), QStringLiteral("Variazione"),
              QStringLiteral("Var. %"));
    for (const GruppoSpese &g : a.gruppi)
        r << riga(NomeGruppo(g, per), QString::number(g.corrente.schede), TestoImporto(g.corrente),
                  TestoPercento(Quota(g, a)), TestoImporto(g.precedente),
                  TestoVariazione(Variazione(g.corrente, g.precedente)),
                  TestoPercento(VariazionePercento(g.corrente, g.precedente), true));
    r << QStringLiteral("- - - - - - - - - - - - - - - -");
    r << riga(QStringLiteral("TOTALE"), QString::number(a.totale.schede), TestoImporto(a.totale),
              a.totale.Calcolabile() && a.totale.totale != 0 ? QStringLiteral("100,0 %") : QStringLiteral("-"),
              TestoImporto(a.totalePrecedente), TestoVariazione(Variazione(a.totale, a.totalePrecedente)),
              TestoPercento(VariazionePercento(a.totale, a.totalePrecedente), true));
    r << QStringLiteral("INTERVALLO SELEZIONATO:    ") + Testo::Trim(intervallo);
    r << QStringLiteral("ANNO PRECEDENTE:           ") + Testo::Trim(intervalloPrecedente);
    return r;
}

namespace {

// A total that cannot be read says so; a share or change that has no value
// (unknown total, nothing the year before) is a dash, as on the screen.
QString Numero(std::optional<double> v, int decimali, const QString &senza = QStringLiteral("-"))
{
    if (!v)
        return senza;
    const double scala = decimali == 1 ? 10 : 100;
    const double arrotondato = std::floor(*v * scala + 0.5) / scala;
    return QString::number(arrotondato == 0 ? 0.0 : arrotondato, 'f', decimali).replace(u'.', u',');
}

std::optional<double> Noto(const ImportoGruppo &i)
{
    return i.Calcolabile() ? std::optional<double>(i.totale) : std::nullopt;
}

} // namespace

QStringList CelleEsportazioneAnalisi(const AnalisiSpese &a, Raggruppamento per, qint64 r)
{
    if (r >= a.gruppi.size()) {
        const std::optional<double> cento = a.totale.Calcolabile() && a.totale.totale != 0
            ? std::optional<double>(100.0) : std::nullopt;
        return {QStringLiteral("TOTALE"), QString::number(a.totale.schede), Numero(Noto(a.totale), 2, kNonCalcolabile),
                Numero(cento, 1), Numero(Noto(a.totalePrecedente), 2, kNonCalcolabile),
                Numero(Variazione(a.totale, a.totalePrecedente), 2),
                Numero(VariazionePercento(a.totale, a.totalePrecedente), 1)};
    }
    const GruppoSpese &g = a.gruppi.at(r);
    return {NomeGruppo(g, per), QString::number(g.corrente.schede), Numero(Noto(g.corrente), 2, kNonCalcolabile),
            Numero(Quota(g, a), 1), Numero(Noto(g.precedente), 2, kNonCalcolabile), Numero(Variazione(g.corrente, g.precedente), 2),
            Numero(VariazionePercento(g.corrente, g.precedente), 1)};
}
