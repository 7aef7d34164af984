#include "lists/RigaScheda.h"

#include "platform/Testo.h"

namespace {

// Pads with blanks or cuts to exactly n characters.
void AggiungiAdattato(QString &riga, const QString &valore, qsizetype n)
{
    if (valore.size() >= n) {
        riga.append(QStringView(valore).left(n));
    } else {
        riga.append(valore);
        riga.append(QString(n - valore.size(), QLatin1Char(' ')));
    }
}

QString Campo_(const TScheda &s, Campo c) { return Testo::Trim(s.Testo(c)); }

} // namespace

QString RigaScheda(const TScheda &s)
{
    const QString dovuto = Campo_(s, Campo::Dovuto);
    QString riga;
    riga.reserve(141 + dovuto.size());
    riga.append(u"Data: ");
    AggiungiAdattato(riga, Campo_(s, Campo::Data), 10);
    riga.append(u"  Cod. ");
    AggiungiAdattato(riga, Campo_(s, Campo::Codice), 26);
    riga.append(u"  ");
    AggiungiAdattato(riga, Campo_(s, Campo::Servizi), 45);
    riga.append(u"  ");
    AggiungiAdattato(riga, Campo_(s, Campo::Fornitore), 34);
    riga.append(u"  Tot. \u20AC ");
    riga.append(dovuto);
    return riga;
}
