// Appends records of the test sequence to an archive, one open-append-close
// per record as the editor's save does, and prints each count as it lands.
//   scrittore_archivio <archive> <how many>
#include "Sequenza.h"
#include "register/Archivio.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 3)
        return 2;
    const QString percorso = QString::fromLocal8Bit(argv[1]);
    const long quante = std::atol(argv[2]);
    try {
        for (long k = 0; k < quante; ++k) {
            Archivio a(percorso);
            a.ApriArchivio();
            const qint64 i = a.NumeroSchede();
            a.ScriviScheda(i, SchedaDiSequenza(i));
            a.Chiudi();
            std::printf("%lld\n", static_cast<long long>(i + 1));
            std::fflush(stdout);
        }
    } catch (const ErroreArchivio &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
