#pragma once
// What the archive can hold of a text: its records are windows-1252, one byte
// a character. Text typed or pasted with characters outside the code page is
// brought to the closest form the code page holds where one exists (a letter
// followed by a combining accent becomes the accented letter), and the other
// characters are taken out, so that what the screen shows is what is stored.

#include <QString>
#include <QStringList>

namespace Archiviabile {

struct Esito {
    QString testo;          // what the archive will hold
    QStringList sostituiti; // each replaced sequence with its replacement, for the user
    QStringList tolti;      // each removed character, for the user (no repeats)
    bool Cambiato() const { return !sostituiti.isEmpty() || !tolti.isEmpty(); }
};

Esito Rendi(const QString &testo);

// A character as the user can recognise it in a message: "ď" (U+010F), or
// only its code for a character that shows nothing (U+200B).
QString NomeCarattere(char32_t c);

} // namespace Archiviabile
