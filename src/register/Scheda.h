#pragma once
// TScheda: one payment, a fixed 2373-byte record of twenty counted
// windows-1252 strings (a length byte, then the field's full capacity).

#include <QString>
#include <array>
#include <cstddef>

enum class Campo {
    NumDoc, DataDoc, Fornitore, CodFisc, Data, Codice, Tipologia, Servizi,
    Dettagli, Dovuto, Acconto, Saldo, Note, DaSaldare,
    File01, File02, File03, Desc01, Desc02, Desc03,
};
constexpr int NumeroCampi = 20;

struct TScheda {
    static constexpr int Dimensione = 2373;

    // Byte offset of the field's length byte, and its capacity in characters.
    static int Offset(Campo c);
    static int Capacita(Campo c);

    // The field decoded from windows-1252, untrimmed. A length byte above the
    // capacity reads as the full capacity, so a damaged record never reads
    // into the next field.
    QString Testo(Campo c) const;
    // Encodes the text as given (untrimmed), cut to the field's capacity.
    void ImpostaTesto(Campo c, const QString &testo);
    // The length byte and the text bytes as stored, without decoding.
    int Lunghezza(Campo c) const;
    const char *Dati(Campo c) const { return byte.data() + Offset(c) + 1; }

    std::array<char, Dimensione> byte{};
};

static_assert(sizeof(TScheda) == TScheda::Dimensione);
