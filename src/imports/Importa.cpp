#include "imports/Importa.h"
#include "ui_Importa.h"

#include "app/Guida.h"
#include "app/TestiGuida.h"
#include "imports/ModelloImportazione.h"
#include "platform/Accessibilita.h"
#include "platform/Attesa.h"
#include "platform/Avanzamento.h"
#include "platform/CampoArchivio.h"
#include "platform/Desktop.h"
#include "platform/Finestre.h"
#include "register/Archivio.h"
#include "register/Scheda.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QShowEvent>

TfrmImporta::TfrmImporta(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmImporta"));
}

TfrmImporta::~TfrmImporta() = default;

Ui::TfrmImporta *TfrmImporta::Controlli()
{
    Completa();
    return ui.get();
}

ModelloImportazione &TfrmImporta::Modello()
{
    Completa();
    return *m_modello;
}

QList<QComboBox *> TfrmImporta::Tendine() const
{
    return {ui->cboData, ui->cboValuta, ui->cboBeneficiario, ui->cboDescrizione,
            ui->cboImporto, ui->cboAddebito, ui->cboAccredito};
}

void TfrmImporta::Costruisci()
{
    ui = std::make_unique<Ui::TfrmImporta>();
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint);
    m_modello = new ModelloImportazione(this);
    ui->grdMovimenti->setModel(m_modello);
    const int larghezze[] = {64, 48, 86, 210, 260, 86, 90, 110, 360};
    // As wide as designed, or as the title where a larger desktop font would cut it.
    QHeaderView *colonne = ui->grdMovimenti->horizontalHeader();
    for (int c = 0; c < ModelloImportazione::NumeroColonne; ++c)
        colonne->resizeSection(c, qMax(larghezze[c], colonne->sectionSizeHint(c)));
    ui->grdMovimenti->horizontalHeader()->setStretchLastSection(true);
    ui->grdMovimenti->verticalHeader()->hide();
    ui->grdMovimenti->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ui->grdMovimenti->verticalHeader()->setDefaultSectionSize(21);
    ui->grdMovimenti->installEventFilter(this);
    for (QComboBox *c : Tendine())
        Accessibilita::NominaParti(c);
    ui->txtCodice->setMaxLength(TScheda::Capacita(Campo::Codice));
    ui->txtTipologia->setMaxLength(TScheda::Capacita(Campo::Tipologia));
    CampoArchivio::Proteggi(ui->txtCodice);
    CampoArchivio::Proteggi(ui->txtTipologia);
    ui->spnTolleranza->setValue(Importazione::TolleranzaPredefinita);

    connect(ui->cmdApri, &QPushButton::clicked, this, &TfrmImporta::cmdApriClick);
    connect(ui->cmdImporta, &QPushButton::clicked, this, &TfrmImporta::cmdImportaClick);
    connect(ui->cmdGuida, &QPushButton::clicked, this, &TfrmImporta::cmdGuidaClick);
    connect(ui->cmdChiudi, &QPushButton::clicked, this, &QDialog::close);
    for (QComboBox *c : Tendine())
        connect(c, &QComboBox::currentIndexChanged, this, &TfrmImporta::MappaturaCambiata);
    connect(ui->spnTolleranza, &QSpinBox::valueChanged, this, &TfrmImporta::Aggiorna);
    const auto codici = [this] { m_modello->ImpostaCodici(ui->txtCodice->text().trimmed(), ui->txtTipologia->text().trimmed()); };
    connect(ui->txtCodice, &QLineEdit::textChanged, this, codici);
    connect(ui->txtTipologia, &QLineEdit::textChanged, this, codici);
    connect(m_modello, &ModelloImportazione::SpunteCambiate, this, &TfrmImporta::AggiornaRiepilogo);
    Svuota(QStringLiteral("Nessun file scelto."));
}

void TfrmImporta::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous())
        return;
    Finestre::CentraSulloSchermo(this);
    ui->cmdApri->setFocus();
}

bool TfrmImporta::eventFilter(QObject *oggetto, QEvent *evento)
{
    // Space ticks or unticks the current line whatever its column.
    if (oggetto == ui->grdMovimenti && evento->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(evento)->key() == Qt::Key_Space) {
        const QModelIndex corrente = ui->grdMovimenti->currentIndex();
        if (corrente.isValid())
            m_modello->Inverti(corrente.row());
        return true;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void TfrmImporta::Svuota(const QString &motivo)
{
    m_tabella = {};
    m_indice.reset();
    m_erroriRighe.clear();
    m_caricamento = true;
    for (QComboBox *c : Tendine())
        c->clear();
    m_caricamento = false;
    m_modello->Carica({}, {});
    ui->lblRilevato->setText(motivo);
    ui->grpColonne->setEnabled(false);
    ui->cmdImporta->setEnabled(false);
}

void TfrmImporta::cmdApriClick()
{
    const QString percorso = Desktop::Corrente().ApriFile(
        QStringLiteral("Scegli l'estratto conto"),
        QStringLiteral("Estratti conto (*.csv *.txt *.ofx *.qfx *.qif);;Tutti i file (*.*)"), this);
    if (!percorso.isEmpty())
        ApriFile(percorso);
}

bool TfrmImporta::ApriFile(const QString &percorso)
{
    Completa();
    m_percorso = percorso;
    ui->txtFile->setText(percorso);
    const QString nome = QFileInfo(percorso).fileName();
    QFile f(percorso);
    QByteArray dati;
    {
        const Attesa attesa(this, QStringLiteral("Lettura dell'estratto conto in corso..."));
        if (f.open(QIODevice::ReadOnly)) {
            dati = f.readAll();
            if (f.error() != QFileDevice::NoError)
                f.close();
        }
        if (f.isOpen())
            m_tabella = Estratto::Leggi(dati);
    }
    if (!f.isOpen()) {
        Svuota(QStringLiteral("Il file non può essere letto."));
        Desktop::Corrente().Messaggio(Desktop::Tipo::Errore,
                                      QStringLiteral("Impossibile leggere il file \"%1\": %2.\n\r\n\r"
                                                     "Nessuna scheda è stata aggiunta.")
                                          .arg(nome, f.errorString()),
                                      this);
        return false;
    }
    QStringList motivi;
    for (const auto &e : m_tabella.errori)
        if (e.linea == 0)
            motivi.append(e.perche);
    if (!motivi.isEmpty()) {
        Svuota(QStringLiteral("Il file non può essere importato."));
        Desktop::Corrente().Messaggio(Desktop::Tipo::Errore,
                                      QStringLiteral("Il file \"%1\" non può essere importato: %2.\n\r\n\r"
                                                     "Nessuna scheda è stata aggiunta.")
                                          .arg(nome, motivi.join(QStringLiteral("; "))),
                                      this);
        return false;
    }
    // A new file is checked against the archive as it is now.
    m_indice.reset();
    m_mappatura = MappaturaEstratto::Proponi(m_tabella);
    m_caricamento = true;
    const int scelte[] = {m_mappatura.data, m_mappatura.valuta, m_mappatura.beneficiario, m_mappatura.descrizione,
                          m_mappatura.importo, m_mappatura.addebito, m_mappatura.accredito};
    int k = 0;
    for (QComboBox *c : Tendine()) {
        c->clear();
        c->addItem(QStringLiteral("(nessuna)"));
        c->addItems(m_tabella.colonne);
        c->setCurrentIndex(scelte[k++] + 1);
    }
    m_caricamento = false;
    ui->grpColonne->setEnabled(true);
    QString rilevato = QStringLiteral("Formato: %1; codifica: %2")
                           .arg(Estratto::NomeFormato(m_tabella.formato), m_tabella.codifica);
    if (m_tabella.formato == Estratto::Formato::Csv) {
        rilevato += QStringLiteral("; separatore: %1").arg(Estratto::NomeSeparatore(m_tabella.separatore));
        rilevato += m_tabella.conIntestazione ? QStringLiteral("; intestazione delle colonne alla riga %1")
                                                    .arg(m_tabella.lineeIniziali + 1)
                                              : QStringLiteral("; senza intestazione delle colonne");
        if (m_tabella.lineeIniziali > 0)
            rilevato += QStringLiteral(" (%1 righe iniziali saltate)").arg(m_tabella.lineeIniziali);
    }
    ui->lblRilevato->setText(rilevato + u'.');
    if (!Aggiorna())
        return false;
    if (m_modello->Righe().isEmpty() && MappaturaEstratto::Incompleta(m_mappatura).isEmpty()) {
        // Not one line could be read: say so, with the first reasons.
        QStringList righe;
        for (const auto &e : m_erroriRighe.mid(0, 10))
            righe.append(QStringLiteral("riga %1: %2").arg(e.linea).arg(e.perche));
        if (m_erroriRighe.size() > 10)
            righe.append(QStringLiteral("e altre %1 righe").arg(m_erroriRighe.size() - 10));
        Desktop::Corrente().Messaggio(Desktop::Tipo::Errore,
                                      QStringLiteral("Nessuna riga del file \"%1\" può essere importata:\n\r\n\r%2.\n\r\n\r"
                                                     "Controllare le colonne scelte; nessuna scheda è stata aggiunta.")
                                          .arg(nome, righe.join(QStringLiteral(";\n\r"))),
                                      this);
    }
    return true;
}

void TfrmImporta::MappaturaCambiata()
{
    if (m_caricamento)
        return;
    m_mappatura.data = ui->cboData->currentIndex() - 1;
    m_mappatura.valuta = ui->cboValuta->currentIndex() - 1;
    m_mappatura.beneficiario = ui->cboBeneficiario->currentIndex() - 1;
    m_mappatura.descrizione = ui->cboDescrizione->currentIndex() - 1;
    m_mappatura.importo = ui->cboImporto->currentIndex() - 1;
    m_mappatura.addebito = ui->cboAddebito->currentIndex() - 1;
    m_mappatura.accredito = ui->cboAccredito->currentIndex() - 1;
    Aggiorna();
}

bool TfrmImporta::Aggiorna()
{
    if (m_tabella.colonne.isEmpty())
        return true;
    const QString preparazione = QStringLiteral("Preparazione dell'anteprima in corso...");
    std::optional<Attesa> attesa(std::in_place, this, preparazione);
    const Interpretazione i = MappaturaEstratto::Interpreta(m_tabella, m_mappatura);
    // The archive is read only for the amounts the lines look up: other
    // columns chosen may bring amounts it was not read for.
    const QSet<qint64> importi = Importazione::ImportiUscite(i.movimenti);
    if (!m_indice || !m_indice->Copre(importi)) {
        attesa.reset();
        if (!LeggiArchivio(importi))
            return false;
        attesa.emplace(this, preparazione);
    }
    m_erroriRighe = m_tabella.errori + i.errori;
    m_modello->Carica(Importazione::Anteprima(i.movimenti, *m_indice, ui->spnTolleranza->value()), m_erroriRighe);
    return true;
}

bool TfrmImporta::LeggiArchivio(const QSet<qint64> &importi)
{
    try {
        const Attesa attesa(this, Avanzamento::LetturaArchivio());
        m_indice = Importazione::IndiceArchivio::Carica(Archivio::Percorso(Desktop::Corrente().CartellaProgramma()),
                                                        importi);
        return true;
    } catch (const ErroreArchivio &) {
        Svuota(QStringLiteral("L'archivio non può essere letto."));
        Desktop::Corrente().Messaggio(Desktop::Tipo::Errore, Archivio::MessaggioInaccessibile(), this);
        return false;
    }
}

void TfrmImporta::AggiornaRiepilogo()
{
    const QString incompleta = MappaturaEstratto::Incompleta(m_mappatura);
    int spuntate = 0, uscite = 0, entrate = 0, doppioni = 0;
    for (const auto &r : m_modello->Righe()) {
        spuntate += r.spuntata;
        uscite += r.movimento.uscita;
        entrate += !r.movimento.uscita;
        doppioni += r.movimento.uscita && r.Doppione();
    }
    if (m_tabella.colonne.isEmpty()) {
        ui->lblRiepilogo->clear();
    } else if (!incompleta.isEmpty()) {
        ui->lblRiepilogo->setText(incompleta);
    } else {
        ui->lblRiepilogo->setText(
            QStringLiteral("Righe spuntate da importare: %1. Uscite: %2, di cui doppioni: %3. Entrate: %4. "
                           "Righe non lette: %5.")
                .arg(spuntate)
                .arg(uscite)
                .arg(doppioni)
                .arg(entrate)
                .arg(m_erroriRighe.size()));
    }
    ui->cmdImporta->setEnabled(spuntate > 0);
}

void TfrmImporta::cmdImportaClick()
{
    Desktop &desktop = Desktop::Corrente();
    QList<TScheda> schede;
    int senzaCodici = 0;
    for (const auto &r : m_modello->Righe()) {
        if (!r.spuntata)
            continue;
        const auto [codice, tipologia] = m_modello->CodiciDi(r);
        if (codice.trimmed().isEmpty() || tipologia.trimmed().isEmpty())
            ++senzaCodici;
        schede.append(Importazione::Scheda(r, codice, tipologia));
    }
    if (schede.isEmpty() || !m_indice)
        return;
    if (senzaCodici > 0) {
        desktop.Messaggio(Desktop::Tipo::Avviso,
                          QStringLiteral("%1 righe spuntate hanno un beneficiario senza schede in archivio: "
                                         "scrivere il Codice e la Tipologia da dare loro.")
                              .arg(senzaCodici),
                          this);
        (ui->txtCodice->text().trimmed().isEmpty() ? ui->txtCodice : ui->txtTipologia)->setFocus();
        return;
    }
    const Importazione::Esito e = Importazione::Scrivi(desktop.CartellaProgramma(), schede,
                                                       m_indice->NumeroSchede(), desktop.Adesso());
    using Stato = Importazione::Esito::Stato;
    QString testo;
    Desktop::Tipo tipo = Desktop::Tipo::Errore;
    switch (e.stato) {
    case Stato::Riuscita:
        tipo = Desktop::Tipo::Informazione;
        m_aggiunte += e.aggiunte;
        testo = e.aggiunte == 1
                    ? QStringLiteral("È stata aggiunta 1 scheda all'archivio, alla posizione %1.").arg(e.prima)
                    : QStringLiteral("Sono state aggiunte %1 schede all'archivio, dalla posizione %2 alla posizione %3.")
                          .arg(e.aggiunte)
                          .arg(e.prima)
                          .arg(e.prima + e.aggiunte - 1);
        if (!e.copia.isEmpty())
            testo += QStringLiteral("\n\r\n\rL'archivio com'era prima dell'importazione è conservato nella cartella "
                                    "Backup con il nome \"%1\": si può ripristinare da \"Copie di sicurezza\".")
                         .arg(e.copia);
        if (!m_erroriRighe.isEmpty())
            testo += QStringLiteral("\n\r\n\r%1 righe del file non sono state lette: la colonna Note dice perché.")
                         .arg(m_erroriRighe.size());
        break;
    case Stato::Cambiata:
        testo = QStringLiteral("L'archivio è stato modificato dopo la preparazione dell'anteprima: nessuna scheda "
                               "è stata aggiunta. L'anteprima è stata aggiornata: controllare le righe e importare "
                               "di nuovo.");
        break;
    case Stato::Occupata:
        testo = QStringLiteral("L'archivio è in uso da un altro programma: nessuna scheda è stata aggiunta. "
                               "Riprovare tra qualche istante.");
        break;
    case Stato::NonRiuscita:
        testo = QStringLiteral("Impossibile aggiungere le schede all'archivio (%1): nessuna scheda è stata aggiunta.")
                    .arg(e.dettaglio);
        break;
    case Stato::NonConfermata:
        m_aggiunte += e.aggiunte;
        testo = QStringLiteral("Le %1 schede sono state scritte nell'archivio dalla posizione %2, ma il disco non ha "
                               "confermato la scrittura (%3): controllare l'archivio.")
                    .arg(e.aggiunte)
                    .arg(e.prima)
                    .arg(e.dettaglio);
        break;
    }
    if (!e.erroreCopia.isEmpty())
        testo += QStringLiteral("\n\r\n\rAttenzione: la copia giornaliera dell'archivio non è stata fatta (%1).")
                     .arg(e.erroreCopia);
    desktop.Messaggio(tipo, testo, this);
    // The preview follows the archive: what was added now shows as duplicate.
    if (e.stato != Stato::Occupata && !m_percorso.isEmpty()) {
        m_indice.reset();
        Aggiorna();
    }
}

void TfrmImporta::cmdGuidaClick()
{
    TfrmGuida::Mostra(this, TestiGuida::TitoloImportazione(), TestiGuida::TestoImportazione());
}
