#include "scoring/split_table.h"

#include "sheet_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

using namespace Qt::StringLiterals;
using namespace scoring;
using scoring_test::Sheet_builder;

namespace {

constexpr int X = code_strike, SP = code_spare;

const std::vector<int> never_splits = { 50, 58, 130, 260, 302, 426, 430, 466, 682, 686, 794, 810, 814, 838,
    840, 842, 846, 866, 892, 932, 982, 986, 1002, 1008 };

int bit(int pin)
{
    return 1 << (pin - 1);
}

// The split rule worked out pin by pin: head pin down, two or more pins
// standing in two or more groups of diagonal neighbours, not an exception.
bool split_by_rule(int pattern)
{
    if (pattern & bit(1)) return false;
    std::vector<int> standing;
    for (int pin = 1; pin <= 10; ++pin)
        if (pattern & bit(pin)) standing.push_back(pin);
    if (standing.size() < 2) return false;
    static const int pairs[][2] = { { 1, 2 }, { 1, 3 }, { 2, 4 }, { 2, 5 }, { 3, 5 }, { 3, 6 }, { 4, 7 },
        { 4, 8 }, { 5, 8 }, { 5, 9 }, { 6, 9 }, { 6, 10 } };
    std::vector<int> group(11);
    std::iota(group.begin(), group.end(), 0);
    const auto root = [&group](int p) {
        while (group[std::size_t(p)] != p)
            p = group[std::size_t(p)];
        return p;
    };
    for (const auto &pair : pairs)
        if ((pattern & bit(pair[0])) && (pattern & bit(pair[1])))
            group[std::size_t(root(pair[0]))] = root(pair[1]);
    std::vector<int> roots;
    for (int pin : standing)
        roots.push_back(root(pin));
    std::sort(roots.begin(), roots.end());
    const auto groups = std::unique(roots.begin(), roots.end()) - roots.begin();
    if (groups < 2) return false;
    return std::find(never_splits.begin(), never_splits.end(), pattern) == never_splits.end();
}

TEST(SplitTable, HoldsExactlyThePatternsOfTheRule)
{
    const auto table = split_patterns();
    EXPECT_EQ(table.size(), 365u);
    EXPECT_TRUE(std::is_sorted(table.begin(), table.end()));
    EXPECT_EQ(table.front(), 6);
    EXPECT_EQ(table.back(), 1014);
    std::vector<int> by_rule;
    for (int p = 0; p < 1024; ++p)
        if (split_by_rule(p)) by_rule.push_back(p);
    EXPECT_EQ(std::vector<int>(table.begin(), table.end()), by_rule);
}

TEST(SplitTable, NoExceptionAndNoHeadPin)
{
    for (int p : never_splits)
        EXPECT_FALSE(is_split_pattern(p)) << p;
    for (int p : split_patterns())
        EXPECT_EQ(p & 1, 0) << p;
    for (int p = 1; p < 1024; p += 2)
        EXPECT_FALSE(is_split_pattern(p)) << p;
}

TEST(SplitTable, Examples)
{
    EXPECT_TRUE(is_split_pattern(6)); // 2-3
    EXPECT_TRUE(is_split_pattern(40)); // 4-6
    EXPECT_TRUE(is_split_pattern(bit(7) | bit(10)));
    EXPECT_FALSE(is_split_pattern(130)); // 2-8
    EXPECT_FALSE(is_split_pattern(260)); // 3-9
    EXPECT_FALSE(is_split_pattern(bit(2) | bit(4))); // neighbours
    EXPECT_FALSE(is_split_pattern(bit(7))); // one pin
    EXPECT_FALSE(is_split_pattern(0));
    EXPECT_FALSE(is_split_pattern(no_pattern));
    EXPECT_FALSE(is_split_pattern(1024 + 6));
}

TEST(CmdSpl, TogglesFlagAndKind)
{
    Sheet_builder b;
    b.night.cur_slot = 4;
    b.night.Cmd_spl();
    EXPECT_TRUE(b.night.screen.split[4]);
    EXPECT_EQ(b.night.screen.back_colour(4), split_back_colour);
    EXPECT_EQ(b.sheet().mark_kind[4], kind_split);
    b.night.Cmd_spl();
    EXPECT_FALSE(b.night.screen.split[4]);
    EXPECT_EQ(b.night.screen.back_colour(4), plain_back_colour);
    EXPECT_EQ(b.sheet().mark_kind[4], kind_plain);
}

struct Split_check_case
{
    std::int32_t pattern;
    bool pink_before;
    bool pink_after;
    int kind_after;
};

class SplitCheck : public ::testing::TestWithParam<Split_check_case>
{
};

TEST_P(SplitCheck, FlagAgreesWithPattern)
{
    const auto &c = GetParam();
    Sheet_builder b;
    b.night.cur_slot = 2;
    b.sheet().pin_bits[2] = c.pattern;
    b.night.screen.split[2] = c.pink_before;
    b.sheet().mark_kind[2] = kind_not_set;
    b.night.split_check();
    EXPECT_EQ(b.night.screen.split[2], c.pink_after);
    EXPECT_EQ(b.sheet().mark_kind[2], c.kind_after);
}

INSTANTIATE_TEST_SUITE_P(Patterns, SplitCheck,
    ::testing::Values(Split_check_case { 40, false, true, kind_split },
        Split_check_case { 130, true, false, kind_plain },
        Split_check_case { no_pattern, true, false, kind_plain },
        Split_check_case { 40, true, true, kind_not_set },
        Split_check_case { 130, false, false, kind_not_set }));

// --- split flags during the calculation --------------------------------------

struct Flag_case
{
    const char *name;
    std::vector<std::pair<int, int>> slots;
    int flagged;
    bool stays;
};

class SplitFlagInCalculation : public ::testing::TestWithParam<Flag_case>
{
};

TEST_P(SplitFlagInCalculation, RemovedWhereItCannotBeRight)
{
    const auto &c = GetParam();
    Sheet_builder b;
    for (const auto &[slot, code] : c.slots)
        b.put(slot, code);
    b.flag_split(c.flagged);
    b.calculate();
    EXPECT_EQ(b.night.screen.split[std::size_t(c.flagged)], c.stays);
}

INSTANTIATE_TEST_SUITE_P(Slots, SplitFlagInCalculation,
    ::testing::Values(Flag_case { "FirstBallSeven", { { 0, 7 }, { 1, 1 } }, 0, true },
        Flag_case { "FirstBallGutter", { { 2, code_gutter }, { 3, 4 } }, 2, false },
        Flag_case { "FirstBallFoul", { { 2, code_foul }, { 3, 4 } }, 2, false },
        Flag_case { "SecondBall", { { 0, 3 }, { 1, 5 } }, 1, false },
        Flag_case { "FrameTenFirstBall", { { 18, 4 }, { 19, 2 } }, 18, true },
        Flag_case { "SlotNineteenAfterStrike", { { 18, X }, { 19, 6 }, { 20, 2 } }, 19, true },
        Flag_case { "SlotNineteenNoStrike", { { 18, 5 }, { 19, 3 } }, 19, false },
        Flag_case { "SlotNineteenSecondStrike", { { 18, X }, { 19, X }, { 20, 5 } }, 19, false },
        Flag_case { "SlotTwentyAfterSpare", { { 18, 6 }, { 19, SP }, { 20, 4 } }, 20, true },
        Flag_case { "SlotTwentyAfterTwoStrikes", { { 18, X }, { 19, X }, { 20, 4 } }, 20, true },
        Flag_case { "SlotTwentySecondBallOfRack", { { 18, X }, { 19, 3 }, { 20, 4 } }, 20, false },
        Flag_case { "SlotTwentyNine", { { 18, 6 }, { 19, SP }, { 20, 9 } }, 20, false }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SplitInCalculation, SplitTextAndKind)
{
    Sheet_builder b;
    b.put({ { 0, 7 }, { 1, 2 } });
    b.flag_split(0);
    EXPECT_EQ(b.calculate(), Calc_result::done);
    EXPECT_EQ(b.sheet().mark_kind[0], kind_split);
    EXPECT_EQ(b.sheet().mark_txt[0], u"7s"_s);
    EXPECT_EQ(b.night.screen.Txt_MARK[0], u"7s"_s);
    EXPECT_EQ(b.sheet().fl_score[1], 9);
}

TEST(SplitInCalculation, FlaggedStrikeLosesTheFlag)
{
    Sheet_builder b;
    b.put(0, X);
    b.flag_split(0);
    EXPECT_EQ(b.calculate(), Calc_result::done);
    EXPECT_FALSE(b.night.screen.split[0]);
    EXPECT_EQ(b.sheet().mark_kind[0], kind_strike);
    EXPECT_EQ(b.night.screen.Txt_MARK[0], u"＊"_s);
}

TEST(SplitInCalculation, FlaggedNineIsEmptiedAndFocusPutBack)
{
    Sheet_builder b;
    b.put({ { 0, 4 }, { 1, 3 }, { 2, 9 }, { 3, code_miss }, { 4, 6 } });
    b.flag_split(2);
    b.night.screen.Txt_MARK[4] = u"6"_s; // later slots are not rewritten
    b.night.set_focus(5);
    b.night.next_slot = 7;
    EXPECT_EQ(b.calculate(), Calc_result::split_emptied);
    const Score_rec &s = b.sheet();
    EXPECT_EQ(s.mark_cd[2], code_empty);
    EXPECT_EQ(s.mark_kind[2], kind_plain);
    EXPECT_EQ(s.mark_txt[2], empty_slot_text());
    EXPECT_EQ(b.night.screen.Txt_MARK[2], empty_slot_text());
    EXPECT_FALSE(b.night.screen.split[2]);
    EXPECT_EQ(b.night.screen.Txt_MARK[0], u"４"_s);
    EXPECT_EQ(b.night.screen.Txt_MARK[4], u"6"_s);
    EXPECT_EQ(b.night.screen.focus_slot, 5);
    EXPECT_EQ(b.night.cur_slot, 5);
    EXPECT_EQ(b.night.next_slot, 5);
    // The next calculation scores the sheet without the dropped ball.
    EXPECT_EQ(b.calculate(), Calc_result::done);
    EXPECT_EQ(s.fl_score[10], 13);
}

} // namespace
