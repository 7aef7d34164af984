#pragma once
// What every statement reader must hold, whatever the bytes: the table keeps
// its shape, every row and error points at a line of the file, every payment
// has a real date and an amount that writes and reads back the same, and the
// record it becomes fits the archive.
#include "imports/Estratto.h"
#include "imports/Importazione.h"
#include "imports/Mappatura.h"
#include "imports/Valori.h"
#include "platform/Testo.h"

#include <QByteArray>
#include <cstdlib>

inline void ProvaEstratto(const Estratto::Tabella &t, qsizetype linee)
{
    for (const auto &r : t.righe)
        if (r.celle.size() != t.colonne.size() || r.linea < 1 || r.linea > linee + 1)
            std::abort();
    for (const auto &e : t.errori)
        if (e.linea < 0 || e.linea > linee + 1 || e.perche.isEmpty())
            std::abort();
    const Interpretazione i = MappaturaEstratto::Interpreta(t, MappaturaEstratto::Proponi(t));
    if (i.movimenti.size() + i.errori.size() != (MappaturaEstratto::Incompleta(MappaturaEstratto::Proponi(t)).isEmpty()
                                                     ? t.righe.size()
                                                     : 0))
        std::abort();
    const QList<Importazione::Riga> righe = Importazione::Anteprima(i.movimenti, {}, 3);
    for (const auto &r : righe) {
        const Movimento &m = r.movimento;
        if (!m.data.isValid() || m.centesimi < 0 || m.centesimi >= 100'000'000'000'000'00LL)
            std::abort();
        if (r.spuntata != (m.uscita && !r.Doppione()))
            std::abort();
        const TScheda s = Importazione::Scheda(r, QStringLiteral("C"), QStringLiteral("T"));
        const QString dovuto = s.Testo(Campo::Dovuto);
        if (ValoriEstratto::LeggiCentesimi(dovuto, u',') != m.centesimi)
            std::abort();
        if (s.Testo(Campo::Fornitore) != r.fornitore || s.Testo(Campo::Servizi) != r.servizi)
            std::abort();
        if (Testo::LeggiData(s.Testo(Campo::Data)) != m.data)
            std::abort();
    }
}

inline qsizetype Linee(const QString &testo)
{
    return testo.count(u'\n') + testo.count(u'\r') + 1;
}
