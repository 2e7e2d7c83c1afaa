#include "text/width.h"

#include <string_view>

namespace text {

namespace {

// Full-width forms of the half-width katakana block U+FF61 … U+FF9F.
constexpr std::u16string_view kWideKana = u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタ"
                                          u"チツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
static_assert(kWideKana.size() == 0xFF9F - 0xFF61 + 1);

constexpr char16_t kFirstKana = 0xFF61;
constexpr char16_t kVoiced = 0xFF9E; // ﾞ
constexpr char16_t kSemiVoiced = 0xFF9F; // ﾟ

// ASCII characters whose full-width form in Shift_JIS is not U+FF01 + offset.
struct Special
{
    char16_t narrow;
    char16_t wide;
};
constexpr Special kSpecial[] = {
    { u'"', u'”' },
    { u'\'', u'’' },
    { u'`', u'‘' },
    { u'\\', u'￥' },
    { u'~', u'￣' },
};

bool takesVoiced(char16_t halfKana)
{
    return halfKana == 0xFF73 // ｳ
        || (halfKana >= 0xFF76 && halfKana <= 0xFF84) // ｶ … ﾄ
        || (halfKana >= 0xFF8A && halfKana <= 0xFF8E); // ﾊ … ﾎ
}

bool takesSemiVoiced(char16_t halfKana)
{
    return halfKana >= 0xFF8A && halfKana <= 0xFF8E;
}

} // namespace

QString toWide(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s.at(i).unicode();
        if (c == u' ') {
            out += QChar(0x3000);
        } else if (c > 0x20 && c < 0x7F) {
            char16_t w = char16_t(c - 0x21 + 0xFF01);
            for (const Special &sp : kSpecial)
                if (sp.narrow == c) w = sp.wide;
            out += QChar(w);
        } else if (c >= kFirstKana && c <= kSemiVoiced) {
            char16_t w = kWideKana[c - kFirstKana];
            const char16_t next = i + 1 < s.size() ? s.at(i + 1).unicode() : 0;
            if (next == kVoiced && takesVoiced(c)) {
                w = c == 0xFF73 ? u'ヴ' : char16_t(w + 1);
                ++i;
            } else if (next == kSemiVoiced && takesSemiVoiced(c)) {
                w = char16_t(w + 2);
                ++i;
            }
            out += QChar(w);
        } else {
            out += QChar(c);
        }
    }
    return out;
}

QString toNarrow(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (const QChar ch : s) {
        const char16_t c = ch.unicode();
        if (c == 0x3000) {
            out += u' ';
            continue;
        }
        if (c >= 0xFF01 && c <= 0xFF5E) {
            out += QChar(char16_t(c - 0xFF01 + 0x21));
            continue;
        }
        bool done = false;
        for (const Special &sp : kSpecial) {
            if (sp.wide == c) {
                out += QChar(sp.narrow);
                done = true;
            }
        }
        if (done) continue;
        if (c == u'ヴ') {
            out += QChar(0xFF73);
            out += QChar(kVoiced);
            continue;
        }
        for (std::size_t k = 0; k < kWideKana.size(); ++k) {
            const char16_t w = kWideKana[k];
            const char16_t half = char16_t(kFirstKana + k);
            if (c == w) {
                out += QChar(half);
                done = true;
            } else if (c == w + 1 && takesVoiced(half) && half != 0xFF73) {
                out += QChar(half);
                out += QChar(kVoiced);
                done = true;
            } else if (c == w + 2 && takesSemiVoiced(half)) {
                out += QChar(half);
                out += QChar(kSemiVoiced);
                done = true;
            }
            if (done) break;
        }
        if (!done) out += ch;
    }
    return out;
}

} // namespace text
