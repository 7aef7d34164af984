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
    m_totale = a.NumeroSchede();
    a.Chiudi();
    if (m_totale == 0)
        return;

    m_fd = ::open(QFile::encodeName(percorso).constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        throw ErroreArchivio(QStringLiteral("apertura: ") + QString::fromLocal8Bit(std::strerror(errno)));
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);

    // Whole records a quarter of a megabyte at a time: small enough to be
    // worked on while still in the cache it was read into, large enough that
    // the calls cost nothing beside the copy.
    constexpr qint64 kBlocco = (qint64(256) << 10) / TScheda::Dimensione; // records per block
    try {
        m_lettura = std::make_unique<LetturaSequenziale>(m_fd, m_totale * TScheda::Dimensione,
                                                         size_t(kBlocco) * TScheda::Dimensione);
    } catch (...) {
        ::close(m_fd);
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
