#include "register/LetturaSequenziale.h"

#include "register/Archivio.h"

#include <QString>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <unistd.h>

namespace {

constexpr size_t kPagina = 4096;

} // namespace

LetturaSequenziale::LetturaSequenziale(int fd, qint64 byte, size_t blocco)
    : m_fd(fd), m_totale(byte), m_blocco(blocco)
{
    // A buffer that starts on a page boundary: the kernel copies into it
    // several times faster than into one that does not.
    const size_t dimensione = (blocco + kPagina - 1) / kPagina * kPagina;
    for (Buffer &b : m_buffer) {
        b.dati = {static_cast<char *>(std::aligned_alloc(kPagina, dimensione)), &std::free};
        if (!b.dati)
            throw std::bad_alloc();
    }
    m_lettore = std::thread([this] { Leggi(); });
}

LetturaSequenziale::~LetturaSequenziale()
{
    {
        const std::lock_guard<std::mutex> l(m_mutex);
        m_fermo = true;
    }
    m_cambiato.notify_all();
    m_lettore.join();
}

void LetturaSequenziale::Leggi()
{
    qint64 letti = 0;
    for (int i = 0; letti < m_totale; i = (i + 1) % kBuffer) {
        Buffer &b = m_buffer[size_t(i)];
        {
            std::unique_lock<std::mutex> l(m_mutex);
            m_cambiato.wait(l, [&] { return m_fermo || !b.pieno; });
            if (m_fermo)
                return;
        }
        // The buffer is free: the caller no longer looks at it.
        const size_t voluti = size_t(std::min<qint64>(qint64(m_blocco), m_totale - letti));
        size_t fatti = 0;
        std::string errore;
        while (fatti < voluti) {
            const ssize_t r = ::read(m_fd, b.dati.get() + fatti, voluti - fatti);
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0) {
                errore = r < 0 ? std::strerror(errno) : "fine del file inattesa";
                break;
            }
            fatti += size_t(r);
        }
        {
            const std::lock_guard<std::mutex> l(m_mutex);
            if (!errore.empty()) {
                m_errore = errore;
                m_finito = true;
            } else {
                b.byte = voluti;
                b.pieno = true;
            }
        }
        m_cambiato.notify_all();
        if (!errore.empty())
            return;
        letti += qint64(voluti);
    }
    {
        const std::lock_guard<std::mutex> l(m_mutex);
        m_finito = true;
    }
    m_cambiato.notify_all();
}

LetturaSequenziale::Blocco LetturaSequenziale::Prossimo()
{
    std::unique_lock<std::mutex> l(m_mutex);
    if (m_corrente >= 0) {
        // Done with the block handed out last time: the reader may fill it.
        m_buffer[size_t(m_corrente)].pieno = false;
        m_corrente = -1;
        l.unlock();
        m_cambiato.notify_all();
        l.lock();
    }
    Buffer &b = m_buffer[size_t(m_prossimo)];
    m_cambiato.wait(l, [&] { return b.pieno || m_finito; });
    if (!b.pieno) {
        if (!m_errore.empty())
            throw ErroreArchivio(QStringLiteral("lettura: ") + QString::fromLocal8Bit(m_errore.c_str()));
        return {};
    }
    m_corrente = m_prossimo;
    m_prossimo = (m_prossimo + 1) % kBuffer;
    return {b.dati.get(), b.byte};
}
