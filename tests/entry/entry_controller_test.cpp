#include "entry/entry_controller.h"

#include "config/settings_store.h"
#include "platform/scripted_desktop.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <vector>

using namespace Qt::StringLiterals;
using entry::Entry_controller;
using entry::Move_request;
using namespace scoring;

namespace {

constexpr int X = code_strike, MISS = code_miss, SP = code_spare, F = code_foul, E = code_empty;

// One seated player with handicap 15 on a freshly opened screen.
struct Entry : ::testing::Test
{
    Night night{3};
    platform::ScriptedDesktop desktop;
    Entry_controller c{night, desktop};

    void SetUp() override
    {
        night.resize_seats(5);
        night.sen_id[0] = 7;
        night.sen_name[0] = u"山田太郎"_s;
        night.cur_sheet().hcp = 15;
        night.INIT();
        c.show_sheet();
    }
    // Puts codes straight into the sheet (as if entered earlier) and shows it.
    void prepare(const std::vector<std::pair<int, int>> &slots)
    {
        Score_rec &s = night.cur_sheet();
        Mark_texts marks;
        for (auto [slot, code] : slots) {
            s.mark_cd[size_t(slot)] = std::uint8_t(code);
            s.mark_txt[size_t(slot)] = marks.caption(code);
        }
        c.show_sheet();
    }
    int code(int slot) { return night.cur_sheet().mark_cd[size_t(slot)]; }
    QString box(int slot) { return night.screen.Txt_MARK[size_t(slot)]; }
    QString score(int i) { return night.screen.Txt_SCORE[size_t(i)]; }
    void type(const QString &keys)
    {
        for (QChar ch : keys)
            c.key_press(ch.unicode());
    }
};

// slot, what the sheet holds before, the code entered, accepted?, focus after.
struct Ball_case
{
    const char *name;
    std::vector<std::pair<int, int>> before;
    int slot;
    int code;
    bool accepted;
    int focus_after;
};

class Check_and_advance : public Entry, public ::testing::WithParamInterface<Ball_case>
{};

TEST_P(Check_and_advance, accepts_or_refuses_and_moves_on)
{
    const Ball_case &t = GetParam();
    prepare(t.before);
    c.focus(t.slot);
    ASSERT_EQ(night.cur_slot, t.slot);
    c.Cmd_MARK(t.code);
    if (t.accepted) {
        EXPECT_EQ(code(t.slot), t.code);
        EXPECT_NE(box(t.slot), empty_slot_text());
    } else {
        EXPECT_EQ(code(t.slot), E);
        EXPECT_EQ(box(t.slot), empty_slot_text());
        EXPECT_EQ(night.next_slot, t.slot);
    }
    EXPECT_EQ(c.focus_slot(), t.focus_after);
    EXPECT_EQ(night.cur_slot, t.focus_after);
    EXPECT_TRUE(desktop.messages().empty());
}

const std::vector<std::pair<int, int>> open9 = {{0, 9}, {1, MISS}, {2, 9}, {3, MISS}, {4, 9}, {5, MISS},
                                                {6, 9}, {7, MISS}, {8, 9}, {9, MISS}, {10, 9}, {11, MISS},
                                                {12, 9}, {13, MISS}, {14, 9}, {15, MISS}, {16, 9}, {17, MISS}};
std::vector<std::pair<int, int>> with(std::vector<std::pair<int, int>> v, std::vector<std::pair<int, int>> more)
{
    v.insert(v.end(), more.begin(), more.end());
    return v;
}

INSTANTIATE_TEST_SUITE_P(
    Balls, Check_and_advance,
    ::testing::Values(
        // first ball of frames 1..9
        Ball_case{"first_strike_jumps", {}, 0, X, true, 2},
        Ball_case{"first_strike_frame9", {}, 16, X, true, 18},
        Ball_case{"first_miss", {}, 0, MISS, false, 0},
        Ball_case{"first_spare", {}, 4, SP, false, 4},
        Ball_case{"first_empty", {}, 4, E, false, 4},
        Ball_case{"first_gutter", {}, 0, 0, true, 1},
        Ball_case{"first_count", {}, 2, 7, true, 3},
        Ball_case{"first_foul", {}, 2, F, true, 3},
        // second ball of frames 1..9
        Ball_case{"second_gutter", {{0, 5}}, 1, 0, false, 1},
        Ball_case{"second_strike", {{0, 5}}, 1, X, false, 1},
        Ball_case{"second_spare", {{0, 5}}, 1, SP, true, 2},
        Ball_case{"second_spare_after_strike", {{0, X}}, 1, SP, false, 1},
        Ball_case{"second_miss", {{0, 5}}, 1, MISS, true, 2},
        Ball_case{"second_miss_after_strike", {{0, X}}, 1, MISS, false, 1},
        Ball_case{"second_foul", {{2, 5}}, 3, F, true, 4},
        Ball_case{"second_foul_after_strike", {{2, X}}, 3, F, false, 3},
        Ball_case{"seven_then_three", {{0, 7}}, 1, 3, false, 1},
        Ball_case{"seven_then_two", {{0, 7}}, 1, 2, true, 2},
        Ball_case{"nine_then_nine", {{0, 9}}, 1, 9, false, 1},
        Ball_case{"count_after_miss_first", {{0, MISS}}, 1, 9, true, 2},
        Ball_case{"count_after_foul_first", {{0, F}}, 1, 9, true, 2},
        Ball_case{"count_after_empty_first", {}, 1, 9, true, 2},
        Ball_case{"nine_after_strike", {{0, X}}, 1, 9, false, 1},
        // slot 18
        Ball_case{"s18_strike", open9, 18, X, true, 19},
        Ball_case{"s18_miss", open9, 18, MISS, false, 18},
        Ball_case{"s18_spare", open9, 18, SP, false, 18},
        Ball_case{"s18_count", open9, 18, 6, true, 19},
        Ball_case{"s18_foul", open9, 18, F, true, 19},
        // slot 19 after a strike in 18
        Ball_case{"s19X_strike", with(open9, {{18, X}}), 19, X, true, 20},
        Ball_case{"s19X_miss", with(open9, {{18, X}}), 19, MISS, false, 19},
        Ball_case{"s19X_spare", with(open9, {{18, X}}), 19, SP, false, 19},
        Ball_case{"s19X_count", with(open9, {{18, X}}), 19, 9, true, 20},
        Ball_case{"s19X_foul", with(open9, {{18, X}}), 19, F, true, 20},
        // slot 19 without a strike in 18
        Ball_case{"s19_spare", with(open9, {{18, 6}}), 19, SP, true, 20},
        Ball_case{"s19_gutter", with(open9, {{18, 6}}), 19, 0, false, 19},
        Ball_case{"s19_strike", with(open9, {{18, 6}}), 19, X, false, 19},
        Ball_case{"s19_six_four", with(open9, {{18, 6}}), 19, 4, false, 19},
        Ball_case{"s19_six_three", with(open9, {{18, 6}}), 19, 3, true, 19},
        Ball_case{"s19_miss", with(open9, {{18, 6}}), 19, MISS, true, 19},
        // a foul on 19 of an open frame goes on to 20, which has no ball and sends the focus to 18
        Ball_case{"s19_foul", with(open9, {{18, 6}}), 19, F, true, 18},
        // slot 20 after two strikes
        Ball_case{"s20XX_strike", with(open9, {{18, X}, {19, X}}), 20, X, true, 20},
        Ball_case{"s20XX_count", with(open9, {{18, X}, {19, X}}), 20, 7, true, 20},
        Ball_case{"s20XX_foul", with(open9, {{18, X}, {19, X}}), 20, F, true, 20},
        Ball_case{"s20XX_miss", with(open9, {{18, X}, {19, X}}), 20, MISS, false, 20},
        Ball_case{"s20XX_spare", with(open9, {{18, X}, {19, X}}), 20, SP, false, 20},
        // slot 20 after a strike and a count
        Ball_case{"s20X9_spare", with(open9, {{18, X}, {19, 9}}), 20, SP, true, 20},
        Ball_case{"s20X9_strike", with(open9, {{18, X}, {19, 9}}), 20, X, false, 20},
        Ball_case{"s20X9_gutter", with(open9, {{18, X}, {19, 9}}), 20, 0, false, 20},
        Ball_case{"s20X7_three", with(open9, {{18, X}, {19, 7}}), 20, 3, false, 20},
        Ball_case{"s20X7_two", with(open9, {{18, X}, {19, 7}}), 20, 2, true, 20},
        Ball_case{"s20X7_miss", with(open9, {{18, X}, {19, 7}}), 20, MISS, true, 20},
        Ball_case{"s20X7_foul", with(open9, {{18, X}, {19, 7}}), 20, F, true, 20},
        // slot 20 after a spare in 19
        Ball_case{"s20sp_strike", with(open9, {{18, 6}, {19, SP}}), 20, X, true, 20},
        Ball_case{"s20sp_count", with(open9, {{18, 6}, {19, SP}}), 20, 8, true, 20},
        Ball_case{"s20sp_foul", with(open9, {{18, 6}, {19, SP}}), 20, F, true, 20},
        Ball_case{"s20sp_miss", with(open9, {{18, 6}, {19, SP}}), 20, MISS, false, 20},
        Ball_case{"s20sp_spare", with(open9, {{18, 6}, {19, SP}}), 20, SP, false, 20}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Entry, a_third_ball_of_an_open_frame_10_cannot_even_get_the_focus)
{
    prepare(with(open9, {{18, 5}, {19, 3}}));
    c.focus(20);
    EXPECT_EQ(c.focus_slot(), 18);  // no third ball: back to the first ball of frame 10
    EXPECT_EQ(night.fl, 9);
}

TEST_F(Entry, a_strike_empties_the_second_slot_of_its_frame)
{
    prepare({{0, 5}, {1, 4}});
    c.focus(0);
    c.Cmd_MARK(X);
    EXPECT_EQ(code(1), E);
    EXPECT_EQ(box(1), empty_slot_text());
    EXPECT_EQ(night.cur_sheet().pin_bits[0], 0);
    EXPECT_EQ(c.focus_slot(), 2);
}

TEST_F(Entry, a_count_after_two_strikes_in_frame_10_leaves_slot_20_empty)
{
    prepare(with(open9, {{18, X}, {20, 5}}));
    c.focus(19);
    c.Cmd_MARK(9);
    EXPECT_EQ(c.focus_slot(), 20);
    EXPECT_EQ(code(20), E);
    EXPECT_EQ(box(20), empty_slot_text());
    c.Cmd_MARK(SP);
    EXPECT_EQ(code(20), SP);
    EXPECT_EQ(score(10), QString::number(81 + 20));
}

TEST_F(Entry, an_open_frame_10_empties_slot_20)
{
    prepare(with(open9, {{18, 6}, {19, SP}, {20, 8}}));
    c.focus(19);
    c.Cmd_MARK(3);
    EXPECT_EQ(code(20), E);
    EXPECT_EQ(box(20), empty_slot_text());
    EXPECT_EQ(score(10), u"90"_s);
    c.focus(20);  // any third ball is out of reach now
    EXPECT_EQ(c.focus_slot(), 18);
}

TEST_F(Entry, a_foul_on_slot_19_keeps_its_kind_when_a_count_replaces_it)
{
    prepare(with(open9, {{18, X}}));
    c.focus(19);
    c.Cmd_MARK(F);
    EXPECT_EQ(night.cur_sheet().mark_kind[19], kind_foul);
    c.focus(19);
    c.Cmd_MARK(4);
    EXPECT_EQ(code(19), 4);
    EXPECT_EQ(night.cur_sheet().mark_kind[19], kind_foul);
    // on a first ball a later count is plain again
    c.focus(0);
    c.Cmd_MARK(F);
    c.focus(0);
    c.Cmd_MARK(4);
    EXPECT_EQ(night.cur_sheet().mark_kind[0], kind_plain);
}

TEST_F(Entry, a_refused_ball_takes_back_what_the_slot_held_and_rescoring_follows)
{
    prepare({{0, 7}, {1, 2}});
    EXPECT_EQ(score(1), u"9"_s);
    c.focus(1);
    c.Cmd_MARK(3);  // 7 and 3 must be a spare
    EXPECT_EQ(code(1), E);
    EXPECT_EQ(score(1), u"7"_s);
    EXPECT_EQ(c.focus_slot(), 1);
    EXPECT_EQ(desktop.beeps(), 0);
}

TEST_F(Entry, every_accepted_ball_reruns_the_calculation)
{
    const std::vector<std::pair<int, QString>> balls = {
        {X, u"10"_s}, {7, u"17"_s}, {SP, u"20"_s}, {9, u"48"_s}, {MISS, u"48"_s}};
    // running score of frame 1 after each ball, then frame 3
    for (std::size_t i = 0; i < balls.size(); ++i) {
        c.Cmd_MARK(balls[i].first);
        const int frame = i < 3 ? 1 : 3;
        EXPECT_EQ(score(frame), balls[i].second) << "ball " << i;
    }
    EXPECT_EQ(score(2), u"39"_s);
    EXPECT_EQ(score(0), u"63"_s);
    EXPECT_EQ(score(11), u"15"_s);
    EXPECT_EQ(box(0), u"＊"_s);
    EXPECT_EQ(box(3), u"／"_s);
    EXPECT_EQ(box(5), u"－"_s);
}

TEST_F(Entry, a_mark_erases_the_pin_pattern_of_the_rack_now_entered)
{
    Score_rec &s = night.cur_sheet();
    s.pin_bits[0] = 5;
    s.pin_bits[1] = 1;
    c.set_shp_Pin_colour(3, 0xFFFFFF);
    c.Cmd_MARK(7);  // the focus stays in frame 1
    EXPECT_EQ(s.pin_bits[0], no_pattern);
    EXPECT_EQ(s.pin_bits[1], no_pattern);
    EXPECT_EQ(c.shp_Pin_colour(3), Entry_controller::grey);
}

TEST_F(Entry, keys_type_marks_and_every_key_goes_to_label3)
{
    type(u"9-8/X"_s);  // X is no mark key: ignored
    EXPECT_EQ(c.Label3(), u"88"_s);
    EXPECT_EQ(code(0), 9);
    EXPECT_EQ(code(1), MISS);
    EXPECT_EQ(code(2), 8);
    EXPECT_EQ(code(3), SP);
    EXPECT_EQ(c.focus_slot(), 4);
    type(u"."_s);  // the period is no foul key
    EXPECT_EQ(c.Label3(), u"46"_s);
    EXPECT_EQ(code(4), E);
    type(u"*"_s);
    EXPECT_EQ(code(4), X);
    type(u"f"_s);
    EXPECT_EQ(code(6), F);
    type(u"p"_s);
    EXPECT_EQ(code(7), SP);
    type(u"g"_s);
    EXPECT_EQ(code(8), 0);
    type(u"0"_s);  // a gutter on a second ball is refused
    EXPECT_EQ(code(9), E);
    EXPECT_EQ(c.focus_slot(), 9);
}

TEST_F(Entry, plus_toggles_the_split_flag)
{
    type(u"7"_s);
    c.focus(0);
    type(u"+"_s);
    EXPECT_TRUE(night.screen.split[0]);
    EXPECT_EQ(night.cur_sheet().mark_kind[0], kind_split);
    c.Cmd_KEISAN();
    EXPECT_EQ(box(0), u"7s"_s);
    type(u"+"_s);
    EXPECT_FALSE(night.screen.split[0]);
}

TEST_F(Entry, key_release_table)
{
    using K = Move_request::Kind;
    struct Case
    {
        int key;
        Qt::KeyboardModifiers mods;
        Move_request expected;
    };
    const std::vector<Case> cases = {
        {Qt::Key_PageUp, Qt::NoModifier, {K::Pct_moveGAM, 1}},
        {Qt::Key_PageDown, Qt::NoModifier, {K::Pct_moveGAM, 0}},
        {Qt::Key_Up, Qt::NoModifier, {K::Pct_moveSEN, 0}},
        {Qt::Key_Down, Qt::KeypadModifier, {K::Pct_moveSEN, 1}},
        {Qt::Key_Left, Qt::NoModifier, {K::Pct_moveSEN, 2}},
        {Qt::Key_Right, Qt::NoModifier, {K::Pct_moveSEN, 3}},
        {Qt::Key_Up, Qt::ShiftModifier, {}},
        {Qt::Key_PageUp, Qt::ControlModifier, {}},
        {Qt::Key_Left, Qt::ControlModifier, {}},
        {Qt::Key_A, Qt::NoModifier, {}},
        {Qt::Key_Left, Qt::ShiftModifier, {}},
    };
    for (const Case &t : cases)
        EXPECT_EQ(c.key_release(t.key, t.mods), t.expected) << t.key;
}

TEST_F(Entry, shift_arrows_move_by_ball_within_0_to_20)
{
    c.key_release(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(c.focus_slot(), 1);
    c.key_release(Qt::Key_Left, Qt::ShiftModifier);
    c.key_release(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(c.focus_slot(), 0);
    c.focus(19);
    c.cmd_moveflame2(1);
    EXPECT_EQ(c.focus_slot(), 18);  // frame 10 is not a strike or spare: slot 20 hands on to 18
    c.key_release(Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(c.focus_slot(), 18);
    prepare(with(open9, {{18, X}, {19, X}}));
    c.focus(20);
    c.cmd_moveflame2(1);
    EXPECT_EQ(night.next_slot, 20);
    EXPECT_EQ(c.focus_slot(), 20);
}

TEST_F(Entry, focus_rules_of_the_slot_boxes)
{
    prepare({{0, 8}, {1, 1}, {2, 7}});
    c.focus(2);
    EXPECT_EQ(night.cur_slot, 2);
    EXPECT_EQ(night.next_slot, 2);
    EXPECT_EQ(c.Pct_flame_colour(1), Entry_controller::white);
    EXPECT_EQ(c.Pct_flame_colour(0), Entry_controller::grey);
    // a box losing the focus shows its ball's text again
    night.screen.Txt_MARK[2] = u"?"_s;
    c.focus(5);
    EXPECT_EQ(box(2), u"７"_s);
    EXPECT_EQ(c.Pct_flame_colour(2), Entry_controller::white);
    // the parking slot hands the focus to slot 0
    c.focus(21);
    EXPECT_EQ(c.focus_slot(), 0);
    EXPECT_EQ(night.cur_slot, 0);
    // a click remembers the slot below 20 only
    c.slot_click(7);
    EXPECT_EQ(night.next_slot, 7);
    c.slot_click(20);
    EXPECT_EQ(night.next_slot, 7);
}

TEST_F(Entry, a_split_flag_shows_its_split_text_when_the_box_loses_the_focus)
{
    prepare({{0, 8}});
    c.focus(0);
    c.Cmd_spl();
    c.focus(1);
    EXPECT_EQ(box(0), u"8s"_s);
}

TEST_F(Entry, frame_pictures_jump_to_their_first_ball)
{
    c.Pct_flame_click(4);
    EXPECT_EQ(c.focus_slot(), 8);
    prepare(with(open9, {{18, X}}));
    c.Pct_flame_click(10);
    EXPECT_EQ(c.focus_slot(), 19);
    EXPECT_EQ(night.fl, 10);
    c.Pct_flame_click(11);  // not two strikes: beep and stay
    EXPECT_EQ(desktop.beeps(), 1);
    EXPECT_EQ(c.focus_slot(), 19);
    prepare(with(open9, {{18, X}, {19, X}}));
    c.Pct_flame_click(11);
    EXPECT_EQ(c.focus_slot(), 20);
    EXPECT_EQ(night.fl, 11);
    EXPECT_EQ(c.Pct_flame_colour(11), Entry_controller::white);
}

TEST_F(Entry, the_extension_picture_of_an_open_frame_10_leads_back_to_slot_18)
{
    prepare(with(open9, {{18, 4}, {19, 4}}));
    c.Pct_flame_click(10);
    EXPECT_EQ(c.focus_slot(), 18);
}

TEST_F(Entry, showing_a_sheet_puts_the_focus_on_the_first_empty_ball)
{
    std::vector<std::pair<int, int>> strikes;
    for (int k = 0; k <= 14; k += 2)
        strikes.push_back({k, X});
    prepare(strikes);
    EXPECT_EQ(c.focus_slot(), 16);
    EXPECT_EQ(c.Txt_SEN(), u"山田太郎"_s);
    EXPECT_EQ(c.Txt_junban(), u"1"_s);
    EXPECT_EQ(c.Txt_GAM(), u"1"_s);
}

TEST_F(Entry, mark_mode_is_the_only_mode_until_the_pin_keypad_exists)
{
    QTemporaryDir dir;
    config::SettingsStore store(dir.filePath(u"p.ini"_s));
    store.set(u"form"_s, u"MAIN_MODE"_s, u"0"_s);
    c.load(store);
    EXPECT_EQ(c.mode(), Entry_controller::Mode::mark);
    EXPECT_FALSE(c.Cmd_Mode_enabled());
    c.Cmd_Mode();
    EXPECT_EQ(c.Frame_Mode_caption(), u"マーク入力"_s);
    EXPECT_EQ(c.mark_keypad_shift(), 0);
    EXPECT_EQ(c.pin_keypad_shift(), 4000);
    c.unload(store);
    EXPECT_EQ(store.get(u"Form"_s, u"main_mode"_s), u"1"_s);
}

TEST_F(Entry, the_mode_switch_moves_the_unused_keypad_away)
{
    QTemporaryDir dir;
    config::SettingsStore store(dir.filePath(u"p.ini"_s));
    c.set_pin_keypad_available(true);
    store.set(u"Form"_s, u"main_mode"_s, u"0"_s);
    c.load(store);
    EXPECT_EQ(c.mode(), Entry_controller::Mode::pin);
    EXPECT_EQ(c.Frame_Mode_caption(), u" ピン入力 "_s);
    EXPECT_EQ(c.mark_keypad_shift(), 4000);
    EXPECT_EQ(c.pin_keypad_shift(), 0);
    type(u"7"_s);  // marks are not typed in pin mode
    EXPECT_EQ(code(0), E);
    EXPECT_EQ(c.Label3(), u"55"_s);
    c.unload(store);
    EXPECT_EQ(store.get(u"Form"_s, u"main_mode"_s), u"0"_s);
    c.Cmd_Mode();
    EXPECT_EQ(c.mode(), Entry_controller::Mode::mark);
    c.unload(store);
    EXPECT_EQ(store.get(u"Form"_s, u"main_mode"_s), u"1"_s);
}

TEST_F(Entry, keypad_captions_follow_the_marks_of_the_settings)
{
    auto marks = Mark_texts::default_spear_marks();
    marks[9] = u"◢"_s;
    marks[10] = u"Ｘ"_s;
    c.set_marks(Mark_texts(marks));
    EXPECT_EQ(c.Cmd_MARK_caption(SP), u"◢"_s);
    EXPECT_EQ(c.Cmd_MARK_caption(X), u"Ｘ"_s);
    EXPECT_EQ(c.Cmd_MARK_caption(E), empty_slot_text());
    EXPECT_EQ(Entry_controller::Cmd_MARK_tooltip(MISS), u"スルー (- or 0)"_s);
    EXPECT_EQ(Entry_controller::Cmd_MARK_tooltip(F), u"ファウル (F or ピリオド)"_s);
    c.Cmd_MARK(X);
    EXPECT_EQ(box(0), u"Ｘ"_s);
}

} // namespace
