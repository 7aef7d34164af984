#pragma once
// A file layer for fault tests, installed for its lifetime in place of the
// real one. It can cut the writes after a number of bytes or stop right after
// the Nth sync, throwing Interruzione where the program would have died (the
// bytes written so far stay, as after a crash) or right after a rename, and
// it can make the syncs of one file fail as a failing disk would.

#include "platform/OperazioniFile.h"

#include <QFileInfo>
#include <QString>
#include <cerrno>
#include <climits>
#include <unistd.h>

struct Interruzione {};

class FileGuasto : public OperazioniFile {
public:
    qint64 byteConcessi = -1;      // bytes written before the cut; -1: no cut
    int taglioDopoSync = -1;       // the cut comes right after this sync; -1: none
    QString syncFallito;           // file name whose syncs fail
    int syncDaFallire = 0;         // how many of them fail
    bool taglioDopoRinomina = false; // the cut comes right after the first rename
    QString taglioDopoRinominaIn;  // or right after the first rename onto this file name

    qint64 scritti = 0;            // bytes written so far
    int sincronizzazioni = 0;      // syncs done so far

    FileGuasto() { OperazioniFile::Installa(this); }
    ~FileGuasto() override { OperazioniFile::Installa(nullptr); }

    qint64 Scrivi(int fd, const char *dati, qint64 quanti, qint64 offset) override
    {
        if (byteConcessi >= 0 && scritti + quanti > byteConcessi) {
            const qint64 parte = byteConcessi - scritti;
            if (parte > 0)
                OperazioniFile::Scrivi(fd, dati, parte, offset);
            scritti = byteConcessi;
            throw Interruzione{};
        }
        const qint64 r = OperazioniFile::Scrivi(fd, dati, quanti, offset);
        if (r > 0)
            scritti += r;
        return r;
    }

    // No real sync: a cut stands for the program dying, whose written bytes
    // the system keeps anyway; the point is where the program stops.
    bool Sincronizza(int fd) override
    {
        if (syncDaFallire > 0 && QFileInfo(Nome(fd)).fileName() == syncFallito) {
            --syncDaFallire;
            errno = EIO;
            return false;
        }
        if (++sincronizzazioni == taglioDopoSync)
            throw Interruzione{};
        return true;
    }

    bool Rinomina(int cartella, const char *da, const char *a) override
    {
        const bool ok = OperazioniFile::Rinomina(cartella, da, a);
        if (ok && taglioDopoRinomina)
            throw Interruzione{};
        if (ok && !taglioDopoRinominaIn.isEmpty() && QFileInfo(QString::fromLocal8Bit(a)).fileName() == taglioDopoRinominaIn)
            throw Interruzione{};
        return ok;
    }

    static QString Nome(int fd)
    {
        char b[PATH_MAX];
        const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
        const ssize_t n = ::readlink(link.constData(), b, sizeof b);
        return n > 0 ? QString::fromLocal8Bit(b, n) : QString();
    }
};
