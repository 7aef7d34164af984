#include "platform/Testo.h"

#include <QHash>
#include <QVarLengthArray>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Testo {

namespace {

constexpr std::array<char16_t, 32> kAlti80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const QHash<char16_t, char> &TabellaInversa()
{
    static const QHash<char16_t, char> t = [] {
        QHash<char16_t, char> h;
        for (int i = 0; i < 32; ++i)
            h.insert(kAlti80[i], char(0x80 + i));
        return h;
    }();
    return t;
}

} // namespace

QString Trim(const QString &s)
{
    qsizetype a = 0, b = s.size();
    while (a < b && s.at(a).unicode() <= 32)
        ++a;
    while (b > a && s.at(b - 1).unicode() <= 32)
        --b;
    return (a == 0 && b == s.size()) ? s : s.mid(a, b - a);
}

QByteArrayView TrimByte(QByteArrayView b)
{
    qsizetype a = 0, n = b.size();
    while (a < n && quint8(b[a]) <= 32)
        ++a;
    while (n > a && quint8(b[n - 1]) <= 32)
        --n;
    return b.sliced(a, n - a);
}

QString MaiuscoloAscii(const QString &s)
{
    QString r = s;
    for (QChar &c : r)
        if (c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(c.unicode() - 32);
    return r;
}

QString MinuscoloAscii(const QString &s)
{
    QString r = s;
    for (QChar &c : r)
        if (c.unicode() >= 'A' && c.unicode() <= 'Z')
            c = QChar(c.unicode() + 32);
    return r;
}

bool SoloCifre(const QString &s)
{
    for (QChar c : s)
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    return true;
}

QChar *DecodificaCp1252(const char *dati, qsizetype n, QChar *destinazione)
{
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = static_cast<unsigned char>(dati[i]);
        destinazione[i] = (b >= 0x80 && b < 0xA0) ? QChar(kAlti80[b - 0x80]) : QChar(char16_t(b));
    }
    return destinazione + n;
}

QString DecodificaCp1252(const char *dati, qsizetype n)
{
    QString r(n, Qt::Uninitialized);
    DecodificaCp1252(dati, n, r.data());
    return r;
}

bool InCp1252(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return true;
    return TabellaInversa().contains(u);
}

QByteArray CodificaCp1252(const QString &s)
{
    QByteArray r(s.size(), Qt::Uninitialized);
    char *out = r.data();
    qsizetype j = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out[j++] = char(u);
        } else if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            out[j++] = SostitutoCp1252; // one character, one substitute
            ++i;
        } else {
            out[j++] = TabellaInversa().value(u, SostitutoCp1252);
        }
    }
    r.truncate(j);
    return r;
}

QString FormattaData(const QDate &d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

namespace {

// Dates and amounts hold only ASCII characters, so the same reading serves the
// decoded text and the windows-1252 bytes (any other character is refused in
// both): `codice(i)` gives the code of the i-th character of an n-long text.

template <typename Codice>
std::optional<QDate> DataDa(qsizetype n, Codice codice)
{
    if (n != 10 || codice(2) != '/' || codice(5) != '/')
        return std::nullopt;
    auto numero = [&](qsizetype da, qsizetype quante) -> int {
        int v = 0;
        for (qsizetype k = da; k < da + quante; ++k) {
            const auto c = codice(k);
            if (c < '0' || c > '9')
                return -1;
            v = v * 10 + int(c - '0');
        }
        return v;
    };
    const int g = numero(0, 2), m = numero(3, 2), a = numero(6, 4);
    if (g < 0 || m < 0 || a < 0)
        return std::nullopt;
    const QDate d(a, m, g);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

// The same reading as DataDa, the day given as yyyymmdd: no QDate (and no
// day count) is made, which a scan comparing every record's date spares.
template <typename Codice>
std::optional<int> GiornoDa(qsizetype n, Codice codice)
{
    if (n != 10 || codice(2) != '/' || codice(5) != '/')
        return std::nullopt;
    int v[8];
    constexpr qsizetype kPosti[8] = {6, 7, 8, 9, 3, 4, 0, 1}; // yyyy mm dd
    for (int k = 0; k < 8; ++k) {
        const auto c = codice(kPosti[k]);
        if (c < '0' || c > '9')
            return std::nullopt;
        v[k] = int(c - '0');
    }
    const int a = v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3];
    const int m = v[4] * 10 + v[5];
    const int g = v[6] * 10 + v[7];
    // The calendar QDate keeps: no year 0, Gregorian leap years.
    static constexpr int kGiorni[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (a == 0 || m < 1 || m > 12 || g < 1)
        return std::nullopt;
    const bool bisestile = a % 4 == 0 && (a % 100 != 0 || a % 400 == 0);
    if (g > kGiorni[m] + (m == 2 && bisestile ? 1 : 0))
        return std::nullopt;
    return a * 10000 + m * 100 + g;
}

// The text must already be trimmed.
template <typename Codice>
std::optional<double> NumeroDa(qsizetype n, Codice codice)
{
    if (n == 0)
        return std::nullopt;
    // Build a C-locale copy, checking the shape on the way: sign, digits,
    // at most one comma, then an optional exponent.
    QVarLengthArray<char, 64> c;
    qsizetype i = 0;
    auto cifra = [&](qsizetype k) { return k < n && codice(k) >= '0' && codice(k) <= '9'; };
    auto copia = [&]() { c.append(char(codice(i++))); };
    if (codice(i) == '-')
        copia();
    else if (codice(i) == '+')
        ++i; // from_chars takes no plus sign
    int cifre = 0;
    while (cifra(i)) {
        copia();
        ++cifre;
    }
    if (i < n && codice(i) == ',') {
        c.append('.');
        ++i;
        while (cifra(i)) {
            copia();
            ++cifre;
        }
    }
    if (cifre == 0)
        return std::nullopt;
    if (i < n && (codice(i) == 'e' || codice(i) == 'E')) {
        c.append('e');
        ++i;
        if (i < n && (codice(i) == '+' || codice(i) == '-'))
            copia();
        if (!cifra(i))
            return std::nullopt;
        while (cifra(i))
            copia();
    }
    if (i != n)
        return std::nullopt;
    // from_chars, unlike strtod, ignores the process locale: under an Italian
    // desktop locale strtod would stop at the decimal point.
    double v = 0;
    const char *fine = c.constData() + c.size();
    const auto [resto, errore] = std::from_chars(c.constData(), fine, v);
    if (errore != std::errc() || resto != fine || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// The common amount, such as "-1234,56": a sign, at most 15 digits in all,
// an optional comma, no exponent. Its digits make an integer that a double
// holds exactly, and dividing it by the power of ten of its decimals (also
// exact) rounds once, to the same nearest double that from_chars gives for
// the text; anything else is left to NumeroDa. The text must already be trimmed.
std::optional<double> NumeroBreve(QByteArrayView b)
{
    static constexpr double kPotenze[16] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const qsizetype n = b.size();
    qsizetype i = 0;
    const bool negativo = n > 0 && b[0] == '-';
    if (n > 0 && (b[0] == '-' || b[0] == '+'))
        ++i;
    quint64 cifre = 0;
    int quante = 0, decimali = 0;
    for (; i < n && b[i] >= '0' && b[i] <= '9'; ++i, ++quante)
        cifre = cifre * 10 + quint64(b[i] - '0');
    if (i < n && b[i] == ',')
        for (++i; i < n && b[i] >= '0' && b[i] <= '9'; ++i, ++quante, ++decimali)
            cifre = cifre * 10 + quint64(b[i] - '0');
    if (i != n || quante == 0 || quante > 15)
        return std::nullopt;
    const double v = double(cifre) / kPotenze[decimali];
    return negativo ? -v : v;
}

} // namespace

std::optional<QDate> LeggiData(const QString &s)
{
    return DataDa(s.size(), [&s](qsizetype k) { return s.at(k).unicode(); });
}

std::optional<QDate> LeggiDataCp1252(QByteArrayView b)
{
    return DataDa(b.size(), [b](qsizetype k) { return quint8(b[k]); });
}

std::optional<int> LeggiGiornoCp1252(QByteArrayView b)
{
    return GiornoDa(b.size(), [b](qsizetype k) { return quint8(b[k]); });
}

int Giorno(const QDate &d)
{
    // An invalid date orders before every valid one, as QDate orders it.
    return d.isValid() ? d.year() * 10000 + d.month() * 100 + d.day() : 0;
}

std::optional<double> LeggiNumero(const QString &testo)
{
    const QString s = Trim(testo);
    return NumeroDa(s.size(), [&s](qsizetype k) { return s.at(k).unicode(); });
}

std::optional<double> LeggiNumeroCp1252(QByteArrayView testo)
{
    const QByteArrayView b = TrimByte(testo);
    if (const std::optional<double> v = NumeroBreve(b))
        return v;
    return NumeroDa(b.size(), [b](qsizetype k) { return quint8(b[k]); });
}

QString FormatoGenerale(double v)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (v == 0)
        return QStringLiteral("0");
    char buf[64];
    // 15 significant digits, whatever the process locale: [-]d.dddddddddddddde[+-]xx
    const auto fatto = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    QByteArray b(buf, fatto.ptr - buf);
    const qsizetype e = b.indexOf('e');
    const int esp = std::atoi(b.constData() + e + 1);
    QByteArray mant = b.left(e);
    const bool neg = mant.startsWith('-');
    if (neg)
        mant.remove(0, 1);
    mant.remove(1, 1); // drop the point: 15 digits
    while (mant.size() > 1 && mant.endsWith('0'))
        mant.chop(1);
    QByteArray r;
    if (esp >= 15 || esp < -5) {
        r = mant.left(1);
        if (mant.size() > 1)
            r += ',' + mant.mid(1);
        r += 'E' + QByteArray::number(esp);
    } else if (esp >= 0) {
        if (mant.size() <= esp + 1) {
            r = mant + QByteArray(esp + 1 - mant.size(), '0');
        } else {
            r = mant.left(esp + 1) + ',' + mant.mid(esp + 1);
        }
    } else {
        r = "0," + QByteArray(-esp - 1, '0') + mant;
    }
    if (neg)
        r.prepend('-');
    return QString::fromLatin1(r);
}

} // namespace Testo
