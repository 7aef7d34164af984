#include "access/Crypt.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

class TestCrypt : public QObject {
    Q_OBJECT
private slots:
    void vuoto();
    void formaDelleCifre();
    void andataERitorno();
    void decodifica_data();
    void decodifica();
    void chiaveAvanzaConIlByteCifrato();
};

void TestCrypt::vuoto()
{
    QCOMPARE(Crypt::CodificaPassword(QString()), QString());
    QCOMPARE(Crypt::DecodificaPassword(QString()), QString());
}

void TestCrypt::formaDelleCifre()
{
    static const QRegularExpression esadecimale(QStringLiteral("^[0-9A-F]*$"));
    const QString h = Crypt::CodificaPassword(QStringLiteral("PASSWORD è\x01"));
    QCOMPARE(h.size(), 2 * 11);
    QVERIFY(esadecimale.match(h).hasMatch());
}

void TestCrypt::andataERitorno()
{
    // Every length up to 255 with codes over the whole 0..255 range.
    QRandomGenerator rng(12345);
    for (int n = 0; n <= 255; ++n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s.append(QChar(char16_t((i * 37 + n + int(rng.bounded(256))) & 0xFF)));
        QCOMPARE(Crypt::DecodificaPassword(Crypt::CodificaPassword(s)), s);
    }
    QString tutti;
    for (int c = 0; c < 256; ++c)
        tutti.append(QChar(char16_t(c)));
    QCOMPARE(Crypt::DecodificaPassword(Crypt::CodificaPassword(tutti.left(255))), tutti.left(255));
}

void TestCrypt::decodifica_data()
{
    QTest::addColumn<QString>("valore");
    QTest::addColumn<bool>("fallisce");
    QTest::addColumn<int>("lunghezza");
    const QString buono = Crypt::CodificaPassword(QStringLiteral("ABC"));
    QTest::newRow("buono") << buono << false << 3;
    QTest::newRow("minuscole") << buono.toLower() << false << 3;
    QTest::newRow("cifra dispari ignorata") << (buono + u'7') << false << 3;
    QTest::newRow("coppia non esadecimale") << (buono.left(2) + QStringLiteral("G1")) << true << 0;
    QTest::newRow("spazio") << QStringLiteral(" 1") << true << 0;
}

void TestCrypt::decodifica()
{
    QFETCH(QString, valore);
    QFETCH(bool, fallisce);
    QFETCH(int, lunghezza);
    if (fallisce) {
        QVERIFY_THROWS_EXCEPTION(Crypt::ErroreDecodifica, Crypt::DecodificaPassword(valore));
    } else {
        const QString r = Crypt::DecodificaPassword(valore);
        QCOMPARE(r.size(), lunghezza);
        QCOMPARE(r, QStringLiteral("ABC"));
    }
}

void TestCrypt::chiaveAvanzaConIlByteCifrato()
{
    // The same character at two positions scrambles differently, and a
    // change at one position changes every later pair.
    const QString a = Crypt::CodificaPassword(QStringLiteral("AAAA"));
    QVERIFY(a.mid(0, 2) != a.mid(2, 2) || a.mid(2, 2) != a.mid(4, 2));
    const QString b = Crypt::CodificaPassword(QStringLiteral("BAAA"));
    QCOMPARE(a.size(), b.size());
    for (int i = 0; i < 4; ++i)
        QVERIFY2(a.mid(2 * i, 2) != b.mid(2 * i, 2), qPrintable(QString::number(i)));
}

QTEST_APPLESS_MAIN(TestCrypt)
#include "tst_crypt.moc"
