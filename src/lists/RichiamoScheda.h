#pragma once
// What a double click on a result line does: finds the line's record again
// and hands it to the screen that shows records.

#include "lists/ListaRighe.h"
#include "register/VisoreScheda.h"

class QListView;

// Asks the viewer first whether its shown record may go (it may hold unsaved
// edits): false when it must stay, and the list with it. Then re-reads the
// record the selected line was built from and loads it only if it still
// gives the same line: a record changed or removed since the list was filled
// loads nothing. The line's own position is used rather than a scan for an
// equal line, because two records with equal lines (they differ only in
// fields the line does not show) must each load themselves, not the later
// one, which a save would then overwrite. A record that no longer gives
// its line, and an archive that cannot be read, load nothing and are told
// to the user.
bool RichiamaSchedaSelezionata(QListView *lista, VisoreScheda &visore);
