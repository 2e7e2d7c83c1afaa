// A night from its score sheets through the hand-over, the calculation and
// the commit, read back through the saved queries.

#include "results/commit.h"

#include "config/match_globals.h"
#include "config/settings.h"
#include "results/night_results.h"
#include "scoring/ana.h"
#include "scoring/mark_texts.h"
#include "scoring/night.h"
#include "store/recordset.h"
#include "store/schema.h"
#include "support/builders.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Mark code of a slot token: X strike, / spare, - miss, G gutter, F foul,
// 1..9 pins, . empty.
int code_of(const QString &token)
{
    if (token == u"X"_s)
        return scoring::code_strike;
    if (token == u"/"_s)
        return scoring::code_spare;
    if (token == u"-"_s)
        return scoring::code_miss;
    if (token == u"G"_s)
        return scoring::code_gutter;
    if (token == u"F"_s)
        return scoring::code_foul;
    if (token == u"."_s)
        return scoring::code_empty;
    return token.toInt();
}

class Commit_night : public support::DatabaseTest
{
protected:
    scoring::Night night{2}; // games 0..2
    scoring::Mark_texts marks;
    config::MatchGlobals match;
    config::Settings settings;

    void SetUp() override
    {
        support::addPlayer(db(), 11, u"山田"_s);
        support::addPlayer(db(), 12, u"鈴木"_s);
        const int season = int(support::addSeason(db(), u"2024年度"_s));
        const int venue = int(support::addVenue(db(), u"中央ボウル"_s));
        match.siai_id = 120;
        match.srs_id = season;
        match.siai_no = 4;
        match.siai_yy = 2024;
        match.siai_mm = 4;
        match.siai_dd = 12;
        match.kaijo_id = std::uint8_t(venue);

        night.INIT();
        seat(0, 11, u"山田"_s, 10);
        seat(2, 12, u"鈴木"_s, 25); // seat 1 stays empty
    }

    void seat(int s, int id, const QString &name, int hcp)
    {
        night.sen_id[s] = id;
        night.sen_name[s] = scoring::Score_rec::fixed_name(name);
        night.sen_hcp[s] = hcp;
        for (int g = 0; g <= night.max_game(); ++g) {
            scoring::Score_rec &sheet = night.score_tbl(s, g);
            sheet.set_sen_name(name);
            sheet.hcp = hcp;
        }
    }

    // Enters a game as score entry leaves it: codes, plain kinds, pin sets
    // and the slot boxes' captions, then the calculation. split_slots are
    // flagged as splits.
    void bowl(int s, int g, const QString &balls, bool record_pins = false,
              std::initializer_list<int> split_slots = {})
    {
        night.cur_sen = s;
        night.cur_game = g;
        night.screen = scoring::Sheet_screen();
        scoring::Score_rec &sheet = night.cur_sheet();
        sheet.kaijo_id = match.kaijo_id;
        sheet.yy = match.siai_yy;
        sheet.mm = match.siai_mm;
        sheet.dd = match.siai_dd;
        const QStringList tokens = balls.split(u' ');
        ASSERT_EQ(tokens.size(), 21) << balls.toStdString();
        for (int k = 0; k < 21; ++k) {
            const int code = code_of(tokens[k]);
            if (code == scoring::code_empty)
                continue;
            const auto i = std::size_t(k);
            sheet.mark_cd[i] = std::uint8_t(code);
            sheet.mark_kind[i] = scoring::kind_plain;
            sheet.pin_bits[i] = record_pins ? (k * 37 + g) % 1024 : scoring::no_pattern;
            night.screen.Txt_MARK[i] = marks.caption(code);
        }
        for (const int k : split_slots)
            night.screen.split[std::size_t(k)] = true;
        ASSERT_EQ(night.Cmd_KEISAN(marks), scoring::Calc_result::done);
    }

    results::Night_results calculated()
    {
        const scoring::Ana_data data = scoring::ANA(night);
        return results::calculate(data, match, results::Calc_options{});
    }
};

TEST_F(Commit_night, StoredGamesReadBackThroughTheSavedQueriesAgreeWithTheSheets)
{
    // 山田 bowls games 1 and 3, 鈴木 all three.
    bowl(0, 0, u"X . 7 / 9 - X . X . 8 - 6 / X . 9 - X X X"_s, true);
    bowl(0, 2, u"9 - 9 - 9 - 9 - 9 - 9 - 9 - 9 - 9 - 9 - ."_s);
    bowl(2, 0, u"8 / 8 / 8 / 8 / 8 / 8 / 8 / 8 / 8 / 8 / 8"_s);
    bowl(2, 1, u"7 2 7 2 7 2 7 2 7 2 7 2 7 2 7 2 7 2 7 2 ."_s, true, {0});
    bowl(2, 2, u"X . X . X . X . X . X . X . X . X . X X X"_s);

    const results::Night_results r = calculated();
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.N, 2);
    ASSERT_EQ(r.G, 3);

    const results::Commit_outcome out = results::commit_night(db(), match, settings, r);
    ASSERT_TRUE(out.stored) << out.failure.toStdString();
    EXPECT_EQ(out.players, 2);
    EXPECT_EQ(out.game_rows, 5);
    EXPECT_EQ(out.ranges.siai_max, 120);
    EXPECT_EQ(out.ranges.siai_min, 1);

    // (seat, game of the night, result_tbl row and column) of every stored game.
    struct Stored
    {
        int seat, game, p, g;
    };
    const QList<Stored> expected{{0, 0, 1, 1}, {0, 2, 1, 3}, {2, 0, 2, 1}, {2, 1, 2, 2}, {2, 2, 2, 3}};

    store::Recordset book(db(), u"SELECT * FROM スコアブック WHERE 試合ID=120"_s,
                          store::RecordsetType::Snapshot);
    QList<std::pair<int, int>> seen; // (選手ID, ｹﾞｰﾑ) in the scorebook's order
    const QStringList balls = store::schema::ballSuffixes();
    for (; !book.eof(); book.moveNext()) {
        const int id = book.value(u"選手ID"_s).toInt();
        const int game = book.value(u"ゲーム"_s).toInt();
        seen << std::pair{id, game};
        const auto it = std::find_if(expected.begin(), expected.end(), [&](const Stored &s) {
            return night.sen_id[s.seat] == id && s.g == game;
        });
        ASSERT_NE(it, expected.end()) << id << " " << game;
        const scoring::Score_rec &sheet = night.score_tbl(it->seat, it->game);
        const results::Result_rec &rec = r.result_tbl(it->p, it->g);
        SCOPED_TRACE(sheet.sen_name.toStdString() + " game " + std::to_string(it->game + 1));

        EXPECT_EQ(book.value(u"選手名"_s).toString(), night.sen_name[it->seat].trimmed());
        EXPECT_EQ(book.value(u"試合日"_s).toDate(), QDate(2024, 4, 12));
        EXPECT_EQ(book.value(u"シーズンID"_s).toInt(), match.srs_id);
        EXPECT_EQ(book.value(u"試合"_s).toInt(), 4);
        EXPECT_EQ(book.value(u"会場名"_s).toString(), u"中央ボウル"_s);
        EXPECT_EQ(book.value(u"S10"_s).toInt(), sheet.fl_score[10]);
        EXPECT_EQ(book.value(u"競技点"_s).toInt(), sheet.fl_score[0]);
        EXPECT_EQ(book.value(u"優p"_s).toInt(), rec.yu_p);
        EXPECT_EQ(book.value(u"入賞"_s).toString(), rec.nyusho);
        for (int f = 1; f <= 9; ++f)
            EXPECT_EQ(book.value(u"s"_s + QString::number(f)).toInt(), sheet.fl_score[std::size_t(f)]);
        for (int k = 0; k < 21; ++k)
            EXPECT_EQ(book.value(u"m"_s + balls[k]).toString(), sheet.mark_txt[std::size_t(k)])
                << "slot " << k;

        // The frame row of the same ID holds the codes and pin sets.
        const QVariantList frame =
            db().select(u"SELECT * FROM フレーム WHERE ID = ?"_s, {book.value(u"ID"_s)}).value(0);
        ASSERT_EQ(frame.size(), 46);
        for (int k = 0; k < 21; ++k) {
            EXPECT_EQ(frame[4 + k].toInt(), sheet.mark_cd[std::size_t(k)]) << "slot " << k;
            EXPECT_EQ(frame[25 + k].toInt(), sheet.pin_bits[std::size_t(k)]) << "slot " << k;
        }
    }
    EXPECT_EQ(seen.size(), 5);
    // Ordered by game, the 3rd game column holding 山田's second game.
    EXPECT_EQ(seen, (QList<std::pair<int, int>>{{11, 1}, {12, 1}, {12, 2}, {11, 3}, {12, 3}}));

    // Career figures of the two players are those of the night.
    for (const int s : {0, 2}) {
        const int id = night.sen_id[s];
        store::Recordset career(db(), u"SELECT * FROM 通算成績 where 選手ID="_s + QString::number(id),
                                store::RecordsetType::Snapshot);
        ASSERT_FALSE(career.eof());
        int games = 0, pins = 0, points = 0, strikes = 0, spares = 0, missed = 0, upper = 0;
        const int p = s == 0 ? 1 : 2;
        for (int g = 1; g <= r.G; ++g) {
            const results::Result_rec &rec = r.result_tbl(p, g);
            if (rec.S[10] == 0 && rec.mark_kind[0] == scoring::kind_not_set)
                continue; // 山田's empty column
            ++games;
            pins += rec.S[10];
            points += rec.yu_p;
            strikes += rec.ST;
            spares += rec.SP;
            missed += rec.SPF;
            upper += rec.joui;
        }
        SCOPED_TRACE(id);
        EXPECT_EQ(career.value(u"ゲーム"_s).toInt(), games);
        EXPECT_EQ(career.value(u"合計点"_s).toInt(), pins);
        EXPECT_EQ(career.value(u"優P計"_s).toInt(), points);
        EXPECT_EQ(career.value(u"st"_s).toInt(), strikes);
        EXPECT_EQ(career.value(u"スペア"_s).toInt(), spares);
        EXPECT_EQ(career.value(u"スペアミス"_s).toInt(), missed);
        EXPECT_EQ(career.value(u"上位"_s).toInt(), upper);
    }
    EXPECT_EQ(db().scalar(u"SELECT count(*) FROM 通算成績"_s).toInt(), 2);

    // The night's winner: the player placed first, with that game's scores.
    int winner = 0;
    for (int p = 1; p <= r.N; ++p)
        if (r.pnt_rank[p] == 1)
            winner = p;
    ASSERT_NE(winner, 0);
    const results::Result_rec &won = r.result_tbl(winner, r.placing_game(winner));
    EXPECT_EQ(db().select(u"SELECT 試合ID, シーズンID, 試合, 試合日, １着ID, S10, 競技点 FROM 試合"_s),
              (QList<QVariantList>{{120, match.srs_id, 4, u"2024-04-12"_s, won.senshu_id, won.S[10],
                                    won.kyogi_ten}}));
}

TEST_F(Commit_night, SheetValuesOfTheNight)
{
    // The scores the comparison above relies on, worked out by hand.
    bowl(0, 0, u"X . 7 / 9 - X . X . 8 - 6 / X . 9 - X X X"_s);
    bowl(2, 1, u"7 2 7 2 7 2 7 2 7 2 7 2 7 2 7 2 7 2 7 2 ."_s, false, {0});
    EXPECT_EQ(night.score_tbl(0, 0).fl_score[10], 180);
    EXPECT_EQ(night.score_tbl(2, 1).mark_txt[0], u"7s"_s);
    const results::Night_results r = calculated();
    ASSERT_TRUE(r.ok());
    const auto out = results::commit_night(db(), match, settings, r);
    ASSERT_TRUE(out.stored);
    EXPECT_EQ(db().select(u"SELECT d.選手ID, d.ｹﾞｰﾑ, d.S10, d.競技点, d.ST, d.SP, d.ｽﾌﾟﾘｯﾄ, m.M11 "
                          u"FROM データ項目 d JOIN マーク m ON m.ID = d.ID ORDER BY d.ID"_s),
              (QList<QVariantList>{{11, 1, 180, 190, 7, 2, 0, u"＊"_s},
                                   {12, 2, 90, 115, 0, 0, 1, u"7s"_s}}));
}

TEST_F(Commit_night, NightNobodyBowledStoresNothing)
{
    const results::Night_results r = calculated();
    ASSERT_FALSE(r.ok());
    const auto out = results::commit_night(db(), match, settings, r);
    EXPECT_FALSE(out.stored);
    EXPECT_FALSE(out.failure.isEmpty());
    EXPECT_EQ(db().scalar(u"SELECT count(*) FROM 試合"_s).toInt(), 0);
    EXPECT_EQ(db().scalar(u"SELECT count(*) FROM データ項目"_s).toInt(), 0);
}

} // namespace
