#pragma once
// The Italian VAT number: eleven digits, the 8th to the 10th naming the
// provincial office that issued it, the 11th a check digit.

#include <QString>

constexpr int LunghezzaPartitaIva = 11;

// True when the text is eleven digits 0-9 whose last digit is the right check
// digit for the first ten. Any other text gives false.
bool VerificaPartitaIva(const QString &numero);

// The office code of a VAT number: its 8th, 9th and 10th characters (fewer
// when the text is shorter).
QString CodiceUfficioIva(const QString &numero);

// The name of the VAT office with the given three-digit code, compared as
// text; empty for a code no office has.
QString UfficioIva(const QString &codice);
