#include "checks/PartitaIVA.h"
#include "ui_PartitaIVA.h"

#include "checks/CampoIdentificativo.h"
#include "checks/NumeroPartitaIva.h"
#include "platform/CampoArchivio.h"
#include "platform/Desktop.h"
#include "platform/Testo.h"

#include <QKeyEvent>

TfrmPartitaIva::TfrmPartitaIva(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmPartitaIva"));
}

void TfrmPartitaIva::Costruisci()
{
    ui = std::make_unique<Ui::TfrmPartitaIva>();
    ui->setupUi(this);
    CampoIdentificativo::FinestraFissa(this);
    ui->txtPartitaIva->setMaxLength(LunghezzaPartitaIva);
    ui->txtPartitaIva->setMinimumWidth(
        ui->txtPartitaIva->fontMetrics().horizontalAdvance(QString(LunghezzaPartitaIva + 5, u'0')) + 16);
    ui->txtPartitaIva->installEventFilter(this);
    // A code copied in groups ("RSS MRA 45C12 F205C") is pasted without its
    // blanks, and a paste too long for the field is reported.
    CampoArchivio::Proteggi(ui->txtPartitaIva, CampoArchivio::Incolla::Identificativo,
                            CampoArchivio::Caratteri::Liberi);

    connect(ui->txtPartitaIva, &QLineEdit::textEdited, this,
            [this] { CampoIdentificativo::AdattaLimite(ui->txtPartitaIva, LunghezzaPartitaIva); });
    connect(ui->btnControlla, &QPushButton::clicked, this, &TfrmPartitaIva::btnControllaClick);
    connect(ui->btnChiudi, &QPushButton::clicked, this, &TfrmPartitaIva::btnChiudiClick);
}

TfrmPartitaIva::~TfrmPartitaIva() = default;

void TfrmPartitaIva::ImpostaPartitaIva(const QString &numero)
{
    Completa();
    CampoIdentificativo::ImpostaIntero(ui->txtPartitaIva, numero, LunghezzaPartitaIva);
}

void TfrmPartitaIva::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CampoIdentificativo::CentraSulloSchermo(this);
    ui->txtPartitaIva->setFocus();
}

bool TfrmPartitaIva::eventFilter(QObject *oggetto, QEvent *event)
{
    if (oggetto == ui->txtPartitaIva && event->type() == QEvent::KeyPress)
        return !txtPartitaIvaKeyDown(*static_cast<QKeyEvent *>(event));
    return QDialog::eventFilter(oggetto, event);
}

// True when the field may have the key; every other key is swallowed,
// including Tab, Home, End and the up and down arrows.
bool TfrmPartitaIva::txtPartitaIvaKeyDown(const QKeyEvent &tasto)
{
    switch (tasto.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter only moves on to the button; the user confirms there.
        ui->btnControlla->setFocus();
        return false;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return true;
    default: {
        const QString c = tasto.text();
        return c.size() == 1 && c.at(0).unicode() >= u'0' && c.at(0).unicode() <= u'9';
    }
    }
}

void TfrmPartitaIva::btnControllaClick()
{
    const QString numero = Testo::MaiuscoloAscii(ui->txtPartitaIva->text());
    if (numero.size() != LunghezzaPartitaIva) {
        Desktop::Corrente().Messaggio(
            Desktop::Tipo::Avviso,
            QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."), this);
        ui->txtPartitaIva->setFocus();
        return;
    }
    if (!VerificaPartitaIva(numero)) {
        Desktop::Corrente().Messaggio(
            Desktop::Tipo::Avviso,
            QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                           "Non è quindi possibile fornire informazioni relative all'Ufficio IVA "
                           "che lo ha rilasciato."),
            this);
    } else {
        m_valido = numero;
        const QString ufficio = UfficioIva(CodiceUfficioIva(ui->txtPartitaIva->text()));
        Desktop::Corrente().Messaggio(
            Desktop::Tipo::Informazione,
            QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                           "E' stato rilasciato dall'Ufficio IVA del Comune di ")
                + ufficio + u'.',
            this);
    }
    accept();
}

void TfrmPartitaIva::btnChiudiClick() { reject(); }
