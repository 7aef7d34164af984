#pragma once
// The spreadsheet export "Registro_Spese.xls": an HTML table with the
// spreadsheet program's namespaces and worksheet options, on a single line,
// in windows-1252. Cell texts are data: markup characters are escaped, and
// characters the code page cannot hold become character references, so
// nothing typed is lost.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <string>

class QIODevice;

namespace DocumentoExcel {

QString NomeFile(); // "Registro_Spese.xls"

// Data columns of the sheet, 1 to 14 (the grid's columns without the row number).
constexpr int PrimaColonna = 1;
constexpr int UltimaColonna = 14;

// The text of a cell: row from 0, column PrimaColonna..UltimaColonna.
using Cella = std::function<QString(qint64 riga, int colonna)>;

// Appends the text of a cell, as it appears in the file, to the document.
using CellaInFile = std::function<void(std::string &documento, qint64 riga, int colonna)>;

// Writes the whole document to the device in large blocks. False as soon as
// a write fails; what was written before stays on the device.
bool Scrivi(QIODevice &destinazione, qint64 righe, const Cella &cella);
bool Scrivi(QIODevice &destinazione, qint64 righe, const CellaInFile &cella);

// The whole document in memory (for small tables).
QByteArray Documento(qint64 righe, const Cella &cella);

// A cell text as it appears in the file: trimmed, escaped, in windows-1252.
QByteArray TestoCella(const QString &testo);
void AggiungiTestoCella(std::string &documento, const QString &testo);
// The same for a text held as windows-1252 bytes, without decoding it: the
// file has the same code page, so only markup and controls need escaping.
void AggiungiTestoCellaCp1252(std::string &documento, QByteArrayView testo);

} // namespace DocumentoExcel
