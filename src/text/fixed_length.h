#pragma once

#include <QString>

namespace text {

// A fixed-length text of n characters, as a String * n variable holds it:
// cut to its first n characters or padded with blanks on the right. A cut
// never splits a surrogate pair; the half is replaced by a blank.
QString fixedLength(const QString &text, qsizetype n);

} // namespace text
