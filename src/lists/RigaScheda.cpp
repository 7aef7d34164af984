#include "lists/RigaScheda.h"

#include "platform/Memoria.h"
#include "platform/Testo.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

// A full list holds a line per record, so the line is written straight from
// the record's bytes into one string of the final length: no text per field.

namespace {

// The fields of a line in their order, with the width each is fitted to
// (0: written as it is).
constexpr std::array<Campo, 5> kCampiRiga = {Campo::Data, Campo::Codice, Campo::Servizi,
                                             Campo::Fornitore, Campo::Dovuto};
constexpr std::array<qsizetype, 5> kLarghezze = {10, 26, 45, 34, 0};

constexpr qsizetype kParteFissa = 141; // everything but the amount

QChar *Aggiungi(QChar *out, QStringView testo)
{
    return std::copy(testo.begin(), testo.end(), out);
}

struct Posto {
    int offset;   // of the length byte
    int capacita;
};

// Looked up once, not at every field of every record.
const std::array<Posto, 5> kPosti = [] {
    std::array<Posto, 5> r{};
    for (size_t k = 0; k < r.size(); ++k)
        r[k] = {TScheda::Offset(kCampiRiga[k]), TScheda::Capacita(kCampiRiga[k])};
    return r;
}();

// The field trimmed and, when fitted, cut to its width: all a line shows of
// it. Read as TScheda::Lunghezza and Dati read it, without a call per field.
inline QByteArrayView Parte(const TScheda &s, size_t k)
{
    const Posto &posto = kPosti[k];
    const int lunghezza = std::min(int(static_cast<unsigned char>(s.byte[size_t(posto.offset)])), posto.capacita);
    const char *d = s.byte.data() + posto.offset + 1;
    // Trimmed here rather than by Testo::TrimByte: the same rule, without a
    // call per field in a loop over every record.
    int a = 0, z = lunghezza;
    while (a < z && static_cast<unsigned char>(d[a]) <= 32)
        ++a;
    while (z > a && static_cast<unsigned char>(d[z - 1]) <= 32)
        --z;
    const QByteArrayView v(d + a, z - a);
    return kLarghezze[k] > 0 ? v.first(std::min(v.size(), kLarghezze[k])) : v;
}

// Pads with blanks to exactly n characters (the value is already cut).
QChar *AggiungiAdattato(QChar *out, QByteArrayView valore, qsizetype n)
{
    out = Testo::DecodificaCp1252(valore.data(), valore.size(), out);
    return std::fill_n(out, n - valore.size(), QLatin1Char(' '));
}

QString Componi(const std::array<QByteArrayView, 5> &p)
{
    QString riga(kParteFissa + p[4].size(), Qt::Uninitialized);
    QChar *o = riga.data();
    o = Aggiungi(o, u"Data: ");
    o = AggiungiAdattato(o, p[0], kLarghezze[0]);
    o = Aggiungi(o, u"  Cod. ");
    o = AggiungiAdattato(o, p[1], kLarghezze[1]);
    o = Aggiungi(o, u"  ");
    o = AggiungiAdattato(o, p[2], kLarghezze[2]);
    o = Aggiungi(o, u"  ");
    o = AggiungiAdattato(o, p[3], kLarghezze[3]);
    o = Aggiungi(o, u"  Tot. \u20AC ");
    o = Testo::DecodificaCp1252(p[4].data(), p[4].size(), o);
    Q_ASSERT(o == riga.constData() + riga.size());
    return riga;
}

// A fingerprint of the bytes a line shows: each field's length and its stored
// bytes up to it, which is all a line is made of. Words are folded by
// independent multiplications rather than one chain, so that it costs a scan
// of every record little.
quint32 Impronta(const TScheda &s)
{
    // Words are read whole, up to 7 bytes past a field: the record must go on that far.
    static const bool campiLontaniDallaFine = [] {
        for (const Posto &p : kPosti)
            if (p.offset + 1 + p.capacita + 8 > TScheda::Dimensione)
                return false;
        return true;
    }();
    if (!campiLontaniDallaFine)
        qFatal("righe: un campo e' troppo vicino alla fine della scheda");
    // The first r bytes of a little-endian word.
    static constexpr std::array<quint64, 9> kMaschere = {
        0, 0xFF, 0xFFFF, 0xFFFFFF, 0xFFFFFFFF, 0xFFFFFFFFFF, 0xFFFFFFFFFFFF, 0xFFFFFFFFFFFFFF, ~quint64(0)};
    quint64 h = 0;
    quint64 k = 0x9E3779B97F4A7C15ull;
    for (const Posto &p : kPosti) {
        const int n = std::min(int(static_cast<unsigned char>(s.byte[size_t(p.offset)])), p.capacita);
        const char *d = s.byte.data() + p.offset + 1;
        h += quint64(n + 1) * k;
        k += 0x632BE59BD9B4E01Aull; // stays odd
        for (int i = 0; i < n; i += 8) {
            const quint64 v = qFromLittleEndian<quint64>(d + i) & kMaschere[size_t(std::min(n - i, 8))];
            h += (v ^ (v >> 31)) * k;
            k += 0x632BE59BD9B4E01Aull;
        }
    }
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return quint32(h);
}

} // namespace

QString RigaScheda(const TScheda &s)
{
    std::array<QByteArrayView, 5> p;
    for (size_t k = 0; k < p.size(); ++k)
        p[k] = Parte(s, k);
    return Componi(p);
}

// The archive file a list was scanned from, open for the list's life. Lines
// are read back a block of records at a time: the rows shown, a print or a
// find in the list walk the lines in file order.
class FonteRighe {
public:
    explicit FonteRighe(int fd) : m_fd(fd) {}
    ~FonteRighe() { ::close(m_fd); }
    FonteRighe(const FonteRighe &) = delete;
    FonteRighe &operator=(const FonteRighe &) = delete;

    // The line of record indice when it still has the fingerprint the scan
    // took; RigaSchedaCambiata when it differs or cannot be read.
    QString Riga(qint64 indice, quint32 impronta)
    {
        const std::lock_guard<std::mutex> guardia(m_mutex);
        const TScheda *s = Scheda(indice);
        if (s == nullptr || Impronta(*s) != impronta)
            return RigaSchedaCambiata(indice);
        return RigaScheda(*s);
    }

private:
    static constexpr qint64 kSchede = (qint64(256) << 10) / TScheda::Dimensione; // per block

    const TScheda *Scheda(qint64 indice)
    {
        if (indice < m_primo || indice >= m_primo + m_quante) {
            if (!m_blocco)
                m_blocco = std::make_unique<TScheda[]>(size_t(kSchede));
            m_quante = 0;
            const size_t chiesti = size_t(kSchede) * TScheda::Dimensione;
            size_t letti = 0;
            while (letti < chiesti) {
                const ssize_t n = ::pread(m_fd, reinterpret_cast<char *>(m_blocco.get()) + letti, chiesti - letti,
                                          off_t(indice * TScheda::Dimensione + qint64(letti)));
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0)
                    break;
                letti += size_t(n);
            }
            m_primo = indice;
            m_quante = qint64(letti / TScheda::Dimensione);
            if (m_quante == 0)
                return nullptr;
        }
        return &m_blocco[size_t(indice - m_primo)];
    }

    int m_fd;
    std::mutex m_mutex; // copies of a list share the file and its block
    std::unique_ptr<TScheda[]> m_blocco;
    qint64 m_primo = 0;
    qint64 m_quante = 0;
};

TestiRighe::TestiRighe() = default;
TestiRighe::~TestiRighe() = default;
TestiRighe::TestiRighe(const TestiRighe &) = default;
TestiRighe &TestiRighe::operator=(const TestiRighe &) = default;
TestiRighe::TestiRighe(TestiRighe &&) noexcept = default;
TestiRighe &TestiRighe::operator=(TestiRighe &&) noexcept = default;

void TestiRighe::LeggiDa(const QString &percorsoArchivio)
{
    const int fd = ::open(QFile::encodeName(percorsoArchivio).constData(), O_RDONLY | O_CLOEXEC);
    m_fonte = fd >= 0 ? std::make_shared<FonteRighe>(fd) : nullptr;
}

void TestiRighe::Aggiungi(const TScheda &s, qint64 indice)
{
    m_indici.push_back(indice);
    if (m_fonte)
        m_impronte.push_back(Impronta(s));
    else
        m_copie.append(s);
}

QString TestiRighe::at(qsizetype i) const
{
    if (!m_fonte)
        return RigaScheda(m_copie.at(i));
    return m_fonte->Riga(m_indici.at(size_t(i)), m_impronte.at(size_t(i)));
}

QStringList TestiRighe::Elenco() const
{
    QStringList r;
    r.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        r.append(at(i));
    return r;
}

void TestiRighe::Riserva(qsizetype n)
{
    m_indici.reserve(size_t(n));
    if (m_fonte)
        m_impronte.reserve(size_t(n));
}

QList<qint64> RigheScheda::Posizioni() const
{
    QList<qint64> r;
    r.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        r.append(righe.Indice(i));
    return r;
}

QString RigaSchedaCambiata(qint64 indice)
{
    return QStringLiteral("Scheda n. %1: modificata o tolta dall'archivio dopo che l'elenco è stato compilato")
        .arg(indice + 1);
}

void RiservaPerArchivio(RigheScheda &righe, const QString &percorsoArchivio)
{
    righe.righe.LeggiDa(percorsoArchivio);
    righe.Riserva(QFileInfo(percorsoArchivio).size() / TScheda::Dimensione);
}
