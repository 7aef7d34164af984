#pragma once
// The fixed-width line that stands for a record in every result list, and
// the lines of a list together with the archive position each came from.

#include "register/Scheda.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// "Data: " date(10) "  Cod. " code(26) "  " product(45) "  " payee(34)
// "  Tot. € " amount as stored. Every field is trimmed first; the fitted ones
// are padded with blanks or cut to their width.
QString RigaScheda(const TScheda &s);

// The lines of a list, kept as the few stored bytes each line shows (about a
// quarter of the line as text) and written out as text when asked for: a list
// of every record of a large archive fills quickly and stays small.
class TestiRighe {
public:
    void Aggiungi(const TScheda &s);
    qsizetype size() const { return m_voci.size(); }
    bool isEmpty() const { return m_voci.isEmpty(); }
    QString at(qsizetype i) const;
    // Room for n lines of typical length: a scan that may list every record
    // grows its storage once instead of copying it as it doubles.
    void Riserva(qsizetype n);
    // Every line as text, for printing.
    QStringList Elenco() const;

private:
    static constexpr int kCampi = 5;
    // Field bytes are copied this many at a time, past their end: the room
    // keeps this much to spare and the next line overwrites the excess.
    static constexpr qsizetype kPasso = 32;
    struct Voce {
        qsizetype inizio;                      // first byte in m_byte
        std::array<quint8, kCampi> lunghezza;  // each field, trimmed and cut to its width
    };
    void Cresci(qsizetype byte);
    QByteArray m_byte;     // its size is the room; the first m_usati bytes hold lines
    qsizetype m_usati = 0;
    QList<Voce> m_voci;
};

// Lines of a result list in file order, each with the 0-based index of the
// record it was built from, so that a line can find its record again.
struct RigheScheda {
    TestiRighe righe;
    QList<qint64> posizioni;

    void Aggiungi(const TScheda &s, qint64 indice)
    {
        righe.Aggiungi(s);
        posizioni.append(indice);
    }
    qsizetype size() const { return righe.size(); }
    void Riserva(qsizetype n)
    {
        righe.Riserva(n);
        posizioni.reserve(n);
    }
};

// Room for a line per record of the archive at the path, taken before a
// scan that may list them all: memory set aside and never written costs
// nothing, so a scan that lists few of them loses nothing by it.
void RiservaPerArchivio(RigheScheda &righe, const QString &percorsoArchivio);
