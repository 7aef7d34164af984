// What a killed writer leaves behind is removed by the next start, as the
// program runs it before any screen: each kind of temporary the program makes
// (and those older versions made), in the folder where it makes them. A file
// of a similar name that is not one, and a temporary a running copy is still
// filling, are kept; the start says nothing of either.
#include "FakeDesktop.h"
#include "Programma.h"

#include "access/Crypt.h"
#include "register/Allegati.h"
#include "register/CopieGiornaliere.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

class TestPuliziaAvvio : public QObject {
    Q_OBJECT
private slots:
    void avvio_data();
    void avvio();
    void avvio_tuttiInsieme();
};

void TestPuliziaAvvio::avvio_data()
{
    QTest::addColumn<QString>("sottocartella"); // inside the program folder; empty for the folder itself
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("rimosso");
    QTest::addColumn<bool>("tenuto"); // locked by a copy of the program still writing it

    const QString allegati = Allegati::NomeCartella();
    const QString copie = CopieGiornaliere::NomeCartella();
    // What the safe replace leaves when killed, by what it was replacing.
    QTest::newRow("store con la nuova password") << "" << ".unins000.dll.valmora-Ab12Cd.tmp" << true << false;
    QTest::newRow("archivio di un'eliminazione") << "" << ".Operazioni_Pagamenti.pro.valmora-x9Y8z7.tmp" << true
                                                 << false;
    QTest::newRow("schede eliminate") << "" << ".Schede_Eliminate.pro.valmora-000aaa.tmp" << true << false;
    QTest::newRow("esportazione") << "" << ".Registro_Spese.xls.valmora-Qw12Er.tmp" << true << false;
    QTest::newRow("allegato") << allegati << ".fattura.pdf.valmora-aB3dE5.tmp" << true << false;
    QTest::newRow("copia del giorno") << copie << ".Operazioni_Pagamenti-20240315.pro.valmora-ZZ11yy.tmp" << true
                                      << false;
    QTest::newRow("copia tenuta da un ripristino")
        << copie << ".Operazioni_Pagamenti-20240315-103000.pro.valmora-Mn34Op.tmp" << true << false;
    // What older versions left.
    QTest::newRow("store, versione precedente") << "" << "unins000.dll.Xk3pQz" << true << false;
    QTest::newRow("store, versione precedente, cifre") << "" << "unins000.dll.a1B2c3" << true << false;
    QTest::newRow("allegato, versione precedente") << allegati << ".valmora-0123abcd.tmp" << true << false;
    QTest::newRow("copia del giorno, versione precedente") << copie << "Operazioni_Pagamenti-20240314.pro.tmp"
                                                          << true << false;
    // A running copy is still filling it.
    QTest::newRow("store in scrittura") << "" << ".unins000.dll.valmora-Ab12Cd.tmp" << false << true;
    QTest::newRow("allegato in scrittura") << allegati << ".fattura.pdf.valmora-aB3dE5.tmp" << false << true;
    QTest::newRow("copia in scrittura") << copie << ".Operazioni_Pagamenti-20240315.pro.valmora-ZZ11yy.tmp"
                                        << false << true;
    // Names a person or another program gives.
    QTest::newRow("copia dello store dell'utente") << "" << "unins000.dll.backup" << false << false;
    QTest::newRow("copia dello store, iniziale maiuscola") << "" << "unins000.dll.Copia1" << false << false;
    QTest::newRow("copia dello store, maiuscole") << "" << "unins000.dll.BACKUP" << false << false;
    QTest::newRow("copia dello store, sette caratteri") << "" << "unins000.dll.Xk3pQzW" << false << false;
    QTest::newRow("senza il punto iniziale") << "" << "unins000.dll.valmora-Ab12Cd.tmp" << false << false;
    QTest::newRow("coda aggiunta") << "" << ".Registro_Spese.xls.valmora-Qw12Er.tmp.mio" << false << false;
    QTest::newRow("file dell'utente in .tmp") << "" << "Registro_Spese.xls.tmp" << false << false;
    QTest::newRow("allegato dell'utente") << allegati << "valmora-0123abcd.tmp" << false << false;
    QTest::newRow("allegato con nome simile") << allegati << ".valmora-0123abcd.tmp.pdf" << false << false;
    QTest::newRow("copia rinominata dall'utente") << copie << "Operazioni_Pagamenti-20240314.pro.tmp.bak" << false
                                                  << false;
    // A kind of temporary is removed only in the folder where it is made.
    QTest::newRow("temporaneo di copia fuori da Backup") << "" << "Operazioni_Pagamenti-20240314.pro.tmp" << false
                                                         << false;
    QTest::newRow("temporaneo di allegato fuori dagli allegati") << "" << ".valmora-0123abcd.tmp" << false
                                                                 << false;
}

void TestPuliziaAvvio::avvio()
{
    QFETCH(QString, sottocartella);
    QFETCH(QString, nome);
    QFETCH(bool, rimosso);
    QFETCH(bool, tenuto);
    FakeDesktopInstallato desk;
    const QDir cartella(QDir(desk.cartella.path()).filePath(sottocartella));
    QVERIFY(QDir().mkpath(cartella.path()));
    const QString piantato = cartella.filePath(nome);
    {
        QFile f(piantato);
        QVERIFY(f.open(QIODevice::WriteOnly));
        // As a killed password change leaves it: the store with the new
        // password, scrambled.
        f.write("[Accesso]\r\nValore=" + Crypt::CodificaPassword(QStringLiteral("NUOVA")).toLatin1() + "\r\n");
    }
    int fd = -1;
    if (tenuto) {
        fd = ::open(QFile::encodeName(piantato).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(fd >= 0);
        QCOMPARE(::flock(fd, LOCK_EX), 0);
    }

    Programma::PreparaCartellaProgramma();
    if (fd >= 0)
        ::close(fd);
    QCOMPARE(QFile::exists(piantato), !rimosso);
    QVERIFY2(desk.messaggi.isEmpty(), qPrintable(desk.ultimoTesto()));
}

void TestPuliziaAvvio::avvio_tuttiInsieme()
{
    // A folder as a crash leaves it, with the register's own files: only the
    // leftovers go, and the store, archive, copies and attachments stay whole.
    FakeDesktopInstallato desk;
    const QDir d(desk.cartella.path());
    const QDir allegati(d.filePath(Allegati::NomeCartella()));
    const QDir copie(CopieGiornaliere::Cartella(d.path()));
    QVERIFY(QDir().mkpath(allegati.path()) && QDir().mkpath(copie.path()));
    const QStringList propri = {d.filePath(QStringLiteral("unins000.dll")),
                                d.filePath(QStringLiteral("Operazioni_Pagamenti.pro")),
                                d.filePath(QStringLiteral("Registro_Spese.xls")),
                                allegati.filePath(QStringLiteral("fattura.pdf")),
                                copie.filePath(QStringLiteral("Operazioni_Pagamenti-20240314.pro"))};
    const QStringList avanzi = {d.filePath(QStringLiteral(".unins000.dll.valmora-Ab12Cd.tmp")),
                                d.filePath(QStringLiteral("unins000.dll.Xk3pQz")),
                                allegati.filePath(QStringLiteral(".fattura.pdf.valmora-aB3dE5.tmp")),
                                copie.filePath(QStringLiteral(".Operazioni_Pagamenti-20240315.pro.valmora-ZZ11yy.tmp"))};
    for (const QString &f : propri + avanzi) {
        QFile file(f);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QFile::encodeName(QFileInfo(f).fileName()));
    }
    Programma::PreparaCartellaProgramma();
    for (const QString &f : avanzi)
        QVERIFY2(!QFile::exists(f), qPrintable(f));
    for (const QString &f : propri) {
        QFile file(f);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(f));
        QCOMPARE(file.readAll(), QFile::encodeName(QFileInfo(f).fileName()));
    }
    QVERIFY2(desk.messaggi.isEmpty(), qPrintable(desk.ultimoTesto()));
}

QTEST_MAIN(TestPuliziaAvvio)
#include "tst_pulizia_avvio.moc"
