#pragma once
// The fixed-width line that stands for a record in every result list, and
// the lines of a list together with the archive position each came from.

#include "register/Scheda.h"

#include <QList>
#include <QString>
#include <QStringList>

// "Data: " date(10) "  Cod. " code(26) "  " product(45) "  " payee(34)
// "  Tot. € " amount as stored. Every field is trimmed first; the fitted ones
// are padded with blanks or cut to their width.
QString RigaScheda(const TScheda &s);

// Lines of a result list in file order, each with the 0-based index of the
// record it was built from, so that a line can find its record again.
struct RigheScheda {
    QStringList righe;
    QList<qint64> posizioni;

    void Aggiungi(const TScheda &s, qint64 indice)
    {
        righe.append(RigaScheda(s));
        posizioni.append(indice);
    }
    qsizetype size() const { return righe.size(); }
};
