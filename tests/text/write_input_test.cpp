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
    enum Kind { Text, Whole, Number, Boolean, Byte };
    const struct
    {
        const char16_t *text;
        int goodItems; // whole numbers read before the bad item
        Kind kind;
        int line;
    } cases[] = {
        { u"\"abc", 0, Text, 1 },
        { u"1\r\n\"abc\r\n\"", 1, Text, 2 },
        { u"\"abc\"def", 0, Text, 1 },
        { u"abc", 0, Whole, 1 },
        { u"\"12\"", 0, Whole, 1 },
        { u"1.5", 0, Whole, 1 },
        { u"", 0, Whole, 1 },
        { u"1,2", 2, Whole, 1 },
        { u"9999999999", 0, Whole, 1 },
        { u"1\n\n\nx", 1, Number, 4 },
        { u"1e", 0, Number, 1 },
        { u"nan", 0, Number, 1 },
        { u"TRUE", 0, Boolean, 1 },
        { u"256", 0, Byte, 1 },
        { u"-1", 0, Byte, 1 },
    };
    for (const auto &c : cases) {
        const QString what = QString::fromUtf16(c.text);
        text::InputReader r(what);
        for (int i = 0; i < c.goodItems; ++i)
            r.readInt();
        try {
            switch (c.kind) {
            case Text:
                r.readString();
                break;
            case Whole:
                r.readInt();
                break;
            case Number:
                r.readNumber();
                break;
            case Boolean:
                r.readBoolean();
                break;
            case Byte:
                r.readInt(0, 255);
                break;
            }
            ADD_FAILURE() << "no error for " << what.toStdString();
        } catch (const text::InputError &e) {
            EXPECT_EQ(e.line(), c.line) << what.toStdString();
        }
    }
}
