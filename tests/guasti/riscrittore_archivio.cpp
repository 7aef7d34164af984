// Rewrites the records of an archive in place, one open-rewrite-close per
// record as the editor's save does, for ever: step j writes version j of
// record j % records, and prints j once it is closed.
//   riscrittore_archivio <archive> <first step> <records>
#include "Sequenza.h"
#include "register/Archivio.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 4)
        return 2;
    const QString percorso = QString::fromLocal8Bit(argv[1]);
    const long long primo = std::atoll(argv[2]);
    const long long schede = std::atoll(argv[3]);
    try {
        for (long long j = primo;; ++j) {
            Archivio a(percorso);
            a.ApriArchivio();
            a.ScriviScheda(j % schede, SchedaVersione(j % schede, j));
            a.Chiudi();
            std::printf("%lld\n", j);
            std::fflush(stdout);
        }
    } catch (const ErroreArchivio &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
