#pragma once
// What the program does to its folder at start, before any screen touches the
// archive: it removes the temporaries that a killed writer left (of the whole
// files replaced, the attachment copies and the daily copies, and those of
// older versions, the store's included) and that no running copy holds, puts
// back the record of a rewrite a crash interrupted, and looks at the
// archive's tail for the zeros a damaged file ends with.

#include <QString>
#include <QStringList>

// The messages the user must hear, in the program's voice; empty when all is well.
QStringList PreparaCartella(const QString &cartellaProgramma);
