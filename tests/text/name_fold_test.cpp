#include "text/name_fold.h"

#include "text/qstring_printer.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(NameFold, SpellingsTheDatabaseTreatsAsOneName)
{
    const struct
    {
        const char16_t *a;
        const char16_t *b;
    } same[] = {
        { u"優p", u"優Ｐ" },
        { u"優P計", u"優Ｐ計" },
        { u"st平均", u"ST平均" },
        { u"スペアミス", u"ｽﾍﾟｱﾐｽ" },
        { u"s10", u"S10" },
        { u"m11", u"M11" },
        { u"選手id", u"選手ID" },
        { u"ゲーム数", u"ｹﾞｰﾑ数" },
        { u"ゲーム", u"ｹﾞｰﾑ" },
    };
    for (const auto &c : same)
        EXPECT_EQ(text::foldName(QString::fromUtf16(c.a)), text::foldName(QString::fromUtf16(c.b)))
            << QString::fromUtf16(c.a).toStdString();
    EXPECT_NE(text::foldName(u"ゲーム"_s), text::foldName(u"ゲーム数"_s));
    EXPECT_NE(text::foldName(u"スペア"_s), text::foldName(u"スペアミス"_s));
}
