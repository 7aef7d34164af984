// A full disk met by the commands that write, driven through their real
// screens on a small tmpfs: the user hears that the disk is full and how much
// the command needed, never the advice about permissions, and every file
// already there keeps its bytes. An archive that only looks huge (a few
// records and a long hole of zeros) is said to look damaged at start, and its
// day's copy is not begun on a disk that cannot hold it, the save going on.
#include "ArchivioDiProva.h"
#include "CartellaPiena.h"
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "Programma.h"

#include "lists/Eliminate.h"
#include "output/DocumentoExcel.h"
#include "output/ExpRegPagamenti.h"
#include "register/Archivio.h"
#include "register/Copie.h"
#include "register/CopieGiornaliere.h"
#include "register/RegPagamenti.h"
#include "register/SchedeEliminate.h"
#include "ui_RegPagamenti.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QListWidget>
#include <QMap>
#include <QTableWidget>
#include <QtTest>

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace GuiTest;

namespace {

constexpr qint64 R = TScheda::Dimensione;
const QString kPermessi = QStringLiteral("privilegi di scrittura");
const QString kPieno = QStringLiteral("Il disco è pieno, oppure è esaurito lo spazio concesso all'utente: "
                                      "l'operazione richiede %1 di spazio libero. Liberare spazio sul disco e "
                                      "riprovare.");
const QString kRiempitivo = QStringLiteral("riempitivo");

// Every file under the folder, hidden ones included, with its bytes; the
// filler that took the room is left out.
QMap<QString, QByteArray> Contenuto(const QString &cartella)
{
    QMap<QString, QByteArray> m;
    QDirIterator it(cartella, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        const QString nome = QDir(cartella).relativeFilePath(f);
        if (nome != kRiempitivo)
            m.insert(nome, ArchivioDiProva::Leggi(f));
    }
    return m;
}

// Takes the room left in the folder's file system, to the last byte.
void Riempi(const QString &cartella)
{
    const int fd = ::open(QFile::encodeName(QDir(cartella).filePath(kRiempitivo)).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    QVERIFY(fd >= 0);
    const QByteArray blocco(4096, 'r');
    for (qsizetype n = blocco.size(); n > 0;) {
        const ssize_t r = ::write(fd, blocco.constData(), size_t(n));
        if (r < 0) {
            if (n == 1)
                break;
            n = 1; // the last bytes of a page, one at a time
            continue;
        }
    }
    ::close(fd);
}

} // namespace

class TestDiscoPieno : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void comando_data();
    void comando();
    void eliminazione_copiaGiornalieraSenzaSpazio();
    void ripristino_copiaGiornalieraSenzaSpazio_data();
    void ripristino_copiaGiornalieraSenzaSpazio();
    void archivioRado_avvisoECopiaNonIniziata();

private:
    QString cartella() const { return m_desk->cartella.path(); }
    QString archivio() const { return Archivio::Percorso(cartella()); }
    QString backup() const { return CopieGiornaliere::Cartella(cartella()); }
    Ui::TfrmRegPagamenti *c() const { return m_form->Controlli(); }
    QList<FakeDesktop::Voce::Genere> generi() const
    {
        QList<FakeDesktop::Voce::Genere> g;
        for (const auto &m : m_desk->messaggi)
            g << m.genere;
        return g;
    }

    std::unique_ptr<FakeDesktopInstallato> m_desk;
    std::unique_ptr<TfrmRegPagamenti> m_form;
};

void TestDiscoPieno::init()
{
    m_desk = std::make_unique<FakeDesktopInstallato>();
    m_form = std::make_unique<TfrmRegPagamenti>();
    m_form->setWindowState(Qt::WindowNoState);
    m_form->show();
}

void TestDiscoPieno::cleanup()
{
    m_form.reset();
    m_desk.reset();
}

void TestDiscoPieno::comando_data()
{
    // An attachment copy on a full disk is driven through its screen in the
    // attachment tests.
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("inizio"); // the message's first sentence
    QTest::addColumn<QString>("misura"); // the room the command needed; empty: any size in KB
    // The journal of the rewrite: both versions of the record and a header.
    QTest::newRow("salvataggio di una scheda") << "salva" << "Attenzione: la scheda non è stata salvata." << "5 KB";
    QTest::newRow("nuova scheda") << "nuova" << "Attenzione: la scheda non è stata salvata." << "3 KB";
    QTest::newRow("esportazione") << "esporta" << "Attenzione: i dati non sono stati esportati." << "";
    // The removed record with its date, and the archive of four records written anew.
    QTest::newRow("eliminazione") << "elimina"
                                  << "Attenzione: non è stato possibile eliminare la scheda. L'archivio non è "
                                     "stato cambiato."
                                  << "12 KB";
    // The archive of six records, the removed list emptied and its date.
    QTest::newRow("ripristino di una scheda eliminata")
        << "ripristinaScheda"
        << "Attenzione: non è stato possibile ripristinare la scheda. L'archivio non è stato cambiato." << "14 KB";
    // The archive kept as a copy and the copy of two records in its place.
    QTest::newRow("ripristino di una copia")
        << "ripristinaCopia"
        << "Attenzione: non è stato possibile ripristinare la copia. L'archivio non è stato cambiato." << "17 KB";
}

void TestDiscoPieno::comando()
{
    QFETCH(QString, comando);
    QFETCH(QString, inizio);
    QFETCH(QString, misura);
    CartellaPiena piena(cartella());
    if (!piena.Montata())
        QSKIP("a small tmpfs cannot be mounted here");

    // The register as a user has it: five records, today's copy already
    // made, an older copy, a removed record and the last export.
    const QList<TScheda> l = ArchivioDiProva::Numerate(5);
    ArchivioDiProva::Scrivi(archivio(), l);
    QVERIFY(QDir().mkpath(backup()));
    ArchivioDiProva::Scrivi(QDir(backup()).filePath(CopieGiornaliere::NomeCopia(m_desk->oggi)), l);
    const QString vecchia = QStringLiteral("Operazioni_Pagamenti-20240310.pro");
    ArchivioDiProva::Scrivi(QDir(backup()).filePath(vecchia), l.mid(0, 2));
    ArchivioDiProva::Scrivi(SchedeEliminate::Percorso(cartella()), {ArchivioDiProva::Numerate(6).at(5)});
    {
        QFile data(SchedeEliminate::PercorsoDate(cartella()));
        QVERIFY(data.open(QIODevice::WriteOnly));
        data.write("01/03/2024\n");
    }
    {
        QFile xls(m_desk->percorso(DocumentoExcel::NomeFile()));
        QVERIFY(xls.open(QIODevice::WriteOnly));
        xls.write("l'esportazione di prima");
    }
    Riempi(cartella());
    const QMap<QString, QByteArray> prima = Contenuto(cartella());

    if (comando == u"salva" || comando == u"elimina") {
        m_form->MostraScheda(l.at(2), 2);
        if (comando == u"salva")
            c()->txtNote->setText(QStringLiteral("cambiata"));
        m_desk->risposte.enqueue(true);
        Clicca(m_form.get(), comando == u"salva" ? QStringLiteral("cmdSalva") : QStringLiteral("cmdElimina"));
    } else if (comando == u"nuova") {
        Clicca(m_form.get(), QStringLiteral("cmdNuovo"));
        c()->txtFornitore->setText(QStringLiteral("Enel"));
        c()->txtCodice->setText(QStringLiteral("LUCE"));
        c()->txtServizi->setText(QStringLiteral("Bolletta"));
        Clicca(m_form.get(), QStringLiteral("cmdSalva"));
        // A new record stays new, ready to be saved again.
        QVERIFY(c()->lblPosizione->text().isEmpty());
        QCOMPARE(c()->txtFornitore->text(), QStringLiteral("Enel"));
    } else if (comando == u"esporta") {
        TfrmExpRegPagamenti esportazione;
        esportazione.show();
        m_desk->risposte.enqueue(true);
        Clicca(&esportazione, QStringLiteral("cmdEsporta"));
        QVERIFY(m_desk->aperti.isEmpty());
    } else if (comando == u"ripristinaScheda") {
        TfrmEliminate eliminate;
        eliminate.show();
        auto *lista = Trova<QListWidget>(&eliminate, QStringLiteral("lstRecords"));
        QVERIFY(lista);
        QCOMPARE(lista->count(), 1);
        lista->setCurrentRow(0);
        m_desk->risposte.enqueue(true);
        Clicca(&eliminate, QStringLiteral("btnRipristina"));
        QCOMPARE(lista->count(), 1);
    } else {
        TfrmCopie copie;
        copie.show();
        auto *grd = Trova<QTableWidget>(&copie, QStringLiteral("grdCopie"));
        QVERIFY(grd);
        const QList<QTableWidgetItem *> trovate = grd->findItems(vecchia, Qt::MatchExactly);
        QCOMPARE(trovate.size(), 1);
        grd->selectRow(trovate.first()->row());
        m_desk->risposte.enqueue(true);
        Clicca(&copie, QStringLiteral("btnRipristina"));
    }

    QVERIFY(!m_desk->messaggi.isEmpty());
    const FakeDesktop::Voce detto = m_desk->messaggi.last();
    QCOMPARE(detto.genere, comando == u"esporta" ? FakeDesktop::Voce::Semplice : FakeDesktop::Voce::Errore);
    QVERIFY2(detto.testo.startsWith(inizio + QStringLiteral("\n\r\n\rIl disco è pieno")), qPrintable(detto.testo));
    if (misura.isEmpty())
        QVERIFY2(QRegularExpression(QStringLiteral("richiede \\d+ KB di spazio libero")).match(detto.testo).hasMatch(),
                 qPrintable(detto.testo));
    else
        QVERIFY2(detto.testo.endsWith(kPieno.arg(misura)), qPrintable(detto.testo));
    for (const FakeDesktop::Voce &m : m_desk->messaggi)
        QVERIFY2(!m.testo.contains(kPermessi), qPrintable(m.testo));
    // Nothing lost, nothing half-written left beside the files.
    const QMap<QString, QByteArray> dopo = Contenuto(cartella());
    QCOMPARE(dopo.keys(), prima.keys());
    for (auto it = prima.cbegin(); it != prima.cend(); ++it)
        QVERIFY2(dopo.value(it.key()) == it.value(), qPrintable(it.key()));
}

void TestDiscoPieno::eliminazione_copiaGiornalieraSenzaSpazio()
{
    // Room for the removal, not for the day's copy and the margin it leaves:
    // the copy is not begun and the user hears why, with the room it wants;
    // the removal goes on.
    CartellaPiena piena(cartella(), "256k");
    if (!piena.Montata())
        QSKIP("a small tmpfs cannot be mounted here");
    const QList<TScheda> l = ArchivioDiProva::Numerate(5);
    ArchivioDiProva::Scrivi(archivio(), l);
    m_form->MostraScheda(l.at(2), 2);
    m_desk->risposte.enqueue(true);
    Clicca(m_form.get(), QStringLiteral("cmdElimina"));

    QCOMPARE(generi(), (QList<FakeDesktop::Voce::Genere>{FakeDesktop::Voce::Domanda, FakeDesktop::Voce::Avviso,
                                                          FakeDesktop::Voce::Informazione}));
    const QString copia = m_desk->messaggi.at(1).testo;
    QVERIFY2(copia.startsWith(QStringLiteral("Attenzione: non è stato possibile creare la copia di sicurezza "
                                             "giornaliera dell'archivio")),
             qPrintable(copia));
    // The archive's five records and the megabyte the save keeps for itself.
    QVERIFY2(copia.endsWith(kPieno.arg(QStringLiteral("1,0 MB"))), qPrintable(copia));
    QVERIFY(!copia.contains(kPermessi));
    QByteArray senza;
    for (int i : {0, 1, 3, 4})
        senza += QByteArray(l.at(i).byte.data(), R);
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), senza);
    QCOMPARE(SchedeEliminate::Elenco(cartella()).size(), 1);
    // No copy begun, so none half-made.
    QCOMPARE(QDir(backup()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList());
}

void TestDiscoPieno::ripristino_copiaGiornalieraSenzaSpazio_data()
{
    QTest::addColumn<bool>("copia"); // a copy of Backup/, or a removed record
    QTest::newRow("scheda eliminata") << false;
    QTest::newRow("copia di sicurezza") << true;
}

void TestDiscoPieno::ripristino_copiaGiornalieraSenzaSpazio()
{
    // Both restores go on without the day's copy, and say why it is missing.
    QFETCH(bool, copia);
    CartellaPiena piena(cartella(), "256k");
    if (!piena.Montata())
        QSKIP("a small tmpfs cannot be mounted here");
    const QList<TScheda> l = ArchivioDiProva::Numerate(5);
    ArchivioDiProva::Scrivi(archivio(), l.mid(0, 4));
    const QString vecchia = QStringLiteral("Operazioni_Pagamenti-20240310.pro");
    if (copia) {
        QVERIFY(QDir().mkpath(backup()));
        ArchivioDiProva::Scrivi(QDir(backup()).filePath(vecchia), l.mid(0, 2));
        TfrmCopie copie;
        copie.show();
        auto *grd = Trova<QTableWidget>(&copie, QStringLiteral("grdCopie"));
        QVERIFY(grd);
        grd->selectRow(0);
        m_desk->risposte.enqueue(true);
        Clicca(&copie, QStringLiteral("btnRipristina"));
    } else {
        ArchivioDiProva::Scrivi(SchedeEliminate::Percorso(cartella()), {l.at(4)});
        TfrmEliminate eliminate;
        eliminate.show();
        auto *lista = Trova<QListWidget>(&eliminate, QStringLiteral("lstRecords"));
        QVERIFY(lista);
        lista->setCurrentRow(0);
        m_desk->risposte.enqueue(true);
        Clicca(&eliminate, QStringLiteral("btnRipristina"));
    }
    QCOMPARE(generi(), (QList<FakeDesktop::Voce::Genere>{FakeDesktop::Voce::Domanda, FakeDesktop::Voce::Avviso,
                                                          FakeDesktop::Voce::Informazione}));
    const QString detto = m_desk->messaggi.at(1).testo;
    QVERIFY2(detto.startsWith(QStringLiteral("Attenzione: non è stato possibile creare la copia di sicurezza "
                                             "giornaliera dell'archivio nella cartella \"Backup\" del programma. "
                                             "Il ripristino prosegue comunque.")),
             qPrintable(detto));
    // The archive's four records and the megabyte kept for the save.
    QVERIFY2(detto.endsWith(kPieno.arg(QStringLiteral("1,0 MB"))), qPrintable(detto));
    QByteArray atteso;
    for (const TScheda &s : copia ? l.mid(0, 2) : l)
        atteso += QByteArray(s.byte.data(), R);
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), atteso);
    QVERIFY(!QFileInfo::exists(QDir(backup()).filePath(CopieGiornaliere::NomeCopia(m_desk->oggi))));
}

void TestDiscoPieno::archivioRado_avvisoECopiaNonIniziata()
{
    // Three records, then a hole of zeros up to 1768 records (4 MB), on a
    // disk of 2 MB: the file takes a few pages, but a copy would write 4 MB.
    CartellaPiena piena(cartella(), "2m");
    if (!piena.Montata())
        QSKIP("a small tmpfs cannot be mounted here");
    const QList<TScheda> l = ArchivioDiProva::Numerate(3);
    ArchivioDiProva::Scrivi(archivio(), l);
    constexpr qint64 schede = 1768;
    QCOMPARE(::truncate(QFile::encodeName(archivio()).constData(), off_t(schede * R)), 0);
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(archivio()).constData(), &st), 0);
    QVERIFY2(qint64(st.st_blocks) * 512 < 64 * 1024, "the tail is a hole");

    // The start says the file looks damaged, naming its records and size.
    Programma::PreparaCartellaProgramma();
    QCOMPARE(generi(), QList<FakeDesktop::Voce::Genere>{FakeDesktop::Voce::Avviso});
    const QString avviso = m_desk->ultimoTesto();
    QVERIFY2(avviso.startsWith(QStringLiteral("Attenzione: l'archivio \"Operazioni_Pagamenti.pro\" sembra "
                                              "danneggiato: le sue ultime schede contengono solo zeri "
                                              "(1768 schede in tutto, 4195464 sul disco).")),
             qPrintable(avviso));

    // A save: the day's copy does not fit and is not begun, the user hears
    // how much it wants, and the record is saved all the same.
    m_desk->pulisci();
    m_form->MostraScheda(l.at(1), 1);
    c()->txtNote->setText(QStringLiteral("salvata"));
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(generi(), (QList<FakeDesktop::Voce::Genere>{FakeDesktop::Voce::Avviso, FakeDesktop::Voce::Informazione}));
    QVERIFY2(m_desk->messaggi.first().testo.endsWith(kPieno.arg(QStringLiteral("5,0 MB"))),
             qPrintable(m_desk->messaggi.first().testo));
    QCOMPARE(m_desk->ultimoTesto(),
             QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    Archivio a(archivio());
    a.ApriArchivio();
    QCOMPARE(a.NumeroSchede(), schede);
    QCOMPARE(a.LeggiScheda(1).Testo(Campo::Note), QStringLiteral("salvata"));
    QVERIFY(std::memcmp(a.LeggiScheda(0).byte.data(), l.at(0).byte.data(), size_t(R)) == 0);
    a.Chiudi();
    QCOMPARE(QDir(backup()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList());
    // The same day, nothing said twice.
    m_desk->pulisci();
    c()->txtNote->setText(QStringLiteral("ancora"));
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(generi(), QList<FakeDesktop::Voce::Genere>{FakeDesktop::Voce::Informazione});
}

QTEST_MAIN(TestDiscoPieno)
#include "tst_disco_pieno.moc"
