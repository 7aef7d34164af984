#include "lists/ReportLista.h"

bool StampaReportLista(QWidget *chiamante, const QString &nomeReport, const QString &titolo,
                       const QStringList &righe)
{
    Q_UNUSED(chiamante);
    Q_UNUSED(nomeReport);
    Q_UNUSED(titolo);
    Q_UNUSED(righe);
    return false;
}
