#include "charts/TotaliMensili.h"

#include "platform/Testo.h"
#include "register/Archivio.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

ErroreImporto::ErroreImporto(QList<qint64> i)
    : std::runtime_error("importo dovuto non numerico"), indici(std::move(i))
{
}

namespace {

bool Vuoto(char c) { return static_cast<unsigned char>(c) <= 32; }

// Trimmed window [da, da + n) of a trimmed text padded with blanks.
struct Finestra {
    const char *p;
    int n;
};

Finestra Taglia(const char *testo, int lunghezza, int da, int n)
{
    // Positions past the end of the text read as blanks.
    int fine = std::min(da + n, lunghezza);
    int inizio = da;
    if (inizio >= fine)
        return {testo, 0};
    while (inizio < fine && Vuoto(testo[inizio]))
        ++inizio;
    while (fine > inizio && Vuoto(testo[fine - 1]))
        --fine;
    return {testo + inizio, fine - inizio};
}

// The month of a date given as windows-1252 bytes, or -1. `anno` is the
// trimmed year already encoded; a year the code page cannot hold never
// matches, so the caller passes an impossible one then.
int Mese(const char *dati, int lunghezza, const QByteArray &anno)
{
    // Trim the stored text: what follows is counted from its first character.
    int inizio = 0;
    int fine = lunghezza;
    while (inizio < fine && Vuoto(dati[inizio]))
        ++inizio;
    while (fine > inizio && Vuoto(dati[fine - 1]))
        --fine;
    const char *d = dati + inizio;
    const int n = fine - inizio;

    const Finestra a = Taglia(d, n, 6, 4);
    if (a.n != anno.size() || std::memcmp(a.p, anno.constData(), size_t(a.n)) != 0)
        return -1;
    const Finestra m = Taglia(d, n, 3, 2);
    if (m.n != 2)
        return -1;
    const int decine = m.p[0] - '0';
    const int unita = m.p[1] - '0';
    if (decine < 0 || decine > 1 || unita < 0 || unita > 9)
        return -1;
    const int mese = decine * 10 + unita;
    return mese >= 1 && mese <= 12 ? mese - 1 : -1;
}

QByteArray AnnoCodificato(const QString &anno)
{
    const QString y = Testo::Trim(anno);
    for (QChar c : y)
        if (!Testo::InCp1252(c))
            return QByteArray(); // never equal to a non-empty year window
    return Testo::CodificaCp1252(y);
}

} // namespace

double ArrotondaEuro(double somma)
{
    const std::optional<double> v = Testo::LeggiNumero(Testo::FormatoGenerale(somma));
    if (!v)
        return somma; // not finite: the caller refuses it before
    return std::floor(*v + 0.5);
}

Totali12 TotaliMensili(const QString &percorso, const QString &anno)
{
    const QByteArray y = AnnoCodificato(anno);
    const bool annoImpossibile = y.isEmpty() && !Testo::Trim(anno).isEmpty();
    Totali12 somme{};
    QList<qint64> illeggibili;
    const int offData = TScheda::Offset(Campo::Data), capData = TScheda::Capacita(Campo::Data);
    const int offDovuto = TScheda::Offset(Campo::Dovuto), capDovuto = TScheda::Capacita(Campo::Dovuto);
    const auto lunghezza = [](const TScheda &s, int offset, int capacita) {
        const int n = static_cast<unsigned char>(s.byte[size_t(offset)]);
        return n > capacita ? capacita : n;
    };
    // A year no record can hold: the archive is still opened (and created when
    // missing), as for any other year, but not read.
    if (annoImpossibile) {
        ScorriArchivioABlocchi(percorso, [](const TScheda *, qint64, qint64) { return false; });
        return Totali12{};
    }
    // Whether an amount can be added depends on the sum so far: the second
    // part of the archive keeps its records of the year, added after the
    // first part's in file order, so the sums are those of one reading.
    struct Voce {
        qint64 indice;
        int mese;
        std::optional<double> importo;
    };
    std::vector<Voce> seconda;
    const auto aggiungi = [&](qint64 indice, int mese, std::optional<double> importo) {
        if (!importo || !std::isfinite(somme[size_t(mese)] + *importo)) {
            illeggibili.append(indice);
            return;
        }
        somme[size_t(mese)] += *importo;
    };
    ScorriArchivioInParti(percorso, [&](int parte, const TScheda *schede, qint64 quante, qint64 primo) {
        for (qint64 k = 0; k < quante; ++k) {
            const TScheda &s = schede[k];
            const int mese = Mese(s.byte.data() + offData + 1, lunghezza(s, offData, capData), y);
            if (mese < 0)
                continue;
            // The amount read from its stored bytes, as its decoded text would read.
            const std::optional<double> importo = Testo::LeggiNumeroCp1252(
                QByteArrayView(s.byte.data() + offDovuto + 1, lunghezza(s, offDovuto, capDovuto)));
            if (parte == 0)
                aggiungi(primo + k, mese, importo);
            else
                seconda.push_back({primo + k, mese, importo});
        }
    });
    for (const Voce &v : seconda)
        aggiungi(v.indice, v.mese, v.importo);
    if (!illeggibili.isEmpty())
        throw ErroreImporto(std::move(illeggibili));
    Totali12 totali{};
    for (size_t m = 0; m < totali.size(); ++m)
        totali[m] = ArrotondaEuro(somme[m]);
    return totali;
}
