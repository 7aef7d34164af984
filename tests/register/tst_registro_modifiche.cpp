// The register editor never loses nor silently changes what the user typed:
// the question before unsaved edits are dropped, amount fields that select
// their content on entry, amounts normalised by Salva and Duplica, one bad
// amount that never wipes the others, and pasted amounts.
#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"

#include "Programma.h"
#include "app/Avvio.h"
#include "platform/Schermate.h"
#include "register/Archivio.h"
#include "register/RegPagamenti.h"
#include "ui_RegPagamenti.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QtTest>

using namespace GuiTest;

namespace {

const QString kDomanda = QStringLiteral(
    "La scheda corrente contiene modifiche non ancora salvate in archivio.\n\r\n\r"
    "Si vogliono salvare le modifiche prima di proseguire?");
const QString kModificata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

QString ImportoNonValido(const QString &campo)
{
    return QStringLiteral(
               "Attenzione: l'importo del campo %1 non è valido o ha troppe cifre per essere "
               "registrato.\n\r\n\rIndicare un importo con non più di 12 cifre prima della virgola, "
               "ad esempio 1234,56.")
        .arg(campo);
}

QString NomeCampo(const QString &campo)
{
    if (campo == u"txtDovuto")
        return QStringLiteral("Totale dovuto");
    return campo == u"txtAcconto" ? QStringLiteral("Acconto versato") : QStringLiteral("Saldo");
}

// Three records still to settle, so that both lists show all of them.
QList<TScheda> TreSchede() { return ArchivioDiProva::Numerate(3, true); }

TScheda SchedaIn(const QByteArray &archivio, int indice)
{
    TScheda s;
    std::memcpy(s.byte.data(), archivio.constData() + qint64(indice) * TScheda::Dimensione,
                TScheda::Dimensione);
    return s;
}

} // namespace

class TestRegistroModifiche : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void domanda_data();
    void domanda();
    void domanda_ogniModificaConta_data();
    void domanda_ogniModificaConta();
    void nessunaDomanda_data();
    void nessunaDomanda();
    void nessunaDomandaDopo_data();
    void nessunaDomandaDopo();
    void si_salvataggioNonRiuscitoResta();
    void si_nuovaSchedaSalvataPoiAvanti();

    void entrataImporto_data();
    void entrataImporto();
    void tabEsceDaImporto_data();
    void tabEsceDaImporto();
    void importiNormalizzati_data();
    void importiNormalizzati();
    void importoTroppoLungo_data();
    void importoTroppoLungo();
    void incolla_data();
    void incolla();

private:
    QString archivio() const { return Archivio::Percorso(m_desk->cartella.path()); }
    Ui::TfrmRegPagamenti *c() const { return m_editor->Controlli(); }
    QString focale() const
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    int domande() const
    {
        int n = 0;
        for (const auto &v : m_desk->messaggi)
            if (v.genere == FakeDesktop::Voce::DomandaConAnnulla && v.testo == kDomanda)
                ++n;
        return n;
    }
    void mostra(int indice)
    {
        m_editor->MostraScheda(TreSchede().at(indice), indice);
    }
    void esegui(const QString &azione);

    std::unique_ptr<FakeDesktopInstallato> m_desk;
    TfrmRegPagamenti *m_editor = nullptr;
};

void TestRegistroModifiche::init()
{
    m_desk = std::make_unique<FakeDesktopInstallato>();
    // The editor of the running program, wired to its lists and start menu.
    Programma::CreaSchermate();
    m_editor = qobject_cast<TfrmRegPagamenti *>(Schermate::Globali().frmRegPagamenti);
    m_editor->setWindowState(Qt::WindowNoState);
    m_editor->resize(1280, 720);
    Schermate::Globali().frmAvvio->show();
    m_editor->show();
    QApplication::setActiveWindow(m_editor);
    QVERIFY(QTest::qWaitForWindowActive(m_editor));
    ArchivioDiProva::Scrivi(archivio(), TreSchede());
}

void TestRegistroModifiche::cleanup()
{
    Programma::DistruggiSchermate();
    m_editor = nullptr;
    m_desk.reset();
}

// Runs one of the actions that replace the shown record or end the editor.
void TestRegistroModifiche::esegui(const QString &azione)
{
    if (azione == u"ricerca" || azione == u"contiDaSaldare") {
        // A double click on the third line, as the user would.
        m_desk->quandoModale = [azione](QDialog *d) {
            if (azione == u"ricerca")
                Clicca(d, QStringLiteral("btnCerca"));
            DoppioClic(Trova<QListView>(d, QStringLiteral("lstRecords")), 2);
            return d->result();
        };
        Clicca(m_editor, azione == u"ricerca" ? QStringLiteral("cmdTrova") : QStringLiteral("cmdListino"));
    } else if (azione == u"chiusuraFinestra") {
        m_editor->close();
    } else if (azione == u"chiusuraMenu") {
        // Ending the program while the editor is on screen (log-out, the
        // window system closing the program's windows).
        Schermate::Globali().frmAvvio->close();
    } else if (azione == u"esciDalMenu") {
        Clicca(Schermate::Globali().frmAvvio, QStringLiteral("imgEsci"));
    } else {
        Clicca(m_editor, azione);
    }
}

namespace {

struct Azione {
    const char *nome;
    const char *posizione; // lblPosizione once the action went on; "-": the editor closed
};
const Azione kAzioni[] = {
    {"cmdNuovo", ""},          {"cmdPrimo", "1"},           {"cmdIndietro", "1"},
    {"cmdAvanti", "3"},        {"cmdUltimo", "3"},          {"ricerca", "3"},
    {"contiDaSaldare", "3"},   {"cmdEsci", "-"},            {"chiusuraFinestra", "-"},
    {"chiusuraMenu", "-"},     {"esciDalMenu", "-"},
};

} // namespace

void TestRegistroModifiche::domanda_data()
{
    QTest::addColumn<QString>("azione");
    QTest::addColumn<QString>("posizione");
    QTest::addColumn<int>("risposta");
    const struct { const char *n; Desktop::Scelta s; } risposte[] = {
        {"Sì", Desktop::Scelta::Si}, {"No", Desktop::Scelta::No}, {"Annulla", Desktop::Scelta::Annulla}};
    for (const Azione &a : kAzioni)
        for (const auto &r : risposte)
            QTest::addRow("%s, %s", a.nome, r.n)
                << QString::fromLatin1(a.nome) << QString::fromLatin1(a.posizione) << int(r.s);
}

void TestRegistroModifiche::domanda()
{
    QFETCH(QString, azione);
    QFETCH(QString, posizione);
    QFETCH(int, risposta);
    const auto scelta = Desktop::Scelta(risposta);

    mostra(1);
    Scrivi(m_editor, QStringLiteral("txtNote"), QStringLiteral("modificata"));
    const QByteArray prima = ArchivioDiProva::Leggi(archivio());
    m_desk->scelte.enqueue(scelta);

    esegui(azione);

    QCOMPARE(domande(), 1);
    const QByteArray dopo = ArchivioDiProva::Leggi(archivio());
    if (scelta == Desktop::Scelta::Si) {
        // Saved as Salva does, in place, before going on.
        QVERIFY(std::any_of(m_desk->messaggi.cbegin(), m_desk->messaggi.cend(),
                            [](const FakeDesktop::Voce &v) { return v.testo == kModificata; }));
        QCOMPARE(dopo.size(), prima.size());
        QCOMPARE(SchedaIn(dopo, 1).Testo(Campo::Note), QStringLiteral("modificata"));
        QCOMPARE(dopo.left(TScheda::Dimensione), prima.left(TScheda::Dimensione));
        QCOMPARE(dopo.mid(2 * TScheda::Dimensione), prima.mid(2 * TScheda::Dimensione));
    } else {
        QCOMPARE(dopo, prima);
    }

    if (scelta == Desktop::Scelta::Annulla) {
        // Nothing changed: the edited record stays on screen.
        QVERIFY(m_editor->isVisible());
        QCOMPARE(c()->lblPosizione->text(), QStringLiteral("2"));
        QCOMPARE(c()->txtNote->text(), QStringLiteral("modificata"));
        QCOMPARE(c()->txtFornitore->text(), QStringLiteral("F2"));
        return;
    }
    if (posizione == u"-") {
        QVERIFY(!m_editor->isVisible());
        return;
    }
    QVERIFY(m_editor->isVisible());
    QCOMPARE(c()->lblPosizione->text(), posizione);
    if (!posizione.isEmpty())
        QCOMPARE(c()->txtFornitore->text(), QStringLiteral("F") + posizione);
    else
        QVERIFY(c()->txtNote->text().isEmpty());
}

void TestRegistroModifiche::domanda_ogniModificaConta_data()
{
    QTest::addColumn<QString>("modifica");
    QTest::newRow("campo di testo") << "txtFornitore";
    QTest::newRow("importo") << "txtAcconto";
    QTest::newRow("conto da saldare") << "chkDaSaldare";
    QTest::newRow("nome di un allegato") << "lblFile02";
    QTest::newRow("descrizione di un allegato") << "lblDesc03";
    QTest::newRow("data dal calendario") << "txtData";
}

void TestRegistroModifiche::domanda_ogniModificaConta()
{
    QFETCH(QString, modifica);
    mostra(0);
    if (modifica == u"txtFornitore") {
        Scrivi(m_editor, modifica, QStringLiteral("Altro"));
    } else if (modifica == u"txtAcconto") {
        c()->txtAcconto->setFocus();
        QTest::keyClicks(c()->txtAcconto, QStringLiteral("4"));
        QTest::keyClick(c()->txtAcconto, Qt::Key_Return);
    } else if (modifica == u"chkDaSaldare") {
        Clicca(m_editor, modifica);
    } else if (modifica == u"txtData") {
        m_desk->quandoModale = [](QDialog *d) {
            d->findChild<QCalendarWidget *>()->setSelectedDate(QDate(2024, 2, 2));
            Clicca(d, QStringLiteral("btnImportaData"));
            return d->result();
        };
        c()->txtData->setFocus();
        QTest::keyClick(c()->txtData, Qt::Key_K);
        QCOMPARE(c()->txtData->text(), QStringLiteral("02/02/2024"));
    } else {
        // Where the attachments dialog writes its confirmed values.
        Trova<QLabel>(m_editor, modifica)->setText(QStringLiteral("nuovo.pdf"));
    }
    m_desk->scelte.enqueue(Desktop::Scelta::Annulla);
    Clicca(m_editor, QStringLiteral("cmdNuovo"));
    QCOMPARE(domande(), 1);
    QCOMPARE(c()->lblPosizione->text(), QStringLiteral("1"));
}

void TestRegistroModifiche::nessunaDomanda_data()
{
    QTest::addColumn<QString>("azione");
    QTest::addColumn<QString>("posizione");
    for (const Azione &a : kAzioni)
        QTest::newRow(a.nome) << QString::fromLatin1(a.nome) << QString::fromLatin1(a.posizione);
}

void TestRegistroModifiche::nessunaDomanda()
{
    QFETCH(QString, azione);
    QFETCH(QString, posizione);
    // A stored amount as another program wrote it: passing through the field
    // rewrites it as "7,00", which is no edit of the user's.
    TScheda s = TreSchede().at(1);
    s.ImpostaTesto(Campo::Dovuto, QStringLiteral("7"));
    m_editor->MostraScheda(s, 1);
    c()->txtDovuto->setFocus();
    QTest::keyClick(c()->txtDovuto, Qt::Key_Return);
    QCOMPARE(c()->txtDovuto->text(), QStringLiteral("7,00"));
    m_desk->scelte.enqueue(Desktop::Scelta::Annulla); // would stop the action if asked

    esegui(azione);

    QCOMPARE(domande(), 0);
    if (posizione == u"-")
        QVERIFY(!m_editor->isVisible());
    else
        QCOMPARE(c()->lblPosizione->text(), posizione);
}

void TestRegistroModifiche::nessunaDomandaDopo_data()
{
    QTest::addColumn<QString>("stato");
    QTest::newRow("nuova scheda") << "nuova";
    QTest::newRow("scheda salvata") << "salvata";
    QTest::newRow("scheda duplicata") << "duplicata";
    QTest::newRow("testo riscritto uguale") << "riscritta";
}

void TestRegistroModifiche::nessunaDomandaDopo()
{
    QFETCH(QString, stato);
    if (stato == u"salvata") {
        mostra(2);
        Scrivi(m_editor, QStringLiteral("txtNote"), QStringLiteral("nuova nota"));
        Clicca(m_editor, QStringLiteral("cmdSalva"));
        QCOMPARE(m_desk->ultimoTesto(), kModificata);
    } else if (stato == u"duplicata") {
        mostra(2);
        Clicca(m_editor, QStringLiteral("cmdDuplica"));
        QVERIFY(c()->lblPosizione->text().isEmpty());
    } else if (stato == u"riscritta") {
        mostra(2);
        Scrivi(m_editor, QStringLiteral("txtFornitore"), QStringLiteral("Altro"));
        Scrivi(m_editor, QStringLiteral("txtFornitore"), QStringLiteral("F3"));
    }
    m_desk->scelte.enqueue(Desktop::Scelta::Annulla);
    Clicca(m_editor, QStringLiteral("cmdPrimo"));
    QCOMPARE(domande(), 0);
    QCOMPARE(c()->lblPosizione->text(), QStringLiteral("1"));
}

void TestRegistroModifiche::si_salvataggioNonRiuscitoResta()
{
    // A new record with a note but no payee: Sì tries the save, which stops
    // at the missing payee; the record stays, with the focus on that field.
    Scrivi(m_editor, QStringLiteral("txtNote"), QStringLiteral("da non perdere"));
    m_desk->scelte.enqueue(Desktop::Scelta::Si);
    Clicca(m_editor, QStringLiteral("cmdUltimo"));
    QCOMPARE(domande(), 1);
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
    QCOMPARE(m_desk->ultimoTesto(),
             QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del beneficiario."));
    QCOMPARE(focale(), QStringLiteral("txtFornitore"));
    QCOMPARE(c()->txtNote->text(), QStringLiteral("da non perdere"));
    QVERIFY(c()->lblPosizione->text().isEmpty());
    QCOMPARE(ArchivioDiProva::Leggi(archivio()).size(), 3 * TScheda::Dimensione);
}

void TestRegistroModifiche::si_nuovaSchedaSalvataPoiAvanti()
{
    // From a new record Avanti shows the first record: saved on the question,
    // the new record is appended and Avanti still does what was asked.
    Scrivi(m_editor, QStringLiteral("txtFornitore"), QStringLiteral("Enel"));
    Scrivi(m_editor, QStringLiteral("txtCodice"), QStringLiteral("LUCE"));
    Scrivi(m_editor, QStringLiteral("txtServizi"), QStringLiteral("Bolletta"));
    m_desk->scelte.enqueue(Desktop::Scelta::Si);
    Clicca(m_editor, QStringLiteral("cmdAvanti"));
    QCOMPARE(domande(), 1);
    const QByteArray dopo = ArchivioDiProva::Leggi(archivio());
    QCOMPARE(dopo.size(), 4 * TScheda::Dimensione);
    QCOMPARE(SchedaIn(dopo, 3).Testo(Campo::Fornitore), QStringLiteral("Enel"));
    QCOMPARE(c()->lblPosizione->text(), QStringLiteral("1"));
    QCOMPARE(c()->txtFornitore->text(), QStringLiteral("F1"));
}

void TestRegistroModifiche::entrataImporto_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("modo");
    QTest::addColumn<QString>("da"); // the control the focus comes from
    for (const char *campo : {"txtDovuto", "txtAcconto", "txtSaldo"})
        QTest::addRow("%s, clic", campo) << QString::fromLatin1(campo) << "clic" << "txtNote";
    QTest::newRow("txtDovuto, Invio") << "txtDovuto" << "invio" << "txtDettagli";
    QTest::newRow("txtAcconto, Invio") << "txtAcconto" << "invio" << "txtDovuto";
    QTest::newRow("txtSaldo, Invio") << "txtSaldo" << "invio" << "txtAcconto";
    QTest::newRow("txtDovuto, Tab") << "txtDovuto" << "tab" << "txtDettagli";
    // Calcola stands right after the balance in the Tab order.
    QTest::newRow("txtSaldo, Maiusc+Tab") << "txtSaldo" << "backtab" << "btnCalcola";
}

void TestRegistroModifiche::entrataImporto()
{
    QFETCH(QString, campo);
    QFETCH(QString, modo);
    QFETCH(QString, da);
    auto *e = Trova<QLineEdit>(m_editor, campo);
    auto *origine = Trova<QWidget>(m_editor, da);
    QVERIFY(origine);
    origine->setFocus();
    QCOMPARE(focale(), da);
    if (modo == u"clic") {
        // Left of the right-aligned "0,00": the caret would land before it.
        QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(e->width() / 3, e->height() / 2));
    } else if (modo == u"invio") {
        QTest::keyClick(origine, Qt::Key_Return);
    } else if (modo == u"tab") {
        QTest::keyClick(origine, Qt::Key_Tab);
    } else {
        QTest::keyClick(origine, Qt::Key_Backtab, Qt::ShiftModifier);
    }
    QCOMPARE(focale(), campo);
    QCOMPARE(e->selectedText(), QStringLiteral("0,00"));

    QTest::keyClicks(e, QStringLiteral("50"));
    QCOMPARE(e->text(), QStringLiteral("50"));
    QTest::keyClick(e, Qt::Key_Return);
    QCOMPARE(e->text(), QStringLiteral("50,00"));

    // A second click in the field it is already in places the caret as usual.
    if (modo == u"clic") {
        e->setFocus();
        e->setCursorPosition(0);
        QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(e->width() - 2, e->height() / 2));
        QVERIFY(!e->hasSelectedText());
        QCOMPARE(e->cursorPosition(), e->text().size());
    }
}

void TestRegistroModifiche::tabEsceDaImporto_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<bool>("indietro");
    for (const char *campo : {"txtDovuto", "txtAcconto", "txtSaldo"}) {
        QTest::addRow("%s, Tab", campo) << QString::fromLatin1(campo) << false;
        QTest::addRow("%s, Maiusc+Tab", campo) << QString::fromLatin1(campo) << true;
    }
}

// A keyboard user is never held in an amount field: Tab leaves it, and the
// amount typed is normalised on the way out.
void TestRegistroModifiche::tabEsceDaImporto()
{
    QFETCH(QString, campo);
    QFETCH(bool, indietro);
    auto *e = Trova<QLineEdit>(m_editor, campo);
    e->setFocus(Qt::TabFocusReason);
    QCOMPARE(focale(), campo);
    QTest::keyClicks(e, QStringLiteral("12,5"));
    if (indietro)
        QTest::keyClick(e, Qt::Key_Backtab, Qt::ShiftModifier);
    else
        QTest::keyClick(e, Qt::Key_Tab);
    QVERIFY2(focale() != campo, qPrintable(focale()));
    QCOMPARE(e->text(), QStringLiteral("12,50"));
}

void TestRegistroModifiche::importiNormalizzati_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("dovuto");  // typed, the focus left in the field
    QTest::addColumn<QString>("acconto");
    QTest::addColumn<QString>("dovutoAtteso");
    QTest::addColumn<QString>("accontoAtteso");
    QTest::addColumn<QString>("saldoAtteso");
    QTest::newRow("Salva, 3,14159 nel dovuto") << "cmdSalva" << "3,14159" << "" << "3,14" << "0,00" << "3,14";
    QTest::newRow("Salva, 3,14159 nell'acconto") << "cmdSalva" << "10" << "3,14159" << "10,00" << "3,14" << "6,86";
    QTest::newRow("Salva, virgola accanto a un acconto valido") << "cmdSalva" << "," << "20,00" << "0,00" << "20,00" << "-20,00";
    QTest::newRow("Salva, dovuto illeggibile") << "cmdSalva" << "1,2,3" << "5" << "0,00" << "5,00" << "-5,00";
    QTest::newRow("Duplica, 3,14159 nel dovuto") << "cmdDuplica" << "3,14159" << "" << "3,14" << "0,00" << "30,00";
    QTest::newRow("Duplica, virgola accanto a un acconto valido") << "cmdDuplica" << "," << "20,00" << "0,00" << "20,00" << "30,00";
}

void TestRegistroModifiche::importiNormalizzati()
{
    QFETCH(QString, comando);
    QFETCH(QString, dovuto);
    QFETCH(QString, acconto);
    QFETCH(QString, dovutoAtteso);
    QFETCH(QString, accontoAtteso);
    QFETCH(QString, saldoAtteso);
    mostra(2);
    c()->txtSaldo->setText(QStringLiteral("30,00"));
    if (!acconto.isEmpty()) {
        Scrivi(m_editor, QStringLiteral("txtAcconto"), acconto);
        QTest::keyClick(c()->txtAcconto, Qt::Key_Return);
    }
    // Typed without leaving the field: the command is pressed straight away.
    Scrivi(m_editor, QStringLiteral("txtDovuto"), dovuto);
    QCOMPARE(c()->txtDovuto->text(), dovuto);
    Clicca(m_editor, comando);

    QCOMPARE(c()->txtDovuto->text(), dovutoAtteso);
    QCOMPARE(c()->txtAcconto->text(), accontoAtteso);
    QCOMPARE(c()->txtSaldo->text(), saldoAtteso);
    if (comando == u"cmdSalva") {
        // The screen shows what the archive holds.
        QCOMPARE(m_desk->ultimoTesto(), kModificata);
        const TScheda s = SchedaIn(ArchivioDiProva::Leggi(archivio()), 2);
        QCOMPARE(s.Testo(Campo::Dovuto), dovutoAtteso);
        QCOMPARE(s.Testo(Campo::Acconto), accontoAtteso);
        QCOMPARE(s.Testo(Campo::Saldo), saldoAtteso);
    } else {
        QVERIFY(c()->lblPosizione->text().isEmpty());
    }
}

void TestRegistroModifiche::importoTroppoLungo_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("comando");
    for (const char *campo : {"txtDovuto", "txtAcconto"})
        for (const char *comando : {"cmdSalva", "cmdDuplica", "btnCalcola"})
            QTest::addRow("%s, %s", campo, comando) << QString::fromLatin1(campo) << QString::fromLatin1(comando);
    QTest::newRow("txtSaldo, cmdDuplica") << "txtSaldo" << "cmdDuplica";
}

void TestRegistroModifiche::importoTroppoLungo()
{
    QFETCH(QString, campo);
    QFETCH(QString, comando);
    mostra(2);
    const QByteArray prima = ArchivioDiProva::Leggi(archivio());
    auto *e = Trova<QLineEdit>(m_editor, campo);
    const QString tredici = QStringLiteral("1234567890123");
    Scrivi(m_editor, campo, tredici);
    // Leaving the field keeps the digits: never a silent 0,00.
    c()->txtNote->setFocus();
    QCOMPARE(e->text(), tredici);
    QStringList importi;
    for (auto *i : {c()->txtDovuto, c()->txtAcconto, c()->txtSaldo})
        importi << i->text();

    Clicca(m_editor, comando);

    QCOMPARE(m_desk->messaggi.size(), 1);
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
    QCOMPARE(m_desk->ultimoTesto(), ImportoNonValido(NomeCampo(campo)));
    QCOMPARE(focale(), campo);
    QCOMPARE(e->selectedText(), tredici); // ready to be typed over
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), prima);
    QCOMPARE(c()->lblPosizione->text(), QStringLiteral("3")); // Duplica did not go on either
    // Nothing was changed on screen either: no amount was zeroed or rewritten.
    QStringList dopo;
    for (auto *i : {c()->txtDovuto, c()->txtAcconto, c()->txtSaldo})
        dopo << i->text();
    QCOMPARE(dopo, importi);
}

void TestRegistroModifiche::incolla_data()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<QString>("appunti");
    QTest::addColumn<QString>("atteso"); // the field once left; empty: refused with the message
    for (const char *modo : {"tastiera", "menu"}) {
        QTest::addRow("%s, migliaia ed euro", modo) << QString::fromLatin1(modo) << u"1.234,56 €"_qs << "1234,56";
        QTest::addRow("%s, euro e un decimale", modo) << QString::fromLatin1(modo) << u"€ 7,5"_qs << "7,50";
        QTest::addRow("%s, testo illeggibile", modo) << QString::fromLatin1(modo) << "dodici euro" << "";
        QTest::addRow("%s, formato inglese", modo) << QString::fromLatin1(modo) << "1,234.56" << "";
        QTest::addRow("%s, tredici cifre", modo) << QString::fromLatin1(modo) << "1.234.567.890.123,00" << "";
    }
}

void TestRegistroModifiche::incolla()
{
    QFETCH(QString, modo);
    QFETCH(QString, appunti);
    QFETCH(QString, atteso);
    QApplication::clipboard()->setText(appunti);
    auto *e = c()->txtDovuto;
    c()->txtNote->setFocus();
    QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(e->width() / 3, e->height() / 2));
    QCOMPARE(e->selectedText(), QStringLiteral("0,00"));

    if (modo == u"tastiera") {
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    } else {
        const QPoint p(e->width() / 2, e->height() / 2);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, p, e->mapToGlobal(p));
        QApplication::sendEvent(e, &menu);
        auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(popup);
        auto *incolla = popup->findChild<QAction *>(QStringLiteral("incollaImporto"));
        QVERIFY(incolla);
        QVERIFY(incolla->isEnabled());
        incolla->trigger();
        popup->close();
    }

    if (atteso.isEmpty()) {
        QCOMPARE(m_desk->messaggi.size(), 1);
        QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
        QCOMPARE(m_desk->ultimoTesto(), ImportoNonValido(QStringLiteral("Totale dovuto")));
        QCOMPARE(e->text(), QStringLiteral("0,00"));
        QCOMPARE(focale(), QStringLiteral("txtDovuto"));
        return;
    }
    QVERIFY(m_desk->messaggi.isEmpty());
    QTest::keyClick(e, Qt::Key_Return);
    QCOMPARE(e->text(), atteso);
}

QTEST_MAIN(TestRegistroModifiche)
#include "tst_registro_modifiche.moc"
