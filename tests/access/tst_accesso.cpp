#include "access/Accesso.h"
#include "access/Crypt.h"
#include "SolaLettura.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using Accesso::Ammissibilita;

class TestAccesso : public QObject {
    Q_OBJECT
private slots:
    void init();

    void formaNormale_data();
    void formaNormale();
    void verifica_data();
    void verifica();
    void archivioMancanteRifiutaTutto();
    void lettura_data();
    void lettura();
    void controlla_data();
    void controlla();
    void scrittura_cambiaLaPasswordInVigore();
    void scrittura_conservaLeAltreChiavi();
    void scrittura_rifiutataLasciaIntattoIlFile_data();
    void scrittura_rifiutataLasciaIntattoIlFile();
    void scrittura_nonCreaLArchivio();
    void scrittura_archivioNonScrivibile();

private:
    QString Scrivi(const QByteArray &contenuto);
    QByteArray Contenuto() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_percorso;
};

void TestAccesso::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_percorso = Accesso::Percorso(m_dir->path());
}

QString TestAccesso::Scrivi(const QByteArray &contenuto)
{
    QFile f(m_percorso);
    if (!f.open(QIODevice::WriteOnly) || f.write(contenuto) != contenuto.size())
        qFatal("cannot write the fixture");
    return m_percorso;
}

QByteArray TestAccesso::Contenuto() const
{
    QFile f(m_percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

static QByteArray Store(const QString &password)
{
    return "[Accesso]\nValore=" + Crypt::CodificaPassword(password).toLatin1() + "\n";
}

void TestAccesso::formaNormale_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("minuscole") << u"valmora2026"_qs << u"VALMORA2026"_qs;
    QTest::newRow("spazi e controlli ai lati") << u" \t abc\x01 \r\n"_qs << u"ABC"_qs;
    QTest::newRow("spazio interno resta") << u"a b"_qs << u"A B"_qs;
    QTest::newRow("accentate intatte") << u"caffè città"_qs << u"CAFFè CITTà"_qs;
    QTest::newRow("solo spazi") << u"   "_qs << QString();
}

void TestAccesso::formaNormale()
{
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    QCOMPARE(Accesso::FormaNormale(testo), atteso);
}

void TestAccesso::verifica_data()
{
    QTest::addColumn<QString>("memorizzata");
    QTest::addColumn<QString>("digitata");
    QTest::addColumn<bool>("accettata");
    const QString iniziale = QString::fromUtf16(Crypt::PasswordIniziale);
    QTest::newRow("iniziale esatta") << iniziale << u"VALMORA2026"_qs << true;
    QTest::newRow("iniziale minuscola") << iniziale << u"valmora2026"_qs << true;
    QTest::newRow("iniziale mista") << iniziale << u"ValMora2026"_qs << true;
    QTest::newRow("spazi ai lati") << iniziale << u"  valmora2026\t"_qs << true;
    QTest::newRow("spazio interno") << iniziale << u"VALMORA 2026"_qs << false;
    QTest::newRow("errata") << iniziale << u"VALMORA2025"_qs << false;
    QTest::newRow("prefisso") << iniziale << u"VALMORA"_qs << false;
    QTest::newRow("accentata uguale") << u"CAFÈ"_qs << u"cafÈ"_qs << true;
    QTest::newRow("accentata minuscola") << u"CAFÈ"_qs << u"CAFè"_qs << false;
    QTest::newRow("vuota") << iniziale << QString() << false;
    QTest::newRow("oltre U+00FF") << u"AB"_qs << QString(QChar(0x141)) + u"B"_qs << false;
}

void TestAccesso::verifica()
{
    QFETCH(QString, memorizzata);
    QFETCH(QString, digitata);
    QFETCH(bool, accettata);
    Scrivi(Store(memorizzata));
    QCOMPARE(Accesso::Verifica(m_percorso, digitata), accettata);
}

void TestAccesso::archivioMancanteRifiutaTutto()
{
    QCOMPARE(Accesso::LeggiPassword(m_percorso), QString());
    QVERIFY(!Accesso::Verifica(m_percorso, u"VALMORA2026"_qs));
    QVERIFY(!Accesso::Verifica(m_percorso, QString()));
    QVERIFY(!Accesso::Verifica(m_percorso, u"   "_qs));
    QVERIFY(!QFile::exists(m_percorso));
}

void TestAccesso::lettura_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<bool>("errore");
    QTest::addColumn<QString>("atteso");
    const QByteArray abc = Crypt::CodificaPassword(u"ABC"_qs).toLatin1();
    QTest::newRow("chiave mancante") << QByteArray("[Altro]\nValore=00\n") << false << QString();
    QTest::newRow("valore vuoto") << QByteArray("[Accesso]\nValore=\n") << false << QString();
    QTest::newRow("cifre minuscole") << ("[Accesso]\nValore=" + abc.toLower() + "\n") << false << u"ABC"_qs;
    QTest::newRow("lunghezza dispari") << ("[Accesso]\nValore=" + abc + "F\n") << false << u"ABC"_qs;
    QTest::newRow("memorizzata con spazi")
        << Store(u"  ABC \t"_qs) << false << u"ABC"_qs;
    QTest::newRow("coppia non esadecimale")
        << ("[Accesso]\nValore=" + abc.left(2) + "ZZ" + abc.mid(4) + "\n") << true << QString();
    QTest::newRow("virgola nel valore") << QByteArray("[Accesso]\nValore=0C,4A\n") << true << QString();
}

void TestAccesso::lettura()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(bool, errore);
    QFETCH(QString, atteso);
    Scrivi(contenuto);
    if (errore) {
        QVERIFY_THROWS_EXCEPTION(Accesso::ErroreAccesso, Accesso::LeggiPassword(m_percorso));
        QVERIFY_THROWS_EXCEPTION(Accesso::ErroreAccesso, Accesso::Verifica(m_percorso, u"ABC"_qs));
    } else {
        QCOMPARE(Accesso::LeggiPassword(m_percorso), atteso);
    }
}

void TestAccesso::controlla_data()
{
    QTest::addColumn<QString>("nuova");
    QTest::addColumn<Ammissibilita>("atteso");
    QTest::newRow("un carattere") << u"x"_qs << Ammissibilita::Ammessa;
    QTest::newRow("255 caratteri") << QString(255, u'a') << Ammissibilita::Ammessa;
    QTest::newRow("255 caratteri fra spazi") << u"  "_qs + QString(255, u'a') + u" "_qs
                                             << Ammissibilita::Ammessa;
    QTest::newRow("256 caratteri") << QString(256, u'a') << Ammissibilita::TroppoLunga;
    QTest::newRow("U+00FF") << u"ÿÿ"_qs << Ammissibilita::Ammessa;
    QTest::newRow("U+0100") << QString(QChar(0x100)) << Ammissibilita::CaratteriNonAmmessi;
    QTest::newRow("euro") << u"prezzo€"_qs << Ammissibilita::CaratteriNonAmmessi;
    QTest::newRow("solo spazi") << u" \t "_qs << Ammissibilita::Vuota;
}

void TestAccesso::controlla()
{
    QFETCH(QString, nuova);
    QFETCH(Ammissibilita, atteso);
    QCOMPARE(Accesso::Controlla(nuova), atteso);
}

void TestAccesso::scrittura_cambiaLaPasswordInVigore()
{
    Scrivi(Store(QString::fromUtf16(Crypt::PasswordIniziale)));
    Accesso::ScriviPassword(m_percorso, u"  nuovaÀ1 "_qs);
    QCOMPARE(Accesso::LeggiPassword(m_percorso), u"NUOVAÀ1"_qs);
    QVERIFY(!Accesso::Verifica(m_percorso, u"valmora2026"_qs));
    QVERIFY(Accesso::Verifica(m_percorso, u"nuovaÀ1"_qs));
    QVERIFY(Accesso::Verifica(m_percorso, u"NuOvAÀ1"_qs));
    QSettings ini(m_percorso, QSettings::IniFormat);
    QCOMPARE(ini.value(u"Accesso/Valore"_qs).toString(), Crypt::CodificaPassword(u"NUOVAÀ1"_qs));
}

void TestAccesso::scrittura_conservaLeAltreChiavi()
{
    Scrivi("[Installazione]\nVersione=1.0\nCartella=/opt/valmora\n\n"
           "[Accesso]\nUtente=casa\nValore=" + Crypt::CodificaPassword(u"ABC"_qs).toLatin1() + "\n");
    Accesso::ScriviPassword(m_percorso, u"xyz"_qs);
    QSettings ini(m_percorso, QSettings::IniFormat);
    QCOMPARE(ini.value(u"Installazione/Versione"_qs).toString(), u"1.0"_qs);
    QCOMPARE(ini.value(u"Installazione/Cartella"_qs).toString(), u"/opt/valmora"_qs);
    QCOMPARE(ini.value(u"Accesso/Utente"_qs).toString(), u"casa"_qs);
    QCOMPARE(Accesso::LeggiPassword(m_percorso), u"XYZ"_qs);
}

void TestAccesso::scrittura_rifiutataLasciaIntattoIlFile_data()
{
    QTest::addColumn<QString>("nuova");
    QTest::newRow("256 caratteri") << QString(256, u'a');
    QTest::newRow("oltre U+00FF") << u"casa€"_qs;
    QTest::newRow("solo spazi") << u"   "_qs;
}

void TestAccesso::scrittura_rifiutataLasciaIntattoIlFile()
{
    QFETCH(QString, nuova);
    const QByteArray prima = Store(u"ABC"_qs);
    Scrivi(prima);
    QVERIFY_THROWS_EXCEPTION(Accesso::ErroreAccesso, Accesso::ScriviPassword(m_percorso, nuova));
    QCOMPARE(Contenuto(), prima);
}

void TestAccesso::scrittura_nonCreaLArchivio()
{
    QVERIFY_THROWS_EXCEPTION(Accesso::ErroreAccesso, Accesso::ScriviPassword(m_percorso, u"abc"_qs));
    QVERIFY(!QFile::exists(m_percorso));
}

void TestAccesso::scrittura_archivioNonScrivibile()
{
    const QByteArray prima = Store(u"ABC"_qs);
    Scrivi(prima);
    SolaLettura blocco(m_percorso);
    if (!blocco.Riuscita())
        QSKIP("this file system cannot make a file read-only");
    QVERIFY_THROWS_EXCEPTION(Accesso::ErroreAccesso, Accesso::ScriviPassword(m_percorso, u"xyz"_qs));
    QCOMPARE(Contenuto(), prima);
    QCOMPARE(Accesso::LeggiPassword(m_percorso), u"ABC"_qs);
}

QTEST_GUILESS_MAIN(TestAccesso)
#include "tst_accesso.moc"
