// Amount texts typed by the user: whatever the text, the field ends up with a
// plain amount that reads back as the rounded value of what was typed, the
// balance is due minus advance, and the key filter lets only digits, the comma,
// editing keys and Tab reach the field.
#include "platform/Testo.h"
#include "register/Importi.h"

#include <QRegularExpression>
#include <Qt>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool FormaImporto(const QString &t)
{
    static const QRegularExpression forma(QStringLiteral("^-?[0-9]+,[0-9]{2}$"));
    return t.size() <= Importi::LunghezzaMassima && forma.match(t).hasMatch();
}

double Valore(const QString &t)
{
    const auto v = Testo::LeggiNumero(t);
    if (!v)
        std::abort();
    return *v;
}

void ProvaNormalizza(const QString &t)
{
    const auto v = Testo::LeggiNumero(t);
    const auto normale = ImportoNormalizzato(t);
    if (!normale) {
        // Only a value too long to write is refused, and the field keeps
        // the text as typed so that a save can point at it.
        if (!v || std::fabs(*v) < 1e10 || NormalizzaImporto(t) != t)
            std::abort();
        return;
    }
    const QString n = *normale;
    if (NormalizzaImporto(t) != n || !FormaImporto(n) || NormalizzaImporto(n) != n)
        std::abort();
    if (n != u"0,00") {
        // Anything but zero comes from a readable value, rounded to cents.
        if (!v || std::fabs(Valore(n) - *v) > 0.005 + std::fabs(*v) * 1e-14)
            std::abort();
    } else if (v && std::fabs(*v) < 1e9 && std::fabs(*v) >= 0.005 + 1e-9) {
        // A readable, modest value never collapses to zero.
        std::abort();
    }
}

// The cent x rounds to, worked out on the exact decimal expansion of x (which
// printf gives in full): halves go upward, toward +infinity.
double CentesimoEsatto(double x)
{
    static char buf[1200];
    std::snprintf(buf, sizeof buf, "%.1100f", std::fabs(x));
    const char *punto = std::strchr(buf, '.');
    long long c = std::atoll(buf) * 100 + (punto[1] - '0') * 10 + (punto[2] - '0');
    const char *resto = punto + 3;
    const bool meta = *resto == '5' && resto[1 + std::strspn(resto + 1, "0")] == '\0';
    const bool oltre = *resto > '5' || (*resto == '5' && !meta);
    if (x >= 0)
        c += (oltre || meta) ? 1 : 0;
    else
        c = -(c + (oltre ? 1 : 0));
    return double(c) / 100.0;
}

void ProvaArrotonda(double x)
{
    const double r = Arrotonda2(x);
    if (std::isnan(x) != std::isnan(r))
        std::abort();
    if (!std::isfinite(x))
        return;
    if (!std::isfinite(r) || std::fabs(r - x) > 0.005 + std::fabs(x) * 1e-15)
        std::abort();
    if (Arrotonda2(r) != r)
        std::abort();
    // The result is a whole number of cents, as near as a double can be.
    if (std::fabs(x) < 1e13) {
        if (r != CentesimoEsatto(x))
            std::abort();
        const long double c = static_cast<long double>(r) * 100.0L;
        if (std::fabs(c - std::nearbyint(c)) > std::fabs(c) * 2.3e-16L + 1e-9L)
            std::abort();
    }
}

void ProvaSaldo(const QString &d, const QString &a, const QString &s)
{
    const auto r = CalcolaSaldo(d, a, s);
    // An empty or unreadable due or advance counts as zero on its own.
    const auto vd = Testo::LeggiNumero(Testo::Trim(d).isEmpty() ? QStringLiteral("0") : d);
    const auto va = Testo::LeggiNumero(Testo::Trim(a).isEmpty() ? QStringLiteral("0") : a);
    const double diff = vd.value_or(0.0) - va.value_or(0.0);
    if (!r) {
        // Only a balance too long for an amount text is refused: one of ten
        // integer digits or fewer always fits, with its sign.
        if (std::isfinite(diff) && std::fabs(diff) < 1e10)
            std::abort();
        return;
    }
    const QString attesoD = vd && !Testo::Trim(d).isEmpty() ? d : QStringLiteral("0,00");
    const QString attesoA = va && !Testo::Trim(a).isEmpty() ? a : QStringLiteral("0,00");
    if (r->dovuto != attesoD || r->acconto != attesoA || !FormaImporto(r->saldo))
        std::abort();
    if (std::fabs(Valore(r->saldo) - diff) > 0.005 + std::fabs(diff) * 1e-14 + 1e-9)
        std::abort();
}

void ProvaTasti(const uint8_t *dati, size_t n)
{
    static const int kTasti[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Backspace, Qt::Key_Delete,
                                 Qt::Key_Left, Qt::Key_Right, Qt::Key_Tab, Qt::Key_Escape,
                                 Qt::Key_Space, Qt::Key_Minus, Qt::Key_Period, Qt::Key_Comma,
                                 Qt::Key_0, Qt::Key_9, Qt::Key_A, Qt::Key_Home, Qt::Key_Backtab};
    QString campo;
    for (size_t i = 0; i + 2 < n && i < 300; i += 3) {
        const int tasto = kTasti[dati[i] % std::size(kTasti)];
        const QString c = (dati[i + 1] & 1) ? QString() : QString(QChar(char16_t(dati[i + 2] | (dati[i + 1] << 7))));
        const Importi::Tasto t = Importi::FiltraTasto(tasto, c);
        const bool invio = tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
        if ((t == Importi::Tasto::Avanza) != invio)
            std::abort();
        // Tab and Shift+Tab always leave the field: a keyboard user is never
        // trapped in it. They and the editing keys type nothing.
        const bool esce = tasto == Qt::Key_Tab || tasto == Qt::Key_Backtab;
        if (esce && t != Importi::Tasto::Passa)
            std::abort();
        if (t == Importi::Tasto::Passa && !c.isEmpty() && !esce && tasto != Qt::Key_Backspace
            && tasto != Qt::Key_Delete && tasto != Qt::Key_Left && tasto != Qt::Key_Right)
            campo += c;
    }
    // Only digits and commas ever get typed into the field.
    for (QChar c : campo)
        if (!((c >= u'0' && c <= u'9') || c == u','))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t n)
{
    const QString u = QString::fromUtf8(reinterpret_cast<const char *>(dati), qsizetype(n));
    ProvaNormalizza(u);
    const QStringList parti = u.split(u'|');
    ProvaSaldo(parti.value(0), parti.value(1), parti.value(2));
    ProvaSaldo(NormalizzaImporto(parti.value(0)), NormalizzaImporto(parti.value(1)), QString());
    if (n >= sizeof(double)) {
        double x;
        std::memcpy(&x, dati, sizeof x);
        ProvaArrotonda(x);
    }
    if (const auto v = Testo::LeggiNumero(u))
        ProvaArrotonda(*v);
    ProvaTasti(dati, n);
    return 0;
}
