#include "analysis/AnalisiSpese.h"
#include "ui_AnalisiSpese.h"

#include "app/Guida.h"
#include "app/TestiGuida.h"
#include "lists/ListaRighe.h"
#include "lists/ReportLista.h"
#include "lists/RichiamoScheda.h"
#include "output/DocumentoExcel.h"
#include "platform/Attesa.h"
#include "platform/Desktop.h"
#include "platform/OpenURL.h"
#include "platform/Posizioni.h"
#include "platform/Schermate.h"
#include "platform/Testo.h"
#include "platform/chart/Grafico.h"
#include "register/Archivio.h"
#include "register/VisoreScheda.h"

#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPrinter>
#include <QShowEvent>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <array>

namespace {

constexpr int kRuoloOrdine = Qt::UserRole + 1;
constexpr int kRuoloGruppo = Qt::UserRole + 2; // index into the analysis, -1 for the total row

const std::array<QRgb, 9> kColori{0xFF4E79A7, 0xFFF28E2B, 0xFFE15759, 0xFF76B7B2, 0xFF59A14F,
                                  0xFFEDC948, 0xFFB07AA1, 0xFFFF9DA7, 0xFF9C755F};

QStandardItem *Cella(const QString &testo, const QVariant &ordine, bool destra)
{
    auto *c = new QStandardItem(testo);
    c->setData(ordine, kRuoloOrdine);
    if (destra)
        c->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return c;
}

QVariant Valore(std::optional<double> v) { return v ? QVariant(*v) : QVariant(-1e300); }

} // namespace

// Sorts the groups by the column's own value (numbers as numbers), and keeps
// the total row last whichever way the column is sorted.
class OrdineGruppi : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex &a, const QModelIndex &b) const override
    {
        const bool totaleA = a.data(kRuoloGruppo).toInt() < 0;
        const bool totaleB = b.data(kRuoloGruppo).toInt() < 0;
        if (totaleA || totaleB)
            return sortOrder() == Qt::AscendingOrder ? totaleB && !totaleA : totaleA && !totaleB;
        const QVariant x = a.data(kRuoloOrdine), y = b.data(kRuoloOrdine);
        if (x.typeId() == QMetaType::Double)
            return x.toDouble() < y.toDouble();
        return Testo::MinuscoloAscii(x.toString()) < Testo::MinuscoloAscii(y.toString());
    }
};

TfrmAnalisiSpese::TfrmAnalisiSpese(const CriteriRiepilogo &criteri, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmAnalisiSpese>()), m_criteri(criteri)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowState(Qt::WindowMaximized);

    for (Raggruppamento r : {Raggruppamento::Tipologia, Raggruppamento::Beneficiario, Raggruppamento::Codice})
        ui->cboRaggruppa->addItem(NomeRaggruppamento(r), int(r));

    m_modello = new QStandardItemModel(this);
    m_ordine = new OrdineGruppi(this);
    m_ordine->setSourceModel(m_modello);
    ui->grdGruppi->setModel(m_ordine);
    ui->grdGruppi->verticalHeader()->hide();
    ui->grdGruppi->horizontalHeader()->setStretchLastSection(false);
    ui->grdGruppi->installEventFilter(this);
    PreparaListaRighe(ui->lstRecords);
    ui->lstRecords->installEventFilter(this);
    ui->lblAvviso->hide();

    Grafico &g = *ui->ChartAnalisi;
    QFont titolo(QStringLiteral("Verdana"));
    titolo.setPointSizeF(16);
    titolo.setBold(true);
    g.ImpostaTitolo({QStringLiteral("Dove vanno le spese"), titolo, QColor::fromRgba(0xFFD04498)});
    QFont piede(QStringLiteral("Verdana"));
    piede.setPointSizeF(10);
    piede.setBold(true);
    g.ImpostaPiede({QString(), piede, QColor::fromRgba(0xFF7294F9)});
    g.ImpostaSfondo(QColor::fromRgba(0xFFF3F7FB));
    g.ImpostaColoriAssi(QColor(Qt::lightGray), QColor(Qt::darkGray));
    g.CambiaTipoSerie(TipoSerie::Barre);
    g.MostraMarche(true);
    ui->btnTabella->hide();
    ui->btnStampaGrafico->hide();

    connect(ui->cboRaggruppa, &QComboBox::currentIndexChanged, this, &TfrmAnalisiSpese::Riempi);
    connect(ui->grdGruppi, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &i) { ElencaGruppo(i.row()); });
    connect(ui->lstRecords, &QAbstractItemView::doubleClicked, this, &TfrmAnalisiSpese::RichiamaScheda);
    connect(ui->btnGrafico, &QPushButton::clicked, this, [this] {
        ui->panPagine->setCurrentWidget(ui->panGrafico);
        ui->btnGrafico->hide();
        ui->btnStampa->hide();
        ui->btnTabella->show();
        ui->btnStampaGrafico->show();
        ui->btnTabella->setFocus();
    });
    connect(ui->btnTabella, &QPushButton::clicked, this, [this] {
        ui->panPagine->setCurrentWidget(ui->panTabella);
        ui->btnTabella->hide();
        ui->btnStampaGrafico->hide();
        ui->btnGrafico->show();
        ui->btnStampa->show();
        ui->grdGruppi->setFocus();
    });
    connect(ui->btnStampa, &QPushButton::clicked, this, &TfrmAnalisiSpese::btnStampaClick);
    connect(ui->btnStampaGrafico, &QPushButton::clicked, this, &TfrmAnalisiSpese::btnStampaGraficoClick);
    connect(ui->btnEsporta, &QPushButton::clicked, this, &TfrmAnalisiSpese::btnEsportaClick);
    connect(ui->btnGuida, &QPushButton::clicked, this, &TfrmAnalisiSpese::btnGuidaClick);
    connect(ui->btnEsci, &QPushButton::clicked, this, &QDialog::close);
}

TfrmAnalisiSpese::~TfrmAnalisiSpese() = default;

QString TfrmAnalisiSpese::NomeFileEsportazione() { return QStringLiteral("Analisi_Spese.xls"); }

void TfrmAnalisiSpese::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous() || m_riempito)
        return;
    m_riempito = true;
    Riempi();
    ui->cboRaggruppa->setFocus();
}

Raggruppamento TfrmAnalisiSpese::Scelto() const
{
    return Raggruppamento(ui->cboRaggruppa->currentData().toInt());
}

QString TfrmAnalisiSpese::TestoPrecedente() const
{
    const CriteriRiepilogo p = AnnoPrecedente(m_criteri);
    return TestoIntervallo(Testo::FormattaData(p.inizio), Testo::FormattaData(p.fine));
}

void TfrmAnalisiSpese::Riempi()
{
    Desktop &desktop = Desktop::Corrente();
    QString errore;
    try {
        const Attesa attesa(this, Avanzamento::LetturaArchivio());
        m_analisi = AnalizzaSpese(Archivio::Percorso(desktop.CartellaProgramma()), m_criteri, Scelto());
    } catch (const ErroreArchivio &) {
        m_analisi = AnalisiSpese{};
        m_analisi.totale.illeggibili.append(-1); // nothing read: no total either
        errore = Archivio::MessaggioInaccessibile();
    }
    ui->lblIntervallo->setText(
        TestoIntervallo(Testo::FormattaData(m_criteri.inizio), Testo::FormattaData(m_criteri.fine))
        + QStringLiteral("      confrontato con:   ") + TestoPrecedente());
    ui->lblIntervallo->setAccessibleDescription(ui->lblIntervallo->text());
    MostraGruppi();
    MostraGrafico();
    ModelloDi(ui->lstRecords)->Svuota();

    QString avviso;
    if (!m_analisi.Completa())
        avviso = QStringLiteral("Attenzione: l'analisi non è completa e alcuni totali non possono essere calcolati.\n\r\n\r"
                                "Le schede n. %1 dell'archivio hanno la data dell'operazione o il totale dovuto "
                                "non leggibile: correggerle nel Registro spese e ripetere l'analisi.")
                     .arg(Posizioni::Elenco(m_analisi.illeggibili));
    ui->lblAvviso->setText(avviso.isEmpty() ? errore : avviso.section(u'\n', 0, 0));
    ui->lblAvviso->setVisible(!ui->lblAvviso->text().isEmpty());
    if (!errore.isEmpty())
        desktop.MessaggioSemplice(errore, this);
    else if (!avviso.isEmpty())
        desktop.Messaggio(Desktop::Tipo::Errore, avviso, this);
}

void TfrmAnalisiSpese::MostraGruppi()
{
    const Raggruppamento per = Scelto();
    m_modello->clear();
    m_modello->setHorizontalHeaderLabels({NomeRaggruppamento(per), QStringLiteral("N. pagamenti"),
                                          QStringLiteral("Totale dovuto"), QStringLiteral("Quota"),
                                          QStringLiteral("Anno precedente"), QStringLiteral("Variazione"),
                                          QStringLiteral("Variazione %")});
    auto riga = [&](const QString &nome, const ImportoGruppo &c, const ImportoGruppo &p,
                    std::optional<double> quota, int gruppo) {
        QList<QStandardItem *> r{
            Cella(nome, nome, false),
            Cella(QString::number(c.schede), double(c.schede), true),
            Cella(TestoImporto(c), Valore(c.Calcolabile() ? std::optional<double>(c.totale) : std::nullopt), true),
            Cella(TestoPercento(quota), Valore(quota), true),
            Cella(TestoImporto(p), Valore(p.Calcolabile() ? std::optional<double>(p.totale) : std::nullopt), true),
            Cella(TestoVariazione(Variazione(c, p)), Valore(Variazione(c, p)), true),
            Cella(TestoPercento(VariazionePercento(c, p), true), Valore(VariazionePercento(c, p)), true)};
        for (QStandardItem *i : r)
            i->setData(gruppo, kRuoloGruppo);
        if (gruppo < 0)
            for (QStandardItem *i : r) {
                QFont f = i->font();
                f.setBold(true);
                i->setFont(f);
            }
        m_modello->appendRow(r);
    };
    for (qsizetype i = 0; i < m_analisi.gruppi.size(); ++i) {
        const GruppoSpese &g = m_analisi.gruppi.at(i);
        riga(NomeGruppo(g, per), g.corrente, g.precedente, Quota(g, m_analisi), int(i));
    }
    riga(QStringLiteral("TOTALE"), m_analisi.totale, m_analisi.totalePrecedente,
         m_analisi.totale.Calcolabile() && m_analisi.totale.totale != 0 ? std::optional<double>(100.0)
                                                                         : std::nullopt,
         -1);
    m_ordine->sort(-1);
    ui->grdGruppi->horizontalHeader()->setSortIndicator(-1, Qt::DescendingOrder);
    ui->grdGruppi->resizeColumnsToContents();
    ui->grdGruppi->setColumnWidth(0, qMax(ui->grdGruppi->columnWidth(0), 320));
    ui->grdGruppi->selectRow(0);
    const qsizetype n = m_analisi.gruppi.size();
    ui->grdGruppi->setAccessibleDescription(
        (n == 1 ? QStringLiteral("1 gruppo") : QStringLiteral("%1 gruppi").arg(n))
        + QStringLiteral(". Doppio clic o Invio su un gruppo per elencarne le schede"));
    ui->btnStampa->setEnabled(n > 0);
    ui->btnEsporta->setEnabled(n > 0);
}

void TfrmAnalisiSpese::MostraGrafico()
{
    Grafico &g = *ui->ChartAnalisi;
    g.Serie().Clear();
    const QList<VoceGrafico> voci = VociGrafico(m_analisi, Scelto());
    for (qsizetype i = 0; i < voci.size(); ++i)
        g.Serie().Add(voci.at(i).valore, voci.at(i).etichetta, QColor::fromRgba(kColori.at(size_t(i) % kColori.size())));
    g.ImpostaTitoloLegenda(NomeRaggruppamento(Scelto()) + u':');
    g.ImpostaPiede({TestoIntervallo(Testo::FormattaData(m_criteri.inizio), Testo::FormattaData(m_criteri.fine))
                        + (m_analisi.Completa() ? QString() : QStringLiteral(" - alcune schede non leggibili sono escluse")),
                    g.Piede().font, g.Piede().colore});
    g.PuntiCambiati();
}

void TfrmAnalisiSpese::ElencaGruppo(int riga)
{
    const int gruppo = m_ordine->index(riga, 0).data(kRuoloGruppo).toInt();
    if (gruppo < 0 || gruppo >= m_analisi.gruppi.size()) {
        ModelloDi(ui->lstRecords)->Svuota();
        return;
    }
    const GruppoSpese &g = m_analisi.gruppi.at(gruppo);
    MostraRighe(ui->lstRecords, g.righe);
    ui->capSchede->setText(QStringLiteral("Schede del gruppo \"%1\" (doppio clic o Invio su una scheda per "
                                          "richiamarla nel Registro spese):")
                               .arg(NomeGruppo(g, Scelto())));
    if (g.righe.size() > 0) {
        SelezionaRiga(ui->lstRecords, 0);
        ui->lstRecords->setFocus();
    }
}

void TfrmAnalisiSpese::RichiamaScheda()
{
    Schermate &s = Schermate::Globali();
    auto *visore = dynamic_cast<VisoreScheda *>(s.frmRegPagamenti);
    if (!visore || RigaSelezionata(ui->lstRecords) < 0)
        return;
    // The editor starts afresh when it is shown: show it first, then load.
    if (!s.frmRegPagamenti->isVisible()) {
        if (s.frmMenuRiepPagamenti)
            s.frmMenuRiepPagamenti->hide();
        s.frmRegPagamenti->show();
    }
    if (RichiamaSchedaSelezionata(ui->lstRecords, *visore))
        accept();
}

bool TfrmAnalisiSpese::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent *>(evento)->key();
        if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
            if (oggetto == ui->grdGruppi) {
                ElencaGruppo(ui->grdGruppi->currentIndex().row());
                return true;
            }
            if (oggetto == ui->lstRecords) {
                RichiamaScheda();
                return true;
            }
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void TfrmAnalisiSpese::btnStampaClick()
{
    Desktop &desktop = Desktop::Corrente();
    if (m_analisi.gruppi.isEmpty()) {
        desktop.Messaggio(Desktop::Tipo::Avviso,
                          QStringLiteral("Operazione di stampa non applicabile: l'analisi non contiene nessun gruppo."), this);
        return;
    }
    if (!desktop.Domanda(QStringLiteral("Si vuole stampare la presente analisi?"), this))
        return;
    const QString intervallo =
        TestoIntervallo(Testo::FormattaData(m_criteri.inizio), Testo::FormattaData(m_criteri.fine));
    StampaReportLista(this, QStringLiteral("Analisi spese"),
                      QStringLiteral("Analisi spese per ") + Testo::MinuscoloAscii(NomeRaggruppamento(Scelto())),
                      RigheStampaAnalisi(m_analisi, Scelto(), intervallo, TestoPrecedente()));
}

void TfrmAnalisiSpese::btnStampaGraficoClick()
{
    Desktop &desktop = Desktop::Corrente();
    if (!desktop.Domanda(QStringLiteral("Si vuole stampare il presente grafico?"), this))
        return;
    if (!m_stampante)
        m_stampante = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!desktop.DialogoStampa(*m_stampante, this))
        return;
    m_stampante->setPageOrientation(QPageLayout::Landscape);
    const int copie = m_stampante->copyCount();
    m_stampante->setCopyCount(1);
    for (int i = 0; i < copie; ++i)
        if (!ui->ChartAnalisi->Stampa(*m_stampante)) {
            desktop.Messaggio(Desktop::Tipo::Errore, QStringLiteral("Attenzione: la stampante non risulta disponibile."), this);
            return;
        }
}

void TfrmAnalisiSpese::btnEsportaClick()
{
    Desktop &desktop = Desktop::Corrente();
    if (!desktop.Domanda(QStringLiteral("Si vuole esportare la presente analisi in Excel?"), this))
        return;
    const QString percorso =
        QDir::toNativeSeparators(QDir(desktop.CartellaProgramma()).filePath(NomeFileEsportazione()));
    const Raggruppamento per = Scelto();
    const AnalisiSpese &a = m_analisi;
    using DocumentoExcel::Colonna;
    const DocumentoExcel::Foglio foglio{
        QStringLiteral("Analisi Spese"),
        {{300, NomeRaggruppamento(per), Colonna::Testo}, {120, QStringLiteral("N. pagamenti"), Colonna::Importo},
         {200, QStringLiteral("Totale dovuto"), Colonna::Importo}, {120, QStringLiteral("Quota %"), Colonna::Importo},
         {200, QStringLiteral("Anno precedente"), Colonna::Importo}, {200, QStringLiteral("Variazione"), Colonna::Importo},
         {150, QStringLiteral("Variazione %"), Colonna::Importo}}};
    const qint64 righe = a.gruppi.size() + 1;
    bool ok = false;
    {
        const Attesa attesa(this, QStringLiteral("Esportazione dell'analisi in corso..."));
        ok = DocumentoExcel::ScriviFileFoglio(percorso, foglio, righe, [&](std::string &d, qint64 r) {
            const QStringList celle = CelleEsportazioneAnalisi(a, per, r);
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
    if (desktop.Domanda(QStringLiteral("L'analisi è stata esportata con successo nel file %1.\r\n\r\n"
                                       "Si vuole aprire il file di Excel?").arg(NomeFileEsportazione()),
                        this))
        TMisc::Open(u'"' + percorso + u'"');
}

void TfrmAnalisiSpese::btnGuidaClick()
{
    TfrmGuida::Mostra(this, TestiGuida::TitoloAnalisi(), TestiGuida::TestoAnalisi());
}
