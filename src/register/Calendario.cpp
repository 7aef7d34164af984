#include "register/Calendario.h"
#include "ui_Calendario.h"
#include "ui_RegPagamenti.h"

#include "platform/Accessibilita.h"
#include "platform/Desktop.h"
#include "platform/Schermate.h"
#include "platform/Testo.h"
#include "register/RegPagamenti.h"

TfrmCalendario::TfrmCalendario(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmCalendario"));
}

void TfrmCalendario::Costruisci()
{
    ui = std::make_unique<Ui::TfrmCalendario>();
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(sizeHint().expandedTo(QSize(420, 340)));
    ui->calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    ui->calAppuntamenti->setFirstDayOfWeek(Qt::Monday);
    ui->calAppuntamenti->setSelectedDate(Desktop::Corrente().Oggi());
    Accessibilita::NominaParti(ui->calAppuntamenti);

    connect(ui->btnImportaData, &QPushButton::clicked, this, &TfrmCalendario::btnImportaDataClick);
    connect(ui->btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    // A double click on a day is the same as choosing it and pressing Importa.
    connect(ui->calAppuntamenti, &QCalendarWidget::activated, this, &TfrmCalendario::btnImportaDataClick);
}

TfrmCalendario::~TfrmCalendario() = default;

void TfrmCalendario::btnImportaDataClick()
{
    // The editor that opened the dialog, or the one register editor.
    auto *editor = qobject_cast<TfrmRegPagamenti *>(parentWidget());
    if (!editor)
        editor = qobject_cast<TfrmRegPagamenti *>(Schermate::Globali().frmRegPagamenti);
    if (!editor)
        return;
    const QString data = Testo::FormattaData(ui->calAppuntamenti->selectedDate());
    const QString etichetta = ui->lblMemory->text();
    if (etichetta == TfrmRegPagamenti::EtichettaDataDoc())
        editor->Controlli()->txtDataDoc->setText(data);
    else if (etichetta == TfrmRegPagamenti::EtichettaData())
        editor->Controlli()->txtData->setText(data);
    else
        return; // unknown caller: stay open
    accept();
}
