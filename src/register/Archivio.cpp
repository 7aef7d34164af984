#include "register/Archivio.h"

#include "platform/Avanzamento.h"
#include "register/LetturaSequenziale.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

ErroreArchivio::ErroreArchivio(const QString &dettaglio)
    : std::runtime_error(dettaglio.toStdString())
{
}

QString Archivio::NomeFile() { return QStringLiteral("Operazioni_Pagamenti.pro"); }

QString Archivio::Percorso(const QString &cartella)
{
    return QDir(cartella).filePath(NomeFile());
}

Archivio::Archivio(QString percorso) : m_percorso(std::move(percorso)) {}

Archivio::~Archivio()
{
    if (m_file.isOpen())
        m_file.close();
}

void Archivio::ApriArchivio()
{
    m_file.setFileName(m_percorso);
    // Unbuffered: every read goes to the file, which other programs may change.
    // Open an existing file as it is; only a missing one may be created, and
    // then without ever truncating something that appeared meanwhile.
    if (m_file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered)) {
        m_posizione = 0;
        return;
    }
    if (QFileInfo::exists(m_percorso))
        throw ErroreArchivio(QStringLiteral("apertura: ") + m_file.errorString());
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered)
        && !m_file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        throw ErroreArchivio(QStringLiteral("creazione: ") + m_file.errorString());
    m_posizione = 0;
}

qint64 Archivio::NumeroSchede() const
{
    if (!m_file.isOpen())
        return 0;
    return m_file.size() / TScheda::Dimensione;
}

TScheda Archivio::LeggiScheda(qint64 indice)
{
    if (!m_file.isOpen() || indice < 0 || indice >= NumeroSchede())
        throw ErroreArchivio(QStringLiteral("lettura fuori dall'archivio"));
    TScheda s;
    if (!m_file.seek(indice * TScheda::Dimensione)
        || m_file.read(s.byte.data(), TScheda::Dimensione) != TScheda::Dimensione)
        throw ErroreArchivio(QStringLiteral("lettura: ") + m_file.errorString());
    m_posizione = indice + 1;
    return s;
}

void Archivio::ScriviScheda(qint64 indice, const TScheda &s)
{
    if (!m_file.isOpen() || indice < 0 || indice > NumeroSchede())
        throw ErroreArchivio(QStringLiteral("scrittura fuori dall'archivio"));
    if (!m_file.seek(indice * TScheda::Dimensione)
        || m_file.write(s.byte.data(), TScheda::Dimensione) != TScheda::Dimensione
        || !m_file.flush())
        throw ErroreArchivio(QStringLiteral("scrittura: ") + m_file.errorString());
    m_posizione = indice + 1;
    m_scritto = true;
}

namespace {

// Holds flock(LOCK_EX) on an open file for its lifetime.
class BloccoEsclusivo {
public:
    explicit BloccoEsclusivo(int fd) : m_fd(fd)
    {
        int r;
        do {
            r = ::flock(m_fd, LOCK_EX);
        } while (r != 0 && errno == EINTR);
        if (r != 0)
            throw ErroreArchivio(QStringLiteral("blocco dell'archivio non riuscito"));
    }
    ~BloccoEsclusivo() { ::flock(m_fd, LOCK_UN); }
    BloccoEsclusivo(const BloccoEsclusivo &) = delete;
    BloccoEsclusivo &operator=(const BloccoEsclusivo &) = delete;

private:
    int m_fd;
};

} // namespace

qint64 Archivio::AccodaScheda(const TScheda &s)
{
    if (!m_file.isOpen())
        throw ErroreArchivio(QStringLiteral("archivio chiuso"));
    BloccoEsclusivo blocco(m_file.handle());
    // Counted under the lock: the size now includes every record another
    // program appended before it let go of the lock.
    const qint64 indice = NumeroSchede();
    ScriviScheda(indice, s);
    return indice;
}

void Archivio::Chiudi()
{
    if (!m_file.isOpen())
        return;
    bool ok = m_file.flush();
    // A written record must be on disk before anyone is told it was saved.
    if (ok && m_scritto)
        ok = ::fsync(m_file.handle()) == 0;
    m_scritto = false;
    m_file.close();
    if (!ok || m_file.error() != QFileDevice::NoError)
        throw ErroreArchivio(QStringLiteral("chiusura: ") + m_file.errorString());
}

void ScorriArchivio(const QString &percorso,
                    const std::function<bool(const TScheda &, qint64 indice)> &visita)
{
    Archivio a(percorso);
    a.ApriArchivio();
    const qint64 n = a.NumeroSchede();
    a.Chiudi();
    if (n == 0)
        return;

    const int fd = ::open(QFile::encodeName(percorso).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw ErroreArchivio(QStringLiteral("apertura: ") + QString::fromLocal8Bit(std::strerror(errno)));
    const struct Chiusura {
        int fd;
        ~Chiusura() { ::close(fd); }
    } chiusura{fd};
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);

    // Whole records a megabyte at a time, the next block read meanwhile.
    constexpr qint64 kBlocco = (qint64(1) << 20) / TScheda::Dimensione; // records per block
    LetturaSequenziale lettura(fd, n * TScheda::Dimensione, size_t(kBlocco) * TScheda::Dimensione);
    qint64 indice = 0;
    while (indice < n) {
        const LetturaSequenziale::Blocco b = lettura.Prossimo();
        if (b.byte == 0)
            throw ErroreArchivio(QStringLiteral("lettura: fine del file inattesa"));
        const TScheda *const schede = reinterpret_cast<const TScheda *>(b.dati);
        const qint64 quante = qint64(b.byte / TScheda::Dimensione);
        for (qint64 k = 0; k < quante; ++k, ++indice)
            if (!visita(schede[k], indice))
                return;
        Avanzamento::Segnala(indice, n);
    }
}
