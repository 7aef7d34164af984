#include "register/AllegaCartella.h"
#include "ui_AllegaCartella.h"
#include "ui_RegPagamenti.h"

#include "app/OpenURL.h"
#include "app/Schermate.h"
#include "platform/Desktop.h"
#include "platform/Testo.h"
#include "register/Allegati.h"
#include "register/RegPagamenti.h"

#include <QDir>
#include <QFileInfo>

TfrmAllegaCartella::TfrmAllegaCartella(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmAllegaCartella>())
{
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
    connect(ui->btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(ui->btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmAllegaCartella::~TfrmAllegaCartella() = default;

QString TfrmAllegaCartella::CartellaAllegati()
{
    return QDir(Desktop::Corrente().CartellaProgramma()).filePath(Allegati::NomeCartella());
}

void TfrmAllegaCartella::btnSfogliaClick(const Slot &slot)
{
    const QString scelto = Desktop::Corrente().ApriFile(
        QStringLiteral("Selezionare il file da allegare:"), QStringLiteral("Tutti i file (*.*)"), this);
    if (scelto.isEmpty())
        return;
    const QString nome = QFileInfo(scelto).fileName();
    // A name that could leave the folder is never taken.
    if (!Allegati::NomeSicuro(Testo::Trim(nome)))
        return;
    slot.file->setText(nome);

    const QString cartella = CartellaAllegati();
    if (!QDir().mkpath(cartella))
        return;
    const QString destinazione = QDir(cartella).filePath(Testo::Trim(nome));
    if (QFileInfo::exists(destinazione)
        && !Desktop::Corrente().Domanda(
            QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file "
                           "con lo stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?"),
            this))
        return;
    Allegati::Copia(scelto, destinazione); // a failure is silent: the slot keeps the name
}

void TfrmAllegaCartella::btnApriClick(const Slot &slot)
{
    const QString nome = Testo::Trim(slot.file->text());
    if (!Allegati::NomeSicuro(nome))
        return;
    TMisc::Open(u'"' + QDir(CartellaAllegati()).filePath(nome) + u'"');
}

void TfrmAllegaCartella::btnApplicaClick()
{
    if (Testo::Trim(ui->lblMemory->text()) != TfrmRegPagamenti::Etichetta())
        return;
    auto *editor = qobject_cast<TfrmRegPagamenti *>(parentWidget());
    if (!editor)
        editor = Schermate::Globali().frmRegPagamenti;
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
