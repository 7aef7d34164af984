#pragma once
// Daily copies of the archive in the folder "Backup" of the program folder:
// "Operazioni_Pagamenti-YYYYMMDD.pro", made before the day's first change and
// kept for the ten most recent days.

#include <QDate>
#include <QString>

namespace CopieGiornaliere {

constexpr int Conservate = 10;

QString NomeCartella();                             // "Backup"
QString Cartella(const QString &cartellaProgramma); // cartellaProgramma + "Backup"
QString NomeCopia(QDate giorno);                    // "Operazioni_Pagamenti-YYYYMMDD.pro"

// Copies the archive open on fd as the day's copy, unless the day has one
// already or the archive is empty: written under a temporary name, synced,
// then renamed. Then removes all but the most recent copies. Throws
// ErroreArchivio on any failure.
void Copia(int fdArchivio, const QString &cartella, QDate oggi);

} // namespace CopieGiornaliere
