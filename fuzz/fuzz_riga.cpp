// The list line of any record: the date, code, product and payee columns
// always sit at the same places with their fixed widths, each showing the
// start of its trimmed field, and the line ends with the amount as stored.
#include "lists/RigaScheda.h"
#include "platform/Testo.h"

#include <cstdlib>
#include <cstring>

namespace {

struct Colonna {
    const char16_t *etichetta;
    Campo campo;
    qsizetype larghezza;
};

constexpr Colonna kColonne[] = {
    {u"Data: ", Campo::Data, 10},
    {u"  Cod. ", Campo::Codice, 26},
    {u"  ", Campo::Servizi, 45},
    {u"  ", Campo::Fornitore, 34},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t n)
{
    TScheda s;
    std::memset(s.byte.data(), ' ', TScheda::Dimensione);
    std::memcpy(s.byte.data(), dati, std::min(n, size_t(TScheda::Dimensione)));

    const QString riga = RigaScheda(s);
    qsizetype p = 0;
    for (const Colonna &c : kColonne) {
        const QString etichetta = QString::fromUtf16(c.etichetta);
        if (QStringView(riga).mid(p, etichetta.size()) != etichetta)
            std::abort();
        p += etichetta.size();
        const QString valore = Testo::Trim(s.Testo(c.campo));
        const QStringView cella = QStringView(riga).mid(p, c.larghezza);
        if (cella.size() != c.larghezza)
            std::abort();
        const qsizetype mostrati = std::min(valore.size(), c.larghezza);
        if (cella.left(mostrati) != QStringView(valore).left(mostrati))
            std::abort();
        for (QChar b : cella.mid(mostrati))
            if (b != u' ')
                std::abort();
        p += c.larghezza;
    }
    const QString coda = QStringLiteral("  Tot. \u20AC ");
    if (QStringView(riga).mid(p, coda.size()) != coda)
        std::abort();
    p += coda.size();
    if (p != 141 || QStringView(riga).mid(p) != Testo::Trim(s.Testo(Campo::Dovuto)))
        std::abort();

    RigheScheda righe;
    righe.Aggiungi(s, qint64(n));
    if (righe.size() != 1 || righe.righe.at(0) != riga || righe.Posizioni().front() != qint64(n))
        std::abort();
    return 0;
}
