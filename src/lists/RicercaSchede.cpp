#include "lists/RicercaSchede.h"

#include "platform/Frammento.h"
#include "platform/Testo.h"
#include "register/Archivio.h"

#include <vector>

bool CriterioCompilato(const CriterioRicerca &c) { return !Testo::Trim(c.testo).isEmpty(); }

RigheScheda CercaSchede(const QString &percorsoArchivio, const QList<CriterioRicerca> &criteri)
{
    struct Compilato {
        Campo campo;
        FrammentoCp1252 frammento;
    };
    std::vector<Compilato> compilati;
    for (const CriterioRicerca &c : criteri)
        if (CriterioCompilato(c))
            compilati.push_back({c.campo, FrammentoCp1252(c.testo)});

    RigheScheda esito;
    RiservaPerArchivio(esito, percorsoArchivio);
    ScorriArchivio(percorsoArchivio, [&](const TScheda &s, qint64 indice) {
        for (const Compilato &c : compilati)
            if (!c.frammento.In(QByteArrayView(s.Dati(c.campo), s.Lunghezza(c.campo))))
                return true;
        esito.Aggiungi(s, indice);
        return true;
    });
    return esito;
}

RigheScheda ContiDaSaldare(const QString &percorsoArchivio)
{
    // "Sì" as stored: the bytes are compared, not their decoded text.
    const QByteArray si = Testo::CodificaCp1252(QStringLiteral("S\u00EC"));
    RigheScheda esito;
    RiservaPerArchivio(esito, percorsoArchivio);
    ScorriArchivio(percorsoArchivio, [&](const TScheda &s, qint64 indice) {
        const QByteArrayView stato(s.Dati(Campo::DaSaldare), s.Lunghezza(Campo::DaSaldare));
        if (Testo::TrimByte(stato) == si)
            esito.Aggiungi(s, indice);
        return true;
    });
    return esito;
}

std::optional<TScheda> RitrovaScheda(const QString &percorsoArchivio, qint64 indice,
                                     const QString &riga)
{
    Archivio a(percorsoArchivio);
    a.ApriArchivio();
    std::optional<TScheda> esito;
    if (indice >= 0 && indice < a.NumeroSchede()) {
        const TScheda s = a.LeggiScheda(indice);
        if (Testo::Trim(RigaScheda(s)) == Testo::Trim(riga))
            esito = s;
    }
    a.Chiudi();
    return esito;
}
