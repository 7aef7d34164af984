#include "register/LetturaSequenziale.h"

#include "register/Archivio.h"

#include <QString>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <unistd.h>

namespace {

constexpr size_t kPagina = 4096;

} // namespace

LetturaSequenziale::LetturaSequenziale(int fd, qint64 byte, size_t blocco, qint64 inizio)
    : m_fd(fd), m_inizio(inizio), m_totale(byte), m_blocco(blocco)
{
    // A buffer that starts on a page boundary: the kernel copies into it
    // several times faster than into one that does not.
    const size_t dimensione = (blocco + kPagina - 1) / kPagina * kPagina;
    m_buffer = {static_cast<char *>(std::aligned_alloc(kPagina, dimensione)), &std::free};
    if (!m_buffer)
        throw std::bad_alloc();
}

LetturaSequenziale::Blocco LetturaSequenziale::Prossimo()
{
    const size_t voluti = size_t(std::min<qint64>(qint64(m_blocco), m_totale - m_letti));
    size_t fatti = 0;
    while (fatti < voluti) {
        const ssize_t r = ::pread(m_fd, m_buffer.get() + fatti, voluti - fatti, off_t(m_inizio + m_letti + qint64(fatti)));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            throw ErroreArchivio(QStringLiteral("lettura: ") + QString::fromLocal8Bit(std::strerror(errno)));
        if (r == 0)
            throw ErroreArchivio(QStringLiteral("lettura: fine del file inattesa"));
        fatti += size_t(r);
    }
    m_letti += qint64(fatti);
    return {m_buffer.get(), fatti};
}
