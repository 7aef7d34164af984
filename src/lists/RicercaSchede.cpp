#include "lists/RicercaSchede.h"

#include "platform/Frammento.h"
#include "platform/Testo.h"
#include "register/Archivio.h"

#include <vector>

bool CriterioCompilato(const CriterioRicerca &c) { return !Testo::Trim(c.testo).isEmpty(); }

namespace {

// A field's stored bytes, as TScheda::Dati and Lunghezza give them, from a
// position looked up once per scan rather than once per record.
struct Posto {
    int offset; // of the length byte
    int capacita;

    explicit Posto(Campo c) : offset(TScheda::Offset(c)), capacita(TScheda::Capacita(c)) {}
    QByteArrayView In(const TScheda &s) const
    {
        const int n = static_cast<unsigned char>(s.byte[size_t(offset)]);
        return QByteArrayView(s.byte.data() + offset + 1, n > capacita ? capacita : n);
    }
};

} // namespace

RigheScheda CercaSchede(const QString &percorsoArchivio, const QList<CriterioRicerca> &criteri)
{
    struct Compilato {
        Posto posto;
        FrammentoCp1252 frammento;
    };
    std::vector<Compilato> compilati;
    for (const CriterioRicerca &c : criteri)
        if (CriterioCompilato(c))
            compilati.push_back({Posto(c.campo), FrammentoCp1252(c.testo)});

    RighePerParte parti;
    RiservaPerArchivio(parti, percorsoArchivio);
    ScorriArchivioInParti(percorsoArchivio, [&](int parte, const TScheda *schede, qint64 quante, qint64 primo) {
        RigheScheda &esito = parti[size_t(parte)];
        for (qint64 k = 0; k < quante; ++k) {
            const TScheda &s = schede[k];
            bool tutti = true;
            for (const Compilato &c : compilati)
                if (!c.frammento.In(c.posto.In(s))) {
                    tutti = false;
                    break;
                }
            if (tutti)
                esito.Aggiungi(s, primo + k);
        }
    });
    return Unisci(parti);
}

RigheScheda ContiDaSaldare(const QString &percorsoArchivio)
{
    // "Sì" as stored: the bytes are compared, not their decoded text.
    const QByteArray si = Testo::CodificaCp1252(QStringLiteral("S\u00EC"));
    const Posto stato(Campo::DaSaldare);
    RighePerParte parti;
    RiservaPerArchivio(parti, percorsoArchivio);
    ScorriArchivioInParti(percorsoArchivio, [&](int parte, const TScheda *schede, qint64 quante, qint64 primo) {
        for (qint64 k = 0; k < quante; ++k)
            if (Testo::TrimByte(stato.In(schede[k])) == si)
                parti[size_t(parte)].Aggiungi(schede[k], primo + k);
    });
    return Unisci(parti);
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
