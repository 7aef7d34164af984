#pragma once
// Builds archives of realistic payments for the benchmark: Italian payees,
// codes and descriptions, dates over twenty years, amounts with cents.

#include "register/Scheda.h"

#include <QString>

namespace GeneraArchivio {

// The i-th record of the generated series (deterministic for a seed).
TScheda Scheda(quint32 seme, qint64 i);
// Writes n records to the file, replacing it. False on a write failure.
bool Scrivi(const QString &percorso, qint64 n, quint32 seme = 2026);

} // namespace GeneraArchivio
