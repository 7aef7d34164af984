// Scans read the archive in two parts at once: whatever the point where the
// file is split, every result must be the one a reading in one go gives, the
// totals of the statement, the analysis and the tax list and the monthly sums
// to the last bit (their amounts are added in file order).
#include "ArchivioDiProva.h"
#include "analysis/Analisi.h"
#include "analysis/Dichiarazione.h"
#include "charts/TotaliMensili.h"
#include "lists/RicercaSchede.h"
#include "output/ModelloRegistro.h"
#include "register/Archivio.h"
#include "summary/Riepilogo.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cstring>
#include <limits>

using namespace ArchivioDiProva;
using namespace Qt::StringLiterals;

namespace {

// Amounts whose sum depends on the order they are added in, dates and amounts
// that cannot be read, and payees, codes, types and states that the criteria
// and the groups tell apart.
QList<TScheda> Archivio150()
{
    static const char16_t *const kImporti[] = {u"0,1", u"999999999999,99", u"0,07", u"-999999999999,99", u"12,5",
                                               u"0,3", u"abc", u"7,77", u"", u"1e3"};
    static const char16_t *const kFornitori[] = {u"Enel Energia", u"Acea", u"Farmacia", u"TIM spa"};
    QList<TScheda> s;
    for (int i = 0; i < 150; ++i) {
        // The amounts that cannot be read all in 2023: the chart of 2024 is drawn.
        const int anno = i % 10 == 6 || i % 10 >= 8 ? 2023 : 2024;
        const QString data = i % 11 == 5 ? u"31/02/%1"_s.arg(anno)
                                         : u"%1/%2/%3"_s.arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                               .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                               .arg(anno);
        QString fornitore = QString::fromUtf16(kFornitori[i % 4]);
        if (i >= 100 && i % 4 == 1)
            fornitore = u"ACEA"_s; // the same group as "Acea", another spelling
        if (i >= 140 && i % 4 == 2)
            fornitore = u"Farmacia Nuova"_s; // a group met only in the second half
        TScheda t = Semplice(fornitore, data, u"C%1"_s.arg(i % 5), u"Servizio %1"_s.arg(i),
                             QString::fromUtf16(kImporti[i % 10]), i % 3 == 0);
        t.ImpostaTesto(Campo::Tipologia, i % 3 == 0 ? u"Salute"_s : i % 3 == 2 ? u"Casa"_s
                                         : i >= 90  ? u" SALUTE"_s : u"Istruzione"_s);
        t.ImpostaTesto(Campo::Saldo, i % 7 == 3 ? u"x"_s : u"0,%1"_s.arg(i % 97, 2, 10, QLatin1Char('0')));
        s << t;
    }
    return s;
}

struct Esiti {
    QList<qint64> tutte, enel, codice, sospese, riepilogo, illeggibili;
    QStringList righe; // of the statement
    double totale = 0;
    QList<QStringList> griglia;
    Totali12 mesi2024{};
    QList<qint64> mesi2023; // the records that stop the chart of 2023
    QStringList analisi, dichiarazione; // every value, amounts to the last bit
};

QString Esatto(double x) { return QString::number(x, 'g', 17); }

QString Descrivi(const ImportoGruppo &i)
{
    QStringList indici;
    for (qint64 k : i.illeggibili)
        indici << QString::number(k);
    return u"%1 schede, %2, illeggibili %3"_s.arg(i.schede).arg(Esatto(i.totale), indici.join(u','));
}

QStringList Analisi(const QString &archivio)
{
    const AnalisiSpese a = AnalizzaSpese(archivio, {QString(), QString(), QDate(2024, 1, 1), QDate(2024, 12, 31)},
                                         Raggruppamento::Beneficiario);
    QStringList r{Descrivi(a.totale), Descrivi(a.totalePrecedente)};
    for (qint64 k : a.illeggibili)
        r << QString::number(k);
    for (const GruppoSpese &g : a.gruppi) {
        r << g.nome << Descrivi(g.corrente) << Descrivi(g.precedente);
        r << g.righe.righe.Elenco();
    }
    return r;
}

QStringList Dichiarazione(const QString &archivio)
{
    const ElencoDichiarazione e = ElencaPerDichiarazione(archivio, 2024, {u"salute"_s, u"Istruzione"_s});
    QStringList r{Esatto(e.totale)};
    for (qint64 k : e.illeggibili)
        r << QString::number(k);
    for (const TotaleTipologia &t : e.perTipologia)
        r << u"%1: %2 voci, %3, %4"_s.arg(t.tipologia).arg(t.voci).arg(Esatto(t.totale)).arg(t.calcolabile);
    for (const VoceDichiarazione &v : e.voci)
        r << u"%1 %2 %3 %4 %5"_s.arg(v.posizione).arg(v.data.toString(Qt::ISODate), v.fornitore, v.tipologia,
                                       v.pagato ? Esatto(*v.pagato) : u"-"_s);
    return r;
}

Esiti Scansioni(const QString &archivio)
{
    Esiti e;
    e.tutte = CercaSchede(archivio, {}).Posizioni();
    e.enel = CercaSchede(archivio, {{Campo::Fornitore, u"enel"_s}}).Posizioni();
    e.codice = CercaSchede(archivio, {{Campo::Codice, u"c3"_s}, {Campo::Fornitore, u"a"_s}}).Posizioni();
    e.sospese = ContiDaSaldare(archivio).Posizioni();
    const Riepilogo r = CostruisciRiepilogo(archivio, {QString(), QString(), QDate(2024, 1, 1), QDate(2024, 12, 31)});
    e.riepilogo = r.righe.Posizioni();
    e.righe = r.righe.righe.Elenco();
    e.totale = r.totale;
    e.illeggibili = r.illeggibili;
    e.mesi2024 = TotaliMensili(archivio, u"2024"_s);
    try {
        TotaliMensili(archivio, u"2023"_s);
    } catch (const ErroreImporto &errore) {
        e.mesi2023 = errore.indici;
    }
    e.analisi = Analisi(archivio);
    e.dichiarazione = Dichiarazione(archivio);
    ModelloRegistro m;
    if (!m.Carica(archivio))
        e.griglia << QStringList{u"non caricata"_s};
    for (qint64 riga = 0; riga < m.NumeroRighe(); ++riga) {
        QStringList celle;
        for (int c = 0; c < ModelloRegistro::NumeroColonne; ++c)
            celle << m.Cella(riga, c);
        e.griglia << celle;
    }
    return e;
}

} // namespace

class TestScansioneParti : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ImpostaSchedePerParte(m_predefinite); }
    void comeInUnaVolta_data();
    void comeInUnaVolta();

private:
    const qint64 m_predefinite = SchedePerParte();
};

void TestScansioneParti::comeInUnaVolta_data()
{
    QTest::addColumn<qint64>("perParte");
    QTest::addColumn<int>("parti");
    // The grid asks for 16 times as many records per half: read in two parts
    // in the first row only.
    QTest::newRow("parti di una scheda") << qint64(1) << 2;
    QTest::newRow("parti di 7") << qint64(7) << 2;
    QTest::newRow("meta' esatta") << qint64(75) << 2;
    QTest::newRow("troppo poche per due parti") << qint64(76) << 1;
}

void TestScansioneParti::comeInUnaVolta()
{
    QFETCH(qint64, perParte);
    QFETCH(int, parti);
    QTemporaryDir dir;
    const QString archivio = Archivio::Percorso(dir.path());
    Scrivi(archivio, Archivio150());

    ImpostaSchedePerParte(std::numeric_limits<qint64>::max());
    const Esiti attesi = Scansioni(archivio);
    ImpostaSchedePerParte(perParte);
    const Esiti e = Scansioni(archivio);
    // Where a second core is there; on one, everything is read in one part.
    if (std::thread::hardware_concurrency() >= 2) {
        QCOMPARE(ScorriArchivioInParti(archivio, [](int, const TScheda *, qint64, qint64) {}), parti);
        QCOMPARE(ScorriArchivioInParti(archivio, [](int, const TScheda *, qint64, qint64) {}, 16),
                 perParte == 1 ? 2 : 1);
    }

    QCOMPARE(attesi.tutte.size(), 150);
    QCOMPARE(e.tutte, attesi.tutte);
    QVERIFY(!attesi.enel.isEmpty());
    QCOMPARE(e.enel, attesi.enel);
    QVERIFY(!attesi.codice.isEmpty());
    QCOMPARE(e.codice, attesi.codice);
    QVERIFY(!attesi.sospese.isEmpty());
    QCOMPARE(e.sospese, attesi.sospese);
    QVERIFY(!attesi.illeggibili.isEmpty());
    QCOMPARE(e.illeggibili, attesi.illeggibili);
    QCOMPARE(e.riepilogo, attesi.riepilogo);
    QCOMPARE(e.righe, attesi.righe);
    // Bit for bit: the amounts were added in the same order.
    QVERIFY(std::memcmp(&e.totale, &attesi.totale, sizeof(double)) == 0);
    QVERIFY(std::memcmp(e.mesi2024.data(), attesi.mesi2024.data(), sizeof(Totali12)) == 0);
    QVERIFY(attesi.mesi2024[0] != 0);
    QVERIFY(!attesi.mesi2023.isEmpty());
    QCOMPARE(e.mesi2023, attesi.mesi2023);
    // The analysis: a group spelt two ways, one met only in the second half.
    QVERIFY(attesi.analisi.contains(u"Farmacia Nuova"_s));
    QVERIFY(!attesi.analisi.contains(u"ACEA"_s));
    QCOMPARE(e.analisi, attesi.analisi);
    QVERIFY(attesi.dichiarazione.size() > 20);
    QCOMPARE(e.dichiarazione, attesi.dichiarazione);
    QCOMPARE(attesi.griglia.size(), 150);
    QCOMPARE(e.griglia, attesi.griglia);
}

QTEST_GUILESS_MAIN(TestScansioneParti)
#include "tst_scansione_parti.moc"
