// Dates of the interval, the statement's scan and its total, without screens.
#include "ArchivioDiProva.h"
#include "app/TestiGuida.h"
#include "register/Archivio.h"
#include "summary/Riepilogo.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace ArchivioDiProva;

class TestRiepilogo : public QObject {
    Q_OBJECT
private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void componiData_data();
    void componiData();
    void dataValida_data();
    void dataValida();

    void filtri_data();
    void filtri();
    void intervallo_estremiInclusi();
    void dovutoVuoto_saltato();
    void illeggibili_data();
    void illeggibili();

    void totale_data();
    void totale();
    void formattaTotale_data();
    void formattaTotale();

    void righeStampa();
    void guida_quattroParagrafi();

private:
    QString percorso() const { return Archivio::Percorso(m_dir->path()); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRiepilogo::componiData_data()
{
    QTest::addColumn<QString>("giorno");
    QTest::addColumn<QString>("mese");
    QTest::addColumn<QString>("anno");
    QTest::addColumn<QString>("attesa");
    QTest::newRow("07 Marzo") << "07" << "Marzo" << "2024" << "07/03/2024";
    QTest::newRow("mese in maiuscolo con spazi") << " 31 " << "  DICEMBRE " << "2023" << "31/12/2023";
    QTest::newRow("gennaio") << "01" << "gennaio" << "2024" << "01/01/2024";
    QTest::newRow("mese sconosciuto: vuota") << "01" << "Marzolino" << "2024" << "";
    QTest::newRow("mese accentato non riconosciuto") << "01" << "MARZÒ" << "2024" << "";
}

void TestRiepilogo::componiData()
{
    QFETCH(QString, giorno);
    QFETCH(QString, mese);
    QFETCH(QString, anno);
    QFETCH(QString, attesa);
    QCOMPARE(ComponiData(giorno, mese, anno), attesa);
}

void TestRiepilogo::dataValida_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("valida");
    QTest::newRow("29 febbraio 2024") << "29/02/2024" << true;
    QTest::newRow("29 febbraio 2023") << "29/02/2023" << false;
    QTest::newRow("31 aprile") << "31/04/2024" << false;
    QTest::newRow("31 dicembre") << "31/12/2024" << true;
    QTest::newRow("vuota") << "" << false;
    QTest::newRow("anno 0000") << "01/01/0000" << false;
}

void TestRiepilogo::dataValida()
{
    QFETCH(QString, testo);
    QFETCH(bool, valida);
    QCOMPARE(DataValida(testo), valida);
}

namespace {

CriteriRiepilogo Criteri(const QString &fornitore, const QString &codice,
                         QDate inizio = QDate(2024, 1, 1), QDate fine = QDate(2024, 12, 31))
{
    return {fornitore, codice, inizio, fine};
}

} // namespace

void TestRiepilogo::filtri_data()
{
    QTest::addColumn<QString>("fornitore");
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QList<qint64>>("attese");
    QTest::addColumn<int>("attivi");
    using L = QList<qint64>;
    QTest::newRow("nessun filtro: tutte") << "" << "" << L{0, 1, 2, 3} << 0;
    QTest::newRow("solo spazi: nessun filtro") << "   " << " " << L{0, 1, 2, 3} << 0;
    QTest::newRow("ross: Rossi Mario e Mario ROSSI") << "ross" << "" << L{0, 1} << 1;
    QTest::newRow("ross e codice: devono esserci entrambi") << "ross" << "gas" << L{1} << 2;
    QTest::newRow("' rossi' con lo spazio davanti") << " rossi" << "" << L{1} << 1;
    QTest::newRow("solo codice") << "" << "LUC" << L{0, 2} << 1;
    QTest::newRow("È non trova è") << "VERDÈ" << "" << L{} << 1;
}

void TestRiepilogo::filtri()
{
    QFETCH(QString, fornitore);
    QFETCH(QString, codice);
    QFETCH(QList<qint64>, attese);
    QFETCH(int, attivi);
    Scrivi(percorso(), {Semplice(QStringLiteral("Rossi Mario"), QStringLiteral("10/01/2024"), QStringLiteral("LUCE"),
                                 QStringLiteral("Luce"), QStringLiteral("1,00")),
                        Semplice(QStringLiteral("Mario ROSSI"), QStringLiteral("10/02/2024"), QStringLiteral("GAS"),
                                 QStringLiteral("Gas"), QStringLiteral("2,00")),
                        Semplice(QStringLiteral("Bianchi"), QStringLiteral("10/03/2024"), QStringLiteral("luce"),
                                 QStringLiteral("Luce"), QStringLiteral("3,00")),
                        Semplice(QStringLiteral("Verdè"), QStringLiteral("10/04/2024"), QStringLiteral("X"),
                                 QStringLiteral("Altro"), QStringLiteral("4,00"))});
    const CriteriRiepilogo c = Criteri(fornitore, codice);
    QCOMPARE(FiltriAttivi(c), attivi);
    const Riepilogo r = CostruisciRiepilogo(percorso(), c);
    QCOMPARE(r.righe.Posizioni(), attese);
    QVERIFY(r.Completo());
}

void TestRiepilogo::intervallo_estremiInclusi()
{
    QList<TScheda> s;
    for (const char *d : {"09/03/2024", "10/03/2024", "15/03/2024", "20/03/2024", "21/03/2024", "15/03/2023"})
        s << Semplice(QStringLiteral("A"), QString::fromLatin1(d), QStringLiteral("C"), QStringLiteral("S"),
                      QStringLiteral("1,00"));
    Scrivi(percorso(), s);
    Riepilogo r = CostruisciRiepilogo(percorso(), Criteri({}, {}, QDate(2024, 3, 10), QDate(2024, 3, 20)));
    QCOMPARE(r.righe.Posizioni(), (QList<qint64>{1, 2, 3}));
    QCOMPARE(r.totale, 3.0);
    // A single day.
    r = CostruisciRiepilogo(percorso(), Criteri({}, {}, QDate(2024, 3, 15), QDate(2024, 3, 15)));
    QCOMPARE(r.righe.Posizioni(), (QList<qint64>{2}));
}

void TestRiepilogo::dovutoVuoto_saltato()
{
    // An empty amount is skipped before its date is read: a bad date there does no harm.
    Scrivi(percorso(), {Semplice(QStringLiteral("A"), QStringLiteral("10/03/2024"), {}, {}, QString()),
                        Semplice(QStringLiteral("B"), QStringLiteral("10/03/2024"), {}, {}, QStringLiteral("   ")),
                        Semplice(QStringLiteral("C"), QStringLiteral("data?"), {}, {}, QString()),
                        Semplice(QStringLiteral("D"), QStringLiteral("11/03/2024"), {}, {}, QStringLiteral("5"))});
    const Riepilogo r = CostruisciRiepilogo(percorso(), Criteri({}, {}));
    QCOMPARE(r.righe.Posizioni(), (QList<qint64>{3}));
    QVERIFY(r.Completo());
    QCOMPARE(FormattaTotale(r.totale), QStringLiteral("5,00"));
}

void TestRiepilogo::illeggibili_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("dovuto");
    QTest::addColumn<QString>("fornitore");
    QTest::addColumn<bool>("segnalata");
    QTest::newRow("totale di lettere nell'intervallo") << "12/03/2024" << "dieci" << "A" << true;
    QTest::newRow("data non valida") << "31/04/2024" << "10,00" << "A" << true;
    QTest::newRow("data illeggibile") << "marzo" << "10,00" << "A" << true;
    // Outside the interval or filtered out: it cannot count, so it does no harm.
    QTest::newRow("totale di lettere fuori intervallo") << "12/03/2023" << "dieci" << "A" << false;
    QTest::newRow("data illeggibile ma esclusa dal filtro") << "marzo" << "10,00" << "Z" << false;
}

void TestRiepilogo::illeggibili()
{
    QFETCH(QString, data);
    QFETCH(QString, dovuto);
    QFETCH(QString, fornitore);
    QFETCH(bool, segnalata);
    Scrivi(percorso(), {Semplice(QStringLiteral("A"), QStringLiteral("01/03/2024"), {}, {}, QStringLiteral("1,00")),
                        Semplice(fornitore, data, {}, {}, dovuto),
                        Semplice(QStringLiteral("A"), QStringLiteral("02/03/2024"), {}, {}, QStringLiteral("2,00"))});
    const Riepilogo r = CostruisciRiepilogo(percorso(), Criteri(QStringLiteral("a"), {}));
    // The readable records are all listed, the bad one never is.
    QCOMPARE(r.righe.Posizioni(), (QList<qint64>{0, 2}));
    QCOMPARE(r.Completo(), !segnalata);
    if (segnalata)
        QCOMPARE(r.illeggibili, (QList<qint64>{1}));
}

void TestRiepilogo::totale_data()
{
    QTest::addColumn<QStringList>("importi");
    QTest::addColumn<QString>("attesa");
    QTest::newRow("10,10 + 5,20") << QStringList{QStringLiteral("10,10"), QStringLiteral("5,20")} << "15,30";
    QTest::newRow("12") << QStringList{QStringLiteral("12")} << "12,00";
    QTest::newRow("-10 + 2,5") << QStringList{QStringLiteral("-10"), QStringLiteral("2,5")} << "-7,50";
    QTest::newRow("0,75") << QStringList{QStringLiteral("0,75")} << "0,75";
    QTest::newRow("1,005") << QStringList{QStringLiteral("1,005")} << "1,005";
    QTest::newRow("nessuna") << QStringList{} << "0,00";
    QTest::newRow("spazi attorno") << QStringList{QStringLiteral(" 7,25 ")} << "7,25";
}

void TestRiepilogo::totale()
{
    QFETCH(QStringList, importi);
    QFETCH(QString, attesa);
    QList<TScheda> s;
    for (const QString &i : importi)
        s << Semplice(QStringLiteral("A"), QStringLiteral("05/05/2024"), {}, {}, i);
    Scrivi(percorso(), s);
    const Riepilogo r = CostruisciRiepilogo(percorso(), Criteri({}, {}));
    QCOMPARE(r.righe.size(), importi.size());
    QCOMPARE(FormattaTotale(r.totale), attesa);
}

void TestRiepilogo::formattaTotale_data()
{
    QTest::addColumn<double>("valore");
    QTest::addColumn<QString>("attesa");
    QTest::newRow("15") << 15.0 << "15,00";
    QTest::newRow("15,3") << 15.3 << "15,30";
    QTest::newRow("0,75") << 0.75 << "0,75";
    QTest::newRow("1,005") << 1.005 << "1,005";
    QTest::newRow("-7,5") << -7.5 << "-7,50";
    QTest::newRow("arrotondato al decimillesimo") << 2.00004 << "2,00";
    QTest::newRow("metà verso l'alto") << 2.00005 << "2,0001";
    QTest::newRow("negativo: metà verso l'alto") << -2.00005 << "-2,00";
    QTest::newRow("zero") << 0.0 << "0,00";
    QTest::newRow("somma binaria 0,1+0,2") << 0.1 + 0.2 << "0,30";
}

void TestRiepilogo::formattaTotale()
{
    QFETCH(double, valore);
    QFETCH(QString, attesa);
    QCOMPARE(FormattaTotale(valore), attesa);
}

void TestRiepilogo::righeStampa()
{
    const QString intervallo = TestoIntervallo(QStringLiteral("01/03/2024"), QStringLiteral(" 31/03/2024"));
    QCOMPARE(intervallo, QStringLiteral("Dal   01/03/2024   al   31/03/2024"));
    const QStringList r = RigheStampaRiepilogo({QStringLiteral("riga 1"), QStringLiteral("riga 2")},
                                               intervallo, QStringLiteral(" 15,30 "));
    QCOMPARE(r, (QStringList{QStringLiteral("riga 1"), QStringLiteral("riga 2"),
                             QStringLiteral("- - - - - - - - - - - - - - - -"),
                             QStringLiteral("INTERVALLO SELEZIONATO:    Dal   01/03/2024   al   31/03/2024"),
                             QStringLiteral("TOTALE IMPORTI PAGATI:     € 15,30")}));
    // The interval text and the euro sign stand in the same column.
    QCOMPARE(r.at(3).indexOf(u'D'), r.at(4).indexOf(u'€'));
}

void TestRiepilogo::guida_quattroParagrafi()
{
    QCOMPARE(TestiGuida::TitoloRiepilogo(), QStringLiteral("App Riepilogo Uscite"));
    const QStringList p = TestiGuida::TestoRiepilogo().split(QStringLiteral("\r\n\r\n"));
    QCOMPARE(p.size(), 4);
    for (const QString &x : p)
        QVERIFY(!x.trimmed().isEmpty() && !x.contains(u'\n') && !x.contains(u'\r'));
}

QTEST_GUILESS_MAIN(TestRiepilogo)
#include "tst_riepilogo.moc"
