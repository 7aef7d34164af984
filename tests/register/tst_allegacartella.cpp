#include "FakeDesktop.h"
#include "GuiTest.h"

#include "register/AllegaCartella.h"
#include "register/Allegati.h"
#include "register/RegPagamenti.h"
#include "ui_AllegaCartella.h"
#include "ui_RegPagamenti.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

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

private:
    QString cartellaAllegati() const { return m_desk->percorso(QStringLiteral("Documenti_Allegati")); }
    QString sorgente(const QString &nome, const QByteArray &contenuto)
    {
        const QString p = QDir(m_esterna.path()).filePath(nome);
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
    QTemporaryDir m_esterna; // where the user's own files live
};

void TestAllegaCartella::init()
{
    m_desk = std::make_unique<FakeDesktopInstallato>();
    m_editor = std::make_unique<TfrmRegPagamenti>();
    m_editor->setWindowState(Qt::WindowNoState);
    m_editor->show();
}

void TestAllegaCartella::cleanup()
{
    m_editor.reset();
    m_desk.reset();
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

QTEST_MAIN(TestAllegaCartella)
#include "tst_allegacartella.moc"
