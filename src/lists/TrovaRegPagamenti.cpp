#include "lists/TrovaRegPagamenti.h"
#include "ui_TrovaRegPagamenti.h"

#include "lists/BarraTrova.h"
#include "lists/ListaRighe.h"
#include "lists/ReportLista.h"
#include "lists/RicercaSchede.h"
#include "platform/Accessibilita.h"
#include "platform/Attesa.h"
#include "platform/Desktop.h"
#include "platform/Finestre.h"
#include "platform/Testo.h"
#include "register/Archivio.h"

#include <QKeyEvent>
#include <QShowEvent>

namespace {

const QString kTagRegistro = QStringLiteral("regpagamenti");

} // namespace

TfrmTrovaRegPagamenti::TfrmTrovaRegPagamenti(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmTrovaRegPagamenti"));
}

void TfrmTrovaRegPagamenti::Costruisci()
{
    ui = std::make_unique<Ui::TfrmTrovaRegPagamenti>();
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(size());

    m_criteri = {ui->txtNumDoc, ui->txtDataDoc, ui->txtData, ui->txtCodice, ui->txtTipologia,
                 ui->txtServizi, ui->txtDettagli, ui->txtDovuto, ui->txtFornitore, ui->txtNote};
    for (QLineEdit *e : m_criteri)
        e->installEventFilter(this);
    ui->btnCerca->installEventFilter(this);

    PreparaListaRighe(ui->lstRecords);
    new BarraTrova(ui->txtTrova, ui->btnTrova, ui->lstRecords, &m_ultimoTrova, true);
    Accessibilita::RisultatoRaggiungibile(ui->lblTrovate);

    connect(ui->btnCerca, &QPushButton::clicked, this, &TfrmTrovaRegPagamenti::btnCercaClick);
    connect(ui->btnAnnulla, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->btnChiudi, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->btnStampa, &QPushButton::clicked, this, &TfrmTrovaRegPagamenti::btnStampaClick);
    connect(ui->lstRecords, &QListView::doubleClicked, this, &TfrmTrovaRegPagamenti::lstRecordsDblClick);
    InvioSullaRiga(ui->lstRecords, [this] { lstRecordsDblClick(); });
}

TfrmTrovaRegPagamenti::~TfrmTrovaRegPagamenti() = default;

void TfrmTrovaRegPagamenti::ImpostaChiamante(const QString &tag)
{
    Completa();
    ui->lblMemory->setText(tag);
}

void TfrmTrovaRegPagamenti::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous())
        return;
    // On the screen, not over the editor that opened it.
    Finestre::CentraSulloSchermo(this);
    m_ultimoTrova.clear();
    SelezionaRiga(ui->lstRecords, 0);
    ui->txtTrova->clear();
    (ui->panAvvio->isVisible() ? ui->txtNumDoc : ui->txtTrova)->setFocus();
}

void TfrmTrovaRegPagamenti::done(int risultato)
{
    // A dialog never built has no lines to let go.
    if (Costruita()) {
        ModelloDi(ui->lstRecords)->Svuota();
        ui->lblAttendere->hide();
    }
    QDialog::done(risultato);
}

bool TfrmTrovaRegPagamenti::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == ui->btnCerca) {
        if (evento->type() == QEvent::MouseButtonPress) {
            ui->lblAttendere->show();
            ui->lblAttendere->repaint();
        }
        return QDialog::eventFilter(oggetto, evento);
    }
    const auto i = m_criteri.indexOf(qobject_cast<QLineEdit *>(oggetto));
    if (i < 0)
        return QDialog::eventFilter(oggetto, evento);
    QWidget *evidenza = findChild<QWidget *>(QStringLiteral("eff") + oggetto->objectName().mid(3));
    switch (evento->type()) {
    case QEvent::FocusIn:
        evidenza->show();
        break;
    case QEvent::FocusOut:
        evidenza->hide();
        break;
    case QEvent::KeyPress: {
        const int tasto = static_cast<QKeyEvent *>(evento)->key();
        if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
            m_criteri.at((i + 1) % m_criteri.size())->setFocus(Qt::TabFocusReason);
            return true; // Enter never starts the search
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void TfrmTrovaRegPagamenti::btnCercaClick()
{
    static const Campo campi[] = {Campo::NumDoc, Campo::DataDoc, Campo::Data, Campo::Codice,
                                  Campo::Tipologia, Campo::Servizi, Campo::Dettagli,
                                  Campo::Dovuto, Campo::Fornitore, Campo::Note};
    QList<CriterioRicerca> criteri;
    int compilati = 0;
    for (int k = 0; k < m_criteri.size(); ++k) {
        criteri.append({campi[k], m_criteri.at(k)->text()});
        compilati += CriterioCompilato(criteri.last()) ? 1 : 0;
    }
    ui->lblConta->setText(QString::number(compilati));

    RigheScheda righe;
    try {
        const Attesa attesa(this, Avanzamento::LetturaArchivio());
        righe = CercaSchede(Archivio::Percorso(Desktop::Corrente().CartellaProgramma()), criteri);
    } catch (const ErroreArchivio &) {
        Desktop::Corrente().MessaggioSemplice(Archivio::MessaggioInaccessibile(), this);
        return;
    }
    const qsizetype n = righe.size();
    MostraRighe(ui->lstRecords, std::move(righe));
    ui->lblTrovate->setText(QStringLiteral("Il presente riepilogo contiene %1 schede").arg(n));
    ui->panContainer->show();
    ui->panAvvio->hide();
    ui->txtTrova->clear();
    ui->txtTrova->setFocus();
}

void TfrmTrovaRegPagamenti::lstRecordsDblClick()
{
    if (visore && Testo::Trim(ui->lblMemory->text()) == kTagRegistro
        && !RichiamaSchedaSelezionata(ui->lstRecords, *visore))
        return; // the editor keeps its record, and the user the list
    close();
}

void TfrmTrovaRegPagamenti::btnStampaClick()
{
    StampaReportLista(this, QStringLiteral("Riepilogo dati"),
                      QStringLiteral("Riepilogo pagamenti in Registro spese"),
                      ModelloDi(ui->lstRecords)->Righe().righe.Elenco());
}
