#include "register/CopieGiornaliere.h"

#include "register/Archivio.h"
#include "platform/OperazioniFile.h"

#include <QDir>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace CopieGiornaliere {

namespace {

[[noreturn]] void Fallita(const char *dove)
{
    throw ErroreArchivio(QStringLiteral("copia giornaliera, ") + QString::fromLatin1(dove)
                         + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno)));
}

void CopiaByte(int da, int a, qint64 quanti)
{
    OperazioniFile &io = OperazioniFile::Corrente();
    std::vector<char> blocco(size_t(1) << 20);
    for (qint64 fatto = 0; fatto < quanti;) {
        const ssize_t r = ::pread(da, blocco.data(), size_t(std::min<qint64>(qint64(blocco.size()), quanti - fatto)),
                                  off_t(fatto));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            Fallita("lettura dell'archivio");
        if (io.Scrivi(a, blocco.data(), r, fatto) != r)
            Fallita("scrittura");
        fatto += r;
    }
    if (!io.Sincronizza(a))
        Fallita("sincronizzazione");
}

void SincronizzaCartella(const QByteArray &cartella)
{
    const int fd = ::open(cartella.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        Fallita("cartella");
    const bool ok = OperazioniFile::Corrente().Sincronizza(fd);
    ::close(fd);
    if (!ok)
        Fallita("sincronizzazione della cartella");
}

void Ruota(const QString &cartella)
{
    static const QRegularExpression nome(QStringLiteral("^Operazioni_Pagamenti-\\d{8}\\.pro$"));
    QStringList copie;
    for (const QString &f : QDir(cartella).entryList(QDir::Files | QDir::System, QDir::Name))
        if (nome.match(f).hasMatch())
            copie << f;
    // The names sort by date.
    for (qsizetype i = 0; i + Conservate < copie.size(); ++i)
        if (::unlink(QFile::encodeName(QDir(cartella).filePath(copie.at(i))).constData()) != 0)
            Fallita("rimozione di una copia vecchia");
}

} // namespace

QString NomeCartella() { return QStringLiteral("Backup"); }

QString Cartella(const QString &cartellaProgramma)
{
    return QDir(cartellaProgramma).filePath(NomeCartella());
}

QString NomeCopia(QDate giorno)
{
    return QStringLiteral("Operazioni_Pagamenti-") + giorno.toString(QStringLiteral("yyyyMMdd"))
           + QStringLiteral(".pro");
}

void Copia(int fdArchivio, const QString &cartella, QDate oggi)
{
    if (!oggi.isValid())
        throw ErroreArchivio(QStringLiteral("copia giornaliera: data non valida"));
    const QString copia = QDir(cartella).filePath(NomeCopia(oggi));
    const QByteArray nome = QFile::encodeName(copia);
    struct stat st;
    if (::lstat(nome.constData(), &st) == 0)
        return; // today's copy is there: made before today's first change
    if (::fstat(fdArchivio, &st) != 0)
        Fallita("archivio");
    if (st.st_size == 0)
        return; // nothing to keep yet
    if (!QDir().mkpath(cartella))
        throw ErroreArchivio(QStringLiteral("copia giornaliera: cartella non creata"));

    const QByteArray temporaneo = nome + ".tmp";
    ::unlink(temporaneo.constData()); // left by a copy that died half way
    const int fd = ::open(temporaneo.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        Fallita("creazione");
    try {
        CopiaByte(fdArchivio, fd, qint64(st.st_size));
    } catch (const ErroreArchivio &) {
        ::close(fd);
        ::unlink(temporaneo.constData());
        throw;
    }
    if (::close(fd) != 0) {
        const int e = errno;
        ::unlink(temporaneo.constData());
        errno = e;
        Fallita("chiusura");
    }
    if (::rename(temporaneo.constData(), nome.constData()) != 0) {
        const int e = errno;
        ::unlink(temporaneo.constData());
        errno = e;
        Fallita("ridenominazione");
    }
    SincronizzaCartella(QFile::encodeName(cartella));
    Ruota(cartella);
}

} // namespace CopieGiornaliere
