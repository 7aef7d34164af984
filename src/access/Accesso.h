#pragma once
// The password store and the rules of access: where the store lives, the
// normal form of a password, the check of a typed password and the writing of
// a new one. The screens only show what these functions decide.

#include <QString>
#include <QStringView>
#include <stdexcept>

namespace Accesso {

// An INI file despite its name, laid down by the installation beside the program.
inline constexpr QStringView NomeArchivio = u"unins000.dll";
// The scramble keeps only the low byte of each code and counts positions in
// eight bits: longer passwords or wider characters would not come back.
inline constexpr qsizetype LunghezzaMassima = 255;
inline constexpr char16_t CodiceMassimo = 0xFF;

// The store cannot be read, its value is not hexadecimal, or it cannot be written.
class ErroreAccesso : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

QString Percorso(const QString &cartellaProgramma);

// ASCII letters uppercased (accented letters untouched), then trimmed.
QString FormaNormale(const QString &testo);

// The stored password, unscrambled and trimmed. A missing file or key is an
// empty password. Throws ErroreAccesso.
QString LeggiPassword(const QString &percorso);

// True when the normal form of the typed text equals the stored password.
// An empty password never opens, so a missing store refuses everything.
// Throws ErroreAccesso.
bool Verifica(const QString &percorso, const QString &digitata);

enum class Ammissibilita { Ammessa, Vuota, TroppoLunga, CaratteriNonAmmessi };
// Whether the normal form of a new password survives the scramble.
Ammissibilita Controlla(const QString &nuova);

// Writes the normal form of the new password, scrambled, as the store's value,
// keeping every other key of the file. The store must already exist: the
// program never creates it. Throws ErroreAccesso when the password is not
// admissible or the file cannot be written.
void ScriviPassword(const QString &percorso, const QString &nuova);

} // namespace Accesso
