#pragma once
// Amount texts of the register: "0,00" form (optional minus, integer digits,
// a comma, exactly two decimals), half-up rounding on the double's exact value,
// and the balance due minus advance.

#include <QString>
#include <optional>

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

// The normalised text of an amount, as leaving its field gives it: empty or
// unreadable text gives "0,00" (it counts as zero), anything else its value
// rounded to two decimals. Nothing when the value can be read but cannot be
// written as an amount text of LunghezzaMassima characters (thirteen or more
// integer digits with sign, or exponent form): such an amount is reported to
// the user, never cut nor turned into zero.
std::optional<QString> ImportoNormalizzato(const QString &testo);

// The text an amount field gets when the focus leaves it: the normalised
// text, or the text as it stands when it is too long, so that a save can
// point at it.
QString NormalizzaImporto(const QString &testo);

// Text pasted into an amount field, cleaned of what a copied amount often
// carries and the key filter never lets in: blanks, the euro sign and the
// thousands dots ("1.234,56 €" gives "1234,56"). Dots that are not thousands
// separators (as in "1.5" or "1,234.56") stay, so the text cannot be read and
// is refused rather than read as another value.
QString PulisciImportoIncollato(const QString &testo);

struct Importo3 {
    QString dovuto, acconto, saldo;
};
// Balance = due - advance. Empty fields, and a due or an advance that cannot
// be read, become "0,00" each on its own: the other amounts are kept as they
// are. Nothing when the balance does not fit an amount text.
std::optional<Importo3> CalcolaSaldo(const QString &dovuto, const QString &acconto,
                                     const QString &saldo);
