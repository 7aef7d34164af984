#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "output/DocumentoExcel.h"
#include "output/ExpRegPagamenti.h"
#include "output/ModelloRegistro.h"
#include "platform/Aspetto.h"
#include "register/Archivio.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString kDomandaEsporta =
    u"L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di "
    u"schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?"_s;
const QString kDomandaApri =
    u"Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file "
    u"di Excel?"_s;
const QString kAccesso =
    u"Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
    u"possedere i privilegi di scrittura nella cartella di installazione del programma."_s;
const QString kErrore =
    u"Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di "
    u"Excel non sia già aperto."_s;

int Conta(const QByteArray &testo, const QByteArray &pezzo)
{
    return int(testo.count(pezzo));
}

} // namespace

class TestExpRegPagamenti : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(valmora); }
    void init();
    void cleanup();
    void aspetto_colonneERighe();
    void aspetto_righeAlterne_data();
    void aspetto_righeAlterne();
    void esporta_fileEApertura();
    void risposteNo_data();
    void risposteNo();
    void fileNonCreabile_data();
    void fileNonCreabile();
    void esportaLaGriglia_nonLArchivio();
    void archivioVuoto_soloIntestazione();
    void archivioIlleggibile_nessunaEsportazione();
    void lavoroLungo_annunciatoAlDesktop();
    void suggerimenti_data();
    void suggerimenti();
    void nomiAccessibili();
    void esci_chiude();

private:
    QString percorsoXls() const { return m_desktop->percorso(u"Registro_Spese.xls"_s); }
    QString archivio() const { return Archivio::Percorso(m_desktop->cartella.path()); }
    // The screen as the editor shows it, filled from the archive.
    std::unique_ptr<TfrmExpRegPagamenti> Apri();
    void TreSchede();
    void Rispondi(std::initializer_list<bool> risposte)
    {
        for (bool r : risposte)
            m_desktop->risposte.enqueue(r);
    }

    std::unique_ptr<FakeDesktopInstallato> m_desktop;
};

void TestExpRegPagamenti::init() { m_desktop = std::make_unique<FakeDesktopInstallato>(); }
void TestExpRegPagamenti::cleanup() { m_desktop.reset(); }

std::unique_ptr<TfrmExpRegPagamenti> TestExpRegPagamenti::Apri()
{
    auto f = std::make_unique<TfrmExpRegPagamenti>();
    f->show();
    return f;
}

void TestExpRegPagamenti::TreSchede()
{
    ArchivioDiProva::Scrivi(archivio(), {
        ArchivioDiProva::Scheda({{Campo::NumDoc, u"0042"_s},
                                 {Campo::Fornitore, u"Società Elettrica Niccolò"_s},
                                 {Campo::CodFisc, u"01234567890"_s},
                                 {Campo::Codice, u"007"_s},
                                 {Campo::Dovuto, u"120,50"_s},
                                 {Campo::Note, u"x<y & z"_s},
                                 {Campo::DaSaldare, u"Sì"_s}}),
        ArchivioDiProva::Semplice(u"  Rossi  "_s, u"07/03/2024"_s, u"A1"_s, u"Visita"_s),
        ArchivioDiProva::Semplice(u"Bianchi"_s, u"08/03/2024"_s, u"B2"_s, u"Analisi"_s),
    });
}

void TestExpRegPagamenti::aspetto_colonneERighe()
{
    TreSchede();
    auto f = Apri();
    QCOMPARE(f->windowTitle(), u" Esportazione Registro spese in Excel"_s);
    QCOMPARE(f->size(), QSize(862, 560));
    QCOMPARE(GuiTest::Trova<QWidget>(f.get(), u"panContainer"_s)->size(), QSize(837, 533));
    QCOMPARE(GuiTest::Testo(f.get(), u"panInfo"_s), u"Esportazione archivio in Microsoft Excel."_s);
    QVERIFY(!(f->windowFlags() & Qt::WindowCloseButtonHint));

    auto *grd = GuiTest::Trova<QTableView>(f.get(), u"grdRecords"_s);
    QVERIFY(grd);
    QCOMPARE(grd->size(), QSize(821, 409));
    QVERIFY(grd->alternatingRowColors());
    QCOMPARE(grd->verticalHeader()->sectionSize(0), 21);
    QAbstractItemModel *m = grd->model();
    QCOMPARE(m->rowCount(), 3);
    QCOMPARE(m->columnCount(), 15);
    const auto &colonne = ModelloRegistro::Colonne();
    for (int c = 0; c < 15; ++c) {
        QCOMPARE(grd->horizontalHeader()->sectionSize(c), colonne[size_t(c)].larghezza);
        QCOMPARE(m->headerData(c, Qt::Horizontal).toString(), colonne[size_t(c)].titolo);
    }
    QCOMPARE(m->index(0, 0).data().toString(), u"1"_s);
    QCOMPARE(m->index(0, 1).data().toString(), u"0042"_s);
    QCOMPARE(m->index(0, 3).data().toString(), u"Società Elettrica Niccolò"_s);
    QCOMPARE(m->index(0, 14).data().toString(), u"Sì"_s);
    QCOMPARE(m->index(1, 3).data().toString(), u"Rossi"_s);
    QCOMPARE(m->index(2, 0).data().toString(), u"3"_s);
    QVERIFY(m_desktop->messaggi.isEmpty());
}

void TestExpRegPagamenti::aspetto_righeAlterne_data()
{
    QTest::addColumn<bool>("sopraLEditor");
    QTest::newRow("da solo") << false;
    // The editor's style sheet reaches the screens opened over it.
    QTest::newRow("sopra un foglio di stile") << true;
}

void TestExpRegPagamenti::aspetto_righeAlterne()
{
    QFETCH(bool, sopraLEditor);
    Aspetto::Applica();
    TreSchede();
    QWidget editor;
    editor.setObjectName(u"TfrmRegPagamenti"_s);
    editor.setStyleSheet(u"#TfrmRegPagamenti { background-color: #e9eef4; }"_s);
    TfrmExpRegPagamenti f(sopraLEditor ? &editor : nullptr);
    f.setWindowFlag(Qt::Dialog);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    auto *grd = GuiTest::Trova<QTableView>(&f, u"grdRecords"_s);
    const QImage righe = grd->viewport()->grab().toImage();
    // A point of the first column, clear of the text, in each of two rows.
    const int x = grd->columnViewportPosition(0) + grd->columnWidth(0) - 3;
    const QColor prima = righe.pixelColor(x, grd->rowViewportPosition(0) + 10);
    const QColor seconda = righe.pixelColor(x, grd->rowViewportPosition(1) + 10);
    QCOMPARE(seconda.name(), u"#e8eef7"_s);
    QVERIFY(prima != seconda);
}

void TestExpRegPagamenti::esporta_fileEApertura()
{
    TreSchede();
    auto f = Apri();
    Rispondi({true, true});
    GuiTest::Clicca(f.get(), u"cmdEsporta"_s);

    QCOMPARE(m_desktop->messaggi.size(), 2);
    QCOMPARE(m_desktop->messaggi.at(0).genere, FakeDesktop::Voce::Domanda);
    QCOMPARE(m_desktop->messaggi.at(0).testo, kDomandaEsporta);
    QCOMPARE(m_desktop->messaggi.at(1).genere, FakeDesktop::Voce::Domanda);
    QCOMPARE(m_desktop->messaggi.at(1).testo, kDomandaApri);
    QCOMPARE(m_desktop->aperti, QList<QUrl>{QUrl::fromLocalFile(percorsoXls())});

    const QByteArray xls = ArchivioDiProva::Leggi(percorsoXls());
    QVERIFY(xls.startsWith("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\""));
    QVERIFY(xls.endsWith("</tr></table></body></html>"));
    QVERIFY(!xls.contains('\r'));
    QVERIFY(!xls.contains('\n'));
    // Header row and three data rows of fourteen cells: 4 * 14 cells.
    QCOMPARE(Conta(xls, "<tr>"), 4);
    QCOMPARE(Conta(xls, "</tr>"), 4);
    QCOMPARE(Conta(xls, "<td "), 4 * 14);
    QVERIFY(xls.contains(">S\xEC</td>"));
    QVERIFY(xls.contains(">Societ\xE0 Elettrica Niccol\xF2</td>"));
    QVERIFY(xls.contains(">x&lt;y &amp; z</td>"));
    QVERIFY(xls.contains(" sdnum=\"1040;0;@\">0042</td>"));
    QVERIFY(xls.contains(" sdnum=\"1040;0;@\">01234567890</td>"));
    QVERIFY(xls.contains(" sdnum=\"1040;0;@\">007</td>"));
    QVERIFY(xls.contains(" sdnum=\"1040;0;@\">Rossi</td>"));
    QVERIFY(xls.contains(" sdnum=\"1033;1040;0,00\" sdval=\"120.50\" x:num=\"120.50\">120,50</td>"));
    // The row number is not exported.
    QVERIFY(!xls.contains(">1</td>"));
}

void TestExpRegPagamenti::risposteNo_data()
{
    QTest::addColumn<bool>("esporta");
    QTest::addColumn<bool>("apri");
    QTest::newRow("no all'esportazione") << false << true;
    QTest::newRow("no all'apertura") << true << false;
}

void TestExpRegPagamenti::risposteNo()
{
    QFETCH(bool, esporta);
    QFETCH(bool, apri);
    TreSchede();
    const QByteArray precedente = "<html>esportazione di ieri</html>";
    {
        QFile vecchio(percorsoXls());
        QVERIFY(vecchio.open(QIODevice::WriteOnly));
        vecchio.write(precedente);
    }
    auto f = Apri();
    Rispondi({esporta, apri});
    GuiTest::Clicca(f.get(), u"cmdEsporta"_s);

    QCOMPARE(m_desktop->messaggi.size(), esporta ? 2 : 1);
    QCOMPARE(m_desktop->messaggi.at(0).testo, kDomandaEsporta);
    const QByteArray xls = ArchivioDiProva::Leggi(percorsoXls());
    if (esporta)
        QCOMPARE(Conta(xls, "<tr>"), 4);
    else
        QCOMPARE(xls, precedente);
    QVERIFY(m_desktop->aperti.isEmpty());
}

void TestExpRegPagamenti::fileNonCreabile_data()
{
    QTest::addColumn<bool>("cartellaAlPostoDelFile");
    QTest::newRow("una cartella con il nome del file") << true;
    QTest::newRow("cartella del programma sparita") << false;
}

void TestExpRegPagamenti::fileNonCreabile()
{
    QFETCH(bool, cartellaAlPostoDelFile);
    TreSchede();
    auto f = Apri();
    QCOMPARE(f->Modello().rowCount(), 3);
    if (cartellaAlPostoDelFile)
        QVERIFY(QDir().mkdir(percorsoXls()));
    else
        QVERIFY(QDir(m_desktop->cartella.path()).removeRecursively());

    Rispondi({true, true});
    GuiTest::Clicca(f.get(), u"cmdEsporta"_s);

    QCOMPARE(m_desktop->messaggi.size(), 2);
    QCOMPARE(m_desktop->messaggi.at(1).genere, FakeDesktop::Voce::Semplice);
    QCOMPARE(m_desktop->messaggi.at(1).testo, kErrore);
    QVERIFY(m_desktop->aperti.isEmpty());
    QCOMPARE(QFileInfo(percorsoXls()).isDir(), cartellaAlPostoDelFile);
    // Nothing half-written is left beside it.
    if (cartellaAlPostoDelFile)
        QCOMPARE(QDir(m_desktop->cartella.path()).entryList(QDir::Files),
                 QStringList{Archivio::NomeFile()});
}

void TestExpRegPagamenti::esportaLaGriglia_nonLArchivio()
{
    TreSchede();
    auto f = Apri();
    auto *grd = GuiTest::Trova<QTableView>(f.get(), u"grdRecords"_s);
    QVERIFY(grd->model()->setData(grd->model()->index(1, 13), u"pagato in contanti"_s));
    // A cell still open for typing when the button is pressed.
    const QModelIndex aperta = grd->model()->index(2, 3);
    grd->setCurrentIndex(aperta);
    grd->edit(aperta);
    auto *editor = qobject_cast<QLineEdit *>(grd->indexWidget(aperta));
    QVERIFY(editor);
    editor->setText(u"Bianchi & Figli"_s);
    // The archive changes after the screen was filled: the export does not see it.
    ArchivioDiProva::Scrivi(archivio(), {ArchivioDiProva::Semplice(u"Verdi"_s, u"09/03/2024"_s,
                                                                   u"C3"_s, u"Altro"_s)});
    Rispondi({true, false});
    GuiTest::Clicca(f.get(), u"cmdEsporta"_s);

    const QByteArray xls = ArchivioDiProva::Leggi(percorsoXls());
    QCOMPARE(Conta(xls, "<tr>"), 4);
    QVERIFY(xls.contains(">pagato in contanti</td>"));
    QVERIFY(xls.contains(">Bianchi &amp; Figli</td>"));
    QVERIFY(!xls.contains("Verdi"));
}

void TestExpRegPagamenti::archivioVuoto_soloIntestazione()
{
    auto f = Apri();
    QCOMPARE(f->Modello().rowCount(), 0);
    QVERIFY(QFile::exists(archivio()));
    Rispondi({true, false});
    GuiTest::Clicca(f.get(), u"cmdEsporta"_s);
    const QByteArray xls = ArchivioDiProva::Leggi(percorsoXls());
    QCOMPARE(Conta(xls, "<tr>"), 1);
    QCOMPARE(Conta(xls, "<td "), 14);
}

void TestExpRegPagamenti::archivioIlleggibile_nessunaEsportazione()
{
    // A folder where the archive should be: it can be neither read nor created.
    QVERIFY(QDir().mkdir(archivio()));
    const QByteArray precedente = "<html>esportazione di ieri</html>";
    {
        QFile vecchio(percorsoXls());
        QVERIFY(vecchio.open(QIODevice::WriteOnly));
        vecchio.write(precedente);
    }
    auto f = Apri();
    QCOMPARE(m_desktop->messaggi.size(), 1);
    QCOMPARE(m_desktop->messaggi.at(0).genere, FakeDesktop::Voce::Semplice);
    QCOMPARE(m_desktop->messaggi.at(0).testo, kAccesso);
    QCOMPARE(f->Modello().rowCount(), 0);

    Rispondi({true, true});
    GuiTest::Clicca(f.get(), u"cmdEsporta"_s);
    // No question, no success, no file written over the earlier export.
    QCOMPARE(m_desktop->messaggi.size(), 2);
    QCOMPARE(m_desktop->messaggi.at(1).genere, FakeDesktop::Voce::Semplice);
    QCOMPARE(m_desktop->messaggi.at(1).testo, kAccesso);
    QCOMPARE(ArchivioDiProva::Leggi(percorsoXls()), precedente);
    QVERIFY(m_desktop->aperti.isEmpty());
    QCOMPARE(QDir(m_desktop->cartella.path()).entryList(QDir::Files), QStringList{DocumentoExcel::NomeFile()});
}

// The export is long work of the export window: the desktop hears of it (to
// show the busy cursor and the progress, and keep the window painted) from
// the first block to the last, and of its end.
void TestExpRegPagamenti::lavoroLungo_annunciatoAlDesktop()
{
    // Enough records for the document to go to the file in several blocks.
    QList<TScheda> schede;
    for (int i = 0; i < 4000; ++i)
        schede.append(ArchivioDiProva::Semplice(u"Fornitore con un nome lungo %1"_s.arg(i), u"07/03/2024"_s,
                                                u"COD%1"_s.arg(i), u"Visita specialistica"_s));
    ArchivioDiProva::Scrivi(archivio(), schede);
    auto f = Apri();
    m_desktop->lavori.clear(); // the grid's own scan
    Rispondi({true, false});
    GuiTest::Clicca(f.get(), u"cmdEsporta"_s);

    QCOMPARE(m_desktop->messaggi.size(), 2);
    QCOMPARE(m_desktop->messaggi.at(1).testo, kDomandaApri);
    QCOMPARE(m_desktop->lavori.size(), 1);
    const FakeDesktop::Lavoro &l = m_desktop->lavori.first();
    QCOMPARE(l.finestra, f.get());
    QVERIFY(!l.testo.isEmpty());
    QVERIFY(l.finito);
    QCOMPARE(m_desktop->lavoriInCorso, 0);
    QVERIFY2(l.avanzamenti.size() >= 2, qPrintable(QString::number(l.avanzamenti.size())));
    for (qsizetype i = 1; i < l.avanzamenti.size(); ++i)
        QVERIFY(l.avanzamenti.at(i) > l.avanzamenti.at(i - 1));
    QCOMPARE(l.avanzamenti.last(), 100);
}

void TestExpRegPagamenti::suggerimenti_data()
{
    QTest::addColumn<QString>("controllo");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("cmdEsporta") << u"cmdEsporta"_s << u"Esporta l'archivio in formato Microsoft Excel."_s;
    QTest::newRow("cmdGuida") << u"cmdGuida"_s << u"Visualizza la pagina della guida sensibile al contesto."_s;
    QTest::newRow("cmdEsci") << u"cmdEsci"_s << u"Esci da questo ambiente di lavoro."_s;
    QTest::newRow("finestra") << QString() << QString();
    QTest::newRow("panContainer") << u"panContainer"_s << QString();
    QTest::newRow("grdRecords") << u"grdRecords"_s << QString();
    QTest::newRow("shpInfo") << u"shpInfo"_s << QString();
    QTest::newRow("shpSfondo") << u"shpSfondo"_s << QString();
}

void TestExpRegPagamenti::suggerimenti()
{
    QFETCH(QString, controllo);
    QFETCH(QString, atteso);
    auto f = Apri();
    const auto muovi = [](QWidget *w) {
        QMouseEvent e(QEvent::MouseMove, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    };
    QWidget *w = f.get();
    if (!controllo.isEmpty())
        w = GuiTest::Trova<QWidget>(f.get(), controllo);
    QVERIFY(w);
    if (auto *vista = qobject_cast<QAbstractScrollArea *>(w))
        w = vista->viewport();
    // Start from a hint that differs from the expected one.
    muovi(GuiTest::Trova<QWidget>(f.get(), atteso.isEmpty() ? u"cmdGuida"_s : u"shpInfo"_s));
    QVERIFY(GuiTest::Testo(f.get(), u"panInfo"_s) != atteso);
    muovi(w);
    QCOMPARE(GuiTest::Testo(f.get(), u"panInfo"_s), atteso);
}

void TestExpRegPagamenti::nomiAccessibili()
{
    TreSchede();
    auto f = Apri();
    QCOMPARE(GuiTest::SenzaNomeAccessibile(f.get()), QStringList());
}

void TestExpRegPagamenti::esci_chiude()
{
    auto f = Apri();
    QVERIFY(f->isVisible());
    GuiTest::Clicca(f.get(), u"cmdEsci"_s);
    QVERIFY(!f->isVisible());
    QVERIFY(m_desktop->messaggi.isEmpty());
}

QTEST_MAIN(TestExpRegPagamenti)
#include "tst_exp_reg_pagamenti.moc"
