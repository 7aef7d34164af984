// Outside text read as a number, a date, or windows-1252: nothing crashes, and
// what reads back is consistent with what was written.
#include "platform/Testo.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t n)
{
    const QString t = Testo::DecodificaCp1252(reinterpret_cast<const char *>(dati), qsizetype(n));
    if (Testo::CodificaCp1252(t) != QByteArray(reinterpret_cast<const char *>(dati), qsizetype(n)))
        std::abort();
    const QString u = QString::fromUtf8(reinterpret_cast<const char *>(dati), qsizetype(n));
    (void)Testo::CodificaCp1252(u);
    (void)Testo::Trim(u);
    if (const auto v = Testo::LeggiNumero(u)) {
        if (!std::isfinite(*v))
            std::abort();
        // The general form reads back within its 15 significant digits.
        const auto w = Testo::LeggiNumero(Testo::FormatoGenerale(*v));
        if (!w || std::fabs(*w - *v) > std::fabs(*v) * 1e-14)
            std::abort();
    }
    if (const auto d = Testo::LeggiData(u)) {
        if (!d->isValid() || Testo::FormattaData(*d) != u)
            std::abort();
    }
    return 0;
}
