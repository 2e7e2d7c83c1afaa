#include "sheet_builder.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace scoring;
using scoring_test::Sheet_builder;

namespace {

TEST(MarkTexts, CaptionsOfTheCodes)
{
    const Mark_texts marks;
    const std::vector<std::pair<int, QString>> captions = {
        { 0, u"Ｇ"_s },
        { 1, u"１"_s },
        { 5, u"５"_s },
        { 9, u"９"_s },
        { 10, u"＊"_s },
        { 19, u"－"_s },
        { 20, u"／"_s },
        { 21, u"Ｆ"_s },
        { 30, u"　"_s },
        { 11, QString() },
    };
    for (const auto &[code, text] : captions)
        EXPECT_EQ(marks.caption(code), text) << code;
    EXPECT_EQ(marks.Spear_mark(0), QString());
    EXPECT_EQ(marks.Spear_mark(3), u"3s"_s);
    EXPECT_EQ(marks.slot_text(3, kind_split), u"3s"_s);
    EXPECT_EQ(marks.slot_text(3, kind_plain), u"３"_s);
}

TEST(MarkTexts, FromSettingsIgnoringIndexZero)
{
    std::array<QString, 11> spear = Mark_texts::default_spear_marks();
    spear[0] = u"??"_s;
    spear[4] = u"④"_s;
    const Mark_texts marks(spear);
    EXPECT_EQ(marks.Spear_mark(0), QString());
    EXPECT_EQ(marks.Spear_mark(4), u"④"_s);
}

TEST(ScoreRec, NameIsTenCharacters)
{
    Score_rec s;
    s.set_sen_name(u"山田"_s);
    EXPECT_EQ(s.sen_name, u"山田        "_s);
    s.set_sen_name(u"一二三四五六七八九十十一"_s);
    EXPECT_EQ(s.sen_name, u"一二三四五六七八九十"_s);
}

TEST(ScoreTable, NewTableIsEmpty)
{
    const Score_table t(35, 3);
    EXPECT_EQ(t.seat_bound(), 35);
    EXPECT_EQ(t.game_bound(), 3);
    EXPECT_TRUE(t.contains(35, 3));
    EXPECT_FALSE(t.contains(36, 0));
    EXPECT_FALSE(t.contains(0, 4));
    EXPECT_EQ(t(35, 3), Score_rec());
    EXPECT_EQ(t(0, 0).mark_cd[0], 0);
    EXPECT_TRUE(t(0, 0).sen_name.isEmpty());
}

TEST(ScoreTable, ResizeKeepsSheets)
{
    Score_table t(1, 1);
    t(1, 1).hcp = 11;
    t(0, 1).mark_cd[3] = 7;
    t(1, 0).sen_name = u"x"_s;
    t.resize(7, 4);
    EXPECT_EQ(t(1, 1).hcp, 11);
    EXPECT_EQ(t(0, 1).mark_cd[3], 7);
    EXPECT_EQ(t(1, 0).sen_name, u"x"_s);
    EXPECT_EQ(t(7, 4), Score_rec());
    t.resize(1, 0);
    EXPECT_EQ(t(1, 0).sen_name, u"x"_s);
    EXPECT_FALSE(t.contains(1, 1));
    t.recreate(1, 1);
    EXPECT_EQ(t(1, 0), Score_rec());
}

TEST(NightSetup, RecreateEmptiesTheNight)
{
    Night n(2);
    n.cur_sen = 4;
    n.cur_game = 1;
    n.cur_slot = 9;
    n.next_slot = 9;
    n.last_sen = 11;
    n.sen_id[3] = 17;
    n.score_tbl(3, 1).hcp = 20;
    n.screen.Txt_SCORE[0] = u"120"_s;
    n.recreate(4);
    EXPECT_EQ(n.max_game(), 4);
    EXPECT_EQ(n.score_tbl.seat_bound(), 35);
    EXPECT_EQ(n.last_sen, 35);
    EXPECT_EQ(n.cur_sen, 0);
    EXPECT_EQ(n.cur_game, 0);
    EXPECT_EQ(n.cur_slot, 0);
    EXPECT_EQ(n.next_slot, 0);
    EXPECT_EQ(n.sen_id, QList<int>(36, -1));
    EXPECT_EQ(n.score_tbl(3, 1), Score_rec());
    EXPECT_TRUE(n.screen.Txt_SCORE[0].isEmpty());
}

TEST(NightSetup, GrowingSeatsAndGamesKeepsWhatWasThere)
{
    Night n(3);
    n.sen_id[2] = 8;
    n.sen_name[2] = u"佐藤"_s;
    n.sen_hcp[2] = 12;
    n.score_tbl(2, 3).hcp = 12;
    n.resize_seats(47);
    n.resize_games(5);
    EXPECT_EQ(n.last_sen, 47);
    EXPECT_EQ(n.sen_id.size(), 48);
    EXPECT_EQ(n.sen_id[2], 8);
    EXPECT_EQ(n.sen_name[2], u"佐藤"_s);
    EXPECT_EQ(n.sen_hcp[2], 12);
    EXPECT_EQ(n.sen_id[40], -1);
    EXPECT_EQ(n.score_tbl.seat_bound(), 47);
    EXPECT_EQ(n.max_game(), 5);
    EXPECT_EQ(n.score_tbl(2, 3).hcp, 12);
    EXPECT_EQ(n.score_tbl(47, 5), Score_rec());
}

TEST(NightInit, ResetsMarksOfSeatsInUseKeepingNamesAndHandicaps)
{
    Night n(1);
    n.last_sen = 2;
    for (int seat = 0; seat <= 3; ++seat)
        for (int game = 0; game <= 1; ++game) {
            Score_rec &s = n.score_tbl(seat, game);
            s.sen_name = u"name"_s;
            s.hcp = 9;
            s.fl_score[4] = 33;
        }
    n.screen.Txt_MARK[5] = u"５"_s;
    n.screen.Txt_MARK[21] = u"x"_s;
    n.INIT();
    for (int seat = 0; seat <= 2; ++seat)
        for (int game = 0; game <= 1; ++game) {
            const Score_rec &s = n.score_tbl(seat, game);
            for (int k = 0; k < slot_count; ++k) {
                EXPECT_EQ(s.mark_txt[std::size_t(k)], empty_slot_text());
                EXPECT_EQ(s.mark_cd[std::size_t(k)], code_empty);
                EXPECT_EQ(s.mark_kind[std::size_t(k)], kind_not_set);
                EXPECT_EQ(s.pin_cnt[std::size_t(k)], 0);
                EXPECT_EQ(s.pin_bits[std::size_t(k)], no_pattern);
            }
            EXPECT_EQ(s.fl_score, (std::array<int, 11> {}));
            EXPECT_EQ(s.sen_name, u"name"_s);
            EXPECT_EQ(s.hcp, 9);
        }
    EXPECT_EQ(n.score_tbl(3, 0).fl_score[4], 33); // beyond last_sen
    EXPECT_EQ(n.screen.Txt_MARK[5], empty_slot_text());
    EXPECT_EQ(n.screen.Txt_MARK[21], u"x"_s);
}

TEST(NightClearing, ClearMarkEmptiesTheCurrentSlot)
{
    Sheet_builder b;
    b.put(5, 3);
    b.sheet().mark_txt[5] = u"３"_s;
    b.night.cur_slot = 5;
    b.night.next_slot = 6;
    b.night.Clear_Mark();
    EXPECT_EQ(b.night.screen.Txt_MARK[5], empty_slot_text());
    EXPECT_EQ(b.sheet().mark_cd[5], code_empty);
    EXPECT_EQ(b.night.next_slot, 5);
    EXPECT_EQ(b.sheet().mark_txt[5], u"３"_s);
}

TEST(NightClearing, ClearScoreEmptiesTheScreenOnly)
{
    Sheet_builder b;
    b.put({ { 0, 8 }, { 1, 1 } });
    b.flag_split(0);
    b.calculate();
    b.night.next_slot = 2;
    b.night.clear_score();
    for (int k = 0; k < slot_count; ++k) {
        EXPECT_EQ(b.night.screen.Txt_MARK[std::size_t(k)], empty_slot_text());
        EXPECT_EQ(b.night.screen.back_colour(k), plain_back_colour);
    }
    for (const QString &score : b.night.screen.Txt_SCORE)
        EXPECT_TRUE(score.isEmpty());
    EXPECT_EQ(b.night.next_slot, 0);
    EXPECT_EQ(b.sheet().mark_cd[0], 8);
    EXPECT_EQ(b.sheet().mark_kind[0], kind_split);
    EXPECT_EQ(b.sheet().fl_score[10], 9);
}

TEST(NightFocus, SetFocusKeepsNextSlotOffTheParkingSlot)
{
    Night n;
    n.set_focus(7);
    EXPECT_EQ(n.cur_slot, 7);
    EXPECT_EQ(n.next_slot, 7);
    EXPECT_EQ(n.screen.focus_slot, 7);
    n.set_focus(park_slot);
    EXPECT_EQ(n.cur_slot, park_slot);
    EXPECT_EQ(n.next_slot, 7);
}

} // namespace
