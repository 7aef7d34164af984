#include "register/RegPagamenti.h"
#include "ui_AllegaCartella.h"
#include "ui_RegPagamenti.h"

#include "app/Avvio.h"
#include "app/Guida.h"
#include "app/Schermate.h"
#include "app/TestiGuida.h"
#include "checks/Verifica.h"
#include "lists/SospesePag.h"
#include "lists/TrovaRegPagamenti.h"
#include "output/ExpRegPagamenti.h"
#include "output/StampaRegPagamenti.h"
#include "platform/Testo.h"
#include "register/AllegaCartella.h"
#include "register/Archivio.h"
#include "register/Calendario.h"
#include "register/Importi.h"
#include "register/Salvataggio.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShowEvent>

namespace {

const QString kSi = QStringLiteral("Sì");
const QString kNo = QStringLiteral("No");
const QString kZero = QStringLiteral("0,00");

const QString kAccesso = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
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
const QString kSuggerimentoData = QStringLiteral(
    "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.");
const QString kSuggerimentoSaldare = QStringLiteral(
    "Spunta questa casella per annotare che il conto deve essere ancora saldato.");

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
    if (auto *m = dialogo->findChild<QLabel *>(QStringLiteral("lblMemory")))
        m->setText(etichetta);
}

} // namespace

TfrmRegPagamenti::TfrmRegPagamenti(QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::TfrmRegPagamenti>())
{
    ui->setupUi(this);
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

    // Hover hints: the picture buttons carry theirs as tooltip.
    const QList<QWidget *> conSuggerimento = {
        ui->cmdNuovo, ui->cmdDuplica, ui->cmdSalva, ui->cmdTrova, ui->cmdFile, ui->cmdStampa,
        ui->cmdPrimo, ui->cmdIndietro, ui->cmdAvanti, ui->cmdUltimo, ui->cmdEsporta,
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
    connect(ui->cmdPrimo, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdPrimoClick);
    connect(ui->cmdIndietro, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdIndietroClick);
    connect(ui->cmdAvanti, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdAvantiClick);
    connect(ui->cmdUltimo, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdUltimoClick);
    connect(ui->cmdTrova, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdTrovaClick);
    connect(ui->cmdListino, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdListinoClick);
    connect(ui->cmdStampa, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdStampaClick);
    connect(ui->cmdEsporta, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdEsportaClick);
    connect(ui->cmdFile, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdFileClick);
    connect(ui->cmdGuida, &QAbstractButton::clicked, this, &TfrmRegPagamenti::cmdGuidaClick);
    connect(ui->cmdEsci, &QAbstractButton::clicked, this, &QWidget::close);
    connect(ui->btnCalcola, &QAbstractButton::clicked, this, &TfrmRegPagamenti::btnCalcolaClick);
    connect(ui->btnCodFisc, &QAbstractButton::clicked, this, &TfrmRegPagamenti::btnCodFiscClick);
    connect(ui->txtCodFisc, &QLineEdit::textEdited, this, &TfrmRegPagamenti::txtCodFiscTyping);
}

TfrmRegPagamenti::~TfrmRegPagamenti() = default;

// ---------------------------------------------------------------- loading

void TfrmRegPagamenti::MostraScheda(const TScheda &s, qint64 indice)
{
    const Campo campi[] = {Campo::NumDoc, Campo::DataDoc, Campo::Fornitore, Campo::CodFisc,
                           Campo::Data,   Campo::Codice,  Campo::Tipologia, Campo::Servizi,
                           Campo::Dettagli, Campo::Dovuto, Campo::Acconto, Campo::Saldo, Campo::Note};
    for (int i = 0; i < m_anello.size(); ++i)
        m_anello[i]->setText(Testo::Trim(s.Testo(campi[i])));

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
}

TScheda TfrmRegPagamenti::SchedaDaSchermo() const
{
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

// ---------------------------------------------------------------- screen events

void TfrmRegPagamenti::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return; // restored from minimised: the record stays
    cmdNuovoClick();
    if (auto *avvio = Schermate::Globali().frmAvvio)
        avvio->hide();
}

void TfrmRegPagamenti::closeEvent(QCloseEvent *event)
{
    if (auto *avvio = Schermate::Globali().frmAvvio)
        avvio->show();
    event->accept(); // the screen hides; nothing is saved
}

bool TfrmRegPagamenti::eventFilter(QObject *oggetto, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (auto *campo = qobject_cast<QLineEdit *>(oggetto); campo && m_anello.contains(campo))
            return TastoCampo(campo, static_cast<QKeyEvent *>(event));
        break;
    case QEvent::FocusOut:
        if (oggetto == ui->txtDovuto || oggetto == ui->txtAcconto || oggetto == ui->txtSaldo) {
            // A context menu takes the focus for a moment (to paste): not a leave.
            if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
                auto *campo = static_cast<QLineEdit *>(oggetto);
                campo->setText(NormalizzaImporto(campo->text()));
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
        ApriCalendario(campo == ui->txtData ? EtichettaData() : EtichettaDataDoc());
        return true;
    }

    if (invio) {
        Avanza(campo);
        return true;
    }
    return false;
}

void TfrmRegPagamenti::ApriCalendario(const QString &etichetta)
{
    MostraDialogo<TfrmCalendario>(this, [&](TfrmCalendario *d) { ScriviEtichetta(d, etichetta); });
}

void TfrmRegPagamenti::txtCodFiscTyping(const QString &testo)
{
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
        Desktop::Corrente().Messaggio(tipoErrore, kAccesso, this);
        return false;
    }
}

void TfrmRegPagamenti::MessaggioArchivioVuoto()
{
    Desktop::Corrente().Messaggio(Desktop::Tipo::Informazione, kVuoto, this);
}

void TfrmRegPagamenti::cmdPrimoClick()
{
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
    ui->txtNumDoc->clear();
    ui->txtDataDoc->clear();
    ui->txtFornitore->clear();
    ui->txtCodFisc->clear();
    ui->txtData->setText(Testo::FormattaData(Desktop::Corrente().Oggi()));
    ui->txtCodice->clear();
    ui->txtTipologia->clear();
    ui->txtServizi->clear();
    ui->txtDettagli->clear();
    ui->txtDovuto->setText(kZero);
    ui->txtAcconto->setText(kZero);
    ui->txtSaldo->setText(kZero);
    ui->txtNote->clear();
    ui->chkDaSaldare->setChecked(false);
    for (QLabel *l : {ui->lblFile01, ui->lblFile02, ui->lblFile03, ui->lblDesc01, ui->lblDesc02,
                      ui->lblDesc03, ui->lblPosizione})
        l->clear();
    ui->txtNumDoc->setFocus(Qt::OtherFocusReason);
}

void TfrmRegPagamenti::cmdSalvaClick()
{
    btnCalcolaClick();

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

    const TScheda s = SchedaDaSchermo();
    const auto k = Posizione();
    SalvaInArchivio(s, k);
}

bool TfrmRegPagamenti::SalvaInArchivio(const TScheda &s, std::optional<qint64> k)
{
    EsitoSalvataggio esito;
    {
        // The wait for another program's lock is bounded; meanwhile the
        // cursor tells the user the program is busy.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        esito = SalvaScheda(Desktop::Corrente().CartellaProgramma(), s, k, Desktop::Corrente().Oggi());
        QGuiApplication::restoreOverrideCursor();
    }
    SegnalaCopiaFallita(esito.erroreCopia);
    // The position changes only once the record is known to be in the
    // archive: a failed save leaves a new record new.
    if (esito.posizione)
        ui->lblPosizione->setText(QString::number(*esito.posizione));
    switch (esito.stato) {
    case EsitoSalvataggio::Stato::Salvata:
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
    case EsitoSalvataggio::Stato::NonRiuscita:
        break;
    }
    Desktop::Corrente().Messaggio(Desktop::Tipo::Errore, kAccesso, this);
    return false;
}

void TfrmRegPagamenti::SegnalaCopiaFallita(const QString &errore)
{
    // Once a day is enough: the copy is tried again at every save.
    const QDate oggi = Desktop::Corrente().Oggi();
    if (errore.isEmpty() || m_copiaSegnalata == oggi)
        return;
    m_copiaSegnalata = oggi;
    Desktop::Corrente().Messaggio(Desktop::Tipo::Avviso, kCopiaFallita, this);
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
    for (QLabel *l : {ui->lblFile01, ui->lblFile02, ui->lblFile03, ui->lblDesc01, ui->lblDesc02,
                      ui->lblDesc03, ui->lblPosizione})
        l->clear();
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
    const Importo3 r = CalcolaSaldo(ui->txtDovuto->text(), ui->txtAcconto->text(), ui->txtSaldo->text());
    ui->txtDovuto->setText(r.dovuto);
    ui->txtAcconto->setText(r.acconto);
    ui->txtSaldo->setText(r.saldo);
}

// ---------------------------------------------------------------- other dialogs

void TfrmRegPagamenti::cmdTrovaClick()
{
    // The tag is what lets a double click in the search load into this editor.
    MostraDialogo<TfrmTrovaRegPagamenti>(
        this, [](TfrmTrovaRegPagamenti *d) { d->ImpostaChiamante(Etichetta()); });
}

void TfrmRegPagamenti::cmdListinoClick() { MostraDialogo<TfrmSospesePag>(this); }

void TfrmRegPagamenti::cmdStampaClick() { MostraDialogo<TfrmStampaRegPagamenti>(this); }

void TfrmRegPagamenti::cmdEsportaClick() { MostraDialogo<TfrmExpRegPagamenti>(this); }

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
    ApriVerificaIdentificativo(this, ui->txtCodFisc->text());
}
