#include "platform/OperazioniFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
OperazioniFile *g_installate = nullptr;
}

qint64 OperazioniFile::Scrivi(int fd, const char *dati, qint64 quanti, qint64 offset)
{
    qint64 fatti = 0;
    while (fatti < quanti) {
        const ssize_t r = ::pwrite(fd, dati + fatti, size_t(quanti - fatti), off_t(offset + fatti));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return -1;
        fatti += r;
    }
    return fatti;
}

bool OperazioniFile::Sincronizza(int fd)
{
    int r;
    do {
        r = ::fsync(fd);
    } while (r != 0 && errno == EINTR);
    return r == 0;
}

bool OperazioniFile::Rinomina(int cartella, const char *da, const char *a)
{
    return ::renameat(cartella, da, cartella, a) == 0;
}

OperazioniFile &OperazioniFile::Corrente()
{
    static OperazioniFile reali;
    return g_installate ? *g_installate : reali;
}

void OperazioniFile::Installa(OperazioniFile *o) { g_installate = o; }
