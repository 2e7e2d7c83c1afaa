#include "text/str.h"

#include "text/qstring_printer.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace Qt::StringLiterals;

TEST(Str, WholeNumbersCarryASignPosition)
{
    EXPECT_EQ(text::Str(0), u" 0"_s);
    EXPECT_EQ(text::Str(-3), u"-3"_s);
    EXPECT_EQ(text::Str(12), u" 12"_s);
    EXPECT_EQ(text::Str(qint64(-9000000000)), u"-9000000000"_s);
    EXPECT_EQ(text::Str(std::uint8_t(200)), u" 200"_s);
    // Lane headers and the seat rows of the participants grid.
    EXPECT_EQ(u"ﾚｰﾝ"_s + text::Str(3), u"ﾚｰﾝ 3"_s);
    EXPECT_EQ(text::Str(6).right(3) + u"番目"_s, u" 6番目"_s);
}

TEST(Str, DecimalNumbersAsTheClassicRuntimeWritesThem)
{
    const struct
    {
        double value;
        const char16_t *expected;
    } cases[] = {
        { 1.5, u" 1.5" },
        { -1.5, u"-1.5" },
        { 0.0, u" 0" },
        { -0.0, u" 0" },
        { 0.5, u" .5" },
        { -0.25, u"-.25" },
        { 201.5, u" 201.5" },
        { 1.0 / 3.0, u" .333333333333333" },
        { 2.0 / 3.0, u" .666666666666667" },
        { 100.0, u" 100" },
        { 0.1 + 0.2, u" .3" },
        { 123456789012345.0, u" 123456789012345" },
        { 1e15, u" 1E+15" },
        { -2.5e20, u"-2.5E+20" },
        { 0.0001, u" .0001" },
        { 0.00001, u" 1E-05" },
        { 1.25e-7, u" 1.25E-07" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(text::Str(c.value), QString::fromUtf16(c.expected)) << c.value;
}

TEST(Str, PlainNumberWithAndWithoutLeadingZero)
{
    EXPECT_EQ(text::plainNumber(0.5, true), u"0.5"_s);
    EXPECT_EQ(text::plainNumber(0.5, false), u".5"_s);
    EXPECT_EQ(text::plainNumber(-0.5, true), u"-0.5"_s);
    EXPECT_EQ(text::plainNumber(1234567, true), u"1234567"_s);
}
