#pragma once
// Daily copies of the archive in the folder "Backup" of the program folder:
// "Operazioni_Pagamenti-YYYYMMDD.pro", made before the day's first change; the
// ten most recently made are kept.

#include <QDate>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace CopieGiornaliere {

constexpr int Conservate = 10;

QString NomeCartella();                             // "Backup"
QString Cartella(const QString &cartellaProgramma); // cartellaProgramma + "Backup"
QString NomeCopia(QDate giorno);                    // "Operazioni_Pagamenti-YYYYMMDD.pro"

// Copies the archive open on fd as the day's copy, unless the day has one
// already or the archive is empty (then false): written by the safe replace,
// into a private folder, and only when the disk has room for it. Then keeps
// the copy just made and the most recently made of the others, Conservate in
// all, by the time they were made. Throws ErroreArchivio on any failure, with
// ENOSPC and the size needed when the disk has no room for the copy.
bool Copia(int fdArchivio, const QString &cartella, QDate oggi);

// The copies whose name carries a date after oggi: made under a clock set
// forward, or today's clock is behind.
QStringList CopieFuture(const QString &cartella, QDate oggi);

// The temporary an older version left when a copy died half way.
bool TemporaneoVecchio(QByteArrayView nome);

} // namespace CopieGiornaliere
