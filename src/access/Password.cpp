#include "access/Password.h"
#include "ui_Password.h"

#include "access/Accesso.h"
#include "platform/Desktop.h"
#include "platform/Immagini.h"
#include "platform/Schermate.h"
#include "platform/Testo.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace {
const QString kPasswordErrata = QStringLiteral("Attenzione: password errata.");

void Centra(QWidget *w)
{
    if (const QScreen *schermo = w->screen() ? w->screen() : QGuiApplication::primaryScreen()) {
        QRect r = w->frameGeometry();
        r.moveCenter(schermo->availableGeometry().center());
        w->move(r.topLeft());
    }
}
} // namespace

TfrmPassword::TfrmPassword(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmPassword"));
}

void TfrmPassword::Costruisci()
{
    ui = std::make_unique<Ui::TfrmPassword>();
    ui->setupUi(this);
    Immagini::ImpostaSu(ui->imgLogo, QStringLiteral(":/img/logo.svg"));
    // Fixed border and no window-system buttons: the screen is left only
    // through its own buttons.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(size());

    ui->txtPassword->installEventFilter(this);
    connect(ui->txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::txtPasswordChange);
    connect(ui->cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(ui->cmdEsci, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    connect(ui->btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
}

TfrmPassword::~TfrmPassword() = default;

void TfrmPassword::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmPassword::FormShow()
{
    Centra(this);
    ui->txtPassword->setFocus();
}

void TfrmPassword::closeEvent(QCloseEvent *e)
{
    // The main window: closing it ends the program.
    if (!Schermate::ConsentonoUscita()) {
        e->ignore();
        return;
    }
    e->accept();
    QCoreApplication::quit();
}

bool TfrmPassword::eventFilter(QObject *o, QEvent *e)
{
    if (o == ui->txtPassword) {
        switch (e->type()) {
        case QEvent::FocusIn:
            ui->effPassword->show();
            break;
        case QEvent::FocusOut:
            ui->effPassword->hide();
            break;
        case QEvent::KeyRelease:
            AggiornaOK();
            break;
        case QEvent::KeyPress: {
            const int tasto = static_cast<QKeyEvent *>(e)->key();
            if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
                if (!Testo::Trim(ui->txtPassword->text()).isEmpty())
                    cmdOKClick();
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(o, e);
}

void TfrmPassword::txtPasswordChange() { AggiornaOK(); }

void TfrmPassword::AggiornaOK()
{
    ui->cmdOK->setEnabled(!Testo::Trim(ui->txtPassword->text()).isEmpty());
}

void TfrmPassword::cmdOKClick()
{
    const QString cartella = Desktop::Corrente().CartellaProgramma();
    bool corretta = false;
    try {
        corretta = Accesso::Verifica(Accesso::Percorso(cartella), ui->txtPassword->text());
    } catch (const Accesso::ErroreAccesso &) {
        // Not "password errata": no password could ever pass, and the user
        // must learn how to put the store back.
        Desktop::Corrente().MessaggioSemplice(Accesso::MessaggioStoreNonValido(cartella), this);
        return;
    }
    if (!corretta) {
        Desktop::Corrente().MessaggioSemplice(kPasswordErrata, this);
        ui->txtPassword->clear();
        ui->txtPassword->setFocus();
        return;
    }
    if (QWidget *avvio = Schermate::Globali().frmAvvio)
        avvio->show();
    hide();
}

void TfrmPassword::cmdEsciClick() { close(); }

void TfrmPassword::btnCambiaPasswordClick()
{
    if (QWidget *cambia = Schermate::Globali().frmCambiaPassword)
        cambia->show();
    hide();
}

void TfrmPassword::Ripresenta()
{
    Completa();
    ui->txtPassword->clear();
    show();
    activateWindow();
    ui->txtPassword->setFocus();
}
