#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace config {

// Conversions between the settings' texts and the numbers they hold, with
// the rules of the classic platform: blanks around the number are ignored,
// a decimal number may have a sign, a fraction and an exponent, "&H..." is
// hexadecimal and "&O..." octal. Integer targets round half to even and
// refuse a value outside their range. Anything else cannot be converted
// (nullopt), and the caller keeps its old value.
std::optional<double> parseNumber(const QString &text);

std::optional<std::int16_t> toInteger(const QString &text);  // Integer
std::optional<std::uint8_t> toByte(const QString &text);     // Byte
std::optional<std::int32_t> toLong(const QString &text);     // Long
std::optional<float> toSingle(const QString &text);          // Single

// A hexadecimal text "&h" + digits (up to eight digits) as a number; the
// digits are read as an unsigned 32-bit pattern, so "&hffffff" is 16777215.
std::optional<std::int64_t> parseHex(const QString &text);

// "&H" followed by the upper-case hexadecimal digits, no leading zeros
// ("&H10DDFF"); the reverse of parseHex for numbers 0 and above.
QString hexText(std::int64_t value);

// A Single as the settings hold it: no exponent for ordinary window sizes,
// no trailing zeros ("25", "1234.5").
QString singleText(float value);

} // namespace config
