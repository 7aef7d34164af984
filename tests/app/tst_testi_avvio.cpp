#include "access/Crypt.h"
#include "app/TestiGuida.h"

#include <QtTest>

class TestTestiAvvio : public QObject {
    Q_OBJECT
private slots:
    void titolo();
    void paragrafi();
    void argomenti_data();
    void argomenti();
    void nessunaPromessaFalsa();
};

void TestTestiAvvio::titolo()
{
    QCOMPARE(TestiGuida::TitoloAvvio(), u"Uno sguardo a Valmora"_qs);
}

void TestTestiAvvio::paragrafi()
{
    const QStringList p = TestiGuida::TestoAvvio().split(u"\r\n\r\n"_qs);
    QCOMPARE(p.size(), 25);
    for (const QString &testo : p) {
        QVERIFY2(!testo.trimmed().isEmpty(), "empty paragraph");
        QVERIFY2(!testo.contains(u'\r') && !testo.contains(u'\n'), qPrintable(testo));
        QCOMPARE(testo, testo.trimmed());
    }
}

void TestTestiAvvio::argomenti_data()
{
    // Paragraphs that must name a command or a value the user needs.
    QTest::addColumn<int>("numero");
    QTest::addColumn<QString>("parola");
    QTest::newRow("registro: Salva") << 5 << u"Salva"_qs;
    QTest::newRow("registro: Duplica") << 8 << u"Duplica"_qs;
    QTest::newRow("registro: Calcola") << 9 << u"Calcola"_qs;
    QTest::newRow("registro: conti da saldare") << 10 << u"Conto da saldare"_qs;
    QTest::newRow("riepilogo: come ottenerlo") << 15 << u"Visualizza riepilogo"_qs;
    QTest::newRow("riepilogo: stampa") << 17 << u"Stampa riepilogo"_qs;
    QTest::newRow("grafici: anno") << 19 << u"Apri"_qs;
    QTest::newRow("grafici: stampa") << 21 << u"Stampa grafico"_qs;
    QTest::newRow("rete") << 22 << u"rete"_qs;
    QTest::newRow("password iniziale") << 23 << QString::fromUtf16(Crypt::PasswordIniziale);
    QTest::newRow("password: reinstallazione") << 23 << u"conserva la password in vigore"_qs;
    QTest::newRow("password: schermate, non dati") << 23 << u"non i dati"_qs;
    QTest::newRow("password: solo mascherata") << 23 << u"non cifrata"_qs;
    QTest::newRow("cartella dei dati") << 24 << u"cartella Valmora della propria cartella personale"_qs;
    QTest::newRow("chiavetta") << 24 << u"USB"_qs;
    QTest::newRow("registro: Elimina") << 7 << u"Elimina"_qs;
    QTest::newRow("registro: schede eliminate") << 7 << u"Schede eliminate"_qs;
    QTest::newRow("copie di sicurezza") << 24 << u"Copie di sicurezza"_qs;
}

void TestTestiAvvio::argomenti()
{
    QFETCH(int, numero);
    QFETCH(QString, parola);
    const QStringList p = TestiGuida::TestoAvvio().split(u"\r\n\r\n"_qs);
    QVERIFY(p.size() >= numero);
    QVERIFY2(p[numero - 1].contains(parola), qPrintable(p[numero - 1]));
}

void TestTestiAvvio::nessunaPromessaFalsa()
{
    // A reinstall keeps the store, and the program sets no minimum length.
    const QString t = TestiGuida::TestoAvvio();
    QVERIFY(!t.contains(u"ogni installazione"_qs));
    QVERIFY(!t.contains(u"otto caratteri"_qs));
}

QTEST_APPLESS_MAIN(TestTestiAvvio)
#include "tst_testi_avvio.moc"
