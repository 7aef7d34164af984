#pragma once
// The grid of days of a QCalendarWidget as a screen reader meets it. Qt's own
// table names a day by its number alone, names its hidden headers by their
// position ("3" for Wednesday), and a reader moving to another week reads the
// whole row of numbers. Here every day is named in full, "martedì 5 marzo
// 2024", and the row of weekday names reads as column headers named in full.

#include <QDate>
#include <QString>

class QCalendarWidget;

namespace CalendarioAccessibile {

// A date as the reader says it, in Italian: "martedì 5 marzo 2024".
QString DataCompleta(QDate data);

// Puts the grid's interface in place for every calendar's grid not yet met
// by the accessibility layer; done once, at start.
void Registra();

// Keeps the calendar telling the chosen date as it moves (and registers).
void Prepara(QCalendarWidget *calendario);

} // namespace CalendarioAccessibile
