#include "ArchivioDiProva.h"

#include "register/Archivio.h"
#include "register/Suggerimenti.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using ArchivioDiProva::Scheda;

namespace {

TScheda Di(const QString &fornitore, const QString &codice = QString(), const QString &tipologia = QString())
{
    return Scheda({{Campo::Fornitore, fornitore}, {Campo::Codice, codice}, {Campo::Tipologia, tipologia}});
}

// Payees used 3, 2, 2, 1 and 1 times; "Enel Energia" also written in capitals.
QList<TScheda> Beneficiari()
{
    return {Di(QStringLiteral("Enel Energia")), Di(QStringLiteral("Generali Italia")),
            Di(QStringLiteral("ENEL ENERGIA")), Di(QStringLiteral("  Enel Energia  ")),
            Di(QStringLiteral("Generali Italia")), Di(QStringLiteral("Acea Energia")),
            Di(QStringLiteral("Acea Energia")), Di(QStringLiteral("Benetton")),
            Di(QStringLiteral("Caffè Nero")), Di(QString())};
}

Suggerimenti Contati(const QList<TScheda> &schede)
{
    Suggerimenti s;
    for (int i = 0; i < schede.size(); ++i)
        s.Conta(schede[i], i);
    return s;
}

} // namespace

class TestSuggerimenti : public QObject {
    Q_OBJECT
private slots:
    void offerti_data();
    void offerti();
    void offerti_massimo();
    void offerti_soloCampiOfferti();
    void togli_seguonoLeRiscritture();
    void ultima_dati();
    void lettura_aFettePariAllaConta();
    void lettura_archivioVuotoECodaParziale();
};

void TestSuggerimenti::offerti_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QStringList>("attesi");

    // Enel 3 (most written "Enel Energia", the capitals once), Acea 2,
    // Generali 2, Benetton 1: at equal use, alphabetical.
    QTest::newRow("prefisso, il più usato primo")
        << QStringLiteral("ene") << QStringList{QStringLiteral("Enel Energia"), QStringLiteral("Acea Energia"),
                                                QStringLiteral("Generali Italia"), QStringLiteral("Benetton")};
    QTest::newRow("maiuscole come la ricerca")
        << QStringLiteral("ENE") << QStringList{QStringLiteral("Enel Energia"), QStringLiteral("Acea Energia"),
                                                QStringLiteral("Generali Italia"), QStringLiteral("Benetton")};
    QTest::newRow("blank attorno ignorati")
        << QStringLiteral("  energia ") << QStringList{QStringLiteral("Enel Energia"), QStringLiteral("Acea Energia")};
    QTest::newRow("a pari uso chi comincia prima")
        << QStringLiteral("g") << QStringList{QStringLiteral("Enel Energia"), QStringLiteral("Generali Italia"),
                                              QStringLiteral("Acea Energia")};
    QTest::newRow("contenuto") << QStringLiteral("ali it") << QStringList{QStringLiteral("Generali Italia")};
    // Only ASCII letters change case, as in the search.
    QTest::newRow("accentata come scritta") << QStringLiteral("caffè") << QStringList{QStringLiteral("Caffè Nero")};
    QTest::newRow("accentata maiuscola no") << QStringLiteral("CAFFÈ") << QStringList();
    QTest::newRow("fuori dalla codifica") << QStringLiteral("€nel\u4e2d") << QStringList();
    QTest::newRow("nessuno") << QStringLiteral("zz") << QStringList();
    QTest::newRow("vuoto: i più usati")
        << QString() << QStringList{QStringLiteral("Enel Energia"), QStringLiteral("Acea Energia"),
                                    QStringLiteral("Generali Italia"), QStringLiteral("Benetton"),
                                    QStringLiteral("Caffè Nero")};
    // Written exactly as a value: that one is not offered again, the others are.
    QTest::newRow("già scritto") << QStringLiteral("Acea Energia") << QStringList();
    QTest::newRow("scritto in altro modo")
        << QStringLiteral("enel energia") << QStringList{QStringLiteral("Enel Energia")};
}

void TestSuggerimenti::offerti()
{
    QFETCH(QString, digitato);
    QFETCH(QStringList, attesi);
    const Suggerimenti s = Contati(Beneficiari());
    QCOMPARE(s.Offerti(Campo::Fornitore, digitato), attesi);
}

void TestSuggerimenti::offerti_massimo()
{
    QList<TScheda> schede;
    for (int i = 0; i < 80; ++i)
        for (int volte = 0; volte <= i % 3; ++volte)
            schede << Di(QStringLiteral("Fornitore %1").arg(i, 2, 10, QLatin1Char('0')));
    const Suggerimenti s = Contati(schede);
    const QStringList tutti = s.Offerti(Campo::Fornitore, QStringLiteral("forn"));
    QCOMPARE(tutti.size(), Suggerimenti::kMassimo);
    QCOMPARE(tutti.first(), QStringLiteral("Fornitore 02")); // used 3 times, the first in order
    QCOMPARE(s.Usi(Campo::Fornitore, tutti.first()), 3);
    QCOMPARE(s.Usi(Campo::Fornitore, tutti.last()), 2);
    QCOMPARE(s.Offerti(Campo::Fornitore, QStringLiteral("forn"), 3),
             (QStringList{QStringLiteral("Fornitore 02"), QStringLiteral("Fornitore 05"), QStringLiteral("Fornitore 08")}));
}

void TestSuggerimenti::offerti_soloCampiOfferti()
{
    const Suggerimenti s = Contati({Di(QStringLiteral("Enel"), QStringLiteral("LUCE"), QStringLiteral("Utenze")),
                                    Di(QStringLiteral("Acea"), QStringLiteral("ACQUA"), QStringLiteral("Utenze")),
                                    Di(QStringLiteral("Enel"), QStringLiteral("Luce casa"), QStringLiteral("utenze"))});
    // Each field offers its own values.
    QCOMPARE(s.Offerti(Campo::Codice, QStringLiteral("lu")), (QStringList{QStringLiteral("LUCE"), QStringLiteral("Luce casa")}));
    QCOMPARE(s.Offerti(Campo::Tipologia, QStringLiteral("ut")), QStringList{QStringLiteral("Utenze")});
    QCOMPARE(s.Usi(Campo::Tipologia, QStringLiteral("UTENZE")), 3);
    QCOMPARE(s.Offerti(Campo::Fornitore, QStringLiteral("lu")), QStringList());
    QVERIFY(s.Offerti(Campo::Servizi, QStringLiteral("e")).isEmpty());
    QVERIFY(!Suggerimenti::Offerto(Campo::Servizi));
    QVERIFY(Suggerimenti::Offerto(Campo::Tipologia));
}

void TestSuggerimenti::togli_seguonoLeRiscritture()
{
    QList<TScheda> schede = {Di(QStringLiteral("Acea"), QStringLiteral("ACQUA")),
                             Di(QStringLiteral("Enel"), QStringLiteral("LUCE")),
                             Di(QStringLiteral("Enel"), QStringLiteral("LUCE"))};
    Suggerimenti s = Contati(schede);
    QCOMPARE(s.Offerti(Campo::Fornitore, QStringLiteral("e")), (QStringList{QStringLiteral("Enel"), QStringLiteral("Acea")}));

    // Record 0 rewritten as Enel: Acea is no longer in the archive.
    const TScheda nuova = Di(QStringLiteral("Enel"), QStringLiteral("GAS"));
    s.Togli(schede[0], 0);
    s.Conta(nuova, 0);
    QCOMPARE(s.Offerti(Campo::Fornitore, QStringLiteral("e")), QStringList{QStringLiteral("Enel")});
    QCOMPARE(s.Usi(Campo::Fornitore, QStringLiteral("enel")), 3);
    QCOMPARE(s.Offerti(Campo::Codice, QString()), (QStringList{QStringLiteral("LUCE"), QStringLiteral("GAS")}));
    QVERIFY(!s.UltimaDi(QStringLiteral("Acea")));
    // An older record does not take the place of the last one.
    QCOMPARE(s.UltimaDi(QStringLiteral("Enel"))->indice, 2);
    QCOMPARE(s.UltimaDi(QStringLiteral("Enel"))->codice, QStringLiteral("LUCE"));

    // The last record of a payee rewritten to another payee: its old fields are not offered.
    s.Togli(schede[2], 2);
    s.Conta(Di(QStringLiteral("Hera")), 2);
    QVERIFY(!s.UltimaDi(QStringLiteral("Enel")));
    QCOMPARE(s.UltimaDi(QStringLiteral("hera"))->indice, 2);
}

void TestSuggerimenti::ultima_dati()
{
    const auto conCampi = [](const QString &fornitore, const QString &cf, const QString &codice,
                             const QString &tipologia, const QString &servizi) {
        return Scheda({{Campo::Fornitore, fornitore}, {Campo::CodFisc, cf}, {Campo::Codice, codice},
                       {Campo::Tipologia, tipologia}, {Campo::Servizi, servizi}});
    };
    // The longest values each field holds, so a copy that cuts them shows.
    const QString servizi = QString(119, u'x') + QStringLiteral("è");
    const QString tipologia = QString(49, u't') + QStringLiteral("à");
    const Suggerimenti s = Contati({
        conCampi(QStringLiteral("Enel Energia"), QStringLiteral("00000000001"), QStringLiteral("GAS"),
                 QStringLiteral("Utenze"), QStringLiteral("Bolletta gas")),
        conCampi(QStringLiteral("Acea"), QStringLiteral("11111111111"), QStringLiteral("ACQUA"),
                 QStringLiteral("Utenze"), QStringLiteral("Acqua")),
        conCampi(QStringLiteral("ENEL ENERGIA "), QStringLiteral("06655971007"), QString(30, u'C'),
                 tipologia, servizi),
    });
    const auto u = s.UltimaDi(QStringLiteral(" enel energia"));
    QVERIFY(u);
    QCOMPARE(u->indice, 2);
    QCOMPARE(u->codFisc, QStringLiteral("06655971007"));
    QCOMPARE(u->codice, QString(30, u'C'));
    QCOMPARE(u->tipologia, tipologia);
    QCOMPARE(u->servizi, servizi);
    QVERIFY(!s.UltimaDi(QStringLiteral("Enel")));
    QVERIFY(!s.UltimaDi(QString()));
}

void TestSuggerimenti::lettura_aFettePariAllaConta()
{
    QTemporaryDir dir;
    const QString percorso = Archivio::Percorso(dir.path());
    // Several blocks of the reading (110 records each) and a last one cut short.
    QList<TScheda> schede;
    for (int i = 0; i < 1000; ++i)
        schede << Scheda({{Campo::Fornitore, QStringLiteral("Fornitore %1").arg(i % 37)},
                          {Campo::Codice, QStringLiteral("COD%1").arg(i % 11)},
                          {Campo::Tipologia, i % 2 ? QStringLiteral("Utenze") : QStringLiteral("utenze")},
                          {Campo::Servizi, QStringLiteral("Servizio %1").arg(i)}});
    ArchivioDiProva::Scrivi(percorso, schede);

    LetturaSuggerimenti lettura(percorso);
    int passi = 1;
    while (!lettura.Passo(std::chrono::milliseconds(0)))
        ++passi;
    QCOMPARE(passi, 10); // one block per slice when the time is up at once
    const std::unique_ptr<Suggerimenti> letti = lettura.Prendi();
    const Suggerimenti attesi = Contati(schede);
    for (Campo c : {Campo::Fornitore, Campo::Codice, Campo::Tipologia})
        QCOMPARE(letti->Offerti(c, QString(), 100), attesi.Offerti(c, QString(), 100));
    QCOMPARE(letti->Usi(Campo::Fornitore, QStringLiteral("fornitore 0")), 28);
    QCOMPARE(letti->Usi(Campo::Tipologia, QStringLiteral("UTENZE")), 1000);
    // The last record of payee 36 is record 998.
    QCOMPARE(letti->UltimaDi(QStringLiteral("Fornitore 36"))->indice, 998);
    QCOMPARE(letti->UltimaDi(QStringLiteral("Fornitore 36"))->servizi, QStringLiteral("Servizio 998"));
}

void TestSuggerimenti::lettura_archivioVuotoECodaParziale()
{
    QTemporaryDir dir;
    const QString percorso = Archivio::Percorso(dir.path());
    ArchivioDiProva::Scrivi(percorso, {});
    {
        LetturaSuggerimenti lettura(percorso);
        QVERIFY(lettura.Passo(std::chrono::milliseconds(5)));
        QVERIFY(lettura.Prendi()->Offerti(Campo::Fornitore, QString()).isEmpty());
    }
    // A partial record at the end is no record.
    ArchivioDiProva::Scrivi(percorso, {Di(QStringLiteral("Enel"))}, QByteArray(Di(QStringLiteral("Acea")).byte.data(), 100));
    LetturaSuggerimenti lettura(percorso);
    QVERIFY(lettura.Passo(std::chrono::milliseconds(5)));
    QCOMPARE(lettura.Prendi()->Offerti(Campo::Fornitore, QString()), QStringList{QStringLiteral("Enel")});

    // An archive that cannot be opened is a failure the caller hears of.
    QVERIFY(QFile::remove(percorso));
    QVERIFY(QDir().mkdir(percorso));
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, LetturaSuggerimenti{percorso});
}

QTEST_GUILESS_MAIN(TestSuggerimenti)
#include "tst_suggerimenti.moc"
