#include "app/Avvio.h"
#include "ui_Avvio.h"

#include "app/Guida.h"
#include "app/Info.h"
#include "app/Produttore.h"
#include "app/Splash.h"
#include "app/TestiGuida.h"
#include "platform/Desktop.h"
#include "platform/OpenURL.h"
#include "platform/Schermate.h"

#include <QCloseEvent>
#include <QDialog>
#include <QCoreApplication>

TfrmAvvio::TfrmAvvio(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmAvvio"));
}

void TfrmAvvio::Costruisci()
{
    ui = std::make_unique<Ui::TfrmAvvio>();
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);

    connect(ui->imgApp01, &QToolButton::clicked, this, &TfrmAvvio::imgApp01Click);
    connect(ui->btnApp01, &QPushButton::clicked, this, &TfrmAvvio::imgApp01Click);
    connect(ui->imgApp02, &QToolButton::clicked, this, &TfrmAvvio::imgApp02Click);
    connect(ui->btnApp02, &QPushButton::clicked, this, &TfrmAvvio::imgApp02Click);
    connect(ui->imgApp03, &QToolButton::clicked, this, &TfrmAvvio::imgApp03Click);
    connect(ui->btnApp03, &QPushButton::clicked, this, &TfrmAvvio::imgApp03Click);
    connect(ui->imgInfo, &QToolButton::clicked, this, &TfrmAvvio::imgInfoClick);
    connect(ui->imgCredits, &QToolButton::clicked, this, &TfrmAvvio::imgCreditsClick);
    connect(ui->imgCopie, &QToolButton::clicked, this, &TfrmAvvio::imgCopieClick);
    connect(ui->imgGuida, &QToolButton::clicked, this, &TfrmAvvio::imgGuidaClick);
    connect(ui->imgSito, &QToolButton::clicked, this, &TfrmAvvio::imgSitoClick);
    connect(ui->imgEsci, &QToolButton::clicked, this, &TfrmAvvio::imgEsciClick);
}

TfrmAvvio::~TfrmAvvio() = default;

void TfrmAvvio::ImpostaCopie(CreaDialogo copie) { m_copie = std::move(copie); }

void TfrmAvvio::imgCopieClick()
{
    if (!m_copie)
        return;
    const std::unique_ptr<QDialog> d(m_copie(this));
    Desktop::Corrente().MostraModale(d.get());
}

void TfrmAvvio::ApriLavoro(QWidget *schermata)
{
    if (schermata)
        schermata->show();
    hide();
}

void TfrmAvvio::imgApp01Click() { ApriLavoro(Schermate::Globali().frmRegPagamenti); }
void TfrmAvvio::imgApp02Click() { ApriLavoro(Schermate::Globali().frmMenuRiepPagamenti); }
void TfrmAvvio::imgApp03Click() { ApriLavoro(Schermate::Globali().frmStatistiche); }

void TfrmAvvio::imgInfoClick()
{
    const auto info = std::make_unique<TfrmInfo>(this);
    Desktop::Corrente().MostraModale(info.get());
}

void TfrmAvvio::imgCreditsClick()
{
    const auto splash = std::make_unique<TfrmSplash>(this);
    Desktop::Corrente().MostraModale(splash.get());
}

void TfrmAvvio::imgGuidaClick()
{
    TfrmGuida::Mostra(this, TestiGuida::TitoloAvvio(), TestiGuida::TestoAvvio());
}

void TfrmAvvio::imgSitoClick() { TMisc::Open(Produttore::SitoWeb.toString()); }

void TfrmAvvio::imgEsciClick()
{
    if (Schermate::ConsentonoUscita())
        QCoreApplication::quit();
}

void TfrmAvvio::closeEvent(QCloseEvent *e)
{
    if (!Schermate::ConsentonoUscita()) {
        e->ignore();
        return;
    }
    e->accept();
    QCoreApplication::quit();
}
