#pragma once
// Reading one value of an INI text, and replacing it, without touching any
// other byte: comments, other sections and keys, blank lines, line ends and
// a byte-order mark all stay as they were written.

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace FileIni {

// Where a value lies in the text: its first byte and its length.
struct Valore {
    qsizetype inizio = 0;
    qsizetype lunghezza = 0;
};

// The value of the first line "chiave = valore" inside the first section
// "[sezione]" that holds the key. Section and key names compare with ASCII
// letters in any case and blanks around ignored; lines starting with ';' or
// '#' are comments; lines end at CR, LF or CR LF; a UTF-8 byte-order mark
// at the start is skipped. The value is the rest of the line without the
// blanks around it (and without one pair of double quotes around it).
std::optional<Valore> TrovaValore(QByteArrayView testo, QByteArrayView sezione, QByteArrayView chiave);

// The text with the bytes of `dove` replaced by `nuovo`.
QByteArray Sostituisci(QByteArrayView testo, Valore dove, QByteArrayView nuovo);

} // namespace FileIni
