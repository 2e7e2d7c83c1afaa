#pragma once

#include <QString>

namespace text {

// Conversion to full-width characters as the platform's StrConv(vbWide) does
// on a Japanese system: ASCII to the full-width forms (the blank to the
// ideographic space; " ' ` \ ~ to ” ’ ‘ ￥ ￣ as in Shift_JIS), half-width
// katakana and punctuation (｡｢｣､･ｰ) to full width, a katakana followed by a
// voiced or semi-voiced mark to one character (ｶﾞ → ガ, ﾊﾟ → パ, ｳﾞ → ヴ).
// Everything else is kept.
QString toWide(const QString &s);

// The reverse, StrConv(vbNarrow): full-width ASCII forms, the ideographic
// space, full-width katakana and punctuation to their half-width forms
// (ガ → ｶﾞ); characters without a half-width form (hiragana, kanji, ヵ, ヶ)
// are kept.
QString toNarrow(const QString &s);

} // namespace text
