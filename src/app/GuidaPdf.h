#pragma once
// The user guide "Guida.pdf": a short illustrated tour of the program followed
// by the help topics of its screens, the same texts the help dialog shows.
// Built once at build time and laid down beside the program.

#include <QList>
#include <QString>

class QTextDocument;

namespace GuidaPdf {

struct Argomento {
    QString titolo;
    QString testo;   // paragraphs separated by "\r\n\r\n"
};

// The help topics of the program's screens, in the order of the guide.
QList<Argomento> ArgomentiDelProgramma();

// The guide as a document; its pictures are registered as resources of it.
// Topics with neither title nor text are left out.
void Componi(QTextDocument &documento, const QList<Argomento> &argomenti);

// Writes the guide to an A4 PDF file; false when the file cannot be written.
bool Scrivi(const QString &file, const QList<Argomento> &argomenti);

} // namespace GuidaPdf
