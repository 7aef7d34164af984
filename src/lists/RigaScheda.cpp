#include "lists/RigaScheda.h"

#include "platform/Testo.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>

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

} // namespace

QString RigaScheda(const TScheda &s)
{
    std::array<QByteArrayView, 5> p;
    for (size_t k = 0; k < p.size(); ++k)
        p[k] = Parte(s, k);
    return Componi(p);
}

void TestiRighe::Aggiungi(const TScheda &s)
{
    std::array<QByteArrayView, kCampi> p;
    qsizetype totale = 0;
    for (size_t k = 0; k < kCampi; ++k) {
        p[k] = Parte(s, k);
        totale += p[k].size();
    }
    if (m_byte.size() - m_usati < totale + kPasso)
        Cresci(totale + kPasso);
    Voce v;
    v.inizio = m_usati;
    char *o = m_byte.data() + m_usati;
    for (size_t k = 0; k < kCampi; ++k) {
        // In whole strides, of a known size and so without a call: the record
        // goes on past each of these fields (checked once, in Cresci) and the
        // room has a stride to spare.
        for (qsizetype i = 0; i < p[k].size(); i += kPasso)
            std::memcpy(o + i, p[k].data() + i, kPasso);
        o += p[k].size();
        v.lunghezza[k] = quint8(p[k].size());
    }
    m_usati += totale;
    m_voci.append(v);
}

void TestiRighe::Cresci(qsizetype byte)
{
    static const bool campiLontaniDallaFine = [] {
        for (const Posto &p : kPosti)
            if (p.offset + 1 + p.capacita + kPasso > TScheda::Dimensione)
                return false;
        return true;
    }();
    // A layout without that room stops at the first line rather than reading beyond.
    if (!campiLontaniDallaFine)
        qFatal("righe: un campo e' troppo vicino alla fine della scheda");
    // Grown by doubling; the bytes past m_usati are never read.
    m_byte.resize(std::max({2 * m_byte.size(), m_usati + byte, qsizetype(1) << 16}));
}

QString TestiRighe::at(qsizetype i) const
{
    const Voce &v = m_voci.at(i);
    std::array<QByteArrayView, 5> p;
    const char *d = m_byte.constData() + v.inizio;
    for (size_t k = 0; k < kCampi; ++k) {
        p[k] = QByteArrayView(d, v.lunghezza[k]);
        d += v.lunghezza[k];
    }
    return Componi(p);
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
    constexpr qsizetype kTipica = 96; // bytes of a line's fields, with room to spare
    // Sized, not only reserved: pages never written are never taken.
    if (m_byte.size() < m_usati + n * kTipica + kPasso)
        m_byte.resize(m_usati + n * kTipica + kPasso);
    m_voci.reserve(n);
}

void RiservaPerArchivio(RigheScheda &righe, const QString &percorsoArchivio)
{
    righe.Riserva(QFileInfo(percorsoArchivio).size() / TScheda::Dimensione);
}
