#include "CartellaPiena.h"
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "SolaLettura.h"

#include "register/AllegaCartella.h"
#include "register/Allegati.h"
#include "register/RegPagamenti.h"
#include "ui_AllegaCartella.h"
#include "ui_RegPagamenti.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Everything in a folder, hidden entries included.
QStringList Contenuto(const QString &cartella)
{
    return QDir(cartella).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                    QDir::Name);
}

} // namespace

using namespace GuiTest;

class TestAllegaCartella : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void apertura_dalleEtichetteDellEditor_data();
    void apertura_dalleEtichetteDellEditor();
    void sfoglia_copiaNellaCartella_data();
    void sfoglia_copiaNellaCartella();
    void sfoglia_sovrascrittura_data();
    void sfoglia_sovrascrittura();
    void sfoglia_annullato();
    void apri_data();
    void apri();
    void cancella_eApplica();
    void annulla_lasciaLeEtichette();
    void applica_soloConEtichettaGiusta();
    void nomeSicuro_data();
    void nomeSicuro();
    void sfoglia_copiaFallita_data();
    void sfoglia_copiaFallita();
    void sfoglia_collegamento_data();
    void sfoglia_collegamento();
    void apri_collegamento_data();
    void apri_collegamento();
    void apri_nomeFuoriCartella_data();
    void apri_nomeFuoriCartella();
    void sfoglia_nomeNonConservabile_data();
    void sfoglia_nomeNonConservabile();
    void nomeConservabile_data();
    void nomeConservabile();
    void filtroDelDialogo_fileSenzaEstensione_data();
    void filtroDelDialogo_fileSenzaEstensione();

private:
    QString cartellaAllegati() const { return m_desk->percorso(QStringLiteral("Documenti_Allegati")); }
    QString sorgente(const QString &nome, const QByteArray &contenuto)
    {
        const QString p = QDir(m_esterna->path()).filePath(nome);
        QFile f(p);
        if (!f.open(QIODevice::WriteOnly) || f.write(contenuto) != contenuto.size())
            qFatal("cannot write the source file");
        return p;
    }
    static QByteArray leggi(const QString &p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Opens the dialog from the editor's cmdFile and runs azione inside it.
    void conDialogo(const std::function<void(TfrmAllegaCartella *)> &azione)
    {
        m_desk->quandoModale = [&](QDialog *d) {
            azione(qobject_cast<TfrmAllegaCartella *>(d));
            return d->result();
        };
        Clicca(m_editor.get(), QStringLiteral("cmdFile"));
        QCOMPARE(m_desk->modali.size(), 1);
    }

    std::unique_ptr<FakeDesktopInstallato> m_desk;
    std::unique_ptr<TfrmRegPagamenti> m_editor;
    std::unique_ptr<QTemporaryDir> m_esterna; // where the user's own files live
};

void TestAllegaCartella::init()
{
    m_desk = std::make_unique<FakeDesktopInstallato>();
    m_esterna = std::make_unique<QTemporaryDir>();
    m_editor = std::make_unique<TfrmRegPagamenti>();
    m_editor->setWindowState(Qt::WindowNoState);
    m_editor->show();
}

void TestAllegaCartella::cleanup()
{
    m_editor.reset();
    m_desk.reset();
    m_esterna.reset();
}

void TestAllegaCartella::apertura_dalleEtichetteDellEditor_data()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QList<bool>>("apri");
    auto l = [](const char *a, const char *b, const char *c) {
        return QStringList{QString::fromUtf8(a), QString::fromUtf8(b), QString::fromUtf8(c)};
    };
    QTest::newRow("senza allegati") << l("", "", "") << QList<bool>{false, false, false};
    QTest::newRow("secondo allegato") << l("", " b.pdf ", "") << QList<bool>{false, true, false};
    QTest::newRow("tutti") << l("a", "b", "c") << QList<bool>{true, true, true};
}

void TestAllegaCartella::apertura_dalleEtichetteDellEditor()
{
    QFETCH(QStringList, file);
    QFETCH(QList<bool>, apri);
    auto *e = m_editor->Controlli();
    QLabel *lf[] = {e->lblFile01, e->lblFile02, e->lblFile03};
    QLabel *ld[] = {e->lblDesc01, e->lblDesc02, e->lblDesc03};
    for (int i = 0; i < 3; ++i) {
        lf[i]->setText(file[i]);
        ld[i]->setText(QStringLiteral("  descrizione %1 ").arg(i + 1));
    }
    conDialogo([&](TfrmAllegaCartella *d) {
        QVERIFY(d);
        auto *c = d->Controlli();
        QCOMPARE(d->windowTitle(), QStringLiteral(" Allega File"));
        QCOMPARE(c->lblMemory->text(), QStringLiteral("regpagamenti"));
        QLineEdit *tf[] = {c->txtFile01, c->txtFile02, c->txtFile03};
        QLineEdit *td[] = {c->txtDesc01, c->txtDesc02, c->txtDesc03};
        QPushButton *ba[] = {c->btnApri01, c->btnApri02, c->btnApri03};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(tf[i]->text(), file[i].trimmed());
            QCOMPARE(td[i]->text(), QStringLiteral("descrizione %1").arg(i + 1));
            QCOMPARE(ba[i]->isEnabled(), apri[i]);
            QVERIFY(tf[i]->isReadOnly());
        }
    });
}

void TestAllegaCartella::sfoglia_copiaNellaCartella_data()
{
    QTest::addColumn<int>("slot");
    QTest::newRow("primo") << 1;
    QTest::newRow("secondo") << 2;
    QTest::newRow("terzo") << 3;
}

void TestAllegaCartella::sfoglia_copiaNellaCartella()
{
    QFETCH(int, slot);
    const QString nn = QStringLiteral("%1").arg(slot, 2, 10, QChar(u'0'));
    m_desk->fileScelti.enqueue(sorgente(QStringLiteral("fattura marzo.pdf"), "PDF-1"));
    conDialogo([&](TfrmAllegaCartella *d) {
        Clicca(d, QStringLiteral("btnSfoglia") + nn);
        QCOMPARE(Testo(d, QStringLiteral("txtFile") + nn), QStringLiteral("fattura marzo.pdf"));
        QVERIFY(d->findChild<QPushButton *>(QStringLiteral("btnApri") + nn)->isEnabled());
        QCOMPARE(m_desk->titoloFile, QStringLiteral("Selezionare il file da allegare:"));
        QCOMPARE(m_desk->filtroFile, QStringLiteral("Tutti i file (*.*)"));
    });
    QCOMPARE(leggi(QDir(cartellaAllegati()).filePath(QStringLiteral("fattura marzo.pdf"))), QByteArray("PDF-1"));
    QVERIFY(m_desk->messaggi.isEmpty());
}

void TestAllegaCartella::sfoglia_sovrascrittura_data()
{
    QTest::addColumn<bool>("si");
    QTest::newRow("no: resta il file della cartella") << false;
    QTest::newRow("si: sostituito") << true;
}

void TestAllegaCartella::sfoglia_sovrascrittura()
{
    QFETCH(bool, si);
    QVERIFY(QDir().mkpath(cartellaAllegati()));
    const QString destinazione = QDir(cartellaAllegati()).filePath(QStringLiteral("a.pdf"));
    {
        QFile f(destinazione);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("vecchio");
    }
    m_desk->fileScelti.enqueue(sorgente(QStringLiteral("a.pdf"), "nuovo contenuto"));
    m_desk->risposte.enqueue(si);
    conDialogo([&](TfrmAllegaCartella *d) {
        Clicca(d, QStringLiteral("btnSfoglia01"));
        QCOMPARE(Testo(d, QStringLiteral("txtFile01")), QStringLiteral("a.pdf"));
    });
    QCOMPARE(m_desk->messaggi.size(), 1);
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Domanda);
    QCOMPARE(m_desk->ultimoTesto(),
             QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con "
                            "lo stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?"));
    QCOMPARE(leggi(destinazione), si ? QByteArray("nuovo contenuto") : QByteArray("vecchio"));
}

void TestAllegaCartella::sfoglia_annullato()
{
    m_editor->Controlli()->lblFile01->setText(QStringLiteral("x.pdf"));
    conDialogo([&](TfrmAllegaCartella *d) {
        Clicca(d, QStringLiteral("btnSfoglia01")); // no file queued: the user cancels
        QCOMPARE(Testo(d, QStringLiteral("txtFile01")), QStringLiteral("x.pdf"));
    });
    QVERIFY(!QFileInfo::exists(cartellaAllegati()));
    QVERIFY(m_desk->messaggi.isEmpty());
}

void TestAllegaCartella::apri_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("aperto");
    QTest::newRow("nome semplice") << " fattura.pdf " << true;
    QTest::newRow("risale di cartella") << "../../etc/passwd" << false;
    QTest::newRow("separatore windows") << "..\\segreto.txt" << false;
    QTest::newRow("punto punto") << ".." << false;
    QTest::newRow("punto") << "." << false;
}

void TestAllegaCartella::apri()
{
    QFETCH(QString, nome);
    QFETCH(bool, aperto);
    m_editor->Controlli()->lblFile02->setText(nome);
    conDialogo([&](TfrmAllegaCartella *d) { Clicca(d, QStringLiteral("btnApri02")); });
    if (aperto) {
        QCOMPARE(m_desk->aperti.size(), 1);
        QCOMPARE(m_desk->aperti.first(),
                 QUrl::fromLocalFile(QDir(cartellaAllegati()).filePath(QStringLiteral("fattura.pdf"))));
    } else {
        QVERIFY(m_desk->aperti.isEmpty());
    }
}

void TestAllegaCartella::cancella_eApplica()
{
    auto *e = m_editor->Controlli();
    e->lblFile01->setText(QStringLiteral("a.pdf"));
    e->lblDesc01->setText(QStringLiteral("prima"));
    e->lblFile03->setText(QStringLiteral("c.pdf"));
    m_desk->fileScelti.enqueue(sorgente(QStringLiteral("b.jpg"), "JPG"));
    conDialogo([&](TfrmAllegaCartella *d) {
        Clicca(d, QStringLiteral("imgCancella01"));
        QVERIFY(Testo(d, QStringLiteral("txtFile01")).isEmpty());
        QVERIFY(!d->findChild<QPushButton *>(QStringLiteral("btnApri01"))->isEnabled());
        Clicca(d, QStringLiteral("btnSfoglia02"));
        GuiTest::Scrivi(d, QStringLiteral("txtDesc02"), QStringLiteral("  foto  "));
        Clicca(d, QStringLiteral("btnApplica"));
        QCOMPARE(d->result(), int(QDialog::Accepted));
    });
    QVERIFY(e->lblFile01->text().isEmpty());
    QCOMPARE(e->lblDesc01->text(), QStringLiteral("prima"));
    QCOMPARE(e->lblFile02->text(), QStringLiteral("b.jpg"));
    QCOMPARE(e->lblDesc02->text(), QStringLiteral("foto"));
    QCOMPARE(e->lblFile03->text(), QStringLiteral("c.pdf"));
}

void TestAllegaCartella::annulla_lasciaLeEtichette()
{
    auto *e = m_editor->Controlli();
    e->lblFile01->setText(QStringLiteral("a.pdf"));
    m_desk->fileScelti.enqueue(sorgente(QStringLiteral("nuovo.pdf"), "N"));
    conDialogo([&](TfrmAllegaCartella *d) {
        Clicca(d, QStringLiteral("btnSfoglia01"));
        Clicca(d, QStringLiteral("btnAnnulla"));
        QCOMPARE(d->result(), int(QDialog::Rejected));
    });
    QCOMPARE(e->lblFile01->text(), QStringLiteral("a.pdf"));
    // The copy made during this use stays in the folder.
    QCOMPARE(leggi(QDir(cartellaAllegati()).filePath(QStringLiteral("nuovo.pdf"))), QByteArray("N"));
}

void TestAllegaCartella::applica_soloConEtichettaGiusta()
{
    TfrmAllegaCartella d(m_editor.get());
    d.Controlli()->lblMemory->setText(QStringLiteral("altro"));
    d.Controlli()->txtDesc01->setText(QStringLiteral("x"));
    d.show();
    Clicca(&d, QStringLiteral("btnApplica"));
    QVERIFY(d.isVisible());
    QVERIFY(m_editor->Controlli()->lblDesc01->text().isEmpty());
}

void TestAllegaCartella::nomeSicuro_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("sicuro");
    QTest::newRow("semplice") << "a.pdf" << true;
    QTest::newRow("con punti") << "..a.b" << true;
    QTest::newRow("vuoto") << "" << false;
    QTest::newRow("punto") << "." << false;
    QTest::newRow("punto punto") << ".." << false;
    QTest::newRow("barra") << "x/y" << false;
    QTest::newRow("barra inversa") << "x\\y" << false;
    QTest::newRow("assoluto") << "/etc/passwd" << false;
    QTest::newRow("nul") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << false;
    // Qt reads a leading ':' as its resource system: joined to the folder, the
    // name would come back on its own, outside it.
    QTest::newRow("due punti in testa") << ":" << false;
    QTest::newRow("risorsa") << ":/immagini/logo.png" << false;
    QTest::newRow("due punti dentro") << "a:b.pdf" << true;
}

void TestAllegaCartella::nomeSicuro()
{
    QFETCH(QString, nome);
    QFETCH(bool, sicuro);
    QCOMPARE(Allegati::NomeSicuro(nome), sicuro);
    if (sicuro) {
        // A name that passes is a file right inside the folder it is joined to.
        const QString cartella = QStringLiteral("/cartella/Documenti_Allegati");
        const QFileInfo f(QDir(cartella).filePath(nome));
        QCOMPARE(f.absolutePath(), cartella);
        QCOMPARE(f.fileName(), nome);
    }
}

void TestAllegaCartella::sfoglia_copiaFallita_data()
{
    QTest::addColumn<QString>("guasto");
    QTest::addColumn<bool>("esistente"); // a file of that name is already in the folder
    QTest::newRow("cartella in sola lettura") << "solaLettura" << false;
    QTest::newRow("cartella in sola lettura, sovrascrittura") << "solaLettura" << true;
    QTest::newRow("disco pieno") << "pieno" << false;
    QTest::newRow("disco pieno, sovrascrittura") << "pieno" << true;
    QTest::newRow("file scelto sparito") << "sparito" << false;
    QTest::newRow("file scelto illeggibile") << "illeggibile" << false;
}

void TestAllegaCartella::sfoglia_copiaFallita()
{
    QFETCH(QString, guasto);
    QFETCH(bool, esistente);
    const QString cartella = cartellaAllegati();
    QVERIFY(QDir().mkpath(cartella));
    std::unique_ptr<CartellaPiena> piena;
    if (guasto == u"pieno")
        piena = std::make_unique<CartellaPiena>(cartella);
    const QString vecchio = QDir(cartella).filePath(QStringLiteral("fattura.pdf"));
    if (esistente) {
        QFile f(vecchio);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write("vecchio"), 7);
    }
    QString scelto = sorgente(QStringLiteral("fattura.pdf"), QByteArray(256 * 1024, 'x'));
    if (guasto == u"sparito")
        QVERIFY(QFile::remove(scelto));
    if (guasto == u"illeggibile") {
        QVERIFY(QFile::remove(scelto));
        QVERIFY(QDir().mkdir(scelto)); // a folder where the file was: it cannot be read as one
    }
    std::unique_ptr<SolaLettura> protetta;
    if (guasto == u"solaLettura") {
        protetta = std::make_unique<SolaLettura>(cartella);
        if (!protetta->Riuscita())
            QSKIP("this file system lets nothing stop a write");
    }
    const QStringList prima = Contenuto(cartella);

    m_editor->Controlli()->lblFile01->setText(QStringLiteral("precedente.pdf"));
    m_desk->fileScelti.enqueue(scelto);
    conDialogo([&](TfrmAllegaCartella *d) {
        Clicca(d, QStringLiteral("btnSfoglia01"));
        QCOMPARE(Testo(d, QStringLiteral("txtFile01")), QStringLiteral("precedente.pdf"));
    });
    protetta.reset();
    const QStringList dopo = Contenuto(cartella);
    const QByteArray vecchioDopo = leggi(vecchio);
    const bool discoPieno = piena && piena->Montata();
    piena.reset();

    const auto &m = m_desk->messaggi;
    QCOMPARE(m.size(), esistente ? 2 : 1);
    if (esistente)
        QCOMPARE(m.first().genere, FakeDesktop::Voce::Domanda);
    QCOMPARE(m.last().genere, FakeDesktop::Voce::Errore);
    QVERIFY2(m.last().testo.startsWith(QStringLiteral("Attenzione: il file \"fattura.pdf\" non è stato allegato.")),
             qPrintable(m.last().testo));
    // A full disk is named as such, with the room the copy needed; a
    // protected folder is not taken for one.
    QCOMPARE(m.last().testo.contains(QStringLiteral("Il disco è pieno")), discoPieno);
    if (discoPieno)
        QVERIFY2(m.last().testo.contains(QStringLiteral("256 KB")), qPrintable(m.last().testo));
    // Nothing half-copied, and a file replaced only by a whole copy.
    QCOMPARE(dopo, prima);
    if (esistente)
        QCOMPARE(vecchioDopo, QByteArray("vecchio"));
}

void TestAllegaCartella::sfoglia_collegamento_data()
{
    QTest::addColumn<bool>("interrotto");
    QTest::newRow("collegamento a un file fuori dalla cartella") << false;
    QTest::newRow("collegamento interrotto") << true;
}

void TestAllegaCartella::sfoglia_collegamento()
{
    QFETCH(bool, interrotto);
    QVERIFY(QDir().mkpath(cartellaAllegati()));
    QTemporaryDir fuori;
    const QString bersaglio = QDir(fuori.path()).filePath(QStringLiteral("segreto.txt"));
    if (!interrotto) {
        QFile f(bersaglio);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("non toccare");
    }
    const QString link = QDir(cartellaAllegati()).filePath(QStringLiteral("a.pdf"));
    QVERIFY(QFile::link(bersaglio, link));

    m_desk->fileScelti.enqueue(sorgente(QStringLiteral("a.pdf"), "nuovo"));
    m_desk->risposte.enqueue(true); // were the overwrite question asked, the answer would be Yes
    conDialogo([&](TfrmAllegaCartella *d) {
        Clicca(d, QStringLiteral("btnSfoglia01"));
        QVERIFY(Testo(d, QStringLiteral("txtFile01")).isEmpty());
    });
    QCOMPARE(m_desk->messaggi.size(), 1);
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
    QVERIFY(m_desk->ultimoTesto().contains(QStringLiteral("\"a.pdf\"")));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).symLinkTarget(), bersaglio);
    if (interrotto)
        QVERIFY(!QFileInfo::exists(bersaglio));
    else
        QCOMPARE(leggi(bersaglio), QByteArray("non toccare"));
    QCOMPARE(Contenuto(cartellaAllegati()), QStringList{QStringLiteral("a.pdf")});
}

void TestAllegaCartella::apri_collegamento_data()
{
    QTest::addColumn<bool>("interrotto");
    QTest::newRow("collegamento a un file fuori dalla cartella") << false;
    QTest::newRow("collegamento interrotto") << true;
}

void TestAllegaCartella::apri_collegamento()
{
    QFETCH(bool, interrotto);
    QVERIFY(QDir().mkpath(cartellaAllegati()));
    const QString bersaglio = interrotto ? QStringLiteral("/non/esiste") : sorgente(QStringLiteral("fuori.pdf"), "x");
    QVERIFY(QFile::link(bersaglio, QDir(cartellaAllegati()).filePath(QStringLiteral("b.pdf"))));
    m_editor->Controlli()->lblFile02->setText(QStringLiteral("b.pdf"));
    conDialogo([&](TfrmAllegaCartella *d) { Clicca(d, QStringLiteral("btnApri02")); });
    QVERIFY(m_desk->aperti.isEmpty());
    QCOMPARE(m_desk->messaggi.size(), 1);
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
    QCOMPARE(m_desk->ultimoTesto(),
             QStringLiteral("Attenzione: nella cartella dei documenti allegati \"b.pdf\" non è un file ma "
                            "un collegamento o una cartella, e non viene aperto.\r\n\r\n"
                            "Allegare di nuovo il file con Sfoglia."));
}

void TestAllegaCartella::apri_nomeFuoriCartella_data()
{
    QTest::addColumn<QString>("nome");
    QTest::newRow("cartella sorella") << "../fuori/x";
    QTest::newRow("percorso assoluto") << "/etc/passwd";
    QTest::newRow("cartella superiore") << "..";
    QTest::newRow("barra inversa") << "..\\fuori.pdf";
}

// A stored name that would lead out of the folder opens nothing, and says so.
void TestAllegaCartella::apri_nomeFuoriCartella()
{
    QFETCH(QString, nome);
    m_editor->Controlli()->lblFile01->setText(nome);
    conDialogo([&](TfrmAllegaCartella *d) { Clicca(d, QStringLiteral("btnApri01")); });
    QVERIFY(m_desk->aperti.isEmpty());
    QCOMPARE(m_desk->messaggi.size(), 1);
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
    QCOMPARE(m_desk->ultimoTesto(),
             QStringLiteral("Attenzione: \"%1\" non è il nome di un file della cartella dei documenti "
                            "allegati, perché indica un percorso fuori da essa, e non viene aperto.\r\n\r\n"
                            "Allegare di nuovo il file con Sfoglia.")
                 .arg(nome));
}

void TestAllegaCartella::sfoglia_nomeNonConservabile_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("allegato");
    QTest::newRow("omega") << QStringLiteral("Ω ricevuta.pdf") << QStringLiteral("_ ricevuta.pdf");
    QTest::newRow("barra inversa") << QStringLiteral("a\\b.pdf") << QStringLiteral("a_b.pdf");
    QTest::newRow("oltre il campo") << QString(247, u'x') + QStringLiteral(".pdf")
                                    << QString(246, u'x') + QStringLiteral(".pdf");
    QTest::newRow("accentato, conservabile") << QStringLiteral("Perché già €.pdf")
                                             << QStringLiteral("Perché già €.pdf");
}

void TestAllegaCartella::sfoglia_nomeNonConservabile()
{
    QFETCH(QString, nome);
    QFETCH(QString, allegato);
    m_desk->fileScelti.enqueue(sorgente(nome, "contenuto"));
    conDialogo([&](TfrmAllegaCartella *d) {
        Clicca(d, QStringLiteral("btnSfoglia01"));
        QCOMPARE(Testo(d, QStringLiteral("txtFile01")), allegato);
        Clicca(d, QStringLiteral("btnApplica"));
    });
    // The copy carries exactly the name the record keeps.
    QCOMPARE(leggi(QDir(cartellaAllegati()).filePath(allegato)), QByteArray("contenuto"));
    const QString etichetta = m_editor->Controlli()->lblFile01->text();
    QCOMPARE(etichetta, allegato);
    TScheda s;
    s.ImpostaTesto(Campo::File01, etichetta);
    QCOMPARE(s.Testo(Campo::File01), allegato);
    if (nome == allegato) {
        QVERIFY(m_desk->messaggi.isEmpty());
    } else {
        // The user is told the name used.
        QCOMPARE(m_desk->messaggi.size(), 1);
        QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Informazione);
        QVERIFY(m_desk->ultimoTesto().contains(u'"' + allegato + u'"'));
    }
}

void TestAllegaCartella::nomeConservabile_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("semplice") << QStringLiteral("fattura.pdf") << QStringLiteral("fattura.pdf");
    QTest::newRow("omega") << QStringLiteral("Ω.pdf") << QStringLiteral("_.pdf");
    QTest::newRow("emoji, un carattere") << QStringLiteral("😀.jpg") << QStringLiteral("_.jpg");
    QTest::newRow("barra inversa") << QStringLiteral("a\\b") << QStringLiteral("a_b");
    QTest::newRow("controlli") << QStringLiteral("a\tb\nc") << QStringLiteral("a_b_c");
    QTest::newRow("blanchi ai bordi") << QStringLiteral("  a.pdf  ") << QStringLiteral("a.pdf");
    QTest::newRow("260 caratteri") << QString(256, u'n') + QStringLiteral(".pdf")
                                   << QString(246, u'n') + QStringLiteral(".pdf");
    QTest::newRow("lungo in byte") << QString(200, u'à') + QStringLiteral(".pdf")
                                   << QString(125, u'à') + QStringLiteral(".pdf");
    QTest::newRow("estensione lunghissima") << QString(300, u'e') << QString(250, u'e');
    QTest::newRow("solo un punto") << QStringLiteral(" . ") << QString();
    QTest::newRow("punto punto") << QStringLiteral("..") << QString();
    QTest::newRow("solo blanchi") << QStringLiteral("   ") << QString();
    // A leading ':' would be read as a resource path: the file is kept
    // under a usable name instead of being refused.
    QTest::newRow("due punti in testa") << QStringLiteral(" :fattura.pdf") << QStringLiteral("_fattura.pdf");
    QTest::newRow("due punti altrove") << QStringLiteral("a:b.pdf") << QStringLiteral("a:b.pdf");
}

void TestAllegaCartella::nomeConservabile()
{
    QFETCH(QString, nome);
    QFETCH(QString, atteso);
    const QString r = Allegati::NomeConservabile(nome);
    QCOMPARE(r, atteso);
    QVERIFY(r.isEmpty() || Allegati::NomeSicuro(r));
    QVERIFY(r.size() <= TScheda::Capacita(Campo::File01));
    QVERIFY(QFile::encodeName(r).size() <= 255);
    TScheda s;
    s.ImpostaTesto(Campo::File01, r);
    QCOMPARE(s.Testo(Campo::File01), r);
}

void TestAllegaCartella::filtroDelDialogo_fileSenzaEstensione_data()
{
    QTest::addColumn<QString>("nome");
    QTest::newRow("senza estensione") << QStringLiteral("LEGGIMI");
    QTest::newRow("con estensione") << QStringLiteral("fattura.pdf");
    QTest::newRow("nome con un blanco, senza punto") << QStringLiteral("scontrino 12");
}

void TestAllegaCartella::filtroDelDialogo_fileSenzaEstensione()
{
    QFETCH(QString, nome);
    sorgente(nome, "x");
    // The file dialog as the real desktop opens it, with the filter of the attach dialog.
    QFileDialog dialogo(nullptr, QStringLiteral("Selezionare il file da allegare:"), m_esterna->path(),
                        DesktopReale::FiltroDialogo(QStringLiteral("Tutti i file (*.*)")));
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    auto *modello = dialogo.findChild<QFileSystemModel *>();
    QVERIFY(modello);
    QTRY_VERIFY(modello->rowCount(modello->index(m_esterna->path())) > 0);
    QStringList elencati;
    const QModelIndex radice = modello->index(m_esterna->path());
    for (int r = 0; r < modello->rowCount(radice); ++r)
        elencati.append(modello->fileName(modello->index(r, 0, radice)));
    QVERIFY2(elencati.contains(nome), qPrintable(elencati.join(u", ")));
}

QTEST_MAIN(TestAllegaCartella)
#include "tst_allegacartella.moc"
