#include "sheet_builder.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;
using namespace scoring;
using scoring_test::Sheet_builder;

namespace {

constexpr int X = code_strike, SP = code_spare, MISS = code_miss, F = code_foul;

using Running = std::array<int, 10>;

Running running_scores(const Score_rec &s)
{
    Running r {};
    for (int f = 1; f <= 10; ++f)
        r[std::size_t(f - 1)] = s.fl_score[std::size_t(f)];
    return r;
}

struct Calc_case
{
    const char *name;
    std::vector<std::pair<int, int>> slots; // slot, code
    Running running;
};

class Calculation : public ::testing::TestWithParam<Calc_case>
{
};

TEST_P(Calculation, RunningScores)
{
    Sheet_builder b;
    for (const auto &[slot, code] : GetParam().slots)
        b.put(slot, code);
    ASSERT_EQ(b.calculate(), Calc_result::done);
    EXPECT_EQ(running_scores(b.sheet()), GetParam().running);
    for (int f = 1; f <= 10; ++f)
        EXPECT_EQ(b.night.screen.Txt_SCORE[std::size_t(f)],
            QString::number(GetParam().running[std::size_t(f - 1)]));
}

std::vector<std::pair<int, int>> perfect_game()
{
    std::vector<std::pair<int, int>> slots;
    for (int k = 0; k <= 16; k += 2)
        slots.push_back({ k, X });
    slots.insert(slots.end(), { { 18, X }, { 19, X }, { 20, X } });
    return slots;
}

INSTANTIATE_TEST_SUITE_P(Sheets, Calculation,
    ::testing::Values(Calc_case { "WorkedExample", { { 0, X }, { 2, 7 }, { 3, SP }, { 4, 9 }, { 5, MISS } },
                          { 20, 39, 48, 48, 48, 48, 48, 48, 48, 48 } },
        Calc_case { "PerfectGame", perfect_game(), { 30, 60, 90, 120, 150, 180, 210, 240, 270, 300 } },
        Calc_case { "AllEmpty", {}, { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 } },
        Calc_case { "StrikeInEightThenStrikeInNine", { { 14, X }, { 16, X }, { 18, 5 }, { 19, 3 } },
            { 0, 0, 0, 0, 0, 0, 0, 25, 43, 51 } },
        Calc_case { "StrikeInEightThenOpenNine", { { 14, X }, { 16, 3 }, { 17, 4 } },
            { 0, 0, 0, 0, 0, 0, 0, 17, 24, 24 } },
        Calc_case { "StrikeInEightThenSpareInNine",
            { { 14, X }, { 16, 3 }, { 17, SP }, { 18, 6 }, { 19, MISS } },
            { 0, 0, 0, 0, 0, 0, 0, 20, 36, 42 } },
        Calc_case { "StrikeInNineThenThreeStrikes", { { 16, X }, { 18, X }, { 19, X }, { 20, X } },
            { 0, 0, 0, 0, 0, 0, 0, 0, 30, 60 } },
        Calc_case { "StrikeInNineThenStrikeAndFour", { { 16, X }, { 18, X }, { 19, 4 }, { 20, 2 } },
            { 0, 0, 0, 0, 0, 0, 0, 0, 24, 40 } },
        Calc_case { "SpareInNine", { { 16, 8 }, { 17, SP }, { 18, 7 }, { 19, 1 } },
            { 0, 0, 0, 0, 0, 0, 0, 0, 17, 25 } },
        Calc_case { "FoulThenSpare", { { 0, F }, { 1, SP }, { 2, 4 }, { 3, MISS } },
            { 14, 18, 18, 18, 18, 18, 18, 18, 18, 18 } },
        Calc_case { "GutterThenSpare", { { 0, code_gutter }, { 1, SP }, { 2, 6 }, { 3, 1 } },
            { 16, 23, 23, 23, 23, 23, 23, 23, 23, 23 } },
        Calc_case { "SpareInSlot20AfterStrikeAndSeven", { { 18, X }, { 19, 7 }, { 20, SP } },
            { 0, 0, 0, 0, 0, 0, 0, 0, 0, 20 } },
        Calc_case { "SixSpareEightInFrameTen", { { 18, 6 }, { 19, SP }, { 20, 8 } },
            { 0, 0, 0, 0, 0, 0, 0, 0, 0, 18 } },
        Calc_case {
            "SpareInSlotZeroCountsTen", { { 0, SP }, { 2, 3 } }, { 13, 16, 16, 16, 16, 16, 16, 16, 16, 16 } },
        Calc_case { "FoulsAndMissesCountNothing",
            { { 0, F }, { 1, 5 }, { 2, 3 }, { 3, F }, { 4, 4 }, { 5, MISS } },
            { 5, 8, 12, 12, 12, 12, 12, 12, 12, 12 } }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CalculationTotal, WorkedExampleWithHandicap)
{
    Sheet_builder b;
    b.sheet().hcp = 15;
    b.put({ { 0, X }, { 2, 7 }, { 3, SP }, { 4, 9 }, { 5, MISS } });
    b.calculate();
    EXPECT_EQ(b.sheet().fl_score[0], 63);
    EXPECT_EQ(b.night.screen.Txt_SCORE[11], u"15"_s);
    EXPECT_EQ(b.night.screen.Txt_SCORE[0], u"63"_s);
}

TEST(CalculationTotal, EmptySheetTotalsTheHandicap)
{
    Sheet_builder b;
    b.sheet().hcp = -7;
    b.calculate();
    EXPECT_EQ(b.sheet().fl_score[0], -7);
    EXPECT_EQ(b.night.screen.Txt_SCORE[0], u"-7"_s);
    EXPECT_EQ(b.night.screen.Txt_SCORE[10], u"0"_s);
}

TEST(CalculationTexts, SlotTextsDecideEmptinessAndAreRewritten)
{
    Sheet_builder b;
    b.put({ { 0, 7 }, { 1, 2 }, { 2, 5 } });
    b.night.screen.Txt_MARK[0] = u"7"_s; // not the canonical text of code 7
    b.night.screen.Txt_MARK[2] = empty_slot_text(); // box emptied: code 5 no longer counts
    b.calculate();
    const Score_rec &s = b.sheet();
    EXPECT_EQ(s.fl_score[10], 9);
    EXPECT_EQ(s.mark_cd[2], code_empty);
    EXPECT_EQ(s.mark_txt[0], u"７"_s);
    EXPECT_EQ(b.night.screen.Txt_MARK[0], u"７"_s);
    EXPECT_EQ(b.night.screen.Txt_MARK[1], u"２"_s);
    EXPECT_EQ(b.night.screen.Txt_MARK[2], empty_slot_text());
}

TEST(CalculationTexts, StrikeAndSpareTextsComeFromTheMarks)
{
    Sheet_builder b;
    std::array<QString, 11> own = Mark_texts::default_spear_marks();
    own[9] = u"Ｐ"_s;
    own[10] = u"Ｘ"_s;
    b.marks = Mark_texts(own);
    b.put({ { 0, X }, { 2, 4 }, { 3, SP } });
    b.calculate();
    EXPECT_EQ(b.night.screen.Txt_MARK[0], u"Ｘ"_s);
    EXPECT_EQ(b.night.screen.Txt_MARK[1], empty_slot_text());
    EXPECT_EQ(b.sheet().mark_txt[3], u"Ｐ"_s);
}

TEST(CalculationKinds, CodesSetKindsOthersKeepTheirs)
{
    Sheet_builder b;
    b.put({ { 0, X }, { 2, 4 }, { 3, SP }, { 4, F }, { 5, 3 } });
    b.sheet().mark_kind[5] = kind_plain;
    b.calculate();
    const Score_rec &s = b.sheet();
    EXPECT_EQ(s.mark_kind[0], kind_strike);
    EXPECT_EQ(s.mark_kind[1], kind_not_set);
    EXPECT_EQ(s.mark_kind[2], kind_not_set);
    EXPECT_EQ(s.mark_kind[3], kind_spare);
    EXPECT_EQ(s.mark_kind[4], kind_foul);
    EXPECT_EQ(s.mark_kind[5], kind_plain);
}

TEST(CalculationPosition, WorksOnTheSheetOnScreenOnly)
{
    Sheet_builder b;
    b.night.cur_sen = 3;
    b.night.cur_game = 2;
    b.sheet().reset_marks();
    b.put({ { 0, 4 }, { 1, 4 } });
    b.calculate();
    EXPECT_EQ(b.night.score_tbl(3, 2).fl_score[10], 8);
    EXPECT_EQ(b.night.score_tbl(0, 0).fl_score[10], 0);
    EXPECT_EQ(b.night.score_tbl(0, 0).mark_txt[0], empty_slot_text());
    EXPECT_EQ(b.night.score_tbl(3, 1).fl_score[10], 0);
}

TEST(CalculationPosition, SheetOutsideTheTableChangesNothing)
{
    Sheet_builder b;
    b.night.cur_game = b.night.max_game() + 1;
    EXPECT_EQ(b.calculate(), Calc_result::no_sheet);
}

// --- games typed as rolls, scored by an independent ten-pin scorer ---------

// Running score after each frame of a complete game given as knocked-down pins.
Running reference_scores(const std::vector<int> &rolls)
{
    Running r {};
    std::size_t i = 0;
    int total = 0;
    for (int f = 0; f < 10; ++f) {
        const auto roll = [&](std::size_t j) { return j < rolls.size() ? rolls[j] : 0; };
        if (roll(i) == 10) {
            total += 10 + roll(i + 1) + roll(i + 2);
            i += 1;
        } else if (roll(i) + roll(i + 1) == 10) {
            total += 10 + roll(i + 2);
            i += 2;
        } else {
            total += roll(i) + roll(i + 1);
            i += 2;
        }
        r[std::size_t(f)] = total;
    }
    return r;
}

// Mark codes of a complete game as mark entry accepts them. A ball of no pins
// becomes a foul when foul_zero says so, else a gutter (first ball of a rack)
// or a miss (second ball of a rack).
std::array<int, 21> to_codes(const std::vector<int> &rolls, const std::vector<bool> &foul_zero)
{
    std::array<int, 21> codes;
    codes.fill(code_empty);
    std::size_t i = 0;
    const auto first_ball = [&](std::size_t j) {
        const int pins = rolls[j];
        if (pins == 0) return foul_zero[j] ? int(F) : int(code_gutter);
        return pins;
    };
    const auto second_ball = [&](std::size_t j, int first) {
        const int pins = rolls[j];
        if (first + pins == 10) return int(SP);
        if (pins == 0) return foul_zero[j] ? int(F) : int(MISS);
        return pins;
    };
    for (int f = 0; f < 9; ++f) {
        codes[std::size_t(2 * f)] = first_ball(i);
        if (rolls[i] == 10) {
            i += 1;
            continue;
        }
        codes[std::size_t(2 * f + 1)] = second_ball(i + 1, rolls[i]);
        i += 2;
    }
    codes[18] = first_ball(i);
    if (rolls[i] == 10) {
        codes[19] = first_ball(i + 1);
        codes[20] = rolls[i + 1] == 10 ? first_ball(i + 2) : second_ball(i + 2, rolls[i + 1]);
    } else {
        codes[19] = second_ball(i + 1, rolls[i]);
        if (rolls[i] + rolls[i + 1] == 10) codes[20] = first_ball(i + 2);
    }
    return codes;
}

void expect_scored_as_bowling(const std::vector<int> &rolls, const std::vector<bool> &foul_zero, int hcp)
{
    Sheet_builder b;
    b.sheet().hcp = hcp;
    const auto codes = to_codes(rolls, foul_zero);
    for (int k = 0; k < 21; ++k)
        b.put(k, codes[std::size_t(k)]);
    ASSERT_EQ(b.calculate(), Calc_result::done);
    const Running expected = reference_scores(rolls);
    EXPECT_EQ(running_scores(b.sheet()), expected);
    EXPECT_EQ(b.sheet().fl_score[0], expected[9] + hcp);
}

TEST(RollsScoredAsBowling, TypedGames)
{
    const std::vector<std::vector<int>> games = {
        { 10, 10, 10, 5, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 },
        { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 3, 7 },
        { 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10 },
        { 9, 1, 9, 1, 9, 1, 9, 1, 9, 1, 9, 1, 9, 1, 9, 1, 9, 1, 9, 1, 9 },
        { 0, 10, 10, 0, 10, 0, 10, 0, 10, 0, 10, 0, 10, 0, 10, 0, 10, 0, 10, 10 },
        { 3, 4, 10, 6, 4, 10, 10, 2, 7, 0, 0, 8, 2, 10, 10, 9, 0 },
    };
    for (const auto &rolls : games) {
        SCOPED_TRACE(::testing::PrintToString(rolls));
        expect_scored_as_bowling(rolls, std::vector<bool>(rolls.size(), false), 0);
    }
}

// A random complete game; strikes and spares are made likelier than chance so
// that every bonus path is taken often.
std::vector<int> random_game(std::mt19937 &rng)
{
    const auto pick = [&rng](int standing) {
        std::uniform_int_distribution<int> kind(0, 3);
        switch (kind(rng)) {
        case 0:
            return standing; // all of them
        case 1:
            return 0;
        default:
            return std::uniform_int_distribution<int>(0, standing)(rng);
        }
    };
    std::vector<int> rolls;
    for (int f = 0; f < 9; ++f) {
        const int first = pick(10);
        rolls.push_back(first);
        if (first < 10) rolls.push_back(pick(10 - first));
    }
    const int a = pick(10);
    rolls.push_back(a);
    if (a == 10) {
        const int b = pick(10);
        rolls.push_back(b);
        rolls.push_back(pick(b == 10 ? 10 : 10 - b));
    } else {
        const int b = pick(10 - a);
        rolls.push_back(b);
        if (a + b == 10) rolls.push_back(pick(10));
    }
    return rolls;
}

TEST(RollsScoredAsBowling, GeneratedGamesWithFouls)
{
    std::mt19937 rng(20261211);
    std::bernoulli_distribution foul(0.3);
    std::uniform_int_distribution<int> hcp(-20, 120);
    for (int game = 0; game < 3000; ++game) {
        const std::vector<int> rolls = random_game(rng);
        std::vector<bool> foul_zero;
        for (std::size_t i = 0; i < rolls.size(); ++i)
            foul_zero.push_back(foul(rng));
        SCOPED_TRACE(::testing::PrintToString(rolls));
        expect_scored_as_bowling(rolls, foul_zero, hcp(rng));
        if (::testing::Test::HasFailure()) break;
    }
}

} // namespace
