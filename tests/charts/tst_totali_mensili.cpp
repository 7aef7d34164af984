#include "charts/TotaliMensili.h"
#include "register/Archivio.h"

#include "ArchivioDiProva.h"

#include <QTemporaryDir>
#include <QtTest>

// Records given as "date|amount due".
static QList<TScheda> Schede(const QStringList &righe)
{
    QList<TScheda> schede;
    for (const QString &r : righe) {
        const QStringList c = r.split(u'|');
        schede.append(ArchivioDiProva::Semplice(QStringLiteral("Fornitore"), c.at(0), QStringLiteral("C1"),
                                                QStringLiteral("Servizio"), c.at(1)));
    }
    return schede;
}

// Twelve zeros but for the months given as "month:value" (1-based).
static QList<double> Attesi(const QStringList &mesi)
{
    QList<double> t(12, 0.0);
    for (const QString &m : mesi) {
        const QStringList c = m.split(u':');
        t[c.at(0).toInt() - 1] = c.at(1).toDouble();
    }
    return t;
}

class TestTotaliMensili : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString Percorso() const { return Archivio::Percorso(m_dir.path()); }

private slots:
    void totali_data()
    {
        QTest::addColumn<QStringList>("schede");
        QTest::addColumn<QString>("anno");
        QTest::addColumn<QList<double>>("attesi");

        QTest::newRow("15,55 rounds up") << QStringList{u"15/03/2024|10,20"_qs, u"15/03/2024|5,35"_qs}
                                        << u"2024"_qs << Attesi({u"3:16"_qs});
        QTest::newRow("15,50 rounds up") << QStringList{u"15/03/2024|10,20"_qs, u"15/03/2024|5,30"_qs}
                                        << u"2024"_qs << Attesi({u"3:16"_qs});
        QTest::newRow("15,49 rounds down") << QStringList{u"15/03/2024|10,20"_qs, u"15/03/2024|5,29"_qs}
                                          << u"2024"_qs << Attesi({u"3:15"_qs});
        QTest::newRow("a half the binary sum misses still rounds up")
            << QStringList{u"02/07/2024|0,01"_qs, u"03/07/2024|2,01"_qs, u"04/07/2024|0,48"_qs} << u"2024"_qs
            << Attesi({u"7:3"_qs});
        QTest::newRow("halves upward below zero")
            << QStringList{u"01/04/2024|-124,50"_qs, u"01/05/2024|-124,51"_qs} << u"2024"_qs
            << Attesi({u"4:-124"_qs, u"5:-125"_qs});
        QTest::newRow("first and last month") << QStringList{u"01/01/2024|1,00"_qs, u"31/12/2024|2,50"_qs}
                                             << u"2024"_qs << Attesi({u"1:1"_qs, u"12:3"_qs});
        QTest::newRow("single-digit day and month count nowhere")
            << QStringList{u"5/3/2024|100,00"_qs} << u"2024"_qs << Attesi({});
        QTest::newRow("blank-padded month counts nowhere")
            << QStringList{u"15/ 3/2024|100,00"_qs} << u"2024"_qs << Attesi({});
        QTest::newRow("month 13 and month 00 count nowhere")
            << QStringList{u"15/13/2024|9,00"_qs, u"15/00/2024|9,00"_qs} << u"2024"_qs << Attesi({});
        QTest::newRow("other years are ignored, whatever their amount")
            << QStringList{u"15/03/2023|100,00"_qs, u"15/03/2023|"_qs, u"15/03/2025|abc"_qs,
                           u"2024-03-15|abc"_qs, u"15/06/2024|4,40"_qs}
            << u"2024"_qs << Attesi({u"6:4"_qs});
        QTest::newRow("no record of the year") << QStringList{u"15/03/2023|100,00"_qs} << u"2024"_qs
                                              << Attesi({});
    }
    void totali()
    {
        QFETCH(QStringList, schede);
        QFETCH(QString, anno);
        QFETCH(QList<double>, attesi);
        ArchivioDiProva::Scrivi(Percorso(), Schede(schede));
        const Totali12 t = TotaliMensili(Percorso(), anno);
        QCOMPARE(QList<double>(t.begin(), t.end()), attesi);
    }

    void importoNonNumerico_nominaLeSchede_data()
    {
        QTest::addColumn<QString>("dovuto");
        QTest::addColumn<QList<qint64>>("attese");
        const QList<qint64> entrambe{1, 4};
        QTest::newRow("empty") << QString() << entrambe;
        QTest::newRow("blanks") << u"   "_qs << entrambe;
        QTest::newRow("letters") << u"dieci"_qs << entrambe;
        QTest::newRow("point as decimal separator") << u"10.20"_qs << entrambe;
        // Only March overflows: December holds a single, finite amount.
        QTest::newRow("sum overflows") << u"1E308"_qs << QList<qint64>{1};
    }
    void importoNonNumerico_nominaLeSchede()
    {
        QFETCH(QString, dovuto);
        QFETCH(QList<qint64>, attese);
        // Every unreadable record of the year is named, in file order, not
        // just the first; records of other years and readable ones are not.
        ArchivioDiProva::Scrivi(Percorso(), Schede({u"15/03/2024|1E308"_qs, u"15/03/2024|"_qs + dovuto,
                                                    u"01/01/2023|abc"_qs, u"02/02/2024|1,00"_qs,
                                                    u"31/12/2024|"_qs + dovuto}));
        try {
            TotaliMensili(Percorso(), u"2024"_qs);
            QFAIL("no failure for an unreadable amount");
        } catch (const ErroreImporto &e) {
            QCOMPARE(e.indici, attese);
        }
    }

    void archivioAssente_vieneCreatoVuoto()
    {
        QTemporaryDir dir;
        const QString percorso = Archivio::Percorso(dir.path());
        const Totali12 t = TotaliMensili(percorso, u"2024"_qs);
        QCOMPARE(QList<double>(t.begin(), t.end()), Attesi({}));
        QVERIFY(QFileInfo(percorso).isFile());
        QCOMPARE(QFileInfo(percorso).size(), 0);
    }

    void archivioIlleggibile_eErrore()
    {
        QTemporaryDir dir;
        // A folder where the archive should be: it can be neither opened nor created.
        QVERIFY(QDir(dir.path()).mkdir(Archivio::NomeFile()));
        QVERIFY_THROWS_EXCEPTION(ErroreArchivio, TotaliMensili(Archivio::Percorso(dir.path()), u"2024"_qs));
    }

    void arrotondaEuro_data()
    {
        QTest::addColumn<double>("somma");
        QTest::addColumn<double>("atteso");
        QTest::newRow("124,49") << 124.49 << 124.0;
        QTest::newRow("124,50") << 124.5 << 125.0;
        QTest::newRow("binary sum just under the half") << 0.01 + 2.01 + 0.48 << 3.0;
        QTest::newRow("-0,5") << -0.5 << 0.0;
        QTest::newRow("-0,51") << -0.51 << -1.0;
    }
    void arrotondaEuro()
    {
        QFETCH(double, somma);
        QFETCH(double, atteso);
        QCOMPARE(ArrotondaEuro(somma), atteso);
    }
};

QTEST_GUILESS_MAIN(TestTotaliMensili)
#include "tst_totali_mensili.moc"
