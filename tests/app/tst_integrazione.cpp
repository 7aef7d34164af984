// The screens working together, as the running program wires them: the real
// start-up instances, dialogs opened from the screens that own them, records
// loaded into the one editor, lists printed to paper, and the whole road from
// the password to the statement.
#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "TestoPdf.h"
#include "Programma.h"
#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "app/Guida.h"
#include "app/Info.h"
#include "app/Splash.h"
#include "app/TestiGuida.h"
#include "charts/Statistiche.h"
#include "checks/CodFisc.h"
#include "checks/PartitaIVA.h"
#include "lists/RigaScheda.h"
#include "lists/SospesePag.h"
#include "lists/TrovaRegPagamenti.h"
#include "output/ExpRegPagamenti.h"
#include "output/StampaRegPagamenti.h"
#include "platform/Schermate.h"
#include "register/AllegaCartella.h"
#include "register/Archivio.h"
#include "register/Calendario.h"
#include "register/RegPagamenti.h"
#include "summary/MenuRiepPagamenti.h"
#include "summary/RiepPagamenti.h"
#include "ui_RegPagamenti.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QtTest>

using namespace ArchivioDiProva;
using GuiTest::Clicca;
using GuiTest::DoppioClic;
using GuiTest::Scrivi;
using GuiTest::Testo;

namespace {

QStringList RigheDi(QWidget *radice)
{
    QStringList righe;
    auto *lista = GuiTest::Trova<QListView>(radice, QStringLiteral("lstRecords"));
    for (int i = 0; lista && i < lista->model()->rowCount(); ++i)
        righe << lista->model()->index(i, 0).data().toString();
    return righe;
}

// The text a help dialog shows, whatever kind of text box holds it.
QString TestoGuida(QWidget *guida)
{
    QWidget *w = guida->findChild<QWidget *>(QStringLiteral("txtGuida"));
    if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        return p->toPlainText();
    if (auto *t = qobject_cast<QTextEdit *>(w))
        return t->toPlainText();
    return QString();
}

// Picks an item of an editable drop-down as the user would (the text is typed).
void Scegli(QWidget *radice, const QString &nome, const QString &voce)
{
    auto *c = GuiTest::Trova<QComboBox>(radice, nome);
    c->setCurrentIndex(c->findText(voce));
}

QString TestoStampato(const QString &pdf)
{
    return TestoPdf::Pagine(pdf).join(QLatin1Char('\n'));
}

} // namespace

class TestIntegrazione : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void guida_data();
    void guida();
    void identificativo_data();
    void identificativo();
    void richiamo_data();
    void richiamo();
    void stampaLista_data();
    void stampaLista();
    void stampaScheda();
    void percorsoCompleto();
    void nomiAccessibili();

private:
    Schermate &s() { return Schermate::Globali(); }
    QString archivio() const { return Archivio::Percorso(m_fake->cartella.path()); }
    // Shows a start-up screen as the start menu would, and makes it active.
    void Mostra(QWidget *schermata);
    QWidget *Schermata(const QString &nome);
    // Fills the criteria screen for the whole of March 2024.
    void CriteriMarzo();

    std::unique_ptr<FakeDesktopInstallato> m_fake;
};

void TestIntegrazione::init()
{
    m_fake = std::make_unique<FakeDesktopInstallato>();
    Programma::CreaSchermate();
}

void TestIntegrazione::cleanup()
{
    Programma::DistruggiSchermate();
    m_fake.reset();
}

void TestIntegrazione::Mostra(QWidget *schermata)
{
    schermata->setWindowState(Qt::WindowNoState);
    schermata->resize(1280, 720);
    schermata->show();
    QApplication::setActiveWindow(schermata);
    QVERIFY(QTest::qWaitForWindowActive(schermata));
}

QWidget *TestIntegrazione::Schermata(const QString &nome)
{
    if (nome == u"avvio")
        return s().frmAvvio;
    if (nome == u"registro")
        return s().frmRegPagamenti;
    if (nome == u"criteri")
        return s().frmMenuRiepPagamenti;
    if (nome == u"grafici")
        return s().frmStatistiche;
    return nullptr;
}

void TestIntegrazione::CriteriMarzo()
{
    QWidget *criteri = s().frmMenuRiepPagamenti;
    Scrivi(criteri, QStringLiteral("txtAnno"), QStringLiteral("2024"));
    Scegli(criteri, QStringLiteral("txtGiornoInizio"), QStringLiteral("01"));
    Scegli(criteri, QStringLiteral("txtMeseInizio"), QStringLiteral("Marzo"));
    Scegli(criteri, QStringLiteral("txtGiornoFine"), QStringLiteral("31"));
    Scegli(criteri, QStringLiteral("txtMeseFine"), QStringLiteral("Marzo"));
}

// ------------------------------------------------------------------ help

void TestIntegrazione::guida_data()
{
    QTest::addColumn<QString>("schermata");
    // Buttons clicked in turn: the first on the screen, each next one inside
    // the dialog the previous click opened.
    QTest::addColumn<QStringList>("clic");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("proprietario");

    QTest::newRow("menu di avvio") << "avvio" << QStringList{QStringLiteral("imgGuida")} << TestiGuida::TitoloAvvio()
                                   << TestiGuida::TestoAvvio() << "TfrmAvvio";
    QTest::newRow("registro") << "registro" << QStringList{QStringLiteral("cmdGuida")} << TestiGuida::TitoloRegistro()
                              << TestiGuida::TestoRegistro() << "TfrmRegPagamenti";
    QTest::newRow("riepilogo") << "criteri" << QStringList{QStringLiteral("btnVisualizza"), QStringLiteral("imgGuida")}
                               << TestiGuida::TitoloRiepilogo() << TestiGuida::TestoRiepilogo()
                               << "TfrmRiepPagamenti";
    QTest::newRow("grafici") << "grafici" << QStringList{QStringLiteral("imgGuida")} << TestiGuida::TitoloGrafici()
                             << TestiGuida::TestoGrafici() << "TfrmStatistiche";
    QTest::newRow("esportazione") << "registro" << QStringList{QStringLiteral("cmdEsporta"), QStringLiteral("cmdGuida")}
                                  << TestiGuida::TitoloEsportazione() << TestiGuida::TestoEsportazione()
                                  << "TfrmExpRegPagamenti";
    QTest::newRow("importazione") << "registro" << QStringList{QStringLiteral("cmdImporta"), QStringLiteral("cmdGuida")}
                                  << TestiGuida::TitoloImportazione() << TestiGuida::TestoImportazione()
                                  << "TfrmImporta";
}

void TestIntegrazione::guida()
{
    QFETCH(QString, schermata);
    QFETCH(QStringList, clic);
    QFETCH(QString, titolo);
    QFETCH(QString, testo);
    QFETCH(QString, proprietario);

    QWidget *radice = Schermata(schermata);
    Mostra(radice);
    if (radice == s().frmMenuRiepPagamenti)
        CriteriMarzo();

    int passo = 1;
    QString titoloVisto, testoVisto, proprietarioVisto;
    int guide = 0;
    m_fake->quandoModale = [&](QDialog *d) {
        if (QString::fromLatin1(d->metaObject()->className()) == u"TfrmGuida") {
            ++guide;
            titoloVisto = Testo(d, QStringLiteral("lblTitolo"));
            testoVisto = TestoGuida(d);
            proprietarioVisto = d->parentWidget()
                ? QString::fromLatin1(d->parentWidget()->metaObject()->className()) : QString();
        } else if (passo < clic.size()) {
            Clicca(d, clic.at(passo++));
        }
        return int(QDialog::Rejected);
    };
    Clicca(radice, clic.first());

    QCOMPARE(guide, 1);
    QVERIFY(m_fake->messaggi.isEmpty());
    QCOMPARE(titoloVisto, titolo);
    QVERIFY(!testoVisto.trimmed().isEmpty());
    // The topic's paragraphs, line ends aside.
    QString atteso = testo;
    atteso.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(testoVisto, atteso);
    QCOMPARE(proprietarioVisto, proprietario);
}

// ------------------------------------------------------------------ identifier button

void TestIntegrazione::identificativo_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("classe");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("valore");

    QTest::newRow("partita IVA") << "01234567890" << "TfrmPartitaIva" << "txtPartitaIva" << "01234567890";
    QTest::newRow("codice fiscale") << "rssmra80a01h501u" << "TfrmCodFisc" << "txtCodFisc"
                                    << "RSSMRA80A01H501U";
    QTest::newRow("cifre e lettere") << "0123456789X" << "TfrmCodFisc" << "txtCodFisc" << "0123456789X";
    QTest::newRow("vuoto") << "" << "TfrmCodFisc" << "txtCodFisc" << "";
}

void TestIntegrazione::identificativo()
{
    QFETCH(QString, digitato);
    QFETCH(QString, classe);
    QFETCH(QString, campo);
    QFETCH(QString, valore);

    auto *editor = qobject_cast<TfrmRegPagamenti *>(s().frmRegPagamenti);
    Mostra(editor);
    Scrivi(editor, QStringLiteral("txtCodFisc"), digitato);

    QString classeVista, valoreVisto;
    QWidget *genitore = nullptr;
    m_fake->quandoModale = [&](QDialog *d) {
        classeVista = QString::fromLatin1(d->metaObject()->className());
        genitore = d->parentWidget();
        if (auto *e = d->findChild<QLineEdit *>(campo))
            valoreVisto = e->text();
        return int(QDialog::Rejected);
    };
    Clicca(editor, QStringLiteral("btnCodFisc"));
    QCOMPARE(classeVista, classe);
    QCOMPARE(genitore, editor);
    QCOMPARE(valoreVisto.remove(u' '), valore);
}

// ------------------------------------------------------------------ records loaded into the editor

void TestIntegrazione::richiamo_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<int>("riga");
    QTest::addColumn<QString>("fornitore");
    QTest::addColumn<QString>("posizione");

    // The archive: Alfa (settled), Beta (to settle), Gamma (to settle).
    QTest::newRow("ricerca, seconda riga") << "cmdTrova" << 1 << "Beta" << "2";
    QTest::newRow("ricerca, terza riga") << "cmdTrova" << 2 << "Gamma" << "3";
    QTest::newRow("conti da saldare, prima riga") << "cmdListino" << 0 << "Beta" << "2";
    QTest::newRow("conti da saldare, seconda riga") << "cmdListino" << 1 << "Gamma" << "3";
}

void TestIntegrazione::richiamo()
{
    QFETCH(QString, comando);
    QFETCH(int, riga);
    QFETCH(QString, fornitore);
    QFETCH(QString, posizione);

    Scrivi(archivio(), {Semplice(QStringLiteral("Alfa"), QStringLiteral("01/03/2024"), QStringLiteral("A"),
                                 QStringLiteral("Uno"), QStringLiteral("10,00")),
                        Semplice(QStringLiteral("Beta"), QStringLiteral("02/03/2024"), QStringLiteral("B"),
                                 QStringLiteral("Due"), QStringLiteral("20,00"), true),
                        Semplice(QStringLiteral("Gamma"), QStringLiteral("03/03/2024"), QStringLiteral("C"),
                                 QStringLiteral("Tre"), QStringLiteral("30,00"), true)});

    auto *editor = qobject_cast<TfrmRegPagamenti *>(s().frmRegPagamenti);
    Mostra(editor);
    QVERIFY(editor->Controlli()->lblPosizione->text().isEmpty());

    bool chiuso = false;
    m_fake->quandoModale = [&](QDialog *d) {
        if (d->findChild<QWidget *>(QStringLiteral("btnCerca")))
            Clicca(d, QStringLiteral("btnCerca"));
        DoppioClic(GuiTest::Trova<QListView>(d, QStringLiteral("lstRecords")), riga);
        chiuso = !d->isVisible();
        return int(QDialog::Rejected);
    };
    Clicca(editor, comando);

    QVERIFY(chiuso); // the double click also closes the list
    const Ui::TfrmRegPagamenti *c = editor->Controlli();
    QCOMPARE(c->txtFornitore->text(), fornitore);
    QCOMPARE(c->lblPosizione->text(), posizione);
    QCOMPARE(c->txtData->text(), QStringLiteral("0%1/03/2024").arg(posizione));
    QCOMPARE(c->txtDovuto->text(), QStringLiteral("%1,00").arg(posizione.toInt() * 10));
    QVERIFY(m_fake->messaggi.isEmpty());
}

// ------------------------------------------------------------------ printed lists

void TestIntegrazione::stampaLista_data()
{
    QTest::addColumn<QString>("schermata");
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("titolo");

    QTest::newRow("ricerca") << "registro" << "cmdTrova" << "Riepilogo pagamenti in Registro spese";
    QTest::newRow("conti da saldare") << "registro" << "cmdListino" << "Riepilogo conti da saldare";
    QTest::newRow("riepilogo") << "criteri" << "btnVisualizza" << "Riepilogo uscite";
}

void TestIntegrazione::stampaLista()
{
    QFETCH(QString, schermata);
    QFETCH(QString, comando);
    QFETCH(QString, titolo);

    const TScheda scheda = Semplice(QStringLiteral("Idraulico Rossi"), QStringLiteral("12/03/2024"),
                                    QStringLiteral("CASA"), QStringLiteral("Riparazione"),
                                    QStringLiteral("75,50"), true);
    Scrivi(archivio(), {scheda});

    QWidget *radice = Schermata(schermata);
    Mostra(radice);
    if (radice == s().frmMenuRiepPagamenti)
        CriteriMarzo();

    QStringList mostrate;
    m_fake->quandoModale = [&](QDialog *d) {
        if (d->findChild<QWidget *>(QStringLiteral("btnCerca")))
            Clicca(d, QStringLiteral("btnCerca"));
        mostrate = RigheDi(d);
        Clicca(d, QStringLiteral("btnStampa"));
        return int(QDialog::Rejected);
    };
    Clicca(radice, comando);

    QCOMPARE(mostrate, QStringList{RigaScheda(scheda)});
    QCOMPARE(m_fake->dialoghiStampa, 1);
    QCOMPARE(m_fake->stampe.size(), 1);
    QVERIFY(QFile::exists(m_fake->stampe.first()));
    const QString carta = TestoStampato(m_fake->stampe.first());
    QVERIFY2(carta.contains(titolo), qPrintable(carta));
    QVERIFY2(carta.contains(QStringLiteral("Idraulico Rossi")), qPrintable(carta));
    QVERIFY2(carta.contains(QStringLiteral("Riparazione")), qPrintable(carta));
}

void TestIntegrazione::stampaScheda()
{
    auto *editor = qobject_cast<TfrmRegPagamenti *>(s().frmRegPagamenti);
    Mostra(editor);
    // Typed, never saved: the sheet prints what the editor shows.
    Scrivi(editor, QStringLiteral("txtNumDoc"), QStringLiteral("FT-2024/118"));
    Scrivi(editor, QStringLiteral("txtFornitore"), QStringLiteral("Ferramenta Bianchi"));
    Scrivi(editor, QStringLiteral("txtServizi"), QStringLiteral("Viti e tasselli"));
    Scrivi(editor, QStringLiteral("txtNote"), QStringLiteral("consegna a domicilio"));

    QString classe;
    m_fake->quandoModale = [&](QDialog *d) {
        classe = QString::fromLatin1(d->metaObject()->className());
        Clicca(d, QStringLiteral("btnStampa"));
        return int(QDialog::Rejected);
    };
    Clicca(editor, QStringLiteral("cmdStampa"));

    QCOMPARE(classe, QStringLiteral("TfrmStampaRegPagamenti"));
    QCOMPARE(m_fake->stampe.size(), 1);
    const QString carta = TestoStampato(m_fake->stampe.first());
    for (const QString &atteso : {QStringLiteral("FT-2024/118"), QStringLiteral("Ferramenta Bianchi"),
                                  QStringLiteral("Viti e tasselli"), QStringLiteral("consegna a domicilio"),
                                  QStringLiteral("15/03/2024")})
        QVERIFY2(carta.contains(atteso), qPrintable(atteso + QStringLiteral(" missing from:\n") + carta));
    QVERIFY(!QFile::exists(archivio()) || QFile(archivio()).size() == 0); // printing saves nothing
}

// ------------------------------------------------------------------ the whole road

void TestIntegrazione::percorsoCompleto()
{
    // The program folder as installed: the initial password store, and an
    // archive that already holds a payment of February.
    const QString store = QFINDTESTDATA("../../packaging/unins000.dll");
    QVERIFY(!store.isEmpty());
    QVERIFY(QFile::copy(store, m_fake->percorso(QStringLiteral("unins000.dll"))));
    const TScheda febbraio = Semplice(QStringLiteral("Gas Nord"), QStringLiteral("20/02/2024"),
                                      QStringLiteral("GAS"), QStringLiteral("Bolletta gas"),
                                      QStringLiteral("90,00"));
    Scrivi(archivio(), {febbraio});

    // Access.
    QWidget *accesso = s().frmPassword;
    Mostra(accesso);
    Scrivi(accesso, QStringLiteral("txtPassword"), QStringLiteral("VALMORA2026"));
    Clicca(accesso, QStringLiteral("cmdOK"));
    QVERIFY2(m_fake->messaggi.isEmpty(), qPrintable(m_fake->ultimoTesto()));
    QVERIFY(!accesso->isVisible());
    QWidget *avvio = s().frmAvvio;
    QVERIFY(avvio->isVisible());

    // Register card: a blank new record dated today.
    Clicca(avvio, QStringLiteral("imgApp01"));
    auto *editor = qobject_cast<TfrmRegPagamenti *>(s().frmRegPagamenti);
    QVERIFY(editor->isVisible());
    QVERIFY(!avvio->isVisible());
    QApplication::setActiveWindow(editor);
    QVERIFY(QTest::qWaitForWindowActive(editor));
    const Ui::TfrmRegPagamenti *c = editor->Controlli();
    QCOMPARE(c->txtData->text(), QStringLiteral("15/03/2024"));
    QVERIFY(c->lblPosizione->text().isEmpty());

    Scrivi(editor, QStringLiteral("txtNumDoc"), QStringLiteral("A-17"));
    Scrivi(editor, QStringLiteral("txtFornitore"), QStringLiteral("Acqua Blu"));
    Scrivi(editor, QStringLiteral("txtCodice"), QStringLiteral("ACQ"));
    Scrivi(editor, QStringLiteral("txtServizi"), QStringLiteral("Bolletta acqua"));
    Scrivi(editor, QStringLiteral("txtDovuto"), QStringLiteral("48,5"));
    Scrivi(editor, QStringLiteral("txtAcconto"), QStringLiteral("8"));
    Clicca(editor, QStringLiteral("cmdSalva"));
    QCOMPARE(m_fake->ultimoGenere(), FakeDesktop::Voce::Informazione);
    QCOMPARE(m_fake->ultimoTesto(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(c->lblPosizione->text(), QStringLiteral("2"));
    QCOMPARE(c->txtDovuto->text(), QStringLiteral("48,50"));
    QCOMPARE(c->txtSaldo->text(), QStringLiteral("40,50"));
    QCOMPARE(QFile(archivio()).size(), 2 * TScheda::Dimensione);

    // Back to the start menu, then the summary criteria.
    QVERIFY(editor->close());
    QVERIFY(!editor->isVisible());
    QVERIFY(avvio->isVisible());
    Clicca(avvio, QStringLiteral("imgApp02"));
    QWidget *criteri = s().frmMenuRiepPagamenti;
    QVERIFY(criteri->isVisible());
    QVERIFY(!avvio->isVisible());
    QApplication::setActiveWindow(criteri);
    QVERIFY(QTest::qWaitForWindowActive(criteri));
    CriteriMarzo();

    m_fake->pulisci();
    QStringList righe;
    QString totale, intervallo;
    m_fake->quandoModale = [&](QDialog *d) {
        righe = RigheDi(d);
        totale = Testo(d, QStringLiteral("lblTotCosti"));
        intervallo = Testo(d, QStringLiteral("lblIntervallo"));
        d->close();
        return int(QDialog::Rejected);
    };
    Clicca(criteri, QStringLiteral("btnVisualizza"));
    QVERIFY2(m_fake->messaggi.isEmpty(), qPrintable(m_fake->ultimoTesto()));
    QCOMPARE(m_fake->modali.size(), 1);

    TScheda salvata;
    {
        Archivio a(archivio());
        a.ApriArchivio();
        salvata = a.LeggiScheda(1);
        a.Chiudi();
    }
    QCOMPARE(salvata.Testo(Campo::Fornitore).trimmed(), QStringLiteral("Acqua Blu"));
    QCOMPARE(righe, QStringList{RigaScheda(salvata)}); // February's payment stays out
    QVERIFY2(totale.contains(QStringLiteral("48,50")), qPrintable(totale));
    QVERIFY2(!totale.contains(QStringLiteral("138,50")), qPrintable(totale));
    QVERIFY2(intervallo.contains(QStringLiteral("01/03/2024")) && intervallo.contains(QStringLiteral("31/03/2024")),
             qPrintable(intervallo));

    // Closing the criteria screen returns to the start menu.
    QVERIFY(criteri->close());
    QVERIFY(avvio->isVisible());
}

// ------------------------------------------------------------------ accessibility

void TestIntegrazione::nomiAccessibili()
{
    // Panels a screen shows only later (results, second pages) hold controls
    // the user reaches too: show every hidden container before looking.
    const auto rivelaPannelli = [](QWidget *radice) {
        for (QWidget *w : radice->findChildren<QWidget *>()) {
            if (w->isWindow() || w->isVisibleTo(radice))
                continue;
            if (!w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).isEmpty()
                && qobject_cast<QFrame *>(w) && !qobject_cast<QAbstractScrollArea *>(w))
                w->setVisible(true);
        }
    };
    const auto controlla = [&](QWidget *radice, QStringList &mancanti) {
        radice->setWindowState(Qt::WindowNoState);
        radice->show();
        rivelaPannelli(radice);
        for (const QString &m : GuiTest::SenzaNomeAccessibile(radice))
            mancanti << QString::fromLatin1(radice->metaObject()->className()) + QStringLiteral(": ") + m;
        radice->hide();
    };

    // Records to show, so that lists, counts, totals and the position hold values.
    Scrivi(archivio(), {Semplice(QStringLiteral("Alfa"), QStringLiteral("01/03/2024"), QStringLiteral("A"),
                                 QStringLiteral("Uno"), QStringLiteral("10,00")),
                        Semplice(QStringLiteral("Beta"), QStringLiteral("02/03/2024"), QStringLiteral("B"),
                                 QStringLiteral("Due"), QStringLiteral("20,00"), true)});

    const Schermate &g = s();
    const QList<QWidget *> avvio{g.frmPassword, g.frmAvvio, g.frmCambiaPassword, g.frmGuida, g.frmInfo,
                                 g.frmSplash, g.frmRegPagamenti, g.frmCodFisc, g.frmPartitaIva,
                                 g.frmAllegaCartella, g.frmCalendario, g.frmStampaRegPagamenti,
                                 g.frmExpRegPagamenti, g.frmTrovaRegPagamenti, g.frmSospesePag,
                                 g.frmMenuRiepPagamenti, g.frmRiepPagamenti, g.frmStatistiche};
    QCOMPARE(avvio.size(), 18);
    QStringList mancanti;
    for (QWidget *w : avvio) {
        QVERIFY(w);
        controlla(w, mancanti);
    }

    // Dialogs as their owners create them, each a fresh instance.
    QStringList classi;
    m_fake->quandoModale = [&](QDialog *d) {
        classi << QString::fromLatin1(d->metaObject()->className());
        if (d->findChild<QWidget *>(QStringLiteral("btnCerca")))
            Clicca(d, QStringLiteral("btnCerca"));
        controlla(d, mancanti);
        // The calendar's year turns into an edit when its button is pressed.
        if (auto *anno = d->findChild<QAbstractButton *>(QStringLiteral("qt_calendar_yearbutton"))) {
            d->show();
            anno->click();
            controlla(d, mancanti);
        }
        if (auto *guida = d->findChild<QWidget *>(QStringLiteral("cmdGuida")))
            if (qobject_cast<QAbstractButton *>(guida))
                Clicca(d, QStringLiteral("cmdGuida"));
        if (auto *guida = d->findChild<QAbstractButton *>(QStringLiteral("imgGuida")))
            guida->click();
        return int(QDialog::Rejected);
    };
    auto *editor = qobject_cast<TfrmRegPagamenti *>(g.frmRegPagamenti);
    Mostra(editor);
    Clicca(editor, QStringLiteral("cmdUltimo"));
    controlla(editor, mancanti);
    Mostra(editor);
    for (const char *comando : {"cmdTrova", "cmdListino", "cmdStampa", "cmdEsporta", "cmdFile", "btnCodFisc"})
        Clicca(editor, QString::fromLatin1(comando));
    Scrivi(editor, QStringLiteral("txtCodFisc"), QStringLiteral("01234567890"));
    Clicca(editor, QStringLiteral("btnCodFisc"));
    QTest::keyClick(editor->Controlli()->txtData, Qt::Key_A);
    Mostra(g.frmAvvio);
    for (const char *comando : {"imgInfo", "imgCredits", "imgGuida"})
        Clicca(g.frmAvvio, QString::fromLatin1(comando));
    Mostra(g.frmMenuRiepPagamenti);
    CriteriMarzo();
    Clicca(g.frmMenuRiepPagamenti, QStringLiteral("btnVisualizza"));
    // The chart of a year, as its screen shows it.
    Mostra(g.frmStatistiche);
    Clicca(g.frmStatistiche, QStringLiteral("btnApri"));
    controlla(g.frmStatistiche, mancanti);

    for (const char *classe : {"TfrmTrovaRegPagamenti", "TfrmSospesePag", "TfrmStampaRegPagamenti",
                               "TfrmExpRegPagamenti", "TfrmAllegaCartella", "TfrmCodFisc", "TfrmPartitaIva",
                               "TfrmCalendario", "TfrmInfo", "TfrmSplash", "TfrmGuida", "TfrmRiepPagamenti"})
        QVERIFY2(classi.contains(QString::fromLatin1(classe)), classe);
    QVERIFY2(mancanti.isEmpty(), qPrintable(mancanti.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestIntegrazione)
#include "tst_integrazione.moc"
