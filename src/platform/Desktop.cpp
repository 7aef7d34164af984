#include "platform/Desktop.h"

#include "platform/Attesa.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QProgressDialog>

namespace {
Desktop *g_installato = nullptr;

// Every program with a desktop shows long work through it, also the work of
// objects that have no widgets of their own.
const bool g_lavori = (Avanzamento::InstallaGestore(&Attesa::Gestore()), true);

QWidget *Genitore(QWidget *g)
{
    return g ? g : QApplication::activeWindow();
}
} // namespace

Desktop &Desktop::Corrente()
{
    static DesktopReale reale;
    return g_installato ? *g_installato : reale;
}

void Desktop::Installa(Desktop *d) { g_installato = d; }

void DesktopReale::Messaggio(Tipo tipo, const QString &testo, QWidget *genitore)
{
    QMessageBox::Icon icona = QMessageBox::Information;
    QString titolo = QStringLiteral("Informazione");
    if (tipo == Tipo::Avviso) {
        icona = QMessageBox::Warning;
        titolo = QStringLiteral("Avviso");
    } else if (tipo == Tipo::Errore) {
        icona = QMessageBox::Critical;
        titolo = QStringLiteral("Errore");
    }
    QMessageBox box(icona, titolo, testo, QMessageBox::Ok | QMessageBox::Cancel, Genitore(genitore));
    box.exec();
}

bool DesktopReale::Domanda(const QString &testo, QWidget *genitore)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Conferma"), testo,
                    QMessageBox::Yes | QMessageBox::No, Genitore(genitore));
    return box.exec() == QMessageBox::Yes;
}

Desktop::Scelta DesktopReale::DomandaConAnnulla(const QString &testo, QWidget *genitore)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Conferma"), testo,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, Genitore(genitore));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Scelta::Si;
    case QMessageBox::No:
        return Scelta::No;
    default:
        return Scelta::Annulla;
    }
}

void DesktopReale::MessaggioSemplice(const QString &testo, QWidget *genitore)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Valmora"), testo, QMessageBox::Ok,
                    Genitore(genitore));
    box.exec();
}

std::optional<QString> DesktopReale::InputBox(const QString &titolo, const QString &richiesta,
                                              const QString &valore, QWidget *genitore)
{
    bool ok = false;
    const QString r = QInputDialog::getText(Genitore(genitore), titolo, richiesta,
                                            QLineEdit::Normal, valore, &ok);
    if (!ok)
        return std::nullopt;
    return r;
}

QString DesktopReale::FiltroDialogo(const QString &filtro)
{
    // "*.*" says "every file" where it comes from; here it would leave out
    // the names without a dot.
    QString r = filtro;
    static const QRegularExpression ogniFile(QStringLiteral("(^|[ (;])\\*\\.\\*(?=[ );]|$)"));
    r.replace(ogniFile, QStringLiteral("\\1*"));
    return r;
}

QString DesktopReale::ApriFile(const QString &titolo, const QString &filtro, QWidget *genitore)
{
    return QFileDialog::getOpenFileName(Genitore(genitore), titolo, QString(), FiltroDialogo(filtro));
}

int DesktopReale::MostraModale(QDialog *dialogo) { return dialogo->exec(); }

bool DesktopReale::DialogoStampa(QPrinter &stampante, QWidget *genitore)
{
    QPrintDialog dlg(&stampante, Genitore(genitore));
    return dlg.exec() == QDialog::Accepted;
}

void DesktopReale::ApriUrl(const QUrl &url) { QDesktopServices::openUrl(url); }

namespace {
// Work shorter than this passes with the busy cursor alone.
constexpr qint64 kMostraAvanzamentoMs = 300;
// How often the windows are painted again while the work goes on.
constexpr qint64 kRidisegnoMs = 40;
} // namespace

void DesktopReale::InizioLavoro(QWidget *, const QString &testo)
{
    if (m_lavori++ > 0)
        return;
    m_testoLavoro = testo;
    m_lavoro.start();
    m_disegno.start();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Whatever was just dismissed (a question box) leaves the screen now.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void DesktopReale::AvanzamentoLavoro(QWidget *finestra, int percento)
{
    if (m_lavori == 0 || m_disegno.elapsed() < kRidisegnoMs)
        return;
    if (!m_avanzamento && m_lavoro.elapsed() >= kMostraAvanzamentoMs) {
        m_avanzamento = new QProgressDialog(m_testoLavoro, QString(), 0, 100, Genitore(finestra));
        m_avanzamento->setWindowTitle(QStringLiteral("Attendere"));
        m_avanzamento->setAccessibleName(QStringLiteral("Avanzamento del lavoro"));
        // Not modal: a modal box handles every pending event, clicks and keys
        // included, at each step, and the user could act on half-done work.
        // Input waits for the work's end instead (see below).
        m_avanzamento->setWindowModality(Qt::NonModal);
        m_avanzamento->setMinimumDuration(0);
        m_avanzamento->setAutoClose(false);
        m_avanzamento->setAutoReset(false);
        m_avanzamento->show();
    }
    if (m_avanzamento)
        m_avanzamento->setValue(percento);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_disegno.restart();
}

void DesktopReale::FineLavoro(QWidget *)
{
    if (m_lavori == 0 || --m_lavori > 0)
        return;
    delete m_avanzamento;
    QApplication::restoreOverrideCursor();
}

QDate DesktopReale::Oggi() const { return QDate::currentDate(); }

QDateTime DesktopReale::Adesso() const { return QDateTime::currentDateTime(); }

QString DesktopReale::CartellaProgramma() const { return QCoreApplication::applicationDirPath(); }
