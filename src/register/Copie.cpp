#include "register/Copie.h"
#include "ui_Copie.h"

#include "platform/Desktop.h"
#include "platform/Finestre.h"
#include "platform/SpazioDisco.h"
#include "platform/OpenURL.h"
#include "platform/Testo.h"
#include "register/Archivio.h"
#include "register/CopieGiornaliere.h"

#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QShowEvent>

namespace {

QString Dimensione(qint64 byte)
{
    return QLocale(QLocale::Italian).toString(byte) + QStringLiteral(" byte");
}

QString Quando(const CopieSicurezza::Copia &c)
{
    // A copy kept by a restore carries its time; a daily copy only its day.
    if (c.quando.time() == QTime(0, 0))
        return Testo::FormattaData(c.quando.date());
    return Testo::FormattaData(c.quando.date()) + QStringLiteral(" ") + c.quando.time().toString(u"HH:mm:ss");
}

} // namespace

void SegnalaCopiaDelRipristino(const EsitoModifica &esito, QWidget *genitore)
{
    if (esito.erroreCopia.isEmpty())
        return;
    Desktop::Corrente().Messaggio(
        Desktop::Tipo::Avviso,
        QStringLiteral("Attenzione: non è stato possibile creare la copia di sicurezza giornaliera dell'archivio "
                       "nella cartella \"Backup\" del programma. Il ripristino prosegue comunque.\n\r\n\r")
            + (SpazioDisco::Pieno(esito.codiceCopia)
                   ? SpazioDisco::MessaggioPieno(esito.necessariCopia)
                   : QStringLiteral("Controllare lo spazio libero sul disco e i permessi della cartella.")),
        genitore);
}

TfrmCopie::TfrmCopie(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmCopie"));
}

TfrmCopie::~TfrmCopie() = default;

void TfrmCopie::Costruisci()
{
    ui = std::make_unique<Ui::TfrmCopie>();
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(size());
    ui->grdCopie->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(ui->btnRipristina, &QPushButton::clicked, this, &TfrmCopie::btnRipristinaClick);
    connect(ui->btnApri, &QPushButton::clicked, this, &TfrmCopie::btnApriClick);
    connect(ui->btnChiudi, &QPushButton::clicked, this, &QDialog::close);
}

void TfrmCopie::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous())
        return;
    Finestre::CentraSulloSchermo(this);
    Carica();
}

void TfrmCopie::Carica()
{
    const QString cartella = Desktop::Corrente().CartellaProgramma();
    m_copie = CopieSicurezza::Elenco(cartella);
    m_attuale = CopieSicurezza::Attuale(cartella);
    ui->lblArchivio->setText(QStringLiteral("Archivio attuale: %1 schede, %2%3")
                                 .arg(m_attuale.schede)
                                 .arg(Dimensione(m_attuale.byte),
                                      m_attuale.danneggiata ? QStringLiteral(" (l'ultima scheda è incompleta)")
                                                            : QString()));
    ui->grdCopie->setRowCount(int(m_copie.size()));
    for (int r = 0; r < m_copie.size(); ++r) {
        const CopieSicurezza::Copia &c = m_copie.at(r);
        const QStringList celle = {Quando(c), c.danneggiata ? QStringLiteral("-") : QString::number(c.schede),
                                   Dimensione(c.byte), c.danneggiata ? QStringLiteral("danneggiata") : QStringLiteral("integra"),
                                   c.nome};
        for (int k = 0; k < celle.size(); ++k) {
            auto *cella = new QTableWidgetItem(celle.at(k));
            cella->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            ui->grdCopie->setItem(r, k, cella);
        }
    }
    ui->lblVuoto->setVisible(m_copie.isEmpty());
    if (!m_copie.isEmpty())
        ui->grdCopie->selectRow(0);
    ui->grdCopie->setFocus();
}

void TfrmCopie::btnRipristinaClick()
{
    Desktop &desktop = Desktop::Corrente();
    const int riga = ui->grdCopie->currentRow();
    if (riga < 0 || riga >= m_copie.size()) {
        desktop.MessaggioSemplice(QStringLiteral("Selezionare nell'elenco la copia da ripristinare."), this);
        return;
    }
    const CopieSicurezza::Copia c = m_copie.at(riga);
    if (c.danneggiata) {
        desktop.Messaggio(Desktop::Tipo::Avviso,
                          QStringLiteral("Attenzione: la copia \"%1\" è danneggiata (%2 non corrisponde a un numero "
                                         "intero di schede) e non può essere ripristinata.")
                              .arg(c.nome, Dimensione(c.byte)),
                          this);
        return;
    }
    const qint64 differenza = c.schede - m_attuale.schede;
    QString effetto;
    if (differenza > 0)
        effetto = QStringLiteral("l'archivio guadagnerebbe %1 schede").arg(differenza);
    else if (differenza < 0)
        effetto = QStringLiteral("l'archivio perderebbe %1 schede").arg(-differenza);
    else
        effetto = QStringLiteral("l'archivio conserverebbe lo stesso numero di schede");
    if (!desktop.Domanda(QStringLiteral("Si vuole ripristinare la copia di sicurezza del %1 (\"%2\")?\n\r\n\r"
                                        "L'archivio passerebbe da %3 a %4 schede: %5.\n\r\n\r"
                                        "Prima del ripristino l'archivio attuale sarà salvato come copia di "
                                        "sicurezza a sé, così che il ripristino possa essere annullato.")
                             .arg(Quando(c), c.nome)
                             .arg(m_attuale.schede)
                             .arg(c.schede)
                             .arg(effetto),
                         this))
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const EsitoModifica esito = CopieSicurezza::Ripristina(desktop.CartellaProgramma(), c.nome, desktop.Adesso());
    QGuiApplication::restoreOverrideCursor();
    SegnalaCopiaDelRipristino(esito, this);
    using Stato = EsitoModifica::Stato;
    switch (esito.stato) {
    case Stato::Riuscita:
        desktop.Messaggio(
            Desktop::Tipo::Informazione,
            QStringLiteral("La copia \"%1\" è stata ripristinata: l'archivio contiene ora %2 schede.")
                    .arg(c.nome)
                    .arg(c.schede)
                + (esito.dettaglio.isEmpty()
                       ? QString()
                       : QStringLiteral("\n\r\n\rL'archivio precedente è conservato nella cartella \"Backup\" come "
                                        "\"%1\": per annullare il ripristino, ripristinare quella copia.")
                             .arg(esito.dettaglio)),
            this);
        break;
    case Stato::Occupata:
        desktop.Messaggio(Desktop::Tipo::Errore,
                          QStringLiteral("Attenzione: l'archivio è in uso da un altro programma e la copia non è "
                                         "stata ripristinata: l'archivio non è stato cambiato.\n\r\n\r"
                                         "Riprovare tra qualche istante."),
                          this);
        break;
    case Stato::NonConfermata:
        desktop.Messaggio(Desktop::Tipo::Errore,
                          QStringLiteral("Attenzione: non è stato possibile confermare sul disco il ripristino della "
                                         "copia (%1). Controllare l'archivio e il disco.")
                              .arg(esito.dettaglio),
                          this);
        break;
    default:
        desktop.Messaggio(Desktop::Tipo::Errore, MessaggioModificaNonRiuscita(QStringLiteral("ripristinare la copia"), esito), this);
        break;
    }
    Carica();
}

void TfrmCopie::btnApriClick()
{
    const QString cartella = CopieGiornaliere::Cartella(Desktop::Corrente().CartellaProgramma());
    QDir().mkpath(cartella);
    TMisc::Open(QLatin1Char('"') + cartella + QLatin1Char('"'));
}
