#pragma once
// The file operations whose failure decides whether a change is safe on disk:
// writing bytes at an offset, syncing a file or folder, and renaming a file
// over another. The archive, its journal, the daily copies and every whole
// file replaced (SostituzioneSicura) go through them, so a test can install a
// layer that cuts a write after N bytes, fails the Nth sync or stops at a
// rename.

#include <QtGlobal>

class OperazioniFile {
public:
    virtual ~OperazioniFile() = default;

    // Writes all the bytes at the offset; the count written, -1 on error.
    virtual qint64 Scrivi(int fd, const char *dati, qint64 quanti, qint64 offset);
    // Syncs a file or a folder to disk; false on error.
    virtual bool Sincronizza(int fd);
    // Renames da over a, both in the folder open on cartella; false on error.
    virtual bool Rinomina(int cartella, const char *da, const char *a);

    static OperazioniFile &Corrente();
    // Installs a layer; the caller keeps ownership. nullptr restores the real one.
    static void Installa(OperazioniFile *o);
};
