// Where the money goes: groups, totals, shares and the year before, worked
// out by hand for a small archive.
#include "ArchivioDiProva.h"
#include "analysis/Analisi.h"
#include "platform/Testo.h"
#include "register/Archivio.h"
#include "summary/Riepilogo.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace ArchivioDiProva;

namespace {

TScheda Pagamento(const QString &fornitore, const QString &data, const QString &codice,
                  const QString &tipologia, const QString &dovuto)
{
    return Scheda({{Campo::Fornitore, fornitore}, {Campo::Data, data}, {Campo::Codice, codice},
                   {Campo::Servizi, QStringLiteral("Servizio")}, {Campo::Tipologia, tipologia},
                   {Campo::Dovuto, dovuto}});
}

// March 2024 against March 2023. Record 4's amount is given by the case.
QList<TScheda> Archivio2024(const QString &importoGita)
{
    return {
        Pagamento(u"Farmacia Rossi"_qs, u"05/03/2024"_qs, u"F1"_qs, u"Spese sanitarie"_qs, u"10,50"_qs),
        Pagamento(u"FARMACIA ROSSI "_qs, u"10/03/2024"_qs, u" f1"_qs, u"  spese SANITARIE "_qs, u"4,50"_qs),
        Pagamento(u"Farmacia Rossi"_qs, u"07/03/2023"_qs, u"F1"_qs, u"Spese sanitarie"_qs, u"12,00"_qs),
        Pagamento(u"Scuola Verdi"_qs, u"15/03/2024"_qs, u"S1"_qs, u"Istruzione"_qs, u"50,00"_qs),
        Pagamento(u"Scuola Verdi"_qs, u"20/03/2024"_qs, u"S1"_qs, u"Istruzione"_qs, importoGita),
        Pagamento(u"Benzinaio"_qs, u"01/03/2024"_qs, u"B1"_qs, u""_qs, u"35,00"_qs),
        Pagamento(u"Benzinaio"_qs, u"31/03/2023"_qs, u"B1"_qs, u""_qs, u"40,00"_qs),
        Pagamento(u"Ferramenta"_qs, u"31/03/2024"_qs, u"H1"_qs, u"Casa"_qs, u"5,00"_qs),
        Pagamento(u"Ferramenta"_qs, u"01/04/2024"_qs, u"H1"_qs, u"Casa"_qs, u"100,00"_qs),   // after
        Pagamento(u"Ferramenta"_qs, u"29/02/2024"_qs, u"H1"_qs, u"Casa"_qs, u"100,00"_qs),   // before
        Pagamento(u"Ferramenta"_qs, u"12/03/2024"_qs, u"H1"_qs, u"Casa"_qs, u"   "_qs),      // no amount
        Pagamento(u"Vet"_qs, u"15/03/2023"_qs, u"V1"_qs, u"Veterinario"_qs, u"30,00"_qs),    // only 2023
    };
}

CriteriRiepilogo Marzo2024(const QString &fornitore = QString(), const QString &codice = QString())
{
    return {fornitore, codice, QDate(2024, 3, 1), QDate(2024, 3, 31)};
}

// "name|count|total|share|year before|change|change %"
QString Riga(const GruppoSpese &g, const AnalisiSpese &a, Raggruppamento per)
{
    return QStringList{NomeGruppo(g, per), QString::number(g.corrente.schede), TestoImporto(g.corrente),
                       TestoPercento(Quota(g, a)), TestoImporto(g.precedente),
                       TestoVariazione(Variazione(g.corrente, g.precedente)),
                       TestoPercento(VariazionePercento(g.corrente, g.precedente), true)}
        .join(u'|');
}

} // namespace

class TestAnalisi : public QObject {
    Q_OBJECT
private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void gruppi_data();
    void gruppi();
    void dataIlleggibile_rendeIncertiGruppoETotali();
    void filtri_comeIlRiepilogo();
    void totale_ugualeAlRiepilogo();
    void righeDelGruppo_sonoQuelleDellIntervallo();
    void annoPrecedente_data();
    void annoPrecedente();
    void chiave_data();
    void chiave();
    void grafico_altro();
    void stampa_righe();

private:
    QString percorso() const { return Archivio::Percorso(m_dir->path()); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestAnalisi::gruppi_data()
{
    QTest::addColumn<QString>("importoGita");
    QTest::addColumn<int>("per");
    QTest::addColumn<QStringList>("righe");
    QTest::addColumn<QString>("totale");

    // 15,00 + 75,00 + 35,00 + 5,00 = 130,00 against 12,00 + 40,00 + 30,00 = 82,00.
    QTest::newRow("tipologia") << u"25,00"_qs << int(Raggruppamento::Tipologia)
        << QStringList{u"Istruzione|2|75,00|57,7 %|0,00|+75,00|-"_qs,
                       u"(non indicata)|1|35,00|26,9 %|40,00|-5,00|-12,5 %"_qs,
                       u"Spese sanitarie|2|15,00|11,5 %|12,00|+3,00|+25,0 %"_qs,
                       u"Casa|1|5,00|3,8 %|0,00|+5,00|-"_qs,
                       u"Veterinario|0|0,00|0,0 %|30,00|-30,00|-100,0 %"_qs}
        << u"6|130,00|82,00|+48,00|+58,5 %"_qs;
    QTest::newRow("beneficiario: maiuscole e spazi") << u"25,00"_qs << int(Raggruppamento::Beneficiario)
        << QStringList{u"Scuola Verdi|2|75,00|57,7 %|0,00|+75,00|-"_qs,
                       u"Benzinaio|1|35,00|26,9 %|40,00|-5,00|-12,5 %"_qs,
                       u"Farmacia Rossi|2|15,00|11,5 %|12,00|+3,00|+25,0 %"_qs,
                       u"Ferramenta|1|5,00|3,8 %|0,00|+5,00|-"_qs,
                       u"Vet|0|0,00|0,0 %|30,00|-30,00|-100,0 %"_qs}
        << u"6|130,00|82,00|+48,00|+58,5 %"_qs;
    QTest::newRow("codice") << u"25,00"_qs << int(Raggruppamento::Codice)
        << QStringList{u"S1|2|75,00|57,7 %|0,00|+75,00|-"_qs,
                       u"B1|1|35,00|26,9 %|40,00|-5,00|-12,5 %"_qs,
                       u"F1|2|15,00|11,5 %|12,00|+3,00|+25,0 %"_qs,
                       u"H1|1|5,00|3,8 %|0,00|+5,00|-"_qs,
                       u"V1|0|0,00|0,0 %|30,00|-30,00|-100,0 %"_qs}
        << u"6|130,00|82,00|+48,00|+58,5 %"_qs;
    // The amount "abc" is never zero: its group and the whole interval have no
    // total, and no share can be worked out of an unknown total.
    QTest::newRow("importo illeggibile") << u"abc"_qs << int(Raggruppamento::Tipologia)
        << QStringList{u"Istruzione|2|non calcolabile|-|0,00|-|-"_qs,
                       u"(non indicata)|1|35,00|-|40,00|-5,00|-12,5 %"_qs,
                       u"Spese sanitarie|2|15,00|-|12,00|+3,00|+25,0 %"_qs,
                       u"Casa|1|5,00|-|0,00|+5,00|-"_qs,
                       u"Veterinario|0|0,00|-|30,00|-30,00|-100,0 %"_qs}
        << u"6|non calcolabile|82,00|-|-"_qs;
}

void TestAnalisi::gruppi()
{
    QFETCH(QString, importoGita);
    QFETCH(int, per);
    QFETCH(QStringList, righe);
    QFETCH(QString, totale);
    Scrivi(percorso(), Archivio2024(importoGita));

    const auto r = Raggruppamento(per);
    const AnalisiSpese a = AnalizzaSpese(percorso(), Marzo2024(), r);
    QStringList ottenute;
    for (const GruppoSpese &g : a.gruppi)
        ottenute << Riga(g, a, r);
    QCOMPARE(ottenute, righe);
    QCOMPARE((QStringList{QString::number(a.totale.schede), TestoImporto(a.totale), TestoImporto(a.totalePrecedente),
                          TestoVariazione(Variazione(a.totale, a.totalePrecedente)),
                          TestoPercento(VariazionePercento(a.totale, a.totalePrecedente), true)}
                  .join(u'|')),
             totale);
    const bool illeggibile = importoGita == u"abc"_qs;
    QCOMPARE(a.illeggibili, illeggibile ? QList<qint64>{4} : QList<qint64>{});
    QCOMPARE(a.Completa(), !illeggibile);
}

void TestAnalisi::dataIlleggibile_rendeIncertiGruppoETotali()
{
    QList<TScheda> schede = Archivio2024(u"25,00"_qs);
    schede.append(Pagamento(u"Vet"_qs, u"31/02/2024"_qs, u"V1"_qs, u"veterinario"_qs, u"20,00"_qs));
    Scrivi(percorso(), schede);
    const AnalisiSpese a = AnalizzaSpese(percorso(), Marzo2024(), Raggruppamento::Tipologia);
    QCOMPARE(a.illeggibili, QList<qint64>{12});
    const GruppoSpese &vet = a.gruppi.last();
    QCOMPARE(vet.nome, u"Veterinario"_qs);
    QCOMPARE(vet.corrente.schede, 0);
    QVERIFY(!vet.corrente.Calcolabile());
    QVERIFY(!vet.precedente.Calcolabile());
    QCOMPARE(TestoImporto(a.totale), kNonCalcolabile);
    QCOMPARE(TestoImporto(a.totalePrecedente), kNonCalcolabile);
    // The other groups keep what is known of them.
    QCOMPARE(TestoImporto(a.gruppi.first().corrente), u"75,00"_qs);
}

void TestAnalisi::filtri_comeIlRiepilogo()
{
    Scrivi(percorso(), Archivio2024(u"25,00"_qs));
    const AnalisiSpese a = AnalizzaSpese(percorso(), Marzo2024(u"rossi"_qs), Raggruppamento::Tipologia);
    QCOMPARE(a.gruppi.size(), 1);
    QCOMPARE(a.gruppi.first().corrente.schede, 2);
    QCOMPARE(a.gruppi.first().precedente.schede, 1);
    const AnalisiSpese b = AnalizzaSpese(percorso(), Marzo2024(u"ferr"_qs, u"h"_qs), Raggruppamento::Codice);
    QCOMPARE(b.gruppi.size(), 1);
    QCOMPARE(TestoImporto(b.totale), u"5,00"_qs);
}

void TestAnalisi::totale_ugualeAlRiepilogo()
{
    Scrivi(percorso(), Archivio2024(u"25,00"_qs));
    const AnalisiSpese a = AnalizzaSpese(percorso(), Marzo2024(), Raggruppamento::Beneficiario);
    const Riepilogo r = CostruisciRiepilogo(percorso(), Marzo2024());
    QCOMPARE(a.totale.totale, r.totale);
    QCOMPARE(a.totale.schede, r.righe.size());
    const Riepilogo prima = CostruisciRiepilogo(percorso(), AnnoPrecedente(Marzo2024()));
    QCOMPARE(a.totalePrecedente.totale, prima.totale);
}

void TestAnalisi::righeDelGruppo_sonoQuelleDellIntervallo()
{
    const QList<TScheda> schede = Archivio2024(u"25,00"_qs);
    Scrivi(percorso(), schede);
    const AnalisiSpese a = AnalizzaSpese(percorso(), Marzo2024(), Raggruppamento::Tipologia);
    const GruppoSpese &sanitarie = a.gruppi.at(2);
    QCOMPARE(sanitarie.righe.Posizioni(), (QList<qint64>{0, 1}));
    QCOMPARE(sanitarie.righe.righe.at(1), RigaScheda(schede.at(1)));
}

void TestAnalisi::annoPrecedente_data()
{
    QTest::addColumn<QDate>("inizio");
    QTest::addColumn<QDate>("fine");
    QTest::addColumn<QDate>("inizioPrima");
    QTest::addColumn<QDate>("finePrima");
    QTest::newRow("marzo") << QDate(2024, 3, 1) << QDate(2024, 3, 31) << QDate(2023, 3, 1) << QDate(2023, 3, 31);
    QTest::newRow("29 febbraio") << QDate(2024, 2, 1) << QDate(2024, 2, 29) << QDate(2023, 2, 1) << QDate(2023, 2, 28);
}

void TestAnalisi::annoPrecedente()
{
    QFETCH(QDate, inizio);
    QFETCH(QDate, fine);
    QFETCH(QDate, inizioPrima);
    QFETCH(QDate, finePrima);
    const CriteriRiepilogo p = AnnoPrecedente({QString(), QString(), inizio, fine});
    QCOMPARE(p.inizio, inizioPrima);
    QCOMPARE(p.fine, finePrima);
}

void TestAnalisi::chiave_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("uguali");
    QTest::newRow("maiuscole") << "Farmacia" << "FARMACIA" << true;
    QTest::newRow("spazi ai lati") << "  Farmacia\t" << "farmacia" << true;
    QTest::newRow("spazi interni contano") << "Farmacia  Rossi" << "Farmacia Rossi" << false;
    QTest::newRow("accentate come sono") << "Attività" << "ATTIVITÀ" << false;
}

void TestAnalisi::chiave()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, uguali);
    QCOMPARE(ChiaveGruppo(Testo::CodificaCp1252(a)) == ChiaveGruppo(Testo::CodificaCp1252(b)), uguali);
}

void TestAnalisi::grafico_altro()
{
    QList<TScheda> schede;
    for (int i = 1; i <= 10; ++i)
        schede.append(Pagamento(u"P"_qs + QString::number(i), u"10/03/2024"_qs, u"C"_qs,
                                u"T"_qs + QString::number(i), QString::number(i * 10) + u",00"_qs));
    Scrivi(percorso(), schede);
    const AnalisiSpese a = AnalizzaSpese(percorso(), Marzo2024(), Raggruppamento::Tipologia);
    const QList<VoceGrafico> v = VociGrafico(a, Raggruppamento::Tipologia, 4);
    QCOMPARE(v.size(), 4);
    QCOMPARE(v.at(0).etichetta, u"T10"_qs);
    QCOMPARE(v.at(0).valore, 100.0);
    QCOMPARE(v.at(2).etichetta, u"T8"_qs);
    QCOMPARE(v.at(3).etichetta, u"Altro"_qs);
    QCOMPARE(v.at(3).valore, 280.0); // 70 + 60 + ... + 10
    // No "Altro" when every group has a bar of its own.
    QCOMPARE(VociGrafico(a, Raggruppamento::Tipologia, 10).last().etichetta, u"T1"_qs);
}

void TestAnalisi::stampa_righe()
{
    Scrivi(percorso(), Archivio2024(u"25,00"_qs));
    const AnalisiSpese a = AnalizzaSpese(percorso(), Marzo2024(), Raggruppamento::Tipologia);
    const QStringList r = RigheStampaAnalisi(a, Raggruppamento::Tipologia, u"Dal   01/03/2024   al   31/03/2024"_qs,
                                             u"Dal   01/03/2023   al   31/03/2023"_qs);
    QCOMPARE(r.size(), 1 + 5 + 1 + 1 + 2);
    QVERIFY(r.first().startsWith(u"Tipologia"_qs));
    QVERIFY(r.at(1).startsWith(u"Istruzione"_qs));
    QVERIFY(r.at(1).contains(u"75,00"_qs));
    QVERIFY(r.at(7).startsWith(u"TOTALE"_qs));
    QVERIFY(r.at(7).contains(u"130,00"_qs));
    QVERIFY(r.at(7).contains(u"+58,5 %"_qs));
    QCOMPARE(r.at(8), u"INTERVALLO SELEZIONATO:    Dal   01/03/2024   al   31/03/2024"_qs);
    // Columns stand one under the other.
    QCOMPARE(r.at(1).indexOf(u"75,00"_qs) + 5, r.at(7).indexOf(u"130,00"_qs) + 6);
}

QTEST_GUILESS_MAIN(TestAnalisi)
#include "tst_analisi.moc"
