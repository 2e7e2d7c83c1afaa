#include "config/color_hex.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

struct ColourCase {
    std::int64_t colour;
    const char16_t *text;
    const char16_t *expected;
};

class ColorHex : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColorHex, GivesRedGreenBlue)
{
    const ColourCase &c = GetParam();
    EXPECT_EQ(config::color_hex(c.colour), QString::fromUtf16(c.expected));
    EXPECT_EQ(config::color_hex(QString::fromUtf16(c.text)), QString::fromUtf16(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Colours, ColorHex, ::testing::Values(
    ColourCase{14811135, u"14811135", u"FFFFE1"},
    ColourCase{255, u"255", u"FF0000"},
    ColourCase{0, u"0", u"000000"},
    ColourCase{0x10DDFF, u"&H10DDFF", u"FFDD10"},
    ColourCase{0xF0000, u"&hF0000", u"00000F"},
    ColourCase{0x8090FF, u"&h8090ff", u"FF9080"},
    ColourCase{0x000100, u"256", u"000100"}));

TEST(ColorHexText, RefusesATextThatIsNoNumber)
{
    EXPECT_THROW(config::color_hex(u""_s), std::invalid_argument);
    EXPECT_THROW(config::color_hex(u"red"_s), std::invalid_argument);
}

TEST(ColorHexText, UsesOnlyTheColourBits)
{
    EXPECT_EQ(config::color_hex(std::int64_t{-1}), u"FFFFFF"_s);
    EXPECT_EQ(config::color_hex(std::int64_t{0x1FF0000}), u"0000FF"_s);
}

} // namespace
