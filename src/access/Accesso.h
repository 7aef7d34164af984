#pragma once
// The password store and the rules of access: where the store lives, the
// normal form of a password, the check of a typed password and the writing of
// a new one. The screens only show what these functions decide.

#include <QByteArray>
#include <QByteArrayView>
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

// The store cannot be read or written.
class ErroreAccesso : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The store is missing, is not a regular file, cannot be read, or holds no
// password that can be unscrambled: no password can be checked until it is
// restored.
class StoreNonValido : public ErroreAccesso {
public:
    using ErroreAccesso::ErroreAccesso;
};

QString Percorso(const QString &cartellaProgramma);

// What the screens tell the user when the store is missing or damaged: where
// it should be, that nothing can be checked, and how to restore it.
QString MessaggioStoreNonValido(const QString &cartellaProgramma);

// ASCII letters uppercased (accented letters untouched), then trimmed.
QString FormaNormale(const QString &testo);

// The stored password, unscrambled and trimmed. Throws StoreNonValido when
// the store is missing or not a regular file (refused at once, never waited
// on), cannot be read, lacks the value, or its value is empty or not
// hexadecimal.
QString LeggiPassword(const QString &percorso);

// The same for the bytes of a store already read.
QString PasswordDaContenuto(QByteArrayView contenuto);
// The bytes of a store with the normal form of `nuova`, scrambled, in place of
// the value. Throws StoreNonValido when the contenuto holds no value.
QByteArray ContenutoConPassword(QByteArrayView contenuto, const QString &nuova);

// True when the normal form of the typed text equals the stored password.
// Throws StoreNonValido as LeggiPassword does.
bool Verifica(const QString &percorso, const QString &digitata);

enum class Ammissibilita { Ammessa, Vuota, TroppoLunga, CaratteriNonAmmessi };
// Whether the normal form of a new password survives the scramble.
Ammissibilita Controlla(const QString &nuova);

// Writes the normal form of the new password, scrambled, in place of the
// store's value; every other byte of the file stays as it was. The new file
// is written beside the old one, private (0600), synced and renamed over
// it, so a failure at any moment leaves one whole store. The store must
// already exist: the program never creates it. Throws StoreNonValido as
// LeggiPassword does, and ErroreAccesso when the password is not admissible
// or the file cannot be written.
void ScriviPassword(const QString &percorso, const QString &nuova);

} // namespace Accesso
