#pragma once
// The block reading behind ScorriArchivioABlocchi, one block per call, for a
// scan that is spread over the event loop (a slice at a time) instead of
// running to its end in one go.

#include "register/LetturaSequenziale.h"
#include "register/Scheda.h"

#include <QString>
#include <memory>

class BlocchiArchivio {
public:
    // Opens the archive (creating a missing one empty, like ApriArchivio, and
    // rolling back a rewrite left unfinished) and counts its whole records.
    // Throws ErroreArchivio.
    explicit BlocchiArchivio(const QString &percorso);
    // Only the records [primo, fine) of an archive opened and counted already.
    BlocchiArchivio(const QString &percorso, qint64 primo, qint64 fine);
    ~BlocchiArchivio();
    BlocchiArchivio(const BlocchiArchivio &) = delete;
    BlocchiArchivio &operator=(const BlocchiArchivio &) = delete;

    qint64 Totale() const { return m_totale; } // the index after the last record read
    qint64 Letti() const { return m_letti; }   // the index of the next record

    struct Blocco {
        const TScheda *schede = nullptr;
        qint64 quante = 0; // 0 at the end
        qint64 primo = 0;  // index of schede[0]
    };
    // The next block of consecutive records, valid until the next call.
    // Throws ErroreArchivio on a read failure or a file cut short.
    Blocco Prossimo();

private:
    void Apri(const QString &percorso, qint64 primo, qint64 fine);

    int m_fd = -1;
    qint64 m_totale = 0;
    qint64 m_letti = 0;
    std::unique_ptr<LetturaSequenziale> m_lettura;
};
