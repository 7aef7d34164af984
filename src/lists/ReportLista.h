#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "platform/report/Report.h"

class QWidget;

// Prints result-list lines as the list report (A4 landscape): the title bar
// once on the first page, the lines in a monospaced body split over as many
// pages as they need, and the closing bar with the date and time of printing
// once after the last line. Goes through the print dialog of the desktop
// seam; cancelling it prints nothing. Returns true when the report was printed.
bool StampaReportLista(QWidget *chiamante, const QString &nomeReport, const QString &titolo,
                       const QStringList &righe);

// The same report filled and prepared, without printing it.
std::optional<Report> PreparaReportLista(const QString &nomeReport, const QString &titolo,
                                         const QStringList &righe);
