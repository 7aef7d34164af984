#include "platform/report/OggettoReport.h"

void OggettoReport::ImpostaTesto(const QString &testo)
{
    m_righe.clear();
    if (testo.isEmpty())
        return;
    QString t = testo;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_righe = t.split(QLatin1Char('\n'));
}

double OggettoReport::Passo() const
{
    if (interlinea > 0.0)
        return interlinea;
    // A usual single-spaced line: 1.2 times the font size.
    return stile.punti * 25.4 / 72.0 * 1.2;
}
