#pragma once
// Text, date and number rules shared by every screen: trimming, ASCII-only
// case changes, the windows-1252 code page of the archive, "dd/mm/yyyy" dates
// and amounts written with the decimal comma.

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <optional>

namespace Testo {

// Removes leading and trailing characters whose code is 32 or less.
QString Trim(const QString &s);
// The same on windows-1252 bytes: bytes up to 32 are the same characters
// there, so trimming the bytes and then decoding equals decoding and then
// trimming, without building the untrimmed text.
QByteArrayView TrimByte(QByteArrayView b);
// Changes only a-z to A-Z (or the reverse); accented letters stay as they are.
QString MaiuscoloAscii(const QString &s);
QString MinuscoloAscii(const QString &s);
// True when every character is 0-9; true for an empty text.
bool SoloCifre(const QString &s);

// windows-1252. Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in the
// code page and decode to the C1 control of the same code, so every byte
// survives a round trip. Characters the code page cannot hold are written as '?'.
QString DecodificaCp1252(const char *dati, qsizetype n);
inline QString DecodificaCp1252(const QByteArray &b) { return DecodificaCp1252(b.constData(), b.size()); }
// Decodes into a buffer with room for n characters and returns the end of
// what was written: for texts assembled from many fields in one allocation.
QChar *DecodificaCp1252(const char *dati, qsizetype n, QChar *destinazione);
QByteArray CodificaCp1252(const QString &s);
// True when the code page holds the character.
bool InCp1252(QChar c);
constexpr char SostitutoCp1252 = '?';

// Dates are always "dd/mm/yyyy".
QString FormattaData(const QDate &d);
// A valid date written exactly as "dd/mm/yyyy", or nothing.
std::optional<QDate> LeggiData(const QString &s);
// The same read from windows-1252 bytes, as stored in a record.
std::optional<QDate> LeggiDataCp1252(QByteArrayView b);
// The same date as the number yyyymmdd, which orders as the dates do: for
// scans that only compare dates. Giorno gives a date's number (0, before
// every day, for an invalid date).
std::optional<int> LeggiGiornoCp1252(QByteArrayView b);
int Giorno(const QDate &d);

// Reads a number written with the comma as decimal separator (no thousands
// separator), with optional sign and exponent; surrounding blanks are allowed.
std::optional<double> LeggiNumero(const QString &s);
// The same read from windows-1252 bytes, as stored in a record.
std::optional<double> LeggiNumeroCp1252(QByteArrayView b);
// The shortest decimal text with at most 15 significant digits, with the comma:
// 2.5 -> "2,5", 12 -> "12", 1e20 -> "1E20", 0.000001 -> "1E-6".
QString FormatoGenerale(double v);

} // namespace Testo
