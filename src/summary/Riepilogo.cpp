#include "summary/Riepilogo.h"

#include "platform/Frammento.h"
#include "platform/Testo.h"
#include "register/Archivio.h"

#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr std::array<const char16_t *, 12> kMesi = {
    u"gennaio", u"febbraio", u"marzo", u"aprile", u"maggio", u"giugno",
    u"luglio", u"agosto", u"settembre", u"ottobre", u"novembre", u"dicembre"};

} // namespace

QString ParteMese(const QString &mese)
{
    const QString m = Testo::MinuscoloAscii(Testo::Trim(mese));
    for (size_t i = 0; i < kMesi.size(); ++i)
        if (m == QStringView(kMesi[i]))
            return QStringLiteral("/%1/").arg(int(i) + 1, 2, 10, QLatin1Char('0'));
    return QString();
}

QString ComponiData(const QString &giorno, const QString &mese, const QString &anno)
{
    const QString parte = ParteMese(mese);
    if (parte.isEmpty())
        return QString();
    return Testo::Trim(giorno) + parte + Testo::Trim(anno);
}

bool DataValida(const QString &testo) { return Testo::LeggiData(testo).has_value(); }

int FiltriAttivi(const CriteriRiepilogo &c)
{
    return (Testo::Trim(c.fornitore).isEmpty() ? 0 : 1) + (Testo::Trim(c.codice).isEmpty() ? 0 : 1);
}

Riepilogo CostruisciRiepilogo(const QString &percorsoArchivio, const CriteriRiepilogo &criteri)
{
    const bool perFornitore = !Testo::Trim(criteri.fornitore).isEmpty();
    const bool perCodice = !Testo::Trim(criteri.codice).isEmpty();
    const FrammentoCp1252 fornitore(criteri.fornitore);
    const FrammentoCp1252 codice(criteri.codice);

    // Where the three fields lie, looked up once for the whole pass.
    // Plain variables, not structured bindings: the lambda below captures
    // them, which clang before 16 refuses for bindings.
    const int offFornitore = TScheda::Offset(Campo::Fornitore), capFornitore = TScheda::Capacita(Campo::Fornitore);
    const int offCodice = TScheda::Offset(Campo::Codice), capCodice = TScheda::Capacita(Campo::Codice);
    const int offDovuto = TScheda::Offset(Campo::Dovuto), capDovuto = TScheda::Capacita(Campo::Dovuto);
    const int offData = TScheda::Offset(Campo::Data), capData = TScheda::Capacita(Campo::Data);
    const auto grezzo = [](const TScheda &s, int offset, int capacita) {
        const int n = static_cast<unsigned char>(s.byte[size_t(offset)]);
        return QByteArrayView(s.byte.data() + offset + 1, n > capacita ? capacita : n);
    };

    const int inizio = Testo::Giorno(criteri.inizio), fine = Testo::Giorno(criteri.fine);

    // The archive is read in two parts at once: each keeps its own lines and
    // unreadable records, and the second its amounts, added to the first
    // part's total afterwards in file order, so that the total is the very
    // sum a reading in one go makes.
    struct Parte {
        QList<qint64> illeggibili;
        std::vector<double> importi;
        double totale = 0;
    };
    std::array<Parte, 2> parti;
    RighePerParte righe;
    RiservaPerArchivio(righe, percorsoArchivio);
    ScorriArchivioInParti(percorsoArchivio, [&](int n, const TScheda *schede, qint64 quante, qint64 primo) {
        Parte &p = parti[size_t(n)];
        RigheScheda &righeParte = righe[size_t(n)];
        for (qint64 k = 0; k < quante; ++k) {
            const TScheda &s = schede[k];
            if (perFornitore && !fornitore.In(grezzo(s, offFornitore, capFornitore)))
                continue;
            if (perCodice && !codice.In(grezzo(s, offCodice, capCodice)))
                continue;
            // Date and amount are read from the stored bytes: a statement of
            // every record must not build their texts.
            const QByteArrayView dovuto = Testo::TrimByte(grezzo(s, offDovuto, capDovuto));
            if (dovuto.isEmpty())
                continue;
            const auto giorno = Testo::LeggiGiornoCp1252(Testo::TrimByte(grezzo(s, offData, capData)));
            if (!giorno) {
                p.illeggibili.append(primo + k);
                continue;
            }
            if (*giorno < inizio || *giorno > fine)
                continue;
            const auto importo = Testo::LeggiNumeroCp1252(dovuto);
            if (!importo) {
                p.illeggibili.append(primo + k);
                continue;
            }
            righeParte.Aggiungi(s, primo + k);
            if (n == 0)
                p.totale += *importo;
            else
                p.importi.push_back(*importo);
        }
    });

    Riepilogo r;
    r.righe = Unisci(righe);
    r.totale = parti[0].totale;
    for (const double importo : parti[1].importi)
        r.totale += importo;
    r.illeggibili = std::move(parti[0].illeggibili);
    r.illeggibili.append(parti[1].illeggibili);
    return r;
}

QString FormattaTotale(double totale)
{
    QString t = Testo::FormatoGenerale(std::floor(totale * 10000 + 0.5) / 10000);
    const qsizetype virgola = t.indexOf(u',');
    if (virgola < 0)
        t += u",00";
    else if (virgola == t.size() - 2)
        t += u'0';
    return t;
}

QString TestoIntervallo(const QString &inizio, const QString &fine)
{
    return QStringLiteral("Dal   ") + Testo::Trim(inizio) + QStringLiteral("   al   ") + Testo::Trim(fine);
}

QStringList RigheStampaRiepilogo(const QStringList &righe, const QString &intervallo,
                                 const QString &totale)
{
    QStringList r = righe;
    r << QStringLiteral("- - - - - - - - - - - - - - - -")
      << QStringLiteral("INTERVALLO SELEZIONATO:    ") + Testo::Trim(intervallo)
      << QStringLiteral("TOTALE IMPORTI PAGATI:     \u20AC ") + Testo::Trim(totale);
    return r;
}
