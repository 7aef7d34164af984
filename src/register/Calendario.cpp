#include "register/Calendario.h"
#include "ui_Calendario.h"
#include "ui_RegPagamenti.h"

#include "platform/Accessibilita.h"
#include "platform/Desktop.h"
#include "platform/Schermate.h"
#include "platform/Testo.h"
#include "register/DataDigitata.h"
#include "register/RegPagamenti.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QTableView>

namespace {

const QString kDataNonValida = QStringLiteral(
    "Attenzione: \"%1\" non è una data del calendario.\n\r\n\r"
    "Digitare giorno, mese e anno, ad esempio 05/03/2024 oppure 05032024, "
    "o scegliere il giorno sul calendario.");

} // namespace

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
    // The calendar's own date editor would take typed digits as a year and
    // garble them: typed digits go to the field meant for them instead.
    ui->calAppuntamenti->setDateEditEnabled(false);
    if (auto *vista = ui->calAppuntamenti->findChild<QTableView *>())
        vista->installEventFilter(this);
    ui->calAppuntamenti->installEventFilter(this);
    ui->txtDataDigitata->installEventFilter(this);
    ui->txtDataDigitata->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9/]{0,10}")), ui->txtDataDigitata));
    Accessibilita::NominaParti(ui->calAppuntamenti);
    // The calendar's grid and month controls first, then the typed date and
    // the buttons; the dialog opens on the grid of days.
    QWidget::setTabOrder(ui->calAppuntamenti, ui->txtDataDigitata);
    QWidget::setTabOrder(ui->txtDataDigitata, ui->btnImportaData);
    QWidget::setTabOrder(ui->btnImportaData, ui->btnAnnulla);
    ui->calAppuntamenti->setFocus();

    connect(ui->btnImportaData, &QPushButton::clicked, this, &TfrmCalendario::btnImportaDataClick);
    connect(ui->btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    // A double click on a day is the same as choosing it and pressing Importa.
    connect(ui->calAppuntamenti, &QCalendarWidget::activated, this, &TfrmCalendario::btnImportaDataClick);
    connect(ui->calAppuntamenti, &QCalendarWidget::selectionChanged, this,
            &TfrmCalendario::calAppuntamentiSelectionChanged);
    connect(ui->txtDataDigitata, &QLineEdit::textEdited, this, &TfrmCalendario::txtDataDigitataTyping);
    connect(ui->calAppuntamenti, &QCalendarWidget::currentPageChanged, this,
            &TfrmCalendario::calAppuntamentiPageChanged);
}

void TfrmCalendario::calAppuntamentiPageChanged(int anno, int mese)
{
    // The month arrows and the month and year buttons move the highlighted
    // day to the new month, but Qt keeps the old day chosen: Importa would
    // take a day no longer in view. The day in view is the one chosen.
    const QDate scelta = ui->calAppuntamenti->selectedDate();
    if (!scelta.isValid() || (scelta.year() == anno && scelta.month() == mese))
        return;
    const QDate primo(anno, mese, 1);
    ui->calAppuntamenti->setSelectedDate(primo.addDays(std::min(scelta.day(), primo.daysInMonth()) - 1));
}

TfrmCalendario::~TfrmCalendario() = default;

bool TfrmCalendario::CarattereData(const QString &testo)
{
    return testo.size() == 1 && ((testo.at(0) >= u'0' && testo.at(0) <= u'9') || testo.at(0) == u'/');
}

void TfrmCalendario::TastoIniziale(const QKeyEvent &tasto)
{
    Completa();
    if (CarattereData(tasto.text())) {
        ui->txtDataDigitata->setFocus(Qt::OtherFocusReason);
        ui->txtDataDigitata->setText(tasto.text());
        m_tastoIniziale = true;
        txtDataDigitataTyping(ui->txtDataDigitata->text());
        return;
    }
    // Arrows and the like move on the calendar, as they would there.
    ui->calAppuntamenti->setFocus(Qt::OtherFocusReason);
    if (auto *vista = ui->calAppuntamenti->findChild<QTableView *>()) {
        QKeyEvent copia(tasto.type(), tasto.key(), tasto.modifiers(), tasto.text());
        QCoreApplication::sendEvent(vista, &copia);
    }
}

bool TfrmCalendario::eventFilter(QObject *oggetto, QEvent *event)
{
    if (oggetto == ui->txtDataDigitata && m_tastoIniziale
        && (event->type() == QEvent::FocusIn || event->type() == QEvent::KeyPress)) {
        m_tastoIniziale = false;
        // Showing the dialog enters its focus field as Tab would, which
        // selects the field: the next digit would replace the opening one.
        if (event->type() == QEvent::FocusIn
            && static_cast<QFocusEvent *>(event)->reason() == Qt::TabFocusReason)
            return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto *tasto = static_cast<QKeyEvent *>(event);
        if (oggetto != ui->txtDataDigitata && CarattereData(tasto->text())
            && !(tasto->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            // The day shown in the field came from the calendar: typing
            // starts a new date.
            if (ui->txtDataDigitata->text() == Testo::FormattaData(ui->calAppuntamenti->selectedDate()))
                ui->txtDataDigitata->clear();
            ui->txtDataDigitata->setFocus(Qt::OtherFocusReason);
            ui->txtDataDigitata->insert(tasto->text());
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, event);
}

void TfrmCalendario::txtDataDigitataTyping(const QString &testo)
{
    // The calendar shows the typed day as soon as it is a whole date.
    if (const auto d = LeggiDataDigitata(testo)) {
        m_daDigitazione = true;
        ui->calAppuntamenti->setSelectedDate(*d);
        m_daDigitazione = false;
    }
}

void TfrmCalendario::calAppuntamentiSelectionChanged()
{
    // A day chosen on the calendar replaces a date half typed.
    if (!m_daDigitazione)
        ui->txtDataDigitata->setText(Testo::FormattaData(ui->calAppuntamenti->selectedDate()));
}

void TfrmCalendario::btnImportaDataClick()
{
    // The editor that opened the dialog, or the one register editor.
    auto *editor = qobject_cast<TfrmRegPagamenti *>(parentWidget());
    if (!editor)
        editor = qobject_cast<TfrmRegPagamenti *>(Schermate::Globali().frmRegPagamenti);
    if (!editor)
        return;
    QDate scelta = ui->calAppuntamenti->selectedDate();
    // A typed date lands as typed or not at all.
    if (const QString digitata = Testo::Trim(ui->txtDataDigitata->text()); !digitata.isEmpty()) {
        const auto d = LeggiDataDigitata(digitata);
        if (!d) {
            Desktop::Corrente().Messaggio(Desktop::Tipo::Avviso, kDataNonValida.arg(digitata), this);
            ui->txtDataDigitata->setFocus(Qt::OtherFocusReason);
            ui->txtDataDigitata->selectAll();
            return;
        }
        scelta = *d;
    }
    const QString data = Testo::FormattaData(scelta);
    const QString etichetta = ui->lblMemory->text();
    if (etichetta == TfrmRegPagamenti::EtichettaDataDoc())
        editor->Controlli()->txtDataDoc->setText(data);
    else if (etichetta == TfrmRegPagamenti::EtichettaData())
        editor->Controlli()->txtData->setText(data);
    else
        return; // unknown caller: stay open
    accept();
}
