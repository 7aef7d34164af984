#include "Operazioni.h"

#include "register/Archivio.h"

#include <QFile>
#include <memory>

namespace Operazioni {

namespace {

qint64 LetturaGrezza(const QString &percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    constexpr qint64 kBlocco = 1 << 20;
    auto buffer = std::make_unique<char[]>(kBlocco);
    qint64 totale = 0, somma = 0;
    for (;;) {
        const qint64 n = f.read(buffer.get(), kBlocco);
        if (n <= 0)
            break;
        totale += n;
        somma += buffer[0];
    }
    return totale + (somma & 1);
}

qint64 LeggiTutte(const QString &percorso)
{
    qint64 caratteri = 0;
    ScorriArchivio(percorso, [&](const TScheda &s, qint64) {
        caratteri += s.Lunghezza(Campo::Fornitore);
        return true;
    });
    return caratteri;
}

qint64 UltimaScheda(const QString &percorso)
{
    Archivio a(percorso);
    a.ApriArchivio();
    const TScheda s = a.LeggiScheda(a.NumeroSchede() - 1);
    a.Chiudi();
    return s.Testo(Campo::Fornitore).size();
}

} // namespace

const QList<Operazione> &Tutte()
{
    static const QList<Operazione> tutte = {
        {QStringLiteral("grezza"), QStringLiteral("lettura grezza del file"), LetturaGrezza},
        {QStringLiteral("scansione"), QStringLiteral("apri, conta e leggi ogni scheda"), LeggiTutte},
        {QStringLiteral("ultima"), QStringLiteral("editor: ultima scheda"), UltimaScheda},
    };
    return tutte;
}

const Operazione *Trova(const QString &nome)
{
    for (const Operazione &o : Tutte())
        if (o.nome == nome)
            return &o;
    return nullptr;
}

} // namespace Operazioni
