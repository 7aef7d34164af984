#include "register/RegPagamenti.h"
#include "ui_AllegaCartella.h"
#include "ui_RegPagamenti.h"

#include "app/Guida.h"
#include "app/TestiGuida.h"
#include "checks/Verifica.h"
#include "platform/CampoArchivio.h"
#include "platform/DisposizioneACapo.h"
#include "platform/Schermate.h"
#include "platform/SpazioDisco.h"
#include "platform/Testo.h"
#include "register/AllegaCartella.h"
#include "register/Archivio.h"
#include "register/BloccoCartella.h"
#include "register/Calendario.h"
#include "register/Completamento.h"
#include "register/Importi.h"
#include "register/Salvataggio.h"
#include "register/SchedeEliminate.h"
#include "register/Suggerimenti.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QShowEvent>
#include <QTimer>

namespace {

const QString kSi = QStringLiteral("Sì");
const QString kNo = QStringLiteral("No");
const QString kZero = QStringLiteral("0,00");

const QString kNonConfermata = QStringLiteral(
    "Attenzione: non è stato possibile confermare che la scheda sia stata registrata sul disco.\n\r\n\r"
    "Premere di nuovo Salva per riprovare: la scheda non verrà inserita una seconda volta. "
    "Se il problema si ripete, controllare il disco.");
const QString kOccupato = QStringLiteral(
    "Attenzione: l'archivio è in uso da un altro programma e la scheda non è stata salvata: "
    "nell'archivio non è stato scritto nulla.\n\r\n\rRiprovare tra qualche istante.");
const QString kCopiaFallita = QStringLiteral(
    "Attenzione: non è stato possibile creare la copia di sicurezza giornaliera dell'archivio "
    "nella cartella \"Backup\" del programma. Il salvataggio prosegue comunque.\n\r\n\r"
    "Controllare lo spazio libero sul disco e i permessi della cartella.");
const QString kVuoto = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kCambiata = QStringLiteral(
    "Attenzione: dopo che la scheda n. %1 è stata caricata, un'altra copia del programma "
    "l'ha modificata in archivio.\n\r\n\r"
    "Sì: sovrascrivere la versione in archivio con la scheda mostrata.\n\r"
    "No: mostrare la versione in archivio, abbandonando le modifiche fatte qui.\n\r"
    "Annulla: non salvare; l'archivio tiene l'altra versione, lo schermo le modifiche fatte qui.");
const QString kNonPiuInArchivio = QStringLiteral(
    "Attenzione: la scheda n. %1 non è più in archivio: un'altra copia del programma, o il "
    "ripristino di una copia, ha cambiato l'archivio dopo che la scheda è stata caricata.\n\r\n\r"
    "La scheda non è stata salvata; i suoi dati restano sullo schermo.");
const QString kCartellaInUso = QStringLiteral(
    "Attenzione: un'altra copia del programma%1 ha già aperto la cartella del registro.\n\r\n\r"
    "Si può proseguire: prima di riscrivere una scheda il programma controlla che l'altra copia "
    "non l'abbia modificata nel frattempo e, in quel caso, chiede cosa fare.");
const QString kImportiIlleggibili = QStringLiteral(
    "Attenzione: la scheda n. %1 contiene importi che il programma non sa leggere:\n\r\n\r%2"
    "\n\r\n\rSono conservati come sono finché non vengono corretti, e il saldo non viene "
    "ricalcolato da questi importi senza conferma.");
const QString kSaldoNonCalcolabile = QStringLiteral(
    "Attenzione: il saldo non può essere calcolato, perché il programma non sa leggere "
    "l'importo registrato in %1.");
const QString kSuggerimentoData = QStringLiteral(
    "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.");
const QString kSuggerimentoSaldare = QStringLiteral(
    "Spunta questa casella per annotare che il conto deve essere ancora saldato.");
const QString kDomandaModifiche = QStringLiteral(
    "La scheda corrente contiene modifiche non ancora salvate in archivio.\n\r\n\r"
    "Si vogliono salvare le modifiche prima di proseguire?");
const QString kUltimaScheda = QStringLiteral(
    "Il beneficiario \"%1\" è già in archivio: la sua ultima scheda è la n. %2.\n\r\n\r"
    "Riportare nella scheda nuova questi dati della sua ultima scheda?\n\r\n\r%3");
const QString kValoriNonLetti = QStringLiteral(
    "Attenzione: il programma non riesce a leggere l'archivio per proporre, durante la digitazione, "
    "i beneficiari, i codici e le tipologie già registrati (%1).\n\r\n\r"
    "La scheda si può compilare e salvare come sempre.");
const QString kImportoNonValido = QStringLiteral(
    "Attenzione: l'importo del campo %1 non è valido o ha troppe cifre per essere registrato.\n\r\n\r"
    "Indicare un importo con non più di 12 cifre prima della virgola, ad esempio 1234,56.");

// Creates a dialog owned by the editor, shows it modally and destroys it.
template <typename D>
void MostraDialogo(QWidget *editor, const std::function<void(D *)> &prepara = {})
{
    std::unique_ptr<D> d(new D(editor));
    if (prepara)
        prepara(d.get());
    Desktop::Corrente().MostraModale(d.get());
}

void ScriviEtichetta(QWidget *dialogo, const QString &etichetta)
{
    // The tag is a control of the dialog's form, which may not be built yet.
    Completabile::CompletaSeDifferita(dialogo);
    if (auto *m = dialogo->findChild<QLabel *>(QStringLiteral("lblMemory")))
        m->setText(etichetta);
}

} // namespace

TfrmRegPagamenti::TfrmRegPagamenti(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmRegPagamenti"));
}

void TfrmRegPagamenti::Costruisci()
{
    ui = std::make_unique<Ui::TfrmRegPagamenti>();
    ui->setupUi(this);
    // The toolbar goes on to a second row rather than eliding its captions
    // or making the window scroll sideways on a narrow or scaled screen.
    DisposizioneACapo::Sostituisci(ui->panBarra);
    setWindowState(Qt::WindowMaximized);

    m_anello = {ui->txtNumDoc,   ui->txtDataDoc, ui->txtFornitore, ui->txtCodFisc, ui->txtData,
                ui->txtCodice,   ui->txtTipologia, ui->txtServizi, ui->txtDettagli, ui->txtDovuto,
                ui->txtAcconto,  ui->txtSaldo,   ui->txtNote};
    // The record's capacities, whatever the form says.
    const Campo campi[] = {Campo::NumDoc, Campo::DataDoc, Campo::Fornitore, Campo::CodFisc,
                           Campo::Data,   Campo::Codice,  Campo::Tipologia, Campo::Servizi,
                           Campo::Dettagli, Campo::Dovuto, Campo::Acconto, Campo::Saldo, Campo::Note};
    for (int i = 0; i < m_anello.size(); ++i) {
        m_anello[i]->setMaxLength(TScheda::Capacita(campi[i]));
        m_anello[i]->installEventFilter(this);
        m_anello[i]->setMouseTracking(true);
    }

    // Text that the archive cannot hold, or a paste too long for its field,
    // is never changed without a word to the user.
    for (QLineEdit *e : {ui->txtNumDoc, ui->txtFornitore, ui->txtCodice, ui->txtTipologia,
                         ui->txtServizi, ui->txtDettagli, ui->txtNote})
        CampoArchivio::Proteggi(e);
    CampoArchivio::Proteggi(ui->txtCodFisc, CampoArchivio::Incolla::Identificativo);

    // Hover hints: the picture buttons carry theirs as tooltip.
    const QList<QWidget *> conSuggerimento = {
        ui->cmdNuovo, ui->cmdDuplica, ui->cmdElimina, ui->cmdEliminate, ui->cmdSalva, ui->cmdTrova, ui->cmdFile, ui->cmdStampa,
        ui->cmdPrimo, ui->cmdIndietro, ui->cmdAvanti, ui->cmdUltimo, ui->cmdEsporta, ui->cmdImporta,
        ui->cmdListino, ui->cmdGuida, ui->cmdEsci, ui->btnCodFisc, ui->btnCalcola};
    for (QWidget *w : conSuggerimento)
        m_suggerimenti.insert(w, w->toolTip());
    m_suggerimenti.insert(ui->chkDaSaldare, kSuggerimentoSaldare);
    m_suggerimenti.insert(ui->txtData, kSuggerimentoData);
    m_suggerimenti.insert(ui->txtDataDoc, kSuggerimentoData);
    for (auto it = m_suggerimenti.cbegin(); it != m_suggerimenti.cend(); ++it) {
        auto *w = const_cast<QWidget *>(static_cast<const QWidget *>(it.key()));
        w->setMouseTracking(true);
        if (w != ui->txtData && w != ui->txtDataDoc)
            w->installEventFilter(this);
    }
    const QList<QWidget *> sfondo = {this, ui->panSfondo, ui->shpScheda, ui->panBarra, ui->panStato};
    for (QWidget *w : sfondo) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
        m_sfondo.append(w);
    }

    connect(ui->cmdNuovo, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdNuovoClick);
    connect(ui->cmdSalva, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdSalvaClick);
    connect(ui->cmdDuplica, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdDuplicaClick);
    connect(ui->cmdElimina, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdEliminaClick);
    connect(ui->cmdEliminate, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdEliminateClick);
    connect(ui->cmdPrimo, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdPrimoClick);
    connect(ui->cmdIndietro, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdIndietroClick);
    connect(ui->cmdAvanti, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdAvantiClick);
    connect(ui->cmdUltimo, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdUltimoClick);
    connect(ui->cmdTrova, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdTrovaClick);
    connect(ui->cmdListino, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdListinoClick);
    connect(ui->cmdStampa, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdStampaClick);
    connect(ui->cmdEsporta, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdEsportaClick);
    connect(ui->cmdImporta, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdImportaClick);
    connect(ui->cmdFile, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdFileClick);
    connect(ui->cmdGuida, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdGuidaClick);
    connect(ui->cmdEsci, &QAbstractButton::clicked, this, &QWidget::close);
    connect(ui->btnCalcola, &QAbstractButton::clicked, this, &TfrmRegPagamenti::btnCalcolaClick);
    connect(ui->btnCodFisc, &QAbstractButton::clicked, this, &TfrmRegPagamenti::btnCodFiscClick);
    connect(ui->txtCodFisc, &QLineEdit::textEdited, this, &TfrmRegPagamenti::txtCodFiscTyping);

    // A dropped text would reach an amount field past the key filter and the
    // cleaning of a paste.
    for (QLineEdit *e : {ui->txtDovuto, ui->txtAcconto, ui->txtSaldo})
        e->setAcceptDrops(false);

    // The values already in the archive, offered while typing. Made after
    // the fields' other filters, so that the open list sees the keys first.
    m_valori = std::make_unique<Suggerimenti>();
    m_passoValori = new QTimer(this);
    m_passoValori->setInterval(0);
    connect(m_passoValori, &QTimer::timeout, this, &TfrmRegPagamenti::PassoLetturaValori);
    const struct {
        QLineEdit *campo;
        Campo c;
    } offerti[] = {{ui->txtFornitore, Campo::Fornitore}, {ui->txtCodice, Campo::Codice},
                   {ui->txtTipologia, Campo::Tipologia}};
    for (const auto &o : offerti)
        m_completamenti.insert(o.campo, new Completamento(o.campo, [this, c = o.c](const QString &testo) {
                                   return m_valori->Offerti(c, testo);
                               }));
    connect(m_completamenti.value(ui->txtFornitore), &Completamento::Scelto, this,
            &TfrmRegPagamenti::OffriUltimaScheda);
    Ricorda();
}

void TfrmRegPagamenti::ImpostaElenchi(CreaDialogo ricerca, CreaDialogo contiDaSaldare)
{
    m_ricerca = std::move(ricerca);
    m_contiDaSaldare = std::move(contiDaSaldare);
}

void TfrmRegPagamenti::ImpostaStampe(CreaDialogo stampa, CreaDialogo esportazione)
{
    m_stampa = std::move(stampa);
    m_esportazione = std::move(esportazione);
}

void TfrmRegPagamenti::ImpostaEliminate(CreaDialogo eliminate)
{
    m_eliminate = std::move(eliminate);
}

void TfrmRegPagamenti::ImpostaImportazione(CreaDialogo importazione)
{
    m_importazione = std::move(importazione);
}

TfrmRegPagamenti::~TfrmRegPagamenti() = default;

// ---------------------------------------------------------------- loading

Ui::TfrmRegPagamenti *TfrmRegPagamenti::Controlli()
{
    Completa();
    return ui.get();
}

void TfrmRegPagamenti::MostraScheda(const TScheda &s, qint64 indice)
{
    Completa();
    const Campo campi[] = {Campo::NumDoc, Campo::DataDoc, Campo::Fornitore, Campo::CodFisc,
                           Campo::Data,   Campo::Codice,  Campo::Tipologia, Campo::Servizi,
                           Campo::Dettagli, Campo::Dovuto, Campo::Acconto, Campo::Saldo, Campo::Note};
    m_caricata = s;
    for (int i = 0; i < m_anello.size(); ++i) {
        if (Importo(m_anello[i]))
            ScriviImporto(m_anello[i], Testo::Trim(s.Testo(campi[i])));
        else
            m_anello[i]->setText(Testo::Trim(s.Testo(campi[i])));
    }

    const QString daSaldare = Testo::Trim(s.Testo(Campo::DaSaldare));
    if (daSaldare == kSi)
        ui->chkDaSaldare->setChecked(true);
    else if (daSaldare == kNo)
        ui->chkDaSaldare->setChecked(false);

    ui->lblFile01->setText(Testo::Trim(s.Testo(Campo::File01)));
    ui->lblFile02->setText(Testo::Trim(s.Testo(Campo::File02)));
    ui->lblFile03->setText(Testo::Trim(s.Testo(Campo::File03)));
    ui->lblDesc01->setText(Testo::Trim(s.Testo(Campo::Desc01)));
    ui->lblDesc02->setText(Testo::Trim(s.Testo(Campo::Desc02)));
    ui->lblDesc03->setText(Testo::Trim(s.Testo(Campo::Desc03)));
    ui->lblPosizione->setText(QString::number(indice + 1));
    Ricorda();
    SegnalaImportiIlleggibili();
}

void TfrmRegPagamenti::ScriviImporto(QLineEdit *campo, const QString &testo)
{
    campo->setText(testo);
    // The window's focus field, also while a message box has the activation.
    if (campo->window()->focusWidget() != campo)
        return;
    campo->selectAll();
    // Rewritten while the window is not active (a message box, another
    // window): the field's own leave drops the selection, so it is made
    // again when the window comes back.
    m_daRiselezionare = campo->hasFocus() ? nullptr : campo;
}

namespace {

Campo CampoImporto(const Ui::TfrmRegPagamenti *ui, const QLineEdit *campo)
{
    return campo == ui->txtDovuto ? Campo::Dovuto : campo == ui->txtAcconto ? Campo::Acconto : Campo::Saldo;
}

} // namespace

bool TfrmRegPagamenti::ImportoIlleggibileCaricato(const QLineEdit *campo) const
{
    if (!m_caricata || !Importo(campo))
        return false;
    const QString caricato = Testo::Trim(m_caricata->Testo(CampoImporto(ui.get(), campo)));
    return !caricato.isEmpty() && campo->text() == caricato && !Testo::LeggiNumero(caricato);
}

QString TfrmRegPagamenti::NomeImporto(const QLineEdit *campo) const
{
    return campo == ui->txtDovuto    ? QStringLiteral("Totale dovuto")
           : campo == ui->txtAcconto ? QStringLiteral("Acconto versato")
                                     : QStringLiteral("Saldo");
}

void TfrmRegPagamenti::SegnalaImportiIlleggibili()
{
    QStringList righe;
    for (QLineEdit *campo : {ui->txtDovuto, ui->txtAcconto, ui->txtSaldo})
        if (ImportoIlleggibileCaricato(campo))
            righe << NomeImporto(campo) + QStringLiteral(": \"") + campo->text() + u'"';
    if (righe.isEmpty())
        return;
    Desktop::Corrente().Messaggio(
        Desktop::Tipo::Avviso,
        kImportiIlleggibili.arg(Testo::Trim(ui->lblPosizione->text()), righe.join(QStringLiteral("\n\r"))),
        this);
}

bool TfrmRegPagamenti::ImportiLeggibili(bool chiedi, bool &senzaSaldo)
{
    senzaSaldo = false;
    QStringList illeggibili;
    QLineEdit *primo = nullptr;
    for (QLineEdit *campo : {ui->txtDovuto, ui->txtAcconto}) {
        if (!ImportoIlleggibileCaricato(campo))
            continue;
        illeggibili << NomeImporto(campo) + QStringLiteral(" (\"") + campo->text() + QStringLiteral("\")");
        if (!primo)
            primo = campo;
    }
    if (illeggibili.isEmpty())
        return true;
    const QString testo = kSaldoNonCalcolabile.arg(illeggibili.join(QStringLiteral(" e in ")));
    if (chiedi
        && Desktop::Corrente().Domanda(testo + QStringLiteral("\n\r\n\rSalvare comunque la scheda lasciando "
                                                              "gli importi e il saldo come sono?"),
                                       this)) {
        senzaSaldo = true;
        return true;
    }
    if (!chiedi)
        Desktop::Corrente().Messaggio(Desktop::Tipo::Avviso,
                                      testo + QStringLiteral("\n\r\n\rCorreggere l'importo e premere di nuovo Calcola."),
                                      this);
    primo->setFocus(Qt::OtherFocusReason);
    primo->selectAll();
    return false;
}

QStringList TfrmRegPagamenti::StatoSchermo() const
{
    QStringList stato;
    for (QLineEdit *e : m_anello)
        stato << (Importo(e) && !ImportoIlleggibileCaricato(e) ? NormalizzaImporto(e->text()) : e->text());
    stato << (ui->chkDaSaldare->isChecked() ? kSi : kNo);
    for (QLabel *l : {ui->lblFile01, ui->lblFile02, ui->lblFile03, ui->lblDesc01, ui->lblDesc02,
                      ui->lblDesc03})
        stato << l->text();
    return stato;
}

bool TfrmRegPagamenti::LasciaScheda()
{
    // A hidden editor holds nothing: it starts afresh when shown again (and
    // one never built has never been shown).
    if (!Costruita() || !isVisible() || !ModificheNonSalvate())
        return true;
    switch (Desktop::Corrente().DomandaConAnnulla(kDomandaModifiche, this)) {
    case Desktop::Scelta::Si:
        cmdSalvaClick();
        // A save that stopped (a field missing, the archive unreachable)
        // leaves the edits on screen, and the user with them.
        return !ModificheNonSalvate();
    case Desktop::Scelta::No:
        return true;
    case Desktop::Scelta::Annulla:
        break;
    }
    return false;
}

TScheda TfrmRegPagamenti::SchedaDaSchermo()
{
    Completa();
    TScheda s;
    s.ImpostaTesto(Campo::NumDoc, ui->txtNumDoc->text());
    s.ImpostaTesto(Campo::DataDoc, ui->txtDataDoc->text());
    s.ImpostaTesto(Campo::Fornitore, ui->txtFornitore->text());
    s.ImpostaTesto(Campo::CodFisc, ui->txtCodFisc->text());
    s.ImpostaTesto(Campo::Data, ui->txtData->text());
    s.ImpostaTesto(Campo::Codice, ui->txtCodice->text());
    s.ImpostaTesto(Campo::Tipologia, ui->txtTipologia->text());
    s.ImpostaTesto(Campo::Servizi, ui->txtServizi->text());
    s.ImpostaTesto(Campo::Dettagli, ui->txtDettagli->text());
    s.ImpostaTesto(Campo::Dovuto, ui->txtDovuto->text());
    s.ImpostaTesto(Campo::Acconto, ui->txtAcconto->text());
    s.ImpostaTesto(Campo::Saldo, ui->txtSaldo->text());
    s.ImpostaTesto(Campo::Note, ui->txtNote->text());
    s.ImpostaTesto(Campo::DaSaldare, ui->chkDaSaldare->isChecked() ? kSi : kNo);
    s.ImpostaTesto(Campo::File01, ui->lblFile01->text());
    s.ImpostaTesto(Campo::File02, ui->lblFile02->text());
    s.ImpostaTesto(Campo::File03, ui->lblFile03->text());
    s.ImpostaTesto(Campo::Desc01, ui->lblDesc01->text());
    s.ImpostaTesto(Campo::Desc02, ui->lblDesc02->text());
    s.ImpostaTesto(Campo::Desc03, ui->lblDesc03->text());
    return s;
}

TScheda TfrmRegPagamenti::SchedaDaSalvare()
{
    TScheda s = SchedaDaSchermo();
    if (!m_caricata)
        return s;
    const struct {
        Campo campo;
        QString testo;
    } mostrati[] = {
        {Campo::NumDoc, ui->txtNumDoc->text()},     {Campo::DataDoc, ui->txtDataDoc->text()},
        {Campo::Fornitore, ui->txtFornitore->text()}, {Campo::CodFisc, ui->txtCodFisc->text()},
        {Campo::Data, ui->txtData->text()},         {Campo::Codice, ui->txtCodice->text()},
        {Campo::Tipologia, ui->txtTipologia->text()}, {Campo::Servizi, ui->txtServizi->text()},
        {Campo::Dettagli, ui->txtDettagli->text()}, {Campo::Dovuto, ui->txtDovuto->text()},
        {Campo::Acconto, ui->txtAcconto->text()},   {Campo::Saldo, ui->txtSaldo->text()},
        {Campo::Note, ui->txtNote->text()},         {Campo::File01, ui->lblFile01->text()},
        {Campo::File02, ui->lblFile02->text()},     {Campo::File03, ui->lblFile03->text()},
        {Campo::Desc01, ui->lblDesc01->text()},     {Campo::Desc02, ui->lblDesc02->text()},
        {Campo::Desc03, ui->lblDesc03->text()},
    };
    for (const auto &m : mostrati) {
        if (m.testo != Testo::Trim(m_caricata->Testo(m.campo)))
            continue;
        const int da = TScheda::Offset(m.campo);
        std::copy_n(m_caricata->byte.begin() + da, TScheda::Capacita(m.campo) + 1, s.byte.begin() + da);
    }
    return s;
}

// ---------------------------------------------------------------- screen events

void TfrmRegPagamenti::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return; // restored from minimised: the record stays
    NuovaScheda();
    if (auto *avvio = Schermate::Globali().frmAvvio)
        avvio->hide();
    SegnalaCartellaInUso();
    LeggiValori();
}

void TfrmRegPagamenti::SegnalaCartellaInUso()
{
    QString chi;
    if (BloccoCartella::PrendiBloccoCartella(Desktop::Corrente().CartellaProgramma(), &chi)
            != BloccoCartella::Esito::InUso
        || m_cartellaSegnalata)
        return;
    m_cartellaSegnalata = true;
    Desktop::Corrente().Messaggio(Desktop::Tipo::Avviso,
                                  kCartellaInUso.arg(chi.isEmpty() ? QString() : QStringLiteral(" (") + chi + u')'),
                                  this);
}

void TfrmRegPagamenti::closeEvent(QCloseEvent *event)
{
    if (!LasciaScheda()) {
        event->ignore();
        return;
    }
    if (auto *avvio = Schermate::Globali().frmAvvio)
        avvio->show();
    // Read again when the screen comes back: no use reading for a hidden one.
    m_passoValori->stop();
    m_letturaValori.reset();
    event->accept(); // the screen hides
}

bool TfrmRegPagamenti::eventFilter(QObject *oggetto, QEvent *event)
{
    if (Importo(oggetto) && EventoImporto(static_cast<QLineEdit *>(oggetto), event))
        return true;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (auto *campo = qobject_cast<QLineEdit *>(oggetto); campo && m_anello.contains(campo))
            return TastoCampo(campo, static_cast<QKeyEvent *>(event));
        break;
    case QEvent::FocusOut:
        if (Importo(oggetto)) {
            // A context menu takes the focus for a moment (to paste): not a leave.
            if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
                auto *campo = static_cast<QLineEdit *>(oggetto);
                // A stored amount the program cannot read stays as it is.
                if (!ImportoIlleggibileCaricato(campo))
                    ScriviImporto(campo, NormalizzaImporto(campo->text()));
            }
        }
        break;
    case QEvent::Enter:
    case QEvent::MouseMove:
        if (event->type() == QEvent::MouseMove && m_sfondo.contains(oggetto)) {
            ui->panInfo->clear();
            break;
        }
        if (auto it = m_suggerimenti.constFind(oggetto); it != m_suggerimenti.cend())
            ui->panInfo->setText(*it);
        // A plain move over a control ends here: passed on to the panel behind
        // it, it would empty the line again. Fields without a hint leave it as is.
        if (event->type() == QEvent::MouseMove
            && static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton
            && (m_suggerimenti.contains(oggetto) || m_anello.contains(oggetto))) {
            event->accept();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(oggetto, event);
}

bool TfrmRegPagamenti::Importo(const QObject *oggetto) const
{
    return oggetto == ui->txtDovuto || oggetto == ui->txtAcconto || oggetto == ui->txtSaldo;
}

// Entering an amount field selects it all, so that what is typed replaces
// "0,00" instead of joining it; and text pasted into it is cleaned first.
// True when the event is consumed.
bool TfrmRegPagamenti::EventoImporto(QLineEdit *campo, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn: {
        const auto motivo = static_cast<QFocusEvent *>(event)->reason();
        const bool riscritto = m_daRiselezionare == campo;
        m_daRiselezionare = nullptr;
        // Back from a context menu or from another window, the caret stays
        // put, unless the editor rewrote the field meanwhile.
        if ((motivo == Qt::PopupFocusReason || motivo == Qt::ActiveWindowFocusReason) && !riscritto)
            break;
        campo->selectAll();
        // The press that brings the focus would put the caret under the mouse.
        m_entrataConClic = motivo == Qt::MouseFocusReason ? campo : nullptr;
        break;
    }
    case QEvent::FocusOut:
        m_entrataConClic = nullptr;
        break;
    case QEvent::MouseButtonPress:
        if (m_entrataConClic == campo
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_entrataConClic = nullptr;
            return true;
        }
        m_entrataConClic = nullptr;
        break;
    case QEvent::MouseButtonRelease:
        // The middle button pastes the selection of the window system.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton) {
            // The field holds one amount: the pasted one replaces it, where
            // joining the two could never be a valid amount.
            if (QGuiApplication::clipboard()->supportsSelection()) {
                campo->selectAll();
                IncollaImporto(campo, QGuiApplication::clipboard()->text(QClipboard::Selection));
            }
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)) {
            IncollaImporto(campo, QGuiApplication::clipboard()->text());
            return true;
        }
        break;
    case QEvent::InputMethod: {
        // A dead key or an input method composes its character without a key
        // press: only digits and the comma get past, as with the key filter.
        const QString testo = static_cast<QInputMethodEvent *>(event)->commitString();
        const bool ammesso = std::all_of(testo.cbegin(), testo.cend(), [](QChar c) {
            return (c >= u'0' && c <= u'9') || c == u',';
        });
        if (ammesso)
            break;
        QInputMethodEvent vuoto; // ends the composition without a character
        QCoreApplication::sendEvent(campo, &vuoto);
        return true;
    }
    case QEvent::ContextMenu: {
        QMenu *menu = campo->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        // The entry wired to the field's own paste (it has no name to find
        // it by) pastes through the cleaning instead.
        for (QAction *a : menu->actions()) {
            if (!disconnect(a, SIGNAL(triggered()), campo, SLOT(paste()))
                && !disconnect(a, &QAction::triggered, campo, &QLineEdit::paste))
                continue;
            a->setObjectName(QStringLiteral("incollaImporto"));
            connect(a, &QAction::triggered, this, [this, campo] {
                IncollaImporto(campo, QGuiApplication::clipboard()->text());
            });
        }
        menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    default:
        break;
    }
    return false;
}

// A paste lands as the key filter would let it: cleaned of blanks, euro sign
// and thousands dots, and only if the field then holds an amount it can keep.
void TfrmRegPagamenti::IncollaImporto(QLineEdit *campo, const QString &testo)
{
    const QString pulito = PulisciImportoIncollato(testo);
    // "1e5" is no amount anyone writes; like "1.5" it is refused, never read
    // as 100000,00.
    if (pulito.contains(u'e', Qt::CaseInsensitive))
        return ImportoNonValido(campo);
    QString risultato = campo->text();
    if (campo->hasSelectedText())
        risultato.replace(campo->selectionStart(), campo->selectedText().size(), pulito);
    else
        risultato.insert(campo->cursorPosition(), pulito);
    if (pulito.isEmpty() || risultato.size() > campo->maxLength() || !Testo::LeggiNumero(risultato)
        || !ImportoNormalizzato(risultato))
        return ImportoNonValido(campo);
    campo->insert(pulito);
}

void TfrmRegPagamenti::ImportoNonValido(QLineEdit *campo)
{
    Desktop::Corrente().Messaggio(Desktop::Tipo::Avviso, kImportoNonValido.arg(NomeImporto(campo)), this);
    campo->setFocus(Qt::OtherFocusReason);
    campo->selectAll();
}

bool TfrmRegPagamenti::NormalizzaImporti(const QList<QLineEdit *> &campi)
{
    QStringList testi;
    for (QLineEdit *campo : campi) {
        if (ImportoIlleggibileCaricato(campo)) {
            testi << campo->text();
            continue;
        }
        const auto t = ImportoNormalizzato(campo->text());
        if (!t) {
            ImportoNonValido(campo);
            return false;
        }
        testi << *t;
    }
    for (int i = 0; i < campi.size(); ++i)
        ScriviImporto(campi[i], testi.at(i));
    return true;
}

bool TfrmRegPagamenti::AggiornaSaldo()
{
    // A due or an advance too long for its field is named, not taken for zero.
    for (QLineEdit *campo : {ui->txtDovuto, ui->txtAcconto}) {
        if (!ImportoNormalizzato(campo->text())) {
            ImportoNonValido(campo);
            return false;
        }
    }
    const auto r = CalcolaSaldo(ui->txtDovuto->text(), ui->txtAcconto->text(), ui->txtSaldo->text());
    if (!r) {
        ImportoNonValido(ui->txtSaldo);
        return false;
    }
    ScriviImporto(ui->txtDovuto, r->dovuto);
    ScriviImporto(ui->txtAcconto, r->acconto);
    ScriviImporto(ui->txtSaldo, r->saldo);
    return true;
}

void TfrmRegPagamenti::Avanza(QLineEdit *campo)
{
    const int i = m_anello.indexOf(campo);
    m_anello[(i + 1) % m_anello.size()]->setFocus(Qt::TabFocusReason);
}

// True when the key is consumed.
bool TfrmRegPagamenti::TastoCampo(QLineEdit *campo, QKeyEvent *tasto)
{
    const int k = tasto->key();
    const bool invio = k == Qt::Key_Return || k == Qt::Key_Enter;

    if (campo == ui->txtDovuto || campo == ui->txtAcconto || campo == ui->txtSaldo) {
        switch (Importi::FiltraTasto(k, tasto->text())) {
        case Importi::Tasto::Avanza:
            Avanza(campo);
            return true;
        case Importi::Tasto::Passa:
            return false;
        case Importi::Tasto::Scarta:
            return true;
        }
    }

    if (campo == ui->txtData || campo == ui->txtDataDoc) {
        if (k == Qt::Key_Backspace || k == Qt::Key_Delete) {
            campo->clear();
            return true;
        }
        if (invio) {
            Avanza(campo);
            return true;
        }
        // Tab still walks the form, and a modifier on its own is not a key press
        // the user means for the calendar.
        if (k == Qt::Key_Tab || k == Qt::Key_Backtab)
            return false;
        if (k == Qt::Key_Shift || k == Qt::Key_Control || k == Qt::Key_Alt || k == Qt::Key_Meta
            || k == Qt::Key_AltGr || k == Qt::Key_CapsLock || k == Qt::Key_NumLock)
            return true;
        ApriCalendario(campo == ui->txtData ? EtichettaData() : EtichettaDataDoc(), *tasto);
        return true;
    }

    if (invio) {
        Avanza(campo);
        return true;
    }
    return false;
}

void TfrmRegPagamenti::ApriCalendario(const QString &etichetta, const QKeyEvent &tasto)
{
    MostraDialogo<TfrmCalendario>(this, [&](TfrmCalendario *d) {
        ScriviEtichetta(d, etichetta);
        d->TastoIniziale(tasto); // the key that opened the calendar reaches it
    });
}

void TfrmRegPagamenti::txtCodFiscTyping(const QString &)
{
    // The field as it is now: a check of its characters may have changed it.
    const QString testo = ui->txtCodFisc->text();
    const QString pulito = Testo::MaiuscoloAscii(Testo::Trim(testo));
    if (pulito == testo)
        return;
    qsizetype iniziali = 0;
    while (iniziali < testo.size() && testo.at(iniziali).unicode() <= 32)
        ++iniziali;
    const qsizetype cursore = std::clamp<qsizetype>(ui->txtCodFisc->cursorPosition() - iniziali, 0,
                                                    pulito.size());
    ui->txtCodFisc->setText(pulito);
    ui->txtCodFisc->setCursorPosition(int(cursore));
}

// ---------------------------------------------------------------- archive

std::optional<qint64> TfrmRegPagamenti::Posizione() const
{
    bool ok = false;
    const qint64 k = Testo::Trim(ui->lblPosizione->text()).toLongLong(&ok);
    if (!ok || k < 1)
        return std::nullopt;
    return k;
}

bool TfrmRegPagamenti::ConArchivio(const std::function<void(Archivio &)> &lavoro,
                                   Desktop::Tipo tipoErrore)
{
    try {
        Archivio a(Archivio::Percorso(Desktop::Corrente().CartellaProgramma()));
        a.ApriArchivio();
        lavoro(a);
        a.Chiudi();
        return true;
    } catch (const ErroreArchivio &) {
        Desktop::Corrente().Messaggio(tipoErrore, Archivio::MessaggioInaccessibile(), this);
        return false;
    }
}

void TfrmRegPagamenti::MessaggioArchivioVuoto()
{
    Desktop::Corrente().Messaggio(Desktop::Tipo::Informazione, kVuoto, this);
}

void TfrmRegPagamenti::cmdPrimoClick()
{
    if (!LasciaScheda())
        return;
    qint64 n = 0;
    TScheda s;
    if (!ConArchivio([&](Archivio &a) {
            n = a.NumeroSchede();
            if (n > 0)
                s = a.LeggiScheda(0);
        }, Desktop::Tipo::Errore))
        return;
    if (n == 0)
        return MessaggioArchivioVuoto();
    MostraScheda(s, 0);
}

void TfrmRegPagamenti::cmdIndietroClick()
{
    const auto p = Posizione();
    // At the first record nothing would change: nothing to ask.
    if (p != 1 && !LasciaScheda())
        return;
    qint64 n = 0, indice = 0;
    TScheda s;
    if (!ConArchivio([&](Archivio &a) {
            n = a.NumeroSchede();
            if (p == 1 || n == 0)
                return;
            indice = p ? *p - 2 : 0;
            s = a.LeggiScheda(indice);
        }, Desktop::Tipo::Errore))
        return;
    if (p == 1)
        return;
    if (n == 0)
        return MessaggioArchivioVuoto();
    MostraScheda(s, indice);
}

void TfrmRegPagamenti::cmdAvantiClick()
{
    // A new record counts as position 0, so Avanti shows the first record.
    const qint64 p = Posizione().value_or(0);
    // The position as the user pressed: a new record saved on the question
    // still moves on to the first record, as asked.
    if (!LasciaScheda())
        return;
    qint64 n = 0;
    TScheda s;
    if (!ConArchivio([&](Archivio &a) {
            n = a.NumeroSchede();
            if (n > 0 && p < n)
                s = a.LeggiScheda(p);
        }, Desktop::Tipo::Errore))
        return;
    if (n == 0) {
        ui->lblPosizione->clear();
        return MessaggioArchivioVuoto();
    }
    if (p >= n)
        return;
    MostraScheda(s, p);
}

void TfrmRegPagamenti::cmdUltimoClick()
{
    if (!LasciaScheda())
        return;
    qint64 n = 0;
    TScheda s;
    if (!ConArchivio([&](Archivio &a) {
            n = a.NumeroSchede();
            if (n > 0)
                s = a.LeggiScheda(n - 1);
        }, Desktop::Tipo::Errore))
        return;
    if (n == 0)
        return MessaggioArchivioVuoto();
    MostraScheda(s, n - 1);
}

// ---------------------------------------------------------------- new, save, duplicate

void TfrmRegPagamenti::cmdNuovoClick()
{
    if (LasciaScheda())
        NuovaScheda();
}

void TfrmRegPagamenti::NuovaScheda()
{
    ui->txtNumDoc->clear();
    ui->txtDataDoc->clear();
    ui->txtFornitore->clear();
    ui->txtCodFisc->clear();
    ui->txtData->setText(Testo::FormattaData(Desktop::Corrente().Oggi()));
    ui->txtCodice->clear();
    ui->txtTipologia->clear();
    ui->txtServizi->clear();
    ui->txtDettagli->clear();
    ScriviImporto(ui->txtDovuto, kZero);
    ScriviImporto(ui->txtAcconto, kZero);
    ScriviImporto(ui->txtSaldo, kZero);
    ui->txtNote->clear();
    ui->chkDaSaldare->setChecked(false);
    for (QLabel *l : {ui->lblFile01, ui->lblFile02, ui->lblFile03, ui->lblDesc01, ui->lblDesc02,
                      ui->lblDesc03, ui->lblPosizione})
        l->clear();
    ui->txtNumDoc->setFocus(Qt::OtherFocusReason);
    m_caricata.reset();
    Ricorda();
}

void TfrmRegPagamenti::cmdSalvaClick()
{
    // The amounts are stored as leaving their fields gives them, whether or
    // not the user left them; the balance is computed anew.
    bool senzaSaldo = false;
    if (!ImportiLeggibili(true, senzaSaldo))
        return;
    if (senzaSaldo ? !NormalizzaImporti({ui->txtDovuto, ui->txtAcconto, ui->txtSaldo})
                   : !NormalizzaImporti({ui->txtDovuto, ui->txtAcconto}) || !AggiornaSaldo())
        return;

    const struct {
        QLineEdit *campo;
        const char16_t *messaggio;
    } obbligatori[] = {
        {ui->txtFornitore,
         u"Attenzione: per salvare la scheda è necessario indicare il nome del beneficiario."},
        {ui->txtData,
         u"Attenzione: per salvare la scheda è necessario indicare la data dell'operazione."},
        {ui->txtCodice, u"Attenzione: per salvare la scheda è necessario indicare il codice del "
                        u"prodotto o servizio acquistato."},
        {ui->txtServizi, u"Attenzione: per salvare la scheda è necessario inserire una breve "
                         u"descrizione del prodotto o servizio acquistato."},
    };
    for (const auto &o : obbligatori) {
        if (Testo::Trim(o.campo->text()).isEmpty()) {
            Desktop::Corrente().Messaggio(Desktop::Tipo::Avviso, QString::fromUtf16(o.messaggio), this);
            o.campo->setFocus(Qt::OtherFocusReason);
            return;
        }
    }

    const TScheda s = SchedaDaSalvare();
    const auto k = Posizione();
    // A stored record is rewritten only if the archive still holds it as loaded.
    SalvaInArchivio(s, k, k && m_caricata ? &*m_caricata : nullptr);
}

bool TfrmRegPagamenti::SalvaInArchivio(const TScheda &s, std::optional<qint64> k, const TScheda *caricata)
{
    EsitoSalvataggio esito;
    {
        // The wait for another program's lock is bounded; meanwhile the
        // cursor tells the user the program is busy.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        esito = SalvaScheda(Desktop::Corrente().CartellaProgramma(), s, k, Desktop::Corrente().Oggi(),
                            caricata);
        QGuiApplication::restoreOverrideCursor();
    }
    SegnalaCopia(esito);
    // The position changes only once the record is known to be in the
    // archive: a failed save leaves a new record new.
    if (esito.posizione)
        ui->lblPosizione->setText(QString::number(*esito.posizione));
    switch (esito.stato) {
    case EsitoSalvataggio::Stato::Salvata:
        if (esito.posizione)
            ValoriSalvati(s, *esito.posizione - 1, k.has_value(), caricata);
        m_caricata = s;
        Ricorda();
        Desktop::Corrente().Messaggio(
            Desktop::Tipo::Informazione,
            k ? QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.")
              : QStringLiteral("La scheda corrente è stata inserita in archivio."),
            this);
        return true;
    case EsitoSalvataggio::Stato::NonConfermata:
        Desktop::Corrente().Messaggio(Desktop::Tipo::Errore, kNonConfermata, this);
        return false;
    case EsitoSalvataggio::Stato::Occupata:
        Desktop::Corrente().Messaggio(Desktop::Tipo::Errore, kOccupato, this);
        return false;
    case EsitoSalvataggio::Stato::Cambiata:
        return SchedaCambiataAltrove(s, *k, esito.attuale);
    case EsitoSalvataggio::Stato::NonRiuscita:
        break;
    }
    // A full disk is not a matter of permissions: the user is sent to the right cure.
    Desktop::Corrente().Messaggio(Desktop::Tipo::Errore,
                                  SpazioDisco::Pieno(esito.errore)
                                      ? QStringLiteral("Attenzione: la scheda non è stata salvata.\n\r\n\r")
                                            + SpazioDisco::MessaggioPieno(esito.necessari)
                                      : Archivio::MessaggioInaccessibile(),
                                  this);
    return false;
}

bool TfrmRegPagamenti::SchedaCambiataAltrove(const TScheda &s, qint64 k,
                                             const std::optional<TScheda> &attuale)
{
    if (!attuale) {
        Desktop::Corrente().Messaggio(Desktop::Tipo::Avviso, kNonPiuInArchivio.arg(k), this);
        return false;
    }
    switch (Desktop::Corrente().DomandaConAnnulla(kCambiata.arg(k), this)) {
    case Desktop::Scelta::Si:
        // Over the version just seen: a further change is asked about again.
        return SalvaInArchivio(s, k, &*attuale);
    case Desktop::Scelta::No:
        MostraScheda(*attuale, k - 1);
        return false;
    case Desktop::Scelta::Annulla:
        break;
    }
    return false;
}

void TfrmRegPagamenti::SegnalaCopia(const EsitoSalvataggio &esito)
{
    // A copy named for a day after today: the clock is behind, or was ahead
    // when it was made. Each is named once.
    QStringList nuove;
    for (const QString &f : esito.copieFuture)
        if (!m_copieFutureSegnalate.contains(f))
            nuove << f;
    if (!nuove.isEmpty()) {
        for (const QString &f : nuove)
            m_copieFutureSegnalate.insert(f);
        Desktop::Corrente().Messaggio(
            Desktop::Tipo::Avviso,
            QStringLiteral("Attenzione: nella cartella \"Backup\" ci sono copie dell'archivio con una data "
                           "successiva a oggi (%1): %2.\n\r\n\rControllare la data e l'ora del computer. La "
                           "copia di oggi è stata fatta e le copie più recenti sono conservate.")
                .arg(Testo::FormattaData(Desktop::Corrente().Oggi()), nuove.join(QStringLiteral(", "))),
            this);
    }
    // Once a day is enough: the copy is tried again at every save.
    const QDate oggi = Desktop::Corrente().Oggi();
    if (esito.erroreCopia.isEmpty() || m_copiaSegnalata == oggi)
        return;
    m_copiaSegnalata = oggi;
    Desktop::Corrente().Messaggio(
        Desktop::Tipo::Avviso,
        SpazioDisco::Pieno(esito.codiceCopia)
            ? QStringLiteral("Attenzione: non è stato possibile creare la copia di sicurezza giornaliera "
                             "dell'archivio nella cartella \"Backup\" del programma. Il salvataggio prosegue "
                             "comunque.\n\r\n\r")
                  + SpazioDisco::MessaggioPieno(esito.necessariCopia)
            : kCopiaFallita,
        this);
}

void TfrmRegPagamenti::cmdDuplicaClick()
{
    if (Testo::Trim(ui->lblPosizione->text()).isEmpty()) {
        Desktop::Corrente().Messaggio(
            Desktop::Tipo::Avviso,
            QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che "
                           "questa è stata inserita in archivio."),
            this);
        return;
    }
    const bool invariata = !ModificheNonSalvate();
    if (!NormalizzaImporti({ui->txtDovuto, ui->txtAcconto, ui->txtSaldo}))
        return;
    for (QLabel *l : {ui->lblFile01, ui->lblFile02, ui->lblFile03, ui->lblDesc01, ui->lblDesc02,
                      ui->lblDesc03, ui->lblPosizione})
        l->clear();
    // The copy of an unchanged record holds nothing typed yet; edits made
    // before duplicating stay unsaved edits.
    if (invariata)
        Ricorda();
    // Only proves the archive is reachable before inviting the user to save.
    if (!ConArchivio([&](Archivio &) { ui->txtNumDoc->setFocus(Qt::OtherFocusReason); },
                     Desktop::Tipo::Avviso))
        return;
    Desktop::Corrente().Messaggio(
        Desktop::Tipo::Informazione,
        QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                       "Al termine premere Salva per inserire la scheda in archivio."),
        this);
}

void TfrmRegPagamenti::btnCalcolaClick()
{
    bool senzaSaldo = false;
    if (ImportiLeggibili(false, senzaSaldo))
        AggiornaSaldo();
}

// ---------------------------------------------------------------- other dialogs

void TfrmRegPagamenti::ApriDialogo(const CreaDialogo &crea, const QString &etichetta)
{
    if (!crea)
        return;
    std::unique_ptr<QDialog> d(crea(this, this));
    if (!etichetta.isEmpty())
        ScriviEtichetta(d.get(), etichetta);
    Desktop::Corrente().MostraModale(d.get());
}

// The tag is what lets a double click in the search load into this editor.
void TfrmRegPagamenti::cmdTrovaClick() { ApriDialogo(m_ricerca, Etichetta()); }

void TfrmRegPagamenti::cmdListinoClick() { ApriDialogo(m_contiDaSaldare); }

void TfrmRegPagamenti::cmdEliminateClick()
{
    ApriDialogo(m_eliminate);
    // Records may have come back into the archive.
    LeggiValori();
}

// ---------------------------------------------------------------- removal

QStringList TfrmRegPagamenti::StatoDi(const TScheda &s) const
{
    const Campo campi[] = {Campo::NumDoc, Campo::DataDoc, Campo::Fornitore, Campo::CodFisc,
                           Campo::Data,   Campo::Codice,  Campo::Tipologia, Campo::Servizi,
                           Campo::Dettagli, Campo::Dovuto, Campo::Acconto, Campo::Saldo, Campo::Note};
    QStringList stato;
    for (int i = 0; i < m_anello.size(); ++i) {
        const QString t = Testo::Trim(s.Testo(campi[i]));
        stato << (Importo(m_anello[i]) ? NormalizzaImporto(t) : t);
    }
    // A stored value other than Sì or No leaves the box as it was.
    const QString daSaldare = Testo::Trim(s.Testo(Campo::DaSaldare));
    stato << (daSaldare == kSi || daSaldare == kNo ? daSaldare : m_mostrata.value(m_anello.size()));
    for (Campo c : {Campo::File01, Campo::File02, Campo::File03, Campo::Desc01, Campo::Desc02, Campo::Desc03})
        stato << Testo::Trim(s.Testo(c));
    return stato;
}

void TfrmRegPagamenti::cmdEliminaClick()
{
    Desktop &desktop = Desktop::Corrente();
    if (!Posizione()) {
        desktop.Messaggio(Desktop::Tipo::Avviso,
                          QStringLiteral("Attenzione: l'eliminazione di una scheda può avvenire soltanto "
                                         "dopo che questa è stata inserita in archivio."),
                          this);
        return;
    }
    // Edits first: saved, dropped, or the removal not started.
    if (!LasciaScheda())
        return;
    const auto p = Posizione();
    if (!p)
        return;
    const qint64 k = *p;

    // The record as the archive holds it now: the one the question names and
    // the removal takes, provided it is still the one the screen was loaded from.
    qint64 n = 0;
    TScheda s;
    if (!ConArchivio([&](Archivio &a) {
            n = a.NumeroSchede();
            if (k <= n)
                s = a.LeggiScheda(k - 1);
        }, Desktop::Tipo::Errore))
        return;
    // Compared trimmed: a save stores blanks typed around a value, a load drops them.
    const auto pulito = [](QStringList l) {
        for (QString &t : l)
            t = Testo::Trim(t);
        return l;
    };
    if (k > n || pulito(StatoDi(s)) != pulito(m_mostrata)) {
        desktop.Messaggio(Desktop::Tipo::Avviso,
                          QStringLiteral("Attenzione: la scheda n. %1 dell'archivio non è più quella mostrata: "
                                         "l'archivio è stato cambiato da un altro programma. Non è stato eliminato "
                                         "nulla.\n\r\n\rRichiamare la scheda e riprovare.")
                              .arg(k),
                          this);
        return;
    }
    const QString beneficiario = Testo::Trim(s.Testo(Campo::Fornitore));
    const QString data = Testo::Trim(s.Testo(Campo::Data));
    const QString dovuto = Testo::Trim(s.Testo(Campo::Dovuto));
    if (!desktop.Domanda(QStringLiteral("Si vuole eliminare dall'archivio la scheda n. %1?\n\r\n\r"
                                        "Beneficiario: %2\n\rData operazione: %3\n\rTotale dovuto: € %4\n\r\n\r"
                                        "La scheda potrà essere ripristinata dall'elenco delle schede eliminate.")
                             .arg(k).arg(beneficiario, data, dovuto),
                         this))
        return;

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const EsitoModifica esito =
        SchedeEliminate::Elimina(desktop.CartellaProgramma(), k - 1, s, desktop.Oggi());
    QGuiApplication::restoreOverrideCursor();
    EsitoSalvataggio copia;
    copia.erroreCopia = esito.erroreCopia;
    copia.codiceCopia = esito.codiceCopia;
    copia.necessariCopia = esito.necessariCopia;
    SegnalaCopia(copia);

    using Stato = EsitoModifica::Stato;
    switch (esito.stato) {
    case Stato::Riuscita:
    case Stato::NonConfermata:
        break;
    case Stato::Cambiata:
        desktop.Messaggio(Desktop::Tipo::Avviso,
                          QStringLiteral("Attenzione: la scheda n. %1 è stata cambiata da un altro programma "
                                         "mentre si rispondeva alla domanda. Non è stato eliminato nulla.")
                              .arg(k),
                          this);
        return;
    case Stato::Occupata:
        desktop.Messaggio(Desktop::Tipo::Errore,
                          QStringLiteral("Attenzione: l'archivio è in uso da un altro programma e la scheda non "
                                         "è stata eliminata: l'archivio non è stato cambiato.\n\r\n\r"
                                         "Riprovare tra qualche istante."),
                          this);
        return;
    default:
        desktop.Messaggio(Desktop::Tipo::Errore, MessaggioModificaNonRiuscita(QStringLiteral("eliminare la scheda"), esito), this);
        return;
    }

    // The record that took its place, or the new last one.
    qint64 rimaste = 0;
    TScheda successiva;
    qint64 mostrata = -1;
    const bool letta = ConArchivio([&](Archivio &a) {
        rimaste = a.NumeroSchede();
        if (rimaste > 0) {
            mostrata = std::min(k - 1, rimaste - 1);
            successiva = a.LeggiScheda(mostrata);
        }
    }, Desktop::Tipo::Errore);
    if (letta && mostrata >= 0)
        MostraScheda(successiva, mostrata);
    else
        NuovaScheda();
    // The records after it moved up one place: their values are read anew.
    LeggiValori();

    QString testo = QStringLiteral("La scheda n. %1 (%2, %3, € %4) è stata eliminata dall'archivio ed è "
                                   "conservata tra le schede eliminate, nel file \"%5\" nella cartella del "
                                   "programma, da cui può essere ripristinata.")
                        .arg(k).arg(beneficiario, data, dovuto, SchedeEliminate::NomeFile());
    if (mostrata >= 0 && mostrata == k - 1)
        testo += QStringLiteral("\n\r\n\rLe schede successive sono avanzate di una posizione: ora è mostrata "
                                "la scheda che ha preso il suo posto, n. %1.").arg(k);
    else if (mostrata >= 0)
        testo += QStringLiteral("\n\r\n\rOra è mostrata l'ultima scheda dell'archivio, n. %1.").arg(mostrata + 1);
    else
        testo += QStringLiteral("\n\r\n\rL'archivio non contiene più nessuna scheda.");
    if (esito.stato == Stato::NonConfermata) {
        desktop.Messaggio(Desktop::Tipo::Errore,
                          QStringLiteral("Attenzione: non è stato possibile confermare sul disco l'eliminazione "
                                         "(%1). Controllare il disco.\n\r\n\r").arg(esito.dettaglio) + testo,
                          this);
        return;
    }
    desktop.Messaggio(Desktop::Tipo::Informazione, testo, this);
}

void TfrmRegPagamenti::cmdStampaClick() { ApriDialogo(m_stampa); }

void TfrmRegPagamenti::cmdEsportaClick() { ApriDialogo(m_esportazione); }

void TfrmRegPagamenti::cmdImportaClick()
{
    ApriDialogo(m_importazione);
    // The imported records' payees, codes and types are offered from now on.
    LeggiValori();
}

void TfrmRegPagamenti::cmdFileClick()
{
    MostraDialogo<TfrmAllegaCartella>(this, [this](TfrmAllegaCartella *d) {
        ScriviEtichetta(d, Etichetta());
        Ui::TfrmAllegaCartella *c = d->Controlli();
        c->txtFile01->setText(Testo::Trim(ui->lblFile01->text()));
        c->txtDesc01->setText(Testo::Trim(ui->lblDesc01->text()));
        c->txtFile02->setText(Testo::Trim(ui->lblFile02->text()));
        c->txtDesc02->setText(Testo::Trim(ui->lblDesc02->text()));
        c->txtFile03->setText(Testo::Trim(ui->lblFile03->text()));
        c->txtDesc03->setText(Testo::Trim(ui->lblDesc03->text()));
    });
}

void TfrmRegPagamenti::cmdGuidaClick()
{
    TfrmGuida::Mostra(this, TestiGuida::TitoloRegistro(), TestiGuida::TestoRegistro());
}

void TfrmRegPagamenti::btnCodFiscClick()
{
    const QString scheda = Testo::Trim(ui->txtCodFisc->text());
    const auto corretto = ApriVerificaIdentificativo(this, ui->txtCodFisc->text());
    // A code corrected in the check and found valid there is offered back.
    if (corretto
        && Desktop::Corrente().Domanda(
            QStringLiteral("Il codice verificato, %1, è diverso da quello della scheda (%2).\n\r\n\r"
                           "Riportare il codice verificato nella scheda?")
                .arg(*corretto, scheda.isEmpty() ? QStringLiteral("vuoto") : scheda),
            this))
        ui->txtCodFisc->setText(*corretto);
}

// ---------------------------------------------------------------- values offered while typing

Completamento *TfrmRegPagamenti::CompletamentoDi(const QLineEdit *campo) const
{
    return m_completamenti.value(campo);
}

bool TfrmRegPagamenti::LetturaValoriInCorso() const { return m_letturaValori != nullptr; }

void TfrmRegPagamenti::LeggiValori()
{
    m_passoValori->stop();
    m_letturaValori.reset();
    m_rileggiValori = false;
    const QString percorso = Archivio::Percorso(Desktop::Corrente().CartellaProgramma());
    // Showing the editor creates nothing: a missing archive has no values.
    if (!QFileInfo::exists(percorso)) {
        m_valori = std::make_unique<Suggerimenti>();
        return;
    }
    try {
        m_letturaValori = std::make_unique<LetturaSuggerimenti>(percorso);
    } catch (const ErroreArchivio &e) {
        Desktop::Corrente().Messaggio(Desktop::Tipo::Avviso, kValoriNonLetti.arg(QString::fromStdString(e.what())), this);
        return;
    }
    m_passoValori->start();
}

void TfrmRegPagamenti::PassoLetturaValori()
{
    if (!m_letturaValori) {
        m_passoValori->stop();
        return;
    }
    try {
        // Slices short enough that a key typed meanwhile never waits.
        if (!m_letturaValori->Passo(std::chrono::milliseconds(8)))
            return;
    } catch (const ErroreArchivio &e) {
        m_passoValori->stop();
        m_letturaValori.reset();
        Desktop::Corrente().Messaggio(Desktop::Tipo::Avviso, kValoriNonLetti.arg(QString::fromStdString(e.what())), this);
        return;
    }
    m_valori = m_letturaValori->Prendi();
    m_letturaValori.reset();
    m_passoValori->stop();
    if (m_rileggiValori)
        return LeggiValori();
    // What was typed before the values were there is offered now.
    for (Completamento *c : std::as_const(m_completamenti))
        c->Aggiorna();
}

void TfrmRegPagamenti::ValoriSalvati(const TScheda &s, qint64 indice, bool riscritta, const TScheda *vecchia)
{
    if (riscritta && !vecchia)
        return LeggiValori();
    if (riscritta)
        m_valori->Togli(*vecchia, indice);
    m_valori->Conta(s, indice);
    // The scan under way may have read the record before the save or after it.
    if (m_letturaValori)
        m_rileggiValori = true;
}

void TfrmRegPagamenti::OffriUltimaScheda(const QString &beneficiario)
{
    // A stored record keeps its own fields; only a new one is offered them.
    if (Posizione())
        return;
    const auto ultima = m_valori->UltimaDi(beneficiario);
    if (!ultima)
        return;
    // The tax code as the field's typing rule writes it (capitals), so that
    // an equal code is not offered again.
    const struct {
        QLineEdit *campo;
        QString valore;
    } campi[] = {{ui->txtCodFisc, Testo::MaiuscoloAscii(ultima->codFisc)},
                 {ui->txtCodice, ultima->codice},
                 {ui->txtTipologia, ultima->tipologia},
                 {ui->txtServizi, ultima->servizi}};
    const auto daRiportare = [](const QLineEdit *campo, const QString &valore) {
        return !valore.isEmpty() && Testo::Trim(campo->text()) != valore;
    };
    QStringList righe;
    for (const auto &c : campi) {
        if (!daRiportare(c.campo, c.valore))
            continue;
        QString nome = c.campo->accessibleName().trimmed();
        while (nome.endsWith(u':'))
            nome.chop(1);
        QString riga = nome + QStringLiteral(": ") + c.valore;
        const QString ora = Testo::Trim(c.campo->text());
        if (!ora.isEmpty())
            riga += QStringLiteral(" (al posto di \"%1\")").arg(ora);
        righe << riga;
    }
    if (righe.isEmpty())
        return;
    if (!Desktop::Corrente().Domanda(
            kUltimaScheda.arg(beneficiario).arg(ultima->indice + 1).arg(righe.join(QStringLiteral("\n\r"))), this))
        return;
    for (const auto &c : campi) {
        if (!daRiportare(c.campo, c.valore))
            continue;
        // As if typed: the field's length and character checks apply.
        c.campo->selectAll();
        c.campo->insert(c.valore);
    }
}
