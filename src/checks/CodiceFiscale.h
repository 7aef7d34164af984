#pragma once
// The Italian tax code: only its length and its check character are tested,
// not the letters of the name, the date or the place of birth.

#include <QString>
#include <optional>

// Whether the 16th character of an uppercased 16-character code equals the
// check character computed from the first 15. Nothing for any other length:
// the caller then drops the operation without a word.
// A character that the conversion tables do not cover (anything outside
// '0'..'Z', lower-case letters included) makes the code wrong.
std::optional<bool> VerificaCodFisc(const QString &codice);

// What a tax code field holds while the user types: the text trimmed of blanks
// and control characters at both ends, with a-z turned into A-Z.
QString NormalizzaCodFisc(const QString &testo);

constexpr int LunghezzaCodFisc = 16;
