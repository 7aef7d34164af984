#include "summary/RiepPagamenti.h"
#include "ui_RiepPagamenti.h"

#include "app/Guida.h"
#include "app/TestiGuida.h"
#include "lists/BarraTrova.h"
#include "lists/ListaRighe.h"
#include "lists/ReportLista.h"
#include "platform/Accessibilita.h"
#include "platform/Attesa.h"
#include "platform/Desktop.h"
#include "platform/Posizioni.h"
#include "platform/Schermate.h"
#include "platform/Testo.h"
#include "register/Archivio.h"
#include "summary/MenuRiepPagamenti.h"
#include "summary/Riepilogo.h"
#include "ui_MenuRiepPagamenti.h"

#include <QShowEvent>

namespace {

// The statement's last find text outlives each statement: a second statement
// continues a repeated find where the first one left it.
QString &UltimoTrova()
{
    static QString t;
    return t;
}

const QString kNonCalcolabile = QStringLiteral("non calcolabile");

} // namespace

TfrmRiepPagamenti::TfrmRiepPagamenti(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmRiepPagamenti"));
}

void TfrmRiepPagamenti::Costruisci()
{
    ui = std::make_unique<Ui::TfrmRiepPagamenti>();
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowState(Qt::WindowMaximized);

    PreparaListaRighe(ui->lstRecords);
    new BarraTrova(ui->txtTrova, ui->btnTrova, ui->lstRecords, &UltimoTrova(), false);
    Accessibilita::RisultatoRaggiungibile(ui->lblIntervallo, ui->capIntervallo);
    Accessibilita::RisultatoRaggiungibile(ui->lblTotCosti, ui->capTotale);

    connect(ui->btnStampa, &QPushButton::clicked, this, &TfrmRiepPagamenti::btnStampaClick);
    connect(ui->btnEsci, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->imgGuida, &QToolButton::clicked, this, &TfrmRiepPagamenti::imgGuidaClick);
}

TfrmRiepPagamenti::~TfrmRiepPagamenti() = default;

TfrmMenuRiepPagamenti *TfrmRiepPagamenti::Criteri() const
{
    if (auto *c = qobject_cast<TfrmMenuRiepPagamenti *>(Schermate::Globali().frmMenuRiepPagamenti))
        return c;
    return qobject_cast<TfrmMenuRiepPagamenti *>(parentWidget());
}

void TfrmRiepPagamenti::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous() || m_riempito)
        return;
    m_riempito = true;
    Riempi();
}

void TfrmRiepPagamenti::Riempi()
{
    TfrmMenuRiepPagamenti *criteri = Criteri();
    if (!criteri)
        return;
    const Ui::TfrmMenuRiepPagamenti *c = criteri->Controlli();
    const QString inizio = Testo::Trim(c->lblDataInizio->text());
    const QString fine = Testo::Trim(c->lblDataFine->text());
    CriteriRiepilogo cr{c->txtFornitore->text(), c->txtCodice->text(),
                        Testo::LeggiData(inizio).value_or(QDate()),
                        Testo::LeggiData(fine).value_or(QDate())};

    ui->lblConta->setText(QString::number(FiltriAttivi(cr)));
    const QString fornitore = Testo::Trim(cr.fornitore);
    ui->titTipologia->setText(fornitore.isEmpty() ? QStringLiteral("- - -") : fornitore);

    Desktop &desktop = Desktop::Corrente();
    QString avviso;
    Riepilogo r;
    try {
        const Attesa attesa(this, Avanzamento::LetturaArchivio());
        r = CostruisciRiepilogo(Archivio::Percorso(desktop.CartellaProgramma()), cr);
        if (!r.Completo())
            avviso = QStringLiteral(
                         "Attenzione: il riepilogo non è completo e il totale non può essere calcolato.\n\r\n\r"
                         "Le schede n. %1 dell'archivio hanno la data dell'operazione o il totale dovuto "
                         "non leggibile: correggerle nel Registro spese e ripetere il riepilogo.")
                         .arg(Posizioni::Elenco(r.illeggibili));
    } catch (const ErroreArchivio &) {
        r = Riepilogo{};
        r.illeggibili.append(-1); // nothing could be read: no total either
        avviso = Archivio::MessaggioInaccessibile();
    }

    const bool completo = r.Completo();
    MostraRighe(ui->lstRecords, std::move(r.righe));
    ui->lblIntervallo->setText(TestoIntervallo(inizio, fine));
    // A statement that missed records must not show or print a total as if
    // it were the whole truth.
    ui->lblTotCosti->setText(completo ? FormattaTotale(r.totale) : kNonCalcolabile);
    ui->btnStampa->setEnabled(completo);
    ui->txtTrova->setFocus();
    if (!avviso.isEmpty())
        desktop.Messaggio(Desktop::Tipo::Errore, avviso, this);
}

void TfrmRiepPagamenti::done(int risultato)
{
    // A statement never built holds no lines, and criteria never built show
    // no waiting notice.
    if (Costruita())
        ModelloDi(ui->lstRecords)->Svuota();
    if (TfrmMenuRiepPagamenti *criteri = Criteri(); criteri && criteri->Costruita())
        criteri->Controlli()->lblAttendere->hide();
    QDialog::done(risultato);
}

void TfrmRiepPagamenti::btnStampaClick()
{
    Desktop &desktop = Desktop::Corrente();
    const TestiRighe &righe = ModelloDi(ui->lstRecords)->Righe().righe;
    if (righe.isEmpty()) {
        desktop.Messaggio(Desktop::Tipo::Avviso,
                          QStringLiteral("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce."),
                          this);
        return;
    }
    if (!desktop.Domanda(QStringLiteral("Si vuole stampare il presente riepilogo?"), this))
        return;
    StampaReportLista(this, QStringLiteral("Riepilogo pagamenti"), QStringLiteral("Riepilogo uscite"),
                      RigheStampaRiepilogo(righe.Elenco(), ui->lblIntervallo->text(), ui->lblTotCosti->text()));
}

void TfrmRiepPagamenti::imgGuidaClick()
{
    TfrmGuida::Mostra(this, TestiGuida::TitoloRiepilogo(), TestiGuida::TestoRiepilogo());
}
