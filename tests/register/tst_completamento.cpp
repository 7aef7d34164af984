#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"

#include "Programma.h"
#include "register/Archivio.h"
#include "register/Completamento.h"
#include "register/RegPagamenti.h"
#include "ui_RegPagamenti.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QtTest>

using namespace GuiTest;

namespace {

TScheda Scheda(const QString &fornitore, const QString &cf, const QString &codice, const QString &tipologia,
               const QString &servizi)
{
    return ArchivioDiProva::Scheda({{Campo::Fornitore, fornitore},
                                    {Campo::CodFisc, cf},
                                    {Campo::Data, QStringLiteral("01/02/2024")},
                                    {Campo::Codice, codice},
                                    {Campo::Tipologia, tipologia},
                                    {Campo::Servizi, servizi},
                                    {Campo::Dovuto, QStringLiteral("10,00")},
                                    {Campo::Acconto, QStringLiteral("10,00")},
                                    {Campo::Saldo, QStringLiteral("0,00")},
                                    {Campo::DaSaldare, QStringLiteral("No")}});
}

// Enel Energia 4 records (once in capitals; its last one, n. 6, is a gas
// bill with the tax code stored in small letters), Generali Italia 2, Acea
// Energia and Benetton 1 each.
QList<TScheda> Archivio_()
{
    return {
        Scheda(QStringLiteral("Enel Energia"), QStringLiteral("06655971007"), QStringLiteral("LUCE"),
               QStringLiteral("Utenze"), QStringLiteral("Bolletta luce")),
        Scheda(QStringLiteral("Generali Italia"), QString(), QStringLiteral("RCAUTO"),
               QStringLiteral("Assicurazioni"), QStringLiteral("Polizza auto")),
        Scheda(QStringLiteral("ENEL ENERGIA"), QStringLiteral("06655971007"), QStringLiteral("LUCE"),
               QStringLiteral("Utenze"), QStringLiteral("Bolletta luce")),
        Scheda(QStringLiteral("Acea Energia"), QString(), QStringLiteral("ACQUA"), QStringLiteral("Utenze"),
               QStringLiteral("Bolletta acqua")),
        Scheda(QStringLiteral("Enel Energia"), QStringLiteral("06655971007"), QStringLiteral("LUCE"),
               QStringLiteral("Utenze"), QStringLiteral("Bolletta luce")),
        Scheda(QStringLiteral("Enel Energia"), QStringLiteral("rssmra80a01h501u"), QStringLiteral("GAS"),
               QStringLiteral("Utenze domestiche"), QStringLiteral("Bolletta gas")),
        Scheda(QStringLiteral("Generali Italia"), QString(), QStringLiteral("RCAUTO"),
               QStringLiteral("Assicurazioni"), QStringLiteral("Polizza auto")),
        Scheda(QStringLiteral("Benetton"), QString(), QStringLiteral("ABBIGL"), QStringLiteral("Abbigliamento"),
               QStringLiteral("Maglione")),
    };
}

const QString kDomanda = QStringLiteral(
    "Il beneficiario \"Enel Energia\" è già in archivio: la sua ultima scheda è la n. 6.\n\r\n\r"
    "Riportare nella scheda nuova questi dati della sua ultima scheda?\n\r\n\r"
    "Codice fiscale: RSSMRA80A01H501U\n\r"
    "Tipologia: Utenze domestiche\n\r"
    "Descrizione: Bolletta gas (al posto di \"Conguaglio\")");

} // namespace

class TestCompletamento : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void offerta_data();
    void offerta();
    void offerta_primaCheLaLetturaFinisca();
    void tastiera_sceltaEscInvio();
    void tastiera_giuApreIPiuUsati();
    void tastiera_incollaConListaAperta();
    void ultimaScheda_data();
    void ultimaScheda();
    void ultimaScheda_nonSuSchedaArchiviata();
    void valori_seguonoISalvataggi();
    void valori_seguonoLEliminazione();
    void letturaFallita_detta();
    void lista_nomeAccessibile();

private:
    QString archivio() const { return Archivio::Percorso(m_desk->cartella.path()); }
    Ui::TfrmRegPagamenti *c() const { return m_form->Controlli(); }
    QLineEdit *campo(const QString &nome) const { return m_form->findChild<QLineEdit *>(nome); }
    Completamento *lista(const QLineEdit *e) const { return m_form->CompletamentoDi(e); }
    void Apri(bool attendi = true);
    // Keys as the window system routes them: to the open list when there is one.
    static QWidget *Destinatario()
    {
        QWidget *p = QApplication::activePopupWidget();
        return p ? p : QApplication::focusWidget();
    }
    static void Premi(Qt::Key k) { QTest::keyClick(Destinatario(), k); }
    static void Digita(const QString &testo)
    {
        for (QChar ch : testo)
            QTest::keyClick(Destinatario(), ch.toLatin1());
    }
    static QStringList Offerti(const Completamento *l)
    {
        QStringList v;
        const QAbstractItemModel *m = l->Lista()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            v << m->index(r, 0).data().toString();
        return v;
    }

    std::unique_ptr<FakeDesktopInstallato> m_desk;
    std::unique_ptr<TfrmRegPagamenti> m_form;
};

void TestCompletamento::init()
{
    m_desk = std::make_unique<FakeDesktopInstallato>();
    ArchivioDiProva::Scrivi(archivio(), Archivio_());
}

void TestCompletamento::Apri(bool attendi)
{
    m_form = std::make_unique<TfrmRegPagamenti>();
    Programma::CollegaEditor(*m_form);
    m_form->setWindowState(Qt::WindowNoState);
    m_form->resize(1280, 720);
    m_form->show();
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    if (attendi)
        QTRY_VERIFY(!m_form->LetturaValoriInCorso());
}

void TestCompletamento::cleanup()
{
    m_form.reset();
    m_desk.reset();
}

void TestCompletamento::offerta_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QStringList>("attesi");

    // The most used first, as the archive writes it; at equal use, the ones
    // that start with the text, then alphabetical.
    QTest::newRow("ene") << QStringLiteral("txtFornitore") << QStringLiteral("ene")
                         << QStringList{QStringLiteral("Enel Energia"), QStringLiteral("Generali Italia"),
                                        QStringLiteral("Acea Energia"), QStringLiteral("Benetton")};
    QTest::newRow("ENERGIA") << QStringLiteral("txtFornitore") << QStringLiteral("ENERGIA")
                             << QStringList{QStringLiteral("Enel Energia"), QStringLiteral("Acea Energia")};
    QTest::newRow("infisso") << QStringLiteral("txtFornitore") << QStringLiteral("ali")
                             << QStringList{QStringLiteral("Generali Italia")};
    QTest::newRow("blank davanti") << QStringLiteral("txtFornitore") << QStringLiteral(" acea")
                                   << QStringList{QStringLiteral("Acea Energia")};
    QTest::newRow("codice") << QStringLiteral("txtCodice") << QStringLiteral("a")
                            << QStringList{QStringLiteral("RCAUTO"), QStringLiteral("ABBIGL"),
                                           QStringLiteral("ACQUA"), QStringLiteral("GAS")};
    QTest::newRow("tipologia") << QStringLiteral("txtTipologia") << QStringLiteral("ut")
                               << QStringList{QStringLiteral("Utenze"), QStringLiteral("Utenze domestiche")};
    QTest::newRow("tipologia contenuta") << QStringLiteral("txtTipologia") << QStringLiteral("ENZ")
                                         << QStringList{QStringLiteral("Utenze"), QStringLiteral("Utenze domestiche")};
}

void TestCompletamento::offerta()
{
    QFETCH(QString, nome);
    QFETCH(QString, digitato);
    QFETCH(QStringList, attesi);
    Apri();
    QLineEdit *e = campo(nome);
    e->setFocus(Qt::TabFocusReason);
    Digita(digitato);
    QTRY_VERIFY(lista(e)->Aperta());
    QCOMPARE(Offerti(lista(e)), attesi);
    // Only offered: the field holds what was typed, and the keyboard stays in it.
    QCOMPARE(e->text(), digitato);
    QCOMPARE(QApplication::focusWidget(), e);
    // A text nothing matches closes the list.
    Digita(QStringLiteral("qqq"));
    QTRY_VERIFY(!lista(e)->Aperta());
    QCOMPARE(e->text(), digitato + QStringLiteral("qqq"));
    QVERIFY(m_desk->messaggi.isEmpty());
}

void TestCompletamento::offerta_primaCheLaLetturaFinisca()
{
    // Enough records for the scan to take many slices. It starts when the
    // editor is shown and goes on only from the event loop: under way until
    // the loop runs, however fast the machine reads.
    QList<TScheda> schede;
    for (int i = 0; i < 12000; ++i)
        schede << Archivio_().at(i % 8);
    ArchivioDiProva::Scrivi(archivio(), schede);
    m_form = std::make_unique<TfrmRegPagamenti>();
    Programma::CollegaEditor(*m_form);
    m_form->setWindowState(Qt::WindowNoState);
    m_form->resize(1280, 720);
    m_form->show();
    QVERIFY(m_form->LetturaValoriInCorso());
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    c()->txtFornitore->setFocus(Qt::TabFocusReason);
    Digita(QStringLiteral("ene"));
    // Typed before the values were read: offered once they are.
    QTRY_VERIFY(lista(c()->txtFornitore)->Aperta());
    QVERIFY(!m_form->LetturaValoriInCorso());
    QCOMPARE(Offerti(lista(c()->txtFornitore)).value(0), QStringLiteral("Enel Energia"));
    QCOMPARE(c()->txtFornitore->text(), QStringLiteral("ene"));
}

void TestCompletamento::tastiera_sceltaEscInvio()
{
    Apri();
    QLineEdit *codice = c()->txtCodice;
    codice->setFocus(Qt::TabFocusReason);
    Digita(QStringLiteral("a"));
    QTRY_VERIFY(lista(codice)->Aperta());
    // The open list gets the keys, as the window system gives them to a popup.
    QCOMPARE(QApplication::activePopupWidget(), lista(codice)->Lista());
    // RCAUTO, ABBIGL, ACQUA, GAS: down twice, up once.
    Premi(Qt::Key_Down);
    Premi(Qt::Key_Down);
    Premi(Qt::Key_Up);
    QCOMPARE(codice->text(), QStringLiteral("a")); // a highlighted value is not written
    Premi(Qt::Key_Return);
    QVERIFY(!lista(codice)->Aperta());
    QCOMPARE(codice->text(), QStringLiteral("RCAUTO"));
    QCOMPARE(QApplication::focusWidget(), codice);
    // That field only.
    QVERIFY(c()->txtFornitore->text().isEmpty());
    QVERIFY(c()->txtTipologia->text().isEmpty());
    QVERIFY(c()->txtServizi->text().isEmpty());
    // Enter again goes on along the form, as ever.
    Premi(Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), c()->txtTipologia);

    // Esc closes the list and keeps what was typed.
    Digita(QStringLiteral("u"));
    QTRY_VERIFY(lista(c()->txtTipologia)->Aperta());
    Premi(Qt::Key_Escape);
    QVERIFY(!lista(c()->txtTipologia)->Aperta());
    QCOMPARE(c()->txtTipologia->text(), QStringLiteral("u"));
    QCOMPARE(QApplication::focusWidget(), c()->txtTipologia);
    QVERIFY(m_form->isVisible());

    // Enter with nothing highlighted: the list closes and the form goes on.
    Digita(QStringLiteral("t"));
    QTRY_VERIFY(lista(c()->txtTipologia)->Aperta());
    Premi(Qt::Key_Enter);
    QVERIFY(!lista(c()->txtTipologia)->Aperta());
    QCOMPARE(c()->txtTipologia->text(), QStringLiteral("ut"));
    QCOMPARE(QApplication::focusWidget(), c()->txtServizi);
    QVERIFY(m_desk->messaggi.isEmpty());
}

void TestCompletamento::tastiera_giuApreIPiuUsati()
{
    Apri();
    QLineEdit *tipologia = c()->txtTipologia;
    tipologia->setFocus(Qt::TabFocusReason);
    Premi(Qt::Key_Down);
    QVERIFY(lista(tipologia)->Aperta());
    QCOMPARE(Offerti(lista(tipologia)), (QStringList{QStringLiteral("Utenze"), QStringLiteral("Assicurazioni"),
                                                     QStringLiteral("Abbigliamento"), QStringLiteral("Utenze domestiche")}));
    Premi(Qt::Key_Down);
    Premi(Qt::Key_Down);
    Premi(Qt::Key_Return);
    QCOMPARE(tipologia->text(), QStringLiteral("Assicurazioni"));
    // Tab with the list open leaves the field, the list closed behind it.
    tipologia->clear();
    Premi(Qt::Key_Down);
    QVERIFY(lista(tipologia)->Aperta());
    Premi(Qt::Key_Tab);
    QVERIFY(!lista(tipologia)->Aperta());
    QCOMPARE(QApplication::focusWidget(), c()->txtServizi);
}

void TestCompletamento::tastiera_incollaConListaAperta()
{
    Apri();
    QLineEdit *fornitore = c()->txtFornitore;
    fornitore->setFocus(Qt::TabFocusReason);
    Digita(QStringLiteral("e"));
    QTRY_VERIFY(lista(fornitore)->Aperta());
    // A paste while the list is open still goes through the field's length check.
    QGuiApplication::clipboard()->setText(QString(60, u'x'));
    QTest::keyClick(Destinatario(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(fornitore->text(), QStringLiteral("e") + QString(49, u'x'));
    QCOMPARE(m_desk->messaggi.size(), 1);
    QVERIFY(m_desk->ultimoTesto().startsWith(
        QStringLiteral("Attenzione: il testo incollato nel campo \"Beneficiario\" è lungo 60 caratteri")));
}

void TestCompletamento::ultimaScheda_data()
{
    QTest::addColumn<bool>("accetta");
    QTest::newRow("accettata") << true;
    QTest::newRow("rifiutata") << false;
}

void TestCompletamento::ultimaScheda()
{
    QFETCH(bool, accetta);
    Apri();
    // Typed before: the question names what would be replaced.
    c()->txtServizi->setText(QStringLiteral("Conguaglio"));
    c()->txtCodice->setText(QStringLiteral("GAS"));
    QLineEdit *fornitore = c()->txtFornitore;
    fornitore->setFocus(Qt::TabFocusReason);
    Digita(QStringLiteral("ene"));
    QTRY_VERIFY(lista(fornitore)->Aperta());
    m_desk->risposte.enqueue(accetta);
    Premi(Qt::Key_Down);
    Premi(Qt::Key_Return);

    QCOMPARE(fornitore->text(), QStringLiteral("Enel Energia"));
    QCOMPARE(m_desk->messaggi.size(), 1);
    QCOMPARE(m_desk->messaggi[0].genere, FakeDesktop::Voce::Domanda);
    // The code already equal is not offered again.
    QCOMPARE(m_desk->messaggi[0].testo, kDomanda);
    if (accetta) {
        // Through the field's own rule: the tax code in capitals.
        QCOMPARE(c()->txtCodFisc->text(), QStringLiteral("RSSMRA80A01H501U"));
        QCOMPARE(c()->txtTipologia->text(), QStringLiteral("Utenze domestiche"));
        QCOMPARE(c()->txtServizi->text(), QStringLiteral("Bolletta gas"));
    } else {
        QVERIFY(c()->txtCodFisc->text().isEmpty());
        QVERIFY(c()->txtTipologia->text().isEmpty());
        QCOMPARE(c()->txtServizi->text(), QStringLiteral("Conguaglio"));
    }
    QCOMPARE(c()->txtCodice->text(), QStringLiteral("GAS"));
    // Nothing else touched, nothing saved, no list left open.
    QVERIFY(c()->txtNumDoc->text().isEmpty());
    QVERIFY(c()->lblPosizione->text().isEmpty());
    QCOMPARE(ArchivioDiProva::Leggi(archivio()).size(), 8 * TScheda::Dimensione);
    for (QLineEdit *e : {c()->txtFornitore, c()->txtCodice, c()->txtTipologia})
        QVERIFY(!lista(e)->Aperta());

    // The same fields as the last record: nothing to ask.
    if (accetta) {
        m_desk->pulisci();
        fornitore->setFocus(Qt::TabFocusReason);
        fornitore->selectAll();
        Digita(QStringLiteral("enel"));
        QTRY_VERIFY(lista(fornitore)->Aperta());
        Premi(Qt::Key_Down);
        Premi(Qt::Key_Return);
        QCOMPARE(fornitore->text(), QStringLiteral("Enel Energia"));
        QVERIFY(m_desk->messaggi.isEmpty());
    }
}

void TestCompletamento::ultimaScheda_nonSuSchedaArchiviata()
{
    Apri();
    Clicca(m_form.get(), QStringLiteral("cmdUltimo"));
    QCOMPARE(c()->lblPosizione->text(), QStringLiteral("8"));
    QLineEdit *fornitore = c()->txtFornitore;
    fornitore->setFocus(Qt::TabFocusReason);
    fornitore->selectAll();
    Digita(QStringLiteral("enel"));
    QTRY_VERIFY(lista(fornitore)->Aperta());
    Premi(Qt::Key_Down);
    Premi(Qt::Key_Return);
    QCOMPARE(fornitore->text(), QStringLiteral("Enel Energia"));
    QVERIFY(m_desk->messaggi.isEmpty());
    QCOMPARE(c()->txtCodice->text(), QStringLiteral("ABBIGL"));
    QCOMPARE(c()->txtServizi->text(), QStringLiteral("Maglione"));
}

void TestCompletamento::valori_seguonoISalvataggi()
{
    Apri();
    // A new record with a new payee.
    c()->txtFornitore->setText(QStringLiteral("Zeta Nuova"));
    c()->txtCodice->setText(QStringLiteral("ZN"));
    c()->txtServizi->setText(QStringLiteral("Prima fattura"));
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(m_desk->ultimoTesto(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
    // The stored record 8 rewritten: Benetton becomes Benetti.
    Clicca(m_form.get(), QStringLiteral("cmdIndietro"));
    QCOMPARE(c()->txtFornitore->text(), QStringLiteral("Benetton"));
    c()->txtFornitore->setText(QStringLiteral("Benetti"));
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(m_desk->ultimoTesto(), QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QVERIFY(!m_form->LetturaValoriInCorso()); // followed without reading the archive again

    Clicca(m_form.get(), QStringLiteral("cmdNuovo"));
    m_desk->pulisci();
    QLineEdit *fornitore = c()->txtFornitore;
    fornitore->setFocus(Qt::TabFocusReason);
    Digita(QStringLiteral("e"));
    QTRY_VERIFY(lista(fornitore)->Aperta());
    QCOMPARE(Offerti(lista(fornitore)), (QStringList{QStringLiteral("Enel Energia"), QStringLiteral("Generali Italia"),
                                                     QStringLiteral("Acea Energia"), QStringLiteral("Benetti"),
                                                     QStringLiteral("Zeta Nuova")}));
    // The new payee's last record is the one just saved, n. 9.
    m_desk->risposte.enqueue(true);
    Premi(Qt::Key_Up);
    Premi(Qt::Key_Return);
    QCOMPARE(fornitore->text(), QStringLiteral("Zeta Nuova"));
    QCOMPARE(m_desk->messaggi.size(), 1);
    QVERIFY(m_desk->messaggi[0].testo.contains(QStringLiteral("la sua ultima scheda è la n. 9.")));
    QCOMPARE(c()->txtCodice->text(), QStringLiteral("ZN"));
    QCOMPARE(c()->txtServizi->text(), QStringLiteral("Prima fattura"));
}

void TestCompletamento::valori_seguonoLEliminazione()
{
    Apri();
    Clicca(m_form.get(), QStringLiteral("cmdUltimo"));
    QCOMPARE(c()->txtFornitore->text(), QStringLiteral("Benetton"));
    m_desk->risposte.enqueue(true);
    Clicca(m_form.get(), QStringLiteral("cmdElimina"));
    QCOMPARE(ArchivioDiProva::Leggi(archivio()).size(), 7 * TScheda::Dimensione);
    QTRY_VERIFY(!m_form->LetturaValoriInCorso());
    Clicca(m_form.get(), QStringLiteral("cmdNuovo"));
    QLineEdit *fornitore = c()->txtFornitore;
    fornitore->setFocus(Qt::TabFocusReason);
    Digita(QStringLiteral("ene"));
    QTRY_VERIFY(lista(fornitore)->Aperta());
    QCOMPARE(Offerti(lista(fornitore)), (QStringList{QStringLiteral("Enel Energia"), QStringLiteral("Generali Italia"),
                                                     QStringLiteral("Acea Energia")}));
}

void TestCompletamento::letturaFallita_detta()
{
    // An archive that cannot be opened, whoever runs the test.
    QVERIFY(QFile::remove(archivio()));
    QVERIFY(QDir().mkdir(archivio()));
    Apri();
    QCOMPARE(m_desk->messaggi.size(), 1);
    QCOMPARE(m_desk->messaggi[0].genere, FakeDesktop::Voce::Avviso);
    QVERIFY(m_desk->messaggi[0].testo.startsWith(QStringLiteral(
        "Attenzione: il programma non riesce a leggere l'archivio per proporre, durante la digitazione, "
        "i beneficiari, i codici e le tipologie già registrati (")));
    // The editor stays usable: nothing is offered.
    c()->txtFornitore->setFocus(Qt::TabFocusReason);
    Digita(QStringLiteral("ene"));
    QTest::qWait(50);
    QVERIFY(!lista(c()->txtFornitore)->Aperta());
    QCOMPARE(c()->txtFornitore->text(), QStringLiteral("ene"));
}

void TestCompletamento::lista_nomeAccessibile()
{
    Apri();
    const struct {
        QLineEdit *campo;
        const char *nome;
    } campi[] = {{c()->txtFornitore, "Valori già in archivio per Beneficiario"},
                 {c()->txtCodice, "Valori già in archivio per Codice prodotto/servizio"},
                 {c()->txtTipologia, "Valori già in archivio per Tipologia"}};
    for (const auto &k : campi) {
        QCOMPARE(lista(k.campo)->Lista()->accessibleName(), QString::fromUtf8(k.nome));
        QVERIFY(!lista(k.campo)->Lista()->accessibleDescription().isEmpty());
    }
    QVERIFY(!lista(c()->txtServizi));
    c()->txtFornitore->setFocus(Qt::TabFocusReason);
    Digita(QStringLiteral("e"));
    QTRY_VERIFY(lista(c()->txtFornitore)->Aperta());
    QCOMPARE(SenzaNomeAccessibile(lista(c()->txtFornitore)->Lista()), QStringList());
}

QTEST_MAIN(TestCompletamento)
#include "tst_completamento.moc"
