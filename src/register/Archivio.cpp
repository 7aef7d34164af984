#include "register/Archivio.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>
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

    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        throw ErroreArchivio(QStringLiteral("apertura: ") + f.errorString());
    constexpr qint64 kBlocco = 256; // records per read: about 600 KB
    // Read straight into the records: no copy of each one out of a buffer.
    std::vector<TScheda> blocco(static_cast<size_t>(kBlocco));
    char *const dati = reinterpret_cast<char *>(blocco.data());
    qint64 indice = 0;
    while (indice < n) {
        const qint64 quante = std::min(kBlocco, n - indice);
        const qint64 voluti = quante * TScheda::Dimensione;
        if (f.read(dati, voluti) != voluti)
            throw ErroreArchivio(QStringLiteral("lettura: ") + f.errorString());
        for (qint64 k = 0; k < quante; ++k, ++indice) {
            if (!visita(blocco[size_t(k)], indice)) {
                f.close();
                return;
            }
        }
    }
    f.close();
}
