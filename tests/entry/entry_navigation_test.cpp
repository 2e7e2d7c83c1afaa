#include "entry/entry_controller.h"
#include "entry/entry_navigation.h"

#include "config/match_globals.h"
#include "platform/scripted_desktop.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;
using entry::Entry_controller;
using entry::Entry_navigation;
using namespace scoring;

namespace {

constexpr int X = code_strike, SP = code_spare, MISS = code_miss, E = code_empty;

// Strikes in the first frames, each followed by its empty slot.
std::vector<int> strikes(int frames)
{
    std::vector<int> codes;
    for (int f = 0; f < frames; ++f)
        codes.insert(codes.end(), {X, E});
    return codes;
}

// Two lanes of six seats: seats 0, 1, 2 and 6 hold players, four games.
struct Navigation : ::testing::Test
{
    Night night{3};
    platform::ScriptedDesktop desktop;
    Entry_controller c{night, desktop};
    Entry_navigation nav{c, desktop};
    std::vector<std::pair<int, int>> shown;

    void SetUp() override
    {
        night.resize_seats(11);
        for (int seat = 0; seat <= 11; ++seat)
            night.sen_name[seat] = u"選手名未入力"_s;
        for (int seat : {0, 1, 2, 6}) {
            night.sen_id[seat] = 100 + seat;
            night.sen_name[seat] = u"選手"_s + QString::number(seat);
        }
        night.INIT();
        nav.set_sheet_shown([this] { shown.emplace_back(night.cur_sen, night.cur_game); });
        nav.New_score();
    }
    // Codes straight into a sheet, as if entered earlier.
    void fill(int seat, int game, const std::vector<int> &codes)
    {
        Score_rec &s = night.score_tbl(seat, game);
        Mark_texts marks;
        for (std::size_t k = 0; k < codes.size(); ++k) {
            s.mark_cd[k] = std::uint8_t(codes[k]);
            s.mark_txt[k] = codes[k] == E ? empty_slot_text() : marks.caption(codes[k]);
        }
    }
    void show(int seat, int game)
    {
        night.cur_sen = seat;
        night.cur_game = game;
        nav.Activate();
    }
};

struct Seat_move
{
    int from;
    int direction;
    int to;
    int beeps;
    bool moved;
};

class Seat_moves : public Navigation, public ::testing::WithParamInterface<Seat_move>
{};

TEST_P(Seat_moves, skip_empty_seats_stop_below_0_and_wrap_beyond_the_last)
{
    const Seat_move &t = GetParam();
    show(t.from, 0);
    shown.clear();
    EXPECT_EQ(nav.Pct_moveSEN(t.direction), t.moved);
    EXPECT_EQ(night.cur_sen, t.to);
    EXPECT_EQ(desktop.beeps(), t.beeps);
    EXPECT_EQ(shown.size(), t.moved ? 1u : 0u);
    EXPECT_EQ(c.Txt_junban(), QString::number(t.to + 1));
}

INSTANTIATE_TEST_SUITE_P(Entry, Seat_moves,
                         ::testing::Values(Seat_move{2, 1, 6, 0, true},   // down over 3..5
                                           Seat_move{0, 0, 0, 1, false},  // up from the first seat
                                           Seat_move{6, 0, 2, 0, true},   // up over 5..3
                                           Seat_move{6, 1, 0, 1, true},   // down past the last seat
                                           Seat_move{0, 3, 6, 0, true},   // right: the next lane
                                           Seat_move{6, 3, 0, 1, true},   // right from the last lane
                                           Seat_move{1, 2, 1, 1, false},  // left from the first lane
                                           Seat_move{6, 2, 0, 0, true})); // left: the lane before

TEST_F(Navigation, games_step_and_wrap_to_the_first_with_a_beep)
{
    EXPECT_TRUE(nav.Pct_moveGAM(1));
    EXPECT_EQ(night.cur_game, 1);
    EXPECT_EQ(c.Txt_GAM(), u"2"_s);
    EXPECT_TRUE(nav.Pct_moveGAM(0));
    EXPECT_EQ(night.cur_game, 0);
    EXPECT_EQ(desktop.beeps(), 0);
    night.cur_game = 3;
    EXPECT_TRUE(nav.Pct_moveGAM(1));
    EXPECT_EQ(night.cur_game, 0);
    EXPECT_EQ(desktop.beeps(), 1);
    EXPECT_TRUE(nav.Pct_moveGAM(0));  // before the first game: back to it
    EXPECT_EQ(night.cur_game, 0);
    EXPECT_EQ(desktop.beeps(), 2);
}

TEST_F(Navigation, a_seat_without_a_player_shows_seat_0)
{
    night.cur_sen = 4;
    nav.New_score();
    EXPECT_EQ(night.cur_sen, 0);
    EXPECT_EQ(c.Txt_SEN(), u"選手0"_s);
}

TEST_F(Navigation, the_input_position_passes_over_the_empty_slots_of_strikes)
{
    fill(1, 0, strikes(8));
    show(1, 0);
    EXPECT_EQ(night.cur_slot, 16);
    EXPECT_EQ(night.next_slot, 16);
    EXPECT_EQ(c.focus_slot(), 16);
}

TEST_F(Navigation, a_full_sheet_puts_the_input_on_slot_0)
{
    std::vector<int> codes = strikes(9);
    codes.insert(codes.end(), {X, X, X});
    fill(1, 0, codes);
    show(1, 0);
    EXPECT_EQ(c.focus_slot(), 0);
    EXPECT_EQ(night.screen.Txt_SCORE[10], u" 300"_s);
}

TEST_F(Navigation, shown_scores_and_the_handicap)
{
    night.score_tbl(2, 1).hcp = 25;
    fill(2, 1, {9, MISS});
    show(2, 1);
    EXPECT_EQ(night.screen.Txt_SCORE[1], u"9"_s);
    EXPECT_EQ(night.screen.Txt_SCORE[10], u"   9"_s);
    EXPECT_EQ(night.screen.Txt_SCORE[11], u"25"_s);
    EXPECT_EQ(night.screen.Txt_SCORE[0], u"34"_s);
    EXPECT_EQ(nav.VSc_Hcp_value(), 25);
    nav.VSc_Hcp(-9);
    EXPECT_EQ(night.cur_sheet().hcp, -9);
    EXPECT_EQ(night.cur_sheet().fl_score[0], 0);
    EXPECT_EQ(night.screen.Txt_SCORE[11], u"-9"_s);
    EXPECT_EQ(night.screen.Txt_SCORE[0], QString());  // "####" shows nothing for 0
    show(0, 0);
    EXPECT_EQ(night.screen.Txt_SCORE[10], u"    "_s);
}

TEST_F(Navigation, the_match_globals_go_into_every_sheet_shown)
{
    config::MatchGlobals match;
    match.kaijo_id = 3;
    match.siai_yy = 2026;
    match.siai_mm = 5;
    match.siai_dd = 17;
    nav.set_match(&match);
    nav.Pct_moveSEN(1);
    const Score_rec &s = night.score_tbl(1, 0);
    EXPECT_EQ(s.kaijo_id, 3);
    EXPECT_EQ(s.yy, 2026);
    EXPECT_EQ(s.mm, 5);
    EXPECT_EQ(s.dd, 17);
}

struct Completeness
{
    const char *name;
    std::vector<int> codes;
    bool complete;
};

class Sheet_complete : public Navigation, public ::testing::WithParamInterface<Completeness>
{};

TEST_P(Sheet_complete, no_two_empty_balls_in_a_row)
{
    fill(1, 0, GetParam().codes);
    show(1, 0);
    EXPECT_EQ(nav.sheet_complete(), GetParam().complete);
}

std::vector<int> game(std::vector<int> tenth)
{
    std::vector<int> codes;
    for (int f = 0; f < 9; ++f)
        codes.insert(codes.end(), {7, 2});
    codes.insert(codes.end(), tenth.begin(), tenth.end());
    return codes;
}

INSTANTIATE_TEST_SUITE_P(
    Entry, Sheet_complete,
    ::testing::Values(Completeness{"empty", {}, false},
                      Completeness{"open_tenth", game({5, 3}), true},
                      Completeness{"open_tenth_one_ball", game({5}), false},
                      Completeness{"spare_without_bonus", game({5, SP}), false},
                      Completeness{"spare_with_bonus", game({5, SP, 4}), true},
                      Completeness{"strike_tenth_one_bonus", game({X, 4}), false},
                      Completeness{"strikes_with_bonus", game({X, X, X}), true},
                      Completeness{"frame_missing", {7, 2, E, E, 7, 2}, false},
                      Completeness{"strikes_to_frame_9", strikes(9), false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Navigation, a_complete_sheet_with_a_negative_handicap_is_kept_while_hcp_mynas_is_on)
{
    nav.set_hcp_mynas(1);
    night.score_tbl(0, 0).hcp = -1;
    fill(0, 0, game({5, 3}));
    show(0, 0);
    EXPECT_FALSE(nav.Pct_moveSEN(1));
    EXPECT_EQ(night.cur_sen, 0);
    EXPECT_EQ(desktop.lastMessageText(), u"ハンデを入力してください"_s);
    EXPECT_EQ(desktop.beeps(), 1);
    EXPECT_EQ(night.next_slot, -1);
    EXPECT_FALSE(nav.Pct_moveGAM(1));
    EXPECT_EQ(night.cur_game, 0);

    nav.VSc_Hcp(0);  // the handicap set: the sheet can be left
    EXPECT_TRUE(nav.Pct_moveSEN(1));
    EXPECT_EQ(night.cur_sen, 1);
}

TEST_F(Navigation, an_incomplete_sheet_with_a_negative_handicap_can_be_left)
{
    nav.set_hcp_mynas(1);
    night.score_tbl(0, 0).hcp = -1;
    fill(0, 0, {7, 2});
    show(0, 0);
    EXPECT_TRUE(nav.Pct_moveSEN(1));
    EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(Navigation, without_hcp_mynas_a_negative_handicap_is_no_reason_to_stay)
{
    night.score_tbl(0, 0).hcp = -1;
    fill(0, 0, game({5, 3}));
    show(0, 0);
    EXPECT_TRUE(nav.Pct_moveSEN(1));
}

TEST_F(Navigation, clearing_the_marks_keeps_the_handicap_and_the_other_sheets)
{
    night.score_tbl(0, 0).hcp = 30;
    fill(0, 0, game({X, X, 5}));
    fill(1, 0, {9, MISS});
    show(0, 0);
    c.focus(12);
    c.Cmd_spl();
    desktop.answerNext(platform::Answer::Cancel);
    EXPECT_FALSE(nav.Cmd_CAN0());
    EXPECT_EQ(night.cur_sheet().mark_cd[0], 7);

    desktop.answerNext(platform::Answer::Ok);
    EXPECT_TRUE(nav.Cmd_CAN0());
    const Score_rec &s = night.cur_sheet();
    for (int k = 0; k <= 20; ++k) {
        EXPECT_EQ(s.mark_cd[size_t(k)], code_empty) << k;
        EXPECT_EQ(s.mark_txt[size_t(k)], empty_slot_text()) << k;
        EXPECT_EQ(s.mark_kind[size_t(k)], kind_not_set) << k;
        EXPECT_EQ(s.pin_bits[size_t(k)], no_pattern) << k;
        EXPECT_EQ(night.screen.Txt_MARK[size_t(k)], empty_slot_text()) << k;
        EXPECT_FALSE(night.screen.split[size_t(k)]) << k;
    }
    EXPECT_EQ(s.fl_score[10], 0);
    EXPECT_EQ(s.hcp, 30);
    EXPECT_EQ(c.focus_slot(), 0);
    c.Cmd_KEISAN();
    EXPECT_EQ(night.screen.Txt_SCORE[10], u"0"_s);
    EXPECT_EQ(night.screen.Txt_SCORE[0], u"30"_s);
    EXPECT_EQ(night.score_tbl(1, 0).mark_cd[0], 9);

    const auto &m = desktop.messages().back().message;
    EXPECT_EQ(m.text, u"画面のマークを全て消します。\rよろしいですか？"_s);
    EXPECT_EQ(m.buttons, platform::Buttons::OkCancel);
    EXPECT_EQ(m.icon, platform::Icon::Warning);
    EXPECT_EQ(m.defaultButton, 1);
    EXPECT_TRUE(m.systemModal);
}

TEST_F(Navigation, abandoning_asks_and_changes_nothing)
{
    fill(0, 0, {9, MISS});
    show(0, 0);
    const Score_rec before = night.cur_sheet();
    EXPECT_FALSE(nav.Cmd_CAN1());  // Cancel is the default
    desktop.answerNext(platform::Answer::Ok);
    EXPECT_TRUE(nav.Cmd_CAN1());
    EXPECT_EQ(night.cur_sheet(), before);
}

struct Pin_navigation : Navigation
{
    void SetUp() override
    {
        Navigation::SetUp();
        c.set_pin_keypad_available(true);
        c.Cmd_Mode();
    }
};

TEST_F(Pin_navigation, a_move_enters_the_rack_on_the_keypad_first)
{
    c.pct_pin(6);
    c.pct_pin(9);
    c.pct_pin(9);
    EXPECT_TRUE(nav.Pct_moveSEN(1));
    const Score_rec &s = night.score_tbl(0, 0);
    EXPECT_EQ(s.mark_cd[0], 8);
    EXPECT_EQ(s.mark_cd[1], 1);
    EXPECT_EQ(s.fl_score[10], 9);
    EXPECT_EQ(night.cur_sen, 1);
}

TEST_F(Pin_navigation, the_input_goes_back_onto_a_spare_so_the_keypad_shows_it)
{
    c.pct_pin(6);
    c.Cmd_moveflame(2);  // 9 and spare
    ASSERT_EQ(night.cur_sheet().mark_cd[1], SP);
    nav.New_score();
    EXPECT_EQ(c.focus_slot(), 1);
    EXPECT_EQ(c.pin_stat()[6], 1);  // pin 7 stood after the first ball
    // After a strike frame there is no spare to go back to.
    fill(1, 0, {X, E});
    show(1, 0);
    EXPECT_EQ(c.focus_slot(), 2);
}

TEST_F(Pin_navigation, another_sheet_sets_the_keypad_up_for_its_own_rack)
{
    c.pct_pin(6);  // a rack started on seat 0, not entered
    fill(1, 0, {9, MISS, E, E});
    Score_rec &other = night.score_tbl(1, 0);
    other.pin_bits[0] = 1;
    other.pin_bits[1] = 1;
    night.cur_sen = 1;
    night.clear_score();
    nav.Activate();
    EXPECT_EQ(c.focus_slot(), 2);
    for (int st : c.pin_stat())
        EXPECT_EQ(st, 0);
    EXPECT_EQ(c.shp_Pin_colour(0), c.pin_colour(2));  // frame 1: pin 1 stood after both balls
}

} // namespace
