#pragma once
// The scans behind the search and the accounts-to-settle lists, usable
// without any screen. Each reads the archive once, in file order, and throws
// ErroreArchivio when it cannot be opened, created or read.

#include "lists/RigaScheda.h"
#include "register/Scheda.h"

#include <QList>
#include <QString>
#include <optional>

// The search criteria: a fragment of text per record field.
struct CriterioRicerca {
    Campo campo;
    QString testo; // as typed, blanks included
};

// A criterion counts only when its trimmed text is not empty.
bool CriterioCompilato(const CriterioRicerca &c);

// Lines of the records in which every filled criterion occurs in its field,
// ASCII letters compared regardless of case. No filled criterion lists
// every record.
RigheScheda CercaSchede(const QString &percorsoArchivio, const QList<CriterioRicerca> &criteri);

// Lines of the records still to be settled: DaSaldare, trimmed, is "Sì".
RigheScheda ContiDaSaldare(const QString &percorsoArchivio);

// The record at indice, when it still gives the line riga (both trimmed);
// nothing when the archive has no such record any more or it has changed.
std::optional<TScheda> RitrovaScheda(const QString &percorsoArchivio, qint64 indice,
                                     const QString &riga);
