#include "text/cp932.h"
#include "text/text_error.h"

#include "text/qstring_printer.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(Cp932, EncodesAndDecodesShiftJis)
{
    const struct
    {
        const char16_t *text;
        const char *bytes;
    } cases[] = {
        { u"abc 123", "abc 123" },
        { u"順位", "\x8f\x87\x88\xca" },
        { u"　", "\x81\x40" },
        { u"ｽﾍﾟｱ", "\xbd\xcd\xdf\xb1" },
        { u"優Ｐ", "\x97\x44\x82\x6f" },
        { u"☆", "\x81\x99" },
        { u"①Ⅰ㈱", "\x87\x40\x87\x54\x87\x8a" },
        { u"～", "\x81\x60" },
        { u"\\~", "\\~" },
        { u"", "" },
    };
    for (const auto &c : cases) {
        const QString t = QString::fromUtf16(c.text);
        EXPECT_EQ(text::encodeCp932(t), QByteArray(c.bytes)) << t.toStdString();
        EXPECT_EQ(text::decodeCp932(QByteArray(c.bytes)), t) << t.toStdString();
    }
    // The JIS forms of a few signs are written as their Windows forms.
    EXPECT_EQ(text::encodeCp932(u"〜−"_s), QByteArray("\x81\x60\x81\x7c"));
}

TEST(Cp932, CharacterItCannotHoldIsNamed)
{
    const struct
    {
        const char16_t *text;
        const char16_t *character;
        qsizetype position;
    } cases[] = {
        { u"山田😀", u"😀", 2 },
        { u"é", u"é", 0 },
        { u"ab한", u"한", 2 },
    };
    for (const auto &c : cases) {
        try {
            text::encodeCp932(QString::fromUtf16(c.text));
            ADD_FAILURE() << "no error for " << QString::fromUtf16(c.text).toStdString();
        } catch (const text::EncodingError &e) {
            EXPECT_EQ(e.character(), QString::fromUtf16(c.character));
            EXPECT_EQ(e.position(), c.position);
        }
    }
}

TEST(Cp932, UndecodableBytesAreNamed)
{
    const struct
    {
        QByteArray bytes;
        QByteArray bad;
        qsizetype offset;
    } cases[] = {
        { QByteArray("ab\x80", 3), QByteArray("\x80"), 2 },
        { QByteArray("\x8f\x87\x81", 3), QByteArray("\x81"), 2 },
        { QByteArray("a\x81\x20z", 4), QByteArray("\x81\x20"), 1 },
    };
    for (const auto &c : cases) {
        try {
            text::decodeCp932(c.bytes, 7);
            ADD_FAILURE() << "no error for " << c.bytes.toHex().toStdString();
        } catch (const text::DecodingError &e) {
            EXPECT_EQ(e.bytes(), c.bad);
            EXPECT_EQ(e.offset(), c.offset);
            EXPECT_EQ(e.line(), 7);
        }
    }
}

TEST(Cp932, TwoByteCharacters)
{
    const struct
    {
        const char16_t *ch;
        bool twoBytes;
    } cases[] = {
        { u"a", false },
        { u"Z", false },
        { u"0", false },
        { u" ", false },
        { u"/", false },
        { u"ｱ", false },
        { u"ﾞ", false },
        { u"｡", false },
        { u"Ａ", true },
        { u"あ", true },
        { u"漢", true },
        { u"　", true },
        { u"ー", true },
        { u"／", true },
        { u"😀", true },
    };
    for (const auto &c : cases)
        EXPECT_EQ(text::isTwoByteCp932(QString::fromUtf16(c.ch)), c.twoBytes)
            << QString::fromUtf16(c.ch).toStdString();
    EXPECT_FALSE(text::isTwoByteCp932(QString()));
    EXPECT_TRUE(text::isTwoByteCp932(u"ＡＢ"_s));
    EXPECT_FALSE(text::isTwoByteCp932(QChar(u'x')));
}
