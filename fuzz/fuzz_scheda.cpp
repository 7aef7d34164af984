// Any bytes as an archive: every record decodes, every field re-encodes to the
// same bytes, and the full scan sees exactly the whole records.
#include "register/Archivio.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t n)
{
    const size_t schede = n / TScheda::Dimensione;
    for (size_t k = 0; k < schede; ++k) {
        TScheda s;
        std::memcpy(s.byte.data(), dati + k * TScheda::Dimensione, TScheda::Dimensione);
        for (int c = 0; c < NumeroCampi; ++c) {
            const Campo campo = Campo(c);
            const QString t = s.Testo(campo);
            TScheda copia;
            copia.ImpostaTesto(campo, t);
            if (copia.Lunghezza(campo) != s.Lunghezza(campo)
                || std::memcmp(copia.Dati(campo), s.Dati(campo), size_t(s.Lunghezza(campo))) != 0)
                std::abort();
        }
    }
    static QTemporaryDir cartella;
    const QString percorso = Archivio::Percorso(cartella.path());
    {
        QFile f(percorso);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char *>(dati), qint64(n));
    }
    qint64 viste = 0;
    ScorriArchivio(percorso, [&](const TScheda &s, qint64 i) {
        if (i != viste || std::memcmp(s.byte.data(), dati + i * TScheda::Dimensione, TScheda::Dimensione) != 0)
            std::abort();
        ++viste;
        return true;
    });
    if (size_t(viste) != schede)
        std::abort();
    return 0;
}
