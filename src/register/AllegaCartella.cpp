#include "register/AllegaCartella.h"
#include "ui_AllegaCartella.h"
#include "ui_RegPagamenti.h"

#include "platform/CampoArchivio.h"
#include "platform/Desktop.h"
#include "platform/OpenURL.h"
#include "platform/Schermate.h"
#include "platform/SpazioDisco.h"
#include "platform/Testo.h"
#include "register/Allegati.h"
#include "register/RegPagamenti.h"

#include <QDir>
#include <QFileInfo>

TfrmAllegaCartella::TfrmAllegaCartella(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmAllegaCartella"));
}

void TfrmAllegaCartella::Costruisci()
{
    ui = std::make_unique<Ui::TfrmAllegaCartella>();
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(sizeHint().expandedTo(QSize(640, 470)));

    const Slot caselle[] = {{ui->txtFile01, ui->btnApri01},
                          {ui->txtFile02, ui->btnApri02},
                          {ui->txtFile03, ui->btnApri03}};
    QPushButton *sfoglia[] = {ui->btnSfoglia01, ui->btnSfoglia02, ui->btnSfoglia03};
    QAbstractButton *cancella[] = {ui->imgCancella01, ui->imgCancella02, ui->imgCancella03};
    for (int i = 0; i < 3; ++i) {
        const Slot s = caselle[i];
        connect(sfoglia[i], &QPushButton::clicked, this, [this, s] { btnSfogliaClick(s); });
        connect(s.apri, &QPushButton::clicked, this, [this, s] { btnApriClick(s); });
        connect(cancella[i], &QAbstractButton::clicked, s.file, &QLineEdit::clear);
        // Apri is offered exactly when the slot names a file, however it got there.
        connect(s.file, &QLineEdit::textChanged, s.apri,
                [s](const QString &t) { s.apri->setEnabled(!Testo::Trim(t).isEmpty()); });
    }
    // The descriptions go into the record: what it cannot hold is told.
    for (QLineEdit *d : {ui->txtDesc01, ui->txtDesc02, ui->txtDesc03})
        CampoArchivio::Proteggi(d);
    connect(ui->btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(ui->btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmAllegaCartella::~TfrmAllegaCartella() = default;

Ui::TfrmAllegaCartella *TfrmAllegaCartella::Controlli()
{
    Completa();
    return ui.get();
}

QString TfrmAllegaCartella::CartellaAllegati()
{
    return QDir(Desktop::Corrente().CartellaProgramma()).filePath(Allegati::NomeCartella());
}

namespace {

QString NonAllegato(const QString &nome, const QString &motivo)
{
    return QStringLiteral("Attenzione: il file \"%1\" non è stato allegato.\r\n\r\n%2").arg(nome, motivo);
}

QString NonUnFile(const QString &nome)
{
    return QStringLiteral("Attenzione: nella cartella dei documenti allegati \"%1\" non è un file ma "
                          "un collegamento o una cartella, e non viene usato.\r\n\r\n"
                          "Scegliere un file con un altro nome.")
        .arg(nome);
}

} // namespace

void TfrmAllegaCartella::btnSfogliaClick(const Slot &slot)
{
    Desktop &desktop = Desktop::Corrente();
    const QString scelto = desktop.ApriFile(QStringLiteral("Selezionare il file da allegare:"),
                                            QStringLiteral("Tutti i file (*.*)"), this);
    if (scelto.isEmpty())
        return;
    const QString originale = QFileInfo(scelto).fileName();
    // The record keeps the name in windows-1252 and within its field: a name
    // it cannot hold exactly is attached under one it can, and the user is told.
    const QString nome = Allegati::NomeConservabile(originale);
    if (!Allegati::NomeSicuro(nome)) {
        desktop.Messaggio(Desktop::Tipo::Errore,
                          NonAllegato(originale, QStringLiteral("Il nome del file non può essere usato: "
                                                                "rinominarlo e riprovare.")),
                          this);
        return;
    }

    const QString cartella = CartellaAllegati();
    if (!SpazioDisco::CreaCartellaPrivata(cartella)) {
        desktop.Messaggio(Desktop::Tipo::Errore,
                          NonAllegato(originale, QStringLiteral("Non è possibile creare la cartella dei "
                                                                "documenti allegati.")),
                          this);
        return;
    }
    // Only a regular file of the folder is ever replaced; a link there is
    // neither followed nor overwritten.
    switch (Allegati::Stato(QDir(cartella).filePath(nome))) {
    case Allegati::Voce::Assente:
        break;
    case Allegati::Voce::File:
        if (!desktop.Domanda(QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente "
                                            "un file con lo stesso nome.\r\n\r\nSi vuole sovrascrivere il "
                                            "file esistente?"),
                             this)) {
            slot.file->setText(nome); // the file already in the folder
            return;
        }
        break;
    case Allegati::Voce::Collegamento:
    case Allegati::Voce::Altro:
        desktop.Messaggio(Desktop::Tipo::Avviso, NonUnFile(nome), this);
        return;
    }

    int errore = 0;
    switch (Allegati::Copia(scelto, cartella, nome, &errore)) {
    case Allegati::Esito::Copiato:
        break;
    case Allegati::Esito::SorgenteIlleggibile:
        desktop.Messaggio(Desktop::Tipo::Errore,
                          NonAllegato(originale, QStringLiteral("Il file scelto non esiste più o non può "
                                                                "essere letto.")),
                          this);
        return;
    case Allegati::Esito::ScritturaFallita:
        if (SpazioDisco::Pieno(errore)) {
            desktop.Messaggio(Desktop::Tipo::Errore,
                              NonAllegato(originale, SpazioDisco::MessaggioPieno(QFileInfo(scelto).size())), this);
            return;
        }
        desktop.Messaggio(Desktop::Tipo::Errore,
                          NonAllegato(originale, QStringLiteral("Non è stato possibile copiarlo nella cartella "
                                                                "dei documenti allegati: il disco potrebbe "
                                                                "essere pieno o la cartella protetta dalla "
                                                                "scrittura.")),
                          this);
        return;
    }
    slot.file->setText(nome);
    if (nome != Testo::Trim(originale))
        desktop.Messaggio(Desktop::Tipo::Informazione,
                          QStringLiteral("Il file \"%1\" è stato allegato con il nome \"%2\": il nome "
                                         "originale contiene caratteri che la scheda non può conservare "
                                         "oppure è troppo lungo.")
                              .arg(originale, nome),
                          this);
}

void TfrmAllegaCartella::btnApriClick(const Slot &slot)
{
    const QString nome = Testo::Trim(slot.file->text());
    // A stored name may come from anywhere: one that leaves the folder is
    // never joined to it, and the user learns why nothing opens.
    if (!Allegati::NomeSicuro(nome)) {
        Desktop::Corrente().Messaggio(
            Desktop::Tipo::Avviso,
            QStringLiteral("Attenzione: \"%1\" non è il nome di un file della cartella dei documenti "
                           "allegati, perché indica un percorso fuori da essa, e non viene aperto.\r\n\r\n"
                           "Allegare di nuovo il file con Sfoglia.")
                .arg(nome),
            this);
        return;
    }
    const QString percorso = QDir(CartellaAllegati()).filePath(nome);
    // A link would lead out of the folder: it is not opened.
    switch (Allegati::Stato(percorso)) {
    case Allegati::Voce::Collegamento:
    case Allegati::Voce::Altro:
        Desktop::Corrente().Messaggio(
            Desktop::Tipo::Avviso,
            QStringLiteral("Attenzione: nella cartella dei documenti allegati \"%1\" non è un file ma "
                           "un collegamento o una cartella, e non viene aperto.\r\n\r\n"
                           "Allegare di nuovo il file con Sfoglia.")
                .arg(nome),
            this);
        return;
    case Allegati::Voce::Assente:
    case Allegati::Voce::File:
        break;
    }
    TMisc::Open(u'"' + percorso + u'"');
}

void TfrmAllegaCartella::btnApplicaClick()
{
    if (Testo::Trim(ui->lblMemory->text()) != TfrmRegPagamenti::Etichetta())
        return;
    auto *editor = qobject_cast<TfrmRegPagamenti *>(parentWidget());
    if (!editor)
        editor = qobject_cast<TfrmRegPagamenti *>(Schermate::Globali().frmRegPagamenti);
    if (!editor)
        return;
    Ui::TfrmRegPagamenti *c = editor->Controlli();
    c->lblFile01->setText(Testo::Trim(ui->txtFile01->text()));
    c->lblDesc01->setText(Testo::Trim(ui->txtDesc01->text()));
    c->lblFile02->setText(Testo::Trim(ui->txtFile02->text()));
    c->lblDesc02->setText(Testo::Trim(ui->txtDesc02->text()));
    c->lblFile03->setText(Testo::Trim(ui->txtFile03->text()));
    c->lblDesc03->setText(Testo::Trim(ui->txtDesc03->text()));
    accept();
}
