// What the archive can hold of a typed or pasted text: windows-1252 only,
// the closest stored form where one exists, the rest taken out and named.
#include "platform/Archiviabile.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestArchiviabile : public QObject {
    Q_OBJECT
private slots:
    void rendi_data();
    void rendi();
};

void TestArchiviabile::rendi_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<QStringList>("sostituiti");
    QTest::addColumn<QStringList>("tolti");
    QTest::newRow("vuoto") << QString() << QString() << QStringList() << QStringList();
    QTest::newRow("accentate del codice") << u"Perché già ó € Œ ‰"_s << u"Perché già ó € Œ ‰"_s
                                          << QStringList() << QStringList();
    QTest::newRow("controlli e byte indefiniti restano") << u"a\tb\u0081"_s << u"a\tb\u0081"_s
                                                         << QStringList() << QStringList();
    QTest::newRow("d con caron") << u"ďábel"_s << u"ábel"_s << QStringList() << QStringList{u"\"ď\" (U+010F)"_s};
    QTest::newRow("pupazzo di neve due volte") << u"☃a☃"_s << u"a"_s << QStringList()
                                               << QStringList{u"\"☃\" (U+2603)"_s};
    QTest::newRow("emoji") << u"ok 😀!"_s << u"ok !"_s << QStringList() << QStringList{u"\"😀\" (U+1F600)"_s};
    QTest::newRow("surrogato isolato") << QString(QChar(0xD800)) + u"x"_s << u"x"_s << QStringList()
                                       << QStringList{u"\"\uFFFD\" (U+FFFD)"_s};
    QTest::newRow("spazio di ampiezza zero") << u"a\u200Bb"_s << u"ab"_s << QStringList() << QStringList{u"U+200B"_s};
    QTest::newRow("separatore di riga") << u"a\u2028b"_s << u"ab"_s << QStringList() << QStringList{u"U+2028"_s};
    QTest::newRow("e e accento acuto combinante") << u"caffe\u0301!"_s << u"caffé!"_s
                                                  << QStringList{u"\"e\" (U+0065) + U+0301 con \"é\""_s}
                                                  << QStringList();
    QTest::newRow("due accenti sulla stessa lettera") << u"e\u0301\u0301"_s << u"é"_s << QStringList()
                                                      << QStringList{u"U+0301"_s};
    QTest::newRow("accento su una lettera che non lo prende") << u"q\u0301"_s << u"q"_s << QStringList()
                                                              << QStringList{u"U+0301"_s};
    QTest::newRow("angstrom") << u"5 \u212B"_s << u"5 Å"_s
                              << QStringList{u"\"\u212B\" (U+212B) con \"Å\""_s} << QStringList();
}

void TestArchiviabile::rendi()
{
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    QFETCH(QStringList, sostituiti);
    QFETCH(QStringList, tolti);
    const Archiviabile::Esito e = Archiviabile::Rendi(testo);
    QCOMPARE(e.testo, atteso);
    QCOMPARE(e.sostituiti, sostituiti);
    QCOMPARE(e.tolti, tolti);
    QCOMPARE(e.Cambiato(), !sostituiti.isEmpty() || !tolti.isEmpty());
    // What it gives is what the archive gives back.
    QVERIFY(!Archiviabile::Rendi(e.testo).Cambiato());
}

QTEST_GUILESS_MAIN(TestArchiviabile)
#include "tst_archiviabile.moc"
