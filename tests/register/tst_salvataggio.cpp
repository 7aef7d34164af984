// The editor's save when the disk or another program gets in the way: a sync
// that fails after the bytes were written, a lock held elsewhere, and the
// daily copies made before the day's first change.
#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "FileGuasto.h"
#include "GuiTest.h"

#include "register/Archivio.h"
#include "register/CopieGiornaliere.h"
#include "register/RegPagamenti.h"
#include "ui_RegPagamenti.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QtTest>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace GuiTest;

namespace {

const QString kAccesso = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
const QString kInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kModificata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kNonConfermata = QStringLiteral(
    "Attenzione: non è stato possibile confermare che la scheda sia stata registrata sul disco.\n\r\n\r"
    "Premere di nuovo Salva per riprovare: la scheda non verrà inserita una seconda volta. "
    "Se il problema si ripete, controllare il disco.");
const QString kOccupato = QStringLiteral(
    "Attenzione: l'archivio è in uso da un altro programma e la scheda non è stata salvata: "
    "nell'archivio non è stato scritto nulla.\n\r\n\rRiprovare tra qualche istante.");
const QString kCopiaFallita = QStringLiteral(
    "Attenzione: non è stato possibile creare la copia di sicurezza giornaliera dell'archivio "
    "nella cartella \"Backup\" del programma. Il salvataggio prosegue comunque.\n\r\n\r"
    "Controllare lo spazio libero sul disco e i permessi della cartella.");

} // namespace

class TestSalvataggio : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void syncFallito_poiSalvaDiNuovo_data();
    void syncFallito_poiSalvaDiNuovo();
    void archivioBloccato_data();
    void archivioBloccato();
    void copieGiornaliere_unaAlGiornoDieciTenute();
    void copieGiornaliere_archivioVuotoNessunaCopia();
    void copieGiornaliere_orologioSbagliato();
    void copiaFallita_segnalataUnaVoltaAlGiorno();

private:
    QString archivio() const { return Archivio::Percorso(m_desk->cartella.path()); }
    QString backup() const { return CopieGiornaliere::Cartella(m_desk->cartella.path()); }
    qint64 schedeInArchivio() const { return QFileInfo(archivio()).size() / TScheda::Dimensione; }
    Ui::TfrmRegPagamenti *c() const { return m_form->Controlli(); }
    void compila(const QString &nota)
    {
        c()->txtFornitore->setText(QStringLiteral("Enel"));
        c()->txtCodice->setText(QStringLiteral("LUCE"));
        c()->txtServizi->setText(QStringLiteral("Bolletta"));
        c()->txtNote->setText(nota);
    }
    QStringList testi() const
    {
        QStringList t;
        for (const auto &m : m_desk->messaggi)
            t << m.testo;
        return t;
    }

    std::unique_ptr<FakeDesktopInstallato> m_desk;
    std::unique_ptr<TfrmRegPagamenti> m_form;
};

void TestSalvataggio::init()
{
    m_desk = std::make_unique<FakeDesktopInstallato>();
    m_form = std::make_unique<TfrmRegPagamenti>();
    m_form->setWindowState(Qt::WindowNoState);
    m_form->show();
}

void TestSalvataggio::cleanup()
{
    m_form.reset();
    m_desk.reset();
}

void TestSalvataggio::syncFallito_poiSalvaDiNuovo_data()
{
    QTest::addColumn<int>("mostrata"); // 0: a new record
    QTest::addColumn<QString>("posizione");
    QTest::newRow("scheda nuova") << 0 << "4";
    QTest::newRow("scheda in archivio") << 2 << "2";
}

void TestSalvataggio::syncFallito_poiSalvaDiNuovo()
{
    QFETCH(int, mostrata);
    QFETCH(QString, posizione);
    const QList<TScheda> l = ArchivioDiProva::Numerate(3);
    ArchivioDiProva::Scrivi(archivio(), l);
    if (mostrata)
        m_form->MostraScheda(l.at(mostrata - 1), mostrata - 1);
    compila(QStringLiteral("prima prova"));
    {
        // The bytes reach the file, then the disk fails the archive's sync.
        FileGuasto disco;
        disco.syncFallito = Archivio::NomeFile();
        disco.syncDaFallire = 1;
        Clicca(m_form.get(), QStringLiteral("cmdSalva"));
        QCOMPARE(disco.syncDaFallire, 0);
    }
    QCOMPARE(testi(), QStringList{kNonConfermata});
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Errore);
    // The record's place is known: saving again cannot add a second copy.
    QCOMPARE(c()->lblPosizione->text(), posizione);

    m_desk->pulisci();
    c()->txtNote->setText(QStringLiteral("seconda prova"));
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(testi(), QStringList{kModificata});
    QCOMPARE(c()->lblPosizione->text(), posizione);
    QCOMPARE(schedeInArchivio(), mostrata ? 3 : 4);
    const QByteArray b = ArchivioDiProva::Leggi(archivio());
    TScheda salvata;
    std::memcpy(salvata.byte.data(), b.constData() + (posizione.toInt() - 1) * TScheda::Dimensione,
                TScheda::Dimensione);
    QCOMPARE(salvata.Testo(Campo::Note), QStringLiteral("seconda prova"));
    QCOMPARE(salvata.Testo(Campo::Fornitore), QStringLiteral("Enel"));
    // The other records are as they were.
    for (int i = 0; i < 3; ++i)
        if (i != posizione.toInt() - 1)
            QCOMPARE(b.mid(i * TScheda::Dimensione, TScheda::Dimensione),
                     QByteArray(l.at(i).byte.data(), TScheda::Dimensione));
}

void TestSalvataggio::archivioBloccato_data()
{
    QTest::addColumn<int>("mostrata");
    QTest::addColumn<bool>("altroProgramma"); // else another open of the file in this one
    QTest::newRow("scheda nuova, altro programma") << 0 << true;
    QTest::newRow("scheda in archivio, altra apertura") << 2 << false;
}

void TestSalvataggio::archivioBloccato()
{
    QFETCH(int, mostrata);
    QFETCH(bool, altroProgramma);
    const QList<TScheda> l = ArchivioDiProva::Numerate(3);
    ArchivioDiProva::Scrivi(archivio(), l);
    const QByteArray prima = ArchivioDiProva::Leggi(archivio());
    if (mostrata)
        m_form->MostraScheda(l.at(mostrata - 1), mostrata - 1);
    compila(QStringLiteral("mai scritta"));
    const QString posizionePrima = c()->lblPosizione->text();

    // The other program holds the lock until its input closes.
    QProcess tiene;
    int fd = -1;
    if (altroProgramma) {
        tiene.start(QStringLiteral("flock"),
                    {QStringLiteral("-x"), archivio(), QStringLiteral("-c"),
                     QStringLiteral("echo preso; exec cat")});
        QVERIFY2(tiene.waitForReadyRead(10000), "flock(1) is part of util-linux");
    } else {
        fd = ::open(QFile::encodeName(archivio()).constData(), O_RDWR | O_CLOEXEC);
        QVERIFY(fd >= 0 && ::flock(fd, LOCK_EX) == 0);
    }
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    if (altroProgramma) {
        tiene.closeWriteChannel(); // cat ends, and the lock with it
        QVERIFY(tiene.waitForFinished(10000));
    } else {
        ::close(fd);
    }

    QCOMPARE(testi(), QStringList{kOccupato});
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Errore);
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), prima);
    QCOMPARE(c()->lblPosizione->text(), posizionePrima);
    QVERIFY(!QFileInfo::exists(Archivio::PercorsoDiario(archivio())));
    QVERIFY(!QGuiApplication::overrideCursor()); // the busy cursor is gone

    // Once the other program lets go, the same save goes through.
    m_desk->pulisci();
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(testi(), QStringList{mostrata ? kModificata : kInserita});
    QCOMPARE(schedeInArchivio(), mostrata ? 3 : 4);
}

void TestSalvataggio::copieGiornaliere_unaAlGiornoDieciTenute()
{
    ArchivioDiProva::Scrivi(archivio(), ArchivioDiProva::Numerate(2));
    m_form->MostraScheda(ArchivioDiProva::Numerate(2).at(0), 0);
    const QDate primo(2024, 12, 25); // across the year's end
    constexpr int kGiorni = 13;
    for (int g = 0; g < kGiorni; ++g) {
        m_desk->oggi = primo.addDays(g);
        const QByteArray primaDelGiorno = ArchivioDiProva::Leggi(archivio());
        for (int volta = 0; volta < 2; ++volta) {
            m_desk->pulisci();
            compila(QStringLiteral("giorno %1 volta %2").arg(g).arg(volta));
            Clicca(m_form.get(), QStringLiteral("cmdSalva"));
            QCOMPARE(testi(), QStringList{kModificata});
        }
        // The day's copy holds the archive as it was before the day's first change.
        const QString copia = QDir(backup()).filePath(CopieGiornaliere::NomeCopia(m_desk->oggi));
        QCOMPARE(ArchivioDiProva::Leggi(copia), primaDelGiorno);
    }
    QStringList attese;
    for (int g = kGiorni - CopieGiornaliere::Conservate; g < kGiorni; ++g)
        attese << CopieGiornaliere::NomeCopia(primo.addDays(g));
    QCOMPARE(QDir(backup()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name), attese);
    QCOMPARE(attese.first(), QStringLiteral("Operazioni_Pagamenti-20241228.pro"));
    QCOMPARE(attese.last(), QStringLiteral("Operazioni_Pagamenti-20250106.pro"));
    QCOMPARE(schedeInArchivio(), 2);
}

void TestSalvataggio::copieGiornaliere_orologioSbagliato()
{
    // Ten copies made on the days up to 2027-01-03, then the clock goes back
    // to 2026-12-01 (a dead battery): the day's copy is made and kept, the
    // oldest made goes, and the copies dated after today are named once.
    ArchivioDiProva::Scrivi(archivio(), ArchivioDiProva::Numerate(2));
    QVERIFY(QDir().mkpath(backup()));
    const QDateTime adesso = QDateTime::currentDateTime();
    QStringList piantate;
    for (int g = 0; g < CopieGiornaliere::Conservate; ++g) {
        const QString nome = CopieGiornaliere::NomeCopia(QDate(2026, 12, 25).addDays(g));
        QFile f(QDir(backup()).filePath(nome));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("copia");
        QVERIFY(f.setFileTime(adesso.addDays(g - 20), QFileDevice::FileModificationTime));
        piantate << nome;
    }
    m_form->MostraScheda(ArchivioDiProva::Numerate(2).at(0), 0);
    const auto salva = [this](QDate oggi) {
        m_desk->oggi = oggi;
        m_desk->pulisci();
        compila(QStringLiteral("salvata il %1").arg(oggi.toString(Qt::ISODate)));
        Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    };
    const QDate indietro(2026, 12, 1);
    salva(indietro);
    QCOMPARE(testi().size(), 2);
    QVERIFY(testi().at(0).contains(QStringLiteral("Operazioni_Pagamenti-20270103.pro")));
    QVERIFY(testi().at(0).contains(QStringLiteral("01/12/2026")));
    QCOMPARE(testi().at(1), kModificata);
    QStringList attese = QStringList{CopieGiornaliere::NomeCopia(indietro)} + piantate.mid(1);
    attese.sort();
    QCOMPARE(QDir(backup()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name), attese);
    // The same day again: nothing removed, nothing said twice.
    salva(indietro);
    QCOMPARE(testi(), QStringList{kModificata});
    QVERIFY(QFileInfo::exists(QDir(backup()).filePath(CopieGiornaliere::NomeCopia(indietro))));

    // Forward to 2027-01-10, then back to 2026-12-02: each day's copy is the
    // newest made and stays; the copy of the 10th is named once, as after today.
    salva(QDate(2027, 1, 10));
    QCOMPARE(testi(), QStringList{kModificata});
    const QDate ancoraIndietro(2026, 12, 2);
    salva(ancoraIndietro);
    QCOMPARE(testi().size(), 2);
    QVERIFY(testi().at(0).contains(QStringLiteral("Operazioni_Pagamenti-20270110.pro")));
    QVERIFY(!testi().at(0).contains(QStringLiteral("20270103")));
    const QStringList ora = QDir(backup()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    QCOMPARE(ora.size(), CopieGiornaliere::Conservate);
    for (const QDate giorno : {indietro, ancoraIndietro, QDate(2027, 1, 10)})
        QVERIFY2(ora.contains(CopieGiornaliere::NomeCopia(giorno)), qPrintable(ora.join(u' ')));
    // The removed ones are the oldest made of the planted copies.
    QVERIFY(!ora.contains(piantate.at(0)) && !ora.contains(piantate.at(1)) && !ora.contains(piantate.at(2)));
    QVERIFY(ora.contains(piantate.last()));
}

void TestSalvataggio::copieGiornaliere_archivioVuotoNessunaCopia()
{
    compila(QStringLiteral("prima scheda"));
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(testi(), QStringList{kInserita});
    QVERIFY(!QFileInfo::exists(backup())); // nothing to keep yet
    // The next change of the day keeps the first record.
    m_desk->pulisci();
    m_form->findChild<QAbstractButton *>(QStringLiteral("cmdNuovo"))->click();
    compila(QStringLiteral("seconda scheda"));
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(testi(), QStringList{kInserita});
    const QString copia = QDir(backup()).filePath(CopieGiornaliere::NomeCopia(m_desk->oggi));
    QCOMPARE(QFileInfo(copia).size(), qint64(TScheda::Dimensione));
}

void TestSalvataggio::copiaFallita_segnalataUnaVoltaAlGiorno()
{
    ArchivioDiProva::Scrivi(archivio(), ArchivioDiProva::Numerate(1));
    // A file where the folder of the copies should be: no copy can be made.
    QFile ostacolo(backup());
    QVERIFY(ostacolo.open(QIODevice::WriteOnly));
    ostacolo.close();

    compila(QStringLiteral("uno"));
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(testi(), (QStringList{kCopiaFallita, kInserita}));
    QCOMPARE(m_desk->messaggi.first().genere, FakeDesktop::Voce::Avviso);
    QCOMPARE(schedeInArchivio(), 2); // the save went ahead

    m_desk->pulisci();
    compila(QStringLiteral("due"));
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(testi(), QStringList{kModificata}); // the same day: not again

    m_desk->oggi = m_desk->oggi.addDays(1);
    m_desk->pulisci();
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(testi(), (QStringList{kCopiaFallita, kModificata}));
    QCOMPARE(schedeInArchivio(), 2);
    QCOMPARE(ArchivioDiProva::Leggi(backup()), QByteArray()); // the obstacle is left alone
}

QTEST_MAIN(TestSalvataggio)
#include "tst_salvataggio.moc"
