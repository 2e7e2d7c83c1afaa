#include "text/input_reader.h"
#include "text/text_error.h"
#include "text/write_items.h"

#include <QDate>

#include "text/qstring_printer.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace Qt::StringLiterals;

TEST(WriteItems, LinesAsWriteWritesThem)
{
    const struct
    {
        QVariantList items;
        const char16_t *line;
    } cases[] = {
        { { 7 }, u"7" },
        { { 12, u"山田太郎      "_s }, u"12,\"山田太郎      \"" },
        { { -1 }, u"-1" },
        { { u"X"_s, 10, 0, 4, 1023 }, u"\"X\",10,0,4,1023" },
        { { u""_s, 30 }, u"\"\",30" },
        { { 1.5, 0.5, -0.25 }, u"1.5,.5,-.25" },
        { { true, false }, u"#TRUE#,#FALSE#" },
        { { QDate(2009, 12, 5) }, u"#2009-12-05#" },
        { { 1, QVariant(), 2 }, u"1,,2" },
        { { u"say \"hi\""_s }, u"\"say \"\"hi\"\"\"" },
        { {}, u"" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(text::writeItems(c.items), QString::fromUtf16(c.line));
    EXPECT_THROW(text::writeItems({ QVariant(QStringList { u"a"_s }) }), std::invalid_argument);
}

TEST(InputReader, ItemsOfALine)
{
    const struct
    {
        const char16_t *line;
        QStringList texts;
    } cases[] = {
        { u"12,\"山田太郎      \"", { u"12"_s, u"山田太郎      "_s } },
        { u"  7 ,  \" a \" ", { u"7"_s, u" a "_s } },
        { u"１着  05 >> 110点  05p   山田", { u"１着  05 >> 110点  05p   山田"_s } },
        { u"a,,b", { u"a"_s, QString(), u"b"_s } },
        { u"\"a,b\",c", { u"a,b"_s, u"c"_s } },
        { u"\"say \"\"hi\"\"\"", { u"say \"hi\""_s } },
        { u"\"\"", { QString() } },
        { u"", {} },
    };
    for (const auto &c : cases) {
        QStringList texts;
        for (const text::InputItem &item : text::InputReader::readItems(QString::fromUtf16(c.line)))
            texts.append(item.text);
        EXPECT_EQ(texts, c.texts) << QString::fromUtf16(c.line).toStdString();
    }
}

TEST(InputReader, WrittenLinesReadBack)
{
    const QString file = text::writeItems({ 2, 3 }) + u"\r\n"_s + text::writeItems({ 15, u"O'Neil \"Al\""_s })
        + u"\r\n"_s + text::writeItems({ u"Ｘ"_s, 10, -1, 1.5, true }) + u"\r\n"_s;
    text::InputReader r(file);
    EXPECT_EQ(r.readInt(), 2);
    EXPECT_EQ(r.readInt(), 3);
    EXPECT_EQ(r.readInt(), 15);
    EXPECT_EQ(r.readString(), u"O'Neil \"Al\""_s);
    EXPECT_EQ(r.lineNumber(), 3);
    EXPECT_EQ(r.readString(), u"Ｘ"_s);
    EXPECT_EQ(r.readInt(0, 255), 10);
    EXPECT_EQ(r.readInt(), -1);
    EXPECT_DOUBLE_EQ(r.readNumber(), 1.5);
    EXPECT_TRUE(r.readBoolean());
    EXPECT_TRUE(r.atEnd());
}

TEST(InputReader, ItemsRunOnAcrossLinesAndBlankLines)
{
    // The result text file: the placings, an empty line, the records.
    text::InputReader r(
        u"2009年12月5日 の試合結果です。\r\n１着  05 >> \r\n\r\n☆☆☆　　達成された通算記録　　☆☆☆\r\n"_s);
    EXPECT_EQ(r.readString(), u"2009年12月5日 の試合結果です。"_s);
    EXPECT_EQ(r.readString(), u"１着  05 >>"_s);
    const text::InputItem heading = r.readItem();
    EXPECT_EQ(heading.text, u"☆☆☆　　達成された通算記録　　☆☆☆"_s);
    EXPECT_EQ(heading.line, 4);
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.lineNumber(), 5);
    EXPECT_THROW(r.readItem(), text::InputError);

    // A comma at a line end: the next item is on the next line.
    text::InputReader r2(u"1,\n2\r3"_s);
    EXPECT_EQ(r2.readInt(), 1);
    EXPECT_EQ(r2.readInt(), 2);
    EXPECT_EQ(r2.readInt(), 3);
    EXPECT_TRUE(r2.atEnd());
}

TEST(InputReader, NumbersInEveryWrittenForm)
{
    const struct
    {
        const char16_t *item;
        double value;
    } cases[] = {
        { u"5", 5 },
        { u"-3", -3 },
        { u"+4", 4 },
        { u"1.5", 1.5 },
        { u".5", 0.5 },
        { u"-.25", -0.25 },
        { u"1E+20", 1e20 },
        { u"2.", 2 },
    };
    for (const auto &c : cases) {
        text::InputReader r(QString::fromUtf16(c.item));
        EXPECT_DOUBLE_EQ(r.readNumber(), c.value) << QString::fromUtf16(c.item).toStdString();
    }
}

TEST(InputReader, MalformedInputIsRefusedWithItsLine)
{
    const struct
    {
        const char16_t *text;
        int line;
        int kind; // 0 text, 1 whole number, 2 number, 3 boolean, 4 byte
    } cases[] = {
        { u"\"abc", 1, 0 },
        { u"1\r\n\"abc\r\n\"", 2, 0 },
        { u"\"abc\"def", 1, 0 },
        { u"abc", 1, 1 },
        { u"\"12\"", 1, 1 },
        { u"1.5", 1, 1 },
        { u"", 1, 1 },
        { u"9999999999", 1, 1 },
        { u"1\n\n\nx", 4, 2 },
        { u"1e", 1, 2 },
        { u"nan", 1, 2 },
        { u"TRUE", 1, 3 },
        { u"256", 1, 4 },
        { u"-1", 1, 4 },
    };
    for (const auto &c : cases) {
        text::InputReader r(QString::fromUtf16(c.text));
        const QString what = QString::fromUtf16(c.text);
        try {
            if (what.startsWith(u"1\r\n") || what.startsWith(u"1\n")) r.readInt();
            switch (c.kind) {
            case 0:
                r.readString();
                break;
            case 1:
                r.readInt();
                break;
            case 2:
                r.readNumber();
                break;
            case 3:
                r.readBoolean();
                break;
            default:
                r.readInt(0, 255);
            }
            ADD_FAILURE() << "no error for " << what.toStdString();
        } catch (const text::InputError &e) {
            EXPECT_EQ(e.line(), c.line) << what.toStdString();
        }
    }
}
