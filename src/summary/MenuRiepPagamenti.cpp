#include "summary/MenuRiepPagamenti.h"
#include "ui_MenuRiepPagamenti.h"

#include "platform/Accessibilita.h"
#include "platform/Desktop.h"
#include "platform/Schermate.h"
#include "platform/Testo.h"
#include "summary/RiepPagamenti.h"
#include "summary/Riepilogo.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <exception>

namespace {

const QStringList &Mesi()
{
    static const QStringList m = {
        QStringLiteral("Gennaio"), QStringLiteral("Febbraio"), QStringLiteral("Marzo"),
        QStringLiteral("Aprile"), QStringLiteral("Maggio"), QStringLiteral("Giugno"),
        QStringLiteral("Luglio"), QStringLiteral("Agosto"), QStringLiteral("Settembre"),
        QStringLiteral("Ottobre"), QStringLiteral("Novembre"), QStringLiteral("Dicembre")};
    return m;
}

QStringList Giorni()
{
    QStringList g;
    for (int i = 1; i <= 31; ++i)
        g << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return g;
}

bool Invio(int tasto) { return tasto == Qt::Key_Return || tasto == Qt::Key_Enter; }

} // namespace

TfrmMenuRiepPagamenti::TfrmMenuRiepPagamenti(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmMenuRiepPagamenti"));
}

void TfrmMenuRiepPagamenti::Costruisci()
{
    ui = std::make_unique<Ui::TfrmMenuRiepPagamenti>();
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);

    ui->txtAnno->setMaxLength(4);
    // Pasting cannot bring in what typing refuses.
    ui->txtAnno->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), ui->txtAnno));
    for (QComboBox *c : {ui->txtGiornoInizio, ui->txtGiornoFine}) {
        c->addItems(Giorni());
        c->lineEdit()->setMaxLength(2);
    }
    for (QComboBox *c : {ui->txtMeseInizio, ui->txtMeseFine}) {
        c->addItems(Mesi());
        c->lineEdit()->setMaxLength(9);
    }
    for (QComboBox *c : {ui->txtGiornoInizio, ui->txtMeseInizio, ui->txtGiornoFine, ui->txtMeseFine}) {
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setCompleter(nullptr);
        c->installEventFilter(this);
        c->lineEdit()->installEventFilter(this);
        Accessibilita::NominaParti(c);
    }
    for (QWidget *w : {static_cast<QWidget *>(ui->txtAnno), static_cast<QWidget *>(ui->txtFornitore),
                       static_cast<QWidget *>(ui->txtCodice), static_cast<QWidget *>(ui->btnVisualizza)})
        w->installEventFilter(this);

    connect(ui->txtAnno, &QLineEdit::textChanged, this, &TfrmMenuRiepPagamenti::AggiornaAnno);
    connect(ui->btnVisualizza, &QPushButton::clicked, this, &TfrmMenuRiepPagamenti::btnVisualizzaClick);
    connect(ui->btnEsci, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->btnAnalisi, &QPushButton::clicked, this, &TfrmMenuRiepPagamenti::btnAnalisiClick);
    connect(ui->btnDichiarazione, &QPushButton::clicked, this, &TfrmMenuRiepPagamenti::btnDichiarazioneClick);
    ui->btnAnalisi->setVisible(bool(m_analisi));
    ui->btnDichiarazione->setVisible(bool(m_dichiarazione));
}

void TfrmMenuRiepPagamenti::btnAnalisiClick()
{
    if (!m_analisi)
        return;
    m_perAnalisi = true;
    btnVisualizzaClick();
    m_perAnalisi = false; // also when a check stopped it
}

void TfrmMenuRiepPagamenti::btnDichiarazioneClick()
{
    if (!m_dichiarazione)
        return;
    // Only the year counts: the list covers the whole calendar year.
    if (ui->txtAnno->text().size() != 4)
        return Rifiuta(QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."), ui->txtAnno);
    try {
        std::unique_ptr<QDialog> elenco(m_dichiarazione(this, ui->txtAnno->text().toInt()));
        Desktop::Corrente().MostraModale(elenco.get());
    } catch (const std::exception &) {
        Desktop::Corrente().MessaggioSemplice(QStringLiteral("Attenzione: il file di archivio non risulta accessibile."), this);
    }
}

void TfrmMenuRiepPagamenti::ImpostaAnalisi(CreaAnalisi analisi, CreaElencoAnno dichiarazione)
{
    m_analisi = std::move(analisi);
    m_dichiarazione = std::move(dichiarazione);
    if (Costruita()) {
        ui->btnAnalisi->setVisible(bool(m_analisi));
        ui->btnDichiarazione->setVisible(bool(m_dichiarazione));
    }
}

TfrmMenuRiepPagamenti::~TfrmMenuRiepPagamenti() = default;

Ui::TfrmMenuRiepPagamenti *TfrmMenuRiepPagamenti::Controlli()
{
    Completa();
    return ui.get();
}

void TfrmMenuRiepPagamenti::showEvent(QShowEvent *evento)
{
    QWidget::showEvent(evento);
    if (evento->spontaneous())
        return;
    // Every opening from the start menu starts afresh.
    ui->txtFornitore->clear();
    ui->txtCodice->clear();
    for (QComboBox *c : {ui->txtGiornoInizio, ui->txtMeseInizio, ui->txtGiornoFine, ui->txtMeseFine}) {
        c->setCurrentIndex(-1);
        c->setEditText(QString());
    }
    ui->txtAnno->setText(QStringLiteral("%1").arg(Desktop::Corrente().Oggi().year(), 4, 10, QLatin1Char('0')));
    AggiornaAnno();
    ui->lblAttendere->hide();
    ui->txtFornitore->setFocus();
}

void TfrmMenuRiepPagamenti::closeEvent(QCloseEvent *evento)
{
    QWidget::closeEvent(evento);
    if (QWidget *avvio = Schermate::Globali().frmAvvio)
        avvio->show();
    hide();
}

void TfrmMenuRiepPagamenti::AggiornaAnno()
{
    const QString anno = Testo::Trim(ui->txtAnno->text());
    ui->lblAnnoInizio->setText(anno);
    ui->lblAnnoFine->setText(anno);
}

bool TfrmMenuRiepPagamenti::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == ui->btnVisualizza) {
        if (evento->type() == QEvent::MouseButtonPress) {
            ui->lblAttendere->show();
            ui->lblAttendere->repaint();
        }
        return QWidget::eventFilter(oggetto, evento);
    }
    // The drop-down, whether the event reached it or its edit.
    QWidget *campo = qobject_cast<QWidget *>(oggetto);
    if (auto *e = qobject_cast<QLineEdit *>(oggetto); e && qobject_cast<QComboBox *>(e->parentWidget()))
        campo = e->parentWidget();
    auto *tendina = qobject_cast<QComboBox *>(campo);

    switch (evento->type()) {
    case QEvent::KeyPress: {
        auto *k = static_cast<QKeyEvent *>(evento);
        return TastoCampo(campo, k->key(), k->text());
    }
    case QEvent::FocusIn:
        if (tendina && oggetto == tendina) {
            // No item is selected when the field is entered; the text stays.
            const QString testo = tendina->currentText();
            tendina->setCurrentIndex(-1);
            tendina->setEditText(testo);
        }
        break;
    case QEvent::FocusOut:
        if (oggetto == ui->txtAnno)
            AggiornaAnno();
        else if (tendina && oggetto == tendina
                 && static_cast<QFocusEvent *>(evento)->reason() != Qt::PopupFocusReason)
            UscitaCampo(tendina);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(oggetto, evento);
}

// True when the key is swallowed.
bool TfrmMenuRiepPagamenti::TastoCampo(QWidget *campo, int tasto, const QString &carattere)
{
    if (tasto == Qt::Key_Tab || tasto == Qt::Key_Backtab)
        return false;
    if (Invio(tasto)) {
        QWidget *prossimo = nullptr;
        if (campo == ui->txtAnno) prossimo = ui->txtFornitore;
        else if (campo == ui->txtFornitore) prossimo = ui->txtCodice;
        else if (campo == ui->txtCodice) prossimo = ui->txtGiornoInizio;
        else if (campo == ui->txtGiornoInizio) prossimo = ui->txtMeseInizio;
        else if (campo == ui->txtMeseInizio) prossimo = ui->txtGiornoFine;
        else if (campo == ui->txtGiornoFine) prossimo = ui->txtMeseFine;
        else if (campo == ui->txtMeseFine) prossimo = ui->btnVisualizza;
        if (prossimo)
            prossimo->setFocus(Qt::TabFocusReason);
        return prossimo != nullptr;
    }
    if (campo == ui->txtFornitore || campo == ui->txtCodice)
        return false;
    const bool movimento = tasto == Qt::Key_Left || tasto == Qt::Key_Right;
    const bool cancella = tasto == Qt::Key_Backspace || tasto == Qt::Key_Delete;
    if (campo == ui->txtAnno) {
        if (movimento || cancella)
            return false;
        return !(carattere.size() == 1 && carattere.at(0) >= u'0' && carattere.at(0) <= u'9');
    }
    auto *tendina = qobject_cast<QComboBox *>(campo);
    if (!tendina)
        return false;
    // Days and months come from their lists; the keyboard can only clear them
    // (or open the list).
    if (cancella) {
        tendina->setCurrentIndex(-1);
        tendina->setEditText(QString());
        return true;
    }
    const bool apriElenco = tasto == Qt::Key_F4
        || ((tasto == Qt::Key_Down || tasto == Qt::Key_Up) && (QApplication::keyboardModifiers() & Qt::AltModifier));
    return !(movimento || apriElenco);
}

void TfrmMenuRiepPagamenti::UscitaCampo(QComboBox *campo)
{
    const QString testo = Testo::Trim(campo->currentText());
    const bool giorno = campo == ui->txtGiornoInizio || campo == ui->txtGiornoFine;
    const bool valido = giorno ? Giorni().contains(testo) : !ParteMese(testo).isEmpty();
    if (!valido) {
        campo->setCurrentIndex(-1);
        campo->setEditText(QString());
    }
}

void TfrmMenuRiepPagamenti::Rifiuta(const QString &avviso, QWidget *campo)
{
    ui->lblAttendere->hide();
    Desktop::Corrente().Messaggio(Desktop::Tipo::Avviso, avviso, this);
    campo->setFocus();
}

void TfrmMenuRiepPagamenti::btnVisualizzaClick()
{
    Desktop &desktop = Desktop::Corrente();
    ui->lblDataInizio->clear();
    ui->lblDataFine->clear();

    if (ui->txtAnno->text().size() != 4)
        return Rifiuta(QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."), ui->txtAnno);
    if (Testo::Trim(ui->txtGiornoInizio->currentText()).isEmpty())
        return Rifiuta(QStringLiteral("Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata."),
                       ui->txtGiornoInizio);
    if (Testo::Trim(ui->txtMeseInizio->currentText()).isEmpty())
        return Rifiuta(QStringLiteral("Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata."),
                       ui->txtMeseInizio);
    if (Testo::Trim(ui->txtGiornoFine->currentText()).isEmpty())
        return Rifiuta(QStringLiteral("Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata."),
                       ui->txtGiornoFine);
    if (Testo::Trim(ui->txtMeseFine->currentText()).isEmpty())
        return Rifiuta(QStringLiteral("Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata."),
                       ui->txtMeseFine);

    ui->lblDataInizio->setText(ComponiData(ui->txtGiornoInizio->currentText(),
                                           ui->txtMeseInizio->currentText(), ui->lblAnnoInizio->text()));
    const QString inizio = Testo::Trim(ui->lblDataInizio->text());
    if (!DataValida(ui->lblDataInizio->text())) {
        desktop.MessaggioSemplice(
            QStringLiteral("Attenzione: la data %1 di inizio intervallo non esiste.\n\r\n\r"
                           "Per poter visualizzare il riepilogo è necessario indicare una data valida.")
                .arg(inizio),
            this);
        ui->txtGiornoInizio->setFocus();
        ui->lblAttendere->hide();
        return;
    }
    ui->lblDataFine->setText(ComponiData(ui->txtGiornoFine->currentText(),
                                         ui->txtMeseFine->currentText(), ui->lblAnnoFine->text()));
    const QString fine = Testo::Trim(ui->lblDataFine->text());
    if (!DataValida(ui->lblDataFine->text())) {
        ui->lblAttendere->hide();
        desktop.MessaggioSemplice(
            QStringLiteral("Attenzione: la data %1 di fine intervallo non esiste.\n\r\n\r"
                           "Per poter visualizzare il riepilogo è necessario indicare una data valida.")
                .arg(fine),
            this);
        ui->txtGiornoFine->setFocus();
        return;
    }
    if (*Testo::LeggiData(inizio) > *Testo::LeggiData(fine)) {
        ui->lblAttendere->hide();
        desktop.MessaggioSemplice(
            QStringLiteral("Attenzione: la data di fine intervallo (%1) non può essere anteriore a quella "
                           "di inizio intervallo (%2).\n\r\n\r"
                           "Per poter visualizzare il riepilogo è necessario indicare un intervallo di "
                           "tempo valido.")
                .arg(fine, inizio),
            this);
        return;
    }

    try {
        if (m_perAnalisi) {
            // The same interval and filters, analysed instead of listed.
            m_perAnalisi = false;
            const CriteriRiepilogo criteri{ui->txtFornitore->text(), ui->txtCodice->text(),
                                           *Testo::LeggiData(inizio), *Testo::LeggiData(fine)};
            std::unique_ptr<QDialog> analisi(m_analisi(this, criteri));
            desktop.MostraModale(analisi.get());
            ui->lblAttendere->hide();
            return;
        }
        auto riepilogo = std::make_unique<TfrmRiepPagamenti>(this);
        desktop.MostraModale(riepilogo.get());
    } catch (const std::exception &) {
        ui->lblAttendere->hide();
        desktop.MessaggioSemplice(QStringLiteral("Attenzione: il file di archivio non risulta accessibile."), this);
    }
}
