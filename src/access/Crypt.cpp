#include "access/Crypt.h"

#include <cstdint>

namespace Crypt {

namespace {
constexpr std::uint16_t kChiaveIniziale = 0x5A3C;
constexpr std::uint16_t kMoltiplicatore = 0x6D2B;
constexpr std::uint16_t kAddendo = 0x3917;

std::uint16_t Avanza(std::uint16_t chiave, unsigned b)
{
    return std::uint16_t((b + chiave) * kMoltiplicatore + kAddendo);
}

int ValoreEsadecimale(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    return -1;
}
} // namespace

QString CodificaPassword(const QString &s)
{
    static const char cifre[] = "0123456789ABCDEF";
    QString r;
    r.reserve(s.size() * 2);
    std::uint16_t chiave = kChiaveIniziale;
    for (QChar c : s) {
        const unsigned b = (c.unicode() & 0xFF) ^ (chiave >> 8);
        r.append(QLatin1Char(cifre[b >> 4]));
        r.append(QLatin1Char(cifre[b & 0xF]));
        chiave = Avanza(chiave, b);
    }
    return r;
}

QString DecodificaPassword(const QString &h)
{
    const qsizetype n = h.size() / 2;
    QString r;
    r.reserve(n);
    std::uint16_t chiave = kChiaveIniziale;
    for (qsizetype i = 0; i < n; ++i) {
        const int alto = ValoreEsadecimale(h.at(2 * i));
        const int basso = ValoreEsadecimale(h.at(2 * i + 1));
        if (alto < 0 || basso < 0)
            throw ErroreDecodifica("valore non esadecimale");
        const unsigned v = unsigned(alto * 16 + basso);
        r.append(QChar(char16_t(v ^ (chiave >> 8))));
        chiave = Avanza(chiave, v);
    }
    return r;
}

} // namespace Crypt
