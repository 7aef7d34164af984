// The start-up screens exist from the start but build their forms only when
// first shown or used: every way of showing builds the form, with its title
// and controls, and the public methods called before any showing work on the
// built form, while asking whether there is anything to do builds nothing.
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "Programma.h"
#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "app/Guida.h"
#include "app/Info.h"
#include "app/Splash.h"
#include "charts/Statistiche.h"
#include "checks/CodFisc.h"
#include "checks/PartitaIVA.h"
#include "lists/SospesePag.h"
#include "lists/TrovaRegPagamenti.h"
#include "output/ExpRegPagamenti.h"
#include "output/ModelloRegistro.h"
#include "output/StampaRegPagamenti.h"
#include "platform/Schermate.h"
#include "register/AllegaCartella.h"
#include "register/Calendario.h"
#include "register/RegPagamenti.h"
#include "summary/MenuRiepPagamenti.h"
#include "summary/RiepPagamenti.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

enum class Modo { Show, SetVisible, Open, Exec };

// The eighteen start-up screens in their order.
QList<QWidget *> Tutte()
{
    const Schermate &s = Schermate::Globali();
    return {s.frmPassword,       s.frmAvvio,           s.frmCambiaPassword,     s.frmGuida,
            s.frmInfo,           s.frmSplash,          s.frmRegPagamenti,       s.frmCodFisc,
            s.frmPartitaIva,     s.frmAllegaCartella,  s.frmCalendario,         s.frmStampaRegPagamenti,
            s.frmExpRegPagamenti, s.frmTrovaRegPagamenti, s.frmSospesePag,      s.frmMenuRiepPagamenti,
            s.frmRiepPagamenti,  s.frmStatistiche};
}

bool Costruita(QWidget *w)
{
    const auto *c = dynamic_cast<const Completabile *>(w);
    return c && c->Costruita();
}

QStringList NomiCostruite()
{
    QStringList nomi;
    for (QWidget *w : Tutte())
        if (Costruita(w))
            nomi << w->objectName();
    return nomi;
}

} // namespace

Q_DECLARE_METATYPE(Modo)

class TestCostruzioneDifferita : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void primaComparsa_data();
    void primaComparsa();
    void dimensioneDataPrimaDellaCostruzione();
    void identificativiPrimaDellaComparsa();
    void argomentoECaller();
    void editorMaiMostrato();
    void stampaDaEditorMaiMostrato();
    void chiusuraSenzaComparsa();

private:
    std::unique_ptr<FakeDesktopInstallato> m_desktop;
};

void TestCostruzioneDifferita::init()
{
    m_desktop = std::make_unique<FakeDesktopInstallato>();
    Programma::CreaSchermate();
}

void TestCostruzioneDifferita::cleanup()
{
    Programma::DistruggiSchermate();
    m_desktop.reset();
}

void TestCostruzioneDifferita::primaComparsa_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QString>("controllo");
    QTest::addColumn<Modo>("modo");
    // Screens that the showing itself reads from, and so builds as well.
    QTest::addColumn<QStringList>("anche");

    const QStringList nessuna;
    QTest::newRow("accesso") << 0 << u"TfrmPassword"_qs << u" Valmora - Autenticazione"_qs
                             << u"txtPassword"_qs << Modo::Show << nessuna;
    QTest::newRow("menu") << 1 << u"TfrmAvvio"_qs << u" Valmora"_qs << u"imgApp01"_qs << Modo::Show
                          << nessuna;
    QTest::newRow("cambio password") << 2 << u"TfrmCambiaPassword"_qs << u" Cambia password"_qs
                                     << u"txtPasswordOld"_qs << Modo::Show << nessuna;
    QTest::newRow("guida") << 3 << u"TfrmGuida"_qs << u" Guida all'utilizzo del software"_qs
                           << u"txtGuida"_qs << Modo::Exec << nessuna;
    QTest::newRow("informazioni") << 4 << u"TfrmInfo"_qs << u" Informazioni su Valmora"_qs
                                  << u"lnkWeb"_qs << Modo::Open << nessuna;
    QTest::newRow("riconoscimenti") << 5 << u"TfrmSplash"_qs << u" Valmora - Valmora Software"_qs
                                    << u"lnkWeb"_qs << Modo::SetVisible << nessuna;
    QTest::newRow("registro") << 6 << u"TfrmRegPagamenti"_qs << u" Valmora - Registro Spese"_qs
                              << u"txtNumDoc"_qs << Modo::SetVisible << nessuna;
    QTest::newRow("codice fiscale") << 7 << u"TfrmCodFisc"_qs << u" Controllo codice fiscale"_qs
                                    << u"txtCodFisc"_qs << Modo::Exec << nessuna;
    QTest::newRow("partita iva") << 8 << u"TfrmPartitaIva"_qs << u" Controllo partita IVA"_qs
                                 << u"txtPartitaIva"_qs << Modo::Open << nessuna;
    QTest::newRow("allegati") << 9 << u"TfrmAllegaCartella"_qs << u" Allega File"_qs << u"txtFile01"_qs
                              << Modo::Show << nessuna;
    QTest::newRow("calendario") << 10 << u"TfrmCalendario"_qs << u" Importazione data"_qs
                                << u"calAppuntamenti"_qs << Modo::Exec << nessuna;
    QTest::newRow("stampa") << 11 << u"TfrmStampaRegPagamenti"_qs << u" Stampa scheda"_qs
                            << u"btnStampa"_qs << Modo::Show << nessuna;
    QTest::newRow("esportazione") << 12 << u"TfrmExpRegPagamenti"_qs
                                  << u" Esportazione Registro spese in Excel"_qs << u"grdRecords"_qs
                                  << Modo::Show << nessuna;
    QTest::newRow("ricerca") << 13 << u"TfrmTrovaRegPagamenti"_qs << u" Trova pagamenti in Registro spese"_qs
                             << u"txtNumDoc"_qs << Modo::Show << nessuna;
    QTest::newRow("conti da saldare") << 14 << u"TfrmSospesePag"_qs << u" Riepilogo conti da saldare"_qs
                                      << u"lstRecords"_qs << Modo::Show << nessuna;
    QTest::newRow("criteri riepilogo") << 15 << u"TfrmMenuRiepPagamenti"_qs << u" Valmora - Riepilogo Uscite"_qs
                                       << u"txtAnno"_qs << Modo::Show << nessuna;
    // The statement reads its criteria from the criteria screen's controls.
    QTest::newRow("riepilogo") << 16 << u"TfrmRiepPagamenti"_qs << u" Valmora - Riepilogo Uscite"_qs
                               << u"lstRecords"_qs << Modo::Show << QStringList{u"TfrmMenuRiepPagamenti"_qs};
    QTest::newRow("grafici") << 17 << u"TfrmStatistiche"_qs << u" Valmora - Grafici Spese Annuali"_qs
                             << u"txtAnno"_qs << Modo::Show << nessuna;
}

void TestCostruzioneDifferita::primaComparsa()
{
    QFETCH(int, indice);
    QFETCH(QString, nome);
    QFETCH(QString, titolo);
    QFETCH(QString, controllo);
    QFETCH(Modo, modo);
    QFETCH(QStringList, anche);

    // All eighteen exist, none built yet, each already known by its name.
    const QList<QWidget *> tutte = Tutte();
    QCOMPARE(tutte.size(), 18);
    for (QWidget *w : tutte) {
        QVERIFY(w);
        QVERIFY(dynamic_cast<Completabile *>(w));
        QVERIFY(!w->isVisible());
    }
    QCOMPARE(NomiCostruite(), QStringList());
    QWidget *w = tutte.at(indice);
    QCOMPARE(w->objectName(), nome);
    QVERIFY(!w->findChild<QWidget *>(controllo));

    auto *dialogo = qobject_cast<QDialog *>(w);
    switch (modo) {
    case Modo::Show:
        w->show();
        break;
    case Modo::SetVisible:
        w->setVisible(true);
        break;
    case Modo::Open:
        QVERIFY(dialogo);
        dialogo->open();
        QCOMPARE(dialogo->windowModality(), Qt::WindowModal);
        break;
    case Modo::Exec:
        QVERIFY(dialogo);
        // Closed from inside its own event loop, so the test never waits on it.
        QTimer::singleShot(0, dialogo, [dialogo] {
            QVERIFY(dialogo->isVisible());
            QVERIFY(dialogo->isModal());
            dialogo->reject();
        });
        dialogo->exec();
        break;
    }

    QVERIFY(Costruita(w));
    QVERIFY(GuiTest::Trova<QWidget>(w, controllo));
    QCOMPARE(w->windowTitle(), titolo);
    QStringList costruite = QStringList{nome} + anche;
    costruite.sort();
    QStringList viste = NomiCostruite();
    viste.sort();
    QCOMPARE(viste, costruite);
}

void TestCostruzioneDifferita::dimensioneDataPrimaDellaCostruzione()
{
    // A size given before the form is built wins over the form's, as it did
    // when the form was built at creation (a screen laid over the whole
    // screen, for one)...
    auto *menu = qobject_cast<TfrmAvvio *>(Schermate::Globali().frmAvvio);
    menu->setGeometry(QRect(10, 20, 1100, 800));
    menu->show();
    QCOMPARE(menu->size(), QSize(1100, 800));

    // ...and within the fixed size of a dialog that has one.
    auto *cambia = qobject_cast<TfrmCambiaPassword *>(Schermate::Globali().frmCambiaPassword);
    cambia->resize(900, 900);
    cambia->show();
    QCOMPARE(cambia->minimumSize(), cambia->maximumSize());
    QCOMPARE(cambia->size(), cambia->minimumSize());
    QVERIFY(cambia->size() != QSize(900, 900));
}

void TestCostruzioneDifferita::identificativiPrimaDellaComparsa()
{
    // The editor's way: the field is filled before the dialog is shown, and
    // the showing keeps it.
    auto *cf = qobject_cast<TfrmCodFisc *>(Schermate::Globali().frmCodFisc);
    cf->ImpostaCodFisc(u" rssmra80a01h501u "_qs);
    QVERIFY(cf->Costruita());
    cf->show();
    QCOMPARE(GuiTest::Testo(cf, u"txtCodFisc"_qs), u"RSSMRA80A01H501U"_qs);

    // A longer number stays whole, for the length message to report it.
    auto *piva = qobject_cast<TfrmPartitaIva *>(Schermate::Globali().frmPartitaIva);
    piva->ImpostaPartitaIva(u"0123456789012"_qs);
    QVERIFY(piva->Costruita());
    piva->show();
    QCOMPARE(GuiTest::Testo(piva, u"txtPartitaIva"_qs), u"0123456789012"_qs);
}

void TestCostruzioneDifferita::argomentoECaller()
{
    auto *guida = qobject_cast<TfrmGuida *>(Schermate::Globali().frmGuida);
    guida->ImpostaArgomento(u"Titolo"_qs, u"Riga uno\r\nRiga due"_qs);
    QCOMPARE(GuiTest::Testo(guida, u"lblTitolo"_qs), u"Titolo"_qs);
    auto *testo = GuiTest::Trova<QPlainTextEdit>(guida, u"txtGuida"_qs);
    QVERIFY(testo);
    QCOMPARE(testo->toPlainText(), u"Riga uno\nRiga due"_qs);

    auto *trova = qobject_cast<TfrmTrovaRegPagamenti *>(Schermate::Globali().frmTrovaRegPagamenti);
    trova->ImpostaChiamante(u"regpagamenti"_qs);
    QCOMPARE(GuiTest::Testo(trova, u"lblMemory"_qs), u"regpagamenti"_qs);

    // The dialogs that other screens fill through their controls.
    auto *allegati = qobject_cast<TfrmAllegaCartella *>(Schermate::Globali().frmAllegaCartella);
    QVERIFY(allegati->Controlli());
    QVERIFY(allegati->findChild<QLineEdit *>(u"txtFile01"_qs));
    auto *criteri = qobject_cast<TfrmMenuRiepPagamenti *>(Schermate::Globali().frmMenuRiepPagamenti);
    QVERIFY(criteri->Controlli());
    QVERIFY(criteri->findChild<QLineEdit *>(u"txtAnno"_qs));
    QCOMPARE(qobject_cast<TfrmExpRegPagamenti *>(Schermate::Globali().frmExpRegPagamenti)->Modello().rowCount(), 0);
    QVERIFY(qobject_cast<TfrmStampaRegPagamenti *>(Schermate::Globali().frmStampaRegPagamenti)->Documento());
    QCOMPARE(NomiCostruite(),
             (QStringList{u"TfrmGuida"_qs, u"TfrmAllegaCartella"_qs, u"TfrmStampaRegPagamenti"_qs,
                          u"TfrmExpRegPagamenti"_qs, u"TfrmTrovaRegPagamenti"_qs,
                          u"TfrmMenuRiepPagamenti"_qs}));
}

void TestCostruzioneDifferita::editorMaiMostrato()
{
    auto *editor = qobject_cast<TfrmRegPagamenti *>(Schermate::Globali().frmRegPagamenti);
    // Nothing typed, nothing to save: no question, and no form built for it.
    QVERIFY(editor->LasciaScheda());
    QVERIFY(Schermate::ConsentonoUscita());
    QVERIFY(!editor->Costruita());
    QVERIFY(m_desktop->messaggi.isEmpty());

    // A record loaded before any showing lands in the controls.
    TScheda s;
    s.ImpostaTesto(Campo::Fornitore, u"Idraulico Rossi"_qs);
    s.ImpostaTesto(Campo::Dovuto, u"120,00"_qs);
    editor->MostraScheda(s, 4);
    QVERIFY(editor->Costruita());
    QCOMPARE(GuiTest::Testo(editor, u"txtFornitore"_qs), u"Idraulico Rossi"_qs);
    QCOMPARE(GuiTest::Testo(editor, u"lblPosizione"_qs), u"5"_qs);
    QCOMPARE(editor->SchedaDaSchermo().Testo(Campo::Dovuto).trimmed(), u"120,00"_qs);
    // Still hidden: it starts afresh when shown, so there is nothing to ask.
    QVERIFY(editor->LasciaScheda());
    QVERIFY(m_desktop->messaggi.isEmpty());
}

void TestCostruzioneDifferita::stampaDaEditorMaiMostrato()
{
    // The sheet reads the editor's fields by name: an editor never shown
    // still gives its form's values, as it did when built at creation.
    auto *stampa = qobject_cast<TfrmStampaRegPagamenti *>(Schermate::Globali().frmStampaRegPagamenti);
    m_desktop->stampaAccettata = false;
    stampa->show();
    GuiTest::Clicca(stampa, u"btnStampa"_qs);
    QVERIFY(qobject_cast<TfrmRegPagamenti *>(Schermate::Globali().frmRegPagamenti)->Costruita());
    const OggettoReport *dovuto = stampa->Documento()->PaginePreparate().value(0).Trova(u"txtDovuto"_qs);
    QVERIFY(dovuto);
    QCOMPARE(dovuto->Testo(), u"0,00"_qs);
    QVERIFY(stampa->Documento()->PaginePreparate().value(0).Trova(u"txtFornitore"_qs)->Testo().isEmpty());
}

void TestCostruzioneDifferita::chiusuraSenzaComparsa()
{
    // Closing a dialog never shown lets go of nothing and builds nothing.
    const Schermate &s = Schermate::Globali();
    for (QWidget *w : {s.frmTrovaRegPagamenti, s.frmSospesePag, s.frmRiepPagamenti}) {
        auto *d = qobject_cast<QDialog *>(w);
        QVERIFY(d);
        d->reject();
        d->close();
    }
    QCOMPARE(NomiCostruite(), QStringList());
}

QTEST_MAIN(TestCostruzioneDifferita)
#include "tst_costruzione_differita.moc"
