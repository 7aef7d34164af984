#include "register/CopieSicurezza.h"

#include "platform/Descrittore.h"
#include "register/Archivio.h"
#include "register/CopieGiornaliere.h"
#include "platform/OperazioniFile.h"
#include "platform/SostituzioneSicura.h"
#include "platform/SpazioDisco.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace CopieSicurezza {

namespace {

constexpr qint64 R = TScheda::Dimensione;

const QRegularExpression &NomeValido()
{
    static const QRegularExpression re(QStringLiteral("^Operazioni_Pagamenti-(\\d{8})(?:-(\\d{6}))?(?:-prima-importazione)?\\.pro$"));
    return re;
}

Copia Descrivi(const QString &percorso, const QString &nome, QDateTime quando)
{
    Copia c;
    c.nome = nome;
    c.quando = quando;
    struct stat st;
    if (::stat(QFile::encodeName(percorso).constData(), &st) == 0 && S_ISREG(st.st_mode)) {
        c.byte = qint64(st.st_size);
        c.schede = c.byte / R;
        c.danneggiata = c.byte == 0 || c.byte % R != 0;
    } else {
        c.danneggiata = true;
    }
    return c;
}

bool CopiaTutto(int da, int a, qint64 quanti)
{
    std::vector<char> blocco(size_t(1) << 20);
    for (qint64 p = 0; p < quanti;) {
        const ssize_t r = ::pread(da, blocco.data(), size_t(std::min<qint64>(qint64(blocco.size()), quanti - p)), off_t(p));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            if (r == 0)
                errno = EIO;
            return false;
        }
        if (OperazioniFile::Corrente().Scrivi(a, blocco.data(), r, p) != r)
            return false;
        p += r;
    }
    return true;
}

} // namespace

QList<Copia> Elenco(const QString &cartella)
{
    QList<Copia> copie;
    const QDir dir(CopieGiornaliere::Cartella(cartella));
    for (const QString &f : dir.entryList(QDir::Files | QDir::System, QDir::Name)) {
        const auto m = NomeValido().match(f);
        if (!m.hasMatch())
            continue;
        const QDate giorno = QDate::fromString(m.captured(1), QStringLiteral("yyyyMMdd"));
        const QTime ora = m.captured(2).isEmpty() ? QTime(0, 0) : QTime::fromString(m.captured(2), QStringLiteral("HHmmss"));
        if (!giorno.isValid() || !ora.isValid())
            continue;
        copie.append(Descrivi(dir.filePath(f), f, QDateTime(giorno, ora)));
    }
    std::stable_sort(copie.begin(), copie.end(), [](const Copia &a, const Copia &b) { return a.quando > b.quando; });
    return copie;
}

Copia Attuale(const QString &cartella)
{
    Copia c = Descrivi(::Archivio::Percorso(cartella), ::Archivio::NomeFile(), QDateTime());
    c.danneggiata = c.byte % R != 0;
    return c;
}

QString NomeCopiaPrima(const QDateTime &adesso)
{
    return QStringLiteral("Operazioni_Pagamenti-") + adesso.toString(QStringLiteral("yyyyMMdd-HHmmss"))
           + QStringLiteral(".pro");
}

QString NomeCopiaPrimaImportazione(const QDateTime &adesso)
{
    return QStringLiteral("Operazioni_Pagamenti-") + adesso.toString(QStringLiteral("yyyyMMdd-HHmmss"))
           + QStringLiteral("-prima-importazione.pro");
}

void CopiaArchivio(int fd, qint64 dimensione, const QString &cartella, const QString &nome)
{
    const QString cartellaCopie = CopieGiornaliere::Cartella(cartella);
    if (!QDir().mkpath(cartellaCopie))
        throw ErroreArchivio(QStringLiteral("cartella delle copie"));
    const EsitoSostituzione s = SostituisciFile(QDir(cartellaCopie).filePath(nome),
                                                [&](int nuovo) { return CopiaTutto(fd, nuovo, dimensione); });
    if (!s)
        throw ErroreArchivio(QStringLiteral("copia dell'archivio attuale, ") + s.passo, s.errore);
}

EsitoModifica Ripristina(const QString &cartella, const QString &nome, const QDateTime &adesso)
{
    EsitoModifica rifiutata;
    const QString cartellaCopie = CopieGiornaliere::Cartella(cartella);
    if (!NomeValido().match(nome).hasMatch()) {
        rifiutata.dettaglio = QStringLiteral("nome non valido");
        return rifiutata;
    }
    // Held open: the day's copy made below may rotate the oldest copy away.
    const Descrittore copia(::open(QFile::encodeName(QDir(cartellaCopie).filePath(nome)).constData(),
                                   O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st;
    if (copia.fd() < 0 || ::fstat(copia.fd(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0
        || st.st_size % R != 0) {
        rifiutata.dettaglio = QStringLiteral("copia danneggiata");
        return rifiutata;
    }
    const qint64 dimensioneCopia = qint64(st.st_size);
    const QString percorso = ::Archivio::Percorso(cartella);
    return ModificaArchivio(cartella, adesso.date(), [&](int fd, EsitoModifica &esito) {
        struct stat sa;
        if (::fstat(fd, &sa) != 0)
            throw ErroreArchivio(QStringLiteral("dimensione dell'archivio"));
        const qint64 dimensione = qint64(sa.st_size);
        // The restore needs room for the archive kept as a copy and for the
        // chosen copy written in its place, beside the old archive.
        const qint64 serve = dimensione + dimensioneCopia;
        // 1. The archive as it is, kept as a copy of its own.
        if (dimensione > 0) {
            if (!SpazioDisco::CreaCartellaPrivata(cartellaCopie))
                throw ErroreArchivio(QStringLiteral("cartella delle copie"), errno, serve);
            const QString prima = NomeCopiaPrima(adesso);
            const EsitoSostituzione s = SostituisciFile(QDir(cartellaCopie).filePath(prima),
                                                        [&](int nuovo) { return CopiaTutto(fd, nuovo, dimensione); });
            if (!s)
                throw ErroreArchivio(QStringLiteral("copia dell'archivio attuale, ") + s.passo, s.errore, serve);
            esito.dettaglio = prima;
        }
        // 2. The archive replaced whole by the chosen copy.
        const EsitoSostituzione s = SostituisciFile(percorso, [&](int nuovo) {
            return CopiaTutto(copia.fd(), nuovo, dimensioneCopia);
        });
        if (!s && s.sostituito)
            throw ErroreConferma(s.passo, s.errore); // only the folder's sync failed
        if (!s)
            throw ErroreArchivio(s.passo, s.errore, serve);
    });
}

} // namespace CopieSicurezza
