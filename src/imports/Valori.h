#pragma once
// Dates and amounts as banks write them in their statements.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace ValoriEstratto {

// Which of day and month a numeric date puts first.
enum class Ordine { GiornoMese, MeseGiorno };

// "dd/mm/yyyy", "d/m/yy", "dd-mm-yyyy", "dd.mm.yyyy", "yyyy-mm-dd",
// "yyyymmdd" (OFX, with a time after it) and QIF's "m/d'yy". A two-digit
// year is 2000-2099. A day the calendar does not have is no date.
std::optional<QDate> LeggiData(const QString &testo, Ordine ordine = Ordine::GiornoMese);
// The order of a column: month first only when some value can be read no
// other way (a second part above 12 and no first part above 12).
Ordine OrdineColonna(const QStringList &valori);

// The decimal separator most values of a column use: ',' or '.'.
QChar DecimaleColonna(const QStringList &valori);
// An amount in cents: optional sign (leading or trailing minus, plus,
// parentheses), thousands separators, the given decimal separator, at most two
// decimals (more only when they are zeros), blanks and the euro sign around.
// Nothing when the text is not such an amount or has more than 12 integer
// digits: the amount fields of a record hold 15 characters.
std::optional<qint64> LeggiCentesimi(const QString &testo, QChar decimale);
// "1234,56", "-0,05": the register's amount text.
QString TestoImporto(qint64 centesimi);

} // namespace ValoriEstratto
