#include "platform/Posizioni.h"

#include <QStringList>

namespace Posizioni {

QString Elenco(const QList<qint64> &indici)
{
    constexpr qsizetype kMassimo = 10;
    QStringList p;
    for (qsizetype i = 0; i < indici.size() && i < kMassimo; ++i)
        p << QString::number(indici.at(i) + 1);
    if (indici.size() > kMassimo)
        p << QStringLiteral("...");
    return p.join(QStringLiteral(", "));
}

} // namespace Posizioni
