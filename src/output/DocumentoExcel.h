#pragma once
// The spreadsheet export "Registro_Spese.xls": an HTML table with the
// spreadsheet program's namespaces and worksheet options, on a single line,
// in windows-1252. Cell texts are data: markup characters are escaped, and
// characters the code page cannot hold become character references, so
// nothing typed is lost. Every cell says its type: the two date columns hold
// dates and the three amount columns numbers when their text is a valid date
// or amount; everything else is text, never a number or a formula.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QIODevice;

namespace DocumentoExcel {

QString NomeFile(); // "Registro_Spese.xls"

// Data columns of the sheet, 1 to 14 (the grid's columns without the row number).
constexpr int PrimaColonna = 1;
constexpr int UltimaColonna = 14;

enum class Colonna { Testo, Data, Importo };
Colonna TipoColonna(int colonna);

// The text of a cell: row from 0, column PrimaColonna..UltimaColonna.
using Cella = std::function<QString(qint64 riga, int colonna)>;

// Appends the cells of a whole row (from the first <td> to the last </td>)
// to the document, each with AggiungiCella or AggiungiCellaCp1252.
using RigaInFile = std::function<void(std::string &documento, qint64 riga)>;

// Writes the whole document to the device in large blocks, reporting the
// rows written after each block (Avanzamento::Segnala). False as soon as a
// write fails; what was written before stays on the device.
bool Scrivi(QIODevice &destinazione, qint64 righe, const Cella &cella);
bool Scrivi(QIODevice &destinazione, qint64 righe, const RigaInFile &riga);

// Writes the whole document to the file at the path: beside it first, synced,
// then put in its place by the safe replace (private, 0600), so that a failed
// export never leaves half a file and the old file stays. False on any
// failure, with *errore the errno of the failed step (ENOSPC: a full disk).
bool ScriviFile(const QString &percorso, qint64 righe, const RigaInFile &riga, int *errore = nullptr);
// The size of the document ScriviFile writes, for a message that says how
// much room an export needs.
qint64 Dimensione(qint64 righe, const RigaInFile &riga);

// The whole document in memory (for small tables).
QByteArray Documento(qint64 righe, const Cella &cella);

// The whole cell of the column, typed as the column and its text allow.
void AggiungiCella(std::string &documento, int colonna, const QString &testo);
void AggiungiCellaCp1252(std::string &documento, int colonna, QByteArrayView testo);

// A cell text as it appears in the file: trimmed, escaped, in windows-1252;
// the second and later blanks of a run as references, which HTML keeps.
QByteArray TestoCella(const QString &testo);
void AggiungiTestoCella(std::string &documento, const QString &testo);
// The same for a text held as windows-1252 bytes, without decoding it: the
// file has the same code page, so only markup and controls need escaping.
void AggiungiTestoCellaCp1252(std::string &documento, QByteArrayView testo);

// Sheets of other tables written the same way (the analyses): a name for
// the worksheet, and the width, title and type of each column.
struct ColonnaFoglio {
    int larghezza;
    QString titolo;
    Colonna tipo;
};
struct Foglio {
    QString nome;
    std::vector<ColonnaFoglio> colonne;
};
// The whole cell, typed as given and as its text allows.
void AggiungiCellaTipo(std::string &documento, Colonna tipo, const QString &testo);
bool ScriviFoglio(QIODevice &destinazione, const Foglio &foglio, qint64 righe, const RigaInFile &riga);
// As ScriviFile: beside the old file first, then in its place.
bool ScriviFileFoglio(const QString &percorso, const Foglio &foglio, qint64 righe, const RigaInFile &riga);

} // namespace DocumentoExcel
