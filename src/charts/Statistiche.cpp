#include "charts/Statistiche.h"
#include "ui_Statistiche.h"

#include "app/Guida.h"
#include "app/TestiGuida.h"
#include "charts/TotaliMensili.h"
#include "platform/Attesa.h"
#include "platform/Desktop.h"
#include "platform/Posizioni.h"
#include "platform/Schermate.h"
#include "platform/Testo.h"
#include "platform/chart/Grafico.h"
#include "register/Archivio.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPrinter>
#include <array>

namespace {

struct Mese {
    const char16_t *nome;
    QRgb colore;
};

constexpr std::array<Mese, 12> kMesi{{
    {u"Gennaio", 0xFFFF0000},
    {u"Febbraio", 0xFF0000FF},
    {u"Marzo", 0xFFFFE4C4},
    {u"Aprile", 0xFFFF00FF},
    {u"Maggio", 0xFFC0DCC0},
    {u"Giugno", 0xFFFFFF00},
    {u"Luglio", 0xFF00FF00},
    {u"Agosto", 0xFFC0C0C0},
    {u"Settembre", 0xFFF0FBFF},
    {u"Ottobre", 0xFF87CEEB},
    {u"Novembre", 0xFF800000},
    {u"Dicembre", 0xFF008000},
}};

const QString kAvvisoAnno = QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.");

} // namespace

TfrmStatistiche::TfrmStatistiche(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmStatistiche"));
}

void TfrmStatistiche::Costruisci()
{
    ui = std::make_unique<Ui::TfrmStatistiche>();
    ui->setupUi(this);
    ui->txtAnno->setMaxLength(4);
    setWindowState(Qt::WindowMaximized);
    ImpostaGrafico(*ui->ChartStats);

    ui->txtAnno->installEventFilter(this);
    const std::initializer_list<QWidget *> conSuggerimento{ui->btnBarre, ui->btnTorta, ui->btnStampa,
                                                           ui->btnEsci, ui->cmdGuida};
    for (QWidget *w : conSuggerimento) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    // Moving over the background or the chart empties the hint bar.
    const std::initializer_list<QWidget *> sfondo{ui->panContainer, ui->shpSezione01, ui->bkgSezione01,
                                                  ui->shpInfo, ui->imgFattura, ui->ChartStats};
    for (QWidget *w : sfondo)
        w->installEventFilter(this);

    connect(ui->btnApri, &QPushButton::clicked, this, &TfrmStatistiche::btnApriClick);
    connect(ui->btnBarre, &QPushButton::clicked, this, &TfrmStatistiche::btnBarreClick);
    connect(ui->btnTorta, &QPushButton::clicked, this, &TfrmStatistiche::btnTortaClick);
    connect(ui->btnStampa, &QPushButton::clicked, this, &TfrmStatistiche::btnStampaClick);
    connect(ui->btnEsci, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->imgEsci, &QToolButton::clicked, this, &QWidget::close);
    connect(ui->imgGuida, &QToolButton::clicked, this, &TfrmStatistiche::imgGuidaClick);
    connect(ui->cmdGuida, &QToolButton::clicked, this, &TfrmStatistiche::imgGuidaClick);
}

TfrmStatistiche::~TfrmStatistiche() = default;

QString TfrmStatistiche::NomeMese(int m) { return QString::fromUtf16(kMesi.at(size_t(m)).nome); }

QColor TfrmStatistiche::ColoreMese(int m) { return QColor::fromRgba(kMesi.at(size_t(m)).colore); }

void TfrmStatistiche::ImpostaGrafico(Grafico &g)
{
    QFont titolo(QStringLiteral("Verdana"));
    titolo.setPointSizeF(20.08);
    titolo.setBold(true);
    g.ImpostaTitolo({QStringLiteral("Grafici statistici spese"), titolo, QColor::fromRgba(0xFFD04498)});
    QFont piede(QStringLiteral("Verdana"));
    piede.setPointSizeF(10.93);
    piede.setBold(true);
    g.ImpostaPiede({QStringLiteral("Tutti gli importi sono arrotondati all'euro"), piede,
                    QColor::fromRgba(0xFF7294F9)});
    g.ImpostaTitoloLegenda(QStringLiteral("Spese mensili:"));
    g.ImpostaSfondo(QColor::fromRgba(0xFFF3F7FB));
    g.ImpostaColoriAssi(QColor(Qt::lightGray), QColor(Qt::darkGray)); // silver grid, dark grey ticks
    g.CambiaTipoSerie(TipoSerie::Barre);
    g.MostraMarche(true);
}

void TfrmStatistiche::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmStatistiche::FormShow()
{
    ui->txtAnno->setText(QString::number(Desktop::Corrente().Oggi().year()).rightJustified(4, u'0'));
    ui->ChartStats->Serie().Clear();
    ui->ChartStats->PuntiCambiati();
    ui->panContainer->hide();
    ui->panAvvio->show();
    // The kind of chart is not reset: the one chosen last stays for the run.
    ui->txtAnno->setFocus();
}

void TfrmStatistiche::closeEvent(QCloseEvent *e)
{
    if (QWidget *avvio = Schermate::Globali().frmAvvio)
        avvio->show();
    e->accept(); // hides this screen; it lives on for the next showing
}

bool TfrmStatistiche::eventFilter(QObject *o, QEvent *e)
{
    if (o == ui->txtAnno && e->type() == QEvent::KeyPress)
        return txtAnnoKeyDown(static_cast<QKeyEvent *>(e));
    if (e->type() == QEvent::Enter || e->type() == QEvent::MouseMove) {
        if (o == ui->btnBarre || o == ui->btnTorta || o == ui->btnStampa || o == ui->btnEsci || o == ui->cmdGuida) {
            ui->panInfo->setText(static_cast<QWidget *>(o)->toolTip());
            // A button ignores a plain move, which would then reach the
            // background below it and empty the bar again.
            return e->type() == QEvent::MouseMove && static_cast<QMouseEvent *>(e)->buttons() == Qt::NoButton;
        }
        if (e->type() == QEvent::MouseMove)
            FormMouseMove();
    }
    return QWidget::eventFilter(o, e);
}

void TfrmStatistiche::mouseMoveEvent(QMouseEvent *e)
{
    FormMouseMove();
    QWidget::mouseMoveEvent(e);
}

void TfrmStatistiche::FormMouseMove() { ui->panInfo->clear(); }

bool TfrmStatistiche::txtAnnoKeyDown(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ui->btnApri->setFocus();
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    // Focus moves are navigation, not typing.
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        break;
    }
    const QString t = e->text();
    const bool cifra = t.size() == 1 && t.at(0) >= u'0' && t.at(0) <= u'9'
        && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    return !cifra;
}

void TfrmStatistiche::btnApriClick()
{
    if (ui->txtAnno->text().size() != 4) {
        Desktop::Corrente().Messaggio(Desktop::Tipo::Avviso, kAvvisoAnno, this);
        ui->txtAnno->setFocus();
        return;
    }
    const QString anno = Testo::Trim(ui->txtAnno->text());
    ui->lblTitolo->setText(QStringLiteral("Rappresentazione grafica delle spese sostenute nell'anno ") + anno
                           + QStringLiteral("."));

    // A failure keeps the year panel in view: the user corrects the archive
    // and presses Apri again. It is named, so that the user knows what to correct.
    Desktop &desktop = Desktop::Corrente();
    Totali12 totali;
    try {
        const Attesa attesa(this, Avanzamento::LetturaArchivio());
        totali = TotaliMensili(Archivio::Percorso(desktop.CartellaProgramma()), anno);
    } catch (const ErroreImporto &e) {
        desktop.Messaggio(Desktop::Tipo::Errore,
                          QStringLiteral("Attenzione: il grafico dell'anno %1 non può essere disegnato.\n\r\n\r"
                                         "Le schede n. %2 dell'archivio hanno il totale dovuto non leggibile: "
                                         "correggerle nel Registro spese e premere di nuovo Apri.")
                              .arg(anno, Posizioni::Elenco(e.indici)),
                          this);
        ui->txtAnno->setFocus();
        return;
    } catch (const ErroreArchivio &) {
        desktop.Messaggio(Desktop::Tipo::Errore, Archivio::MessaggioInaccessibile(), this);
        ui->txtAnno->setFocus();
        return;
    }

    SerieGrafico &serie = ui->ChartStats->Serie();
    serie.Clear();
    for (int m = 0; m < 12; ++m)
        serie.Add(totali[size_t(m)], NomeMese(m), ColoreMese(m));
    // What a screen reader says of the chart, before the kind of chart.
    ui->ChartStats->setAccessibleName(QStringLiteral("Spese mensili dell'anno ") + anno);
    ui->ChartStats->show();
    ui->ChartStats->PuntiCambiati();
    ui->panAvvio->hide();
    ui->panContainer->show();
    // The chart takes the focus: a screen reader says the twelve totals at once.
    ui->ChartStats->setFocus();
}

void TfrmStatistiche::btnBarreClick()
{
    ui->ChartStats->CambiaTipoSerie(TipoSerie::Barre);
    ui->ChartStats->ImpostaView3D(true);
    ui->ChartStats->ImpostaOrtogonale(true);
}

void TfrmStatistiche::btnTortaClick()
{
    ui->ChartStats->CambiaTipoSerie(TipoSerie::Torta);
    ui->ChartStats->ImpostaView3D(true);
    ui->ChartStats->ImpostaOrtogonale(true);
}

void TfrmStatistiche::btnStampaClick()
{
    Desktop &desktop = Desktop::Corrente();
    if (!desktop.Domanda(QStringLiteral("Si vuole stampare il presente grafico statistico?"), this))
        return;
    const std::optional<QString> risposta =
        desktop.InputBox(QStringLiteral("Numero copie da stampare"), QStringLiteral("Copie:"), QStringLiteral("1"), this);
    if (!risposta)
        return;
    QString copie = *risposta;
    if (Testo::Trim(copie).isEmpty())
        copie = QStringLiteral("1");
    if (!Testo::SoloCifre(copie))
        copie = QStringLiteral("1");
    bool ok = false;
    const int n = copie.toInt(&ok, 10);
    if (!ok) {
        desktop.Messaggio(Desktop::Tipo::Avviso,
                          QStringLiteral("Attenzione: il numero di copie indicato è troppo grande. "
                                         "Indicare un numero non superiore a 2147483647."),
                          this);
        return;
    }

    if (!m_stampante)
        m_stampante = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_stampante->setCopyCount(n);
    if (!desktop.DialogoStampa(*m_stampante, this))
        return;
    m_stampante->setPageOrientation(QPageLayout::Landscape);
    const int daStampare = m_stampante->copyCount();
    // Each copy is a job of its own: the printer must not repeat it as well.
    m_stampante->setCopyCount(1);
    for (int i = 0; i < daStampare; ++i)
        ui->ChartStats->Stampa(*m_stampante);
}

void TfrmStatistiche::imgGuidaClick()
{
    TfrmGuida::Mostra(this, TestiGuida::TitoloGrafici(), TestiGuida::TestoGrafici());
}
