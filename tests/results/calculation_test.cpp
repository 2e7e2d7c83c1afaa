#include "night_builder.h"

#include "results/placing.h"
#include "scoring/ana.h"
#include "scoring/night.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;
using namespace results;
using results_test::Night_builder;

namespace {

TEST(BestGames, TodayRankOfEqualScoresFavoursTheLaterGame)
{
    Night_builder b(2, 3);
    b.score(1, 1, 180);
    b.score(1, 2, 200);
    b.score(1, 3, 200);
    // The handicapped order differs: the first game is the best with handicap.
    b.score(2, 1, 150, 60);
    b.score(2, 2, 170, 0);
    b.score(2, 3, 160, 0);
    const Night_results r = b.calculate();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.result_tbl(1, 1).toujitsu, -1);
    EXPECT_EQ(r.result_tbl(1, 2).toujitsu, 0);
    EXPECT_EQ(r.result_tbl(1, 3).toujitsu, 1);
    EXPECT_EQ(r.result_tbl(1, 3).best_hcp, 1);
    EXPECT_EQ(r.placing_game(1), 3);

    EXPECT_EQ(r.result_tbl(2, 1).toujitsu, -1);
    EXPECT_EQ(r.result_tbl(2, 2).toujitsu, 1);
    EXPECT_EQ(r.result_tbl(2, 3).toujitsu, 0);
    EXPECT_EQ(r.result_tbl(2, 1).best_hcp, 1);
    EXPECT_EQ(r.result_tbl(2, 2).best_hcp, 0);
    EXPECT_EQ(r.result_tbl(2, 3).best_hcp, -1);
    EXPECT_EQ(r.placing_game(2), 1);
    EXPECT_EQ(r.hcp_best[2], (std::array<int, 6>{ 0, 210, 170, 160, 0, 0 }));
    EXPECT_EQ(r.scr_best[2], (std::array<int, 6>{ 0, 150, 170, 160, 0, 0 }));
}

TEST(BestGames, OnlyTheFiveBestAreKept)
{
    Night_builder b(1, 6);
    const int scores[] = { 120, 200, 150, 190, 110, 180 };
    for (int g = 1; g <= 6; ++g)
        b.score(1, g, scores[g - 1], 5);
    const Night_results r = b.calculate();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.hcp_best[1], (std::array<int, 6>{ 0, 205, 195, 185, 155, 125 }));
    EXPECT_EQ(r.scr_best[1], (std::array<int, 6>{ 0, 200, 190, 180, 150, 120 }));
}

TEST(GameRanks, CompetitionRanksAndUpperHalf)
{
    Night_builder b(7, 1);
    b.game_scores(1, { 150, 200, 200, 120, 180, 90, 150 });
    const Night_results r = b.calculate();
    ASSERT_TRUE(r.ok());
    const int juni[] = { 4, 1, 1, 6, 3, 7, 4 };
    const int joui[] = { 0, 1, 1, 0, 1, 0, 0 };
    for (int p = 1; p <= 7; ++p) {
        const Result_rec &rec = r.result_tbl(p, 1);
        EXPECT_EQ(rec.juni, juni[p - 1]) << p;
        EXPECT_EQ(rec.joui, joui[p - 1]) << p;
        EXPECT_EQ(rec.ninzu, 7);
        EXPECT_EQ(rec.siai_id, 120);
        EXPECT_EQ(rec.game, 1);
        EXPECT_EQ(rec.senshu_id, 100 + p);
    }
}

TEST(GameRanks, CopiesTheSheet)
{
    Night_builder b(1, 1);
    b.score(1, 1, 187, 13);
    scoring::Ana_rec &a = b.data.ana_tbl(1, 1);
    a.mark_txt[4] = u"＊"_s;
    a.mark_cd[4] = scoring::code_strike;
    a.pin_bits[7] = 40;
    a.kaijo_id = 4;
    a.yy = 2010;
    a.mm = 1;
    a.dd = 9;
    const Night_results r = b.calculate();
    ASSERT_TRUE(r.ok());
    const Result_rec &rec = r.result_tbl(1, 1);
    EXPECT_EQ(rec.kyogi_ten, 200);
    EXPECT_EQ(rec.S[10], 187);
    EXPECT_EQ(rec.S[5], 93);
    EXPECT_EQ(rec.HCP, 13);
    EXPECT_EQ(rec.mark_txt[4], u"＊"_s);
    EXPECT_EQ(rec.mark_cd[4], 10);
    EXPECT_EQ(rec.mark_cd[0], 30);
    EXPECT_EQ(rec.pin_bits[7], 40);
    EXPECT_EQ(rec.kaijo_id, 4);
    EXPECT_EQ(rec.yy, 2010);
    EXPECT_EQ(rec.mm, 1);
    EXPECT_EQ(rec.dd, 9);
}

// 人数 and 上位 of a game describe that game's own bowlers, also after a game
// of the night that nobody bowled.
TEST(GameRanks, BowlersOfTheGameItselfAfterAGameNobodyBowled)
{
    scoring::Night night(2);
    night.INIT();
    const int scores[4][3] = { { 150, 0, 210 }, { 160, 0, 190 }, { 170, 0, 0 }, { 180, 0, 0 } };
    for (int s = 0; s < 4; ++s) {
        night.sen_id[s] = 10 + s;
        for (int g = 0; g <= 2; ++g) {
            scoring::Score_rec &sheet = night.score_tbl(s, g);
            sheet.set_sen_name(u"S%1"_s.arg(s));
            if (scores[s][g] == 0)
                continue;
            sheet.mark_cd[0] = 9;
            sheet.fl_score[10] = scores[s][g];
            sheet.fl_score[0] = scores[s][g];
        }
    }
    const scoring::Ana_data data = scoring::ANA(night);
    ASSERT_EQ(data.game_count(), 2);
    ASSERT_EQ(data.game_ninzu, (QList<int>{ 4, 4, 0, 2 }));

    const Night_results r = calculate(data, {}, {});
    ASSERT_TRUE(r.ok());
    for (int p = 1; p <= 4; ++p) {
        EXPECT_EQ(r.result_tbl(p, 1).ninzu, 4) << p;
        EXPECT_EQ(r.result_tbl(p, 2).ninzu, 2) << p;
    }
    // Of the two bowlers of the night's third game only the better one is upper.
    EXPECT_EQ(r.result_tbl(1, 2).juni, 1);
    EXPECT_EQ(r.result_tbl(1, 2).joui, 1);
    EXPECT_EQ(r.result_tbl(2, 2).juni, 2);
    EXPECT_EQ(r.result_tbl(2, 2).joui, 0);
    EXPECT_EQ(r.result_tbl(3, 2).joui, 0);
    // The first game: four bowlers, two upper.
    EXPECT_EQ(r.result_tbl(4, 1).joui, 1);
    EXPECT_EQ(r.result_tbl(3, 1).joui, 1);
    EXPECT_EQ(r.result_tbl(2, 1).joui, 0);
}

TEST(Calculation, NightWithoutBowlersIsReportedNotComputed)
{
    scoring::Night night(3);
    night.INIT();
    night.sen_id[0] = 5;
    const scoring::Ana_data data = scoring::ANA(night);
    const Night_results r = calculate(data, {}, {});
    EXPECT_EQ(r.status, Calc_status::nobody_bowled);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.N, 0);
    EXPECT_EQ(nobody_bowled_message(), u"投球されたゲームがありません。"_s);

    // Players but no game column, and a game column without players.
    scoring::Ana_data players_only;
    players_only.resize(2, 0);
    EXPECT_EQ(calculate(players_only, {}, {}).status, Calc_status::nobody_bowled);
    scoring::Ana_data games_only;
    games_only.resize(0, 1);
    EXPECT_EQ(calculate(games_only, {}, {}).status, Calc_status::nobody_bowled);
}

TEST(Calculation, CountsTooShortForTheGamesFail)
{
    Night_builder b(2, 2);
    b.data.game_ninzu = { 2, 2 }; // no count for the second game
    const Night_results r = b.calculate();
    EXPECT_EQ(r.status, Calc_status::failed);
    EXPECT_FALSE(r.ok());
}

// Ball counts of one game, by mark kinds of slots 0..20.
TEST(BallCounts, StrikesSparesSplitsAndMissedSpares)
{
    constexpr int n = scoring::kind_not_set; // plain count, kind never set
    constexpr int X = scoring::kind_strike;
    constexpr int S = scoring::kind_spare;
    constexpr int L = scoring::kind_split;
    constexpr int F = scoring::kind_foul;
    constexpr int o = scoring::kind_plain;
    struct Case
    {
        const char *what;
        std::vector<int> kinds; // slots 0..20
        bool rule; // Chk_rule(0)
        int ST, SP, SPF, split;
    };
    // Frames 2..9 strikes (slots 2, 4, .. 16), frame 10 as given.
    auto with_frame1_and_10 = [&](int a, int b, int x, int y, int z) {
        std::vector<int> k(21, n);
        k[0] = a;
        k[1] = b;
        for (int i = 2; i <= 16; i += 2)
            k[std::size_t(i)] = X;
        k[18] = x;
        k[19] = y;
        k[20] = z;
        return k;
    };
    const Case cases[] = {
        { "split then missed spare, rule set", with_frame1_and_10(L, n, X, X, X), true, 11, 0, 0, 1 },
        { "split then missed spare, rule clear", with_frame1_and_10(L, n, X, X, X), false, 11, 0, 1, 1 },
        { "split converted, rule clear", with_frame1_and_10(L, S, X, X, X), false, 11, 1, 0, 1 },
        { "open frame, rule set", with_frame1_and_10(n, n, X, X, X), true, 11, 0, 1, 0 },
        { "foul then spare", with_frame1_and_10(F, S, X, X, X), true, 11, 1, 0, 0 },
        { "X 7 miss, rule set", with_frame1_and_10(X, n, X, n, o), true, 10, 0, 1, 0 },
        { "X 7 miss, rule clear", with_frame1_and_10(X, n, X, n, o), false, 10, 0, 1, 0 },
        { "X 7 spare, rule clear", with_frame1_and_10(X, n, X, n, S), false, 10, 1, 0, 0 },
        { "X X 8, rule clear", with_frame1_and_10(X, n, X, X, n), false, 11, 0, 0, 0 },
        { "open tenth, rule set", with_frame1_and_10(X, n, n, n, n), true, 9, 0, 1, 0 },
        { "open tenth, rule clear", with_frame1_and_10(X, n, n, n, n), false, 9, 0, 1, 0 },
        { "spare in tenth", with_frame1_and_10(X, n, o, S, X), false, 10, 1, 0, 0 },
        { "split in tenth after a strike, rule set", with_frame1_and_10(X, n, X, L, n), true, 10, 0, 0, 1 },
        { "split in tenth after a strike, rule clear", with_frame1_and_10(X, n, X, L, n), false, 10, 0, 1, 1 },
        { "untouched sheet, rule set", std::vector<int>(21, n), true, 0, 0, 10, 0 },
        { "untouched sheet, rule clear", std::vector<int>(21, n), false, 0, 0, 10, 0 },
    };
    for (const Case &c : cases) {
        Night_builder b(1, 1);
        b.score(1, 1, 200);
        b.kinds(1, 1, c.kinds);
        b.options.Chk_rule[0] = c.rule;
        const Night_results r = b.calculate();
        ASSERT_TRUE(r.ok()) << c.what;
        const Result_rec &rec = r.result_tbl(1, 1);
        EXPECT_EQ(rec.ST, c.ST) << c.what;
        EXPECT_EQ(rec.SP, c.SP) << c.what;
        EXPECT_EQ(rec.SPF, c.SPF) << c.what;
        EXPECT_EQ(rec.split, c.split) << c.what;
    }
}

TEST(Placing, Texts)
{
    const std::vector<std::pair<int, QString>> cases = {
        { 1, u"１着"_s }, { 2, u"２着"_s }, { 9, u"９着"_s }, { 10, u"10着"_s }, { 12, u"12着"_s }, { 36, u"36着"_s },
        { 123, u"23着"_s },
    };
    for (const auto &[place, text] : cases)
        EXPECT_EQ(placing_text(place), text) << place;
}

TEST(Points, UpperWeightedByFieldSize)
{
    const std::vector<std::pair<int, std::vector<int>>> cases = {
        { 1, { 10 } },
        { 2, { 11, 0 } },
        { 3, { 12, 0, 0 } },
        { 4, { 13, 8, 0, 0 } },
        { 5, { 14, 9, 0, 0, 0 } },
        { 6, { 15, 10, 7, 0, 0, 0 } },
        { 10, { 19, 14, 11, 3, 1, 0, 0, 0, 0, 0 } },
        { 16, { 25, 20, 17, 9, 7, 5, 3, 1, 0, 0, 0, 0, 0, 0, 0, 0 } },
    };
    for (const auto &[n, points] : cases) {
        for (int r = 1; r <= n; ++r)
            EXPECT_EQ(upper_weighted_points(n, r), points[std::size_t(r - 1)]) << n << " players, place " << r;
    }
}

// Players with all different scores, better in seat order; the points of
// each place through the whole calculation.
std::vector<int> points_of_places(int n, int method, const std::function<void(Calc_options &)> &boxes = {})
{
    Night_builder b(n, 1);
    for (int p = 1; p <= n; ++p)
        b.score(p, 1, 300 - 5 * p);
    b.options.Opt_PntCalc = method;
    if (boxes)
        boxes(b.options);
    const Night_results r = b.calculate();
    EXPECT_TRUE(r.ok());
    std::vector<int> points;
    for (int p = 1; p <= r.N; ++p) {
        EXPECT_EQ(r.pnt_rank[p], p);
        points.push_back(r.result_tbl(p, 1).yu_p);
    }
    return points;
}

TEST(Points, ThreeMethodsThroughTheCalculation)
{
    EXPECT_EQ(points_of_places(5, calc_upper_weighted), (std::vector<int>{ 14, 9, 0, 0, 0 }));
    EXPECT_EQ(points_of_places(6, calc_upper_weighted), (std::vector<int>{ 15, 10, 7, 0, 0, 0 }));
    EXPECT_EQ(points_of_places(8, calc_linear), (std::vector<int>{ 8, 7, 6, 5, 4, 3, 2, 1 }));

    const std::vector<int> manual = points_of_places(32, calc_manual, [](Calc_options &o) {
        for (int i = 0; i < point_box_count; ++i)
            o.Txt_Pnt[std::size_t(i)] = QString::number(100 - i);
    });
    ASSERT_EQ(manual.size(), 32u);
    EXPECT_EQ(manual[0], 100);
    EXPECT_EQ(manual[28], 72);
    EXPECT_EQ(manual[29], 71);
    EXPECT_EQ(manual[30], 71);
    EXPECT_EQ(manual[31], 71);
}

TEST(Points, ManualBoxesReadAsNumbers)
{
    const std::vector<int> points = points_of_places(4, calc_manual, [](Calc_options &o) {
        o.Txt_Pnt[0] = u" 12 "_s;
        o.Txt_Pnt[1] = u"１５"_s;
        o.Txt_Pnt[2] = u"2.5"_s;
        o.Txt_Pnt[3] = u"-1.4"_s;
    });
    EXPECT_EQ(points, (std::vector<int>{ 12, 15, 3, -1 }));
}

TEST(Points, ManualBoxThatIsNoNumberStopsTheCalculation)
{
    for (const QString &bad : { u"abc"_s, u""_s, u"40000"_s, u"1 2"_s }) {
        Night_builder b(3, 1);
        b.game_scores(1, { 150, 160, 170 });
        b.options.Opt_PntCalc = calc_manual;
        b.options.Txt_Pnt[7] = bad;
        const Night_results r = b.calculate();
        EXPECT_EQ(r.status, Calc_status::invalid_points) << bad.toStdString();
        EXPECT_EQ(r.invalid_point_box, 7);
        // Another method does not read the boxes.
        b.options.Opt_PntCalc = calc_linear;
        EXPECT_TRUE(b.calculate().ok());
    }
}

TEST(Points, OnlyThePlacingGameCarriesPlacingAndPoints)
{
    Night_builder b(3, 2);
    b.game_scores(1, { 150, 200, 170 });
    b.game_scores(2, { 190, 160, 100 });
    const Night_results r = b.calculate();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.result_tbl(2, 1).nyusho, u"１着  "_s);
    EXPECT_EQ(r.result_tbl(2, 1).yu_p, 12);
    EXPECT_EQ(r.result_tbl(2, 2).nyusho, u"    "_s);
    EXPECT_EQ(r.result_tbl(2, 2).yu_p, 0);
    EXPECT_EQ(r.result_tbl(1, 2).nyusho, u"２着  "_s);
    EXPECT_EQ(r.result_tbl(1, 1).nyusho, u"    "_s);
    EXPECT_EQ(r.result_tbl(3, 1).nyusho, u"３着  "_s);
}

} // namespace
