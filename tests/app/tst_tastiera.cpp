// The keyboard alone, on every screen and dialog reached from the start menu
// as the running program wires them: Enter and keypad Enter on a focused
// button do exactly what a click does, and Tab walks the controls in the
// order the screen shows them.
#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "Programma.h"
#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Applicazione.h"
#include "app/Avvio.h"
#include "charts/Statistiche.h"
#include "platform/Schermate.h"
#include "register/Archivio.h"
#include "register/RegPagamenti.h"
#include "summary/MenuRiepPagamenti.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

using namespace ArchivioDiProva;

namespace {

// Tab moves the focus with the focused widget's focusNextPrevChild, which
// is protected: reach it the way a subclass may.
struct Catena : QWidget {
    static void Avanti(QWidget *w) { (w->*(&Catena::focusNextPrevChild))(true); }
};

// The control a focus widget stands for: Qt's inner parts (the edit of a
// drop-down, the grid of a calendar) answer for the control holding them.
QString Nome(QWidget *w)
{
    for (QWidget *p = w; p; p = p->parentWidget()) {
        if (p->isWindow())
            break;
        if (!p->objectName().isEmpty() && !p->objectName().startsWith(QLatin1String("qt_")))
            return p->objectName();
    }
    return w ? QStringLiteral("(%1)").arg(QString::fromLatin1(w->metaObject()->className())) : QString();
}

void Attiva(QWidget *finestra)
{
    finestra->raise();
    QApplication::setActiveWindow(finestra);
    QVERIFY(QTest::qWaitForWindowActive(finestra));
}

// What a widget and its named controls show: texts, checks, selections,
// list lines, which of them are visible.
QStringList Impronta(QWidget *radice)
{
    QStringList voci{QStringLiteral("%1 visibile=%2").arg(Nome(radice)).arg(radice->isVisible())};
    for (QWidget *w : radice->findChildren<QWidget *>()) {
        const QString nome = w->objectName();
        if (nome.isEmpty() || nome.startsWith(QLatin1String("qt_")) || w->isWindow())
            continue;
        QString valore;
        if (auto *e = qobject_cast<QLineEdit *>(w))
            valore = e->text();
        else if (auto *l = qobject_cast<QLabel *>(w))
            valore = l->text();
        else if (auto *c = qobject_cast<QCheckBox *>(w))
            valore = c->isChecked() ? QStringLiteral("[x]") : QStringLiteral("[ ]");
        else if (auto *c = qobject_cast<QComboBox *>(w))
            valore = c->currentText();
        else if (auto *t = qobject_cast<QPlainTextEdit *>(w))
            valore = t->toPlainText();
        else if (auto *v = qobject_cast<QAbstractItemView *>(w); v && v->model())
            for (int r = 0; r < v->model()->rowCount(); ++r)
                valore += v->model()->index(r, 0).data().toString() + u'|';
        voci << QStringLiteral("%1 %2 [%3]").arg(nome).arg(w->isVisibleTo(radice)).arg(valore);
    }
    return voci;
}

struct Passo {
    enum Genere { Clic, Scrivi, Scegli, Tasto } genere;
    QString controllo, testo;
};

// "nome" clicks, "nome=testo" types, "nome~voce" picks a drop-down item,
// "nome@" presses a letter key in the field.
Passo LeggiPasso(const QString &s)
{
    if (const qsizetype i = s.indexOf(u'='); i > 0)
        return {Passo::Scrivi, s.left(i), s.mid(i + 1)};
    if (const qsizetype i = s.indexOf(u'~'); i > 0)
        return {Passo::Scegli, s.left(i), s.mid(i + 1)};
    if (s.endsWith(u'@'))
        return {Passo::Tasto, s.chopped(1), QString()};
    return {Passo::Clic, s, QString()};
}

} // namespace

class TestTastiera : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void invioComeClic_data();
    void invioComeClic();
    void ordineTab_data();
    void ordineTab();
    void tastiRapidi_data();
    void tastiRapidi();
    void tastiRapidiUnivoci();

private:
    // A fresh program: the desktop double, the eighteen screens, a small
    // archive and the password store laid down at installation.
    void Avvia();
    void Chiudi();
    QWidget *Schermata(const QString &nome) const;
    // Shows the start-up screen named first, runs the steps (going on inside
    // every dialog a step opens) and hands the screen or dialog reached to
    // the action, inside it.
    void Percorri(const QStringList &percorso, const std::function<void(QWidget *)> &azione);
    // Everything a user or the disk can tell about the program now.
    QStringList Stato() const;
    QString Pulito(QString testo) const { return testo.replace(m_fake->cartella.path(), QStringLiteral("<cartella>")); }

    std::unique_ptr<FakeDesktopInstallato> m_fake;
    QStringList m_dialoghi; // dialogs opened by the action, with what they showed
};

void TestTastiera::initTestCase()
{
    // As the program entry prepares the application.
    Applicazione::Prepara(*qApp);
}

void TestTastiera::cleanup() { Chiudi(); }

void TestTastiera::Avvia()
{
    Chiudi();
    m_fake = std::make_unique<FakeDesktopInstallato>();
    const QString store = QFINDTESTDATA("../../packaging/unins000.dll");
    QVERIFY(!store.isEmpty());
    QVERIFY(QFile::copy(store, m_fake->percorso(QStringLiteral("unins000.dll"))));
    QFile::setPermissions(m_fake->percorso(QStringLiteral("unins000.dll")),
                          QFile::ReadOwner | QFile::WriteOwner);
    TScheda allegati = Semplice(QStringLiteral("Gas Nord"), QStringLiteral("05/03/2024"), QStringLiteral("GAS"),
                                QStringLiteral("Bolletta gas"), QStringLiteral("132,10"));
    allegati.ImpostaTesto(Campo::File01, QStringLiteral("bolletta.pdf"));
    allegati.ImpostaTesto(Campo::File02, QStringLiteral("ricevuta.pdf"));
    allegati.ImpostaTesto(Campo::File03, QStringLiteral("contratto.pdf"));
    Scrivi(Archivio::Percorso(m_fake->cartella.path()),
           {Semplice(QStringLiteral("Idraulico Rossi"), QStringLiteral("12/01/2024"), QStringLiteral("CASA"),
                     QStringLiteral("Riparazione caldaia"), QStringLiteral("180,00"), true),
            Semplice(QStringLiteral("Acqua Blu"), QStringLiteral("15/03/2024"), QStringLiteral("ACQUA"),
                     QStringLiteral("Bolletta acqua"), QStringLiteral("48,50"), true),
            allegati});
    Programma::CreaSchermate();
    m_dialoghi.clear();
}

void TestTastiera::Chiudi()
{
    if (!m_fake)
        return;
    Programma::DistruggiSchermate();
    m_fake.reset();
}

QWidget *TestTastiera::Schermata(const QString &nome) const
{
    const Schermate &s = Schermate::Globali();
    const QHash<QString, QWidget *> schermate{
        {QStringLiteral("accesso"), s.frmPassword},     {QStringLiteral("cambia"), s.frmCambiaPassword},
        {QStringLiteral("avvio"), s.frmAvvio},          {QStringLiteral("registro"), s.frmRegPagamenti},
        {QStringLiteral("criteri"), s.frmMenuRiepPagamenti}, {QStringLiteral("grafici"), s.frmStatistiche},
    };
    return schermate.value(nome);
}

void TestTastiera::Percorri(const QStringList &percorso, const std::function<void(QWidget *)> &azione)
{
    QWidget *schermata = Schermata(percorso.first());
    QVERIFY2(schermata, qPrintable(percorso.first()));
    schermata->setWindowState(Qt::WindowNoState);
    schermata->resize(1280, 720);
    schermata->show();
    Attiva(schermata);

    qsizetype prossimo = 1;
    bool arrivato = false;
    std::function<void(QWidget *)> prosegui = [&](QWidget *w) {
        while (prossimo < percorso.size() && !arrivato) {
            const Passo p = LeggiPasso(percorso.at(prossimo++));
            switch (p.genere) {
            case Passo::Clic:
                GuiTest::Clicca(w, p.controllo);
                break;
            case Passo::Scrivi:
                GuiTest::Scrivi(w, p.controllo, p.testo);
                break;
            case Passo::Scegli: {
                auto *c = GuiTest::Trova<QComboBox>(w, p.controllo);
                QVERIFY(c);
                c->setCurrentIndex(c->findText(p.testo));
                break;
            }
            case Passo::Tasto: {
                auto *campo = GuiTest::Trova<QWidget>(w, p.controllo);
                QVERIFY(campo);
                campo->setFocus();
                QTest::keyClick(campo, Qt::Key_A);
                break;
            }
            }
        }
        if (!arrivato) {
            arrivato = true;
            azione(w);
        }
    };
    m_fake->quandoModale = [&](QDialog *d) {
        if (arrivato) {
            // Opened by the action under test: what it showed is part of the outcome.
            m_dialoghi << QString::fromLatin1(d->metaObject()->className()) << Impronta(d);
        } else {
            Attiva(d);
            prosegui(d);
        }
        return int(QDialog::Rejected);
    };
    prosegui(schermata);
    m_fake->quandoModale = nullptr;
    QVERIFY2(arrivato, qPrintable(percorso.join(u' ')));
}

QStringList TestTastiera::Stato() const
{
    QStringList stato = m_dialoghi;
    const Schermate &s = Schermate::Globali();
    for (QWidget *w : std::initializer_list<QWidget *>{s.frmPassword, s.frmCambiaPassword, s.frmAvvio,
                                                       s.frmRegPagamenti, s.frmMenuRiepPagamenti,
                                                       s.frmStatistiche})
        stato << Impronta(w);
    for (const FakeDesktop::Voce &v : m_fake->messaggi)
        stato << QStringLiteral("messaggio %1: %2").arg(int(v.genere)).arg(v.testo);
    for (const QUrl &u : m_fake->aperti)
        stato << QStringLiteral("aperto ") + u.toString();
    stato << QStringLiteral("stampe %1, dialoghi di stampa %2").arg(m_fake->stampe.size()).arg(m_fake->dialoghiStampa);
    QDirIterator file(m_fake->cartella.path(), QDir::Files, QDirIterator::Subdirectories);
    while (file.hasNext()) {
        QFile f(file.next());
        // A PDF carries the moment it was made: its name is enough.
        if (f.fileName().endsWith(QLatin1String(".pdf")))
            stato << f.fileName();
        else if (f.open(QIODevice::ReadOnly))
            stato << f.fileName() + u' '
                    + QString::fromLatin1(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Md5).toHex());
    }
    for (QString &voce : stato)
        voce = Pulito(voce);
    stato.sort();
    return stato;
}

// ------------------------------------------------------------------ Enter

void TestTastiera::invioComeClic_data()
{
    QTest::addColumn<QStringList>("percorso");
    QTest::addColumn<QString>("pulsante");

    const auto righe = [](const char *nome, const QStringList &percorso, const QStringList &pulsanti) {
        for (const QString &p : pulsanti)
            QTest::addRow("%s: %s", nome, qPrintable(p)) << percorso << p;
    };
    const QStringList criteri{QStringLiteral("criteri"), QStringLiteral("txtGiornoInizio~01"),
                              QStringLiteral("txtMeseInizio~Gennaio"), QStringLiteral("txtGiornoFine~31"),
                              QStringLiteral("txtMeseFine~Dicembre")};

    righe("accesso", {u"accesso"_qs, u"txtPassword=valmora2026"_qs},
          {u"cmdOK"_qs, u"btnCambiaPassword"_qs, u"cmdEsci"_qs});
    righe("cambio password",
          {u"cambia"_qs, u"txtPasswordOld=valmora2026"_qs, u"txtPasswordNew=nuova"_qs, u"txtConferma=nuova"_qs},
          {u"cmdOK"_qs, u"cmdEsci"_qs});
    righe("menu di avvio", {u"avvio"_qs},
          {u"imgApp01"_qs, u"btnApp01"_qs, u"imgApp02"_qs, u"btnApp02"_qs, u"imgApp03"_qs, u"btnApp03"_qs,
           u"imgInfo"_qs, u"imgGuida"_qs, u"imgCredits"_qs, u"imgCopie"_qs, u"imgSito"_qs, u"imgEsci"_qs});
    righe("informazioni", {u"avvio"_qs, u"imgInfo"_qs}, {u"btnChiudi"_qs});
    righe("riconoscimenti", {u"avvio"_qs, u"imgCredits"_qs}, {u"btnChiudi"_qs});
    righe("guida", {u"avvio"_qs, u"imgGuida"_qs}, {u"btnChiudi"_qs});
    righe("copie di sicurezza", {u"avvio"_qs, u"imgCopie"_qs}, {u"btnApri"_qs, u"btnChiudi"_qs});
    righe("schede eliminate", {u"registro"_qs, u"cmdEliminate"_qs}, {u"btnStampa"_qs, u"btnChiudi"_qs});
    righe("registro", {u"registro"_qs, u"cmdUltimo"_qs},
          {u"cmdNuovo"_qs, u"cmdDuplica"_qs, u"cmdElimina"_qs, u"cmdSalva"_qs, u"cmdTrova"_qs, u"cmdFile"_qs, u"cmdStampa"_qs,
           u"cmdPrimo"_qs, u"cmdIndietro"_qs, u"cmdAvanti"_qs, u"cmdUltimo"_qs, u"cmdEsporta"_qs,
           u"cmdImporta"_qs, u"cmdListino"_qs, u"cmdEliminate"_qs, u"cmdGuida"_qs, u"cmdEsci"_qs, u"btnCodFisc"_qs, u"btnCalcola"_qs});
    righe("ricerca", {u"registro"_qs, u"cmdTrova"_qs, u"txtFornitore=a"_qs}, {u"btnCerca"_qs, u"btnAnnulla"_qs});
    righe("risultati della ricerca",
          {u"registro"_qs, u"cmdTrova"_qs, u"txtFornitore=a"_qs, u"btnCerca"_qs, u"txtTrova=acqua"_qs},
          {u"btnTrova"_qs, u"btnStampa"_qs, u"btnChiudi"_qs});
    righe("conti da saldare", {u"registro"_qs, u"cmdListino"_qs, u"txtTrova=acqua"_qs},
          {u"btnTrova"_qs, u"btnStampa"_qs, u"btnChiudi"_qs});
    righe("stampa della scheda", {u"registro"_qs, u"cmdUltimo"_qs, u"cmdStampa"_qs},
          {u"btnStampa"_qs, u"btnAnnulla"_qs});
    righe("esportazione", {u"registro"_qs, u"cmdEsporta"_qs}, {u"cmdEsporta"_qs, u"cmdGuida"_qs, u"cmdEsci"_qs});
    righe("allegati", {u"registro"_qs, u"cmdUltimo"_qs, u"cmdFile"_qs},
          {u"imgCancella01"_qs, u"btnSfoglia01"_qs, u"btnApri01"_qs, u"btnApplica"_qs, u"btnAnnulla"_qs});
    righe("codice fiscale", {u"registro"_qs, u"txtCodFisc=RSSMRA80A01H501U"_qs, u"btnCodFisc"_qs},
          {u"btnControlla"_qs, u"btnChiudi"_qs});
    righe("partita IVA", {u"registro"_qs, u"txtCodFisc=01234567890"_qs, u"btnCodFisc"_qs},
          {u"btnControlla"_qs, u"btnChiudi"_qs});
    righe("importazione data", {u"registro"_qs, u"txtData@"_qs}, {u"btnImportaData"_qs, u"btnAnnulla"_qs});
    righe("criteri del riepilogo", criteri, {u"btnVisualizza"_qs, u"btnEsci"_qs});
    righe("riepilogo", criteri + QStringList{u"btnVisualizza"_qs, u"txtTrova=acqua"_qs},
          {u"btnTrova"_qs, u"imgGuida"_qs, u"btnStampa"_qs, u"btnEsci"_qs});
    righe("scelta dell'anno", {u"grafici"_qs}, {u"btnApri"_qs, u"imgGuida"_qs, u"imgEsci"_qs});
    righe("grafico", {u"grafici"_qs, u"btnApri"_qs},
          {u"btnTorta"_qs, u"btnBarre"_qs, u"btnStampa"_qs, u"cmdGuida"_qs, u"btnEsci"_qs});
}

void TestTastiera::invioComeClic()
{
    QFETCH(QStringList, percorso);
    QFETCH(QString, pulsante);

    // The same road three times on a fresh program: the button clicked,
    // then pressed with Enter, then with the keypad's Enter.
    const auto esito = [&](int tasto) {
        Avvia();
        int clic = -1;
        Percorri(percorso, [&](QWidget *w) {
            auto *b = GuiTest::Trova<QAbstractButton>(w, pulsante);
            QVERIFY(b);
            QVERIFY2(b->isEnabled() && b->isVisible(), qPrintable(pulsante));
            clic = 0;
            connect(b, &QAbstractButton::clicked, b, [&clic] { ++clic; });
            if (tasto == 0) {
                b->click();
            } else {
                Attiva(b->window());
                b->setFocus();
                QVERIFY(b->hasFocus());
                QTest::keyClick(b, Qt::Key(tasto), tasto == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            }
            m_dialoghi.prepend(Nome(w));
            m_dialoghi << Impronta(w);
        });
        QStringList stato = Stato();
        stato.prepend(QStringLiteral("clic %1").arg(clic));
        return stato;
    };

    const QStringList clic = esito(0);
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(clic.first(), QStringLiteral("clic 1"));
    const QStringList invio = esito(Qt::Key_Return);
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(invio, clic);
    const QStringList tastierino = esito(Qt::Key_Enter);
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(tastierino, clic);
}

// ------------------------------------------------------------------ Tab

void TestTastiera::ordineTab_data()
{
    QTest::addColumn<QStringList>("percorso");
    QTest::addColumn<QStringList>("ordine");

    const QStringList criteri{QStringLiteral("criteri"), QStringLiteral("txtGiornoInizio~01"),
                              QStringLiteral("txtMeseInizio~Gennaio"), QStringLiteral("txtGiornoFine~31"),
                              QStringLiteral("txtMeseFine~Dicembre")};
    const auto riga = [](const char *nome, const QStringList &percorso, const QString &ordine) {
        QTest::newRow(nome) << percorso << ordine.split(u' ');
    };

    riga("accesso", {u"accesso"_qs, u"txtPassword=valmora2026"_qs}, u"txtPassword btnCambiaPassword cmdOK cmdEsci"_qs);
    riga("cambio password",
         {u"cambia"_qs, u"txtPasswordOld=valmora2026"_qs, u"txtPasswordNew=nuova"_qs, u"txtConferma=nuova"_qs},
         u"txtPasswordOld txtPasswordNew txtConferma cmdEsci cmdOK"_qs);
    riga("menu di avvio", {u"avvio"_qs},
         u"imgInfo imgGuida imgApp01 btnApp01 imgApp02 btnApp02 imgApp03 btnApp03 imgCredits imgCopie imgSito imgEsci"_qs);
    riga("informazioni", {u"avvio"_qs, u"imgInfo"_qs}, u"lnkWeb btnChiudi"_qs);
    riga("riconoscimenti", {u"avvio"_qs, u"imgCredits"_qs}, u"lnkWeb btnChiudi"_qs);
    riga("guida", {u"avvio"_qs, u"imgGuida"_qs}, u"txtGuida lnkWeb btnChiudi"_qs);
    // The fourteen fields of the record first, in their fixed order, the
    // check of the tax code and Calcola each right after the field it acts
    // on; then the toolbar, left to right.
    riga("registro", {u"registro"_qs, u"cmdUltimo"_qs},
         u"txtNumDoc txtDataDoc txtFornitore txtCodFisc btnCodFisc txtData txtCodice txtTipologia txtServizi "
         "txtDettagli txtDovuto txtAcconto txtSaldo btnCalcola txtNote chkDaSaldare cmdNuovo cmdDuplica cmdElimina "
         "cmdSalva cmdTrova cmdFile cmdStampa cmdPrimo cmdIndietro cmdAvanti cmdUltimo cmdEsporta cmdImporta cmdListino "
         "cmdEliminate cmdGuida cmdEsci"_qs);
    riga("ricerca", {u"registro"_qs, u"cmdTrova"_qs},
         u"txtNumDoc txtDataDoc txtData txtCodice txtTipologia txtServizi txtDettagli txtDovuto txtFornitore "
         "txtNote btnCerca btnAnnulla"_qs);
    riga("risultati della ricerca", {u"registro"_qs, u"cmdTrova"_qs, u"txtFornitore=a"_qs, u"btnCerca"_qs},
         u"txtTrova btnTrova lstRecords lblTrovate btnStampa btnChiudi"_qs);
    riga("conti da saldare", {u"registro"_qs, u"cmdListino"_qs},
         u"txtTrova btnTrova lstRecords lblTrovate btnStampa btnChiudi"_qs);
    riga("schede eliminate", {u"registro"_qs, u"cmdEliminate"_qs},
         u"lstRecords lblTrovate btnRipristina btnStampa btnChiudi"_qs);
    riga("copie di sicurezza", {u"avvio"_qs, u"imgCopie"_qs}, u"grdCopie btnRipristina btnApri btnChiudi"_qs);
    riga("stampa della scheda", {u"registro"_qs, u"cmdStampa"_qs}, u"btnAnnulla btnStampa"_qs);
    riga("esportazione", {u"registro"_qs, u"cmdEsporta"_qs}, u"cmdEsporta cmdGuida cmdEsci grdRecords"_qs);
    // Each slot's name, Sfoglia, Apri and description, in this fixed order;
    // the buttons that empty a name come last.
    riga("allegati", {u"registro"_qs, u"cmdUltimo"_qs, u"cmdFile"_qs},
         u"txtFile01 btnSfoglia01 btnApri01 txtDesc01 txtFile02 btnSfoglia02 btnApri02 txtDesc02 txtFile03 "
         "btnSfoglia03 btnApri03 txtDesc03 btnApplica btnAnnulla imgCancella01 imgCancella02 imgCancella03"_qs);
    riga("codice fiscale", {u"registro"_qs, u"txtCodFisc=RSSMRA80A01H501U"_qs, u"btnCodFisc"_qs},
         u"txtCodFisc btnControlla btnChiudi"_qs);
    riga("partita IVA", {u"registro"_qs, u"txtCodFisc=01234567890"_qs, u"btnCodFisc"_qs},
         u"txtPartitaIva btnControlla btnChiudi"_qs);
    // The calendar's grid, then its month arrows and month and year buttons,
    // all parts of calAppuntamenti, named after it here.
    riga("importazione data", {u"registro"_qs, u"txtData@"_qs},
         u"calAppuntamenti calAppuntamenti calAppuntamenti calAppuntamenti calAppuntamenti txtDataDigitata "
         "btnImportaData btnAnnulla"_qs);
    riga("criteri del riepilogo", criteri,
         u"txtAnno txtFornitore txtCodice txtGiornoInizio txtMeseInizio txtGiornoFine txtMeseFine btnVisualizza "
         "btnEsci btnAnalisi btnDichiarazione"_qs);
    riga("riepilogo", criteri + QStringList{u"btnVisualizza"_qs}, u"txtTrova btnTrova imgGuida lstRecords lblIntervallo lblTotCosti btnStampa btnEsci"_qs);
    riga("scelta dell'anno", {u"grafici"_qs}, u"txtAnno btnApri imgGuida imgEsci"_qs);
    riga("grafico", {u"grafici"_qs, u"btnApri"_qs}, u"ChartStats btnBarre btnTorta btnStampa cmdGuida btnEsci"_qs);
}

void TestTastiera::ordineTab()
{
    QFETCH(QStringList, percorso);
    QFETCH(QStringList, ordine);

    Avvia();
    QStringList visto;
    Percorri(percorso, [&](QWidget *w) {
        Attiva(w->window());
        auto *primo = GuiTest::Trova<QWidget>(w, ordine.first());
        QVERIFY(primo);
        primo->setFocus();
        visto << Nome(QApplication::focusWidget());
        // Once round the screen, and back to the first control.
        for (qsizetype i = 0; i < ordine.size(); ++i) {
            Catena::Avanti(QApplication::focusWidget());
            visto << Nome(QApplication::focusWidget());
        }
    });
    QCOMPARE(visto, ordine + QStringList{ordine.first()});
}

// ------------------------------------------------------------ Alt keys

void TestTastiera::tastiRapidi_data()
{
    QTest::addColumn<QKeySequence>("tasto");
    QTest::addColumn<QString>("pulsante");
    const std::pair<const char *, const char *> righe[] = {
        {"Alt+N", "cmdNuovo"},     {"Alt+D", "cmdDuplica"},  {"Alt+L", "cmdElimina"},   {"Alt+S", "cmdSalva"},
        {"Alt+T", "cmdTrova"},     {"Alt+A", "cmdFile"},     {"Alt+P", "cmdStampa"},    {"Alt+R", "cmdPrimo"},
        {"Alt+I", "cmdIndietro"},  {"Alt+V", "cmdAvanti"},   {"Alt+U", "cmdUltimo"},    {"Alt+O", "cmdEsporta"},
        {"Alt+M", "cmdImporta"},   {"Alt+E", "cmdListino"},   {"Alt+H", "cmdEliminate"}, {"Alt+G", "cmdGuida"},    {"Alt+C", "cmdEsci"},
        {"Alt+F", "btnCodFisc"},   {"F9", "btnCalcola"}};
    for (const auto &[tasto, pulsante] : righe)
        QTest::newRow(tasto) << QKeySequence(QString::fromLatin1(tasto)) << QString::fromLatin1(pulsante);
}

// Each of the editor's buttons pressed from a field the user is typing in,
// without walking the toolbar; the key types nothing into the field.
void TestTastiera::tastiRapidi()
{
    QFETCH(QKeySequence, tasto);
    QFETCH(QString, pulsante);

    Avvia();
    QStringList premuti;
    int digitati = 0;
    QObject ascolto; // gone before what it counts
    Percorri({u"registro"_qs, u"cmdUltimo"_qs}, [&](QWidget *w) {
        Attiva(w);
        for (auto *b : w->findChildren<QAbstractButton *>())
            connect(b, &QAbstractButton::clicked, &ascolto, [&premuti, b] { premuti << b->objectName(); });
        auto *campo = GuiTest::Trova<QLineEdit>(w, u"txtFornitore"_qs);
        QVERIFY(campo);
        connect(campo, &QLineEdit::textEdited, &ascolto, [&digitati] { ++digitati; });
        campo->setFocus();
        QTest::keySequence(campo, tasto);
        QTRY_COMPARE(premuti, QStringList{pulsante});
        QCOMPARE(digitati, 0);
    });
}

// A key names one button only: every mnemonic (the underlined letter of a
// caption) and every shortcut of the editor's buttons and labels is unique,
// and what the reader speaks carries no "&".
void TestTastiera::tastiRapidiUnivoci()
{
    Avvia();
    Percorri({u"registro"_qs}, [&](QWidget *editor) {
        QHash<QKeySequence, QString> tasti;
        QStringList doppi;
        const auto aggiungi = [&](const QKeySequence &k, const QString &nome) {
            if (k.isEmpty())
                return;
            if (tasti.contains(k))
                doppi << QStringLiteral("%1: %2 e %3").arg(k.toString(), tasti.value(k), nome);
            tasti.insert(k, nome);
        };
        for (auto *w : editor->findChildren<QWidget *>()) {
            QString testo;
            if (auto *b = qobject_cast<QAbstractButton *>(w)) {
                testo = b->text();
                if (!b->shortcut().isEmpty() && b->shortcut() != QKeySequence::mnemonic(testo))
                    aggiungi(b->shortcut(), w->objectName());
            } else if (auto *l = qobject_cast<QLabel *>(w); l && l->buddy())
                testo = l->text();
            aggiungi(QKeySequence::mnemonic(testo), w->objectName());
            QVERIFY2(!w->accessibleName().contains(u'&'), qPrintable(w->objectName()));
        }
        QVERIFY2(doppi.isEmpty(), qPrintable(doppi.join(u'\n')));
        QCOMPARE(tasti.size(), 19);
    });
}

QTEST_MAIN(TestTastiera)
#include "tst_tastiera.moc"
