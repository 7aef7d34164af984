#pragma once
// The timed operations of the benchmark, by name. Each reads the archive at
// the given path and returns a number derived from what it read, so that the
// work cannot be optimised away.

#include <QString>
#include <QStringList>
#include <functional>

namespace Operazioni {

struct Operazione {
    QString nome;
    QString descrizione;
    std::function<qint64(const QString &percorso)> esegui;
};

const QList<Operazione> &Tutte();
const Operazione *Trova(const QString &nome);

} // namespace Operazioni
