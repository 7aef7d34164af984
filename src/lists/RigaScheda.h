#pragma once
// The fixed-width line that stands for a record in every result list, and
// the lines of a list together with the archive position each came from.

#include "platform/Memoria.h"
#include "register/Scheda.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

// "Data: " date(10) "  Cod. " code(26) "  " product(45) "  " payee(34)
// "  Tot. € " amount as stored. Every field is trimmed first; the fitted ones
// are padded with blanks or cut to their width.
QString RigaScheda(const TScheda &s);

class SchedeAperte;

// The lines of a list. A line is written out only when it is asked for (the
// rows shown, a print): the scan keeps, per line, the index of its record and
// a fingerprint of the bytes the line shows, and the archive file it read
// stays open with the list. So a list of every record of a large archive
// costs the scan a few bytes per record, not a copy of each line.
//
// A line whose record no longer holds the bytes the scan saw (rewritten or
// removed since, by this or another copy of the program) is not passed off as
// the scan's result: it reads RigaSchedaCambiata instead, or
// RigaSchedaIlleggibile where the file could not be read.
class TestiRighe {
public:
    TestiRighe();
    ~TestiRighe();
    TestiRighe(const TestiRighe &);
    TestiRighe &operator=(const TestiRighe &);
    TestiRighe(TestiRighe &&) noexcept;
    TestiRighe &operator=(TestiRighe &&) noexcept;

    // Lines added from now on are read back from the archive at the path,
    // opened here: call it before the scan reads the file, so that both see
    // the same file. When it cannot be opened (or without a call), each line
    // keeps a copy of its record instead.
    void LeggiDa(const QString &percorsoArchivio);
    // Lines added from now on are read back from the file altre reads.
    void LeggiDa(const TestiRighe &altre) { m_fonte = altre.m_fonte; }
    void Aggiungi(const TScheda &s, qint64 indice);
    qsizetype size() const { return qsizetype(m_indici.size()); }
    bool isEmpty() const { return m_indici.empty(); }
    QString at(qsizetype i) const;
    // The 0-based index of the record of line i.
    qint64 Indice(qsizetype i) const { return m_indici.at(size_t(i)); }
    // Room for n lines: a scan that may list every record grows its storage
    // once instead of copying it as it doubles.
    void Riserva(qsizetype n);
    // Every line as text, for printing.
    QStringList Elenco() const;
    // Appends the lines another part of the same scan found further on in the
    // file (a copy of these taken before the scan, so reading the same file).
    void Accoda(const TestiRighe &altre);

private:
    std::shared_ptr<SchedeAperte> m_fonte;
    std::vector<qint64, Memoria::AllocatoreGrande<qint64>> m_indici;
    std::vector<quint32, Memoria::AllocatoreGrande<quint32>> m_impronte;
    QList<TScheda> m_copie; // only without a file to read from
};

// What a list shows in place of a line whose record has changed or gone
// since the list was made (indice 0-based; the text counts from 1).
QString RigaSchedaCambiata(qint64 indice);
// What it shows where the record could not be read back (a read error).
QString RigaSchedaIlleggibile(qint64 indice);

// Lines of a result list in file order, each with the 0-based index of the
// record it was built from, so that a line can find its record again.
struct RigheScheda {
    TestiRighe righe;

    void Aggiungi(const TScheda &s, qint64 indice) { righe.Aggiungi(s, indice); }
    QList<qint64> Posizioni() const;
    qsizetype size() const { return righe.size(); }
    void Riserva(qsizetype n) { righe.Riserva(n); }
    void Accoda(const RigheScheda &altre) { righe.Accoda(altre.righe); }
};

// Readies the lines for a scan of the archive at the path, before it reads
// the file: they will be read back from it, with room for a line per record
// (memory set aside and never written costs nothing, so a scan that lists few
// of them loses nothing by it).
void RiservaPerArchivio(RigheScheda &righe, const QString &percorsoArchivio);

// The lines of a scan read in two parts (ScorriArchivioInParti): each part
// readied as RiservaPerArchivio does, both reading the same file; Unisci then
// gives the lines of both in file order.
using RighePerParte = std::array<RigheScheda, 2>;
void RiservaPerArchivio(RighePerParte &parti, const QString &percorsoArchivio);
RigheScheda Unisci(RighePerParte &parti);
