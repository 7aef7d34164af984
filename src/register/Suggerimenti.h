#pragma once
// The values the register editor offers while a payee, a product code or a
// type is typed: every distinct value the archive holds in those fields, with
// how many records hold it, and each payee's last record. Filled by one scan
// of the archive (LetturaSuggerimenti, a slice at a time) and kept current by
// the editor's own saves. Values are kept as their stored windows-1252 bytes:
// a scan allocates for each distinct value, never for each record.

#include "register/BlocchiArchivio.h"
#include "register/Scheda.h"

#include <QString>
#include <QStringList>
#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

class Suggerimenti {
public:
    // Beneficiario, Codice prodotto/servizio and Tipologia.
    static bool Offerto(Campo c);
    static constexpr int kMassimo = 50;

    // Counts the values of the record at indice (0-based), read or saved.
    void Conta(const TScheda &s, qint64 indice);
    // Takes back what Conta counted for a record since rewritten. Its payee's
    // last record is forgotten if it was this one (the one before it is not
    // known until the next scan).
    void Togli(const TScheda &s, qint64 indice);

    // The field's values that start with or contain the typed text, compared
    // as the search compares: blanks around it ignored, ASCII letters in any
    // case. Values that differ only in the case of ASCII letters are one,
    // shown as most records write it. The most used first; at equal use the
    // ones that start with the text, then in alphabetical order. An empty
    // text gives the most used values; a value written exactly as typed is
    // not offered again.
    QStringList Offerti(Campo c, const QString &digitato, int massimo = kMassimo) const;
    // How many records hold the value, ASCII case aside.
    qint64 Usi(Campo c, const QString &valore) const;

    // The payee's last record in the archive (ASCII case aside): its index
    // and the fields a new record of the same payee would take from it.
    struct Ultima {
        qint64 indice = -1;
        QString codFisc, codice, tipologia, servizi;
    };
    std::optional<Ultima> UltimaDi(const QString &beneficiario) const;

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    template <typename T>
    using Mappa = std::unordered_map<std::string, T, Hash, std::equal_to<>>;

    // A field's stored bytes, fixed size: copied for every record of a payee
    // without allocating.
    template <int N>
    struct Byte {
        unsigned char n = 0;
        std::array<char, N> dati{};
    };
    struct UltimaByte {
        qint64 indice = -1;
        Byte<16> codFisc;
        Byte<30> codice;
        Byte<50> tipologia;
        Byte<120> servizi;
    };

    static int Indice(Campo c);
    std::array<Mappa<qint64>, 3> m_valori; // stored bytes, trimmed -> records
    Mappa<UltimaByte> m_ultime;            // payee, trimmed and lowered -> last record
};

// One scan of the archive into a Suggerimenti, spread over calls so that the
// caller's event loop runs between them.
class LetturaSuggerimenti {
public:
    // Opens the archive; throws ErroreArchivio.
    explicit LetturaSuggerimenti(const QString &percorsoArchivio);
    // Reads blocks until the time given has passed; true once every record is
    // counted. Throws ErroreArchivio.
    bool Passo(std::chrono::milliseconds tempo);
    // The values read, once Passo returned true.
    std::unique_ptr<Suggerimenti> Prendi() { return std::move(m_esito); }

private:
    BlocchiArchivio m_blocchi;
    std::unique_ptr<Suggerimenti> m_esito = std::make_unique<Suggerimenti>();
};
