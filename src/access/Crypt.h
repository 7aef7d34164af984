#pragma once
// The scramble of the stored password: each character's low byte is XORed
// with a 16-bit key that advances with the scrambled byte, and written as two
// uppercase hexadecimal digits.

#include <QString>
#include <stdexcept>

namespace Crypt {

class ErroreDecodifica : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

QString CodificaPassword(const QString &s);
// Throws ErroreDecodifica when a pair of digits is not hexadecimal. A trailing
// odd digit is ignored.
QString DecodificaPassword(const QString &h);

// The password laid down by the installation, before the user changes it.
inline constexpr char16_t PasswordIniziale[] = u"VALMORA2026";

} // namespace Crypt
