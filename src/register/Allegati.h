#pragma once
// The attachment folder "Documenti_Allegati": files in it are known by their
// bare name, so a name is only ever joined to the folder when it cannot
// reach outside it.

#include <QString>

namespace Allegati {

QString NomeCartella(); // "Documenti_Allegati"

// True for a plain file name: not empty, not "." or "..", not starting with
// ":", without "/", "\" or NUL. Names read from the archive may come from
// anywhere.
bool NomeSicuro(const QString &nome);

// Copies sorgente over destinazione, replacing it whole or not at all: the
// new content is written beside it and renamed into place. False on failure.
bool Copia(const QString &sorgente, const QString &destinazione);

} // namespace Allegati
