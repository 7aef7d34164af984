#include "register/DataDigitata.h"

#include "platform/Testo.h"

#include <QRegularExpression>

std::optional<QDate> LeggiDataDigitata(const QString &testo)
{
    static const QRegularExpression conBarre(
        QStringLiteral("^([0-9]{1,2})/([0-9]{1,2})/([0-9]{4})$"));
    static const QRegularExpression senzaBarre(QStringLiteral("^([0-9]{2})([0-9]{2})([0-9]{4})$"));
    const QString t = Testo::Trim(testo);
    QRegularExpressionMatch m = conBarre.match(t);
    if (!m.hasMatch())
        m = senzaBarre.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!d.isValid() || d.year() < 1)
        return std::nullopt;
    return d;
}
