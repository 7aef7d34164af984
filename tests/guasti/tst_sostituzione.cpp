// The safe replace of a whole file, cut as a crash would cut it at every
// byte written, after every sync and after the rename: the file is then the
// old one or the new one, never a mix, and once the next start has cleaned
// the folder no temporary is left. Failures (a full disk, a failed sync) leave
// the old file and nothing else, and name the step and its errno.
#include "CartellaPiena.h"
#include "FileGuasto.h"
#include "platform/SostituzioneSicura.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Leggi(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Scrivi(const QString &percorso, const QByteArray &dati)
{
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(dati), dati.size());
}

// Everything in the folder but the file itself.
QStringList Altri(const QString &cartella, const QString &nome)
{
    QStringList r = QDir(cartella).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    r.removeAll(nome);
    return r;
}

// The new content written in blocks, so that a cut can fall between writes
// as well as inside one.
bool ScriviABlocchi(int fd, const QByteArray &dati)
{
    ScritturaInCoda coda(fd);
    for (qsizetype i = 0; i < dati.size(); i += 700)
        if (!coda.Scrivi(QByteArrayView(dati).sliced(i, std::min<qsizetype>(700, dati.size() - i))))
            return false;
    return true;
}

// A disk whose sync of the temporary fails.
class SyncTemporaneoFallito : public FileGuasto {
public:
    bool Sincronizza(int fd) override
    {
        if (NomeTemporaneo(QFile::encodeName(QFileInfo(Nome(fd)).fileName()))) {
            errno = EIO;
            return false;
        }
        return FileGuasto::Sincronizza(fd);
    }
};

} // namespace

class TestSostituzione : public QObject {
    Q_OBJECT
private slots:
    void init();
    void taglioAdOgniByte();
    void taglioAdOgniPasso_data();
    void taglioAdOgniPasso();
    void discoPieno();
    void syncFallito();
    void fileNuovoPrivato();
    void collegamentoSostituitoNonSeguito();
    void nomiDeiTemporanei_data();
    void nomiDeiTemporanei();
    void pulizia_soloTemporaneiLiberi();

private:
    QString percorso() const { return m_dir->filePath(QStringLiteral("dati.ini")); }
    // What the next start does, then the check: old or new, and alone.
    void VerificaDopoPulizia(bool nuovo);
    std::unique_ptr<QTemporaryDir> m_dir;
    const QByteArray m_vecchio = QByteArray("[Accesso]\nValore=VECCHIO\n").repeated(40);
    const QByteArray m_nuovo = QByteArray("[Accesso]\nValore=NUOVO!!\n").repeated(70);
};

void TestSostituzione::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    Scrivi(percorso(), m_vecchio);
}

void TestSostituzione::VerificaDopoPulizia(bool nuovo)
{
    PulisciTemporanei(m_dir->path());
    QCOMPARE(Leggi(percorso()), nuovo ? m_nuovo : m_vecchio);
    QCOMPARE(Altri(m_dir->path(), QStringLiteral("dati.ini")), QStringList());
}

void TestSostituzione::taglioAdOgniByte()
{
    for (qint64 n = 0; n <= m_nuovo.size(); ++n) {
        Scrivi(percorso(), m_vecchio);
        bool tagliata = false;
        {
            FileGuasto io;
            io.byteConcessi = n;
            try {
                QVERIFY(SostituisciFile(percorso(), [this](int fd) { return ScriviABlocchi(fd, m_nuovo); }));
            } catch (const Interruzione &) {
                tagliata = true;
            }
            // Until the rename the name holds the old file whole.
            if (tagliata)
                QCOMPARE(Leggi(percorso()), m_vecchio);
        }
        QCOMPARE(tagliata, n < m_nuovo.size());
        VerificaDopoPulizia(!tagliata);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("cut after %1 bytes").arg(n)));
    }
}

void TestSostituzione::taglioAdOgniPasso_data()
{
    QTest::addColumn<int>("sync");
    QTest::addColumn<bool>("rinomina");
    QTest::addColumn<bool>("nuovo");
    QTest::newRow("dopo il sync del temporaneo") << 1 << false << false;
    QTest::newRow("dopo la ridenominazione") << -1 << true << true;
    QTest::newRow("dopo il sync della cartella") << 2 << false << true;
}

void TestSostituzione::taglioAdOgniPasso()
{
    QFETCH(int, sync);
    QFETCH(bool, rinomina);
    QFETCH(bool, nuovo);
    {
        FileGuasto io;
        io.taglioDopoSync = sync;
        io.taglioDopoRinomina = rinomina;
        QVERIFY_THROWS_EXCEPTION(Interruzione, SostituisciFile(percorso(), m_nuovo));
    }
    VerificaDopoPulizia(nuovo);
}

void TestSostituzione::discoPieno()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Registro_Spese.xls"));
    CartellaPiena piena(dir.path());
    const QByteArray vecchio(20 * 1024, 'v');
    Scrivi(file, vecchio);
    const EsitoSostituzione e = SostituisciFile(file, QByteArray(200 * 1024, 'n'));
    QVERIFY(!e);
    QVERIFY(!e.sostituito);
    QCOMPARE(e.errore, piena.Montata() ? ENOSPC : EFBIG);
    QCOMPARE(e.passo, QStringLiteral("scrittura"));
    QCOMPARE(Leggi(file), vecchio);
    QCOMPARE(Altri(dir.path(), QStringLiteral("Registro_Spese.xls")), QStringList());
}

void TestSostituzione::syncFallito()
{
    {
        SyncTemporaneoFallito io;
        const EsitoSostituzione e = SostituisciFile(percorso(), m_nuovo);
        QVERIFY(!e);
        QCOMPARE(e.errore, EIO);
        QCOMPARE(e.passo, QStringLiteral("sincronizzazione"));
        QCOMPARE(Leggi(percorso()), m_vecchio);
        QCOMPARE(Altri(m_dir->path(), QStringLiteral("dati.ini")), QStringList());
    }
    // The folder's sync failing comes after the rename: the file is new, and
    // the outcome says that it is there but not confirmed.
    FileGuasto io;
    io.syncFallito = QFileInfo(m_dir->path()).fileName();
    io.syncDaFallire = 1;
    const EsitoSostituzione e = SostituisciFile(percorso(), m_nuovo);
    QVERIFY(!e);
    QVERIFY(e.sostituito);
    QCOMPARE(e.passo, QStringLiteral("sincronizzazione della cartella"));
    QCOMPARE(Leggi(percorso()), m_nuovo);
}

void TestSostituzione::fileNuovoPrivato()
{
    const mode_t prima = ::umask(022);
    QVERIFY(QFile::setPermissions(percorso(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                  | QFile::ReadOther));
    const QString nuovo = m_dir->filePath(QStringLiteral("nuovo.pro"));
    const bool ok1 = bool(SostituisciFile(percorso(), m_nuovo));
    const bool ok2 = bool(SostituisciFile(nuovo, m_nuovo));
    ::umask(prima);
    QVERIFY(ok1 && ok2);
    for (const QString &f : {percorso(), nuovo}) {
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(f).constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0600));
    }
}

void TestSostituzione::collegamentoSostituitoNonSeguito()
{
    QTemporaryDir fuori;
    const QString bersaglio = fuori.filePath(QStringLiteral("bersaglio"));
    Scrivi(bersaglio, "fuori");
    QVERIFY(QFile::remove(percorso()));
    QVERIFY(QFile::link(bersaglio, percorso()));
    QVERIFY(SostituisciFile(percorso(), m_nuovo));
    QVERIFY(!QFileInfo(percorso()).isSymLink());
    QCOMPARE(Leggi(percorso()), m_nuovo);
    QCOMPARE(Leggi(bersaglio), QByteArray("fuori"));
}

void TestSostituzione::nomiDeiTemporanei_data()
{
    QTest::addColumn<QByteArray>("nome");
    QTest::addColumn<bool>("temporaneo");
    QTest::newRow("archivio") << QByteArray(".Operazioni_Pagamenti.pro.valmora-a1B2c3.tmp") << true;
    QTest::newRow("store") << QByteArray(".unins000.dll.valmora-zzzzzz.tmp") << true;
    QTest::newRow("il file stesso") << QByteArray("unins000.dll") << false;
    QTest::newRow("una copia dell'utente") << QByteArray("unins000.dll.backup") << false;
    QTest::newRow("senza punto iniziale") << QByteArray("x.valmora-a1B2c3.tmp") << false;
    QTest::newRow("cinque caratteri") << QByteArray(".x.valmora-a1B2c.tmp") << false;
    QTest::newRow("sette caratteri") << QByteArray(".x.valmora-a1B2c3d.tmp") << false;
    QTest::newRow("simbolo") << QByteArray(".x.valmora-a1B2c-.tmp") << false;
    QTest::newRow("coda diversa") << QByteArray(".x.valmora-a1B2c3.tmp~") << false;
    QTest::newRow("senza radice") << QByteArray("..valmora-a1B2c3.tmp") << false;
}

void TestSostituzione::nomiDeiTemporanei()
{
    QFETCH(QByteArray, nome);
    QFETCH(bool, temporaneo);
    QCOMPARE(NomeTemporaneo(nome), temporaneo);
}

void TestSostituzione::pulizia_soloTemporaneiLiberi()
{
    const QDir d(m_dir->path());
    const QString lasciato = d.filePath(QStringLiteral(".dati.ini.valmora-Ab12Cd.tmp"));
    const QString inUso = d.filePath(QStringLiteral(".dati.ini.valmora-Zz99Yy.tmp"));
    const QString vecchioTipo = d.filePath(QStringLiteral("vecchio.tmp"));
    const QStringList estranei = {d.filePath(QStringLiteral("dati.ini.valmora-Ab12Cd.tmp")),
                                  d.filePath(QStringLiteral(".dati.ini.valmora-Ab12Cd.tmp.mio")),
                                  d.filePath(QStringLiteral("dati.ini.bak"))};
    for (const QString &f : QStringList{lasciato, inUso, vecchioTipo} + estranei)
        Scrivi(f, "x");
    // A link named as a temporary is neither followed nor removed.
    QTemporaryDir fuori;
    const QString bersaglio = fuori.filePath(QStringLiteral("bersaglio"));
    Scrivi(bersaglio, "fuori");
    const QString collegamento = d.filePath(QStringLiteral(".link.valmora-Qq11Ww.tmp"));
    QVERIFY(QFile::link(bersaglio, collegamento));
    // A copy of the program is still filling this one.
    const int fd = ::open(QFile::encodeName(inUso).constData(), O_RDONLY | O_CLOEXEC);
    QVERIFY(fd >= 0);
    QCOMPARE(::flock(fd, LOCK_EX), 0);

    const int rimossi = PulisciTemporanei(d.path(), [](QByteArrayView n) { return n == "vecchio.tmp"; });
    ::close(fd);
    QCOMPARE(rimossi, 2);
    QVERIFY(!QFileInfo::exists(lasciato));
    QVERIFY(!QFileInfo::exists(vecchioTipo));
    QVERIFY(QFileInfo::exists(inUso));
    for (const QString &f : estranei)
        QVERIFY2(QFileInfo::exists(f), qPrintable(f));
    QVERIFY(QFileInfo(collegamento).isSymLink());
    QCOMPARE(Leggi(bersaglio), QByteArray("fuori"));
    QCOMPARE(Leggi(percorso()), m_vecchio);
    QCOMPARE(PulisciTemporanei(d.filePath(QStringLiteral("manca"))), 0);
}

QTEST_GUILESS_MAIN(TestSostituzione)
#include "tst_sostituzione.moc"
