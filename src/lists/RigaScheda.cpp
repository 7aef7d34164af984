#include "lists/RigaScheda.h"

#include "platform/Testo.h"

#include <algorithm>

// A full list holds a line per record, so the line is written straight from
// the record's bytes into one string of the final length: no text per field.

namespace {

QByteArrayView Campo_(const TScheda &s, Campo c)
{
    return Testo::TrimByte(QByteArrayView(s.Dati(c), s.Lunghezza(c)));
}

QChar *Aggiungi(QChar *out, QStringView testo)
{
    return std::copy(testo.begin(), testo.end(), out);
}

// Pads with blanks or cuts to exactly n characters.
QChar *AggiungiAdattato(QChar *out, QByteArrayView valore, qsizetype n)
{
    const qsizetype k = std::min(valore.size(), n);
    out = Testo::DecodificaCp1252(valore.data(), k, out);
    return std::fill_n(out, n - k, QLatin1Char(' '));
}

constexpr qsizetype kParteFissa = 141; // everything but the amount

} // namespace

QString RigaScheda(const TScheda &s)
{
    const QByteArrayView dovuto = Campo_(s, Campo::Dovuto);
    QString riga(kParteFissa + dovuto.size(), Qt::Uninitialized);
    QChar *p = riga.data();
    p = Aggiungi(p, u"Data: ");
    p = AggiungiAdattato(p, Campo_(s, Campo::Data), 10);
    p = Aggiungi(p, u"  Cod. ");
    p = AggiungiAdattato(p, Campo_(s, Campo::Codice), 26);
    p = Aggiungi(p, u"  ");
    p = AggiungiAdattato(p, Campo_(s, Campo::Servizi), 45);
    p = Aggiungi(p, u"  ");
    p = AggiungiAdattato(p, Campo_(s, Campo::Fornitore), 34);
    p = Aggiungi(p, u"  Tot. \u20AC ");
    p = Testo::DecodificaCp1252(dovuto.data(), dovuto.size(), p);
    Q_ASSERT(p == riga.constData() + riga.size());
    return riga;
}
