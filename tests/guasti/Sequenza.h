#pragma once
// The records a test writer appends: record i carries i in NumDoc and a
// payload that depends on i, so any torn or shifted record shows.

#include "register/Scheda.h"

inline TScheda SchedaDiSequenza(qint64 i)
{
    TScheda s;
    s.ImpostaTesto(Campo::NumDoc, QString::number(i));
    s.ImpostaTesto(Campo::Fornitore, QStringLiteral("FORNITORE %1").arg(i % 97));
    s.ImpostaTesto(Campo::Dettagli, QString(200, QChar(u'a' + int(i % 26))));
    s.ImpostaTesto(Campo::Desc03, QString(250, QChar(u'A' + int(i % 26))));
    return s;
}

// Version v of record i for the rewriting test: every field that changes
// depends on v, so a record mixed from two versions shows.
inline TScheda SchedaVersione(qint64 i, qint64 v)
{
    TScheda s;
    s.ImpostaTesto(Campo::NumDoc, QString::number(i));
    s.ImpostaTesto(Campo::Fornitore, QStringLiteral("VERSIONE %1").arg(v));
    s.ImpostaTesto(Campo::Dettagli, QString(200, QChar(u'a' + int(v % 26))));
    s.ImpostaTesto(Campo::Note, QString(250, QChar(u'A' + int((v / 26) % 26))));
    s.ImpostaTesto(Campo::Desc03, QString::number(v).repeated(20));
    return s;
}
