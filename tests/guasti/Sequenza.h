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
