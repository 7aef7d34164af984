#pragma once
// The find bar's rule: which line a press of Trova selects.

#include "lists/RigaScheda.h"

#include <QString>
#include <QStringList>

// Returns the line to select after a press of Trova with testo, given the
// selected line (-1 for none) and the last find text of the screen, which it
// updates. A new text is looked for from the first line; the same text again
// from the line after the selected one, wrapping round, and the selection
// stays when no other line matches. Letters are compared after lowering the
// ASCII ones only; an empty text matches nothing. An empty list gives -1.
int TrovaRiga(const QStringList &righe, int selezionata, const QString &testo,
              QString &ultimoTesto);
// The same over the lines of a result list.
int TrovaRiga(const TestiRighe &righe, int selezionata, const QString &testo,
              QString &ultimoTesto);
