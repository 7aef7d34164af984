#pragma once
// The fuzz input as an archive file: written to one temporary folder for the
// whole run, so that every reader goes through the same file layer as the
// program. The bytes past the last whole record, which the readers ignore,
// double as the target's own parameters.

#include "register/Archivio.h"

#include <QByteArrayView>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>

namespace ArchivioFuzz {

inline QString Scrivi(const uint8_t *dati, size_t n)
{
    static QTemporaryDir cartella;
    const QString percorso = Archivio::Percorso(cartella.path());
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || f.write(reinterpret_cast<const char *>(dati), qint64(n)) != qint64(n))
        std::abort();
    return percorso;
}

inline qint64 Schede(size_t n) { return qint64(n / TScheda::Dimensione); }

inline TScheda Scheda(const uint8_t *dati, qint64 indice)
{
    TScheda s;
    std::memcpy(s.byte.data(), dati + indice * TScheda::Dimensione, TScheda::Dimensione);
    return s;
}

// The trailing bytes after the whole records.
inline QByteArrayView Coda(const uint8_t *dati, size_t n)
{
    const size_t inizio = size_t(Schede(n)) * TScheda::Dimensione;
    return QByteArrayView(reinterpret_cast<const char *>(dati) + inizio, qsizetype(n - inizio));
}

// Byte i of the trailing bytes, or 0.
inline quint8 Parametro(QByteArrayView coda, qsizetype i)
{
    return i < coda.size() ? quint8(coda[i]) : 0;
}

} // namespace ArchivioFuzz
