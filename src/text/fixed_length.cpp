#include "text/fixed_length.h"

namespace text {

QString fixedLength(const QString &text, qsizetype n)
{
    if (n <= 0) return {};
    QString r = text.left(n);
    if (r.size() == n && r.back().isHighSurrogate()) r.back() = u' ';
    return r.leftJustified(n, u' ');
}

} // namespace text
