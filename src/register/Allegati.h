#pragma once
// The attachment folder "Documenti_Allegati": files in it are known by their
// bare name, so a name is only ever joined to the folder when it cannot
// reach outside it, and the name a record stores is always the name of the
// copy in the folder.

#include <QString>

namespace Allegati {

QString NomeCartella(); // "Documenti_Allegati"

// True for a plain file name: not empty, not "." or "..", not starting with
// ":", without "/", "\" or NUL. Names read from the archive may come from
// anywhere.
bool NomeSicuro(const QString &nome);

// The name under which a picked file is attached: one that the record's
// field holds exactly (windows-1252, at most its capacity) and the folder
// can hold. Characters the code page lacks, path separators and control
// characters become "_"; a name too long loses the end of its stem, never
// its extension. The result is trimmed; empty when nothing usable remains.
QString NomeConservabile(const QString &nome);

// What the folder holds under a name, without following a symbolic link.
enum class Voce { Assente, File, Collegamento, Altro };
Voce Stato(const QString &percorso);

enum class Esito { Copiato, SorgenteIlleggibile, ScritturaFallita };
// Copies sorgente into the folder as nome by the safe replace: written under
// a temporary name in the folder, synced, and only then renamed to nome, so a
// failure (disk full, folder protected) leaves nothing half-copied, and the
// rename replaces whatever stands under nome instead of writing through it.
// The copy is private (0600) and never readable by more than the file picked.
// On ScritturaFallita, *errore gets the errno of the failed step.
Esito Copia(const QString &sorgente, const QString &cartella, const QString &nome, int *errore = nullptr);

} // namespace Allegati
