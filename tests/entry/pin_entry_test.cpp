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

namespace {

// X | 7/ | 9- | F9 | G/ | X | X | 81 | 5/ | X7/ : 20 39 48 57 77 105 124 133 153 173
struct Whole_game : Pins
{
    void enter_by_pins()
    {
        c.cmd_MDS(0);                 // 1: strike
        for (int p : {3, 6, 7})       // 2: pins 4, 7, 8 stood, then fell
            c.pct_pin(p);
        c.Cmd_moveflame(2);
        c.pct_pin(0);                 // 3: pin 1 stood after both balls
        c.cmd_MDS(4);
        c.cmd_MDS(3);                 // 4: foul, then pin 1 left
        c.pct_pin(0);
        c.Cmd_moveflame(2);
        c.cmd_MDS(2);                 // 5: gutter, then all ten
        c.Cmd_moveflame(2);
        c.cmd_MDS(0);                 // 6, 7
        c.cmd_MDS(0);
        c.pct_pin(3);                 // 8: 4 and 7 stood, 7 stayed
        c.pct_pin(6);
        c.pct_pin(6);
        c.Cmd_moveflame(2);
        for (int p : {0, 1, 2, 3, 4}) // 9: five stood, then fell
            c.pct_pin(p);
        c.Cmd_moveflame(2);
        c.cmd_MDS(0);                 // 10: strike, then 1, 2 and 3 stood and fell
        for (int p : {0, 1, 2})
            c.pct_pin(p);
    }
};

TEST_F(Whole_game, by_pins_scores_as_by_marks_and_keeps_every_pattern)
{
    enter_by_pins();
    EXPECT_TRUE(desktop.messages().empty());
    const Score_rec by_pins = night.cur_sheet();

    Night marked{3};
    marked.resize_seats(2);
    marked.sen_id[0] = 1;
    marked.INIT();
    Entry_controller m{marked, desktop};
    m.show_sheet();
    for (QChar ch : u"*7/9-f9g/**815/*7/"_s)
        m.key_press(ch.unicode());
    const Score_rec &by_marks = marked.cur_sheet();

    const std::array<int, 10> running = {20, 39, 48, 57, 77, 105, 124, 133, 153, 173};
    for (int f = 1; f <= 10; ++f) {
        EXPECT_EQ(by_pins.fl_score[size_t(f)], running[size_t(f - 1)]) << "frame " << f;
        EXPECT_EQ(by_marks.fl_score[size_t(f)], running[size_t(f - 1)]) << "frame " << f;
    }
    for (int k = 0; k <= 20; ++k) {
        EXPECT_EQ(by_pins.mark_cd[size_t(k)], by_marks.mark_cd[size_t(k)]) << "slot " << k;
        EXPECT_EQ(by_pins.mark_txt[size_t(k)], by_marks.mark_txt[size_t(k)]) << "slot " << k;
        EXPECT_EQ(by_pins.pin_cnt[size_t(k)], by_marks.pin_cnt[size_t(k)]) << "slot " << k;
    }
    const std::array<std::int32_t, 21> patterns = {
        0, 0, 200, 0, 1, 1, all_pins, 1, all_pins, 0, 0, 0, 0, 0, 72, 64, 31, 0, 0, 7, 0};
    for (int k = 0; k <= 20; ++k)
        EXPECT_EQ(by_pins.pin_bits[size_t(k)], patterns[size_t(k)]) << "slot " << k;
    // The marked game carries no pattern but for its strikes.
    EXPECT_EQ(by_marks.pin_bits[2], no_pattern);
    EXPECT_EQ(by_marks.pin_bits[19], no_pattern);
}

TEST_F(Whole_game, small_diagrams_show_the_patterns_in_the_three_colours)
{
    c.set_pin_colours(0x111111, 0x222222, 0x333333);
    enter_by_pins();
    c.paint_sheet_diagrams();
    // Frame 8: pins 4 and 7 stood after the first ball, 7 after both.
    for (int n = 0; n < 10; ++n) {
        const std::uint32_t want = n == 6 ? 0x333333 : n == 3 ? 0x222222 : 0x111111;
        EXPECT_EQ(c.shp_Pin_colour(70 + n), want) << "pin " << n + 1;
    }
    // Frame 10 after a strike: its own picture all fallen, the rack of 19
    // and 20 on picture 10 (pins 1..3 stood after ball 19), picture 11 grey.
    EXPECT_EQ(c.shp_Pin_colour(90), 0x111111u);
    EXPECT_EQ(c.shp_Pin_colour(100), 0x222222u);
    EXPECT_EQ(c.shp_Pin_colour(103), 0x111111u);
    EXPECT_EQ(c.shp_Pin_colour(110), Entry_controller::grey);
    // Frame 5, a gutter: every pin stood after the first ball.
    EXPECT_EQ(c.shp_Pin_colour(45), 0x222222u);
}

} // namespace
