#pragma once
// The two file operations whose failure decides whether a change is safe on
// disk: writing bytes at an offset and syncing a file or folder. The archive,
// its journal and the daily copies go through them, so a test can install a
// layer that cuts a write after N bytes or fails the Nth sync.

#include <QtGlobal>

class OperazioniFile {
public:
    virtual ~OperazioniFile() = default;

    // Writes all the bytes at the offset; the count written, -1 on error.
    virtual qint64 Scrivi(int fd, const char *dati, qint64 quanti, qint64 offset);
    // Syncs a file or a folder to disk; false on error.
    virtual bool Sincronizza(int fd);

    static OperazioniFile &Corrente();
    // Installs a layer; the caller keeps ownership. nullptr restores the real one.
    static void Installa(OperazioniFile *o);
};
