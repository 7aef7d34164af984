#include "platform/SpazioDisco.h"

#include "platform/Descrittore.h"
#include "platform/OperazioniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace SpazioDisco {

bool Pieno(int errore) { return errore == ENOSPC || errore == EDQUOT; }

QString Misura(qint64 byte)
{
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    if (byte < 1024)
        return QStringLiteral("%1 byte").arg(byte);
    if (byte < 1024 * 1024)
        return QStringLiteral("%1 KB").arg((byte + 1023) / 1024);
    if (byte < qint64(1024) * 1024 * 1024)
        return QStringLiteral("%1 MB").arg(italiano.toString(double(byte) / (1024.0 * 1024.0), 'f', 1));
    return QStringLiteral("%1 GB").arg(italiano.toString(double(byte) / (1024.0 * 1024.0 * 1024.0), 'f', 1));
}

QString MessaggioPieno(qint64 necessari)
{
    return QStringLiteral("Il disco è pieno, oppure è esaurito lo spazio concesso all'utente: "
                          "l'operazione richiede %1 di spazio libero. Liberare spazio sul disco e riprovare.")
        .arg(Misura(necessari));
}

std::optional<qint64> Libero(const QString &cartella)
{
    struct statvfs s {};
    if (::statvfs(QFile::encodeName(cartella).constData(), &s) != 0)
        return std::nullopt;
    return qint64(s.f_bavail) * qint64(s.f_frsize);
}

bool CreaCartellaPrivata(const QString &cartella)
{
    const QString assoluta = QFileInfo(cartella).absoluteFilePath();
    struct stat st {};
    if (::stat(QFile::encodeName(assoluta).constData(), &st) == 0)
        return S_ISDIR(st.st_mode);
    const QString madre = QFileInfo(assoluta).absolutePath();
    if (madre == assoluta || !CreaCartellaPrivata(madre))
        return false;
    if (::mkdir(QFile::encodeName(assoluta).constData(), S_IRWXU) != 0 && errno != EEXIST)
        return false;
    Descrittore d(::open(QFile::encodeName(madre).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return d.fd() >= 0 && OperazioniFile::Corrente().Sincronizza(d.fd());
}

} // namespace SpazioDisco
