#include "text/width.h"

#include "text/qstring_printer.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Pair
{
    const char16_t *narrow;
    const char16_t *wide;
};

// Pairs that convert both ways.
const Pair kBothWays[] = {
    { u"AB", u"ＡＢ" },
    { u"abc xyz", u"ａｂｃ　ｘｙｚ" },
    { u"0123456789", u"０１２３４５６７８９" },
    { u"X   ", u"Ｘ　　　" },
    { u"s1", u"ｓ１" },
    { u" /", u"　／" },
    { u" *", u"　＊" },
    { u"!#$%&()*+,-./:;<=>?@[]^_{|}", u"！＃＄％＆（）＊＋，－．／：；＜＝＞？＠［］＾＿｛｜｝" },
    { u"\"'`\\~", u"”’‘￥￣" },
    { u"ｹﾞｰﾑ", u"ゲーム" },
    { u"ｽﾍﾟｱﾐｽ", u"スペアミス" },
    { u"ｶﾞｷﾞｸﾞｹﾞｺﾞ", u"ガギグゲゴ" },
    { u"ﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ", u"ダヂヅデド" },
    { u"ﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ", u"バビブベボ" },
    { u"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", u"パピプペポ" },
    { u"ｳﾞｧｲｵﾘﾝ", u"ヴァイオリン" },
    { u"ｦｧｨｩｪｫｬｭｮｯ", u"ヲァィゥェォャュョッ" },
    { u"ﾅﾆﾇﾈﾉﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝ", u"ナニヌネノマミムメモヤユヨラリルレロワン" },
    { u"｡｢｣､･ｰ", u"。「」、・ー" },
    { u"ﾞﾟ", u"゛゜" },
    { u"ﾚｰﾝ1", u"レーン１" },
    { u"山田 太郎", u"山田　太郎" },
};

TEST(Width, ToWide)
{
    for (const Pair &p : kBothWays)
        EXPECT_EQ(text::toWide(QString::fromUtf16(p.narrow)), QString::fromUtf16(p.wide))
            << QString::fromUtf16(p.narrow).toStdString();
}

TEST(Width, ToNarrow)
{
    for (const Pair &p : kBothWays)
        EXPECT_EQ(text::toNarrow(QString::fromUtf16(p.wide)), QString::fromUtf16(p.narrow))
            << QString::fromUtf16(p.wide).toStdString();
}

TEST(Width, OneWayCases)
{
    // A mark after a katakana that has no voiced form stays a mark of its own.
    EXPECT_EQ(text::toWide(u"ﾏﾞｱﾟ"_s), u"マ゛ア゜"_s);
    // Already wide, hiragana and kanji are kept.
    EXPECT_EQ(text::toWide(u"ガあ漢Ｘ"_s), u"ガあ漢Ｘ"_s);
    // Without a half-width form: hiragana, kanji, small ka and ke.
    EXPECT_EQ(text::toNarrow(u"がんばれヵヶ選手"_s), u"がんばれヵヶ選手"_s);
    // The Unicode full-width forms of " ' ` \ ~ narrow as well.
    EXPECT_EQ(text::toNarrow(u"＂＇｀＼～"_s), u"\"'`\\~"_s);
    // Game numbers in full-width digits.
    EXPECT_EQ(text::toWide(QString::number(12)), u"１２"_s);
    EXPECT_EQ(text::toWide(QString()), QString());
}

} // namespace
