#pragma once
// A bank statement read into a table: CSV as Italian home banking exports it,
// OFX/QFX (SGML 1.x and XML 2.x) and QIF. The format, the encoding and the
// CSV separator are detected from the bytes. OFX and QIF become a table of
// fixed columns, so that one mapping step turns every format into payments.
// Nothing here guesses silently: a file or a line that cannot be read is
// reported with its line number and the reason.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace Estratto {

enum class Formato { Csv, Ofx, Qif };

struct RigaTabella {
    int linea = 0;          // 1-based line of the file where the row starts
    QStringList celle;
};

struct ErroreLinea {
    int linea = 0;          // 1-based; 0 for the file as a whole
    QString perche;
};

struct Tabella {
    Formato formato = Formato::Csv;
    QString codifica;        // "UTF-8", "UTF-8 con BOM", "UTF-16", "windows-1252"
    QChar separatore;        // CSV only
    bool conIntestazione = false;
    QStringList colonne;     // the header's names, or "Colonna 1"... without one
    QList<RigaTabella> righe;
    QList<ErroreLinea> errori; // lines that could not be read into the table
    // Lines before the table (a bank's account heading), skipped on purpose.
    int lineeIniziali = 0;
};

// The names the format reports, as the screen shows them.
QString NomeFormato(Formato f);
QString NomeSeparatore(QChar c);

// Decodes the bytes: a BOM decides; else UTF-8 when the bytes are valid
// UTF-8; else windows-1252. codifica receives the name of what was used.
QString Decodifica(const QByteArray &dati, QString *codifica);

// Reads a whole statement file's bytes. Throws nothing: a file that is not a
// statement at all gives a table without rows whose errori say why
// (linea 0).
Tabella Leggi(const QByteArray &dati);

// The single readers, on already decoded text (for tests and fuzzing).
Tabella LeggiCsv(const QString &testo);
Tabella LeggiOfx(const QString &testo);
Tabella LeggiQif(const QString &testo);

// Column names of the OFX and QIF tables.
inline constexpr int OfxDataOperazione = 0, OfxDataContabile = 1, OfxBeneficiario = 2,
                     OfxDescrizione = 3, OfxImporto = 4;
inline constexpr int QifData = 0, QifBeneficiario = 1, QifDescrizione = 2, QifImporto = 3;

} // namespace Estratto
