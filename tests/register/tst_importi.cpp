#include "register/Importi.h"

#include <QtTest>

class TestImporti : public QObject {
    Q_OBJECT
private slots:
    void arrotonda2_data();
    void arrotonda2();
    void normalizza_data();
    void normalizza();
    void calcolaSaldo_data();
    void calcolaSaldo();
    void incollato_data();
    void incollato();
    void filtroTasti_data();
    void filtroTasti();
};

void TestImporti::arrotonda2_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("atteso");
    // Judged on the double's exact value: 2.675 is stored just below the half.
    QTest::newRow("2,675 giu") << 2.675 << 2.67;
    QTest::newRow("1,245 su") << 1.245 << 1.25;
    QTest::newRow("0,125 su") << 0.125 << 0.13;
    QTest::newRow("due decimali invariato") << -20.0 << -20.0;
    QTest::newRow("negativo mezzo verso l'alto") << -0.125 << -0.12;
    QTest::newRow("negativo") << -3.14159 << -3.14;
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("grande") << 123456789012.344 << 123456789012.34;
    QTest::newRow("oltre 2^52 invariato") << 9007199254740992.0 << 9007199254740992.0;
}

void TestImporti::arrotonda2()
{
    QFETCH(double, x);
    QFETCH(double, atteso);
    QCOMPARE(Arrotonda2(x), atteso);
}

void TestImporti::normalizza_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("vuoto") << "" << "0,00";
    QTest::newRow("blank") << "   " << "0,00";
    QTest::newRow("intero") << "7" << "7,00";
    QTest::newRow("solo decimali") << ",5" << "0,50";
    QTest::newRow("virgola finale") << "12," << "12,00";
    QTest::newRow("un decimale") << "12,5" << "12,50";
    QTest::newRow("troppi decimali") << "3,14159" << "3,14";
    QTest::newRow("due virgole") << "1,2,3" << "0,00";
    QTest::newRow("virgola sola") << "," << "0,00";
    QTest::newRow("punto") << "1.5" << "0,00";
    QTest::newRow("2,675") << "2,675" << "2,67";
    QTest::newRow("1,245") << "1,245" << "1,25";
    QTest::newRow("0,995 sta sotto la metà") << "0,995" << "0,99";
    QTest::newRow("arrotonda al centesimo") << "9,999" << "10,00";
    QTest::newRow("negativo incollato") << "-20" << "-20,00";
    QTest::newRow("esponente") << "1,5E2" << "150,00";
    QTest::newRow("dodici cifre") << "999999999999" << "999999999999,00";
    // Would not fit the 15-character field, or comes out in exponent form:
    // left as typed (never a silent 0,00), for a save to point at.
    QTest::newRow("tredici cifre") << "1234567890123" << "";
    QTest::newRow("1E15") << "1E15" << "";
    QTest::newRow("negativo troppo lungo") << "-999999999999" << "";
    QTest::newRow("quindici cifre") << "123456789012345" << "";
}

void TestImporti::normalizza()
{
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    const auto normalizzato = ImportoNormalizzato(testo);
    if (atteso.isEmpty()) {
        QVERIFY(!normalizzato);
        QCOMPARE(NormalizzaImporto(testo), testo);
    } else {
        QCOMPARE(normalizzato, std::optional<QString>(atteso));
        QCOMPARE(NormalizzaImporto(testo), atteso);
    }
}

void TestImporti::calcolaSaldo_data()
{
    QTest::addColumn<QString>("dovuto");
    QTest::addColumn<QString>("acconto");
    QTest::addColumn<QString>("saldo");
    QTest::addColumn<QString>("dovutoAtteso");
    QTest::addColumn<QString>("accontoAtteso");
    QTest::addColumn<QString>("saldoAtteso");
    QTest::newRow("differenza") << "100,10" << "0,20" << "0,00" << "100,10" << "0,20" << "99,90";
    QTest::newRow("saldo negativo") << "50,00" << "70,00" << "0,00" << "50,00" << "70,00" << "-20,00";
    QTest::newRow("da zero") << "0,00" << "20,00" << "0,00" << "0,00" << "20,00" << "-20,00";
    QTest::newRow("saldo digitato ignorato") << "30,00" << "10,00" << "5,00" << "30,00" << "10,00" << "20,00";
    QTest::newRow("vuoti a zero") << "" << " " << "" << "0,00" << "0,00" << "0,00";
    QTest::newRow("non normalizzati restano") << "7" << "2,5" << "" << "7" << "2,5" << "4,50";
    // One unreadable amount counts as zero alone; the other is kept.
    QTest::newRow("acconto illeggibile") << "30,00" << "1,2,3" << "9,00" << "30,00" << "0,00" << "30,00";
    QTest::newRow("dovuto illeggibile") << "abc" << "1,00" << "9,00" << "0,00" << "1,00" << "-1,00";
    QTest::newRow("virgola sola e acconto") << "," << "20,00" << "" << "0,00" << "20,00" << "-20,00";
    // A balance that does not fit: nothing, for the caller to report.
    QTest::newRow("saldo troppo lungo") << "0" << "999999999999,99" << "" << "" << "" << "";
    QTest::newRow("differenza di tredici cifre") << "999999999999,00" << "-1" << "" << "" << "" << "";
}

void TestImporti::calcolaSaldo()
{
    QFETCH(QString, dovuto);
    QFETCH(QString, acconto);
    QFETCH(QString, saldo);
    QFETCH(QString, saldoAtteso);
    const auto r = CalcolaSaldo(dovuto, acconto, saldo);
    QCOMPARE(r.has_value(), !saldoAtteso.isEmpty());
    if (!r)
        return;
    QTEST(r->dovuto, "dovutoAtteso");
    QTEST(r->acconto, "accontoAtteso");
    QCOMPARE(r->saldo, saldoAtteso);
}

void TestImporti::incollato_data()
{
    QTest::addColumn<QString>("incollato");
    QTest::addColumn<QString>("pulito");
    QTest::addColumn<QString>("normalizzato"); // what leaving the field then gives
    QTest::newRow("migliaia ed euro") << u"1.234,56 €"_qs << "1234,56" << "1234,56";
    QTest::newRow("euro davanti") << u"€ 12,5"_qs << "12,5" << "12,50";
    QTest::newRow("spazio unificatore") << u"1\u00A0234,00"_qs << "1234,00" << "1234,00";
    QTest::newRow("milioni") << "1.234.567" << "1234567" << "1234567,00";
    QTest::newRow("a capo in fondo") << "15,00\n" << "15,00" << "15,00";
    QTest::newRow("negativo") << "-1.000" << "-1000" << "-1000,00";
    // Dots that are no thousands separators stay, so the text is refused
    // rather than read as another value.
    QTest::newRow("punto decimale") << "1.5" << "1.5" << "0,00";
    QTest::newRow("formato inglese") << "1,234.56" << "1,234.56" << "0,00";
    QTest::newRow("gruppo corto") << "1.23,00" << "1.23,00" << "0,00";
    QTest::newRow("solo euro") << u" € "_qs << "" << "0,00";
}

void TestImporti::incollato()
{
    QFETCH(QString, incollato);
    QFETCH(QString, pulito);
    QFETCH(QString, normalizzato);
    QCOMPARE(PulisciImportoIncollato(incollato), pulito);
    QCOMPARE(NormalizzaImporto(pulito), normalizzato);
}

void TestImporti::filtroTasti_data()
{
    QTest::addColumn<int>("tasto");
    QTest::addColumn<QString>("carattere");
    QTest::addColumn<int>("azione");
    const int avanza = int(Importi::Tasto::Avanza), passa = int(Importi::Tasto::Passa),
              scarta = int(Importi::Tasto::Scarta);
    QTest::newRow("invio") << int(Qt::Key_Return) << "\r" << avanza;
    QTest::newRow("invio tastierino") << int(Qt::Key_Enter) << "\r" << avanza;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << "\b" << passa;
    QTest::newRow("canc") << int(Qt::Key_Delete) << "" << passa;
    QTest::newRow("sinistra") << int(Qt::Key_Left) << "" << passa;
    QTest::newRow("destra") << int(Qt::Key_Right) << "" << passa;
    QTest::newRow("cifra") << int(Qt::Key_7) << "7" << passa;
    QTest::newRow("virgola") << int(Qt::Key_Comma) << "," << passa;
    QTest::newRow("punto") << int(Qt::Key_Period) << "." << scarta;
    QTest::newRow("lettera") << int(Qt::Key_A) << "a" << scarta;
    QTest::newRow("meno") << int(Qt::Key_Minus) << "-" << scarta;
    QTest::newRow("tab") << int(Qt::Key_Tab) << "\t" << passa;
    QTest::newRow("maiusc+tab") << int(Qt::Key_Backtab) << "" << passa;
    QTest::newRow("home") << int(Qt::Key_Home) << "" << scarta;
    QTest::newRow("su") << int(Qt::Key_Up) << "" << scarta;
}

void TestImporti::filtroTasti()
{
    QFETCH(int, tasto);
    QFETCH(QString, carattere);
    QFETCH(int, azione);
    QCOMPARE(int(Importi::FiltraTasto(tasto, carattere)), azione);
}

QTEST_APPLESS_MAIN(TestImporti)
#include "tst_importi.moc"
