#pragma once
// What a double click on a result line does: finds the line's record again
// and loads it into the register editor.

#include "lists/ListaRighe.h"
#include "register/Scheda.h"

#include <functional>

class QListView;

using CaricaScheda = std::function<void(const TScheda &, qint64 indice)>;

// Loads into the one register editor of the program.
void CaricaNelRegistro(const TScheda &s, qint64 indice);

// Re-reads the record the selected line was built from and loads it only if
// it still gives the same line: a record changed or removed since the list
// was filled loads nothing. The line's own position is used rather than a
// scan for an equal line, because two records with equal lines (they differ
// only in fields the line does not show) must each load themselves, not the
// later one, which a save would then overwrite. Failures load nothing and
// say nothing.
void RichiamaSchedaSelezionata(QListView *lista, const CaricaScheda &carica);
