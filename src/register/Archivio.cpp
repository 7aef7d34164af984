#include "register/Archivio.h"

#include "platform/Avanzamento.h"
#include "platform/Descrittore.h"
#include "register/BlocchiArchivio.h"
#include "register/CopieGiornaliere.h"
#include "platform/OperazioniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

ErroreArchivio::ErroreArchivio(const QString &dettaglio, int errore, qint64 necessari)
    : std::runtime_error(dettaglio.toStdString()), m_errore(errore), m_necessari(necessari)
{
}

SchedaCambiata::SchedaCambiata(qint64 i, std::optional<TScheda> ora)
    : ErroreArchivio(QStringLiteral("scheda %1 cambiata da un altro programma").arg(i + 1)),
      indice(i), attuale(std::move(ora))
{
}

QString Archivio::NomeFile() { return QStringLiteral("Operazioni_Pagamenti.pro"); }

QString Archivio::MessaggioInaccessibile()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                          "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                          "installazione del programma.");
}

QString Archivio::Percorso(const QString &cartella)
{
    return QDir(cartella).filePath(NomeFile());
}

QString Archivio::PercorsoDiario(const QString &percorsoArchivio)
{
    return percorsoArchivio + QStringLiteral("-diario");
}

QString Archivio::PercorsoDiarioEstraneo(const QString &percorsoArchivio)
{
    return percorsoArchivio + QStringLiteral("-diario-estraneo");
}

namespace {

QString Errno(const char *dove)
{
    return QString::fromLatin1(dove) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

// The failure of a system call, with its errno and what the step needed.
template <class E = ErroreArchivio>
E DiSistema(const char *dove, qint64 necessari = 0)
{
    const int e = errno;
    const QString testo = Errno(dove);
    return E(testo, e, necessari);
}

// Holds flock(LOCK_EX) on an open file for its lifetime. Waits for another
// program's lock a bounded time, so the screen is never frozen long.
class BloccoEsclusivo {
public:
    explicit BloccoEsclusivo(int fd) : m_fd(fd)
    {
        using namespace std::chrono;
        const auto limite = steady_clock::now() + milliseconds(Archivio::AttesaBloccoMs);
        for (;;) {
            if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
                return;
            if (errno == EINTR)
                continue;
            if (errno != EWOULDBLOCK)
                throw ErroreArchivio(Errno("blocco"));
            if (steady_clock::now() >= limite)
                throw ArchivioOccupato(QStringLiteral("archivio bloccato da un altro programma"));
            QThread::msleep(20);
        }
    }
    ~BloccoEsclusivo() { ::flock(m_fd, LOCK_UN); }
    BloccoEsclusivo(const BloccoEsclusivo &) = delete;
    BloccoEsclusivo &operator=(const BloccoEsclusivo &) = delete;

private:
    int m_fd;
};

// The journal: a tag, the archive's size and the record's index when the
// rewrite began, the record's old and new bytes, and a checksum of all of it,
// so a journal cut short or written for another archive is recognised.
constexpr char kEtichetta[8] = {'V', 'L', 'M', 'D', 'I', 'A', 'R', '1'};
constexpr qint64 kTesta = 8 + 8 + 8;
constexpr qint64 kDimensioneDiario = kTesta + 2 * TScheda::Dimensione + 8;

quint64 Impronta(const char *dati, qint64 n)
{
    quint64 h = 14695981039346656037ULL; // FNV-1a
    for (qint64 i = 0; i < n; ++i) {
        h ^= static_cast<unsigned char>(dati[i]);
        h *= 1099511628211ULL;
    }
    return h;
}

void ScriviIntero(char *p, quint64 v)
{
    for (int i = 0; i < 8; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

quint64 LeggiIntero(const char *p)
{
    quint64 v = 0;
    for (int i = 0; i < 8; ++i)
        v |= quint64(static_cast<unsigned char>(p[i])) << (8 * i);
    return v;
}

struct Diario {
    qint64 dimensioneArchivio = 0;
    qint64 indice = 0;
    TScheda vecchia;
    TScheda nuova;
};

std::vector<char> ComponiDiario(const Diario &g)
{
    std::vector<char> d(static_cast<size_t>(kDimensioneDiario));
    std::memcpy(d.data(), kEtichetta, 8);
    ScriviIntero(d.data() + 8, quint64(g.dimensioneArchivio));
    ScriviIntero(d.data() + 16, quint64(g.indice));
    std::memcpy(d.data() + kTesta, g.vecchia.byte.data(), TScheda::Dimensione);
    std::memcpy(d.data() + kTesta + TScheda::Dimensione, g.nuova.byte.data(), TScheda::Dimensione);
    const qint64 corpo = kDimensioneDiario - 8;
    ScriviIntero(d.data() + corpo, Impronta(d.data(), corpo));
    return d;
}

std::optional<Diario> DecodificaDiario(const char *d, qint64 n)
{
    const qint64 corpo = kDimensioneDiario - 8;
    if (n != kDimensioneDiario || std::memcmp(d, kEtichetta, 8) != 0
        || LeggiIntero(d + corpo) != Impronta(d, corpo))
        return std::nullopt;
    Diario g;
    g.dimensioneArchivio = qint64(LeggiIntero(d + 8));
    g.indice = qint64(LeggiIntero(d + 16));
    std::memcpy(g.vecchia.byte.data(), d + kTesta, TScheda::Dimensione);
    std::memcpy(g.nuova.byte.data(), d + kTesta + TScheda::Dimensione, TScheda::Dimensione);
    return g;
}

// The start of a journal for this archive, cut short while it was written:
// the bytes there are the tag's, then this size, then anything.
bool InizioDiDiario(const char *d, qint64 n, qint64 dimensioneArchivio)
{
    if (n < 0 || n >= kDimensioneDiario || std::memcmp(d, kEtichetta, size_t(std::min<qint64>(n, 8))) != 0)
        return false;
    if (n < 16)
        return true;
    return qint64(LeggiIntero(d + 8)) == dimensioneArchivio;
}

void SincronizzaCartella(const QString &percorsoFile)
{
    const QByteArray cartella = QFile::encodeName(QFileInfo(percorsoFile).absolutePath());
    Descrittore d(::open(cartella.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (d.fd() < 0)
        throw ErroreArchivio(Errno("cartella"));
    if (!OperazioniFile::Corrente().Sincronizza(d.fd()))
        throw ErroreArchivio(Errno("sincronizzazione della cartella"));
}

} // namespace

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
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered)) {
        if (QFileInfo::exists(m_percorso))
            throw ErroreArchivio(QStringLiteral("apertura: ") + m_file.errorString());
        // Private from the start, and its name synced into the folder.
        const int fd = ::open(QFile::encodeName(m_percorso).constData(),
                              O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            if (!m_file.open(fd, QIODevice::ReadWrite | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
                ::close(fd);
                throw ErroreArchivio(QStringLiteral("creazione: ") + m_file.errorString());
            }
            SincronizzaCartella(m_percorso);
        } else if (errno != EEXIST
                   || !m_file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered)) {
            throw DiSistema("creazione");
        }
    }
    m_posizione = 0;
    // Checked without the lock, which only a left-over journal needs: the
    // common open costs one look at the folder and nothing more.
    if (DiarioPresente()) {
        BloccoEsclusivo blocco(m_file.handle());
        RecuperaDiario();
    }
}

bool Archivio::DiarioPresente() const
{
    struct stat st;
    return ::lstat(QFile::encodeName(PercorsoDiario(m_percorso)).constData(), &st) == 0;
}

void Archivio::RecuperaDiario()
{
    const QByteArray nome = QFile::encodeName(PercorsoDiario(m_percorso));
    std::optional<Diario> diario;
    bool cominciato = false; // a journal of this archive cut short while written
    {
        // Never followed out of the folder, never waited on (a FIFO).
        Descrittore d(::open(nome.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (d.fd() < 0 && errno == ENOENT)
            return; // the writer finished while this one waited for the lock
        if (d.fd() >= 0) {
            std::vector<char> dati(size_t(kDimensioneDiario) + 1);
            qint64 letti = 0;
            for (;;) {
                const ssize_t r = ::read(d.fd(), dati.data() + letti, dati.size() - size_t(letti));
                if (r < 0 && errno == EINTR)
                    continue;
                if (r <= 0)
                    break;
                letti += r;
                if (letti == qint64(dati.size()))
                    break;
            }
            diario = DecodificaDiario(dati.data(), letti);
            struct stat st;
            cominciato = ::fstat(d.fd(), &st) == 0 && S_ISREG(st.st_mode)
                         && InizioDiDiario(dati.data(), letti, m_file.size());
        }
    }
    // A whole journal of this archive as it is now is hot: its old record
    // goes back whatever the record holds (a power loss can leave a zeroed
    // sector or garbage bytes there, neither old nor new). One cut short
    // while it was written never reached the record and just goes. Any other
    // is not this archive's: it is moved aside, never deleted, and said.
    const qint64 dimensione = m_file.size();
    if (diario && diario->dimensioneArchivio == dimensione && diario->indice >= 0
        && (diario->indice + 1) * TScheda::Dimensione <= dimensione) {
        OperazioniFile &io = OperazioniFile::Corrente();
        if (io.Scrivi(m_file.handle(), diario->vecchia.byte.data(), TScheda::Dimensione,
                      diario->indice * TScheda::Dimensione) != TScheda::Dimensione)
            throw DiSistema("ripristino");
        if (!io.Sincronizza(m_file.handle()))
            throw DiSistema("sincronizzazione del ripristino");
    } else if (!diario && cominciato) {
        // The record was never touched: the journal is synced before it.
    } else {
        MettiDaParte(nome);
        SincronizzaCartella(m_percorso);
        return;
    }
    if (::unlink(nome.constData()) != 0 && errno != ENOENT)
        throw DiSistema("rimozione del diario");
    SincronizzaCartella(m_percorso);
}

void Archivio::MettiDaParte(const QByteArray &nome)
{
    const QString base = PercorsoDiarioEstraneo(m_percorso);
    for (int n = 0; n < 1000; ++n) {
        const QString destinazione = n == 0 ? base : base + QStringLiteral(".%1").arg(n);
        struct stat st;
        if (::lstat(QFile::encodeName(destinazione).constData(), &st) == 0)
            continue;
        if (::rename(nome.constData(), QFile::encodeName(destinazione).constData()) != 0)
            throw DiSistema("diario messo da parte");
        m_diarioDaParte = destinazione;
        return;
    }
    throw ErroreArchivio(QStringLiteral("diario messo da parte: troppi diari estranei"));
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

void Archivio::ImpostaCopieGiornaliere(const QString &cartella, QDate oggi)
{
    m_cartellaCopie = cartella;
    m_oggi = oggi;
}

void Archivio::PreparaModifica()
{
    // A removal or a restore elsewhere may have replaced the whole file since
    // this one was opened: a write now would land in a file no one reads.
    struct stat aperto, ora;
    if (::fstat(m_file.handle(), &aperto) != 0 || ::stat(QFile::encodeName(m_percorso).constData(), &ora) != 0
        || aperto.st_ino != ora.st_ino || aperto.st_dev != ora.st_dev)
        throw ArchivioOccupato(QStringLiteral("archivio sostituito da un altro programma"));
    // A rewrite that died after this archive was opened left its journal.
    if (DiarioPresente())
        RecuperaDiario();
    if (m_cartellaCopie.isEmpty() || m_copiaTentata)
        return;
    m_copiaTentata = true;
    try {
        if (CopieGiornaliere::Copia(m_file.handle(), m_cartellaCopie, m_oggi))
            m_copieFuture = CopieGiornaliere::CopieFuture(m_cartellaCopie, m_oggi);
    } catch (const ErroreArchivio &e) {
        m_erroreCopia = QString::fromLocal8Bit(e.what());
        m_codiceCopia = e.Errore();
        m_necessariCopia = e.Necessari();
    }
}

void Archivio::Modifica(const std::function<void(int fd)> &lavoro)
{
    if (!m_file.isOpen())
        throw ErroreArchivio(QStringLiteral("archivio non aperto"));
    BloccoEsclusivo blocco(m_file.handle());
    PreparaModifica();
    lavoro(m_file.handle());
}

void Archivio::ScriviScheda(qint64 indice, const TScheda &s)
{
    if (!m_file.isOpen() || indice < 0 || indice > NumeroSchede())
        throw ErroreArchivio(QStringLiteral("scrittura fuori dall'archivio"));
    BloccoEsclusivo blocco(m_file.handle());
    PreparaModifica();
    const qint64 n = NumeroSchede();
    if (indice < n)
        Riscrivi(indice, s);
    else if (indice == n)
        ScriviInCoda(indice, s);
    else
        throw ErroreArchivio(QStringLiteral("scrittura fuori dall'archivio"));
}

void Archivio::ScriviSchedaSeInvariata(qint64 indice, const TScheda &caricata, const TScheda &s)
{
    if (!m_file.isOpen() || indice < 0)
        throw ErroreArchivio(QStringLiteral("scrittura fuori dall'archivio"));
    BloccoEsclusivo blocco(m_file.handle());
    // A journal left by an unfinished rewrite is rolled back first: the
    // record is compared as it really stands.
    PreparaModifica();
    ControllaSchedaInvariata(indice, caricata);
    Riscrivi(indice, s);
}

void Archivio::ControllaSchedaInvariata(qint64 indice, const TScheda &caricata) const
{
    if (!m_file.isOpen())
        throw ErroreArchivio(QStringLiteral("archivio chiuso"));
    if (indice < 0 || indice >= NumeroSchede())
        throw SchedaCambiata(indice, std::nullopt);
    TScheda ora;
    if (::pread(m_file.handle(), ora.byte.data(), TScheda::Dimensione, indice * TScheda::Dimensione)
        != TScheda::Dimensione)
        throw ErroreArchivio(Errno("lettura"));
    if (std::memcmp(ora.byte.data(), caricata.byte.data(), TScheda::Dimensione) != 0)
        throw SchedaCambiata(indice, ora);
}

qint64 Archivio::AccodaScheda(const TScheda &s)
{
    if (!m_file.isOpen())
        throw ErroreArchivio(QStringLiteral("archivio chiuso"));
    BloccoEsclusivo blocco(m_file.handle());
    PreparaModifica();
    // Counted under the lock: the size now includes every record another
    // program appended before it let go of the lock.
    const qint64 indice = NumeroSchede();
    ScriviInCoda(indice, s);
    return indice;
}

void Archivio::ScriviInCoda(qint64 indice, const TScheda &s)
{
    // A trailing partial record is simply overwritten: nothing reads it.
    struct stat prima {};
    const bool misurato = ::fstat(m_file.handle(), &prima) == 0;
    if (OperazioniFile::Corrente().Scrivi(m_file.handle(), s.byte.data(), TScheda::Dimensione,
                                          indice * TScheda::Dimensione)
        != TScheda::Dimensione) {
        const ErroreArchivio perche = DiSistema("scrittura", TScheda::Dimensione);
        // The part a full disk let through goes, so the file is as it was.
        if (misurato && ::ftruncate(m_file.handle(), prima.st_size) != 0) {
            // Then the partial record stays where nothing reads it.
        }
        throw perche;
    }
    m_posizione = indice + 1;
    m_scritto = true;
}

void Archivio::Riscrivi(qint64 indice, const TScheda &s)
{
    OperazioniFile &io = OperazioniFile::Corrente();
    const int fd = m_file.handle();
    Diario g;
    g.dimensioneArchivio = m_file.size();
    g.indice = indice;
    g.nuova = s;
    if (::pread(fd, g.vecchia.byte.data(), TScheda::Dimensione, indice * TScheda::Dimensione)
        != TScheda::Dimensione)
        throw ErroreArchivio(Errno("lettura"));

    // 1. The old bytes, synced aside with the folder entry that names them.
    const QByteArray nome = QFile::encodeName(PercorsoDiario(m_percorso));
    const std::vector<char> diario = ComponiDiario(g);
    {
        Descrittore d(::open(nome.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600));
        if (d.fd() < 0)
            throw DiSistema("diario", kDimensioneDiario);
        const bool ok = io.Scrivi(d.fd(), diario.data(), kDimensioneDiario, 0) == kDimensioneDiario
                        && io.Sincronizza(d.fd()) && d.Chiudi();
        if (!ok) {
            const ErroreArchivio perche = DiSistema("diario", kDimensioneDiario);
            ::unlink(nome.constData());
            throw perche;
        }
    }
    try {
        SincronizzaCartella(m_percorso);
    } catch (const ErroreArchivio &) {
        ::unlink(nome.constData());
        throw;
    }

    // 2. The new bytes, synced. On a failure the old record goes back now if
    //    it can; otherwise the journal stays and the next open puts it back.
    const auto annulla = [this] {
        try {
            RecuperaDiario();
        } catch (const ErroreArchivio &) {
        }
    };
    if (io.Scrivi(fd, s.byte.data(), TScheda::Dimensione, indice * TScheda::Dimensione)
        != TScheda::Dimensione) {
        const ErroreArchivio perche = DiSistema("scrittura", kDimensioneDiario);
        annulla();
        throw perche;
    }
    if (!io.Sincronizza(fd)) {
        const ErroreConferma perche = DiSistema<ErroreConferma>("sincronizzazione", kDimensioneDiario);
        annulla();
        throw perche;
    }

    // 3. The journal goes: from here on the rewrite stands.
    if (::unlink(nome.constData()) != 0)
        throw ErroreConferma(Errno("rimozione del diario"));
    try {
        SincronizzaCartella(m_percorso);
    } catch (const ErroreArchivio &e) {
        throw ErroreConferma(QString::fromLocal8Bit(e.what()));
    }
    m_posizione = indice + 1;
}

void Archivio::Chiudi()
{
    if (!m_file.isOpen())
        return;
    bool ok = m_file.flush();
    int errore = 0;
    // An appended record must be on disk before anyone is told it was saved.
    if (ok && m_scritto) {
        ok = OperazioniFile::Corrente().Sincronizza(m_file.handle());
        errore = ok ? 0 : errno;
    }
    const bool scritto = m_scritto;
    m_scritto = false;
    m_file.close();
    if (!ok || m_file.error() != QFileDevice::NoError) {
        const QString perche = QStringLiteral("chiusura: ") + m_file.errorString();
        if (scritto)
            throw ErroreConferma(perche, errore, TScheda::Dimensione);
        throw ErroreArchivio(perche, errore);
    }
}

void ScorriArchivioABlocchi(const QString &percorso,
                            const std::function<bool(const TScheda *schede, qint64 quante, qint64 primo)> &visita)
{
    BlocchiArchivio blocchi(percorso);
    for (;;) {
        const BlocchiArchivio::Blocco b = blocchi.Prossimo();
        if (b.quante == 0)
            return;
        if (!visita(b.schede, b.quante, b.primo))
            return;
        Avanzamento::Segnala(blocchi.Letti(), blocchi.Totale());
    }
}

void ScorriArchivio(const QString &percorso,
                    const std::function<bool(const TScheda &, qint64 indice)> &visita)
{
    ScorriArchivioABlocchi(percorso, [&visita](const TScheda *schede, qint64 quante, qint64 primo) {
        for (qint64 k = 0; k < quante; ++k)
            if (!visita(schede[k], primo + k))
                return false;
        return true;
    });
}

namespace {

// Two blocks of reading each: less than a millisecond of work, below which a
// thread's start costs more than it saves.
std::atomic<qint64> g_schedePerParte{2 * ((qint64(256) << 10) / TScheda::Dimensione)};

} // namespace

qint64 SchedePerParte() { return g_schedePerParte.load(); }

void ImpostaSchedePerParte(qint64 schede) { g_schedePerParte.store(std::max<qint64>(1, schede)); }

int ScorriArchivioInParti(
    const QString &percorso,
    const std::function<void(int parte, const TScheda *schede, qint64 quante, qint64 primo)> &visita, int fattore,
    const std::function<void(qint64 totale)> &prepara)
{
    Archivio a(percorso);
    a.ApriArchivio();
    const qint64 totale = a.NumeroSchede();
    a.Chiudi();
    if (prepara)
        prepara(totale);
    const qint64 meta = totale / 2;
    // Divided rather than multiplied: the threshold may be as large as a qint64 holds.
    const bool due = meta / std::max(1, fattore) >= SchedePerParte() && std::thread::hardware_concurrency() >= 2;
    const qint64 fineParte0 = due ? meta : totale;

    std::atomic<qint64> letti{0};
    const auto leggi = [&](int parte, qint64 primo, qint64 fine) {
        BlocchiArchivio blocchi(percorso, primo, fine);
        for (;;) {
            const BlocchiArchivio::Blocco b = blocchi.Prossimo();
            if (b.quante == 0)
                return;
            visita(parte, b.schede, b.quante, b.primo);
            const qint64 finora = letti += b.quante;
            // The progress belongs to the calling thread's window.
            if (parte == 0)
                Avanzamento::Segnala(finora, totale);
        }
    };
    std::exception_ptr errore1;
    std::thread seconda;
    if (due)
        seconda = std::thread([&] {
            try {
                leggi(1, meta, totale);
            } catch (...) {
                errore1 = std::current_exception();
            }
        });
    std::exception_ptr errore0;
    try {
        leggi(0, 0, fineParte0);
    } catch (...) {
        errore0 = std::current_exception();
    }
    if (seconda.joinable())
        seconda.join();
    if (errore0)
        std::rethrow_exception(errore0);
    if (errore1)
        std::rethrow_exception(errore1);
    if (due)
        Avanzamento::Segnala(totale, totale);
    return due ? 2 : 1;
}
