#include "register/SostituzioneProvvisoria.h"

#include "register/OperazioniFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace sostituzione_provvisoria {

namespace {

EsitoSostituzione Fallita(const char *passo, int errore)
{
    EsitoSostituzione e;
    e.errore = errore ? errore : EIO;
    e.passo = QString::fromUtf8(passo);
    return e;
}

} // namespace

EsitoSostituzione SostituisciFile(const QString &percorso, const std::function<bool(int fd)> &scrivi)
{
    OperazioniFile &io = OperazioniFile::Corrente();
    const QByteArray nome = QFile::encodeName(percorso);
    const QByteArray cartella = QFile::encodeName(QFileInfo(percorso).absolutePath());
    QByteArray temporaneo;
    int fd = -1;
    // A unique name: another copy of the program may be replacing the same file.
    for (int tentativo = 0; fd < 0 && tentativo < 100; ++tentativo) {
        temporaneo = nome + ".tmp" + QByteArray::number(::getpid()) + '-' + QByteArray::number(tentativo);
        fd = ::open(temporaneo.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return Fallita("creazione del file temporaneo", errno);

    const auto annulla = [&](const char *passo, int errore) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporaneo.constData());
        return Fallita(passo, errore);
    };
    try {
        errno = 0;
        if (!scrivi(fd))
            return annulla("scrittura", errno);
        if (!io.Sincronizza(fd))
            return annulla("sincronizzazione", errno);
    } catch (...) {
        // A test's cut stands for the program dying; a real exception from the
        // writer must not leave the temporary behind.
        ::close(fd);
        ::unlink(temporaneo.constData());
        throw;
    }
    const int chiusura = ::close(fd);
    fd = -1;
    if (chiusura != 0)
        return annulla("chiusura", errno);
    if (::rename(temporaneo.constData(), nome.constData()) != 0)
        return annulla("ridenominazione", errno);

    const int dir = ::open(cartella.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return Fallita("sincronizzazione della cartella", errno);
    const bool ok = io.Sincronizza(dir);
    const int e = errno;
    ::close(dir);
    if (!ok)
        return Fallita("sincronizzazione della cartella", e);
    EsitoSostituzione esito;
    esito.riuscita = true;
    return esito;
}

} // namespace sostituzione_provvisoria
