#include "analysis/SpeseDichiarazione.h"
#include "ui_SpeseDichiarazione.h"

#include "analysis/Analisi.h"
#include "app/Guida.h"
#include "app/TestiGuida.h"
#include "lists/ReportLista.h"
#include "output/DocumentoExcel.h"
#include "platform/Attesa.h"
#include "platform/Desktop.h"
#include "platform/OpenURL.h"
#include "platform/Posizioni.h"
#include "platform/Testo.h"
#include "register/Archivio.h"

#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QSet>
#include <QShowEvent>

namespace {

// The types ticked last, by their key, for the rest of the run; nothing
// until the user has listed once, when the proposals stand.
std::optional<QSet<QByteArray>> &SceltaDellaSessione()
{
    static std::optional<QSet<QByteArray>> s;
    return s;
}

QByteArray Chiave(const QString &t) { return ChiaveGruppo(Testo::CodificaCp1252(t)); }

} // namespace

TfrmSpeseDichiarazione::TfrmSpeseDichiarazione(int anno, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmSpeseDichiarazione>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowState(Qt::WindowMaximized);
    ui->txtAnno->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), ui->txtAnno));
    ui->txtAnno->setText(QStringLiteral("%1").arg(anno, 4, 10, QLatin1Char('0')));
    ui->txtAnno->installEventFilter(this);

    const QStringList titoli = TitoliDichiarazione();
    ui->grdSpese->setColumnCount(int(titoli.size()));
    ui->grdSpese->setHorizontalHeaderLabels(titoli);
    ui->grdSpese->verticalHeader()->hide();
    ui->lblAvviso->hide();
    ui->btnStampa->setEnabled(false);
    ui->btnEsporta->setEnabled(false);

    connect(ui->btnElenca, &QPushButton::clicked, this, &TfrmSpeseDichiarazione::btnElencaClick);
    connect(ui->btnStampa, &QPushButton::clicked, this, &TfrmSpeseDichiarazione::btnStampaClick);
    connect(ui->btnEsporta, &QPushButton::clicked, this, &TfrmSpeseDichiarazione::btnEsportaClick);
    connect(ui->btnGuida, &QPushButton::clicked, this, &TfrmSpeseDichiarazione::btnGuidaClick);
    connect(ui->btnEsci, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->lstTipologie, &QListWidget::itemChanged, this, &TfrmSpeseDichiarazione::RicordaScelta);
}

TfrmSpeseDichiarazione::~TfrmSpeseDichiarazione() = default;

QString TfrmSpeseDichiarazione::NomeFileEsportazione() { return QStringLiteral("Spese_Dichiarazione.xls"); }

void TfrmSpeseDichiarazione::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous() || m_caricato)
        return;
    m_caricato = true;
    CaricaTipologie();
    ui->lstTipologie->setFocus();
}

void TfrmSpeseDichiarazione::CaricaTipologie()
{
    QStringList tipi;
    try {
        const Attesa attesa(this, Avanzamento::LetturaArchivio());
        tipi = TipologieArchivio(Archivio::Percorso(Desktop::Corrente().CartellaProgramma()));
    } catch (const ErroreArchivio &) {
        Desktop::Corrente().MessaggioSemplice(Archivio::MessaggioInaccessibile(), this);
    }
    const std::optional<QSet<QByteArray>> &scelta = SceltaDellaSessione();
    const QSignalBlocker blocco(ui->lstTipologie);
    ui->lstTipologie->clear();
    for (const QString &t : tipi) {
        auto *voce = new QListWidgetItem(t, ui->lstTipologie);
        voce->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        const bool spuntata = scelta ? scelta->contains(Chiave(t)) : TipologiaProposta(t);
        voce->setCheckState(spuntata ? Qt::Checked : Qt::Unchecked);
    }
    if (ui->lstTipologie->count() > 0)
        ui->lstTipologie->setCurrentRow(0);
}

QStringList TfrmSpeseDichiarazione::Spuntate() const
{
    QStringList r;
    for (int i = 0; i < ui->lstTipologie->count(); ++i)
        if (ui->lstTipologie->item(i)->checkState() == Qt::Checked)
            r << ui->lstTipologie->item(i)->text();
    return r;
}

void TfrmSpeseDichiarazione::RicordaScelta()
{
    // Types of the archive not shown now keep the choice made for them.
    QSet<QByteArray> s = SceltaDellaSessione().value_or(QSet<QByteArray>{});
    for (int i = 0; i < ui->lstTipologie->count(); ++i) {
        const QListWidgetItem *v = ui->lstTipologie->item(i);
        if (v->checkState() == Qt::Checked)
            s.insert(Chiave(v->text()));
        else
            s.remove(Chiave(v->text()));
    }
    SceltaDellaSessione() = s;
}

bool TfrmSpeseDichiarazione::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == ui->txtAnno && evento->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent *>(evento)->key();
        if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
            btnElencaClick();
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void TfrmSpeseDichiarazione::btnElencaClick()
{
    Desktop &desktop = Desktop::Corrente();
    if (ui->txtAnno->text().size() != 4) {
        desktop.Messaggio(Desktop::Tipo::Avviso,
                          QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."), this);
        ui->txtAnno->setFocus();
        return;
    }
    const QStringList tipi = Spuntate();
    if (tipi.isEmpty()) {
        desktop.Messaggio(Desktop::Tipo::Avviso,
                          QStringLiteral("Attenzione: spuntare almeno una tipologia di spesa da includere."), this);
        ui->lstTipologie->setFocus();
        return;
    }
    RicordaScelta();
    const int anno = ui->txtAnno->text().toInt();
    QString errore;
    try {
        const Attesa attesa(this, Avanzamento::LetturaArchivio());
        m_elenco = ElencaPerDichiarazione(Archivio::Percorso(desktop.CartellaProgramma()), anno, tipi);
    } catch (const ErroreArchivio &) {
        m_elenco = ElencoDichiarazione{};
        errore = Archivio::MessaggioInaccessibile();
    }
    m_annoElencato = anno;
    m_tipologieElencate = tipi;

    ui->grdSpese->setRowCount(int(m_elenco.voci.size()));
    const int colonnaImporto = int(TitoliDichiarazione().size()) - 1;
    for (int r = 0; r < m_elenco.voci.size(); ++r) {
        const QStringList celle = CelleDichiarazione(m_elenco.voci.at(r));
        for (int c = 0; c < celle.size(); ++c) {
            auto *cella = new QTableWidgetItem(celle.at(c));
            if (c == colonnaImporto)
                cella->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (c == 5 && !celle.at(c).isEmpty())
                cella->setForeground(QColor(0xB0, 0x00, 0x20));
            ui->grdSpese->setItem(r, c, cella);
        }
    }
    ui->grdSpese->resizeColumnsToContents();

    QStringList totali;
    for (const TotaleTipologia &t : m_elenco.perTipologia)
        totali << QStringLiteral("%1 (%2): € %3").arg(t.tipologia).arg(t.voci).arg(TestoTotale(t));
    ui->lblTotali->setText(totali.join(QStringLiteral("   -   ")) + QStringLiteral("\nTOTALE IMPORTI PAGATI nel %1: € %2")
                                                                      .arg(anno).arg(TestoTotaleGenerale(m_elenco)));
    ui->lblTotali->setAccessibleDescription(ui->lblTotali->text());
    const qsizetype n = m_elenco.voci.size();
    ui->grdSpese->setAccessibleDescription(n == 1 ? QStringLiteral("1 pagamento") : QStringLiteral("%1 pagamenti").arg(n));
    ui->btnStampa->setEnabled(errore.isEmpty());
    ui->btnEsporta->setEnabled(errore.isEmpty());

    QString avviso;
    if (!m_elenco.Completo())
        avviso = QStringLiteral("Attenzione: l'elenco non è completo e alcuni totali non possono essere calcolati.\n\r\n\r"
                                "Le schede n. %1 dell'archivio hanno la data dell'operazione, il totale dovuto o il "
                                "saldo non leggibile: correggerle nel Registro spese e ripetere l'elenco.")
                     .arg(Posizioni::Elenco(m_elenco.illeggibili));
    ui->lblAvviso->setText(errore.isEmpty() ? avviso.section(u'\n', 0, 0) : errore);
    ui->lblAvviso->setVisible(!ui->lblAvviso->text().isEmpty());
    if (!errore.isEmpty())
        desktop.MessaggioSemplice(errore, this);
    else if (!avviso.isEmpty())
        desktop.Messaggio(Desktop::Tipo::Errore, avviso, this);
    ui->grdSpese->setFocus();
}

void TfrmSpeseDichiarazione::btnStampaClick()
{
    Desktop &desktop = Desktop::Corrente();
    if (!desktop.Domanda(QStringLiteral("Si vuole stampare il presente elenco?"), this))
        return;
    StampaReportLista(this, QStringLiteral("Spese per la dichiarazione"),
                      QStringLiteral("Spese per la dichiarazione dei redditi - anno %1").arg(m_annoElencato),
                      RigheStampaDichiarazione(m_elenco, m_annoElencato, m_tipologieElencate));
}

void TfrmSpeseDichiarazione::btnEsportaClick()
{
    Desktop &desktop = Desktop::Corrente();
    if (!desktop.Domanda(QStringLiteral("Si vuole esportare il presente elenco in Excel?"), this))
        return;
    const QString percorso =
        QDir::toNativeSeparators(QDir(desktop.CartellaProgramma()).filePath(NomeFileEsportazione()));
    using DocumentoExcel::Colonna;
    const QStringList titoli = TitoliDichiarazione();
    const std::vector<int> larghezze{150, 160, 150, 300, 250, 120, 320, 250, 250};
    DocumentoExcel::Foglio foglio{QStringLiteral("Spese %1").arg(m_annoElencato), {}};
    for (qsizetype c = 0; c < titoli.size(); ++c) {
        const Colonna tipo = (c == 0 || c == 2) ? Colonna::Data : c == titoli.size() - 1 ? Colonna::Importo : Colonna::Testo;
        foglio.colonne.push_back({larghezze.at(size_t(c)), titoli.at(c), tipo});
    }
    const ElencoDichiarazione &e = m_elenco;
    const qint64 righe = e.voci.size() + e.perTipologia.size() + 1;
    bool ok = false;
    {
        const Attesa attesa(this, QStringLiteral("Esportazione dell'elenco in corso..."));
        ok = DocumentoExcel::ScriviFileFoglio(percorso, foglio, righe, [&](std::string &d, qint64 r) {
            const QStringList celle = r < e.voci.size() ? CelleEsportazioneDichiarazione(e.voci.at(r))
                                                        : CellePiedeDichiarazione(e, r - e.voci.size());
            for (qsizetype c = 0; c < celle.size(); ++c)
                DocumentoExcel::AggiungiCellaTipo(d, foglio.colonne.at(size_t(c)).tipo, celle.at(c));
        });
    }
    if (!ok) {
        desktop.MessaggioSemplice(QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                                 "Accertarsi che il file di Excel non sia già aperto."),
                                  this);
        return;
    }
    if (desktop.Domanda(QStringLiteral("L'elenco è stato esportato con successo nel file %1.\r\n\r\n"
                                       "Si vuole aprire il file di Excel?").arg(NomeFileEsportazione()),
                        this))
        TMisc::Open(u'"' + percorso + u'"');
}

void TfrmSpeseDichiarazione::btnGuidaClick()
{
    TfrmGuida::Mostra(this, TestiGuida::TitoloDichiarazione(), TestiGuida::TestoDichiarazione());
}
