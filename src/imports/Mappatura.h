#pragma once
// Which column of a statement's table holds what a record needs, proposed
// from the header's names (or from the values without a header) and changed
// by the user; and the payments the table gives through it.

#include "imports/Estratto.h"

#include <QDate>
#include <QList>
#include <QString>

struct Mappatura {
    // -1: no column.
    int data = -1;         // operation date
    int valuta = -1;       // value date, used when the operation date is empty
    int beneficiario = -1;
    int descrizione = -1;
    int importo = -1;      // one signed column: negative is money going out
    int addebito = -1;     // or two columns: money out ...
    int accredito = -1;    // ... and money in
    bool operator==(const Mappatura &) const = default;
};

struct Movimento {
    int linea = 0;           // 1-based line of the file
    QDate data;
    QString beneficiario;    // as the bank gives it, or the description's first part
    QString descrizione;
    qint64 centesimi = 0;    // always positive
    bool uscita = false;     // money going out: only these become records
};

struct Interpretazione {
    QList<Movimento> movimenti;
    QList<Estratto::ErroreLinea> errori; // rows that give no payment, with why
};

namespace MappaturaEstratto {

Mappatura Proponi(const Estratto::Tabella &t);
// What is missing for the mapping to give payments; empty when it is usable.
QString Incompleta(const Mappatura &m);
Interpretazione Interpreta(const Estratto::Tabella &t, const Mappatura &m);
// The payee when the bank gives none: the description up to the first
// " - ", " / ", ",", ":" or double blank.
QString PrimaParte(const QString &descrizione);

} // namespace MappaturaEstratto
