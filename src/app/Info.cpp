#include "app/Info.h"
#include "ui_Info.h"

#include "app/Produttore.h"
#include "platform/Finestre.h"
#include "platform/Immagini.h"
#include "platform/OpenURL.h"

TfrmInfo::TfrmInfo(QWidget *parent) : Differita(parent, Finestre::CorniceFissa)
{
    setObjectName(QStringLiteral("TfrmInfo"));
}

void TfrmInfo::Costruisci()
{
    ui = std::make_unique<Ui::TfrmInfo>();
    ui->setupUi(this);
    setWindowFlags(Finestre::CorniceFissa);
    setFixedSize(size());
    Immagini::ImpostaSu(ui->imgLogo, QStringLiteral(":/img/logo.svg"));
    Immagini::ImpostaSu(ui->imgWarning, QStringLiteral(":/img/warning.svg"));
    Immagini::ImpostaSu(ui->imgEmail, QStringLiteral(":/img/email.svg"));
    ui->lnkWeb->setText(Produttore::MailSupporto.toString());
    ui->lnkWeb->setAccessibleDescription(ui->lnkWeb->text());
    ui->lnkWeb->Associa(ui->imgEmail);
    connect(ui->lnkWeb, &Collegamento::cliccato, this, &TfrmInfo::lnkWebClick);
    connect(ui->btnChiudi, &QPushButton::clicked, this, &TfrmInfo::btnChiudiClick);
    // Opens on Chiudi, so Enter closes it; in reading order the link
    // comes first, and Tab reaches it from there.
    ui->btnChiudi->setFocus();
}

TfrmInfo::~TfrmInfo() = default;

QString TfrmInfo::BersaglioEmail()
{
    return QStringLiteral("\"mailto:") + Produttore::MailSupporto.toString() + u'"';
}

void TfrmInfo::showEvent(QShowEvent *e)
{
    Finestre::CentraSulloSchermo(this);
    QDialog::showEvent(e);
}

void TfrmInfo::lnkWebClick()
{
    TMisc::Open(BersaglioEmail());
}

void TfrmInfo::btnChiudiClick()
{
    close();
}
