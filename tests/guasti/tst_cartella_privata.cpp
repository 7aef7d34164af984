// A private register: under the usual umask 022 every file the program
// creates is 0600 and every folder 0700, and an attached file is never made
// readable by more than the file picked. And a full disk is named as such:
// a save or an append that finds no room reports ENOSPC and the bytes it
// needed, with nothing lost.
#include "ArchivioDiProva.h"
#include "CartellaPiena.h"
#include "access/Accesso.h"
#include "access/Crypt.h"
#include "output/DocumentoExcel.h"
#include "platform/SpazioDisco.h"
#include "register/Allegati.h"
#include "register/Archivio.h"
#include "register/CopieGiornaliere.h"
#include "register/PreparazioneCartella.h"
#include "register/Salvataggio.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

mode_t Modo(const QString &percorso)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(percorso).constData(), &st) != 0)
        return mode_t(-1);
    return st.st_mode & 07777;
}

void Scrivi(const QString &percorso, const QByteArray &dati, mode_t modo)
{
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(dati);
    f.close();
    QCOMPARE(::chmod(QFile::encodeName(percorso).constData(), modo), 0);
}

} // namespace

class TestCartellaPrivata : public QObject {
    Q_OBJECT
private slots:
    void init() { m_umask = ::umask(022); }
    void cleanup() { ::umask(m_umask); }
    void fileEDCartelleDelProgramma();
    void allegato_maiAllargato_data();
    void allegato_maiAllargato();
    void discoPieno_salvataggioEAccodamento_data();
    void discoPieno_salvataggioEAccodamento();
    void misura();

private:
    mode_t m_umask = 022;
};

void TestCartellaPrivata::fileEDCartelleDelProgramma()
{
    QTemporaryDir dir;
    const QDir d(dir.path());
    // The archive, created by the first save, and the day's copy in Backup/.
    EsitoSalvataggio e = SalvaScheda(dir.path(), ArchivioDiProva::Numerate(1).at(0), std::nullopt, QDate(2026, 12, 10));
    QCOMPARE(e.stato, EsitoSalvataggio::Stato::Salvata);
    e = SalvaScheda(dir.path(), ArchivioDiProva::Numerate(2).at(1), std::nullopt, QDate(2026, 12, 11));
    QCOMPARE(e.stato, EsitoSalvataggio::Stato::Salvata);
    QCOMPARE(Modo(Archivio::Percorso(dir.path())), mode_t(0600));
    QCOMPARE(Modo(CopieGiornaliere::Cartella(dir.path())), mode_t(0700));
    QCOMPARE(Modo(QDir(CopieGiornaliere::Cartella(dir.path())).filePath(CopieGiornaliere::NomeCopia(QDate(2026, 12, 11)))),
             mode_t(0600));
    // The attachment folder and a copy in it.
    const QString allegati = d.filePath(Allegati::NomeCartella());
    QVERIFY(SpazioDisco::CreaCartellaPrivata(allegati));
    QCOMPARE(Modo(allegati), mode_t(0700));
    const QString fattura = d.filePath(QStringLiteral("fattura.pdf"));
    Scrivi(fattura, "pdf", 0644);
    QCOMPARE(Allegati::Copia(fattura, allegati, QStringLiteral("fattura.pdf")), Allegati::Esito::Copiato);
    QCOMPARE(Modo(QDir(allegati).filePath(QStringLiteral("fattura.pdf"))), mode_t(0600));
    // The export, and the store once a password is changed.
    const QString esportazione = d.filePath(DocumentoExcel::NomeFile());
    QVERIFY(DocumentoExcel::ScriviFile(esportazione, 1, [](std::string &doc, qint64) { doc += "<td>x</td>"; }));
    QCOMPARE(Modo(esportazione), mode_t(0600));
    const QString store = Accesso::Percorso(dir.path());
    Scrivi(store, "[Accesso]\r\nValore=" + Crypt::CodificaPassword(QStringLiteral("ABC")).toLatin1() + "\r\n", 0644);
    Accesso::ScriviPassword(store, QStringLiteral("nuova"));
    QCOMPARE(Modo(store), mode_t(0600));
    // Nothing else was left beside them.
    QCOMPARE(PreparaCartella(dir.path()), QStringList());
    QCOMPARE(d.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
             (QStringList{QStringLiteral("Backup"), QStringLiteral("Documenti_Allegati"),
                          Archivio::NomeFile(), DocumentoExcel::NomeFile(), QStringLiteral("fattura.pdf"),
                          QStringLiteral("unins000.dll")}));
}

void TestCartellaPrivata::allegato_maiAllargato_data()
{
    QTest::addColumn<int>("sorgente");
    QTest::addColumn<int>("copia");
    QTest::newRow("0600 resta 0600") << 0600 << 0600;
    QTest::newRow("0644 diventa 0600") << 0644 << 0600;
    QTest::newRow("0400 resta 0400") << 0400 << 0400;
    QTest::newRow("0640 diventa 0600") << 0640 << 0600;
}

void TestCartellaPrivata::allegato_maiAllargato()
{
    QFETCH(int, sorgente);
    QFETCH(int, copia);
    QTemporaryDir dir;
    const QString origine = dir.filePath(QStringLiteral("ricevuta.pdf"));
    Scrivi(origine, "ricevuta", mode_t(sorgente));
    const QString cartella = dir.filePath(Allegati::NomeCartella());
    QVERIFY(SpazioDisco::CreaCartellaPrivata(cartella));
    QCOMPARE(Allegati::Copia(origine, cartella, QStringLiteral("ricevuta.pdf")), Allegati::Esito::Copiato);
    QCOMPARE(Modo(QDir(cartella).filePath(QStringLiteral("ricevuta.pdf"))), mode_t(copia));
}

void TestCartellaPrivata::discoPieno_salvataggioEAccodamento_data()
{
    QTest::addColumn<bool>("riscrittura");
    QTest::newRow("accodamento") << false;
    QTest::newRow("riscrittura") << true;
}

void TestCartellaPrivata::discoPieno_salvataggioEAccodamento()
{
    QFETCH(bool, riscrittura);
    QTemporaryDir dir;
    CartellaPiena piena(dir.path());
    if (!piena.Montata())
        QSKIP("a small tmpfs cannot be mounted here");
    // Fill the disk with records until an append finds no room.
    const QString percorso = Archivio::Percorso(dir.path());
    EsitoSalvataggio e;
    for (int i = 0; i < 100; ++i) {
        e = SalvaScheda(dir.path(), ArchivioDiProva::Numerate(i + 1).at(i), std::nullopt, QDate());
        if (e.stato != EsitoSalvataggio::Stato::Salvata)
            break;
    }
    QCOMPARE(e.stato, EsitoSalvataggio::Stato::NonRiuscita);
    QVERIFY(SpazioDisco::Pieno(e.errore));
    QCOMPARE(e.necessari, qint64(TScheda::Dimensione));
    const QByteArray prima = ArchivioDiProva::Leggi(percorso);
    const qint64 schede = prima.size() / TScheda::Dimensione;
    QVERIFY(schede >= 10);
    if (riscrittura) {
        // The journal finds no room either: the record stays as it was.
        e = SalvaScheda(dir.path(), ArchivioDiProva::Numerate(3).at(2), 1, QDate());
        if (e.stato == EsitoSalvataggio::Stato::Salvata)
            QSKIP("the tmpfs found room for the journal");
        QVERIFY(SpazioDisco::Pieno(e.errore));
        QVERIFY(e.necessari > TScheda::Dimensione);
    }
    // Every whole record is what was saved.
    const QByteArray dopo = ArchivioDiProva::Leggi(percorso);
    QCOMPARE(dopo.left(schede * TScheda::Dimensione), prima.left(schede * TScheda::Dimensione));
    QVERIFY(!QFileInfo::exists(Archivio::PercorsoDiario(percorso)));
    QVERIFY(SpazioDisco::MessaggioPieno(e.necessari).contains(SpazioDisco::Misura(e.necessari)));
}

void TestCartellaPrivata::misura()
{
    QCOMPARE(SpazioDisco::Misura(512), QStringLiteral("512 byte"));
    QCOMPARE(SpazioDisco::Misura(2373), QStringLiteral("3 KB"));
    QCOMPARE(SpazioDisco::Misura(3565158), QStringLiteral("3,4 MB"));
    QCOMPARE(SpazioDisco::Misura(qint64(2) << 30), QStringLiteral("2,0 GB"));
}

QTEST_GUILESS_MAIN(TestCartellaPrivata)
#include "tst_cartella_privata.moc"
