#include "platform/ScritturaBlocchi.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

ScritturaBlocchi::ScritturaBlocchi(int fd) : m_fd(fd)
{
    m_scrittore = std::thread([this] { Scrivi(); });
}

ScritturaBlocchi::~ScritturaBlocchi()
{
    {
        const std::lock_guard<std::mutex> l(m_mutex);
        m_fine = true;
    }
    m_cambiato.notify_all();
    m_scrittore.join();
}

bool ScritturaBlocchi::Consegna(std::string &blocco)
{
    std::unique_lock<std::mutex> l(m_mutex);
    m_cambiato.wait(l, [this] { return !m_pronto; });
    if (m_errore) {
        errno = m_codice;
        return false;
    }
    // The written block's room comes back to the caller for the next one.
    m_inScrittura.swap(blocco);
    blocco.clear();
    m_pronto = true;
    l.unlock();
    m_cambiato.notify_all();
    return true;
}

bool ScritturaBlocchi::Termina()
{
    std::unique_lock<std::mutex> l(m_mutex);
    m_cambiato.wait(l, [this] { return !m_pronto; });
    if (m_errore)
        errno = m_codice;
    return !m_errore;
}

void ScritturaBlocchi::Scrivi()
{
    off_t inizio = ::lseek(m_fd, 0, SEEK_CUR);
    for (;;) {
        {
            std::unique_lock<std::mutex> l(m_mutex);
            m_cambiato.wait(l, [this] { return m_pronto || m_fine; });
            if (!m_pronto)
                return;
        }
        // The block is this thread's until m_pronto goes back to false.
        const char *p = m_inScrittura.data();
        size_t resto = m_inScrittura.size();
        bool errore = false;
        int codice = 0;
        while (resto > 0) {
            const ssize_t r = ::write(m_fd, p, resto);
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0) {
                errore = true;
                codice = r < 0 ? errno : EIO;
                break;
            }
            p += r;
            resto -= size_t(r);
        }
        if (!errore && inizio >= 0) {
            // Start the disk on this block now; the final sync still waits
            // for it. A file system that cannot do this just waits longer.
            const off_t byte = off_t(m_inScrittura.size());
            ::sync_file_range(m_fd, inizio, byte, SYNC_FILE_RANGE_WRITE);
            inizio += byte;
        }
        {
            const std::lock_guard<std::mutex> l(m_mutex);
            if (errore) {
                m_errore = true;
                m_codice = codice;
            }
            m_pronto = false;
        }
        m_cambiato.notify_all();
    }
}
