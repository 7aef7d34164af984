// What the user types is what the archive stores: amount fields that keep
// the focus are selected again when the editor rewrites them, dates typed on
// the keyboard into the date import, a record changed by another copy of the
// program, stored amounts the program cannot read, characters the archive
// cannot hold, pastes longer than their field, and the smaller cases around
// amounts and the tax code check.
#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"

#include "Programma.h"
#include "platform/Schermate.h"
#include "register/Archivio.h"
#include "register/BloccoCartella.h"
#include "register/RegPagamenti.h"
#include "ui_RegPagamenti.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QDir>
#include <QInputMethodEvent>
#include <QtTest>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace GuiTest;

namespace {

const QString kModificata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kCambiata = QStringLiteral(
    "Attenzione: dopo che la scheda n. 2 è stata caricata, un'altra copia del programma "
    "l'ha modificata in archivio.\n\r\n\r"
    "Sì: sovrascrivere la versione in archivio con la scheda mostrata.\n\r"
    "No: mostrare la versione in archivio, abbandonando le modifiche fatte qui.\n\r"
    "Annulla: non salvare; l'archivio tiene l'altra versione, lo schermo le modifiche fatte qui.");

QList<TScheda> TreSchede() { return ArchivioDiProva::Numerate(3, true); }

TScheda SchedaIn(const QByteArray &archivio, int indice)
{
    TScheda s;
    std::memcpy(s.byte.data(), archivio.constData() + qint64(indice) * TScheda::Dimensione,
                TScheda::Dimensione);
    return s;
}

QByteArray BytesCampo(const TScheda &s, Campo c)
{
    return QByteArray(s.byte.data() + TScheda::Offset(c), TScheda::Capacita(c) + 1);
}

} // namespace

class TestDigitazione : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void importoConIlFuoco_data();
    void importoConIlFuoco();
    void dataDigitata_data();
    void dataDigitata();
    void schedaCambiataAltrove_data();
    void schedaCambiataAltrove();
    void cartellaInUso();
    void importoIlleggibile_data();
    void importoIlleggibile();
    void importoIlleggibile_calcola();
    void caratteriNonConservabili_data();
    void caratteriNonConservabili();
    void incollaTroppoLungo_data();
    void incollaTroppoLungo();
    void importoTastoMorto_data();
    void importoTastoMorto();
    void importoEsponente_data();
    void importoEsponente();
    void importoIncollaCentrale();
    void codFiscCorretto_data();
    void codFiscCorretto();

private:
    QString archivio() const { return Archivio::Percorso(m_desk->cartella.path()); }
    Ui::TfrmRegPagamenti *c() const { return m_editor->Controlli(); }
    QString focale() const
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    // Every message of the kind, in order.
    QStringList testi(FakeDesktop::Voce::Genere genere) const
    {
        QStringList t;
        for (const auto &v : m_desk->messaggi)
            if (v.genere == genere)
                t << v.testo;
        return t;
    }
    // Loads record indice (0-based) from the archive as the user would.
    void carica(int indice)
    {
        Clicca(m_editor, QStringLiteral("cmdPrimo"));
        for (int i = 0; i < indice; ++i)
            Clicca(m_editor, QStringLiteral("cmdAvanti"));
        QCOMPARE(c()->lblPosizione->text(), QString::number(indice + 1));
    }
    void incolla(QLineEdit *campo, const QString &testo)
    {
        QApplication::clipboard()->setText(testo);
        campo->setFocus();
        QTest::keyClick(campo, Qt::Key_V, Qt::ControlModifier);
    }

    std::unique_ptr<FakeDesktopInstallato> m_desk;
    TfrmRegPagamenti *m_editor = nullptr;
};

void TestDigitazione::init()
{
    m_desk = std::make_unique<FakeDesktopInstallato>();
    Programma::CreaSchermate();
    m_editor = qobject_cast<TfrmRegPagamenti *>(Schermate::Globali().frmRegPagamenti);
    m_editor->setWindowState(Qt::WindowNoState);
    m_editor->resize(1280, 720);
    Schermate::Globali().frmAvvio->show();
    m_editor->show();
    QApplication::setActiveWindow(m_editor);
    // A bare X11 display (the middle-button paste) has no window manager to
    // activate windows: there the window only needs to be on screen.
    if (QGuiApplication::platformName() == u"offscreen")
        QVERIFY(QTest::qWaitForWindowActive(m_editor));
    else
        QVERIFY(QTest::qWaitForWindowExposed(m_editor));
    ArchivioDiProva::Scrivi(archivio(), TreSchede());
}

void TestDigitazione::cleanup()
{
    Programma::DistruggiSchermate();
    m_editor = nullptr;
    m_desk.reset();
}

// ---------------------------------------------------------------- amount with the focus

void TestDigitazione::importoConIlFuoco_data()
{
    QTest::addColumn<QString>("azione");
    QTest::addColumn<QString>("posizione"); // lblPosizione after the action
    QTest::newRow("Salva") << "cmdSalva" << "2";
    QTest::newRow("Calcola") << "btnCalcola" << "2";
    QTest::newRow("Primo") << "cmdPrimo" << "1";
    QTest::newRow("Indietro") << "cmdIndietro" << "1";
    QTest::newRow("Avanti") << "cmdAvanti" << "3";
    QTest::newRow("Ultimo") << "cmdUltimo" << "3";
    QTest::newRow("Nuovo") << "cmdNuovo" << "";
    QTest::newRow("richiamo dalla ricerca") << "ricerca" << "3";
    // What a message box does to the editor: its window loses the activation
    // and gets it back, the focus field unchanged.
    QTest::newRow("finestra lasciata e ripresa") << "altraFinestra" << "2";
}

void TestDigitazione::importoConIlFuoco()
{
    QFETCH(QString, azione);
    QFETCH(QString, posizione);
    carica(1);
    auto *e = c()->txtDovuto;
    e->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(e, QStringLiteral("20"));
    QCOMPARE(e->text(), QStringLiteral("20"));

    if (azione == u"ricerca") {
        m_desk->quandoModale = [](QDialog *d) {
            Clicca(d, QStringLiteral("btnCerca"));
            DoppioClic(Trova<QListView>(d, QStringLiteral("lstRecords")), 2);
            return d->result();
        };
        Clicca(m_editor, QStringLiteral("cmdTrova"));
    } else if (azione == u"altraFinestra") {
        QWidget altra;
        altra.resize(200, 100);
        altra.show();
        QApplication::setActiveWindow(&altra);
        QVERIFY(QTest::qWaitForWindowActive(&altra));
        QApplication::setActiveWindow(m_editor);
        QVERIFY(QTest::qWaitForWindowActive(m_editor));
    } else {
        Clicca(m_editor, azione);
    }
    // The focus never left the field, whose value the editor rewrote.
    QCOMPARE(c()->lblPosizione->text(), posizione);
    if (azione == u"cmdNuovo")
        e->setFocus(Qt::OtherFocusReason); // Nuovo moves it to the first field
    QCOMPARE(focale(), QStringLiteral("txtDovuto"));
    QCOMPARE(e->selectedText(), e->text());

    QTest::keyClicks(e, QStringLiteral("25"));
    QCOMPARE(e->text(), QStringLiteral("25"));
    QTest::keyClick(e, Qt::Key_Return);
    QCOMPARE(e->text(), QStringLiteral("25,00"));
}

// ---------------------------------------------------------------- typed dates

void TestDigitazione::dataDigitata_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("tasti");  // the first opens the calendar
    QTest::addColumn<QString>("atteso"); // empty: refused with a message
    QTest::newRow("05/03/2024") << "txtData" << "05/03/2024" << "05/03/2024";
    QTest::newRow("15/06/2023") << "txtData" << "15/06/2023" << "15/06/2023";
    QTest::newRow("31122023, senza barre") << "txtData" << "31122023" << "31/12/2023";
    QTest::newRow("5/3/2024, cifre singole") << "txtData" << "5/3/2024" << "05/03/2024";
    QTest::newRow("29/02/2024, bisestile") << "txtDataDoc" << "29/02/2024" << "29/02/2024";
    QTest::newRow("01012000 nella data del documento") << "txtDataDoc" << "01012000" << "01/01/2000";
    // A key that is no digit opens the calendar as before: its day, or
    // digits typed while it has the focus.
    QTest::newRow("lettera, poi Invio sul calendario") << "txtData" << "k" << "15/03/2024";
    QTest::newRow("lettera, poi cifre sul calendario") << "txtData" << "k05032024" << "05/03/2024";
    QTest::newRow("2, incompleta") << "txtData" << "2" << "";
    QTest::newRow("31/02/2024, inesistente") << "txtData" << "31/02/2024" << "";
    QTest::newRow("2/13/2024, mese 13") << "txtDataDoc" << "2/13/2024" << "";
    QTest::newRow("29/02/2023, non bisestile") << "txtData" << "29/02/2023" << "";
    QTest::newRow("05/03/24, anno a due cifre") << "txtData" << "05/03/24" << "";
}

void TestDigitazione::dataDigitata()
{
    QFETCH(QString, campo);
    QFETCH(QString, tasti);
    QFETCH(QString, atteso);
    auto *e = Trova<QLineEdit>(m_editor, campo);
    const QString prima = e->text();
    bool rimastoAperto = false;
    QString calendario;
    m_desk->quandoModale = [&](QDialog *d) {
        // The rest of the keys, then Enter, where the focus is.
        QWidget *f = d->focusWidget();
        if (!f)
            return -1;
        QTest::keyClicks(f, tasti.mid(1));
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
        rimastoAperto = d->isVisible() && d->result() != QDialog::Accepted;
        calendario = d->findChild<QCalendarWidget *>()->selectedDate().toString(QStringLiteral("dd/MM/yyyy"));
        if (rimastoAperto)
            Clicca(d, QStringLiteral("btnAnnulla"));
        return d->result();
    };
    e->setFocus();
    QTest::keyClick(e, tasti.at(0).toLatin1());
    QCOMPARE(m_desk->modali.size(), 1);

    if (atteso.isEmpty()) {
        QVERIFY(rimastoAperto);
        QCOMPARE(e->text(), prima);
        QCOMPARE(m_desk->messaggi.size(), 1);
        QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
        QCOMPARE(m_desk->ultimoTesto(),
                 QStringLiteral("Attenzione: \"%1\" non è una data del calendario.\n\r\n\r"
                                "Digitare giorno, mese e anno, ad esempio 05/03/2024 oppure 05032024, "
                                "o scegliere il giorno sul calendario.")
                     .arg(tasti));
        return;
    }
    QVERIFY(!rimastoAperto);
    QVERIFY(m_desk->messaggi.isEmpty());
    QCOMPARE(e->text(), atteso);
    QCOMPARE(calendario, atteso); // the calendar showed the typed day
}

// ---------------------------------------------------------------- record changed elsewhere

void TestDigitazione::schedaCambiataAltrove_data()
{
    QTest::addColumn<QString>("altrove"); // what the other copy does
    QTest::addColumn<int>("risposta");
    QTest::newRow("nessuno") << "niente" << -1;
    QTest::newRow("beneficiario cambiato, Sì: sovrascrivere") << "cambia" << int(Desktop::Scelta::Si);
    QTest::newRow("beneficiario cambiato, No: mostrare l'altra") << "cambia" << int(Desktop::Scelta::No);
    QTest::newRow("beneficiario cambiato, Annulla") << "cambia" << int(Desktop::Scelta::Annulla);
    QTest::newRow("archivio accorciato") << "accorcia" << -1;
}

void TestDigitazione::schedaCambiataAltrove()
{
    QFETCH(QString, altrove);
    QFETCH(int, risposta);
    carica(1);
    // B changes the note of what it loaded...
    Scrivi(m_editor, QStringLiteral("txtNote"), QStringLiteral("nota di B"));
    // ...while A, another archive object on the same file, changes the payee.
    TScheda diA = TreSchede().at(1);
    diA.ImpostaTesto(Campo::Fornitore, QStringLiteral("Cambiato da A"));
    if (altrove == u"cambia") {
        Archivio a(archivio());
        a.ApriArchivio();
        a.ScriviScheda(1, diA);
        a.Chiudi();
    } else if (altrove == u"accorcia") {
        ArchivioDiProva::Scrivi(archivio(), {TreSchede().at(0)});
    }
    const QByteArray prima = ArchivioDiProva::Leggi(archivio());
    if (risposta >= 0)
        m_desk->scelte.enqueue(Desktop::Scelta(risposta));

    Clicca(m_editor, QStringLiteral("cmdSalva"));

    const QByteArray dopo = ArchivioDiProva::Leggi(archivio());
    if (altrove == u"niente") {
        QCOMPARE(m_desk->ultimoTesto(), kModificata);
        QCOMPARE(SchedaIn(dopo, 1).Testo(Campo::Note), QStringLiteral("nota di B"));
        return;
    }
    if (altrove == u"accorcia") {
        QCOMPARE(dopo, prima);
        QCOMPARE(m_desk->messaggi.size(), 1);
        QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
        QCOMPARE(m_desk->ultimoTesto(),
                 QStringLiteral("Attenzione: la scheda n. 2 non è più in archivio: un'altra copia del "
                                "programma, o il ripristino di una copia, ha cambiato l'archivio dopo che "
                                "la scheda è stata caricata.\n\r\n\rLa scheda non è stata salvata; i suoi "
                                "dati restano sullo schermo."));
        QCOMPARE(c()->txtNote->text(), QStringLiteral("nota di B"));
        return;
    }
    // Never overwritten without the user's say.
    QCOMPARE(testi(FakeDesktop::Voce::DomandaConAnnulla), QStringList{kCambiata});
    QVERIFY(!testi(FakeDesktop::Voce::Informazione).contains(kModificata)
            || Desktop::Scelta(risposta) == Desktop::Scelta::Si);
    switch (Desktop::Scelta(risposta)) {
    case Desktop::Scelta::Si:
        QCOMPARE(m_desk->ultimoTesto(), kModificata);
        QCOMPARE(SchedaIn(dopo, 1).Testo(Campo::Note), QStringLiteral("nota di B"));
        QCOMPARE(SchedaIn(dopo, 1).Testo(Campo::Fornitore), QStringLiteral("F2"));
        QCOMPARE(dopo.size(), prima.size());
        break;
    case Desktop::Scelta::No:
        QCOMPARE(dopo, prima);
        QCOMPARE(c()->txtFornitore->text(), QStringLiteral("Cambiato da A"));
        QVERIFY(c()->txtNote->text().isEmpty());
        QCOMPARE(c()->lblPosizione->text(), QStringLiteral("2"));
        // What is shown now is what the archive holds: saving it asks nothing.
        Scrivi(m_editor, QStringLiteral("txtNote"), QStringLiteral("dopo"));
        Clicca(m_editor, QStringLiteral("cmdSalva"));
        QCOMPARE(m_desk->ultimoTesto(), kModificata);
        QCOMPARE(SchedaIn(ArchivioDiProva::Leggi(archivio()), 1).Testo(Campo::Fornitore),
                 QStringLiteral("Cambiato da A"));
        break;
    case Desktop::Scelta::Annulla:
        QCOMPARE(dopo, prima);
        QCOMPARE(c()->txtNote->text(), QStringLiteral("nota di B"));
        QCOMPARE(c()->txtFornitore->text(), QStringLiteral("F2"));
        break;
    }
}

void TestDigitazione::cartellaInUso()
{
    // Another copy of the program holds the folder's lock.
    BloccoCartella::RilasciaBloccoCartella();
    const QByteArray nome = QFile::encodeName(
        QDir(m_desk->cartella.path()).filePath(BloccoCartella::NomeFile()));
    const int altra = ::open(nome.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    QVERIFY(altra >= 0);
    QCOMPARE(::flock(altra, LOCK_EX | LOCK_NB), 0);
    const QByteArray chi = "mario\ncasa\n4242\n";
    QCOMPARE(::pwrite(altra, chi.constData(), size_t(chi.size()), 0), ssize_t(chi.size()));
    m_desk->pulisci();

    m_editor->close();
    Schermate::Globali().frmAvvio->hide();
    m_editor->show();
    const QString atteso = QStringLiteral(
        "Attenzione: un'altra copia del programma (mario sul computer casa) ha già aperto la cartella "
        "del registro.\n\r\n\rSi può proseguire: prima di riscrivere una scheda il programma controlla "
        "che l'altra copia non l'abbia modificata nel frattempo e, in quel caso, chiede cosa fare.");
    QCOMPARE(m_desk->messaggi.size(), 1);
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
    QCOMPARE(m_desk->ultimoTesto(), atteso);

    // The user goes on: a record is saved all the same.
    Scrivi(m_editor, QStringLiteral("txtFornitore"), QStringLiteral("Enel"));
    Scrivi(m_editor, QStringLiteral("txtCodice"), QStringLiteral("LUCE"));
    Scrivi(m_editor, QStringLiteral("txtServizi"), QStringLiteral("Bolletta"));
    Clicca(m_editor, QStringLiteral("cmdSalva"));
    QCOMPARE(m_desk->ultimoTesto(), QStringLiteral("La scheda corrente è stata inserita in archivio."));

    // Told once: showing the editor again says nothing more.
    m_desk->pulisci();
    m_editor->close();
    m_editor->show();
    QVERIFY(m_desk->messaggi.isEmpty());
    ::close(altra);
    // The other copy gone, this one takes the lock.
    m_editor->close();
    m_editor->show();
    const int terza = ::open(nome.constData(), O_RDWR | O_CLOEXEC);
    QVERIFY(terza >= 0);
    QCOMPARE(::flock(terza, LOCK_EX | LOCK_NB), -1);
    ::close(terza);
}

// ---------------------------------------------------------------- unreadable stored amounts

void TestDigitazione::importoIlleggibile_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("memorizzato");
    QTest::addColumn<bool>("salvaComunque"); // the answer to the question on Salva
    QTest::newRow("dovuto 1.234,56, salvato") << "Dovuto" << "1.234,56" << true;
    QTest::newRow("dovuto 1.234,56, non salvato") << "Dovuto" << "1.234,56" << false;
    QTest::newRow("acconto 12 EUR, salvato") << "Acconto" << "12 EUR" << true;
    QTest::newRow("saldo 12 EUR") << "Saldo" << "12 EUR" << true;
}

void TestDigitazione::importoIlleggibile()
{
    QFETCH(QString, campo);
    QFETCH(QString, memorizzato);
    QFETCH(bool, salvaComunque);
    const Campo f = campo == u"Dovuto" ? Campo::Dovuto : campo == u"Acconto" ? Campo::Acconto : Campo::Saldo;
    const QString nome = campo == u"Dovuto" ? QStringLiteral("Totale dovuto")
                         : campo == u"Acconto" ? QStringLiteral("Acconto versato")
                                                : QStringLiteral("Saldo");
    // Written by another program: blanks around the value, left-over bytes after it.
    TScheda s = ArchivioDiProva::Semplice(QStringLiteral("Rossi"), QStringLiteral("01/02/2024"),
                                          QStringLiteral("K"), QStringLiteral("Gas"), QStringLiteral("30,00"));
    s.ImpostaTesto(f, QStringLiteral(" ") + memorizzato);
    s.byte[size_t(TScheda::Offset(f) + TScheda::Capacita(f))] = 'Z';
    ArchivioDiProva::Scrivi(archivio(), {s});

    carica(0);
    auto *e = Trova<QLineEdit>(m_editor, QStringLiteral("txt") + campo);
    QCOMPARE(e->text(), memorizzato);
    QCOMPARE(m_desk->messaggi.size(), 1);
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
    QCOMPARE(m_desk->ultimoTesto(),
             QStringLiteral("Attenzione: la scheda n. 1 contiene importi che il programma non sa "
                            "leggere:\n\r\n\r%1: \"%2\"\n\r\n\rSono conservati come sono finché non vengono "
                            "corretti, e il saldo non viene ricalcolato da questi importi senza conferma.")
                 .arg(nome, memorizzato));

    // Passing through the field does not turn it into 0,00.
    e->setFocus(Qt::TabFocusReason);
    QTest::keyClick(e, Qt::Key_Return);
    QCOMPARE(e->text(), memorizzato);

    // An unrelated edit, then Salva.
    m_desk->pulisci();
    Scrivi(m_editor, QStringLiteral("txtNote"), QStringLiteral("nota"));
    m_desk->risposte.enqueue(salvaComunque);
    const QByteArray prima = ArchivioDiProva::Leggi(archivio());
    Clicca(m_editor, QStringLiteral("cmdSalva"));
    const TScheda dopo = SchedaIn(ArchivioDiProva::Leggi(archivio()), 0);

    if (f == Campo::Saldo) {
        // The balance comes from the due and the advance, both readable.
        QVERIFY(testi(FakeDesktop::Voce::Domanda).isEmpty());
        QCOMPARE(m_desk->ultimoTesto(), kModificata);
        QCOMPARE(dopo.Testo(Campo::Saldo), QStringLiteral("30,00"));
        QCOMPARE(dopo.Testo(Campo::Note), QStringLiteral("nota"));
        return;
    }
    QCOMPARE(testi(FakeDesktop::Voce::Domanda),
             QStringList{QStringLiteral("Attenzione: il saldo non può essere calcolato, perché il programma "
                                        "non sa leggere l'importo registrato in %1 (\"%2\").\n\r\n\rSalvare "
                                        "comunque la scheda lasciando gli importi e il saldo come sono?")
                             .arg(nome, memorizzato)});
    if (!salvaComunque) {
        QCOMPARE(ArchivioDiProva::Leggi(archivio()), prima);
        QCOMPARE(focale(), e->objectName());
        QCOMPARE(e->selectedText(), memorizzato);
        return;
    }
    QCOMPARE(m_desk->ultimoTesto(), kModificata);
    QCOMPARE(dopo.Testo(Campo::Note), QStringLiteral("nota"));
    // The untouched amount keeps its bytes, the balance its value.
    QCOMPARE(BytesCampo(dopo, f), BytesCampo(s, f));
    QCOMPARE(dopo.Testo(Campo::Saldo), s.Testo(Campo::Saldo));
    QCOMPARE(e->text(), memorizzato);
}

void TestDigitazione::importoIlleggibile_calcola()
{
    TScheda s = ArchivioDiProva::Semplice(QStringLiteral("Rossi"), QStringLiteral("01/02/2024"),
                                          QStringLiteral("K"), QStringLiteral("Gas"), QStringLiteral("12 EUR"));
    s.ImpostaTesto(Campo::Saldo, QStringLiteral("12,00"));
    ArchivioDiProva::Scrivi(archivio(), {s});
    carica(0);
    m_desk->pulisci();
    Clicca(m_editor, QStringLiteral("btnCalcola"));
    QCOMPARE(m_desk->messaggi.size(), 1);
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
    QCOMPARE(m_desk->ultimoTesto(),
             QStringLiteral("Attenzione: il saldo non può essere calcolato, perché il programma non sa "
                            "leggere l'importo registrato in Totale dovuto (\"12 EUR\").\n\r\n\rCorreggere "
                            "l'importo e premere di nuovo Calcola."));
    QCOMPARE(c()->txtSaldo->text(), QStringLiteral("12,00"));
    QCOMPARE(c()->txtDovuto->text(), QStringLiteral("12 EUR"));
    // Once the user writes an amount, it is an amount like any other.
    QTest::keyClicks(c()->txtDovuto, QStringLiteral("15"));
    Clicca(m_editor, QStringLiteral("btnCalcola"));
    QCOMPARE(c()->txtSaldo->text(), QStringLiteral("15,00"));
}

// ---------------------------------------------------------------- characters

void TestDigitazione::caratteriNonConservabili_data()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<QString>("sostituiti"); // empty: none
    QTest::addColumn<QString>("tolti");
    for (const char *modo : {"tastiera", "incolla"}) {
        QTest::addRow("%s, ó si conserva", modo) << QString::fromLatin1(modo) << u"Però ó"_qs << u"Però ó"_qs << "" << "";
        QTest::addRow("%s, ď", modo) << QString::fromLatin1(modo) << u"ďábel"_qs << u"ábel"_qs << ""
                                     << u"\"ď\" (U+010F)"_qs;
        QTest::addRow("%s, pupazzo di neve", modo) << QString::fromLatin1(modo) << u"a☃b"_qs << "ab" << ""
                                                   << u"\"☃\" (U+2603)"_qs;
        QTest::addRow("%s, emoji", modo) << QString::fromLatin1(modo) << u"ok 😀"_qs << "ok " << ""
                                         << u"\"😀\" (U+1F600)"_qs;
        QTest::addRow("%s, spazio di ampiezza zero", modo) << QString::fromLatin1(modo) << u"a\u200Bb"_qs << "ab" << ""
                                                           << "U+200B";
        QTest::addRow("%s, separatore di riga", modo) << QString::fromLatin1(modo) << u"a\u2028b"_qs << "ab" << ""
                                                      << "U+2028";
        QTest::addRow("%s, accento combinante", modo) << QString::fromLatin1(modo) << u"caffe\u0301"_qs
                                                      << u"caffé"_qs << u"\"e\" (U+0065) + U+0301 con \"é\""_qs << "";
    }
}

void TestDigitazione::caratteriNonConservabili()
{
    QFETCH(QString, modo);
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    QFETCH(QString, sostituiti);
    QFETCH(QString, tolti);
    carica(1);
    auto *e = c()->txtFornitore;
    e->setFocus();
    e->selectAll();
    if (modo == u"tastiera") {
        // One key press, as an input method hands over a composed text.
        QKeyEvent tasto(QEvent::KeyPress, 0, Qt::NoModifier, testo);
        QApplication::sendEvent(e, &tasto);
    } else {
        incolla(e, testo);
    }
    QCOMPARE(e->text(), atteso);
    if (sostituiti.isEmpty() && tolti.isEmpty()) {
        QVERIFY(m_desk->messaggi.isEmpty());
    } else {
        QString messaggio = QStringLiteral("Attenzione: l'archivio non può conservare alcuni caratteri "
                                           "scritti nel campo \"Beneficiario\".");
        if (!sostituiti.isEmpty())
            messaggio += QStringLiteral("\n\r\n\rSostituiti con la forma più vicina: ") + sostituiti + u'.';
        if (!tolti.isEmpty())
            messaggio += QStringLiteral("\n\r\n\rTolti dal testo: ") + tolti + u'.';
        messaggio += QStringLiteral("\n\r\n\rIl campo mostra ora il testo come verrà salvato.");
        QCOMPARE(m_desk->messaggi.size(), 1);
        QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
        QCOMPARE(m_desk->ultimoTesto(), messaggio);
    }
    // After Salva the screen shows exactly what the archive holds.
    Clicca(m_editor, QStringLiteral("cmdSalva"));
    QCOMPARE(m_desk->ultimoTesto(), kModificata);
    QCOMPARE(SchedaIn(ArchivioDiProva::Leggi(archivio()), 1).Testo(Campo::Fornitore), e->text());
}

// ---------------------------------------------------------------- long pastes

void TestDigitazione::incollaTroppoLungo_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("appunti");
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<int>("lunghezza"); // of the pasted text as pasted; 0: no message
    QTest::newRow("codice fiscale a gruppi") << "txtCodFisc" << "RSS MRA 45C12 F205C" << "RSSMRA45C12F205C" << 0;
    QTest::newRow("codice fiscale con spazi intorno") << "txtCodFisc" << "  RSSMRA45C12F205C\n" << "RSSMRA45C12F205C" << 0;
    QTest::newRow("partita IVA a gruppi") << "txtCodFisc" << "012 345 678 90" << "01234567890" << 0;
    QTest::newRow("codice fiscale troppo lungo") << "txtCodFisc" << "RSSMRA45C12F205CXY" << "RSSMRA45C12F205C" << 18;
    QTest::newRow("nota di 257 caratteri") << "txtNote" << QString(257, u'n') << QString(250, u'n') << 257;
    QTest::newRow("nota di 250 caratteri") << "txtNote" << QString(250, u'n') << QString(250, u'n') << 0;
    QTest::newRow("beneficiario di 60 caratteri") << "txtFornitore" << QString(60, u'b') << QString(50, u'b') << 60;
}

void TestDigitazione::incollaTroppoLungo()
{
    QFETCH(QString, campo);
    QFETCH(QString, appunti);
    QFETCH(QString, atteso);
    QFETCH(int, lunghezza);
    auto *e = Trova<QLineEdit>(m_editor, campo);
    incolla(e, appunti);
    QCOMPARE(e->text(), atteso);
    if (lunghezza == 0) {
        QVERIFY(m_desk->messaggi.isEmpty());
        return;
    }
    QString nome = e->accessibleName();
    nome.chop(1); // the colon
    QCOMPARE(m_desk->messaggi.size(), 1);
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
    QCOMPARE(m_desk->ultimoTesto(),
             QStringLiteral("Attenzione: il testo incollato nel campo \"%1\" è lungo %2 caratteri, ma il "
                            "campo ne può contenere al massimo %3: è stata inserita soltanto la parte "
                            "che ci sta.\n\r\n\rControllare il testo del campo.")
                 .arg(nome)
                 .arg(lunghezza)
                 .arg(e->maxLength()));
}

// ---------------------------------------------------------------- amounts

void TestDigitazione::importoTastoMorto_data()
{
    QTest::addColumn<QString>("composto");
    QTest::addColumn<QString>("atteso"); // once the field is left
    QTest::newRow("à") << u"à"_qs << "12,00";
    QTest::newRow("é") << u"é"_qs << "12,00";
    QTest::newRow("tilde") << u"~"_qs << "12,00";
    QTest::newRow("cifra composta") << "5" << "125,00";
}

// A dead key composes its character without a key press the filter sees.
void TestDigitazione::importoTastoMorto()
{
    QFETCH(QString, composto);
    QFETCH(QString, atteso);
    auto *e = c()->txtDovuto;
    e->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(e, QStringLiteral("12"));
    QInputMethodEvent inizio(QStringLiteral("`"), {});
    QApplication::sendEvent(e, &inizio);
    QInputMethodEvent fine;
    fine.setCommitString(composto);
    QApplication::sendEvent(e, &fine);
    QTest::keyClick(e, Qt::Key_Return);
    QCOMPARE(e->text(), atteso);
    QVERIFY(m_desk->messaggi.isEmpty());
}

void TestDigitazione::importoEsponente_data()
{
    QTest::addColumn<QString>("appunti");
    QTest::newRow("1e5") << "1e5";
    QTest::newRow("1E5") << "1E5";
    QTest::newRow("2,5e-1") << "2,5e-1";
}

void TestDigitazione::importoEsponente()
{
    QFETCH(QString, appunti);
    auto *e = c()->txtDovuto;
    incolla(e, appunti);
    QCOMPARE(e->text(), QStringLiteral("0,00"));
    QCOMPARE(m_desk->messaggi.size(), 1);
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
    QCOMPARE(m_desk->ultimoTesto(),
             QStringLiteral("Attenzione: l'importo del campo Totale dovuto non è valido o ha troppe cifre "
                            "per essere registrato.\n\r\n\rIndicare un importo con non più di 12 cifre prima "
                            "della virgola, ad esempio 1234,56."));
}

// The middle button pastes the selection of the window system, which only a
// desktop with one has.
void TestDigitazione::importoIncollaCentrale()
{
    if (!QApplication::clipboard()->supportsSelection())
        QSKIP("the platform has no selection to paste (run under X11: tst_digitazione_x11)");
    carica(1);
    auto *e = c()->txtAcconto;
    c()->txtNote->setFocus();
    QCOMPARE(e->text(), QStringLiteral("0,00"));
    QApplication::clipboard()->setText(QStringLiteral("7,5"), QClipboard::Selection);
    const QPoint p(e->width() / 2, e->height() / 2);
    QTest::mouseClick(e, Qt::MiddleButton, {}, p);
    QVERIFY(m_desk->messaggi.isEmpty());
    QTest::keyClick(e, Qt::Key_Return);
    QCOMPARE(e->text(), QStringLiteral("7,50"));
    // Over an amount already there too.
    c()->txtNote->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("1.234,56"), QClipboard::Selection);
    QTest::mouseClick(e, Qt::MiddleButton, {}, p);
    QVERIFY(m_desk->messaggi.isEmpty());
    QTest::keyClick(e, Qt::Key_Return);
    QCOMPARE(e->text(), QStringLiteral("1234,56"));
}

// ---------------------------------------------------------------- tax code check

void TestDigitazione::codFiscCorretto_data()
{
    QTest::addColumn<QString>("nellaScheda");
    QTest::addColumn<QString>("nelDialogo"); // what the user corrects it to
    QTest::addColumn<bool>("riporta");       // the answer to the offer
    QTest::addColumn<QString>("atteso");
    QTest::newRow("corretto e riportato") << "RSSMRA80A01H501B" << "RSSMRA80A01H501U" << true << "RSSMRA80A01H501U";
    QTest::newRow("corretto e non riportato") << "RSSMRA80A01H501B" << "RSSMRA80A01H501U" << false << "RSSMRA80A01H501B";
    QTest::newRow("già valido") << "RSSMRA80A01H501U" << "" << true << "RSSMRA80A01H501U";
    QTest::newRow("corretto ma ancora errato") << "RSSMRA80A01H501B" << "RSSMRA80A01H501C" << true << "RSSMRA80A01H501B";
}

void TestDigitazione::codFiscCorretto()
{
    QFETCH(QString, nellaScheda);
    QFETCH(QString, nelDialogo);
    QFETCH(bool, riporta);
    QFETCH(QString, atteso);
    c()->txtCodFisc->setText(nellaScheda);
    m_desk->quandoModale = [&](QDialog *d) {
        if (!nelDialogo.isEmpty())
            Scrivi(d, QStringLiteral("txtCodFisc"), nelDialogo);
        Clicca(d, QStringLiteral("btnControlla"));
        return d->result();
    };
    m_desk->risposte.enqueue(riporta);
    Clicca(m_editor, QStringLiteral("btnCodFisc"));
    QCOMPARE(c()->txtCodFisc->text(), atteso);
    const QStringList domande = testi(FakeDesktop::Voce::Domanda);
    if (nelDialogo.isEmpty() || nelDialogo.endsWith(u'C')) {
        QVERIFY(domande.isEmpty());
        return;
    }
    QCOMPARE(domande,
             QStringList{QStringLiteral("Il codice verificato, %1, è diverso da quello della scheda (%2).\n\r\n\r"
                                        "Riportare il codice verificato nella scheda?")
                             .arg(nelDialogo, nellaScheda)});
}

QTEST_MAIN(TestDigitazione)
#include "tst_digitazione.moc"
