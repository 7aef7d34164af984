#include "register/Scheda.h"

#include "platform/Testo.h"

#include <cstring>

namespace {

struct Disposizione {
    int offset;
    int capacita;
};

constexpr std::array<int, NumeroCampi> kCapacita = {
    20, 10, 50, 16, 10, 30, 50, 120, 250, 15, 15, 15, 250, 2, 250, 250, 250, 250, 250, 250};

constexpr std::array<Disposizione, NumeroCampi> CalcolaDisposizione()
{
    std::array<Disposizione, NumeroCampi> d{};
    int off = 0;
    for (int i = 0; i < NumeroCampi; ++i) {
        d[i] = {off, kCapacita[i]};
        off += kCapacita[i] + 1;
    }
    return d;
}

constexpr auto kDisposizione = CalcolaDisposizione();
static_assert(kDisposizione[NumeroCampi - 1].offset + kDisposizione[NumeroCampi - 1].capacita + 1
              == TScheda::Dimensione);

} // namespace

int TScheda::Offset(Campo c) { return kDisposizione[int(c)].offset; }
int TScheda::Capacita(Campo c) { return kDisposizione[int(c)].capacita; }

int TScheda::Lunghezza(Campo c) const
{
    const int l = static_cast<unsigned char>(byte[Offset(c)]);
    return l > Capacita(c) ? Capacita(c) : l;
}

QString TScheda::Testo(Campo c) const
{
    return Testo::DecodificaCp1252(Dati(c), Lunghezza(c));
}

void TScheda::ImpostaTesto(Campo c, const QString &testo)
{
    QByteArray b = Testo::CodificaCp1252(testo);
    const int n = Capacita(c);
    if (b.size() > n)
        b.truncate(n);
    char *p = byte.data() + Offset(c);
    p[0] = char(b.size());
    std::memcpy(p + 1, b.constData(), size_t(b.size()));
    std::memset(p + 1 + b.size(), 0, size_t(n - b.size()));
}
