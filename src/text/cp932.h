#pragma once

#include <QByteArray>
#include <QString>

namespace text {

// Shift_JIS as the Japanese Windows code page 932 holds it, through the C
// library's iconv ("CP932").

// Throws EncodingError naming the first character CP932 cannot hold.
QByteArray encodeCp932(const QString &text);

// Throws DecodingError with the offending bytes; `line` (1-based, 0 for
// none) is only passed on into the error.
QString decodeCp932(const QByteArray &bytes, int line = 0);

// Whether a character takes two bytes in CP932. ASCII and half-width
// katakana take one; a character CP932 cannot hold counts as two-byte (it is
// no half-width character). For a text, its first character is looked at
// (false when empty).
bool isTwoByteCp932(QChar ch);
bool isTwoByteCp932(const QString &ch);

} // namespace text
