// The tax code and VAT number checks on any text: only texts of the right
// length and alphabet can pass, exactly one check character completes each
// prefix, and a single changed character is always caught.
#include "checks/CodiceFiscale.h"
#include "checks/NumeroPartitaIva.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool InTabella(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'Z'; }
bool Cifra(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; }

void ProvaCodFisc(const QString &t)
{
    const auto esito = VerificaCodFisc(t);
    if (esito.has_value() != (t.size() == LunghezzaCodFisc))
        std::abort();
    if (!esito)
        return;
    if (*esito)
        for (QChar c : t)
            if (!InTabella(c))
                std::abort();
    // Over the 26 letters exactly one completes a prefix inside the tables;
    // no other last character does.
    const QString prefisso = t.left(LunghezzaCodFisc - 1);
    bool dentro = true;
    for (QChar c : prefisso)
        dentro = dentro && InTabella(c);
    int giuste = 0;
    for (char16_t c = 0; c < 128; ++c) {
        const bool ok = VerificaCodFisc(prefisso + QChar(c)).value();
        if (ok && !(c >= u'A' && c <= u'Z'))
            std::abort();
        giuste += ok;
    }
    if (giuste != (dentro ? 1 : 0))
        std::abort();

    const QString n = NormalizzaCodFisc(t);
    if (NormalizzaCodFisc(n) != n)
        std::abort();
    if (!n.isEmpty() && (n.front().unicode() <= 32 || n.back().unicode() <= 32))
        std::abort();
    for (QChar c : n)
        if (c >= u'a' && c <= u'z')
            std::abort();
}

void ProvaPartitaIva(const QString &t)
{
    const bool ok = VerificaPartitaIva(t);
    if (ok && (t.size() != LunghezzaPartitaIva || !std::all_of(t.begin(), t.end(), Cifra)))
        std::abort();
    const QString codice = CodiceUfficioIva(t);
    if (codice != t.mid(7, 3))
        std::abort();
    const QString ufficio = UfficioIva(codice);
    if (!ufficio.isEmpty() && (codice.size() != 3 || !std::all_of(codice.begin(), codice.end(), Cifra)))
        std::abort();

    // Turn the text into ten digits and find the one check digit.
    if (t.isEmpty())
        return;
    QString cifre;
    for (qsizetype i = 0; cifre.size() < LunghezzaPartitaIva - 1; ++i)
        cifre += QChar(char16_t(u'0' + t.at(i % t.size()).unicode() % 10));
    int giuste = 0;
    QString valida;
    for (char16_t c = u'0'; c <= u'9'; ++c)
        if (VerificaPartitaIva(cifre + QChar(c))) {
            ++giuste;
            valida = cifre + QChar(c);
        }
    if (giuste != 1)
        std::abort();
    // Every single wrong digit, and every swap of two different adjacent
    // digits other than 0 and 9, is caught.
    for (qsizetype i = 0; i < valida.size(); ++i) {
        for (char16_t c = u'0'; c <= u'9'; ++c) {
            if (c == valida.at(i).unicode())
                continue;
            QString errata = valida;
            errata[i] = QChar(c);
            if (VerificaPartitaIva(errata))
                std::abort();
        }
        if (i + 1 < valida.size() && valida.at(i) != valida.at(i + 1)) {
            const int x = valida.at(i).unicode() - u'0', y = valida.at(i + 1).unicode() - u'0';
            if (x + y == 9 && (x == 0 || x == 9))
                continue;
            QString scambiata = valida;
            std::swap(scambiata[i], scambiata[i + 1]);
            if (VerificaPartitaIva(scambiata))
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t n)
{
    const QString u = QString::fromUtf8(reinterpret_cast<const char *>(dati), qsizetype(n));
    ProvaCodFisc(u);
    ProvaCodFisc(NormalizzaCodFisc(u));
    ProvaPartitaIva(u);
    ProvaPartitaIva(u.trimmed());
    return 0;
}
