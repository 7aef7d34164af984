#pragma once
// The rules of the period summary without any screen: composing and checking
// the two dates of the interval, the scan that builds the statement with its
// total, and the texts the statement shows and prints.

#include "lists/RigaScheda.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// "/01/" ... "/12/" for an Italian month name (trimmed, ASCII letters in any
// case); an empty text for anything else.
QString ParteMese(const QString &mese);
// trim(giorno) + month part + trim(anno); empty when the month is unknown.
QString ComponiData(const QString &giorno, const QString &mese, const QString &anno);
// True when the text is an existing date written "dd/mm/yyyy".
bool DataValida(const QString &testo);

struct CriteriRiepilogo {
    QString fornitore; // as typed: blanks inside count
    QString codice;
    QDate inizio;      // both days belong to the interval
    QDate fine;
};

// A filter counts when its trimmed text is not empty: 0, 1 or 2.
int FiltriAttivi(const CriteriRiepilogo &c);

struct Riepilogo {
    RigheScheda righe;
    double totale = 0;
    // Records that pass the filters and have an amount, but whose date of the
    // operation or amount due cannot be read (0-based indices): the statement
    // cannot say whether or how much they count, so its total is not reliable.
    QList<qint64> illeggibili;
    bool Completo() const { return illeggibili.isEmpty(); }
};

// Every record of the archive, in file order, whose payee and code contain the
// active filters (ASCII letters in any case), whose amount due is not blank
// and whose date lies in the interval. Throws ErroreArchivio when the archive
// cannot be opened, created or read.
Riepilogo CostruisciRiepilogo(const QString &percorsoArchivio, const CriteriRiepilogo &criteri);

// The total as shown: rounded to the nearest ten-thousandth (halves upward),
// with at least two decimals: 15 -> "15,00", 15.3 -> "15,30", 1.005 -> "1,005".
QString FormattaTotale(double totale);
// "Dal   dd/mm/yyyy   al   dd/mm/yyyy"
QString TestoIntervallo(const QString &inizio, const QString &fine);
// The lines of the printed statement: the list, then the closing bar, the
// interval and the total.
QStringList RigheStampaRiepilogo(const QStringList &righe, const QString &intervallo,
                                 const QString &totale);
