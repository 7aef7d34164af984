#include "register/SchedeEliminate.h"

#include "platform/Descrittore.h"
#include "register/Archivio.h"
#include "register/CopieGiornaliere.h"
#include "platform/OperazioniFile.h"
#include "platform/SostituzioneSicura.h"
#include "platform/SpazioDisco.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr qint64 R = TScheda::Dimensione;
constexpr qint64 kRigaData = 11; // "dd/MM/yyyy\n"

// The record is no longer where the caller saw it.
class SchedaSpostata : public ErroreArchivio {
public:
    using ErroreArchivio::ErroreArchivio;
};
// The record is back in the archive but its removed copy could not go.
class RipristinoIncompleto : public ErroreArchivio {
public:
    using ErroreArchivio::ErroreArchivio;
};

[[noreturn]] void Errore(const QString &passo, int e = errno, qint64 necessari = 0)
{
    throw ErroreArchivio(passo + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(e)), e, necessari);
}

qint64 Dimensione(int fd)
{
    struct stat st;
    if (::fstat(fd, &st) != 0)
        Errore(QStringLiteral("dimensione"));
    return qint64(st.st_size);
}

bool Leggi(int fd, char *dati, qint64 quanti, qint64 offset)
{
    qint64 fatti = 0;
    while (fatti < quanti) {
        const ssize_t r = ::pread(fd, dati + fatti, size_t(quanti - fatti), off_t(offset + fatti));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            if (r == 0)
                errno = EIO;
            return false;
        }
        fatti += r;
    }
    return true;
}

// Copies bytes [da, a) of the source to the destination from offset `dove`.
bool CopiaTratto(int sorgente, int destinazione, qint64 da, qint64 a, qint64 dove)
{
    std::vector<char> blocco(size_t(1) << 20);
    for (qint64 p = da; p < a;) {
        const qint64 n = std::min<qint64>(qint64(blocco.size()), a - p);
        if (!Leggi(sorgente, blocco.data(), n, p))
            return false;
        if (OperazioniFile::Corrente().Scrivi(destinazione, blocco.data(), n, dove + (p - da)) != n)
            return false;
        p += n;
    }
    return true;
}

bool Uguali(const TScheda &a, const TScheda &b)
{
    return std::memcmp(a.byte.data(), b.byte.data(), size_t(R)) == 0;
}

void SincronizzaCartella(const QString &percorsoFile)
{
    const Descrittore d(::open(QFile::encodeName(QFileInfo(percorsoFile).absolutePath()).constData(),
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (d.fd() < 0 || !OperazioniFile::Corrente().Sincronizza(d.fd()))
        Errore(QStringLiteral("sincronizzazione della cartella"));
}

// A file of the program's own, opened without following a link out of the folder.
int ApriProprio(const QString &percorso, qint64 necessari)
{
    const int fd = ::open(QFile::encodeName(percorso).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        Errore(QStringLiteral("apertura delle schede eliminate"), errno, necessari);
    return fd;
}

QByteArray RigaData(QDate d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy")).toLatin1().leftJustified(10, ' ', true) + '\n';
}

// Replaces the archive; on a failure tells whether the old file still stands.
void SostituisciArchivio(const QString &percorso, const std::function<bool(int)> &scrivi,
                         const std::function<void()> &seRestaIlVecchio, qint64 necessari)
{
    const EsitoSostituzione s = SostituisciFile(percorso, scrivi);
    if (s)
        return;
    // The old file stands: the removed copy is taken back. Otherwise only the
    // folder's sync failed and the new file stands, unconfirmed.
    if (!s.sostituito) {
        if (seRestaIlVecchio)
            seRestaIlVecchio();
        Errore(s.passo, s.errore, necessari);
    }
    throw ErroreConferma(s.passo + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(s.errore)), s.errore);
}

// The cause of a failed change, from the error that stopped it: its step,
// errno and the bytes the change needed.
void CausaModifica(EsitoModifica &esito, const ErroreArchivio &e)
{
    esito.dettaglio = QString::fromLocal8Bit(e.what());
    esito.errore = e.Errore();
    esito.necessari = e.Necessari();
}

// What the day's copy made before the change reported, with its cause.
void CopiaDellaModifica(EsitoModifica &esito, const Archivio &a)
{
    esito.erroreCopia = a.ErroreCopia();
    esito.codiceCopia = a.CodiceErroreCopia();
    esito.necessariCopia = a.NecessariCopia();
}

} // namespace

QString MessaggioModificaNonRiuscita(const QString &azione, const EsitoModifica &esito)
{
    if (SpazioDisco::Pieno(esito.errore))
        return QStringLiteral("Attenzione: non è stato possibile %1. L'archivio non è stato cambiato.\n\r\n\r").arg(azione)
               + SpazioDisco::MessaggioPieno(esito.necessari);
    return QStringLiteral("Attenzione: non è stato possibile %1 (%2). L'archivio non è stato cambiato.\n\r\n\r"
                          "Controllare lo spazio libero sul disco e i permessi della cartella del programma.")
        .arg(azione, esito.dettaglio);
}

EsitoModifica ModificaArchivio(const QString &cartella, QDate oggi,
                               const std::function<void(int fd, EsitoModifica &)> &lavoro)
{
    using Stato = EsitoModifica::Stato;
    EsitoModifica esito;
    Archivio a(Archivio::Percorso(cartella));
    try {
        a.ImpostaCopieGiornaliere(CopieGiornaliere::Cartella(cartella), oggi);
        a.ApriArchivio();
        a.Modifica([&](int fd) { lavoro(fd, esito); });
        a.Chiudi();
        esito.stato = Stato::Riuscita;
    } catch (const SchedaSpostata &) {
        esito.stato = Stato::Cambiata;
    } catch (const ArchivioOccupato &) {
        esito.stato = Stato::Occupata;
    } catch (const RipristinoIncompleto &e) {
        esito.stato = Stato::Incompleta;
        CausaModifica(esito, e);
    } catch (const ErroreConferma &e) {
        esito.stato = Stato::NonConfermata;
        CausaModifica(esito, e);
    } catch (const ErroreArchivio &e) {
        esito.stato = Stato::NonRiuscita;
        CausaModifica(esito, e);
    }
    CopiaDellaModifica(esito, a);
    return esito;
}

namespace SchedeEliminate {

QString NomeFile() { return QStringLiteral("Schede_Eliminate.pro"); }

QString Percorso(const QString &cartellaProgramma) { return QDir(cartellaProgramma).filePath(NomeFile()); }

QString PercorsoDate(const QString &cartellaProgramma) { return Percorso(cartellaProgramma) + QStringLiteral("-date"); }

QList<Eliminata> Elenco(const QString &cartella)
{
    QList<Eliminata> elenco;
    QFile f(Percorso(cartella));
    if (!f.exists())
        return elenco;
    if (!f.open(QIODevice::ReadOnly))
        throw ErroreArchivio(QStringLiteral("apertura: ") + f.errorString());
    const QByteArray dati = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw ErroreArchivio(QStringLiteral("lettura: ") + f.errorString());
    QByteArray date;
    QFile fd(PercorsoDate(cartella));
    if (fd.open(QIODevice::ReadOnly))
        date = fd.readAll();
    for (qint64 i = 0; (i + 1) * R <= dati.size(); ++i) {
        Eliminata e;
        std::memcpy(e.scheda.byte.data(), dati.constData() + i * R, size_t(R));
        if ((i + 1) * kRigaData <= date.size())
            e.data = QDate::fromString(QString::fromLatin1(date.mid(i * kRigaData, 10)), QStringLiteral("dd/MM/yyyy"));
        e.indice = i;
        elenco.append(e);
    }
    return elenco;
}

EsitoModifica Elimina(const QString &cartella, qint64 indice, const TScheda &attesa, QDate oggi)
{
    const QString archivio = Archivio::Percorso(cartella);
    return ModificaArchivio(cartella, oggi, [&](int fd, EsitoModifica &) {
        const qint64 dimensione = Dimensione(fd);
        TScheda suDisco;
        if (indice < 0 || (indice + 1) * R > dimensione)
            throw SchedaSpostata(QStringLiteral("scheda assente"));
        if (!Leggi(fd, suDisco.byte.data(), R, indice * R))
            Errore(QStringLiteral("lettura"));
        if (!Uguali(suDisco, attesa))
            throw SchedaSpostata(QStringLiteral("scheda cambiata"));

        // What the removal needs on the disk: the record and its date in the
        // removed list, and the archive written anew without it beside the old.
        const qint64 intere = dimensione / R * R;
        const qint64 serve = R + kRigaData + (intere - R);

        // 1. The record, and the day it left, into the removed records, synced.
        OperazioniFile &io = OperazioniFile::Corrente();
        const Descrittore eliminate(ApriProprio(Percorso(cartella), serve));
        const Descrittore date(ApriProprio(PercorsoDate(cartella), serve));
        const qint64 primaEliminate = Dimensione(eliminate.fd());
        const qint64 primaDate = Dimensione(date.fd());
        const qint64 posto = primaEliminate / R; // a partial tail is written over
        const auto ritira = [&] {
            // Back as it was: the record stays only in the archive.
            if (::ftruncate(eliminate.fd(), off_t(primaEliminate)) == 0 && ::ftruncate(date.fd(), off_t(primaDate)) == 0)
                io.Sincronizza(eliminate.fd()) && io.Sincronizza(date.fd());
        };
        const QByteArray riga = RigaData(oggi);
        if (io.Scrivi(eliminate.fd(), suDisco.byte.data(), R, posto * R) != R || !io.Sincronizza(eliminate.fd())) {
            const int e = errno;
            ritira();
            Errore(QStringLiteral("scrittura delle schede eliminate"), e, serve);
        }
        if (io.Scrivi(date.fd(), riga.constData(), kRigaData, posto * kRigaData) != kRigaData || !io.Sincronizza(date.fd())) {
            const int e = errno;
            ritira();
            Errore(QStringLiteral("scrittura delle date"), e, serve);
        }
        try {
            SincronizzaCartella(Percorso(cartella));
        } catch (const ErroreArchivio &) {
            ritira();
            throw;
        }

        // 2. Only then the archive, whole, without it.
        SostituisciArchivio(archivio, [&](int nuovo) {
            return CopiaTratto(fd, nuovo, 0, indice * R, 0)
                   && CopiaTratto(fd, nuovo, (indice + 1) * R, intere, indice * R);
        }, ritira, serve);
    });
}

EsitoModifica Ripristina(const QString &cartella, qint64 indice, const TScheda &attesa, QDate oggi)
{
    const QString archivio = Archivio::Percorso(cartella);
    return ModificaArchivio(cartella, oggi, [&](int fd, EsitoModifica &esito) {
        const Descrittore eliminate(ApriProprio(Percorso(cartella), 0));
        const Descrittore date(ApriProprio(PercorsoDate(cartella), 0));
        const qint64 dimEliminate = Dimensione(eliminate.fd());
        const qint64 dimDate = Dimensione(date.fd());
        TScheda s;
        if (indice < 0 || (indice + 1) * R > dimEliminate)
            throw SchedaSpostata(QStringLiteral("scheda assente"));
        if (!Leggi(eliminate.fd(), s.byte.data(), R, indice * R))
            Errore(QStringLiteral("lettura delle schede eliminate"));
        if (!Uguali(s, attesa))
            throw SchedaSpostata(QStringLiteral("scheda cambiata"));

        // 1. The archive, whole, with the record at its end. The restore
        //    needs room for it and for the removed list and its dates written
        //    anew, each beside the old file until the end.
        const qint64 dimensione = Dimensione(fd);
        const qint64 intere = dimensione / R * R;
        const qint64 intereEliminate = dimEliminate / R * R;
        const qint64 serve = intere + R + (intereEliminate - R) + dimDate;
        SostituisciArchivio(archivio, [&](int nuovo) {
            return CopiaTratto(fd, nuovo, 0, intere, 0)
                   && OperazioniFile::Corrente().Scrivi(nuovo, s.byte.data(), R, intere) == R;
        }, {}, serve);
        esito.posizione = intere / R + 1;

        // 2. The removed list without it, and its dates likewise.
        const EsitoSostituzione lista = SostituisciFile(Percorso(cartella), [&](int nuovo) {
            return CopiaTratto(eliminate.fd(), nuovo, 0, indice * R, 0)
                   && CopiaTratto(eliminate.fd(), nuovo, (indice + 1) * R, intereEliminate, indice * R);
        });
        if (!lista)
            throw RipristinoIncompleto(lista.passo, lista.errore, serve);
        if (dimDate >= (indice + 1) * kRigaData) {
            const EsitoSostituzione d = SostituisciFile(PercorsoDate(cartella), [&](int nuovo) {
                return CopiaTratto(date.fd(), nuovo, 0, indice * kRigaData, 0)
                       && CopiaTratto(date.fd(), nuovo, (indice + 1) * kRigaData, dimDate, indice * kRigaData);
            });
            if (!d)
                throw RipristinoIncompleto(d.passo, d.errore, serve);
        }
    });
}

} // namespace SchedeEliminate
