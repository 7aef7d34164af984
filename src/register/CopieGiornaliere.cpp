#include "register/CopieGiornaliere.h"

#include "register/Archivio.h"
#include "platform/SostituzioneSicura.h"
#include "platform/SpazioDisco.h"

#include <QDir>
#include <QRegularExpression>
#include <cerrno>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace CopieGiornaliere {

namespace {

[[noreturn]] void Fallita(const char *dove, int errore = errno, qint64 necessari = 0)
{
    throw ErroreArchivio(QStringLiteral("copia giornaliera, ") + QString::fromLatin1(dove)
                             + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errore)),
                         errore, necessari);
}

bool CopiaByte(int da, int a, qint64 quanti)
{
    ScritturaInCoda coda(a);
    std::vector<char> blocco(size_t(1) << 20);
    for (qint64 fatto = 0; fatto < quanti;) {
        const ssize_t r = ::pread(da, blocco.data(), size_t(std::min<qint64>(qint64(blocco.size()), quanti - fatto)),
                                  off_t(fatto));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            if (r == 0)
                errno = EIO;
            return false;
        }
        if (!coda.Scrivi(blocco.data(), r))
            return false;
        fatto += r;
    }
    return true;
}

const QRegularExpression &NomeDiCopia()
{
    static const QRegularExpression nome(QStringLiteral("^Operazioni_Pagamenti-(\\d{8})\\.pro$"));
    return nome;
}

// Keeps the copy just made and the most recently made of the others, by the
// time they were written: a clock set wrong gives names that do not sort by
// age, and the copy of today must never be the one that goes.
void Ruota(const QString &cartella, const QString &appenaFatta)
{
    struct Copia {
        QString nome;
        qint64 fatta;
    };
    QList<Copia> altre;
    const QDir d(cartella);
    for (const QString &f : d.entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name)) {
        struct stat st {};
        if (f == appenaFatta || !NomeDiCopia().match(f).hasMatch()
            || ::lstat(QFile::encodeName(d.filePath(f)).constData(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        altre.append({f, qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec});
    }
    std::sort(altre.begin(), altre.end(), [](const Copia &a, const Copia &b) {
        return a.fatta != b.fatta ? a.fatta > b.fatta : a.nome > b.nome;
    });
    for (qsizetype i = Conservate - 1; i < altre.size(); ++i)
        if (::unlink(QFile::encodeName(d.filePath(altre.at(i).nome)).constData()) != 0 && errno != ENOENT)
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

QStringList CopieFuture(const QString &cartella, QDate oggi)
{
    QStringList r;
    for (const QString &f : QDir(cartella).entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name)) {
        const QRegularExpressionMatch m = NomeDiCopia().match(f);
        const QDate giorno = m.hasMatch() ? QDate::fromString(m.captured(1), QStringLiteral("yyyyMMdd")) : QDate();
        if (giorno.isValid() && giorno > oggi)
            r << f;
    }
    return r;
}

bool TemporaneoVecchio(QByteArrayView nome)
{
    static const QRegularExpression vecchio(QStringLiteral("^Operazioni_Pagamenti-\\d{8}\\.pro\\.tmp$"));
    return vecchio.match(QString::fromLatin1(nome)).hasMatch();
}

bool Copia(int fdArchivio, const QString &cartella, QDate oggi)
{
    if (!oggi.isValid())
        throw ErroreArchivio(QStringLiteral("copia giornaliera: data non valida"));
    const QString nomeCopia = NomeCopia(oggi);
    const QString copia = QDir(cartella).filePath(nomeCopia);
    struct stat st;
    if (::lstat(QFile::encodeName(copia).constData(), &st) == 0)
        return false; // today's copy is there: made before today's first change
    if (::fstat(fdArchivio, &st) != 0)
        Fallita("archivio");
    if (st.st_size == 0)
        return false; // nothing to keep yet
    const qint64 dimensione = qint64(st.st_size);
    if (!SpazioDisco::CreaCartellaPrivata(cartella))
        Fallita("cartella");
    // A copy that cannot fit is not begun: it would fill the disk the save
    // itself needs, so a megabyte is left over for it. The message asks for
    // both, the room this check wants.
    const qint64 serve = dimensione + (qint64(1) << 20);
    const std::optional<qint64> libero = SpazioDisco::Libero(cartella);
    if (libero && *libero < serve)
        Fallita("spazio", ENOSPC, serve);

    const EsitoSostituzione esito =
        SostituisciFile(copia, [&](int fd) { return CopiaByte(fdArchivio, fd, dimensione); });
    if (!esito && !esito.sostituito)
        Fallita(esito.passo.toUtf8().constData(), esito.errore, SpazioDisco::Pieno(esito.errore) ? dimensione : 0);
    Ruota(cartella, nomeCopia);
    return true;
}

} // namespace CopieGiornaliere
