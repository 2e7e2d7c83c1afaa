#include "config/value_text.h"

#include <gtest/gtest.h>

#include <QString>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

struct NumberCase {
    const char16_t *text;
    std::optional<double> expected;
};

class ParseNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ParseNumber, ReadsClassicNumberTexts)
{
    const NumberCase &c = GetParam();
    const std::optional<double> value = config::parseNumber(QString::fromUtf16(c.text));
    ASSERT_EQ(value.has_value(), c.expected.has_value()) << QString::fromUtf16(c.text).toStdString();
    if (value) {
        EXPECT_DOUBLE_EQ(*value, *c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseNumber, ::testing::Values(
    NumberCase{u"3", 3.0},
    NumberCase{u"  42 ", 42.0},
    NumberCase{u"-7", -7.0},
    NumberCase{u"+7", 7.0},
    NumberCase{u"2.5", 2.5},
    NumberCase{u".5", 0.5},
    NumberCase{u"1e3", 1000.0},
    NumberCase{u"1D2", 100.0},
    NumberCase{u"&hffffff", 16777215.0},
    NumberCase{u"&H10DDFF", 1105407.0},
    NumberCase{u"&hFFFFFFFF", -1.0},
    NumberCase{u"&O17", 15.0},
    NumberCase{u"", std::nullopt},
    NumberCase{u"   ", std::nullopt},
    NumberCase{u"1s", std::nullopt},
    NumberCase{u"abc", std::nullopt},
    NumberCase{u"1.2.3", std::nullopt},
    NumberCase{u"&h", std::nullopt},
    NumberCase{u"&hxyz", std::nullopt},
    NumberCase{u"&h123456789", std::nullopt},
    NumberCase{u"&O9", std::nullopt},
    NumberCase{u"1e999", std::nullopt}));

TEST(IntegerConversion, RoundsHalfToEven)
{
    EXPECT_EQ(config::toInteger(u"2.5"_s), std::int16_t{2});
    EXPECT_EQ(config::toInteger(u"3.5"_s), std::int16_t{4});
    EXPECT_EQ(config::toInteger(u"-2.5"_s), std::int16_t{-2});
    EXPECT_EQ(config::toInteger(u"2.6"_s), std::int16_t{3});
}

TEST(IntegerConversion, RefusesValuesOutsideTheType)
{
    EXPECT_EQ(config::toInteger(u"32767"_s), std::int16_t{32767});
    EXPECT_EQ(config::toInteger(u"32768"_s), std::nullopt);
    EXPECT_EQ(config::toInteger(u"-32768"_s), std::numeric_limits<std::int16_t>::min());
    EXPECT_EQ(config::toByte(u"255"_s), std::uint8_t{255});
    EXPECT_EQ(config::toByte(u"256"_s), std::nullopt);
    EXPECT_EQ(config::toByte(u"-1"_s), std::nullopt);
    EXPECT_EQ(config::toLong(u"2147483647"_s), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(config::toLong(u"2147483648"_s), std::nullopt);
    EXPECT_EQ(config::toLong(u"&h8090ff"_s), 0x8090FF);
    EXPECT_EQ(config::toSingle(u"1e39"_s), std::nullopt);
    EXPECT_EQ(config::toSingle(u"1234.5"_s), 1234.5f);
}

TEST(HexText, ParsesOnlyHexTexts)
{
    EXPECT_EQ(config::parseHex(u"&hffffff"_s), 0xFFFFFF);
    EXPECT_EQ(config::parseHex(u" &H10ddff "_s), 0x10DDFF);
    EXPECT_EQ(config::parseHex(u"&hFFFFFFFF"_s), 0xFFFFFFFFLL);
    EXPECT_EQ(config::parseHex(u"255"_s), std::nullopt);
    EXPECT_EQ(config::parseHex(u"&hgg"_s), std::nullopt);
}

TEST(HexText, WritesAndReadsBack)
{
    for (const std::int64_t v : {0LL, 255LL, 0x10DDFFLL, 0xE1FFFFLL, 0xFFFFFFLL}) {
        const QString text = config::hexText(v);
        EXPECT_TRUE(text.startsWith(u"&H"_s));
        EXPECT_EQ(config::parseHex(text), v) << text.toStdString();
    }
    EXPECT_EQ(config::hexText(0x10DDFF), u"&H10DDFF"_s);
    EXPECT_EQ(config::hexText(0), u"&H0"_s);
}

TEST(SingleText, WritesPlainNumbers)
{
    EXPECT_EQ(config::singleText(25.0f), u"25"_s);
    EXPECT_EQ(config::singleText(1234.5f), u"1234.5"_s);
    EXPECT_EQ(config::singleText(17280.0f), u"17280"_s);
    EXPECT_EQ(config::toSingle(config::singleText(0.9f * 19200.0f)), 0.9f * 19200.0f);
}

} // namespace
