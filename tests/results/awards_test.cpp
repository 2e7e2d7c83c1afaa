#include "night_builder.h"

#include "results/best10.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace results;
using results_test::Night_builder;

namespace {

QString ten(const char *name)
{
    return QString::fromUtf8(name).leftJustified(10);
}

TEST(TopPrize, TieWithOneGameSharesThePlace)
{
    Night_builder b(4, 1);
    b.score(1, 1, 180, 20);
    b.score(2, 1, 190, 10);
    b.score(3, 1, 170, 10);
    b.score(4, 1, 150, 20);
    const Night_results r = b.calculate();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.top_rank, (QList<int>{ 0, 1, 1, 3, 4 }));
    EXPECT_EQ(r.pnt_rank, r.top_rank);
    EXPECT_EQ(r.result_tbl(1, 1).nyusho, u"１着  "_s);
    EXPECT_EQ(r.result_tbl(2, 1).nyusho, u"１着  "_s);
    EXPECT_EQ(r.result_tbl(3, 1).nyusho, u"３着  "_s);
    EXPECT_EQ(r.result_tbl(1, 1).yu_p, 13);
    EXPECT_EQ(r.result_tbl(2, 1).yu_p, 13);
    EXPECT_EQ(r.result_tbl(3, 1).yu_p, 0);
    EXPECT_EQ(r.awards[award_top].Txt_Name, ten("P1") + u" 他"_s);
    EXPECT_EQ(r.awards[award_top].Txt_Ten, u"200"_s);
}

TEST(TopPrize, TieBrokenByTheSecondAndThirdBestGames)
{
    struct Case
    {
        int games;
        int second_1, second_2; // second best of players 1 and 2
        int third_1, third_2;
        QList<int> rank;
    };
    const Case cases[] = {
        { 2, 150, 160, 0, 0, { 0, 2, 1 } },
        { 2, 160, 160, 0, 0, { 0, 1, 1 } },
        { 3, 160, 160, 140, 130, { 0, 1, 2 } },
        { 3, 160, 160, 140, 140, { 0, 1, 1 } },
    };
    for (const Case &c : cases) {
        Night_builder b(2, c.games);
        b.score(1, 1, 200);
        b.score(2, 1, 200);
        b.score(1, 2, c.second_1);
        b.score(2, 2, c.second_2);
        if (c.games == 3) {
            b.score(1, 3, c.third_1);
            b.score(2, 3, c.third_2);
        }
        const Night_results r = b.calculate();
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.top_rank, c.rank) << c.games << " " << c.second_2 << " " << c.third_2;
        EXPECT_EQ(r.hig_rank, c.rank);
    }
}

TEST(HighGame, ScratchWithoutHandicap)
{
    Night_builder b(3, 1);
    b.score(1, 1, 180, 40);
    b.score(2, 1, 200, 0);
    b.score(3, 1, 190, 20);
    b.options.Opt_PntTarget = target_scratch_high;
    const Night_results r = b.calculate();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.top_rank, (QList<int>{ 0, 1, 3, 2 }));
    EXPECT_EQ(r.hig_rank, (QList<int>{ 0, 3, 1, 2 }));
    EXPECT_EQ(r.pnt_rank, r.hig_rank);
    EXPECT_EQ(r.result_tbl(2, 1).nyusho, u"１着  "_s);
    EXPECT_EQ(r.awards[award_top], (Award_box{ ten("P1"), u"220"_s }));
    EXPECT_EQ(r.awards[award_high_game], (Award_box{ ten("P2"), u"200"_s }));
}

TEST(Average, GamesScoringZeroAreLeftOut)
{
    Night_builder b(3, 3);
    b.score(1, 1, 200, 10);
    b.score(1, 2, 203, 10);
    b.score(1, 3, 0, 10); // not bowled
    b.score(2, 1, 180, 0);
    b.score(2, 2, 190, 0);
    b.score(2, 3, 192, 0);
    // Player 3 bowled no game above 0, though his sheets show strikes.
    b.kinds(3, 1, { scoring::kind_strike, scoring::kind_not_set, scoring::kind_spare });
    for (int g = 1; g <= 3; ++g)
        b.score(3, g, 0, 15);
    Night_results r = b.calculate();
    ASSERT_TRUE(r.ok());
    EXPECT_DOUBLE_EQ(r.ave_val[1], 201.5);
    EXPECT_DOUBLE_EQ(r.ave_val[2], 562.0 / 3);
    EXPECT_EQ(r.ave_val[3], 0.0);
    EXPECT_EQ(r.st_sum[3], 0.0);
    EXPECT_EQ(r.sp_sum[3], 0.0);
    EXPECT_EQ(r.result_tbl(3, 1).ST, 1);
    EXPECT_EQ(r.ave_rank, (QList<int>{ 0, 1, 2, 3 }));
    EXPECT_EQ(r.awards[award_average], (Award_box{ ten("P1"), u"201.5"_s }));
    EXPECT_EQ(r.awards[award_booby], (Award_box{ ten("P2"), u"187.333333333333"_s }));

    b.options.Chk_HCP = true;
    b.options.Opt_PntTarget = target_average;
    r = b.calculate();
    EXPECT_DOUBLE_EQ(r.ave_val[1], 211.5);
    EXPECT_DOUBLE_EQ(r.ave_val[2], 562.0 / 3);
    EXPECT_EQ(r.ave_val[3], 0.0); // his handicapped games do not count either
    EXPECT_EQ(r.pnt_rank, r.ave_rank);
}

TEST(StrikesAndSpares, PerGameAverageCutToTwoDecimals)
{
    Night_builder b(2, 3);
    for (int g = 1; g <= 3; ++g) {
        b.score(1, g, 150);
        b.score(2, g, 150);
    }
    // Player 1: 5 strikes in 3 games; player 2: 2 spares in 3 games.
    b.kinds(1, 1, { 4, -1, 4, -1, 4 });
    b.kinds(1, 2, { 4, -1, 4 });
    b.kinds(2, 3, { 0, 3, 0, 3 });
    Night_results r = b.calculate();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.st_sum[1], 5.0);
    EXPECT_EQ(r.sp_sum[2], 2.0);
    EXPECT_EQ(r.awards[award_strikes], (Award_box{ ten("P1"), u"5"_s }));

    b.options.Chk_STSP = true;
    r = b.calculate();
    EXPECT_DOUBLE_EQ(r.st_sum[1], 1.66);
    EXPECT_DOUBLE_EQ(r.sp_sum[2], 0.66);
    EXPECT_EQ(r.st_sum[2], 0.0);
    EXPECT_EQ(r.awards[award_strikes].Txt_Ten, u"1.66"_s);
    EXPECT_EQ(r.awards[award_spares].Txt_Ten, u"0.66"_s);
    const Best10_list list = best10(r, award_strikes);
    EXPECT_EQ(list.figures, (QStringList{ u" 1.66"_s, u" 0.00"_s }));
}

TEST(AwardBoxes, SharedFirstPlace)
{
    // Three players share every award; the fourth is last.
    Night_builder b(4, 1);
    b.game_scores(1, { 200, 200, 200, 100 });
    for (int p = 1; p <= 3; ++p)
        b.kinds(p, 1, { 4, -1, 0, 3 });
    b.name(1, u"一二三四五六七"_s);
    const Night_results r = b.calculate();
    ASSERT_TRUE(r.ok());
    const QString first = u"一二三四五六七   "_s;
    EXPECT_EQ(r.awards[award_top], (Award_box{ first + u" 他 他"_s, u"200"_s }));
    for (const Award a : { award_high_game, award_average })
        EXPECT_EQ(r.awards[std::size_t(a)], (Award_box{ u"一二三四五 他"_s, u"200"_s })) << a;
    EXPECT_EQ(r.awards[award_strikes], (Award_box{ u"一二三四五 他"_s, u"1"_s }));
    EXPECT_EQ(r.awards[award_spares], (Award_box{ u"一二三四五 他"_s, u"1"_s }));
}

TEST(AwardBoxes, SingleWinnerKeepsTheFullName)
{
    Night_builder b(2, 1);
    b.game_scores(1, { 150, 160 });
    b.name(2, u"ABCDEFGHIJ"_s);
    const Night_results r = b.calculate();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.awards[award_high_game].Txt_Name, u"ABCDEFGHIJ"_s);
    // Nobody struck: everyone shares place 1 with 0.
    EXPECT_EQ(r.awards[award_strikes], (Award_box{ u"P1    "_s.left(5) + u" 他"_s, u"0"_s }));
}

TEST(Booby, WhoGetsIt)
{
    struct Case
    {
        const char *what;
        std::vector<int> scores;
        QString name; // empty: no booby
        QString figure;
    };
    const Case cases[] = {
        { "single last player: the one just above", { 200, 150, 180, 120 }, ten("P2"), u"150"_s },
        { "shared last place: the first of those sharing it", { 200, 150, 180, 150 }, ten("P2"), u"150"_s },
        { "shared place above a single last", { 160, 160, 200, 100 }, ten("P1"), u"160"_s },
        { "everyone equal", { 170, 170, 170 }, ten("P1"), u"170"_s },
        { "two players", { 170, 190 }, ten("P2"), u"190"_s },
        { "single bowler", { 170 }, QString(), QString() },
    };
    for (const Case &c : cases) {
        Night_builder b(int(c.scores.size()), 1);
        int p = 1;
        for (const int s : c.scores)
            b.score(p++, 1, s);
        const Night_results r = b.calculate();
        ASSERT_TRUE(r.ok()) << c.what;
        EXPECT_EQ(r.awards[award_booby], (Award_box{ c.name, c.figure })) << c.what;
    }
}

TEST(Best10, ListsInPlaceOrderWithSharedPlacesTogether)
{
    Night_builder b(4, 1);
    b.game_scores(1, { 100, 100, 100, 100 });
    const std::vector<int> strikes = { 3, 1, 5, 3 };
    for (int p = 1; p <= 4; ++p) {
        std::vector<int> k(21, -1);
        for (int i = 0; i < strikes[std::size_t(p - 1)]; ++i)
            k[std::size_t(2 * i)] = scoring::kind_strike;
        b.kinds(p, 1, k);
    }
    const Night_results r = b.calculate();
    ASSERT_TRUE(r.ok());
    const Best10_list list = best10(r, award_strikes);
    EXPECT_EQ(list.names, (QStringList{ ten("P3"), ten("P1"), ten("P4"), ten("P2") }));
    EXPECT_EQ(list.figures, (QStringList{ u"5"_s, u"3"_s, u"3"_s, u"1"_s }));
    EXPECT_EQ(list.names_text(), ten("P3") + u"\r\n"_s + ten("P1") + u"\r\n"_s + ten("P4") + u"\r\n"_s + ten("P2") + u"\r\n"_s);
    EXPECT_EQ(list.figures_text(), u"5\r\n3\r\n3\r\n1\r\n"_s);
}

TEST(Best10, AverageFormatAndTheTenthPlace)
{
    Night_builder b(12, 2);
    for (int p = 1; p <= 12; ++p) {
        b.score(p, 1, 150 + p);
        b.score(p, 2, 160 + p);
    }
    b.score(12, 1, 200);
    b.score(12, 2, 203); // 201.5
    b.score(11, 1, 180);
    b.score(11, 2, 190); // 185
    const Night_results r = b.calculate();
    ASSERT_TRUE(r.ok());
    const Best10_list ave = best10(r, award_average);
    ASSERT_EQ(ave.figures.size(), 10);
    EXPECT_EQ(ave.figures[0], u" 201.5"_s);
    EXPECT_EQ(ave.figures[1], u" 185.0"_s);
    EXPECT_EQ(ave.names[0], ten("P12"));
    EXPECT_EQ(ave.names[9], ten("P3")); // P2 and P1 are 11th and 12th
    const Best10_list top = best10(r, award_top);
    EXPECT_EQ(top.figures[0], u"203"_s);
    EXPECT_EQ(top.figures.size(), 10);
    EXPECT_TRUE(best10(r, award_booby).names.isEmpty());
}

TEST(Best10, ThirdDecimalFormats)
{
    Night_builder b(2, 3);
    b.score(1, 1, 180);
    b.score(1, 2, 190);
    b.score(1, 3, 192); // 187.333...
    b.score(2, 1, 90);
    b.score(2, 2, 100);
    b.score(2, 3, 0); // 95
    const Night_results r = b.calculate();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(best10(r, award_average).figures, (QStringList{ u" 187.3"_s, u" 095.0"_s }));
}

TEST(Best10, SharedPlacesMayGiveMoreThanTenLines)
{
    Night_builder b(12, 1);
    for (int p = 1; p <= 12; ++p)
        b.score(p, 1, p <= 9 ? 200 : 150);
    b.score(12, 1, 100);
    const Night_results r = b.calculate();
    ASSERT_TRUE(r.ok());
    // Places 1 (nine players) and 10 (two players) are listed, 12 is not.
    EXPECT_EQ(best10(r, award_high_game).names.size(), 11);
}

} // namespace
