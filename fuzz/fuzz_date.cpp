// The summary's dates: a text passes only when it is an existing day written
// "dd/mm/yyyy", and a day, a month name and a year compose a valid date
// exactly when that day exists.
#include "platform/Testo.h"
#include "summary/Riepilogo.h"

#include <QDate>
#include <array>
#include <cstdlib>

namespace {

constexpr std::array<const char16_t *, 12> kMesi = {
    u"gennaio", u"febbraio", u"marzo", u"aprile", u"maggio", u"giugno",
    u"luglio", u"agosto", u"settembre", u"ottobre", u"novembre", u"dicembre"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t n)
{
    const QString u = QString::fromUtf8(reinterpret_cast<const char *>(dati), qsizetype(n));
    if (DataValida(u)) {
        const auto d = Testo::LeggiData(u);
        if (!d || !d->isValid() || Testo::FormattaData(*d) != u)
            std::abort();
    } else if (u.size() == 10) {
        // Every existing day written in the form is accepted.
        const QDate d(u.mid(6, 4).toInt(), u.mid(3, 2).toInt(), u.mid(0, 2).toInt());
        if (d.isValid() && d.year() >= 1000 && Testo::FormattaData(d) == u)
            std::abort();
    }

    // Free texts for the three parts.
    const QStringList parti = u.split(u'|');
    const QString libera = ComponiData(parti.value(0), parti.value(1), parti.value(2));
    if (libera.isEmpty() != ParteMese(parti.value(1)).isEmpty())
        std::abort();

    // A day, a month name in any case with blanks around, and a year.
    if (n < 5)
        return 0;
    const int giorno = dati[0] % 34;                  // 0..33
    const int mese = dati[1] % 12 + 1;
    const int anno = 1000 + (dati[2] | (dati[3] << 8)) % 9000;
    QString nome = QString::fromUtf16(kMesi[mese - 1]);
    for (qsizetype i = 0; i < nome.size(); ++i)
        if (dati[4] & (1 << (i % 8)))
            nome[i] = nome[i].toUpper();
    const QString g = QStringLiteral("%1").arg(giorno, 2, 10, QLatin1Char('0'));
    const QString a = QString::number(anno);
    const QString data = ComponiData(QStringLiteral(" ") + g, QStringLiteral("\t") + nome + QStringLiteral(" "),
                                     a + QStringLiteral(" "));
    const QDate attesa(anno, mese, giorno);
    if (DataValida(data) != attesa.isValid())
        std::abort();
    if (attesa.isValid() && Testo::LeggiData(data) != attesa)
        std::abort();
    return 0;
}
