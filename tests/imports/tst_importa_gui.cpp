// The import screen driven as a user would, reached from the register
// editor: the preview, the ticks by keyboard, the codes of new payees, the
// records written and the messages, through the desktop seam.
#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "Programma.h"
#include "TestoPdf.h"
#include "app/GuidaPdf.h"
#include "app/TestiGuida.h"
#include "imports/Importa.h"
#include "imports/ModelloImportazione.h"
#include "platform/Schermate.h"
#include "register/Archivio.h"
#include "register/CopieGiornaliere.h"
#include "register/RegPagamenti.h"
#include "ui_Importa.h"
#include "ui_RegPagamenti.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QString FileEstratto(const QString &nome)
{
    return QStringLiteral(ESTRATTI "/") + nome;
}

QStringList Riga(ModelloImportazione &m, int r)
{
    QStringList celle;
    for (int c = 0; c < ModelloImportazione::NumeroColonne; ++c)
        celle.append(m.index(r, c).data().toString());
    return celle;
}

} // namespace

class TestImportaGui : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dalRegistro();
    void anteprimaEImportazione();
    void codiciRichiesti();
    void fileGuasti_data();
    void fileGuasti();
    void mappaturaDalleTendine();
    void archivioLettoPerGliImporti();
    void diecimilaRighe();
    void guida();

private:
    std::unique_ptr<FakeDesktopInstallato> m_desktop;
};

void TestImportaGui::init()
{
    m_desktop = std::make_unique<FakeDesktopInstallato>();
}

void TestImportaGui::cleanup()
{
    m_desktop.reset();
}

void TestImportaGui::dalRegistro()
{
    // The editor's button beside the export opens the import screen.
    TfrmRegPagamenti editor;
    Programma::CollegaEditor(editor);
    editor.show();
    QToolButton *pulsante = editor.Controlli()->cmdImporta;
    // The caption as shown, its Alt letter (M) marked by the ampersand.
    QCOMPARE(pulsante->text(), u"Importa &movimenti"_s);
    QVERIFY(!pulsante->accessibleName().isEmpty());
    QString aperta;
    m_desktop->quandoModale = [&](QDialog *d) {
        aperta = d->objectName();
        return 0;
    };
    QTest::mouseClick(pulsante, Qt::LeftButton);
    QCOMPARE(aperta, u"TfrmImporta"_s);
}

void TestImportaGui::anteprimaEImportazione()
{
    const QString archivio = Archivio::Percorso(m_desktop->cartella.path());
    const QList<TScheda> esistenti{
        ArchivioDiProva::Semplice(u"Enel Energia"_s, u"04/03/2024"_s, u"LUCE"_s, u"Bolletta"_s, u"85,40"_s),
        ArchivioDiProva::Scheda({{Campo::Fornitore, u"Farmacia Centrale"_s}, {Campo::Data, u"10/01/2024"_s},
                                 {Campo::Codice, u"FARM"_s}, {Campo::Tipologia, u"Spese mediche"_s},
                                 {Campo::Dovuto, u"5,00"_s}})};
    ArchivioDiProva::Scrivi(archivio, esistenti);

    TfrmImporta d;
    d.show();
    m_desktop->fileScelti.enqueue(FileEstratto(u"conto_addebiti_accrediti.csv"_s));
    QTest::mouseClick(d.Controlli()->cmdApri, Qt::LeftButton);
    QVERIFY(m_desktop->messaggi.isEmpty());
    QCOMPARE(d.Controlli()->lblRilevato->text(),
             u"Formato: CSV; codifica: UTF-8; separatore: punto e virgola; intestazione delle colonne alla riga 5 "
             "(4 righe iniziali saltate)."_s);
    QCOMPARE(d.Controlli()->cboAddebito->currentText(), u"Addebiti"_s);
    ModelloImportazione &m = d.Modello();
    QCOMPARE(m.rowCount(), 4);
    QCOMPARE(Riga(m, 0), QStringList({QString(), u"6"_s, u"05/03/2024"_s, u"ADDEBITO SDD ENEL ENERGIA SPA"_s,
                                      u"ADDEBITO SDD ENEL ENERGIA SPA - Bolletta luce marzo"_s, u"85,40"_s,
                                      u"LUCE"_s, QString(),
                                      u"Doppione della scheda n. 1 (04/03/2024, Enel Energia)"_s}));
    QCOMPARE(m.index(0, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
    QCOMPARE(m.index(1, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
    // The salary: money coming in, greyed and not tickable.
    QCOMPARE(m.index(2, ModelloImportazione::Importo).data().toString(), u"+2100,00"_s);
    QVERIFY(!(m.flags(m.index(2, 0)) & Qt::ItemIsUserCheckable));
    QVERIFY(m.index(2, 1).data(Qt::ForegroundRole).isValid());
    QCOMPARE(m.index(3, ModelloImportazione::Codice).data().toString(), u"FARM"_s);

    // Space on the grid unticks the condominium, a second Space ticks it again.
    QTableView *griglia = d.Controlli()->grdMovimenti;
    griglia->setFocus();
    griglia->setCurrentIndex(m.index(1, ModelloImportazione::Fornitore));
    QTest::keyClick(griglia, Qt::Key_Space);
    QCOMPARE(m.Righe().at(1).spuntata, false);
    QTest::keyClick(griglia, Qt::Key_Space);
    QCOMPARE(m.Righe().at(1).spuntata, true);

    GuiTest::Scrivi(&d, u"txtCodice"_s, u"CASA"_s);
    GuiTest::Scrivi(&d, u"txtTipologia"_s, u"Condominio"_s);
    QCOMPARE(m.index(1, ModelloImportazione::Tipologia).data().toString(), u"Condominio"_s);
    QTest::mouseClick(d.Controlli()->cmdImporta, Qt::LeftButton);
    QCOMPARE(m_desktop->ultimoGenere(), FakeDesktop::Voce::Informazione);
    QCOMPARE(m_desktop->ultimoTesto(),
             u"Sono state aggiunte 2 schede all'archivio, dalla posizione 3 alla posizione 4.\n\r\n\r"
             "L'archivio com'era prima dell'importazione è conservato nella cartella Backup con il nome "
             "\"Operazioni_Pagamenti-20240315-103000-prima-importazione.pro\": si può ripristinare da "
             "\"Copie di sicurezza\"."_s);
    QByteArray attese;
    for (const TScheda &s : esistenti)
        attese.append(s.byte.data(), TScheda::Dimensione);
    const auto scheda = [](const QString &data, const QString &fornitore, const QString &servizi,
                           const QString &importo, const QString &codice, const QString &tipologia) {
        return ArchivioDiProva::Scheda({{Campo::Data, data}, {Campo::Fornitore, fornitore}, {Campo::Codice, codice},
                                        {Campo::Tipologia, tipologia}, {Campo::Servizi, servizi},
                                        {Campo::Dovuto, importo}, {Campo::Acconto, importo},
                                        {Campo::Saldo, u"0,00"_s}, {Campo::DaSaldare, u"No"_s}});
    };
    for (const TScheda &s : {scheda(u"07/03/2024"_s, u"BONIFICO A FAVORE DI Condominio Via Roma"_s,
                                    u"BONIFICO A FAVORE DI Condominio Via Roma - rata 2"_s, u"1250,00"_s, u"CASA"_s,
                                    u"Condominio"_s),
                             scheda(u"12/03/2024"_s, u"PAGAMENTO POS FARMACIA CENTRALE"_s,
                                    u"PAGAMENTO POS FARMACIA CENTRALE"_s, u"23,90"_s, u"FARM"_s,
                                    u"Spese mediche"_s)})
        attese.append(s.byte.data(), TScheda::Dimensione);
    QCOMPARE(ArchivioDiProva::Leggi(archivio), attese);
    QCOMPARE(d.Aggiunte(), 2);

    // The preview follows the archive: nothing is left to import.
    QVERIFY(std::none_of(m.Righe().cbegin(), m.Righe().cend(), [](const auto &r) { return r.spuntata; }));
    QVERIFY(!d.Controlli()->cmdImporta->isEnabled());
}

void TestImportaGui::codiciRichiesti()
{
    TfrmImporta d;
    d.show();
    QVERIFY(d.ApriFile(FileEstratto(u"conto.qif"_s)));
    QTest::mouseClick(d.Controlli()->cmdImporta, Qt::LeftButton);
    QCOMPARE(m_desktop->ultimoGenere(), FakeDesktop::Voce::Avviso);
    QCOMPARE(m_desktop->ultimoTesto(), u"2 righe spuntate hanno un beneficiario senza schede in archivio: scrivere "
                                       "il Codice e la Tipologia da dare loro."_s);
    QCOMPARE(ArchivioDiProva::Leggi(Archivio::Percorso(m_desktop->cartella.path())).size(), 0);
}

void TestImportaGui::fileGuasti_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("vuoto") << u"vuoto.csv"_s
                           << u"Il file \"vuoto.csv\" non può essere importato: il file è vuoto.\n\r\n\r"
                              "Nessuna scheda è stata aggiunta."_s;
    QTest::newRow("binario") << u"binario.csv"_s
                             << u"Il file \"binario.csv\" non può essere importato: il file contiene dati binari: "
                                "non è un estratto conto in formato CSV, OFX o QIF.\n\r\n\rNessuna scheda è stata "
                                "aggiunta."_s;
    QTest::newRow("OFX troncato") << u"troncato.ofx"_s
                                  << u"Il file \"troncato.ofx\" non può essere importato: file OFX troncato: la "
                                     "transazione della riga 12 non è chiusa.\n\r\n\rNessuna scheda è stata "
                                     "aggiunta."_s;
    QTest::newRow("mancante") << u"non_esiste.csv"_s
                              << u"Impossibile leggere il file \"non_esiste.csv\": No such file or directory.\n\r\n\r"
                                 "Nessuna scheda è stata aggiunta."_s;
}

void TestImportaGui::fileGuasti()
{
    QFETCH(QString, file);
    QFETCH(QString, messaggio);
    const QString archivio = Archivio::Percorso(m_desktop->cartella.path());
    ArchivioDiProva::Scrivi(archivio, ArchivioDiProva::Numerate(2));
    const QByteArray prima = ArchivioDiProva::Leggi(archivio);
    TfrmImporta d;
    d.show();
    QVERIFY(!d.ApriFile(FileEstratto(file)));
    QCOMPARE(m_desktop->ultimoGenere(), FakeDesktop::Voce::Errore);
    QCOMPARE(m_desktop->ultimoTesto(), messaggio);
    QCOMPARE(d.Modello().rowCount(), 0);
    QVERIFY(!d.Controlli()->cmdImporta->isEnabled());
    QCOMPARE(ArchivioDiProva::Leggi(archivio), prima);
}

void TestImportaGui::mappaturaDalleTendine()
{
    // Unreadable amounts are named line by line; nothing can be imported.
    TfrmImporta d;
    d.show();
    QVERIFY(d.ApriFile(FileEstratto(u"importi_illeggibili.csv"_s)));
    ModelloImportazione &m = d.Modello();
    QCOMPARE(m.rowCount(), 2);
    QCOMPARE(m.NotaDi(0), u"Non letta: importo non leggibile: \"dieci euro\""_s);
    QVERIFY(!d.Controlli()->cmdImporta->isEnabled());
    QCOMPARE(m_desktop->ultimoGenere(), FakeDesktop::Voce::Errore);
    QCOMPARE(m_desktop->ultimoTesto(),
             u"Nessuna riga del file \"importi_illeggibili.csv\" può essere importata:\n\r\n\r"
             "riga 2: importo non leggibile: \"dieci euro\";\n\rriga 3: importo non leggibile: \"--\".\n\r\n\r"
             "Controllare le colonne scelte; nessuna scheda è stata aggiunta."_s);
    QCOMPARE(ArchivioDiProva::Leggi(Archivio::Percorso(m_desktop->cartella.path())).size(), 0);
    m_desktop->pulisci();

    // In the signed file, taking the value date column as operation date.
    QVERIFY(d.ApriFile(FileEstratto(u"conto_con_segno.csv"_s)));
    QVERIFY(m_desktop->messaggi.isEmpty());
    QCOMPARE(m.index(2, ModelloImportazione::Data).data().toString(), u"10/04/2024"_s);
    d.Controlli()->cboData->setCurrentIndex(2); // "Data valuta"
    // The third line has no value date: it is named, not skipped.
    QCOMPARE(m.rowCount(), 3);
    QCOMPARE(m.NotaDi(2), u"Non letta: manca la data"_s);
    d.Controlli()->cboImporto->setCurrentIndex(0);
    QCOMPARE(d.Controlli()->lblRiepilogo->text(),
             u"Scegliere la colonna dell'importo, oppure quelle degli addebiti e degli accrediti."_s);
    QVERIFY(!d.Controlli()->cmdImporta->isEnabled());
}

void TestImportaGui::archivioLettoPerGliImporti()
{
    const QString archivio = Archivio::Percorso(m_desktop->cartella.path());
    const QString file = QDir(m_desktop->cartella.path()).filePath(u"due_importi.csv"_s);
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Data;Beneficiario;Importo;Saldo\n05/03/2024;Enel Energia;-10,00;-85,40\n");
    f.close();
    const QString inaccessibile = u"Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                  "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                  "installazione del programma."_s;
    const auto letture = [this] {
        return std::count_if(m_desktop->lavori.cbegin(), m_desktop->lavori.cend(),
                             [](const auto &l) { return l.testo == u"Lettura dell'archivio in corso..."_s; });
    };

    // An archive that cannot be read: said, and nothing to import.
    QVERIFY(QDir().mkpath(archivio));
    TfrmImporta d;
    d.show();
    ModelloImportazione &m = d.Modello();
    QVERIFY(!d.ApriFile(file));
    QCOMPARE(m_desktop->ultimoGenere(), FakeDesktop::Voce::Errore);
    QCOMPARE(m_desktop->ultimoTesto(), inaccessibile);
    QCOMPARE(d.Controlli()->lblRilevato->text(), u"L'archivio non può essere letto."_s);
    QCOMPARE(m.rowCount(), 0);
    QVERIFY(!d.Controlli()->cmdImporta->isEnabled());
    m_desktop->pulisci();

    QVERIFY(QDir(archivio).removeRecursively());
    ArchivioDiProva::Scrivi(archivio, {ArchivioDiProva::Semplice(u"Enel Energia"_s, u"04/03/2024"_s, u"LUCE"_s,
                                                                 u"Bolletta"_s, u"85,40"_s)});
    QVERIFY(d.ApriFile(file));
    QVERIFY(m_desktop->messaggi.isEmpty());
    QCOMPARE(d.Controlli()->cboImporto->currentText(), u"Importo"_s);
    QCOMPARE(m.NotaDi(0), QString());
    QVERIFY(m.Righe().at(0).spuntata);
    // Another amount column: the archive is read again for its amounts.
    d.Controlli()->cboImporto->setCurrentIndex(d.Controlli()->cboImporto->findText(u"Saldo"_s));
    QCOMPARE(m.NotaDi(0), u"Doppione della scheda n. 1 (04/03/2024, Enel Energia)"_s);
    QVERIFY(!m.Righe().at(0).spuntata);
    // The tolerance looks up the same amounts: no new reading.
    const auto lette = letture();
    d.Controlli()->spnTolleranza->setValue(0);
    QCOMPARE(m.NotaDi(0), QString());
    QCOMPARE(letture(), lette);

    // The archive gone unreadable when it must be read again: said, and the
    // preview of the archive as it was is not left to import from.
    QVERIFY(QFile::remove(archivio));
    QVERIFY(QDir().mkpath(archivio));
    d.Controlli()->cboImporto->setCurrentIndex(d.Controlli()->cboImporto->findText(u"Importo"_s));
    QCOMPARE(m_desktop->ultimoGenere(), FakeDesktop::Voce::Errore);
    QCOMPARE(m_desktop->ultimoTesto(), inaccessibile);
    QCOMPARE(d.Controlli()->lblRilevato->text(), u"L'archivio non può essere letto."_s);
    QCOMPARE(m.rowCount(), 0);
    QVERIFY(!d.Controlli()->cmdImporta->isEnabled());
}

void TestImportaGui::diecimilaRighe()
{
    // A long statement: its reading shows progress through the seam.
    QByteArray csv = "Data;Beneficiario;Descrizione;Importo\n";
    for (int i = 0; i < 10000; ++i)
        csv += QByteArray::number(1 + i % 28) + "/0" + QByteArray::number(1 + i % 9) + "/2024;Negozio "
               + QByteArray::number(i) + ";Spesa;-" + QByteArray::number(1 + i) + ",50\n";
    const QString percorso = QDir(m_desktop->cartella.path()).filePath(u"lungo.csv"_s);
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(csv);
    f.close();
    TfrmImporta d;
    d.show();
    QVERIFY(d.ApriFile(percorso));
    QCOMPARE(d.Modello().rowCount(), 10000);
    QVERIFY(std::any_of(m_desktop->lavori.cbegin(), m_desktop->lavori.cend(), [](const auto &l) {
        return l.testo == u"Lettura dell'estratto conto in corso..."_s && l.finito;
    }));
}

void TestImportaGui::guida()
{
    // The screen's help, and the user guide as the build writes it.
    TfrmImporta d;
    d.show();
    QString titolo;
    m_desktop->quandoModale = [&](QDialog *g) {
        if (auto *l = g->findChild<QLabel *>(u"lblTitolo"_s))
            titolo = l->text();
        return 0;
    };
    QTest::mouseClick(d.Controlli()->cmdGuida, Qt::LeftButton);
    QCOMPARE(titolo, TestiGuida::TitoloImportazione());
    const QString pdf = QDir(m_desktop->cartella.path()).filePath(u"Guida.pdf"_s);
    QVERIFY(GuidaPdf::Scrivi(pdf, GuidaPdf::ArgomentiDelProgramma()));
    const QString testo = TestoPdf::Pagine(pdf).join(u'\n').simplified();
    for (const QString &atteso : {u"Importa movimenti da un estratto conto"_s, u"OFX e QFX, e QIF"_s,
                                  u"probabile doppione"_s, u"-prima-importazione"_s})
        QVERIFY2(testo.contains(atteso), qPrintable(atteso));
}

QTEST_MAIN(TestImportaGui)
#include "tst_importa_gui.moc"
