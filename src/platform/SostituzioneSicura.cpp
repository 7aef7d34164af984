#include "platform/SostituzioneSicura.h"

#include "platform/Descrittore.h"
#include "platform/OperazioniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr QByteArrayView kMarca = ".valmora-";
constexpr QByteArrayView kFine = ".tmp";
constexpr qsizetype kCasuali = 6;
// The part of the file's own name a temporary keeps: with the marks it stays
// well below NAME_MAX whatever the name.
constexpr qsizetype kRadiceMassima = 200;

bool Alfanumerico(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

QByteArray NuovoNomeTemporaneo(const QByteArray &nome)
{
    static constexpr char kCaratteri[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QByteArray t = "." + nome.left(kRadiceMassima) + kMarca.toByteArray();
    for (qsizetype i = 0; i < kCasuali; ++i)
        t += kCaratteri[QRandomGenerator::global()->bounded(int(sizeof kCaratteri - 1))];
    return t + kFine.toByteArray();
}

// Records the failed step with its errno (EIO when a writer left none).
void Fallito(EsitoSostituzione &esito, const char *passo, int errore)
{
    esito.riuscita = false;
    esito.errore = errore != 0 ? errore : EIO;
    esito.passo = QString::fromUtf8(passo);
}

} // namespace

bool ScritturaInCoda::Scrivi(const char *dati, qint64 quanti)
{
    if (quanti <= 0)
        return true;
    const qint64 r = OperazioniFile::Corrente().Scrivi(m_fd, dati, quanti, m_scritti);
    if (r != quanti) {
        if (errno == 0)
            errno = EIO;
        return false;
    }
    m_scritti += r;
    return true;
}

bool NomeTemporaneo(QByteArrayView nome)
{
    const qsizetype coda = kMarca.size() + kCasuali + kFine.size();
    if (nome.size() < 2 + coda || nome.front() != '.' || !nome.endsWith(kFine))
        return false;
    const QByteArrayView marca = nome.sliced(nome.size() - coda, kMarca.size());
    if (marca != kMarca)
        return false;
    for (qsizetype i = nome.size() - kFine.size() - kCasuali; i < nome.size() - kFine.size(); ++i)
        if (!Alfanumerico(nome[i]))
            return false;
    return true;
}

EsitoSostituzione SostituisciFile(const QString &percorso, const std::function<bool(int fd)> &scrivi)
{
    EsitoSostituzione esito;
    OperazioniFile &io = OperazioniFile::Corrente();
    const QFileInfo info(percorso);
    const QByteArray nome = QFile::encodeName(info.fileName());
    Descrittore cartella(::open(QFile::encodeName(info.absolutePath()).constData(),
                                O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (nome.isEmpty() || cartella.fd() < 0) {
        Fallito(esito, "apertura della cartella", nome.isEmpty() ? EINVAL : errno);
        return esito;
    }

    // A name of its own, created only where nothing stands (so never through
    // a link), locked at once; one that PulisciTemporanei of another copy
    // took away between the two is given up for a new one.
    QByteArray temporaneo;
    int fd = -1;
    for (int tentativo = 0; fd < 0; ++tentativo) {
        temporaneo = NuovoNomeTemporaneo(nome);
        fd = ::openat(cartella.fd(), temporaneo.constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST && tentativo < 20)
                continue;
            Fallito(esito, "creazione del file temporaneo", errno);
            return esito;
        }
        struct stat st {};
        if (::flock(fd, LOCK_EX) != 0 || ::fstat(fd, &st) != 0) {
            const int e = errno;
            ::close(fd);
            ::unlinkat(cartella.fd(), temporaneo.constData(), 0);
            Fallito(esito, "creazione del file temporaneo", e);
            return esito;
        }
        if (st.st_nlink == 0) {
            ::close(fd);
            fd = -1;
            if (tentativo >= 20) {
                Fallito(esito, "creazione del file temporaneo", EEXIST);
                return esito;
            }
        }
    }
    Descrittore t(fd);
    const auto abbandona = [&](const char *passo) {
        const int e = errno;
        ::unlinkat(cartella.fd(), temporaneo.constData(), 0);
        Fallito(esito, passo, e);
        return esito;
    };

    // The umask may only narrow the mode; this makes it exactly 0600.
    if (::fchmod(t.fd(), S_IRUSR | S_IWUSR) != 0)
        return abbandona("permessi del file temporaneo");
    struct stat vecchio {};
    struct stat nuovo {};
    if (::fstatat(cartella.fd(), nome.constData(), &vecchio, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(vecchio.st_mode)
        && ::fstat(t.fd(), &nuovo) == 0 && (vecchio.st_uid != nuovo.st_uid || vecchio.st_gid != nuovo.st_gid)
        && ::fchown(t.fd(), vecchio.st_uid, vecchio.st_gid) != 0 && ::geteuid() == 0)
        return abbandona("proprietario del file");

    errno = 0;
    if (!scrivi(t.fd()))
        return abbandona("scrittura");
    if (!io.Sincronizza(t.fd()))
        return abbandona("sincronizzazione");
    // The close is checked on a duplicate, so that the lock stays until the
    // rename (a file system may report a late write error only at a close).
    {
        Descrittore doppio(::fcntl(t.fd(), F_DUPFD_CLOEXEC, 0));
        if (doppio.fd() < 0 || !doppio.Chiudi())
            return abbandona("chiusura");
    }
    if (!io.Rinomina(cartella.fd(), temporaneo.constData(), nome.constData()))
        return abbandona("sostituzione");
    esito.sostituito = true;
    t.Chiudi();
    if (!io.Sincronizza(cartella.fd())) {
        Fallito(esito, "sincronizzazione della cartella", errno);
        return esito;
    }
    esito.riuscita = true;
    return esito;
}

EsitoSostituzione SostituisciFile(const QString &percorso, QByteArrayView contenuto)
{
    return SostituisciFile(percorso, [contenuto](int fd) { return ScritturaInCoda(fd).Scrivi(contenuto); });
}

int PulisciTemporanei(const QString &cartella, const std::function<bool(QByteArrayView nome)> &altri)
{
    Descrittore d(::open(QFile::encodeName(cartella).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (d.fd() < 0)
        return 0;
    DIR *elenco = ::fdopendir(::fcntl(d.fd(), F_DUPFD_CLOEXEC, 0));
    if (!elenco)
        return 0;
    QList<QByteArray> candidati;
    while (const dirent *voce = ::readdir(elenco)) {
        const QByteArrayView n(voce->d_name);
        if (NomeTemporaneo(n) || (altri && altri(n)))
            candidati << n.toByteArray();
    }
    ::closedir(elenco);

    int rimossi = 0;
    for (const QByteArray &n : candidati) {
        Descrittore f(::openat(d.fd(), n.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        struct stat aperto {};
        if (f.fd() < 0 || ::fstat(f.fd(), &aperto) != 0 || !S_ISREG(aperto.st_mode))
            continue;
        // Held by a writer that is still filling it: not ours to take.
        if (::flock(f.fd(), LOCK_EX | LOCK_NB) != 0)
            continue;
        // Removed under the lock, and only if the name still means this file.
        struct stat ora {};
        if (::fstatat(d.fd(), n.constData(), &ora, AT_SYMLINK_NOFOLLOW) != 0 || ora.st_dev != aperto.st_dev
            || ora.st_ino != aperto.st_ino)
            continue;
        if (::unlinkat(d.fd(), n.constData(), 0) == 0)
            ++rimossi;
    }
    if (rimossi > 0)
        OperazioniFile::Corrente().Sincronizza(d.fd());
    return rimossi;
}
