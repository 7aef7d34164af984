#include "lists/Eliminate.h"
#include "ui_Eliminate.h"

#include "lists/ReportLista.h"
#include "lists/RigaScheda.h"
#include "platform/Accessibilita.h"
#include "platform/Desktop.h"
#include "platform/Finestre.h"
#include "platform/Testo.h"
#include "register/Archivio.h"
#include "register/Copie.h"

#include <QGuiApplication>
#include <QShowEvent>
#include <algorithm>

TfrmEliminate::TfrmEliminate(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmEliminate"));
}

TfrmEliminate::~TfrmEliminate() = default;

void TfrmEliminate::Costruisci()
{
    ui = std::make_unique<Ui::TfrmEliminate>();
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(size());
    QFont carattere(QStringLiteral("Courier New"), 12);
    carattere.setStyleHint(QFont::TypeWriter);
    carattere.setFixedPitch(true);
    ui->lstRecords->setFont(carattere);
    Accessibilita::RisultatoRaggiungibile(ui->lblTrovate);
    connect(ui->btnRipristina, &QPushButton::clicked, this, &TfrmEliminate::btnRipristinaClick);
    connect(ui->btnStampa, &QPushButton::clicked, this, &TfrmEliminate::btnStampaClick);
    connect(ui->btnChiudi, &QPushButton::clicked, this, &QDialog::close);
}

QString TfrmEliminate::Riga(const SchedeEliminate::Eliminata &e)
{
    const QString data = e.data.isValid() ? Testo::FormattaData(e.data) : QStringLiteral("--/--/----");
    return QStringLiteral("Eliminata il ") + data + QStringLiteral("  ") + RigaScheda(e.scheda);
}

void TfrmEliminate::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous())
        return;
    Finestre::CentraSulloSchermo(this);
    Carica();
}

void TfrmEliminate::Carica()
{
    ui->lstRecords->clear();
    m_elenco.clear();
    try {
        m_elenco = SchedeEliminate::Elenco(Desktop::Corrente().CartellaProgramma());
    } catch (const ErroreArchivio &) {
        Desktop::Corrente().MessaggioSemplice(Archivio::MessaggioInaccessibile(), this);
    }
    std::reverse(m_elenco.begin(), m_elenco.end());
    for (const SchedeEliminate::Eliminata &e : m_elenco)
        ui->lstRecords->addItem(Riga(e));
    ui->lblTrovate->setText(QStringLiteral("Schede eliminate: ") + QString::number(m_elenco.size()));
    if (!m_elenco.isEmpty())
        ui->lstRecords->setCurrentRow(0);
    ui->lstRecords->setFocus();
}

void TfrmEliminate::btnRipristinaClick()
{
    Desktop &desktop = Desktop::Corrente();
    const int riga = ui->lstRecords->currentRow();
    if (riga < 0 || riga >= m_elenco.size()) {
        desktop.MessaggioSemplice(QStringLiteral("Selezionare nell'elenco la scheda da ripristinare."), this);
        return;
    }
    const SchedeEliminate::Eliminata e = m_elenco.at(riga);
    const QString beneficiario = Testo::Trim(e.scheda.Testo(Campo::Fornitore));
    const QString data = Testo::Trim(e.scheda.Testo(Campo::Data));
    const QString dovuto = Testo::Trim(e.scheda.Testo(Campo::Dovuto));
    if (!desktop.Domanda(QStringLiteral("Si vuole ripristinare in archivio la scheda eliminata?\n\r\n\r"
                                        "Beneficiario: %1\n\rData operazione: %2\n\rTotale dovuto: € %3\n\r\n\r"
                                        "La scheda sarà aggiunta in fondo all'archivio.")
                             .arg(beneficiario, data, dovuto),
                         this))
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const EsitoModifica esito =
        SchedeEliminate::Ripristina(desktop.CartellaProgramma(), e.indice, e.scheda, desktop.Oggi());
    QGuiApplication::restoreOverrideCursor();
    SegnalaCopiaDelRipristino(esito, this);
    using Stato = EsitoModifica::Stato;
    switch (esito.stato) {
    case Stato::Riuscita:
        desktop.Messaggio(Desktop::Tipo::Informazione,
                          QStringLiteral("La scheda (%1, %2, € %3) è stata ripristinata in archivio come "
                                         "scheda n. %4, l'ultima dell'archivio.")
                              .arg(beneficiario, data, dovuto)
                              .arg(esito.posizione),
                          this);
        break;
    case Stato::Incompleta:
        desktop.Messaggio(Desktop::Tipo::Errore,
                          QStringLiteral("Attenzione: la scheda è stata ripristinata in archivio come scheda n. %1, "
                                         "ma non è stato possibile toglierla dall'elenco delle schede eliminate (%2).\n\r\n\r"
                                         "Non ripristinarla una seconda volta: sarebbe in archivio due volte.")
                              .arg(esito.posizione)
                              .arg(esito.dettaglio),
                          this);
        break;
    case Stato::Cambiata:
        desktop.Messaggio(Desktop::Tipo::Avviso,
                          QStringLiteral("Attenzione: l'elenco delle schede eliminate è stato cambiato da un altro "
                                         "programma. Non è stato ripristinato nulla: riprovare sull'elenco aggiornato."),
                          this);
        break;
    case Stato::Occupata:
        desktop.Messaggio(Desktop::Tipo::Errore,
                          QStringLiteral("Attenzione: l'archivio è in uso da un altro programma e la scheda non è "
                                         "stata ripristinata: l'archivio non è stato cambiato.\n\r\n\r"
                                         "Riprovare tra qualche istante."),
                          this);
        break;
    case Stato::NonConfermata:
        desktop.Messaggio(Desktop::Tipo::Errore,
                          QStringLiteral("Attenzione: non è stato possibile confermare sul disco il ripristino della "
                                         "scheda (%1). Controllare l'archivio e il disco.")
                              .arg(esito.dettaglio),
                          this);
        break;
    case Stato::NonRiuscita:
        desktop.Messaggio(Desktop::Tipo::Errore, MessaggioModificaNonRiuscita(QStringLiteral("ripristinare la scheda"), esito), this);
        break;
    }
    Carica();
}

void TfrmEliminate::btnStampaClick()
{
    QStringList righe;
    for (int i = 0; i < ui->lstRecords->count(); ++i)
        righe << ui->lstRecords->item(i)->text();
    StampaReportLista(this, QStringLiteral("Schede eliminate"), QStringLiteral("Schede eliminate"), righe);
}
