#pragma once
// A date typed on the keyboard into the date import: day, month and year,
// as "dd/mm/yyyy" or "d/m/yyyy", or as eight digits "ddmmyyyy" without the
// slashes. Anything else, and a day that the calendar does not have
// (31/02/2024, 2/13/2024), is no date: never a guess at one.

#include <QDate>
#include <QString>
#include <optional>

std::optional<QDate> LeggiDataDigitata(const QString &testo);
