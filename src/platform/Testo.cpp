#include "platform/Testo.h"

#include <QHash>
#include <array>
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

QString DecodificaCp1252(const char *dati, qsizetype n)
{
    QString r(n, Qt::Uninitialized);
    QChar *out = r.data();
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = static_cast<unsigned char>(dati[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? QChar(kAlti80[b - 0x80]) : QChar(char16_t(b));
    }
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

std::optional<QDate> LeggiData(const QString &s)
{
    if (s.size() != 10 || s.at(2) != u'/' || s.at(5) != u'/')
        return std::nullopt;
    const QString g = s.mid(0, 2), m = s.mid(3, 2), a = s.mid(6, 4);
    if (!SoloCifre(g) || !SoloCifre(m) || !SoloCifre(a))
        return std::nullopt;
    const QDate d(a.toInt(), m.toInt(), g.toInt());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

std::optional<double> LeggiNumero(const QString &testo)
{
    const QString s = Trim(testo);
    if (s.isEmpty())
        return std::nullopt;
    // Build a C-locale copy, checking the shape on the way: sign, digits,
    // at most one comma, then an optional exponent.
    QByteArray c;
    c.reserve(s.size());
    qsizetype i = 0;
    auto cifra = [&](qsizetype k) { return k < s.size() && s.at(k).unicode() >= '0' && s.at(k).unicode() <= '9'; };
    if (s.at(i) == u'+' || s.at(i) == u'-')
        c.append(char(s.at(i++).unicode()));
    int cifre = 0;
    while (cifra(i)) {
        c.append(char(s.at(i++).unicode()));
        ++cifre;
    }
    if (i < s.size() && s.at(i) == u',') {
        c.append('.');
        ++i;
        while (cifra(i)) {
            c.append(char(s.at(i++).unicode()));
            ++cifre;
        }
    }
    if (cifre == 0)
        return std::nullopt;
    if (i < s.size() && (s.at(i) == u'e' || s.at(i) == u'E')) {
        c.append('e');
        ++i;
        if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
            c.append(char(s.at(i++).unicode()));
        if (!cifra(i))
            return std::nullopt;
        while (cifra(i))
            c.append(char(s.at(i++).unicode()));
    }
    if (i != s.size())
        return std::nullopt;
    char *fine = nullptr;
    const double v = std::strtod(c.constData(), &fine);
    if (fine != c.constData() + c.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
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
    std::snprintf(buf, sizeof buf, "%.14e", v); // 15 significant digits
    // buf: [-]d.dddddddddddddde[+-]xx
    QByteArray b(buf);
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
