#include "entry/entry_controller.h"

#include "platform/scripted_desktop.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using entry::Entry_controller;
using namespace scoring;

namespace {

struct Pins : ::testing::Test
{
    Night night{3};
    platform::ScriptedDesktop desktop;
    Entry_controller c{night, desktop};

    void SetUp() override
    {
        night.resize_seats(2);
        night.sen_id[0] = 1;
        night.INIT();
        c.set_pin_keypad_available(true);
        c.Cmd_Mode();
        c.show_sheet();
    }
    int code(int slot) { return night.cur_sheet().mark_cd[size_t(slot)]; }
    int bits(int slot) { return night.cur_sheet().pin_bits[size_t(slot)]; }
};

TEST_F(Pins, a_pin_clicked_once_stood_after_the_first_ball)
{
    c.pct_pin(6);
    c.pct_pin(9);
    c.Cmd_moveflame(2);
    EXPECT_EQ(code(0), 8);
    EXPECT_EQ(code(1), code_spare);
    EXPECT_EQ(bits(0), (1 << 6) | (1 << 9));
    EXPECT_EQ(bits(1), 0);
    EXPECT_EQ(c.focus_slot(), 2);
}

TEST_F(Pins, a_pin_clicked_twice_stood_after_both_balls)
{
    c.pct_pin(6);
    c.pct_pin(9);
    c.pct_pin(9);
    EXPECT_EQ(c.pin_stat()[9], 2);
    EXPECT_EQ(c.shp_Pin_colour(9), c.pin_colour(2));
    c.Cmd_moveflame(2);
    EXPECT_EQ(code(0), 8);
    EXPECT_EQ(code(1), 1);
    EXPECT_EQ(bits(1), 1 << 9);
}

TEST_F(Pins, ok_on_a_fresh_frame_is_a_strike)
{
    c.pct_pin(0);
    c.pct_pin(0);
    c.pct_pin(0);  // back to fallen
    c.Cmd_moveflame(2);
    EXPECT_EQ(code(0), code_strike);
    EXPECT_EQ(c.focus_slot(), 2);
}

TEST_F(Pins, gutter_then_three_pins_left)
{
    c.cmd_MDS(2);
    EXPECT_EQ(bits(0), all_pins);
    for (int st : c.pin_stat())
        EXPECT_EQ(st, 1);
    c.focus(0);
    for (int p : {0, 1, 2})
        c.pct_pin(p);
    c.Cmd_moveflame(2);
    EXPECT_EQ(code(0), code_gutter);
    EXPECT_EQ(code(1), 7);
}

TEST_F(Pins, miss_copies_the_pattern_and_goes_to_the_next_frame)
{
    c.pct_pin(3);
    c.cmd_MDS(4);
    EXPECT_EQ(code(0), 9);
    EXPECT_EQ(code(1), code_miss);
    EXPECT_EQ(bits(1), bits(0));
    EXPECT_EQ(c.focus_slot(), 2);
}

TEST_F(Pins, a_foul_with_all_pins_standing_stays_and_is_dropped_after_a_click)
{
    c.cmd_MDS(3);
    c.focus(0);
    c.Cmd_moveflame(2);
    EXPECT_EQ(code(0), code_foul);
    c.focus(0);
    c.pct_pin(0);
    c.pct_pin(0);  // pin 1 fell to the first ball
    c.Cmd_moveflame(2);
    EXPECT_EQ(code(0), 1);
}

TEST_F(Pins, strikes_in_18_and_19_then_a_foul_on_20)
{
    for (int f = 0; f < 9; ++f)
        c.cmd_MDS(0);
    c.cmd_MDS(0);
    c.cmd_MDS(0);
    ASSERT_EQ(c.focus_slot(), 20);
    c.cmd_MDS(3);
    EXPECT_EQ(code(20), code_foul);
    EXPECT_EQ(bits(20), all_pins);
    EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(Pins, clear_in_frame_10_empties_its_three_balls)
{
    for (int f = 0; f < 11; ++f)
        c.cmd_MDS(0);
    c.cmd_MDS(5);
    for (int k : {18, 19, 20}) {
        EXPECT_EQ(code(k), code_empty);
        EXPECT_EQ(bits(k), no_pattern);
    }
    EXPECT_EQ(c.focus_slot(), 18);
}

TEST_F(Pins, a_game_by_pins_scores_as_the_same_game_by_marks)
{
    // Each frame: 7 and 10 stand, 10 stays: 8 and 1, a score of 9 a frame.
    for (int f = 0; f < 9; ++f) {
        c.pct_pin(6);
        c.pct_pin(9);
        c.pct_pin(9);
        c.Cmd_moveflame(2);
    }
    c.pct_pin(6);
    c.pct_pin(9);
    c.pct_pin(9);
    c.Cmd_moveflame(2);
    EXPECT_EQ(night.cur_sheet().fl_score[10], 90);
    EXPECT_EQ(code(18), 8);
    EXPECT_EQ(code(19), 1);
}

TEST_F(Pins, switching_modes_keeps_the_sheet_and_a_mark_erases_the_rack)
{
    c.pct_pin(6);
    c.Cmd_moveflame(2);
    const Score_rec before = night.cur_sheet();
    c.Cmd_Mode();
    c.Cmd_Mode();
    EXPECT_EQ(night.cur_sheet(), before);
    c.Cmd_Mode();  // mark mode
    c.focus(0);
    c.Cmd_MARK(7);
    EXPECT_EQ(bits(0), no_pattern);
    EXPECT_EQ(bits(1), no_pattern);
}

} // namespace
