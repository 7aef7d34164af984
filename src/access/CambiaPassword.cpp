#include "access/CambiaPassword.h"
#include "ui_CambiaPassword.h"

#include "access/Accesso.h"
#include "access/Password.h"
#include "platform/Desktop.h"
#include "platform/Schermate.h"
#include "platform/Testo.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace {
const QString kVecchiaErrata = QStringLiteral("Attenzione: vecchia password errata.");
const QString kNonConfermata = QStringLiteral(
    "Attenzione: la nuova password non è stata confermata correttamente. "
    "E' necessario reinserire entrambi i valori.");
const QString kTroppoLunga = QStringLiteral(
    "Attenzione: la nuova password non può superare i 255 caratteri. "
    "E' necessario reinserire entrambi i valori.");
const QString kCaratteriNonAmmessi = QStringLiteral(
    "Attenzione: la nuova password contiene caratteri non ammessi, come il simbolo dell'euro "
    "o lettere di alfabeti non latini. Si possono usare le lettere, anche accentate, le cifre "
    "e i simboli dell'alfabeto latino. E' necessario reinserire entrambi i valori.");
const QString kErroreModifica = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.");
const QString kCompletata = QStringLiteral("Modifica della password completata con successo.");
} // namespace

TfrmCambiaPassword::TfrmCambiaPassword(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmCambiaPassword"));
}

void TfrmCambiaPassword::Costruisci()
{
    ui = std::make_unique<Ui::TfrmCambiaPassword>();
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(size());

    for (QLineEdit *campo : {ui->txtPasswordOld, ui->txtPasswordNew, ui->txtConferma}) {
        campo->installEventFilter(this);
        connect(campo, &QLineEdit::textChanged, this, &TfrmCambiaPassword::AggiornaOK);
    }
    connect(ui->cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(ui->cmdEsci, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdEsciClick);
}

TfrmCambiaPassword::~TfrmCambiaPassword() = default;

void TfrmCambiaPassword::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmCambiaPassword::FormShow()
{
    if (const QScreen *schermo = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(schermo->availableGeometry().center());
        move(r.topLeft());
    }
    ui->txtPasswordOld->clear();
    ui->txtPasswordNew->clear();
    ui->txtConferma->clear();
    ui->txtPasswordOld->setFocus();
}

void TfrmCambiaPassword::done(int esito)
{
    QDialog::done(esito);
    FormClose();
}

void TfrmCambiaPassword::FormClose()
{
    if (auto *accesso = qobject_cast<TfrmPassword *>(Schermate::Globali().frmPassword))
        accesso->Ripresenta();
}

bool TfrmCambiaPassword::eventFilter(QObject *o, QEvent *e)
{
    QLineEdit *const campi[] = {ui->txtPasswordOld, ui->txtPasswordNew, ui->txtConferma};
    QFrame *const evidenze[] = {ui->effPasswordOld, ui->effPasswordNew, ui->effConferma};
    for (int i = 0; i < 3; ++i) {
        if (o != campi[i])
            continue;
        switch (e->type()) {
        case QEvent::FocusIn:
            evidenze[i]->show();
            break;
        case QEvent::FocusOut:
            evidenze[i]->hide();
            break;
        case QEvent::KeyRelease:
            AggiornaOK();
            break;
        case QEvent::KeyPress: {
            // Enter moves round the three fields and never submits.
            const int tasto = static_cast<QKeyEvent *>(e)->key();
            if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
                campi[(i + 1) % 3]->setFocus();
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(o, e);
}

void TfrmCambiaPassword::AggiornaOK()
{
    ui->cmdOK->setEnabled(!Testo::Trim(ui->txtPasswordOld->text()).isEmpty()
                          && !Testo::Trim(ui->txtPasswordNew->text()).isEmpty()
                          && !Testo::Trim(ui->txtConferma->text()).isEmpty());
}

void TfrmCambiaPassword::RipetiNuova(const QString &messaggio)
{
    Desktop::Corrente().MessaggioSemplice(messaggio, this);
    ui->txtPasswordNew->clear();
    ui->txtConferma->clear();
    ui->txtPasswordNew->setFocus();
}

void TfrmCambiaPassword::cmdOKClick()
{
    const QString cartella = Desktop::Corrente().CartellaProgramma();
    const QString percorso = Accesso::Percorso(cartella);
    try {
        if (!Accesso::Verifica(percorso, ui->txtPasswordOld->text())) {
            Desktop::Corrente().MessaggioSemplice(kVecchiaErrata, this);
            ui->txtPasswordOld->clear();
            ui->txtPasswordOld->setFocus();
            return;
        }
        const QString nuova = ui->txtPasswordNew->text();
        // Letter case counts here, although both would be stored alike.
        if (Testo::Trim(nuova) != Testo::Trim(ui->txtConferma->text())) {
            RipetiNuova(kNonConfermata);
            return;
        }
        switch (Accesso::Controlla(nuova)) {
        case Accesso::Ammissibilita::TroppoLunga:
            RipetiNuova(kTroppoLunga);
            return;
        case Accesso::Ammissibilita::CaratteriNonAmmessi:
            RipetiNuova(kCaratteriNonAmmessi);
            return;
        case Accesso::Ammissibilita::Vuota:
        case Accesso::Ammissibilita::Ammessa:
            break;
        }
        Accesso::ScriviPassword(percorso, nuova);
    } catch (const Accesso::StoreNonValido &) {
        Desktop::Corrente().MessaggioSemplice(Accesso::MessaggioStoreNonValido(cartella), this);
        return;
    } catch (const Accesso::ErroreAccesso &) {
        Desktop::Corrente().MessaggioSemplice(kErroreModifica, this);
        return;
    }
    Desktop::Corrente().MessaggioSemplice(kCompletata, this);
    close();
}

void TfrmCambiaPassword::cmdEsciClick() { close(); }
