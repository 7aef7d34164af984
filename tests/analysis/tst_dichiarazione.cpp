// The list for the tax return: which payments enter it, in which order, with
// which identifier flags and totals, worked out by hand.
#include "ArchivioDiProva.h"
#include "analysis/Dichiarazione.h"
#include "register/Archivio.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace ArchivioDiProva;

namespace {

TScheda Spesa(const QString &fornitore, const QString &codFisc, const QString &data, const QString &tipologia,
              const QString &dovuto, const QString &saldo, const QString &numDoc = QString())
{
    return Scheda({{Campo::Fornitore, fornitore}, {Campo::CodFisc, codFisc}, {Campo::Data, data},
                   {Campo::Codice, u"C"_qs}, {Campo::Servizi, u"Prestazione"_qs}, {Campo::Tipologia, tipologia},
                   {Campo::Dovuto, dovuto}, {Campo::Saldo, saldo}, {Campo::NumDoc, numDoc},
                   {Campo::DataDoc, data}});
}

QList<TScheda> Anno2024()
{
    return {
        Spesa(u"Farmacia"_qs, u"RSSMRA80A01H501U"_qs, u"10/05/2024"_qs, u"Spese sanitarie"_qs, u"30,00"_qs, u"0,00"_qs, u"F-12"_qs),
        Spesa(u"Scuola"_qs, u"12345670157"_qs, u"15/01/2024"_qs, u"istruzione "_qs, u"200,00"_qs, u"50,00"_qs),
        Spesa(u"Dentista"_qs, u""_qs, u"03/03/2024"_qs, u"SPESE SANITARIE"_qs, u"100,00"_qs, u"0,00"_qs),
        Spesa(u"Dentista"_qs, u""_qs, u"03/03/2023"_qs, u"Spese sanitarie"_qs, u"80,00"_qs, u"0,00"_qs),   // 2023
        Spesa(u"Benzina"_qs, u"12345670158"_qs, u"01/02/2024"_qs, u"Carburante"_qs, u"50,00"_qs, u"0,00"_qs), // not ticked
        Spesa(u"Medico"_qs, u"RSSMRA80A01H501V"_qs, u"20/12/2024"_qs, u"Spese sanitarie"_qs, u"60,00"_qs, u"0,00"_qs),
        Spesa(u"Farmacia"_qs, u" rssmra80a01h501u "_qs, u"10/05/2024"_qs, u"Spese sanitarie"_qs, u"12,50"_qs, u"0,00"_qs),
        Spesa(u"Medico"_qs, u""_qs, u"11/11/2024"_qs, u"Spese sanitarie"_qs, u"  "_qs, u"0,00"_qs),       // no amount
    };
}

} // namespace

class TestDichiarazione : public QObject {
    Q_OBJECT
private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void elenco_data();
    void elenco();
    void esitoIdentificativo_data();
    void esitoIdentificativo();
    void importoIlleggibile_nonContatoComeZero();
    void dataIlleggibile_totaleIncerto();
    void tipologieArchivio_proposte();
    void stampa_righe();

private:
    QString percorso() const { return Archivio::Percorso(m_dir->path()); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDichiarazione::elenco_data()
{
    QTest::addColumn<QStringList>("tipologie");
    QTest::addColumn<QList<qint64>>("posizioni");
    QTest::addColumn<QStringList>("pagati");
    QTest::addColumn<QStringList>("totali");
    QTest::addColumn<QString>("totale");

    // By date; the two of 10/05 in file order. 30 + 100 + 12,50 + 60 = 202,50.
    QTest::newRow("sanitarie e istruzione")
        << QStringList{u"Spese sanitarie"_qs, u"Istruzione"_qs} << QList<qint64>{1, 2, 0, 6, 5}
        << QStringList{u"150,00"_qs, u"100,00"_qs, u"30,00"_qs, u"12,50"_qs, u"60,00"_qs}
        << QStringList{u"Spese sanitarie|4|202,50"_qs, u"Istruzione|1|150,00"_qs} << u"352,50"_qs;
    QTest::newRow("solo istruzione, scritta altrimenti")
        << QStringList{u" ISTRUZIONE"_qs} << QList<qint64>{1} << QStringList{u"150,00"_qs}
        << QStringList{u"ISTRUZIONE|1|150,00"_qs} << u"150,00"_qs;
    QTest::newRow("carburante: un tipo qualsiasi")
        << QStringList{u"carburante"_qs} << QList<qint64>{4} << QStringList{u"50,00"_qs}
        << QStringList{u"carburante|1|50,00"_qs} << u"50,00"_qs;
    QTest::newRow("nessuna tipologia") << QStringList{} << QList<qint64>{} << QStringList{} << QStringList{}
                                       << u"0,00"_qs;
}

void TestDichiarazione::elenco()
{
    QFETCH(QStringList, tipologie);
    QFETCH(QList<qint64>, posizioni);
    QFETCH(QStringList, pagati);
    QFETCH(QStringList, totali);
    QFETCH(QString, totale);
    Scrivi(percorso(), Anno2024());

    const ElencoDichiarazione e = ElencaPerDichiarazione(percorso(), 2024, tipologie);
    QList<qint64> p;
    QStringList importi;
    for (const VoceDichiarazione &v : e.voci) {
        p << v.posizione;
        importi << TestoPagato(v);
    }
    QCOMPARE(p, posizioni);
    QCOMPARE(importi, pagati);
    QStringList t;
    for (const TotaleTipologia &x : e.perTipologia)
        t << x.tipologia + u'|' + QString::number(x.voci) + u'|' + TestoTotale(x);
    QCOMPARE(t, totali);
    QCOMPARE(TestoTotaleGenerale(e), totale);
    QVERIFY(e.Completo());
}

void TestDichiarazione::esitoIdentificativo_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("segnale");
    QTest::newRow("codice fiscale valido") << "RSSMRA80A01H501U" << "";
    QTest::newRow("minuscolo con blanchi, come l'editor lo normalizza") << " rssmra80a01h501u " << "";
    QTest::newRow("controllo sbagliato") << "RSSMRA80A01H501V" << "non valido";
    QTest::newRow("lunghezza sbagliata") << "RSSMRA80A01H501" << "non valido";
    QTest::newRow("partita IVA valida") << "12345670157" << "";
    QTest::newRow("partita IVA sbagliata") << "12345670158" << "non valido";
    QTest::newRow("partita IVA corta") << "1234567" << "non valido";
    QTest::newRow("vuoto") << "" << "mancante";
    QTest::newRow("solo blanchi") << "   " << "mancante";
}

void TestDichiarazione::esitoIdentificativo()
{
    QFETCH(QString, testo);
    QFETCH(QString, segnale);
    QCOMPARE(TestoEsito(VerificaIdentificativo(testo)), segnale);
}

void TestDichiarazione::importoIlleggibile_nonContatoComeZero()
{
    QList<TScheda> schede = Anno2024();
    schede[2].ImpostaTesto(Campo::Saldo, u"zero"_qs);
    Scrivi(percorso(), schede);
    const ElencoDichiarazione e = ElencaPerDichiarazione(percorso(), 2024, {u"Spese sanitarie"_qs});
    QCOMPARE(e.voci.size(), 4);
    QCOMPARE(e.voci.at(0).posizione, 2);
    QCOMPARE(TestoPagato(e.voci.at(0)), u"non leggibile"_qs);
    QCOMPARE(TestoTotale(e.perTipologia.first()), u"non calcolabile"_qs);
    QCOMPARE(TestoTotaleGenerale(e), u"non calcolabile"_qs);
    QCOMPARE(e.illeggibili, QList<qint64>{2});
}

void TestDichiarazione::dataIlleggibile_totaleIncerto()
{
    QList<TScheda> schede = Anno2024();
    schede.append(Spesa(u"Scuola"_qs, u""_qs, u"2024-09-01"_qs, u"Istruzione"_qs, u"20,00"_qs, u"0,00"_qs));
    Scrivi(percorso(), schede);
    const ElencoDichiarazione e =
        ElencaPerDichiarazione(percorso(), 2024, {u"Spese sanitarie"_qs, u"Istruzione"_qs});
    QCOMPARE(e.voci.size(), 5); // the record cannot be placed in a year, so it is not listed
    QCOMPARE(e.illeggibili, QList<qint64>{8});
    QCOMPARE(TestoTotale(e.perTipologia.at(0)), u"202,50"_qs);
    QCOMPARE(TestoTotale(e.perTipologia.at(1)), u"non calcolabile"_qs);
    QCOMPARE(TestoTotaleGenerale(e), u"non calcolabile"_qs);
}

void TestDichiarazione::tipologieArchivio_proposte()
{
    QList<TScheda> schede = Anno2024();
    schede.append(Spesa(u"Vet"_qs, u""_qs, u"01/01/2024"_qs, u"Spese veterinarie"_qs, u"1,00"_qs, u"0,00"_qs));
    schede.append(Spesa(u"X"_qs, u""_qs, u"01/01/2024"_qs, u""_qs, u"1,00"_qs, u"0,00"_qs));
    schede.append(Spesa(u"X"_qs, u""_qs, u"01/01/2024"_qs, u"Tasse SCOLASTICHE"_qs, u"1,00"_qs, u"0,00"_qs));
    schede.append(Spesa(u"X"_qs, u""_qs, u"01/01/2024"_qs, u"Visite mediche"_qs, u"1,00"_qs, u"0,00"_qs));
    Scrivi(percorso(), schede);
    const QStringList tipi = TipologieArchivio(percorso());
    QCOMPARE(tipi, (QStringList{u"Carburante"_qs, u"istruzione"_qs, u"Spese sanitarie"_qs, u"Spese veterinarie"_qs,
                                u"Tasse SCOLASTICHE"_qs, u"Visite mediche"_qs}));
    QStringList proposte;
    for (const QString &t : tipi)
        if (TipologiaProposta(t))
            proposte << t;
    QCOMPARE(proposte, (QStringList{u"istruzione"_qs, u"Spese sanitarie"_qs, u"Spese veterinarie"_qs,
                                    u"Tasse SCOLASTICHE"_qs, u"Visite mediche"_qs}));
    QVERIFY(TipologiaProposta(u"Farmaci"_qs));
}

void TestDichiarazione::stampa_righe()
{
    Scrivi(percorso(), Anno2024());
    const QStringList tipi{u"Spese sanitarie"_qs, u"Istruzione"_qs};
    const ElencoDichiarazione e = ElencaPerDichiarazione(percorso(), 2024, tipi);
    const QStringList r = RigheStampaDichiarazione(e, 2024, tipi);
    QCOMPARE(r.at(0), u"ANNO:         2024"_qs);
    QCOMPARE(r.at(1), u"TIPOLOGIE:    Spese sanitarie, Istruzione"_qs);
    QVERIFY(r.at(3).contains(u"Pagato (dov.-saldo)"_qs));
    QVERIFY(r.at(4).startsWith(u"15/01/2024"_qs));
    QVERIFY(r.at(5).contains(u"mancante"_qs));   // the dentist's missing code
    QVERIFY(r.at(8).contains(u"non valido"_qs)); // the doctor's wrong check character
    QVERIFY(r.last().startsWith(u"TOTALE IMPORTI PAGATI"_qs));
    QVERIFY(r.last().endsWith(u"352,50"_qs));
}

QTEST_GUILESS_MAIN(TestDichiarazione)
#include "tst_dichiarazione.moc"
