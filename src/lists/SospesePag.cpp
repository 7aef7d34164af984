#include "lists/SospesePag.h"
#include "ui_SospesePag.h"

#include "lists/BarraTrova.h"
#include "lists/ListaRighe.h"
#include "lists/ReportLista.h"
#include "lists/RicercaSchede.h"
#include "platform/Accessibilita.h"
#include "platform/Attesa.h"
#include "platform/Desktop.h"
#include "platform/Finestre.h"
#include "register/Archivio.h"

#include <QShowEvent>

TfrmSospesePag::TfrmSospesePag(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmSospesePag"));
}

void TfrmSospesePag::Costruisci()
{
    ui = std::make_unique<Ui::TfrmSospesePag>();
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(size());

    PreparaListaRighe(ui->lstRecords);
    new BarraTrova(ui->txtTrova, ui->btnTrova, ui->lstRecords, &m_ultimoTrova, true);
    Accessibilita::RisultatoRaggiungibile(ui->lblTrovate);

    connect(ui->btnChiudi, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->btnStampa, &QPushButton::clicked, this, &TfrmSospesePag::btnStampaClick);
    connect(ui->lstRecords, &QListView::doubleClicked, this, &TfrmSospesePag::lstRecordsDblClick);
    InvioSullaRiga(ui->lstRecords, [this] { lstRecordsDblClick(); });
}

TfrmSospesePag::~TfrmSospesePag() = default;

void TfrmSospesePag::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous())
        return;
    // On the screen, not over the editor that opened it.
    Finestre::CentraSulloSchermo(this);
    m_ultimoTrova.clear();
    ui->txtTrova->clear();
    try {
        const Attesa attesa(this, Avanzamento::LetturaArchivio());
        RigheScheda righe = ContiDaSaldare(Archivio::Percorso(Desktop::Corrente().CartellaProgramma()));
        ui->lblTrovate->setText(QStringLiteral("Conti da saldare: ") + QString::number(righe.size()));
        MostraRighe(ui->lstRecords, std::move(righe));
    } catch (const ErroreArchivio &) {
        // An empty list here would read as "nothing left to settle": say so.
        MostraRighe(ui->lstRecords, {});
        ui->lblTrovate->setText(QStringLiteral("Conti da saldare: archivio non leggibile"));
        Desktop::Corrente().MessaggioSemplice(Archivio::MessaggioInaccessibile(), this);
    }
    SelezionaRiga(ui->lstRecords, -1);
    ui->txtTrova->setFocus();
}

void TfrmSospesePag::done(int risultato)
{
    // A dialog never built has no lines to let go.
    if (Costruita())
        ModelloDi(ui->lstRecords)->Svuota();
    QDialog::done(risultato);
}

void TfrmSospesePag::lstRecordsDblClick()
{
    if (visore && !RichiamaSchedaSelezionata(ui->lstRecords, *visore))
        return; // the editor keeps its record, and the user the list
    close();
}

void TfrmSospesePag::btnStampaClick()
{
    StampaReportLista(this, QStringLiteral("Riepilogo dati"),
                      QStringLiteral("Riepilogo conti da saldare"),
                      ModelloDi(ui->lstRecords)->Righe().righe.Elenco());
}
