#pragma once
// Amount texts of the register: "0,00" form (optional minus, integer digits,
// a comma, exactly two decimals), half-up rounding on the double's exact value,
// and the balance due minus advance.

#include <QString>

namespace Importi {

// Amount fields hold at most this many characters, like the record's fields.
constexpr int LunghezzaMassima = 15;

// What an amount field does with a key press.
enum class Tasto {
    Avanza,  // Enter: move on to the next field
    Passa,   // editing keys, digits and the comma reach the field
    Scarta,  // everything else is swallowed
};
Tasto FiltraTasto(int tasto, const QString &carattere);

} // namespace Importi

// x rounded to the nearest hundredth, halves upward, judged on the exact
// binary value of x: 2.675 (really 2.67499999...) gives 2.67.
double Arrotonda2(double x);

// The text an amount field gets when the focus leaves it: empty or unreadable
// text gives "0,00", anything else its value rounded to two decimals. A value
// that cannot be written in LunghezzaMassima characters as an amount text
// (thirteen or more integer digits with sign, or exponent form) gives "0,00"
// too, so that a cut or unreadable amount never reaches the archive.
QString NormalizzaImporto(const QString &testo);

struct Importo3 {
    QString dovuto, acconto, saldo;
};
// Balance = due - advance. Empty fields become "0,00"; due and advance are
// otherwise kept as they are. If either cannot be read, or the balance does
// not fit an amount text, all three become "0,00".
Importo3 CalcolaSaldo(const QString &dovuto, const QString &acconto, const QString &saldo);
