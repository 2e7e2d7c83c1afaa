#include "text/fixed_length.h"

#include "text/qstring_printer.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(FixedLength, CutOrPaddedWithBlanks)
{
    const struct
    {
        const char16_t *text;
        int n;
        const char16_t *expected;
    } cases[] = {
        { u"選手名未入力", 10, u"選手名未入力    " },
        { u"山田太郎", 10, u"山田太郎      " },
        { u"ＡＢＣＤＥＦＧＨＩＪＫＬ", 10, u"ＡＢＣＤＥＦＧＨＩＪ" },
        { u"", 4, u"    " },
        { u"１着", 4, u"１着  " },
        { u"abc", 0, u"" },
        { u"abc", -1, u"" },
        { u"abc", 3, u"abc" },
        // A surrogate pair is never split.
        { u"ab😀", 3, u"ab " },
        { u"ab😀", 4, u"ab😀" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(text::fixedLength(QString::fromUtf16(c.text), c.n), QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.text).toStdString() << " to " << c.n;
}
