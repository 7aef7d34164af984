#pragma once
// The program folder's lock, held from the first time the register editor is
// shown until the program ends, as office programs keep a lock beside the
// document they have open. It tells a second copy of the program working on
// the same folder that the first is there; it forbids nothing: the records
// themselves are guarded when they are rewritten (Archivio).
//
// The lock is flock() on "Operazioni_Pagamenti.pro-in-uso": the system lets it
// go when the program ends in any way, so no stale lock survives a crash.
// The file holds who took it (user, computer, process) for the message.

#include <QString>

namespace BloccoCartella {

QString NomeFile(); // "Operazioni_Pagamenti.pro-in-uso"

enum class Esito {
    Preso,          // this program holds the lock on the folder (now or already)
    InUso,          // another copy of the program holds it
    NonDisponibile, // the lock file cannot be made (a folder that cannot be written)
};

// Takes the lock on the folder for the rest of the run, unless it is held
// already; a lock on another folder is let go first. On InUso, chi receives
// who holds it, as that copy wrote it ("mario sul computer casa"), or nothing.
Esito PrendiBloccoCartella(const QString &cartella, QString *chi = nullptr);

// Lets the lock go (the end of the program does it as well).
void RilasciaBloccoCartella();

} // namespace BloccoCartella
