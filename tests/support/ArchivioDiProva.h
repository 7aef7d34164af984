#pragma once
// Small archive builders for tests: records from field values, files written
// byte for byte.

#include "register/Scheda.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

namespace ArchivioDiProva {

// A record with the given fields; the others are empty.
TScheda Scheda(const QMap<Campo, QString> &campi);
// A typical record: payee, operation date, code, description and amount due.
TScheda Semplice(const QString &fornitore, const QString &data, const QString &codice,
                 const QString &servizi, const QString &dovuto = QStringLiteral("0,00"),
                 bool daSaldare = false);
// n records told apart by their number i: payee "Fi", day i of January 2024,
// code "Ci", description "Si". Still to settle, each is owed i × 10 euro.
QList<TScheda> Numerate(int n, bool daSaldare = false);
// Writes the records to the file, replacing it, plus optional trailing bytes.
void Scrivi(const QString &percorso, const QList<TScheda> &schede,
            const QByteArray &coda = QByteArray());
QByteArray Leggi(const QString &percorso);

} // namespace ArchivioDiProva
