#include "platform/LavoroInCorso.h"

#include <QApplication>
#include <QProgressBar>
#include <QWidget>

namespace {
int g_soglia = 300;

void Ridisegna()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
} // namespace

int LavoroInCorso::Soglia() { return g_soglia; }
void LavoroInCorso::ImpostaSoglia(int millisecondi) { g_soglia = millisecondi; }

LavoroInCorso::LavoroInCorso(QWidget *finestra, QProgressBar *barra)
    : m_finestra(finestra), m_barra(barra)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Ridisegna();
    // Painted now, not at the next turn of the event loop that the work holds up.
    if (m_finestra)
        m_finestra->repaint();
    m_orologio.start();
}

LavoroInCorso::~LavoroInCorso()
{
    if (m_barra)
        m_barra->hide();
    QApplication::restoreOverrideCursor();
}

void LavoroInCorso::Avanza(qint64 fatto, qint64 totale)
{
    if (m_barra && m_orologio.elapsed() >= g_soglia) {
        if (!m_barra->isVisible()) {
            m_barra->setRange(0, 1000);
            m_barra->show();
        }
        m_barra->setValue(totale > 0 ? int(qMin<qint64>(fatto, totale) * 1000 / totale) : 0);
    }
    Ridisegna();
}
