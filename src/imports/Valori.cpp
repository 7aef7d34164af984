#include "imports/Valori.h"

#include <QRegularExpression>

namespace ValoriEstratto {

namespace {

int Anno(int a, int cifre)
{
    return cifre == 2 ? 2000 + a : a;
}

} // namespace

std::optional<QDate> LeggiData(const QString &testo, Ordine ordine)
{
    const QString t = testo.trimmed();
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})(?:[T ].*)?$"));
    static const QRegularExpression compatta(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})(?:\\d{0,6}(?:\\.\\d+)?(?:\\[.*\\])?)?$"));
    static const QRegularExpression numerica(QStringLiteral("^(\\d{1,2})\\s*[/.\\-]\\s*(\\d{1,2})\\s*[/.\\-']\\s*(\\d{4}|\\d{2})$"));
    QDate d;
    if (auto m = iso.match(t); m.hasMatch()) {
        d = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    } else if (auto m = compatta.match(t); m.hasMatch()) {
        d = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    } else if (auto m = numerica.match(t); m.hasMatch()) {
        int giorno = m.captured(1).toInt();
        int mese = m.captured(2).toInt();
        if (ordine == Ordine::MeseGiorno)
            std::swap(giorno, mese);
        d = QDate(Anno(m.captured(3).toInt(), int(m.captured(3).size())), mese, giorno);
    }
    if (!d.isValid())
        return std::nullopt;
    return d;
}

Ordine OrdineColonna(const QStringList &valori)
{
    static const QRegularExpression numerica(QStringLiteral("^\\s*(\\d{1,2})\\s*[/.\\-]\\s*(\\d{1,2})\\s*[/.\\-']"));
    bool primaOltre12 = false, secondaOltre12 = false;
    for (const QString &v : valori) {
        const auto m = numerica.match(v);
        if (!m.hasMatch())
            continue;
        primaOltre12 |= m.captured(1).toInt() > 12;
        secondaOltre12 |= m.captured(2).toInt() > 12;
    }
    return secondaOltre12 && !primaOltre12 ? Ordine::MeseGiorno : Ordine::GiornoMese;
}

QChar DecimaleColonna(const QStringList &valori)
{
    int virgola = 0, punto = 0;
    for (const QString &v : valori) {
        const QString t = v.trimmed();
        const qsizetype p = std::max(t.lastIndexOf(u','), t.lastIndexOf(u'.'));
        if (p < 0)
            continue;
        qsizetype cifre = 0;
        for (qsizetype k = p + 1; k < t.size() && t.at(k).isDigit(); ++k)
            ++cifre;
        const bool entrambi = t.contains(u',') && t.contains(u'.');
        // Three digits after a lone separator may be thousands: no vote.
        if (cifre == 3 && !entrambi)
            continue;
        (t.at(p) == u',' ? virgola : punto) += 1;
    }
    return punto > virgola ? u'.' : u',';
}

std::optional<qint64> LeggiCentesimi(const QString &testo, QChar decimale)
{
    QString t;
    t.reserve(testo.size());
    for (QChar c : testo) {
        if (c.isSpace() || c == QChar(0x20AC) || c == QChar(0x00A0) || c == QChar(0x202F) || c == u'\'')
            continue;
        t.append(c);
    }
    if (t.endsWith(QStringLiteral("EUR"), Qt::CaseInsensitive))
        t.chop(3);
    if (t.startsWith(QStringLiteral("EUR"), Qt::CaseInsensitive))
        t.remove(0, 3);
    bool negativo = false;
    if (t.size() >= 2 && t.front() == u'(' && t.back() == u')') {
        negativo = true;
        t = t.mid(1, t.size() - 2);
    }
    if (!t.isEmpty() && (t.front() == u'-' || t.front() == u'+' || t.front() == QChar(0x2212))) {
        negativo = negativo || t.front() != u'+';
        t.remove(0, 1);
    } else if (!t.isEmpty() && t.back() == u'-') {
        negativo = true;
        t.chop(1);
    }
    if (t.isEmpty())
        return std::nullopt;
    const QChar migliaia = decimale == u',' ? u'.' : u',';
    const qsizetype virgola = t.indexOf(decimale);
    if (virgola >= 0 && t.indexOf(decimale, virgola + 1) >= 0)
        return std::nullopt;
    const QString intera = virgola >= 0 ? t.left(virgola) : t;
    QString decimali = virgola >= 0 ? t.mid(virgola + 1) : QString();
    qint64 valore = 0;
    int cifre = 0;
    int dalGruppo = -1; // digits since the last thousands separator, -1 before one
    for (QChar c : intera) {
        if (c == migliaia) {
            if (cifre == 0 || (dalGruppo >= 0 && dalGruppo != 3))
                return std::nullopt;
            dalGruppo = 0;
            continue;
        }
        if (!c.isDigit() || c.unicode() > 0x7F)
            return std::nullopt;
        if (++cifre > 12)
            return std::nullopt;
        valore = valore * 10 + (c.unicode() - u'0');
        if (dalGruppo >= 0)
            ++dalGruppo;
    }
    if (dalGruppo >= 0 && dalGruppo != 3)
        return std::nullopt;
    if (virgola >= 0 && decimali.isEmpty() && cifre == 0)
        return std::nullopt;
    for (QChar c : decimali)
        if (!c.isDigit() || c.unicode() > 0x7F)
            return std::nullopt;
    while (decimali.size() > 2 && decimali.endsWith(u'0'))
        decimali.chop(1);
    if (decimali.size() > 2 || (cifre == 0 && decimali.isEmpty()))
        return std::nullopt;
    decimali = decimali.leftJustified(2, u'0');
    valore = valore * 100 + decimali.toInt();
    return negativo ? -valore : valore;
}

QString TestoImporto(qint64 centesimi)
{
    const qint64 a = centesimi < 0 ? -centesimi : centesimi;
    return (centesimi < 0 ? QStringLiteral("-") : QString()) + QString::number(a / 100) + u','
           + QString::number(a % 100).rightJustified(2, u'0');
}

} // namespace ValoriEstratto
