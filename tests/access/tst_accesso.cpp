#include "access/Accesso.h"
#include "access/Crypt.h"
#include "SolaLettura.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <chrono>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    void scrittura_soloIlValoreCambia_data();
    void scrittura_soloIlValoreCambia();
    void scrittura_storeResoPrivato();
    void scrittura_collegamentoRestaCollegamento();
    void nonFileRegolare_rifiutatoSubito_data();
    void nonFileRegolare_rifiutatoSubito();
    void scrittura_rifiutataLasciaIntattoIlFile_data();
    void scrittura_rifiutataLasciaIntattoIlFile();
    void scrittura_nonCreaLArchivio();
    void scrittura_archivioNonScrivibile_data();
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
    // Not an empty password that refuses everything silently: the store is
    // named as missing, and nothing is created in its place.
    QVERIFY_THROWS_EXCEPTION(Accesso::StoreNonValido, Accesso::LeggiPassword(m_percorso));
    QVERIFY_THROWS_EXCEPTION(Accesso::StoreNonValido, Accesso::Verifica(m_percorso, u"VALMORA2026"_qs));
    QVERIFY_THROWS_EXCEPTION(Accesso::StoreNonValido, Accesso::Verifica(m_percorso, QString()));
    QVERIFY(!QFile::exists(m_percorso));
}

void TestAccesso::lettura_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<bool>("errore");
    QTest::addColumn<QString>("atteso");
    const QByteArray abc = Crypt::CodificaPassword(u"ABC"_qs).toLatin1();
    QTest::newRow("chiave mancante") << QByteArray("[Altro]\nValore=00\n") << true << QString();
    QTest::newRow("valore vuoto") << QByteArray("[Accesso]\nValore=\n") << true << QString();
    QTest::newRow("file vuoto") << QByteArray() << true << QString();
    QTest::newRow("cifre minuscole") << ("[Accesso]\nValore=" + abc.toLower() + "\n") << false << u"ABC"_qs;
    QTest::newRow("lunghezza dispari") << ("[Accesso]\nValore=" + abc + "F\n") << false << u"ABC"_qs;
    QTest::newRow("memorizzata con spazi")
        << Store(u"  ABC \t"_qs) << false << u"ABC"_qs;
    QTest::newRow("coppia non esadecimale")
        << ("[Accesso]\nValore=" + abc.left(2) + "ZZ" + abc.mid(4) + "\n") << true << QString();
    QTest::newRow("virgola nel valore") << QByteArray("[Accesso]\nValore=0C,4A\n") << true << QString();
    QTest::newRow("byte-order mark UTF-8") << ("\xEF\xBB\xBF[Accesso]\r\nValore=" + abc + "\r\n") << false
                                            << u"ABC"_qs;
    QTest::newRow("CR soli, spazi e maiuscole diverse")
        << ("[ accesso ]\r; nota\r  VALORE =  " + abc + "  \r") << false << u"ABC"_qs;
    QTest::newRow("fra virgolette") << ("[Accesso]\nValore=\"" + abc + "\"\n") << false << u"ABC"_qs;
    QTest::newRow("commento non e' chiave")
        << ("[Accesso]\n;Valore=00\n#Valore=00\nValore=" + abc + "\n") << false << u"ABC"_qs;
    QTest::newRow("conta la prima sezione con la chiave")
        << ("[Accesso]\nUtente=casa\n[Altro]\nValore=00\n[Accesso]\nValore=" + abc + "\nValore=00\n")
        << false << u"ABC"_qs;
}

void TestAccesso::lettura()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(bool, errore);
    QFETCH(QString, atteso);
    Scrivi(contenuto);
    if (errore) {
        QVERIFY_THROWS_EXCEPTION(Accesso::StoreNonValido, Accesso::LeggiPassword(m_percorso));
        QVERIFY_THROWS_EXCEPTION(Accesso::StoreNonValido, Accesso::Verifica(m_percorso, u"ABC"_qs));
        QCOMPARE(Contenuto(), contenuto); // reading never repairs or rewrites
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

void TestAccesso::scrittura_soloIlValoreCambia_data()
{
    // Each store is the bytes before the value, the value, the bytes after.
    QTest::addColumn<QByteArray>("prima");
    QTest::addColumn<QByteArray>("dopo");
    QTest::newRow("commenti, CRLF, percorso con barre inverse, altra sezione")
        << QByteArray("; Valmora: archivio della password\r\n"
                      "[Installazione]\r\n"
                      "Cartella=C:\\Programmi\\Valmora\\\r\n"
                      "Rete=\\\\server\\condivisa\r\n"
                      "\r\n"
                      "[Accesso]\r\n"
                      "# non toccare\r\n"
                      "Utente = casa\r\n"
                      "Valore=")
        << QByteArray("\r\n"
                      "\r\n"
                      "[Altro]\r\n"
                      "Valore=00\r\n"
                      "Chiave con spazi=a;b,c \"d\"\r\n");
    QTest::newRow("byte-order mark UTF-8") << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=") << QByteArray("\r\n");
    QTest::newRow("spazi, virgolette, nessun a capo finale")
        << QByteArray("[ ACCESSO ]\n\tvalore =  \"") << QByteArray("\"  ");
    QTest::newRow("CR soli") << QByteArray("[Accesso]\rValore=") << QByteArray("\r[Altro]\rX=1\r");
}

void TestAccesso::scrittura_soloIlValoreCambia()
{
    QFETCH(QByteArray, prima);
    QFETCH(QByteArray, dopo);
    Scrivi(prima + Crypt::CodificaPassword(u"ABC"_qs).toLatin1() + dopo);
    Accesso::ScriviPassword(m_percorso, u"nuova\\Casa"_qs);
    QCOMPARE(Contenuto(), prima + Crypt::CodificaPassword(u"NUOVA\\CASA"_qs).toLatin1() + dopo);
    QCOMPARE(Accesso::LeggiPassword(m_percorso), u"NUOVA\\CASA"_qs);
    // No temporary file is left beside it.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{Accesso::NomeArchivio.toString()});
}

void TestAccesso::scrittura_storeResoPrivato()
{
    // A store others could read becomes private: only its owner reads the
    // scrambled password.
    Scrivi(Store(u"ABC"_qs));
    const auto permessi = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    QVERIFY(QFile::setPermissions(m_percorso, permessi | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    Accesso::ScriviPassword(m_percorso, u"xyz"_qs);
    QCOMPARE(QFile::permissions(m_percorso) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), permessi);
    QCOMPARE(Accesso::LeggiPassword(m_percorso), u"XYZ"_qs);
}

void TestAccesso::scrittura_collegamentoRestaCollegamento()
{
    const QString vero = QDir(m_dir->path()).filePath(u"vero.ini"_qs);
    {
        QFile f(vero);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(Store(u"ABC"_qs));
    }
    QVERIFY(QFile::link(vero, m_percorso));
    Accesso::ScriviPassword(m_percorso, u"xyz"_qs);
    QVERIFY(QFileInfo(m_percorso).isSymLink());
    QCOMPARE(Accesso::LeggiPassword(vero), u"XYZ"_qs);
}

void TestAccesso::nonFileRegolare_rifiutatoSubito_data()
{
    QTest::addColumn<QString>("genere");
    QTest::newRow("FIFO") << u"fifo"_qs;
    QTest::newRow("cartella") << u"cartella"_qs;
    QTest::newRow("dispositivo") << u"dispositivo"_qs;
}

void TestAccesso::nonFileRegolare_rifiutatoSubito()
{
    QFETCH(QString, genere);
    const QByteArray nome = QFile::encodeName(m_percorso);
    if (genere == u"fifo")
        QCOMPARE(::mkfifo(nome.constData(), 0600), 0);
    else if (genere == u"cartella")
        QVERIFY(QDir().mkdir(m_percorso));
    else
        QVERIFY(QFile::link(u"/dev/zero"_qs, m_percorso)); // would never end if read

    // In a thread of its own: a read that waits on the FIFO must fail the
    // test, not hang it.
    auto esito = std::async(std::launch::async, [this] {
        int rifiuti = 0;
        try {
            Accesso::LeggiPassword(m_percorso);
        } catch (const Accesso::StoreNonValido &) {
            ++rifiuti;
        }
        try {
            Accesso::ScriviPassword(m_percorso, u"xyz"_qs);
        } catch (const Accesso::StoreNonValido &) {
            ++rifiuti;
        }
        return rifiuti;
    });
    if (esito.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // Free the waiting reader before failing.
        const int fd = ::open(nome.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        QFAIL("the store was waited on");
    }
    QCOMPARE(esito.get(), 2);
    QVERIFY(!QFileInfo(m_percorso).isFile());
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
    QVERIFY_THROWS_EXCEPTION(Accesso::StoreNonValido, Accesso::ScriviPassword(m_percorso, u"abc"_qs));
    QVERIFY(!QFile::exists(m_percorso));
}

void TestAccesso::scrittura_archivioNonScrivibile_data()
{
    QTest::addColumn<bool>("cartella");
    QTest::newRow("file di sola lettura") << false;
    // The store itself writable, but no new file can be made beside it.
    QTest::newRow("cartella di sola lettura") << true;
}

void TestAccesso::scrittura_archivioNonScrivibile()
{
    QFETCH(bool, cartella);
    const QByteArray prima = Store(u"ABC"_qs);
    Scrivi(prima);
    SolaLettura blocco(cartella ? m_dir->path() : m_percorso);
    if (!blocco.Riuscita())
        QSKIP("this file system cannot make a file read-only");
    QVERIFY_THROWS_EXCEPTION(Accesso::ErroreAccesso, Accesso::ScriviPassword(m_percorso, u"xyz"_qs));
    QCOMPARE(Contenuto(), prima);
    QCOMPARE(Accesso::LeggiPassword(m_percorso), u"ABC"_qs);
    // No half-made copy left beside the store.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QFileInfo(m_percorso).fileName()});
}

QTEST_GUILESS_MAIN(TestAccesso)
#include "tst_accesso.moc"
