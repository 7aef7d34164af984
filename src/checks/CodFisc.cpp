#include "checks/CodFisc.h"
#include "ui_CodFisc.h"

#include "checks/CampoIdentificativo.h"
#include "checks/CodiceFiscale.h"
#include "platform/CampoArchivio.h"
#include "platform/Desktop.h"
#include "platform/Testo.h"

#include <QKeyEvent>

TfrmCodFisc::TfrmCodFisc(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmCodFisc"));
}

void TfrmCodFisc::Costruisci()
{
    ui = std::make_unique<Ui::TfrmCodFisc>();
    ui->setupUi(this);
    CampoIdentificativo::FinestraFissa(this);
    ui->txtCodFisc->setMaxLength(LunghezzaCodFisc);
    // Room for every character of the code in the monospaced font.
    ui->txtCodFisc->setMinimumWidth(
        ui->txtCodFisc->fontMetrics().horizontalAdvance(QString(LunghezzaCodFisc + 1, u'W')) + 16);
    ui->txtCodFisc->installEventFilter(this);
    // A code copied in groups ("RSS MRA 45C12 F205C") is pasted without its
    // blanks, and a paste too long for the field is reported.
    CampoArchivio::Proteggi(ui->txtCodFisc, CampoArchivio::Incolla::Identificativo,
                            CampoArchivio::Caratteri::Liberi);

    connect(ui->txtCodFisc, &QLineEdit::textEdited, this, &TfrmCodFisc::txtCodFiscTyping);
    connect(ui->btnControlla, &QPushButton::clicked, this, &TfrmCodFisc::btnControllaClick);
    connect(ui->btnChiudi, &QPushButton::clicked, this, &TfrmCodFisc::btnChiudiClick);
}

TfrmCodFisc::~TfrmCodFisc() = default;

void TfrmCodFisc::ImpostaCodFisc(const QString &codice)
{
    Completa();
    CampoIdentificativo::ImpostaIntero(ui->txtCodFisc, NormalizzaCodFisc(codice), LunghezzaCodFisc);
}

void TfrmCodFisc::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CampoIdentificativo::CentraSulloSchermo(this);
    ui->txtCodFisc->setFocus();
}

bool TfrmCodFisc::eventFilter(QObject *oggetto, QEvent *event)
{
    if (oggetto == ui->txtCodFisc && event->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent *>(event)->key();
        // Enter only moves on to the button; the user confirms there.
        if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
            ui->btnControlla->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, event);
}

void TfrmCodFisc::txtCodFiscTyping(const QString &testo)
{
    const QString pulito = NormalizzaCodFisc(testo);
    if (pulito != testo) {
        // Keep the cursor where the user is typing: only the blanks removed
        // before it shift it.
        int iniziali = 0;
        while (iniziali < testo.size() && testo.at(iniziali).unicode() <= 32)
            ++iniziali;
        const int cursore = ui->txtCodFisc->cursorPosition();
        ui->txtCodFisc->setText(pulito);
        ui->txtCodFisc->setCursorPosition(cursore - qMin(iniziali, cursore));
    }
    CampoIdentificativo::AdattaLimite(ui->txtCodFisc, LunghezzaCodFisc);
}

void TfrmCodFisc::btnControllaClick()
{
    const QString codice = Testo::MaiuscoloAscii(ui->txtCodFisc->text());
    if (codice.size() != LunghezzaCodFisc) {
        Desktop::Corrente().Messaggio(
            Desktop::Tipo::Avviso,
            QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."),
            this);
        ui->txtCodFisc->setFocus();
        return;
    }
    const std::optional<bool> valido = VerificaCodFisc(codice);
    if (!valido)
        return;
    m_valido.reset();
    if (*valido) {
        m_valido = codice;
        Desktop::Corrente().Messaggio(Desktop::Tipo::Informazione,
                                      QStringLiteral("Il codice fiscale digitato è VALIDO."), this);
    } else {
        Desktop::Corrente().Messaggio(Desktop::Tipo::Avviso,
                                      QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO."), this);
    }
    accept();
}

void TfrmCodFisc::btnChiudiClick() { reject(); }
