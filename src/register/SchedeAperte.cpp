#include "register/SchedeAperte.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Records per block, as a scan reads them (a quarter of a megabyte): a walk
// over every line (a print, a find) pays little for its calls, and the rows
// shown come in one read.
constexpr qint64 kSchede = (qint64(256) << 10) / TScheda::Dimensione;

} // namespace

std::shared_ptr<SchedeAperte> SchedeAperte::Apri(const QString &percorso)
{
    const int fd = ::open(QFile::encodeName(percorso).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    return std::shared_ptr<SchedeAperte>(new SchedeAperte(fd));
}

SchedeAperte::~SchedeAperte() { ::close(m_fd); }

const TScheda *SchedeAperte::Scheda(qint64 indice)
{
    if (indice < 0)
        return nullptr;
    if (indice < m_primo || indice >= m_primo + m_quante) {
        const size_t chiesti = size_t(kSchede) * TScheda::Dimensione;
        if (!m_blocco)
            m_blocco = std::make_unique_for_overwrite<char[]>(chiesti);
        m_quante = 0;
        m_errore = false;
        size_t letti = 0;
        while (letti < chiesti) {
            const ssize_t n = ::pread(m_fd, m_blocco.get() + letti, chiesti - letti,
                                      off_t(indice * TScheda::Dimensione + qint64(letti)));
            if (n < 0 && errno == EINTR)
                continue;
            m_errore = n < 0;
            if (n <= 0)
                break;
            letti += size_t(n);
        }
        m_primo = indice;
        m_quante = qint64(letti / TScheda::Dimensione);
        if (m_quante == 0)
            return nullptr;
    }
    // The buffer holds whole records only; TScheda is its bytes and nothing else.
    return reinterpret_cast<const TScheda *>(m_blocco.get() + size_t(indice - m_primo) * TScheda::Dimensione);
}
