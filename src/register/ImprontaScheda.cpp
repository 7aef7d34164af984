#include "register/ImprontaScheda.h"

#include <QtEndian>
#include <algorithm>
#include <array>

ImprontaScheda::ImprontaScheda(std::span<const Campo> campi)
{
    for (Campo c : campi) {
        const Posto p{TScheda::Offset(c), TScheda::Capacita(c)};
        // Words are read whole, up to 7 bytes past a field: the record must go on that far.
        if (p.offset + 1 + p.capacita + 8 > TScheda::Dimensione)
            qFatal("impronta: un campo e' troppo vicino alla fine della scheda");
        m_posti.push_back(p);
    }
}

quint32 ImprontaScheda::operator()(const TScheda &s) const
{
    // The first r bytes of a little-endian word.
    static constexpr std::array<quint64, 9> kMaschere = {
        0, 0xFF, 0xFFFF, 0xFFFFFF, 0xFFFFFFFF, 0xFFFFFFFFFF, 0xFFFFFFFFFFFF, 0xFFFFFFFFFFFFFF, ~quint64(0)};
    // Words are folded by independent multiplications rather than one chain,
    // so that a scan of every record pays little for it.
    quint64 h = 0;
    quint64 k = 0x9E3779B97F4A7C15ull;
    for (const Posto &p : m_posti) {
        const int n = std::min(int(static_cast<unsigned char>(s.byte[size_t(p.offset)])), p.capacita);
        const char *d = s.byte.data() + p.offset + 1;
        h += quint64(n + 1) * k;
        k += 0x632BE59BD9B4E01Aull; // stays odd
        for (int i = 0; i < n; i += 8) {
            const quint64 v = qFromLittleEndian<quint64>(d + i) & kMaschere[size_t(std::min(n - i, 8))];
            h += (v ^ (v >> 31)) * k;
            k += 0x632BE59BD9B4E01Aull;
        }
    }
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return quint32(h);
}
