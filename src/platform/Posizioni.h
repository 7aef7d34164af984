#pragma once
// Record positions as the messages name them.

#include <QList>
#include <QString>

namespace Posizioni {

// 0-based record positions as the user counts them, 1-based and separated by
// commas: the first ten, then "..." when there are more.
QString Elenco(const QList<qint64> &indici);

} // namespace Posizioni
