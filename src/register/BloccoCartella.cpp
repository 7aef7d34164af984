#include "register/BloccoCartella.h"

#include "register/Archivio.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

namespace BloccoCartella {

namespace {

// The one lock of the process: the program works on one folder.
struct Tenuto {
    int fd = -1;
    QString cartella;
};
Tenuto &Corrente()
{
    static Tenuto t;
    return t;
}

QString Utente()
{
    if (const passwd *p = ::getpwuid(::getuid()); p && p->pw_name)
        return QString::fromLocal8Bit(p->pw_name);
    return QString();
}

QString LeggiChi(int fd)
{
    char dati[512];
    const ssize_t n = ::pread(fd, dati, sizeof dati, 0);
    if (n <= 0)
        return QString();
    const QStringList righe = QString::fromUtf8(dati, n).split(u'\n');
    if (righe.size() < 2 || righe.at(0).isEmpty())
        return QString();
    return righe.at(0) + QStringLiteral(" sul computer ") + righe.at(1);
}

} // namespace

QString NomeFile() { return Archivio::NomeFile() + QStringLiteral("-in-uso"); }

Esito PrendiBloccoCartella(const QString &cartella, QString *chi)
{
    Tenuto &t = Corrente();
    const QString assoluta = QDir(cartella).absolutePath();
    if (t.fd >= 0 && t.cartella == assoluta)
        return Esito::Preso;
    RilasciaBloccoCartella();

    const QByteArray nome = QFile::encodeName(QDir(assoluta).filePath(NomeFile()));
    // Private, never through a link, never truncated before the lock is ours.
    const int fd = ::open(nome.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return Esito::NonDisponibile;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            break;
        if (errno == EINTR)
            continue;
        const bool inUso = errno == EWOULDBLOCK;
        if (inUso && chi)
            *chi = LeggiChi(fd);
        ::close(fd);
        return inUso ? Esito::InUso : Esito::NonDisponibile;
    }
    // Who holds it, for the message the other copy shows; a failure to write
    // it only leaves that message without the name.
    const QByteArray testo = (Utente() + u'\n' + QSysInfo::machineHostName() + u'\n'
                              + QString::number(::getpid()) + u'\n').toUtf8();
    const bool scritto = ::ftruncate(fd, 0) == 0
                         && ::pwrite(fd, testo.constData(), size_t(testo.size()), 0) == testo.size();
    Q_UNUSED(scritto);
    t.fd = fd;
    t.cartella = assoluta;
    return Esito::Preso;
}

void RilasciaBloccoCartella()
{
    Tenuto &t = Corrente();
    if (t.fd < 0)
        return;
    // The file stays: removing it could race with a copy just locking it.
    ::close(t.fd);
    t.fd = -1;
    t.cartella.clear();
}

} // namespace BloccoCartella
