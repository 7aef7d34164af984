#pragma once
// The timed operations of the benchmark, by name. Each reads the archive at
// the given path and returns a number derived from what it read, so that the
// work cannot be optimised away.

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

namespace Operazioni {

struct Operazione {
    QString nome;
    QString descrizione;
    std::function<qint64(const QString &percorso)> esegui;
};

const QList<Operazione> &Tutte();
const Operazione *Trova(const QString &nome);
// What the program has done before any operation can start: a list model
// built (and with it the fonts of the result lists).
void PreparaSchermate();

// How fast the list of every record answers a view: data() for the display
// text of the first, middle and last line, in microseconds (first asking and
// mean of a thousand more).
struct Risposta {
    int riga = 0;
    double primaUs = 0;
    double mediaUs = 0;
    qint64 caratteri = 0;
};
std::array<Risposta, 3> RispostaLista(const QString &percorso);

// Resident memory before the list of every record, with it filled and after
// the list is closed (emptied as the screens empty it), in MiB.
struct MemoriaLista {
    double primaMb = 0;
    double pienaMb = 0;
    double chiusaMb = 0;
    qint64 righe = 0;
};
MemoriaLista MemoriaDellaLista(const QString &percorso);

} // namespace Operazioni
