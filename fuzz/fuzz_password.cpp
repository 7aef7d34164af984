// The stored password value comes from a file the user can edit: unscrambling
// any text either fails cleanly or gives half as many characters; a scrambled
// value always unscrambles to the text it came from.
#include "access/Crypt.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t n)
{
    const QString h = QString::fromLatin1(reinterpret_cast<const char *>(dati), qsizetype(n));
    try {
        const QString p = Crypt::DecodificaPassword(h);
        if (p.size() != h.size() / 2)
            std::abort();
    } catch (const Crypt::ErroreDecodifica &) {
    }
    const QString s = h.left(255);
    if (Crypt::DecodificaPassword(Crypt::CodificaPassword(s)) != s)
        std::abort();
    return 0;
}
