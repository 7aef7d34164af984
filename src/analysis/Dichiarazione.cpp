#include "analysis/Dichiarazione.h"

#include "analysis/Analisi.h"
#include "checks/CodiceFiscale.h"
#include "checks/NumeroPartitaIva.h"
#include "platform/Testo.h"
#include "register/Archivio.h"
#include "register/Scheda.h"
#include "summary/Riepilogo.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

QByteArrayView Grezzo(const TScheda &s, Campo c) { return QByteArrayView(s.Dati(c), s.Lunghezza(c)); }

QString Campo1252(const TScheda &s, Campo c)
{
    const QByteArrayView t = Testo::TrimByte(Grezzo(s, c));
    return Testo::DecodificaCp1252(t.data(), t.size());
}

QString Adatta(const QString &t, int larghezza, bool destra = false)
{
    if (t.size() >= larghezza)
        return t.left(larghezza);
    return destra ? t.rightJustified(larghezza, u' ') : t.leftJustified(larghezza, u' ');
}

} // namespace

QStringList TipologieArchivio(const QString &percorsoArchivio)
{
    QHash<QByteArray, QString> nomi;
    ScorriArchivio(percorsoArchivio, [&](const TScheda &s, qint64) {
        SpazioChiave spazio;
        const QByteArray chiave = ChiaveGruppo(Grezzo(s, Campo::Tipologia), spazio);
        if (!chiave.isEmpty() && !nomi.contains(chiave))
            nomi.insert(QByteArray(chiave.constData(), chiave.size()), Campo1252(s, Campo::Tipologia));
        return true;
    });
    QStringList r = nomi.values();
    std::sort(r.begin(), r.end(), [](const QString &a, const QString &b) {
        return Testo::MinuscoloAscii(a) < Testo::MinuscoloAscii(b);
    });
    return r;
}

bool TipologiaProposta(const QString &tipologia)
{
    static const std::array<const char16_t *, 6> kRadici{
        u"sanitari", u"medic", u"farmac", u"scolast", u"istruzione", u"veterinar"};
    const QString t = Testo::MinuscoloAscii(tipologia);
    return std::any_of(kRadici.begin(), kRadici.end(),
                       [&t](const char16_t *r) { return t.contains(QStringView(r)); });
}

EsitoIdentificativo VerificaIdentificativo(const QString &testo)
{
    const QString t = Testo::Trim(testo);
    if (t.isEmpty())
        return EsitoIdentificativo::Mancante;
    if (Testo::SoloCifre(t))
        return VerificaPartitaIva(t) ? EsitoIdentificativo::PartitaIva : EsitoIdentificativo::NonValido;
    return VerificaCodFisc(NormalizzaCodFisc(t)).value_or(false) ? EsitoIdentificativo::CodiceFiscale
                                                                  : EsitoIdentificativo::NonValido;
}

QString TestoEsito(EsitoIdentificativo e)
{
    switch (e) {
    case EsitoIdentificativo::Mancante: return QStringLiteral("mancante");
    case EsitoIdentificativo::NonValido: return QStringLiteral("non valido");
    case EsitoIdentificativo::CodiceFiscale:
    case EsitoIdentificativo::PartitaIva: break;
    }
    return QString();
}

namespace {

// What one part of the archive gives the list. The second part keeps each
// type's amounts in file order, added after the first part's, so that the
// totals are those of a reading in one go.
struct ParteDichiarazione {
    QList<VoceDichiarazione> voci;
    std::vector<TotaleTipologia> perTipologia;
    std::vector<std::vector<double>> importi; // the second part's, per type
    QList<qint64> illeggibili;
};

} // namespace

ElencoDichiarazione ElencaPerDichiarazione(const QString &percorsoArchivio, int anno,
                                           const QStringList &tipologie)
{
    ElencoDichiarazione e;
    QHash<QByteArray, qsizetype> perChiave;
    for (const QString &t : tipologie) {
        const QByteArray chiave = ChiaveGruppo(Testo::CodificaCp1252(t));
        if (perChiave.contains(chiave))
            continue;
        perChiave.insert(chiave, e.perTipologia.size());
        e.perTipologia.append({Testo::Trim(t)});
    }

    std::array<ParteDichiarazione, 2> parti;
    for (ParteDichiarazione &p : parti) {
        p.perTipologia.assign(e.perTipologia.begin(), e.perTipologia.end());
        p.importi.resize(p.perTipologia.size());
    }
    const auto scheda = [&](int parte, const TScheda &s, qint64 indice) {
        SpazioChiave spazio;
        const auto tipo = perChiave.constFind(ChiaveGruppo(Grezzo(s, Campo::Tipologia), spazio));
        if (tipo == perChiave.cend())
            return;
        const QByteArrayView dovuto = Testo::TrimByte(Grezzo(s, Campo::Dovuto));
        if (dovuto.isEmpty())
            return;
        ParteDichiarazione &p = parti[size_t(parte)];
        TotaleTipologia &totale = p.perTipologia[size_t(*tipo)];
        const auto data = Testo::LeggiGiornoCp1252(Testo::TrimByte(Grezzo(s, Campo::Data)));
        if (!data) {
            totale.calcolabile = false;
            p.illeggibili.append(indice);
            return;
        }
        if (*data / 10000 != anno)
            return;
        VoceDichiarazione v;
        v.data = QDate(*data / 10000, *data / 100 % 100, *data % 100);
        v.numDoc = Campo1252(s, Campo::NumDoc);
        v.dataDoc = Campo1252(s, Campo::DataDoc);
        v.fornitore = Campo1252(s, Campo::Fornitore);
        v.codFisc = Campo1252(s, Campo::CodFisc);
        v.servizi = Campo1252(s, Campo::Servizi);
        v.tipologia = totale.tipologia;
        v.esito = VerificaIdentificativo(v.codFisc);
        v.posizione = indice;
        const auto d = Testo::LeggiNumeroCp1252(dovuto);
        const auto saldo = Testo::LeggiNumeroCp1252(Testo::TrimByte(Grezzo(s, Campo::Saldo)));
        ++totale.voci;
        if (d && saldo) {
            v.pagato = *d - *saldo;
            if (parte == 0)
                totale.totale += *v.pagato;
            else
                p.importi[size_t(*tipo)].push_back(*v.pagato);
        } else {
            totale.calcolabile = false;
            p.illeggibili.append(indice);
        }
        p.voci.append(std::move(v));
    };
    ScorriArchivioInParti(percorsoArchivio, [&](int parte, const TScheda *schede, qint64 quante, qint64 primo) {
        for (qint64 k = 0; k < quante; ++k)
            scheda(parte, schede[k], primo + k);
    });

    // The second part after the first, in file order.
    e.voci = std::move(parti[0].voci);
    e.voci.append(std::move(parti[1].voci));
    e.illeggibili = std::move(parti[0].illeggibili);
    e.illeggibili.append(parti[1].illeggibili);
    for (qsizetype t = 0; t < e.perTipologia.size(); ++t) {
        TotaleTipologia &totale = e.perTipologia[t];
        const TotaleTipologia &prima = parti[0].perTipologia[size_t(t)], &seconda = parti[1].perTipologia[size_t(t)];
        totale.voci = prima.voci + seconda.voci;
        totale.totale = prima.totale;
        for (const double x : parti[1].importi[size_t(t)])
            totale.totale += x;
        totale.calcolabile = prima.calcolabile && seconda.calcolabile;
    }

    std::stable_sort(e.voci.begin(), e.voci.end(),
                     [](const VoceDichiarazione &a, const VoceDichiarazione &b) { return a.data < b.data; });
    for (const TotaleTipologia &t : e.perTipologia)
        e.totale += t.totale;
    return e;
}

QString TestoPagato(const VoceDichiarazione &v)
{
    return v.pagato ? FormattaTotale(*v.pagato) : QStringLiteral("non leggibile");
}

QString TestoTotale(const TotaleTipologia &t)
{
    return t.calcolabile ? FormattaTotale(t.totale) : kNonCalcolabile;
}

QString TestoTotaleGenerale(const ElencoDichiarazione &e)
{
    for (const TotaleTipologia &t : e.perTipologia)
        if (!t.calcolabile)
            return kNonCalcolabile;
    return FormattaTotale(e.totale);
}

QStringList TitoliDichiarazione()
{
    return {QStringLiteral("Data operazione"), QStringLiteral("Documento n."), QStringLiteral("Data emissione"),
            QStringLiteral("Beneficiario"), QStringLiteral("Codice fiscale / P. IVA"), QStringLiteral("Verifica"),
            QStringLiteral("Prodotto o servizio"), QStringLiteral("Tipologia"),
            QStringLiteral("Importo pagato (dovuto - saldo)")};
}

QStringList CelleDichiarazione(const VoceDichiarazione &v)
{
    return {Testo::FormattaData(v.data), v.numDoc, v.dataDoc, v.fornitore, v.codFisc, TestoEsito(v.esito),
            v.servizi, v.tipologia, TestoPagato(v)};
}

QStringList RigheStampaDichiarazione(const ElencoDichiarazione &e, int anno, const QStringList &tipologie)
{
    QStringList r;
    r << QStringLiteral("ANNO:         %1").arg(anno);
    r << QStringLiteral("TIPOLOGIE:    ") + tipologie.join(QStringLiteral(", "));
    r << QString();
    auto riga = [](const QStringList &c) {
        return Adatta(c.at(0), 10) + QStringLiteral("  ") + Adatta(c.at(1), 12) + QStringLiteral("  ") + Adatta(c.at(2), 10) + QStringLiteral("  ")
            + Adatta(c.at(3), 30) + QStringLiteral("  ") + Adatta(c.at(4), 16) + QStringLiteral("  ") + Adatta(c.at(5), 10) + QStringLiteral("  ")
            + Adatta(c.at(6), 34) + QStringLiteral("  ") + Adatta(c.at(8), 20, true);
    };
    r << riga({QStringLiteral("Data"), QStringLiteral("Documento"), QStringLiteral("Emissione"),
               QStringLiteral("Beneficiario"), QStringLiteral("C.F. / P. IVA"), QStringLiteral("Verifica"),
               QStringLiteral("Prodotto o servizio"), QString(), QStringLiteral("Pagato (dov.-saldo)")});
    for (const VoceDichiarazione &v : e.voci)
        r << riga(CelleDichiarazione(v));
    r << QStringLiteral("- - - - - - - - - - - - - - - -");
    for (const TotaleTipologia &t : e.perTipologia)
        r << Adatta(QStringLiteral("TOTALE ") + t.tipologia + QStringLiteral(" (%1)").arg(t.voci), 60)
                 + Adatta(TestoTotale(t), 20, true);
    r << Adatta(QStringLiteral("TOTALE IMPORTI PAGATI"), 60) + Adatta(TestoTotaleGenerale(e), 20, true);
    return r;
}

namespace {

QString DueDecimali(double v)
{
    const double a = std::floor(v * 100 + 0.5) / 100;
    return QString::number(a == 0 ? 0.0 : a, 'f', 2).replace(u'.', u',');
}

} // namespace

QStringList CelleEsportazioneDichiarazione(const VoceDichiarazione &v)
{
    QStringList c = CelleDichiarazione(v);
    c.last() = v.pagato ? DueDecimali(*v.pagato) : QStringLiteral("non leggibile");
    return c;
}

QStringList CellePiedeDichiarazione(const ElencoDichiarazione &e, qint64 i)
{
    QStringList c(TitoliDichiarazione().size());
    if (i < e.perTipologia.size()) {
        const TotaleTipologia &t = e.perTipologia.at(i);
        c[3] = QStringLiteral("TOTALE ") + t.tipologia;
        c.last() = t.calcolabile ? DueDecimali(t.totale) : kNonCalcolabile;
    } else {
        c[3] = QStringLiteral("TOTALE IMPORTI PAGATI");
        c.last() = TestoTotaleGenerale(e) == kNonCalcolabile ? kNonCalcolabile : DueDecimali(e.totale);
    }
    return c;
}
