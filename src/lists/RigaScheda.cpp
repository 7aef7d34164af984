#include "lists/RigaScheda.h"

#include "platform/Testo.h"
#include "register/ImprontaScheda.h"
#include "register/SchedeAperte.h"

#include <QFileInfo>
#include <algorithm>

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

// What a line shows of its record.
const ImprontaScheda &Impronta()
{
    static const ImprontaScheda i(kCampiRiga);
    return i;
}

} // namespace

QString RigaScheda(const TScheda &s)
{
    std::array<QByteArrayView, 5> p;
    for (size_t k = 0; k < p.size(); ++k)
        p[k] = Parte(s, k);
    return Componi(p);
}

TestiRighe::TestiRighe() = default;
TestiRighe::~TestiRighe() = default;
TestiRighe::TestiRighe(const TestiRighe &) = default;
TestiRighe &TestiRighe::operator=(const TestiRighe &) = default;
TestiRighe::TestiRighe(TestiRighe &&) noexcept = default;
TestiRighe &TestiRighe::operator=(TestiRighe &&) noexcept = default;

void TestiRighe::LeggiDa(const QString &percorsoArchivio) { m_fonte = SchedeAperte::Apri(percorsoArchivio); }

void TestiRighe::Aggiungi(const TScheda &s, qint64 indice)
{
    m_indici.push_back(indice);
    if (m_fonte)
        m_impronte.push_back(Impronta()(s));
    else
        m_copie.append(s);
}

QString TestiRighe::at(qsizetype i) const
{
    if (!m_fonte)
        return RigaScheda(m_copie.at(i));
    const qint64 indice = m_indici.at(size_t(i));
    return m_fonte->Con(indice, [&](const TScheda *s, bool errore) {
        if (errore)
            return RigaSchedaIlleggibile(indice);
        return s != nullptr && Impronta()(*s) == m_impronte.at(size_t(i)) ? RigaScheda(*s)
                                                                          : RigaSchedaCambiata(indice);
    });
}

QStringList TestiRighe::Elenco() const
{
    QStringList r;
    r.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        r.append(at(i));
    return r;
}

void TestiRighe::Accoda(const TestiRighe &altre)
{
    Q_ASSERT(m_fonte == altre.m_fonte);
    m_indici.insert(m_indici.end(), altre.m_indici.begin(), altre.m_indici.end());
    m_impronte.insert(m_impronte.end(), altre.m_impronte.begin(), altre.m_impronte.end());
    m_copie.append(altre.m_copie);
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

QString RigaSchedaIlleggibile(qint64 indice)
{
    return QStringLiteral("Scheda n. %1: non leggibile dall'archivio (errore di lettura)").arg(indice + 1);
}

void RiservaPerArchivio(RigheScheda &righe, const QString &percorsoArchivio)
{
    righe.righe.LeggiDa(percorsoArchivio);
    righe.Riserva(QFileInfo(percorsoArchivio).size() / TScheda::Dimensione);
}

void RiservaPerArchivio(RighePerParte &parti, const QString &percorsoArchivio)
{
    // Either part may list every record it reads: room for all in each, only
    // what is written is ever taken. The file is looked at once for both.
    const qsizetype schede = QFileInfo(percorsoArchivio).size() / TScheda::Dimensione;
    parti[0].righe.LeggiDa(percorsoArchivio);
    parti[1].righe.LeggiDa(parti[0].righe);
    for (RigheScheda &parte : parti)
        parte.Riserva(schede);
}

RigheScheda Unisci(RighePerParte &parti)
{
    parti[0].Accoda(parti[1]);
    parti[1] = RigheScheda{};
    return std::move(parti[0]);
}
