#pragma once
// The copies of the archive kept in Backup/ and the restore of one of them.
// A restore first keeps the current archive as a copy of its own
// ("Operazioni_Pagamenti-YYYYMMDD-HHMMSS.pro", never rotated away), so that it
// can itself be undone, then replaces the archive whole by the chosen copy,
// under the archive's lock and after the day's copy. An import of a bank
// statement keeps the archive before it the same way, its name ending in
// "-prima-importazione" so that the user knows it in the list.

#include "register/SchedeEliminate.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace CopieSicurezza {

struct Copia {
    QString nome;        // file name inside Backup/
    QDateTime quando;    // from the name: the day, and the time for a copy kept by a restore
    qint64 byte = 0;
    qint64 schede = 0;
    bool danneggiata = false; // empty or not a whole number of records: cannot be restored
};

// The copies, newest first. A missing folder is an empty list.
QList<Copia> Elenco(const QString &cartellaProgramma);
// The current archive described as a copy (its name is the archive's).
Copia Attuale(const QString &cartellaProgramma);
// The name under which a restore keeps the current archive.
QString NomeCopiaPrima(const QDateTime &adesso);
// The name under which an import keeps the archive before it.
QString NomeCopiaPrimaImportazione(const QDateTime &adesso);
// Copies the first `dimensione` bytes of the open archive `fd` into Backup/
// under `nome`, whole or not at all. Throws ErroreArchivio.
void CopiaArchivio(int fd, qint64 dimensione, const QString &cartellaProgramma, const QString &nome);

// Replaces the archive by the copy `nome` of Backup/. On success `dettaglio`
// holds the name under which the archive before it was kept (empty when the
// archive was empty and nothing needed keeping).
EsitoModifica Ripristina(const QString &cartellaProgramma, const QString &nome, const QDateTime &adesso);

} // namespace CopieSicurezza
