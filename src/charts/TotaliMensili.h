#pragma once
// The twelve monthly totals of a calendar year: the amounts due of the
// records whose operation date falls in each month, rounded to the euro.

#include <QList>
#include <QString>
#include <array>
#include <stdexcept>

// Amounts due that cannot be read as a number, in records that count: every
// such record of the year, so that the user can find and correct them all.
class ErroreImporto : public std::runtime_error {
public:
    explicit ErroreImporto(QList<qint64> indici);
    QList<qint64> indici; // 0-based record positions, in file order
};

using Totali12 = std::array<double, 12>;

// Sums the amount due of every record of the archive at `percorso` whose
// operation date is written as "dd/mm/yyyy" with the year `anno` (matched as
// text by position, the date is never converted), month by month, and rounds
// each sum to the nearest whole euro, halves upward. Records of other years
// are never read past their date. Throws ErroreArchivio when the archive
// cannot be opened, created or read, and, after the whole scan, ErroreImporto
// naming every record whose amount due is not a number (an empty one
// included) or makes its month's sum overflow.
Totali12 TotaliMensili(const QString &percorso, const QString &anno);

// Rounds to the nearest whole number, halves upward (also below zero). The
// value first goes through its 15-digit text form, so a sum such as
// 10,20 + 5,30 counts as 15,5 and not as the 15,4999... the binary sum holds.
double ArrotondaEuro(double somma);
