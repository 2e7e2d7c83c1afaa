#include "text/format.h"
#include "text/width.h"

#include "text/qstring_printer.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct NumberCase
{
    double value;
    const char16_t *pattern;
    const char16_t *expected;
};

// The patterns the program writes numbers with, and what they must give.
const NumberCase kNumberCases[] = {
    // Averages, rates and counts of the statistics printout.
    { 7.2, u"###00.0", u"07.2" },
    { 187.333333, u"###00.0", u"187.3" },
    { 0.5, u"####0.0%", u"50.0%" },
    { 0.0, u"####0.0%", u"0.0%" },
    { 0.5, u"###0.0%", u"50.0%" },
    { 0.4567, u"###0.0%", u"45.7%" },
    { 1.0, u"###0.0%", u"100.0%" },
    { 0.5, u"##0.0%", u"50.0%" },
    { 12.0, u"###0", u"12" },
    { 0.0, u"###0", u"0" },
    { 0.0, u"####0", u"0" },
    { 2150.0, u"######0", u"2150" },
    { 2150.0, u"#####0", u"2150" },
    { 3.0, u"##0", u"3" },
    { 1.666666, u"###0.00", u"1.67" },
    { 1.666666, u"#0.00", u"1.67" },
    { 0.0, u"#0.00", u"0.00" },
    { 185.25, u"###.0", u"185.3" },
    { 0.5, u"###.0", u".5" },
    { 0.0, u"###.0", u".0" },
    // Score boxes: empty for 0.
    { 0.0, u"####", u"" },
    { 150.0, u"####", u"150" },
    // Season numbers of the printout.
    { 3.0, u"####", u"3" },
    // Leading blanks of the total rows and the best-10 lists.
    { 41.7, u" ##0.0", u" 41.7" },
    { 100.0, u" ##0.0", u" 100.0" },
    { 185.3, u" ###.0", u" 185.3" },
    { 1.66, u" 0.00", u" 1.66" },
    { 201.5, u" 000.0", u" 201.5" },
    { 187.3333333333, u" 000.0", u" 187.3" },
    { 95.0, u" 000.0", u" 095.0" },
    // Personal results cells and the detailed text file line.
    { 5.0, u" ###", u" 5" },
    { 0.0, u" ###", u" " },
    { 12.0, u" ##0", u" 12" },
    { 0.0, u" ##0", u" 0" },
    { 1234.0, u" ###0", u" 1234" },
    { 21500.0, u" #####0", u" 21500" },
    { 12.0, u"第###試合 ", u"第12試合 " },
    { 3.0, u"第###ゲーム   ", u"第3ゲーム   " },
    // Backup and data file names: B_091205.bup, B_000012.dat.
    { 9.0, u"00", u"09" },
    { 1205.0, u"0000", u"1205" },
    { 2026.0, u"0000", u"2026" },
    { 12.0, u"000000", u"000012" },
    // The result text file: score, handicapped score, win points.
    { 95.0, u"00\\ >> ", u"95 >> " },
    { 5.0, u"00\\ >> ", u"05 >> " },
    { 110.0, u"00\\点  ", u"110点  " },
    { 8.0, u"00\\点  ", u"08点  " },
    { 5.0, u"00\\p   ", u"05p   " },
    { 0.0, u"00\\p   ", u"00p   " },
    { 12.0, u"00\\p   ", u"12p   " },
    // Rounding half away from zero at 15 significant digits.
    { 2.5, u"0", u"3" },
    { 3.5, u"0", u"4" },
    { -2.5, u"0", u"-3" },
    { 2.675, u"0.00", u"2.68" },
    { 0.575, u"0.0%", u"57.5%" },
    { 0.125, u"0.00", u"0.13" },
    { 9.96, u"0.0", u"10.0" },
    { 99.95, u"#0.0", u"100.0" },
    { 0.04, u"0.0", u"0.0" },
    // Negatives, and a negative that rounds to zero.
    { -5.0, u"00", u"-05" },
    { -0.04, u"0.0", u"0.0" },
    { -12.0, u"####", u"-12" },
    // Digits beyond the placeholders, grouping, literals, sections.
    { 123456.0, u"00", u"123456" },
    { 12.5, u".0", u"12.5" },
    { 1.0, u"#.##", u"1." },
    { 1.5, u"0.0#", u"1.5" },
    { 1.25, u"0.0#", u"1.25" },
    { 1234567.0, u"#,##0", u"1,234,567" },
    { 999.0, u"#,##0", u"999" },
    { 123456789.0, u"#####,", u"123457" },
    { 123456789.0, u"#,##0,,", u"123" },
    { 5.0, u",0", u",5" },
    { 5.0, u"\"No.\"0", u"No.5" },
    { -5.0, u"0;(0)", u"(5)" },
    { 0.0, u"0;(0);\\-", u"-" },
    { 7.0, u"0;(0);\\-", u"7" },
};

TEST(Format, NumberPatterns)
{
    for (const NumberCase &c : kNumberCases)
        EXPECT_EQ(text::Format(c.value, QString::fromUtf16(c.pattern)), QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.pattern).toStdString() << " with " << c.value;
}

TEST(Format, NamedNumberFormats)
{
    const NumberCase cases[] = {
        { 12.0, u"General Number", u"12" },
        { 1234567.0, u"General Number", u"1234567" },
        { 0.5, u"General Number", u"0.5" },
        { -1.25, u"general number", u"-1.25" },
        { 0.4567, u"Percent", u"45.67%" },
        { 0.0, u"Percent", u"0.00%" },
        { 1.0, u"Percent", u"100.00%" },
        { 187.333333, u"Fixed", u"187.33" },
        { 0.5, u"Fixed", u"0.50" },
        { 0.0, u"Fixed", u"0.00" },
        { 1234.5, u"Standard", u"1,234.50" },
        { 1.5, u"", u"1.5" },
    };
    for (const NumberCase &c : cases)
        EXPECT_EQ(text::Format(c.value, QString::fromUtf16(c.pattern)), QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.pattern).toStdString() << " with " << c.value;
}

TEST(Format, TextPatterns)
{
    const struct
    {
        const char16_t *value;
        const char16_t *pattern;
        const char16_t *expected;
    } cases[] = {
        // Right-aligned in the field, a longer text is not cut.
        { u"150", u"@@@@", u" 150" },
        { u"", u"@@@@", u"    " },
        { u"12", u"@@@@@", u"   12" },
        { u"50.0%", u"@@@@@@@", u"  50.0%" },
        { u"山田太郎　　　　　　", u"@@@@@@", u"山田太郎　　　　　　" },
        { u"山田太郎      ", u"@@@@@@@@", u"山田太郎      " },
        { u"山田太郎  ", u"@@@@@@@@", u"  山田太郎  " },
        { u"１着", u"@@@@", u"  １着" },
        { u"　　  ", u"@@@@", u"　　  " },
        { u"s1", u"@@", u"s1" },
        { u"/", u"@@", u" /" },
        { u"X", u"@", u"X" },
        { u"", u"@", u" " },
        // Literal blanks around the placeholders.
        { u"123", u"@@@@@ ", u"  123 " },
        { u" 95", u" @@@", u"  95" },
        { u"110", u"@@@", u"110" },
        // With "!" the text fills from the left: padded on the right, cut.
        { u"山田太郎", u"!@@@@@@@@", u"山田太郎    " },
        { u"ＡＢＣＤＥＦＧＨＩＪ", u"!@@@@@@@@", u"ＡＢＣＤＥＦＧＨＩＪ" },
        { u"山田太郎　　　　　　　　", u"!@@@@@@", u"山田太郎　　　　　　　　" },
        { u"abcdef", u"!@@@@ ", u"abcdef " },
        { u"abcdef", u"@@@@@ ", u"abcdef " },
        { u"ab", u"!@@@", u"ab " },
        // The detailed text file line.
        { u"１着", u" !@@@", u" １着 " },
        { u"", u" !@@@", u"    " },
        { u"95", u" === 素点@@@", u" === 素点 95" },
        { u"110", u"競技点@@@", u"競技点110" },
        // & stands for a character or nothing; < and > change case.
        { u"山田太郎      ", u"&&&&&&&&", u"山田太郎      " },
        { u"山田", u"&&&&&&&&", u"山田" },
        { u"第３期", u"&&&&&&&& ", u"第３期 " },
        { u"ab", u"&&&&", u"ab" },
        { u"ab", u"!&&&-", u"ab-" },
        { u"Abc", u">@@@@", u" ABC" },
        { u"Abc", u"<@@@", u"abc" },
        { u"7", u"\\#@@", u"# 7" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(text::Format(QString::fromUtf16(c.value), QString::fromUtf16(c.pattern)),
            QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.pattern).toStdString() << " with "
            << QString::fromUtf16(c.value).toStdString();
}

TEST(Format, NumberThenTextPattern)
{
    // A score box: "####", then right-aligned in four characters.
    EXPECT_EQ(text::Format(text::Format(150, u"####"_s), u"@@@@"_s), u" 150"_s);
    EXPECT_EQ(text::Format(text::Format(0, u"####"_s), u"@@@@"_s), u"    "_s);
    // A number given straight to a text pattern is written plainly first.
    EXPECT_EQ(text::Format(95, u"@@@@"_s), u"  95"_s);
    EXPECT_EQ(text::Format(0.5, u"@@@@"_s), u" 0.5"_s);
}

TEST(Format, FixedWidthNamesAreCutBeforeTheyAreFilledIn)
{
    // The compact text file line: name and two ideographic spaces, full
    // width, its first 6 characters filled from the left.
    auto compact = [](const QString &name) {
        return text::Format(text::toWide(name + u"　　"_s).left(6), u"!@@@@@@"_s);
    };
    EXPECT_EQ(compact(u"ﾔﾏﾀﾞ ﾀﾛｳ  "_s), u"ヤマダ　タロ"_s);
    EXPECT_EQ(compact(u"山田"_s), u"山田　　  "_s);
    // Score sheet page: the full-width name cut to 8 and padded to 8.
    auto sheet = [](const QString &name) { return text::Format(text::toWide(name).left(8), u"!@@@@@@@@"_s); };
    EXPECT_EQ(sheet(u"ABCDEFGHIJ"_s), u"ＡＢＣＤＥＦＧＨ"_s);
    EXPECT_EQ(sheet(u"山田"_s), u"山田      "_s);
}

TEST(Format, TextsHoldingNumbers)
{
    EXPECT_EQ(text::Format(u"0.4567"_s, u"###0.0%"_s), u"45.7%"_s);
    EXPECT_EQ(text::Format(u" 12"_s, u"000"_s), u"012"_s);
    EXPECT_EQ(text::Format(u"abc"_s, u"0.0"_s), u"abc"_s);
    EXPECT_EQ(text::Format(u"abc"_s, QString()), u"abc"_s);
}

TEST(Format, Dates)
{
    const QDate d(2009, 12, 5);
    const QDateTime t(d, QTime(21, 7, 3));
    EXPECT_EQ(text::Format(d, u"Short Date"_s), u"2009/12/05"_s);
    EXPECT_EQ(text::Format(d, u"short date"_s), u"2009/12/05"_s);
    EXPECT_EQ(text::Format(d, u"Long Date"_s), u"2009年12月5日"_s);
    EXPECT_EQ(text::Format(t, u"Short Time"_s), u"21:07"_s);
    EXPECT_EQ(text::Format(t, u"Long Time"_s), u"21:07:03"_s);
    EXPECT_EQ(text::Format(t, u"General Date"_s), u"2009/12/05 21:07:03"_s);
    EXPECT_EQ(text::Format(d, QString()), u"2009/12/05"_s);
    // The stamp at the head of every page: date, two blanks, time.
    EXPECT_EQ(text::Format(t, u"mm-dd-yyyy"_s) + u"  "_s + text::Format(t, u"hh:mm:ss"_s),
        u"12-05-2009  21:07:03"_s);
    EXPECT_EQ(text::Format(t, u"yy/m/d h:nn"_s), u"09/12/5 21:07"_s);
    EXPECT_EQ(text::Format(QDate(), u"Short Date"_s), QString());
}

TEST(Format, DatabaseValues)
{
    EXPECT_EQ(text::Format(QVariant(), u"###0"_s), QString());
    EXPECT_EQ(text::Format(QVariant(qlonglong(2150)), u"#####0"_s), u"2150"_s);
    EXPECT_EQ(text::Format(QVariant(0.4567), u"Percent"_s), u"45.67%"_s);
    EXPECT_EQ(text::Format(QVariant(12), u"General Number"_s), u"12"_s);
    EXPECT_EQ(text::Format(QVariant(u"山田"_s), u"@@@@"_s), u"  山田"_s);
    EXPECT_EQ(text::Format(QVariant(QDate(2009, 12, 5)), u"Short Date"_s), u"2009/12/05"_s);
    EXPECT_EQ(text::Format(QVariant(u"2009-12-05"_s), u"Short Date"_s), u"2009/12/05"_s);
    EXPECT_EQ(text::Format(QVariant(u"2009-12-05T00:00:00"_s), u"Short Date"_s), u"2009/12/05"_s);
    EXPECT_EQ(text::Format(QVariant(true), u"0"_s), u"-1"_s);
}

} // namespace
