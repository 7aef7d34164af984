// The search and accounts-to-settle dialogs driven as a user would.
#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "TestoPdf.h"
#include "Programma.h"
#include "lists/RigaScheda.h"
#include "lists/SospesePag.h"
#include "lists/TrovaRegPagamenti.h"
#include "platform/Schermate.h"
#include "register/Archivio.h"
#include "register/VisoreScheda.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace ArchivioDiProva;
using GuiTest::Clicca;
using GuiTest::DoppioClic;
using GuiTest::Scrivi;
using GuiTest::Testo;

namespace {

int Selezionata(QListView *lista)
{
    const auto sel = lista->selectionModel()->selectedRows();
    return sel.isEmpty() ? -1 : sel.first().row();
}

// The register editor as the lists see it: notes what it is asked and given,
// and keeps its own record when told to (edits the user would not drop).
struct VisoreDiProva : VisoreScheda {
    bool lascia = true;
    int domande = 0;
    qint64 caricata = -1;
    QString nota;
    bool LasciaScheda() override
    {
        ++domande;
        return lascia;
    }
    void MostraScheda(const TScheda &s, qint64 indice) override
    {
        caricata = indice;
        nota = s.Testo(Campo::Note);
    }
};

} // namespace

class TestListeGui : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_fake = std::make_unique<FakeDesktopInstallato>();
        Programma::CreaSchermate();
    }
    void cleanup()
    {
        Programma::DistruggiSchermate();
        m_fake.reset();
    }

    void cerca_tutteEPannelli();
    void cerca_archivioAssente();
    void cerca_archivioInaccessibile();
    void criteri_invioEEvidenza();
    void trova_listaVuota();
    void doppioClic_data();
    void doppioClic();
    void sospese_elencoEDoppioClic();
    void sospese_archivioInaccessibile();
    void invioSullaRiga_data();
    void invioSullaRiga();
    void nomiAccessibili();
    void invioSuTrova_data();
    void invioSuTrova();
    void stampa_data();
    void stampa();
    void centratiSulloSchermo_data();
    void centratiSulloSchermo();

private:
    QString percorso() const { return Archivio::Percorso(m_fake->cartella.path()); }
    std::unique_ptr<FakeDesktopInstallato> m_fake;
};

void TestListeGui::cerca_tutteEPannelli()
{
    QList<TScheda> s;
    for (int i = 0; i < 6; ++i)
        s << Semplice(i == 1 || i == 4 ? QStringLiteral("Luce e GAS %1").arg(i) : QStringLiteral("Altro %1").arg(i),
                      QStringLiteral("0%1/01/2024").arg(i + 1), QStringLiteral("C"), QStringLiteral("S"));
    Scrivi(percorso(), s);

    TfrmTrovaRegPagamenti dlg;
    dlg.show();
    QVERIFY(GuiTest::Trova<QWidget>(&dlg, QStringLiteral("panAvvio"))->isVisible());
    QVERIFY(!GuiTest::Trova<QWidget>(&dlg, QStringLiteral("panContainer"))->isVisible());
    Clicca(&dlg, QStringLiteral("btnCerca"));
    QVERIFY(!GuiTest::Trova<QWidget>(&dlg, QStringLiteral("panAvvio"))->isVisible());
    QVERIFY(GuiTest::Trova<QWidget>(&dlg, QStringLiteral("panContainer"))->isVisible());
    QCOMPARE(Testo(&dlg, QStringLiteral("lblTrovate")), QStringLiteral("Il presente riepilogo contiene 6 schede"));
    auto *lista = GuiTest::Trova<QListView>(&dlg, QStringLiteral("lstRecords"));
    QCOMPARE(lista->model()->rowCount(), 6);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(lista->model()->index(i, 0).data().toString(), RigaScheda(s.at(i)));
    QCOMPARE(lista->model()->index(0, 0).data(Qt::FontRole).value<QFont>().family(), QStringLiteral("Courier New"));
    QCOMPARE(lista->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(m_fake->messaggi.isEmpty());

    // The find bar over the result: second, fifth, second again.
    Scrivi(&dlg, QStringLiteral("txtTrova"), QStringLiteral("luce e gas"));
    Clicca(&dlg, QStringLiteral("btnTrova"));
    QCOMPARE(Selezionata(lista), 1);
    Clicca(&dlg, QStringLiteral("btnTrova"));
    QCOMPARE(Selezionata(lista), 4);
    Clicca(&dlg, QStringLiteral("btnTrova"));
    QCOMPARE(Selezionata(lista), 1);
}

void TestListeGui::cerca_archivioAssente()
{
    QVERIFY(!QFile::exists(percorso()));
    TfrmTrovaRegPagamenti dlg;
    dlg.show();
    Clicca(&dlg, QStringLiteral("btnCerca"));
    QCOMPARE(Testo(&dlg, QStringLiteral("lblTrovate")), QStringLiteral("Il presente riepilogo contiene 0 schede"));
    QVERIFY(QFile::exists(percorso()));
    QCOMPARE(QFile(percorso()).size(), 0);
}

void TestListeGui::cerca_archivioInaccessibile()
{
    QVERIFY(QDir().mkpath(percorso())); // a folder where the file should be
    TfrmTrovaRegPagamenti dlg;
    dlg.show();
    QTest::mousePress(GuiTest::Trova<QWidget>(&dlg, QStringLiteral("btnCerca")), Qt::LeftButton);
    QVERIFY(GuiTest::Trova<QWidget>(&dlg, QStringLiteral("lblAttendere"))->isVisible());
    Clicca(&dlg, QStringLiteral("btnCerca"));
    QCOMPARE(m_fake->messaggi.size(), 1);
    QCOMPARE(m_fake->ultimoGenere(), FakeDesktop::Voce::Semplice);
    QCOMPARE(m_fake->ultimoTesto(),
             QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                            "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                            "installazione del programma."));
    QVERIFY(GuiTest::Trova<QWidget>(&dlg, QStringLiteral("panAvvio"))->isVisible());
    QVERIFY(GuiTest::Trova<QWidget>(&dlg, QStringLiteral("lblAttendere"))->isVisible());
}

void TestListeGui::criteri_invioEEvidenza()
{
    const QStringList ordine = QStringLiteral("txtNumDoc txtDataDoc txtData txtCodice txtTipologia "
                                              "txtServizi txtDettagli txtDovuto txtFornitore txtNote").split(u' ');
    Scrivi(percorso(), {Semplice(QStringLiteral("A"), QStringLiteral("01/01/2024"), {}, {})});
    TfrmTrovaRegPagamenti dlg;
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtNumDoc"));
    for (int i = 0; i < ordine.size(); ++i) {
        const QString nome = ordine.at(i);
        QCOMPARE(QApplication::focusWidget()->objectName(), nome);
        QWidget *eff = GuiTest::Trova<QWidget>(&dlg, QStringLiteral("eff") + nome.mid(3));
        QVERIFY(eff->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY2(!eff->isVisible(), qPrintable(nome));
    }
    // Enter in the last field went back to the first and never searched.
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtNumDoc"));
    QVERIFY(GuiTest::Trova<QWidget>(&dlg, QStringLiteral("panAvvio"))->isVisible());
}

void TestListeGui::trova_listaVuota()
{
    TfrmSospesePag dlg;
    dlg.show();
    Scrivi(&dlg, QStringLiteral("txtTrova"), QStringLiteral("x"));
    Clicca(&dlg, QStringLiteral("btnTrova"));
    QCOMPARE(m_fake->messaggi.size(), 1);
    QCOMPARE(m_fake->ultimoGenere(), FakeDesktop::Voce::Semplice);
    QCOMPARE(m_fake->ultimoTesto(), QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
}

void TestListeGui::doppioClic_data()
{
    QTest::addColumn<int>("riga");
    QTest::addColumn<QString>("chiamante");
    QTest::addColumn<bool>("cambiata");
    QTest::addColumn<bool>("lascia");  // the editor lets its record go
    QTest::addColumn<qint64>("attesa"); // -1: nothing loaded
    QTest::newRow("righe uguali: la prima carica la prima") << 0 << "regpagamenti" << false << true << qint64(0);
    QTest::newRow("righe uguali: la seconda carica la seconda") << 1 << "regpagamenti" << false << true << qint64(1);
    QTest::newRow("scheda cambiata dopo l'elenco") << 0 << "regpagamenti" << true << true << qint64(-1);
    QTest::newRow("altro chiamante") << 0 << "altro" << false << true << qint64(-1);
    QTest::newRow("l'editor tiene la sua scheda") << 1 << "regpagamenti" << false << false << qint64(-1);
}

void TestListeGui::doppioClic()
{
    QFETCH(int, riga);
    QFETCH(QString, chiamante);
    QFETCH(bool, cambiata);
    QFETCH(bool, lascia);
    QFETCH(qint64, attesa);
    TScheda a = Semplice(QStringLiteral("Rossi"), QStringLiteral("01/02/2024"), QStringLiteral("K"),
                         QStringLiteral("Gas"), QStringLiteral("10,00"));
    TScheda b = a;
    a.ImpostaTesto(Campo::Note, QStringLiteral("prima"));
    b.ImpostaTesto(Campo::Note, QStringLiteral("seconda"));
    Scrivi(percorso(), {a, b});

    TfrmTrovaRegPagamenti dlg;
    dlg.ImpostaChiamante(chiamante);
    VisoreDiProva editor;
    editor.lascia = lascia;
    dlg.visore = &editor;
    dlg.show();
    Clicca(&dlg, QStringLiteral("btnCerca"));
    if (cambiata) {
        TScheda c = a;
        c.ImpostaTesto(Campo::Dovuto, QStringLiteral("11,00"));
        Scrivi(percorso(), {c, b});
    }
    DoppioClic(GuiTest::Trova<QListView>(&dlg, QStringLiteral("lstRecords")), riga);
    QCOMPARE(editor.caricata, attesa);
    if (attesa >= 0)
        QCOMPARE(editor.nota, attesa == 0 ? QStringLiteral("prima") : QStringLiteral("seconda"));
    // The editor is asked only when the line is its to load.
    QCOMPARE(editor.domande, chiamante == u"regpagamenti" ? 1 : 0);
    // Kept by the editor, the record stays and so does the list to choose again.
    QCOMPARE(dlg.isVisible(), !lascia);
    if (!cambiata) {
        QVERIFY(m_fake->messaggi.isEmpty());
        return;
    }
    // A record changed since the list was filled is not loaded in silence.
    QCOMPARE(m_fake->messaggi.size(), 1);
    QCOMPARE(m_fake->ultimoGenere(), FakeDesktop::Voce::Avviso);
    QCOMPARE(m_fake->ultimoTesto(),
             QStringLiteral("Attenzione: la scheda n. 1 non è più quella mostrata nell'elenco: è stata "
                            "modificata o tolta dall'archivio dopo che l'elenco è stato compilato.\n\r\n\r"
                            "Ripetere la ricerca per vedere le schede come sono ora."));
}

void TestListeGui::sospese_elencoEDoppioClic()
{
    const QList<TScheda> s = {
        Semplice(QStringLiteral("A"), QStringLiteral("01/01/2024"), {}, {}, QStringLiteral("1,00"), false),
        Semplice(QStringLiteral("B"), QStringLiteral("02/01/2024"), {}, {}, QStringLiteral("2,00"), true),
        Semplice(QStringLiteral("C"), QStringLiteral("03/01/2024"), {}, {}, QStringLiteral("3,00"), true)};
    Scrivi(percorso(), s);
    TfrmSospesePag dlg;
    VisoreDiProva editor;
    dlg.visore = &editor;
    dlg.show();
    auto *lista = GuiTest::Trova<QListView>(&dlg, QStringLiteral("lstRecords"));
    QCOMPARE(lista->model()->rowCount(), 2);
    QCOMPARE(lista->model()->index(1, 0).data().toString(), RigaScheda(s.at(2)));
    QCOMPARE(Selezionata(lista), -1);
    editor.lascia = false; // edits the user keeps: nothing loaded, the list stays
    DoppioClic(lista, 1);
    QCOMPARE(editor.caricata, qint64(-1));
    QVERIFY(dlg.isVisible());
    editor.lascia = true;
    DoppioClic(lista, 1);
    QCOMPARE(editor.caricata, qint64(2));
    QCOMPARE(editor.domande, 2);
    QVERIFY(!dlg.isVisible());
}

void TestListeGui::invioSullaRiga_data()
{
    QTest::addColumn<bool>("sospese"); // accounts to settle, or search results
    QTest::addColumn<int>("tasto");
    QTest::addColumn<int>("modificatori");
    QTest::addColumn<bool>("selezionata"); // selected, or only under the focus mark
    QTest::newRow("ricerca, Invio") << false << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
    QTest::newRow("ricerca, Invio del tastierino") << false << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
    QTest::newRow("ricerca, riga non ancora selezionata") << false << int(Qt::Key_Return) << int(Qt::NoModifier) << false;
    QTest::newRow("da saldare, Invio") << true << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
    QTest::newRow("da saldare, Invio del tastierino") << true << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
    QTest::newRow("da saldare, riga non ancora selezionata") << true << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false;
}

void TestListeGui::invioSullaRiga()
{
    QFETCH(bool, sospese);
    QFETCH(int, tasto);
    QFETCH(int, modificatori);
    QFETCH(bool, selezionata);
    TScheda a = Semplice(QStringLiteral("Rossi"), QStringLiteral("01/02/2024"), QStringLiteral("K"),
                         QStringLiteral("Gas"), QStringLiteral("10,00"), true);
    TScheda b = a;
    a.ImpostaTesto(Campo::Note, QStringLiteral("prima"));
    b.ImpostaTesto(Campo::Note, QStringLiteral("seconda"));
    Scrivi(percorso(), {a, b});

    VisoreDiProva editor;
    std::unique_ptr<QDialog> dlg;
    if (sospese) {
        auto *d = new TfrmSospesePag;
        d->visore = &editor;
        dlg.reset(d);
        d->show();
    } else {
        auto *d = new TfrmTrovaRegPagamenti;
        d->ImpostaChiamante(QStringLiteral("regpagamenti"));
        d->visore = &editor;
        dlg.reset(d);
        d->show();
        Clicca(d, QStringLiteral("btnCerca"));
    }
    auto *lista = GuiTest::Trova<QListView>(dlg.get(), QStringLiteral("lstRecords"));
    QCOMPARE(lista->model()->rowCount(), 2);
    lista->setFocus();
    const QModelIndex seconda = lista->model()->index(1, 0);
    lista->selectionModel()->setCurrentIndex(
        seconda, selezionata ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Clear);
    QTest::keyClick(lista, Qt::Key(tasto), Qt::KeyboardModifiers(modificatori));
    // The line under the focus mark is loaded, as its double click would.
    QCOMPARE(editor.caricata, qint64(1));
    QCOMPARE(editor.nota, QStringLiteral("seconda"));
    QCOMPARE(editor.domande, 1);
    QVERIFY(!dlg->isVisible());
    QVERIFY(m_fake->messaggi.isEmpty());
}

void TestListeGui::sospese_archivioInaccessibile()
{
    QVERIFY(QDir().mkpath(percorso()));
    TfrmSospesePag dlg;
    dlg.show();
    // An unreadable archive is not shown as "nothing left to settle".
    QCOMPARE(m_fake->messaggi.size(), 1);
    QVERIFY(m_fake->ultimoTesto().startsWith(QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.")));
    QCOMPARE(GuiTest::Trova<QListView>(&dlg, QStringLiteral("lstRecords"))->model()->rowCount(), 0);
}

void TestListeGui::nomiAccessibili()
{
    TfrmTrovaRegPagamenti trova;
    trova.show();
    QCOMPARE(GuiTest::SenzaNomeAccessibile(&trova), QStringList());
    Clicca(&trova, QStringLiteral("btnCerca"));
    QCOMPARE(GuiTest::SenzaNomeAccessibile(&trova), QStringList());
    TfrmSospesePag sospese;
    sospese.show();
    QCOMPARE(GuiTest::SenzaNomeAccessibile(&sospese), QStringList());
}

void TestListeGui::invioSuTrova_data()
{
    QTest::addColumn<bool>("sospese");
    QTest::newRow("ricerca") << false;
    QTest::newRow("conti da saldare") << true;
}

void TestListeGui::invioSuTrova()
{
    QFETCH(bool, sospese);
    Scrivi(percorso(), {Semplice(QStringLiteral("Rossi"), QStringLiteral("01/02/2024"), {}, {}, {}, true)});
    std::unique_ptr<QDialog> dlg;
    if (sospese)
        dlg = std::make_unique<TfrmSospesePag>();
    else
        dlg = std::make_unique<TfrmTrovaRegPagamenti>();
    dlg->show();
    QApplication::setActiveWindow(dlg.get());
    QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
    if (!sospese)
        Clicca(dlg.get(), QStringLiteral("btnCerca"));
    auto *txtTrova = GuiTest::Trova<QLineEdit>(dlg.get(), QStringLiteral("txtTrova"));
    QCOMPARE(QApplication::focusWidget(), txtTrova);
    QTest::keyClicks(txtTrova, QStringLiteral("rossi"));

    QTest::keyClick(txtTrova, Qt::Key_Return);

    // The focus moves on to Trova without pressing it.
    QCOMPARE(QApplication::focusWidget(), GuiTest::Trova<QWidget>(dlg.get(), QStringLiteral("btnTrova")));
    QCOMPARE(Selezionata(GuiTest::Trova<QListView>(dlg.get(), QStringLiteral("lstRecords"))), -1);
    QVERIFY(dlg->isVisible());
}

void TestListeGui::stampa_data()
{
    QTest::addColumn<bool>("sospese");
    QTest::addColumn<QString>("titolo");
    QTest::newRow("ricerca") << false << "Riepilogo pagamenti in Registro spese";
    QTest::newRow("conti da saldare") << true << "Riepilogo conti da saldare";
}

void TestListeGui::stampa()
{
    QFETCH(bool, sospese);
    QFETCH(QString, titolo);
    const TScheda s = Semplice(QStringLiteral("Rossi"), QStringLiteral("01/02/2024"), QStringLiteral("K"),
                               QStringLiteral("Gas"), QStringLiteral("10,00"), true);
    Scrivi(percorso(), {s});
    std::unique_ptr<QDialog> dlg;
    if (sospese)
        dlg = std::make_unique<TfrmSospesePag>();
    else
        dlg = std::make_unique<TfrmTrovaRegPagamenti>();
    dlg->show();
    if (!sospese)
        Clicca(dlg.get(), QStringLiteral("btnCerca"));

    Clicca(dlg.get(), QStringLiteral("btnStampa"));

    // No question and no message before printing; the dialog stays open.
    QVERIFY(m_fake->messaggi.isEmpty());
    QVERIFY(dlg->isVisible());
    QCOMPARE(m_fake->stampe.size(), 1);
    QCOMPARE(TestoPdf::Informazione(m_fake->stampe[0], QStringLiteral("Title")), QStringLiteral("Riepilogo dati"));
    QCOMPARE(TestoPdf::Righe(TestoPdf::Pagine(m_fake->stampe[0]).value(0)),
             QStringList{titolo} + TestoPdf::Semplificate({RigaScheda(s)})
                 + QStringList{QStringLiteral("Stampa eseguita in data 15/03/2024 alle ore 10:30:00")});
}

void TestListeGui::centratiSulloSchermo_data()
{
    QTest::addColumn<bool>("sospese");
    QTest::newRow("ricerca") << false;
    QTest::newRow("conti da saldare") << true;
}

void TestListeGui::centratiSulloSchermo()
{
    QFETCH(bool, sospese);
    // An opener in a corner of the screen: the dialog still stands in the middle.
    QWidget editor;
    editor.setGeometry(0, 0, 240, 160);
    editor.show();
    std::unique_ptr<QDialog> dlg;
    if (sospese)
        dlg = std::make_unique<TfrmSospesePag>(&editor);
    else
        dlg = std::make_unique<TfrmTrovaRegPagamenti>(&editor);
    dlg->show();
    const QPoint centro = dlg->screen()->availableGeometry().center();
    const QPoint scarto = dlg->frameGeometry().center() - centro;
    QVERIFY2(scarto.manhattanLength() <= 2,
             qPrintable(QStringLiteral("off by %1,%2").arg(scarto.x()).arg(scarto.y())));
}

QTEST_MAIN(TestListeGui)
#include "tst_liste_gui.moc"
