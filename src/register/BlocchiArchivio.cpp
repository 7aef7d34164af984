#include "register/BlocchiArchivio.h"

#include "register/Archivio.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

BlocchiArchivio::BlocchiArchivio(const QString &percorso)
{
    Archivio a(percorso);
    a.ApriArchivio();
    const qint64 totale = a.NumeroSchede();
    a.Chiudi();
    Apri(percorso, 0, totale);
}

BlocchiArchivio::BlocchiArchivio(const QString &percorso, qint64 primo, qint64 fine) { Apri(percorso, primo, fine); }

void BlocchiArchivio::Apri(const QString &percorso, qint64 primo, qint64 fine)
{
    m_totale = fine;
    m_letti = primo;
    if (fine <= primo)
        return;

    m_fd = ::open(QFile::encodeName(percorso).constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        throw ErroreArchivio(QStringLiteral("apertura: ") + QString::fromLocal8Bit(std::strerror(errno)));
    const qint64 inizio = primo * TScheda::Dimensione, byte = (fine - primo) * TScheda::Dimensione;
    ::posix_fadvise(m_fd, inizio, byte, POSIX_FADV_SEQUENTIAL);

    // Whole records a quarter of a megabyte at a time: small enough to be
    // worked on while still in the cache it was read into, large enough that
    // the calls cost nothing beside the copy.
    constexpr qint64 kBlocco = (qint64(256) << 10) / TScheda::Dimensione; // records per block
    try {
        m_lettura = std::make_unique<LetturaSequenziale>(m_fd, byte, size_t(kBlocco) * TScheda::Dimensione, inizio);
    } catch (...) {
        ::close(m_fd);
        m_fd = -1;
        throw;
    }
}

BlocchiArchivio::~BlocchiArchivio()
{
    m_lettura.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

BlocchiArchivio::Blocco BlocchiArchivio::Prossimo()
{
    if (m_letti >= m_totale)
        return {};
    const LetturaSequenziale::Blocco b = m_lettura->Prossimo();
    if (b.byte == 0)
        throw ErroreArchivio(QStringLiteral("lettura: fine del file inattesa"));
    const Blocco esito{reinterpret_cast<const TScheda *>(b.dati), qint64(b.byte / TScheda::Dimensione), m_letti};
    m_letti += esito.quante;
    return esito;
}
