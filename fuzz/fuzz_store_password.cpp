// The password store as any bytes a user or a tool may leave in the file:
// reading either gives a non-empty password or refuses the store as damaged,
// and changing the password rewrites only the bytes of the value, after
// which the store reads back the new password.
#include "access/Accesso.h"
#include "access/FileIni.h"
#include "platform/Testo.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t n)
{
    const QByteArrayView testo(reinterpret_cast<const char *>(dati), qsizetype(n));
    try {
        const QString p = Accesso::PasswordDaContenuto(testo);
        if (p.isEmpty() || Testo::Trim(p) != p)
            std::abort();
    } catch (const Accesso::StoreNonValido &) {
    }

    const auto valore = FileIni::TrovaValore(testo, "Accesso", "Valore");
    // A new password made of the first bytes, kept within what the scramble takes.
    QString nuova = QString::fromLatin1(testo.first(std::min<qsizetype>(testo.size(), 40)));
    if (Accesso::Controlla(nuova) != Accesso::Ammissibilita::Ammessa)
        nuova = QStringLiteral("nuova");
    try {
        const QByteArray dopo = Accesso::ContenutoConPassword(testo, nuova);
        if (!valore)
            std::abort();
        const QByteArrayView prima = testo.first(valore->inizio);
        const QByteArrayView resto = testo.sliced(valore->inizio + valore->lunghezza);
        if (!dopo.startsWith(prima) || !dopo.endsWith(resto) || dopo.size() < prima.size() + resto.size())
            std::abort();
        if (Accesso::PasswordDaContenuto(dopo) != Accesso::FormaNormale(nuova))
            std::abort();
    } catch (const Accesso::StoreNonValido &) {
        if (valore)
            std::abort();
    }
    return 0;
}
