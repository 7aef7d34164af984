#include "checks/CodiceFiscale.h"

#include "platform/Testo.h"

#include <array>
#include <cstdint>

namespace {

// Both tables run from '0' (48) to 'Z' (90). The seven codes between '9' and
// 'A' (':' to '@') count 0 in both.
constexpr char16_t kPrimo = u'0';
constexpr char16_t kUltimo = u'Z';

// Published values for characters in odd positions (1st, 3rd, ... 15th).
constexpr std::array<std::uint8_t, 43> kDispari = {
    // 0   1   2   3   4   5   6   7   8   9
       1,  0,  5,  7,  9, 13, 15, 17, 19, 21,
    // :   ;   <   =   >   ?   @
       0,  0,  0,  0,  0,  0,  0,
    // A   B   C   D   E   F   G   H   I   J   K   L   M
       1,  0,  5,  7,  9, 13, 15, 17, 19, 21,  2,  4, 18,
    // N   O   P   Q   R   S   T   U   V   W   X   Y   Z
      20, 11,  3,  6,  8, 12, 14, 16, 10, 22, 25, 24, 23};

// Published values for characters in even positions: a digit's own value,
// a letter's place in the alphabet counting A as 0.
constexpr std::array<std::uint8_t, 43> kPari = {
    // 0   1   2   3   4   5   6   7   8   9
       0,  1,  2,  3,  4,  5,  6,  7,  8,  9,
    // :   ;   <   =   >   ?   @
       0,  0,  0,  0,  0,  0,  0,
    // A   B   C   D   E   F   G   H   I   J   K   L   M
       0,  1,  2,  3,  4,  5,  6,  7,  8,  9, 10, 11, 12,
    // N   O   P   Q   R   S   T   U   V   W   X   Y   Z
      13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25};

static_assert(kPrimo + kDispari.size() - 1 == kUltimo);

} // namespace

std::optional<bool> VerificaCodFisc(const QString &codice)
{
    if (codice.size() != LunghezzaCodFisc)
        return std::nullopt;

    int somma = 0;
    for (int i = 0; i < LunghezzaCodFisc - 1; ++i) {
        const char16_t c = codice.at(i).unicode();
        // No table entry: such a code cannot be a tax code, so it is wrong
        // rather than counted as anything.
        if (c < kPrimo || c > kUltimo)
            return false;
        // i counts from 0, so an even i is an odd position.
        const auto &tabella = (i % 2 == 0) ? kDispari : kPari;
        somma += tabella[c - kPrimo];
    }
    const QChar controllo(char16_t(u'A' + somma % 26));
    return codice.at(LunghezzaCodFisc - 1) == controllo;
}

QString NormalizzaCodFisc(const QString &testo)
{
    return Testo::MaiuscoloAscii(Testo::Trim(testo));
}
