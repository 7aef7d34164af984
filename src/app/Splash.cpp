#include "app/Splash.h"
#include "ui_Splash.h"

#include "app/Produttore.h"
#include "platform/Finestre.h"
#include "platform/Immagini.h"
#include "platform/OpenURL.h"

TfrmSplash::TfrmSplash(QWidget *parent) : Differita(parent, Finestre::CorniceFissa)
{
    setObjectName(QStringLiteral("TfrmSplash"));
}

void TfrmSplash::Costruisci()
{
    ui = std::make_unique<Ui::TfrmSplash>();
    ui->setupUi(this);
    setWindowFlags(Finestre::CorniceFissa);
    setFixedSize(size());
    Immagini::ImpostaSu(ui->imgLogo, QStringLiteral(":/img/credits.svg"));
    Immagini::ImpostaSu(ui->imgWeb, QStringLiteral(":/img/web.svg"));
    ui->lnkWeb->setText(SitoSenzaSchema());
    ui->lnkWeb->setAccessibleDescription(ui->lnkWeb->text());
    ui->lnkWeb->Associa(ui->imgWeb);
    connect(ui->lnkWeb, &Collegamento::cliccato, this, &TfrmSplash::lnkWebClick);
    connect(ui->btnChiudi, &QPushButton::clicked, this, &TfrmSplash::btnChiudiClick);
    // Opens on Chiudi, so Enter closes it; in reading order the link
    // comes first, and Tab reaches it from there.
    ui->btnChiudi->setFocus();
}

TfrmSplash::~TfrmSplash() = default;

QString TfrmSplash::SitoSenzaSchema()
{
    const QString sito = Produttore::SitoWeb.toString();
    const qsizetype fine = sito.indexOf(QStringLiteral("://"));
    return fine < 0 ? sito : sito.mid(fine + 3);
}

void TfrmSplash::showEvent(QShowEvent *e)
{
    // Centred on the screen of the window that opened it.
    if (parentWidget() && parentWidget()->window()->screen())
        setScreen(parentWidget()->window()->screen());
    Finestre::CentraSulloSchermo(this);
    QDialog::showEvent(e);
}

void TfrmSplash::lnkWebClick()
{
    // The web address goes to the shell as it is, unquoted.
    TMisc::Open(Produttore::SitoWeb.toString());
}

void TfrmSplash::btnChiudiClick()
{
    close();
}
