#include "register/Importi.h"

#include "platform/Testo.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <optional>

namespace Importi {

Tasto FiltraTasto(int tasto, const QString &carattere)
{
    switch (tasto) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Tasto::Avanza;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    // Tab walks on: swallowed, it would trap a keyboard user in the field.
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return Tasto::Passa;
    default:
        break;
    }
    if (carattere.size() == 1) {
        const QChar c = carattere.at(0);
        if ((c >= u'0' && c <= u'9') || c == u',')
            return Tasto::Passa;
    }
    return Tasto::Scarta;
}

} // namespace Importi

namespace {

const QString kZero = QStringLiteral("0,00");

// Turns a general-format number into an amount text: 12 -> 12,00, 12,5 -> 12,50.
// Nothing when the result is not a plain amount of at most 15 characters.
std::optional<QString> ComeImporto(QString t)
{
    if (!t.contains(u','))
        t += QStringLiteral(",00");
    else if (t.size() >= 2 && t.at(t.size() - 2) == u',')
        t += u'0';
    static const QRegularExpression forma(QStringLiteral("^-?[0-9]+,[0-9]{2}$"));
    if (t.size() > Importi::LunghezzaMassima || !forma.match(t).hasMatch())
        return std::nullopt;
    return t;
}

} // namespace

double Arrotonda2(double x)
{
    // Doubles this large are whole numbers already (and x*100 would no longer
    // be exact below).
    if (!std::isfinite(x) || std::fabs(x) >= 4503599627370496.0) // 2^52
        return x;
    // x*100 + 0.5 needs at most 61 significant bits for these values: the
    // 64-bit mantissa of long double holds it exactly.
    static_assert(std::numeric_limits<long double>::digits >= 64);
    const long double n = std::floor(static_cast<long double>(x) * 100.0L + 0.5L);
    return static_cast<double>(n) / 100.0;
}

std::optional<QString> ImportoNormalizzato(const QString &testo)
{
    if (Testo::Trim(testo).isEmpty())
        return kZero;
    const auto v = Testo::LeggiNumero(testo);
    if (!v)
        return kZero;
    return ComeImporto(Testo::FormatoGenerale(Arrotonda2(*v)));
}

QString NormalizzaImporto(const QString &testo)
{
    return ImportoNormalizzato(testo).value_or(testo);
}

QString PulisciImportoIncollato(const QString &testo)
{
    QString t;
    t.reserve(testo.size());
    for (const QChar c : testo) {
        const bool spazio = c.unicode() <= 32 || c.isSpace();
        if (!spazio && c != u'\u20AC')
            t += c;
    }
    static const QRegularExpression migliaia(
        QStringLiteral("^[+-]?[0-9]{1,3}(\\.[0-9]{3})+(,[0-9]*)?$"));
    if (migliaia.match(t).hasMatch())
        t.remove(u'.');
    return t;
}

std::optional<Importo3> CalcolaSaldo(const QString &dovuto, const QString &acconto,
                                     const QString &saldo)
{
    Importo3 r{dovuto, acconto, saldo};
    for (QString *t : {&r.dovuto, &r.acconto, &r.saldo})
        if (Testo::Trim(*t).isEmpty())
            *t = kZero;
    // An unreadable amount counts as zero on its own: it never takes the
    // other amounts with it.
    auto d = Testo::LeggiNumero(r.dovuto);
    auto a = Testo::LeggiNumero(r.acconto);
    if (!d) {
        r.dovuto = kZero;
        d = 0.0;
    }
    if (!a) {
        r.acconto = kZero;
        a = 0.0;
    }
    // The difference goes through its 15-digit text before rounding, so that
    // 100,10 - 0,20 is judged as 99,9 and not as 99,899999...
    const auto s = Testo::LeggiNumero(Testo::FormatoGenerale(*d - *a));
    if (!s)
        return std::nullopt;
    const auto testo = ComeImporto(Testo::FormatoGenerale(Arrotonda2(*s)));
    if (!testo)
        return std::nullopt;
    r.saldo = *testo;
    return r;
}
