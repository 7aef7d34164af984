#include "output/ExpRegPagamenti.h"
#include "ui_ExpRegPagamenti.h"

#include "app/Guida.h"
#include "app/TestiGuida.h"
#include "output/DocumentoExcel.h"
#include "output/ModelloRegistro.h"
#include "platform/SpazioDisco.h"
#include "platform/Attesa.h"
#include "platform/Desktop.h"
#include "platform/OpenURL.h"
#include "register/Archivio.h"

#include <QDir>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScreen>


TfrmExpRegPagamenti::TfrmExpRegPagamenti(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmExpRegPagamenti"));
}

void TfrmExpRegPagamenti::Costruisci()
{
    ui = std::make_unique<Ui::TfrmExpRegPagamenti>();
    ui->setupUi(this);
    m_modello = new ModelloRegistro(this);
    // Fixed single border, closed only through its own exit button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::MSWindowsFixedSizeDialogHint);

    ui->grdRecords->setModel(m_modello);
    QHeaderView *colonne = ui->grdRecords->horizontalHeader();
    colonne->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const auto &tabella = ModelloRegistro::Colonne();
    // Each column as wide as designed, or as its title where a larger
    // desktop font would cut the title short.
    for (int c = 0; c < ModelloRegistro::NumeroColonne; ++c)
        colonne->resizeSection(c, qMax(tabella[size_t(c)].larghezza, colonne->sectionSizeHint(c)));
    QHeaderView *righe = ui->grdRecords->verticalHeader();
    righe->setSectionResizeMode(QHeaderView::Fixed);
    righe->setDefaultSectionSize(21);
    righe->setMinimumSectionSize(21);

    connect(ui->cmdEsporta, &QToolButton::clicked, this, &TfrmExpRegPagamenti::cmdEsportaClick);
    connect(ui->cmdGuida, &QToolButton::clicked, this, &TfrmExpRegPagamenti::cmdGuidaClick);
    connect(ui->cmdEsci, &QToolButton::clicked, this, &TfrmExpRegPagamenti::cmdEsciClick);

    // Moves without a pressed button reach a widget only with tracking on.
    const QList<QWidget *> sorvegliati{this, ui->panContainer, ui->grdRecords->viewport(),
                                       ui->shpInfo, ui->shpSfondo, ui->cmdEsporta,
                                       ui->cmdGuida, ui->cmdEsci};
    for (QWidget *w : sorvegliati) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

TfrmExpRegPagamenti::~TfrmExpRegPagamenti() = default;

ModelloRegistro &TfrmExpRegPagamenti::Modello()
{
    Completa();
    return *m_modello;
}

QString TfrmExpRegPagamenti::PercorsoEsportazione()
{
    return QDir::toNativeSeparators(
        QDir(Desktop::Corrente().CartellaProgramma()).filePath(DocumentoExcel::NomeFile()));
}

void TfrmExpRegPagamenti::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (QScreen *schermo = screen())
        move(schermo->availableGeometry().center() - rect().center());
    FormShow();
}

bool TfrmExpRegPagamenti::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() != QEvent::MouseMove)
        return QDialog::eventFilter(oggetto, evento);
    const bool pulsante = oggetto == ui->cmdEsporta || oggetto == ui->cmdGuida
        || oggetto == ui->cmdEsci;
    if (!pulsante) {
        FormMouseMove();
        return QDialog::eventFilter(oggetto, evento);
    }
    if (oggetto == ui->cmdEsporta)
        cmdEsportaMouseMove();
    else if (oggetto == ui->cmdGuida)
        cmdGuidaMouseMove();
    else
        cmdEsciMouseMove();
    // A button ignores a move while it is not pressed, and the move would then
    // reach the bar behind it and clear the hint just set.
    return static_cast<QMouseEvent *>(evento)->buttons() == Qt::NoButton;
}

void TfrmExpRegPagamenti::FormShow()
{
    // An empty archive gives an empty grid, and an export of the header row.
    // An archive that cannot be read leaves the grid short of records: the
    // user is told, and the grid is never exported as if it were the archive.
    m_grigliaCompleta = m_modello->Carica(Archivio::Percorso(Desktop::Corrente().CartellaProgramma()));
    if (!m_grigliaCompleta)
        Desktop::Corrente().MessaggioSemplice(Archivio::MessaggioInaccessibile(), this);
    // The count a sighted user sees in the grid's length, for a screen reader.
    const qint64 n = m_modello->NumeroRighe();
    ui->grdRecords->setAccessibleDescription(n == 1 ? QStringLiteral("1 scheda")
                                                    : QStringLiteral("%1 schede").arg(n));
}

bool TfrmExpRegPagamenti::EsportaGriglia(const QString &percorso, int *errore)
{
    // Busy cursor, progress and a window kept painted, as for every long scan.
    const Attesa attesa(this, QStringLiteral("Esportazione dell'archivio in corso..."));
    const ModelloRegistro &m = *m_modello;
    const qint64 righe = m.NumeroRighe();
    return DocumentoExcel::ScriviFile(percorso, righe,
                                      [&m](std::string &d, qint64 r) { m.AggiungiRigaEsportata(d, r); }, errore);
}

void TfrmExpRegPagamenti::ConfermaCellaInModifica()
{
    const QModelIndex cella = ui->grdRecords->currentIndex();
    if (QWidget *editor = ui->grdRecords->indexWidget(cella))
        ui->grdRecords->itemDelegateForIndex(cella)->setModelData(editor, m_modello, cella);
}

void TfrmExpRegPagamenti::cmdEsportaClick()
{
    // A cell still being typed into is part of what the grid shows.
    ConfermaCellaInModifica();
    Desktop &desktop = Desktop::Corrente();
    if (!m_grigliaCompleta) {
        desktop.MessaggioSemplice(Archivio::MessaggioInaccessibile(), this);
        return;
    }
    if (!desktop.Domanda(QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi "
                                        "minuti a seconda del numero di schede presenti in "
                                        "archivio.\r\n\r\nSi vuole esportare i dati adesso?"),
                         this))
        return;

    const QString percorso = PercorsoEsportazione();
    int errore = 0;
    if (!EsportaGriglia(percorso, &errore)) {
        // A full disk is named as such, with the room the export needed.
        if (SpazioDisco::Pieno(errore)) {
            desktop.MessaggioSemplice(QStringLiteral("Attenzione: i dati non sono stati esportati.\n\r\n\r")
                                          + SpazioDisco::MessaggioPieno(DocumentoExcel::Dimensione(
                                          m_modello->NumeroRighe(), [this](std::string &d, qint64 r) {
                                              m_modello->AggiungiRigaEsportata(d, r);
                                          })),
                                      this);
            return;
        }
        desktop.MessaggioSemplice(QStringLiteral("Attenzione: il sistema non permette di esportare "
                                                 "i dati.\n\r\n\rAccertarsi che il file di Excel "
                                                 "non sia già aperto."),
                                  this);
        return;
    }
    if (desktop.Domanda(QStringLiteral("Le schede in archivio sono state esportate con successo."
                                       "\r\n\r\nSi vuole aprire il file di Excel?"),
                        this))
        TMisc::Open(u'"' + percorso + u'"');
}

void TfrmExpRegPagamenti::cmdGuidaClick()
{
    TfrmGuida::Mostra(this, TestiGuida::TitoloEsportazione(), TestiGuida::TestoEsportazione());
}

void TfrmExpRegPagamenti::cmdEsciClick() { close(); }

void TfrmExpRegPagamenti::cmdEsportaMouseMove()
{
    ui->panInfo->setText(QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
}

void TfrmExpRegPagamenti::cmdGuidaMouseMove()
{
    ui->panInfo->setText(QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
}

void TfrmExpRegPagamenti::cmdEsciMouseMove()
{
    ui->panInfo->setText(QStringLiteral("Esci da questo ambiente di lavoro."));
}

void TfrmExpRegPagamenti::FormMouseMove() { ui->panInfo->setText(QString()); }
