#include "scoring/ana.h"
#include "scoring/night.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace scoring;

namespace {

// A night of games 0..max_game after INIT, with players in the given seats.
struct Ana_night
{
    Night night;

    Ana_night(int max_game, std::initializer_list<int> seats)
        : night(max_game)
    {
        night.INIT();
        for (const int s : seats) {
            night.sen_id[s] = 500 + s;
            night.sen_name[s] = Score_rec::fixed_name(u"選手%1"_s.arg(s));
            for (int g = 0; g <= max_game; ++g) {
                Score_rec &sheet = night.score_tbl(s, g);
                sheet.set_sen_name(night.sen_name[s]);
                sheet.hcp = 10 + s;
                sheet.kaijo_id = 3;
                sheet.yy = 2009;
                sheet.mm = 12;
                sheet.dd = 5;
            }
        }
    }

    // A complete game of nine-and-miss frames (90) with the seat's handicap.
    void bowl(int seat, int game)
    {
        Score_rec &sheet = night.score_tbl(seat, game);
        for (int f = 0; f < 10; ++f) {
            sheet.mark_cd[std::size_t(2 * f)] = 9;
            sheet.mark_txt[std::size_t(2 * f)] = u"９"_s;
            sheet.mark_cd[std::size_t(2 * f + 1)] = code_miss;
            sheet.mark_txt[std::size_t(2 * f + 1)] = u"－"_s;
            sheet.mark_kind[std::size_t(2 * f)] = kind_plain;
            sheet.fl_score[std::size_t(f + 1)] = 9 * (f + 1);
        }
        sheet.fl_score[0] = sheet.fl_score[10] + sheet.hcp;
        sheet.pin_bits[0] = 1 + game; // tells the games apart
    }
};

TEST(Ana, GamesWithoutBowlersAreLeftOut)
{
    // Games 1 and 3 bowled, game 2 by nobody, game 4 by nobody.
    Ana_night n(3, { 0, 1, 2 });
    for (const int s : { 0, 1, 2 })
        n.bowl(s, 0);
    n.bowl(0, 2);
    n.bowl(2, 2);

    const Ana_data d = ANA(n.night);
    EXPECT_EQ(d.game_cnt, 2);
    EXPECT_EQ(d.game_count(), 2);
    EXPECT_EQ(d.player_count(), 3);
    EXPECT_EQ(d.game_ninzu, (QList<int>{ 3, 3, 0, 2, 0 }));
    EXPECT_EQ(d.ana_game, (QList<int>{ 0, 0, 2 }));
    // Column 2 holds the night's third game, and its bowlers are that game's.
    EXPECT_EQ(d.ana_tbl(1, 2).pin_bits[0], 3);
    EXPECT_EQ(d.ana_tbl(1, 2).fl_score[10], 90);
    EXPECT_EQ(d.ana_tbl(2, 2).fl_score[10], 0);
    EXPECT_EQ(d.bowlers(1), 3);
    EXPECT_EQ(d.bowlers(2), 2);
}

TEST(Ana, PlayerOfTheSecondGameOnlyIsCounted)
{
    Ana_night n(2, { 0, 1, 4 });
    n.bowl(0, 0);
    n.bowl(1, 0);
    n.bowl(0, 1);
    n.bowl(1, 1);
    n.bowl(4, 1);

    const Ana_data d = ANA(n.night);
    ASSERT_EQ(d.player_count(), 3);
    EXPECT_EQ(d.game_ninzu[0], 3);
    EXPECT_EQ(d.game_cnt, 2);
    EXPECT_EQ(d.ana_tbl(3, 1).sen_id, 504);
    EXPECT_EQ(d.ana_tbl(3, 1).fl_score[10], 0); // his untouched first game
    EXPECT_EQ(d.ana_tbl(3, 1).mark_cd[0], code_empty);
    EXPECT_EQ(d.ana_tbl(3, 2).fl_score[10], 90);
}

TEST(Ana, NothingBowled)
{
    Ana_night n(3, { 0, 1 });
    const Ana_data d = ANA(n.night);
    EXPECT_EQ(d.player_count(), 0);
    EXPECT_EQ(d.game_count(), 0);
    EXPECT_EQ(d.game_cnt, 0);
    EXPECT_EQ(d.game_ninzu, (QList<int>{ 0, 0, 0, 0, 0 }));
    EXPECT_THROW((void)d.ana_tbl(1, 1), std::out_of_range);
}

TEST(Ana, SeatsSqueezedInSeatOrderWithEveryFieldCopied)
{
    Ana_night n(1, { 2, 5, 9 });
    n.bowl(2, 0);
    n.bowl(9, 0);
    n.bowl(5, 1);
    n.night.score_tbl(9, 0).mark_txt[20] = u"x"_s;
    n.night.score_tbl(9, 0).mark_kind[20] = kind_spare;
    n.night.score_tbl(9, 0).pin_bits[20] = 77;
    n.night.score_tbl(9, 0).mark_cd[21] = 5; // the parking slot is not handed over

    const Ana_data d = ANA(n.night);
    ASSERT_EQ(d.player_count(), 3);
    EXPECT_EQ(d.ana_tbl(1, 1).sen_id, 502);
    EXPECT_EQ(d.ana_tbl(2, 1).sen_id, 505);
    EXPECT_EQ(d.ana_tbl(3, 1).sen_id, 509);
    const Ana_rec &r = d.ana_tbl(3, 1);
    const Score_rec &s = n.night.score_tbl(9, 0);
    EXPECT_EQ(r.sen_name, u"選手9       "_s);
    EXPECT_EQ(r.hcp, 19);
    EXPECT_EQ(r.fl_score, s.fl_score);
    EXPECT_EQ(r.fl_score[0], 109);
    EXPECT_EQ(r.kaijo_id, 3);
    EXPECT_EQ(r.yy, 2009);
    EXPECT_EQ(r.mm, 12);
    EXPECT_EQ(r.dd, 5);
    for (std::size_t k = 0; k < std::size_t(ana_slot_count); ++k) {
        EXPECT_EQ(r.mark_txt[k], s.mark_txt[k]) << k;
        EXPECT_EQ(r.mark_cd[k], s.mark_cd[k]) << k;
        EXPECT_EQ(r.mark_kind[k], s.mark_kind[k]) << k;
        EXPECT_EQ(r.pin_bits[k], s.pin_bits[k]) << k;
    }
    EXPECT_EQ(r.mark_txt[20], u"x"_s);
    EXPECT_EQ(r.mark_kind[20], kind_spare);
    EXPECT_EQ(r.pin_bits[20], 77);
}

TEST(Ana, EmptySeatsAndSeatsBeyondTheLastAreNotLookedAt)
{
    Ana_night n(1, { 0, 3 });
    n.bowl(0, 0);
    n.bowl(3, 0);
    n.night.score_tbl(1, 0).mark_cd[0] = 7; // marks in a seat without a player
    n.night.last_sen = 2; // seat 3 lies beyond the seats in use

    const Ana_data d = ANA(n.night);
    EXPECT_EQ(d.game_ninzu, (QList<int>{ 1, 1, 0 }));
    ASSERT_EQ(d.player_count(), 1);
    EXPECT_EQ(d.ana_tbl(1, 1).sen_id, 500);
}

// Which marks make a sheet a bowled game (kept column, counted in
// game_ninzu) and which make its player one of the night's players.
TEST(Ana, WhatCountsAsBowled)
{
    struct Case
    {
        const char *what;
        int slot; // slot given a gutter, -1 none
        int scratch; // fl_score(10)
        int ninzu; // game_ninzu(1)
        int players; // N
    };
    const Case cases[] = {
        { "untouched sheet", -1, 0, 0, 0 },
        { "gutter in slot 0", 0, 0, 1, 1 },
        { "only slot 19", 19, 0, 1, 0 },
        { "only slot 20", 20, 0, 0, 0 },
        { "score without marks", -1, 1, 1, 1 },
    };
    for (const Case &c : cases) {
        Ana_night n(0, { 0 });
        Score_rec &sheet = n.night.score_tbl(0, 0);
        if (c.slot >= 0)
            sheet.mark_cd[std::size_t(c.slot)] = code_gutter;
        sheet.fl_score[10] = c.scratch;
        const Ana_data d = ANA(n.night);
        EXPECT_EQ(d.game_ninzu[1], c.ninzu) << c.what;
        EXPECT_EQ(d.player_count(), c.players) << c.what;
        EXPECT_EQ(d.game_cnt, c.ninzu) << c.what;
    }
}

TEST(AnaData, ResizeNumbersColumnsAsTheNightsGames)
{
    Ana_data d;
    d.resize(2, 3);
    EXPECT_EQ(d.player_count(), 2);
    EXPECT_EQ(d.game_count(), 3);
    EXPECT_EQ(d.ana_game, (QList<int>{ 0, 0, 1, 2 }));
    d.ana_tbl(2, 3).hcp = 4;
    EXPECT_EQ(d.ana_tbl(2, 3).hcp, 4);
    EXPECT_EQ(d.ana_tbl(1, 3).hcp, 0);
    EXPECT_THROW((void)d.ana_tbl(3, 1), std::out_of_range);
    EXPECT_THROW((void)d.ana_tbl(1, 0), std::out_of_range);
    d.game_ninzu = { 2, 2, 1 };
    EXPECT_EQ(d.bowlers(2), 1);
    EXPECT_THROW((void)d.bowlers(3), std::out_of_range); // no game_ninzu(4)
}

} // namespace
