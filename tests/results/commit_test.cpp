#include "results/commit.h"

#include "config/match_globals.h"
#include "config/settings.h"
#include "config/settings_store.h"
#include "store/schema.h"
#include "store/transaction.h"
#include "support/builders.h"
#include "support/temp_database.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using results::Commit_game;

// A game of nine-count frames ("９", "－") with a strike in frame 10; score
// and counts as given. Every field differs from game to game so that a value
// stored in the wrong column shows.
Commit_game nine_game(int sen_id, const QString &name, int game, int seed = 0)
{
    Commit_game g;
    g.sen_id = sen_id;
    g.sen_name = name;
    g.game = game;
    for (int k = 0; k < Commit_game::slots; ++k) {
        const auto i = std::size_t(k);
        const bool first = k % 2 == 0 && k < 18;
        g.mark_txt[i] = first ? u"９"_s : u"－"_s;
        g.mark_cd[i] = first ? 9 : 19;
        g.mark_kind[i] = 0;
        g.pin_bits[i] = first ? 1 << (k / 2) : -1;
    }
    g.mark_txt[18] = u"＊"_s;
    g.mark_cd[18] = 10;
    g.mark_kind[18] = 4;
    g.mark_txt[19] = u"７"_s;
    g.mark_cd[19] = 7;
    g.mark_txt[20] = u"／"_s;
    g.mark_cd[20] = 20;
    g.mark_kind[20] = 3;
    for (int f = 1; f <= 9; ++f)
        g.S[std::size_t(f)] = 9 * f;
    g.S[10] = 81 + 20 + seed;
    g.strikes = 1;
    g.spares = 1;
    g.missed = 9;
    g.splits = seed % 2;
    g.hcp = 10 + seed;
    g.hcp_score = g.S[10] + g.hcp;
    g.upper = seed % 2;
    g.points = 0;
    g.best_day = 1 - seed;
    g.placing = u"    "_s;
    g.bowlers = 2;
    g.rank = 1 + seed % 2;
    g.yy = 2024;
    g.mm = 4;
    g.dd = 12;
    g.kaijo_id = 1;
    return g;
}

// A game in which no ball was thrown.
Commit_game empty_game(int sen_id, const QString &name, int game)
{
    Commit_game g;
    g.sen_id = sen_id;
    g.sen_name = name;
    g.game = game;
    g.mark_txt.fill(u"　"_s);
    g.mark_cd.fill(30);
    g.mark_kind.fill(-1);
    g.pin_bits.fill(-1);
    g.placing = u"    "_s;
    return g;
}

const QString yamada = u"山田      "_s;
const QString suzuki = u"鈴木      "_s;

class Commit : public support::DatabaseTest
{
protected:
    config::MatchGlobals match;
    config::Settings settings;

    void SetUp() override
    {
        support::addPlayer(db(), 1, u"山田"_s);
        support::addPlayer(db(), 2, u"鈴木"_s);
        support::addSeason(db(), u"春"_s);
        support::addVenue(db(), u"中央"_s);
        match.siai_id = 7;
        match.srs_id = 1;
        match.siai_no = 3;
        match.siai_yy = 2024;
        match.siai_mm = 4;
        match.siai_dd = 12;
        match.kaijo_id = 1;
    }

    int count(const QString &table) const
    {
        return const_cast<Commit *>(this)->db().scalar(u"SELECT count(*) FROM "_s + table).toInt();
    }

    // (選手ID, ｹﾞｰﾑ) of every stored game row in ID order, checking that the
    // three tables hold the same IDs and identities.
    QList<QList<int>> stored_games()
    {
        QList<QList<int>> out;
        const auto rows = db().select(
            u"SELECT d.ID, d.選手ID, d.ｹﾞｰﾑ, m.選手ID, m.ｹﾞｰﾑ, f.選手ID, f.ゲーム, "
            u"d.試合ID, m.試合ID, f.試合ID FROM データ項目 d JOIN マーク m ON m.ID = d.ID "
            u"JOIN フレーム f ON f.ID = d.ID ORDER BY d.ID"_s);
        for (const QVariantList &r : rows) {
            EXPECT_EQ(r[1], r[3]);
            EXPECT_EQ(r[1], r[5]);
            EXPECT_EQ(r[2], r[4]);
            EXPECT_EQ(r[2], r[6]);
            EXPECT_EQ(r[7].toInt(), match.siai_id);
            EXPECT_EQ(r[8], r[7]);
            EXPECT_EQ(r[9], r[7]);
            out << QList<int>{r[1].toInt(), r[2].toInt()};
        }
        EXPECT_EQ(count(u"マーク"_s), int(out.size()));
        EXPECT_EQ(count(u"フレーム"_s), int(out.size()));
        return out;
    }
};

TEST_F(Commit, GamesWithoutABallAreSkipped)
{
    // 山田 bowled games 1 and 3 of three, 鈴木 all three.
    const results::Commit_sheets sheets{
        {nine_game(1, yamada, 1), empty_game(1, yamada, 2), nine_game(1, yamada, 3, 1)},
        {nine_game(2, suzuki, 1, 2), nine_game(2, suzuki, 2, 3), nine_game(2, suzuki, 3, 4)},
    };
    const results::Commit_outcome out = results::commit_games(db(), match, settings, sheets);
    ASSERT_TRUE(out.stored) << out.failure.toStdString();
    EXPECT_EQ(out.players, 2);
    EXPECT_EQ(out.game_rows, 5);
    EXPECT_EQ(stored_games(),
              (QList<QList<int>>{{1, 1}, {1, 3}, {2, 1}, {2, 2}, {2, 3}}));
}

TEST_F(Commit, AGameWithOnlyAFoulOrOnlyTheSecondBallIsBowled)
{
    Commit_game foul = empty_game(1, yamada, 1);
    foul.mark_kind[0] = 1;
    Commit_game second = empty_game(2, suzuki, 1);
    second.mark_kind[19] = 0;
    Commit_game third_only = empty_game(2, suzuki, 2);
    third_only.mark_kind[20] = 3; // slot 20 alone does not count
    const auto out = results::commit_games(db(), match, settings, {{foul}, {second, third_only}});
    ASSERT_TRUE(out.stored);
    EXPECT_EQ(stored_games(), (QList<QList<int>>{{1, 1}, {2, 1}}));
}

TEST_F(Commit, NightOfEmptyGamesStoresNoMatchRow)
{
    const auto out = results::commit_games(db(), match, settings,
                                           {{empty_game(1, yamada, 1)}, {empty_game(2, suzuki, 1)}});
    EXPECT_FALSE(out.stored);
    EXPECT_EQ(out.failure, u"書き込むゲームがありません。"_s);
    EXPECT_EQ(count(u"試合"_s), 0);
}

TEST_F(Commit, RowsHoldTheGamesValues)
{
    Commit_game g = nine_game(2, suzuki, 2, 3);
    g.points = 12;
    g.placing = u"１着"_s;
    const auto out = results::commit_games(db(), match, settings, {{g}});
    ASSERT_TRUE(out.stored);

    const QVariantList d = db().select(
        u"SELECT 選手ID, 試合ID, ｹﾞｰﾑ, 優Ｐ, 上位, S10, ST, SP, SPF, ｽﾌﾟﾘｯﾄ, 当日, 入賞, "
        u"競技点, HCP, 人数, 順位, 試合日, 会場ID FROM データ項目"_s).value(0);
    EXPECT_EQ(d, (QVariantList{2, 7, 2, 12, 1, 104, 1, 1, 9, 1, -2, u"１着  "_s, 117, 13, 2, 2,
                               u"2024-04-12"_s, 1}));

    QStringList markCols;
    QStringList frameCols;
    for (int f = 1; f <= 10; ++f)
        markCols << u"S"_s + QString::number(f);
    for (const QString &b : store::schema::ballSuffixes()) {
        markCols << u"M"_s + b;
        frameCols << u"Flms"_s + b;
    }
    for (const QString &b : store::schema::ballSuffixes())
        frameCols << u"pin"_s + b;
    const QVariantList m =
        db().select(u"SELECT "_s + markCols.join(u", "_s) + u" FROM マーク"_s).value(0);
    const QVariantList f =
        db().select(u"SELECT "_s + frameCols.join(u", "_s) + u" FROM フレーム"_s).value(0);
    ASSERT_EQ(m.size(), 31);
    ASSERT_EQ(f.size(), 42);
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(m[i - 1].toInt(), g.S[std::size_t(i)]) << "S" << i;
    for (int k = 0; k < Commit_game::slots; ++k) {
        EXPECT_EQ(m[10 + k].toString(), g.mark_txt[std::size_t(k)]) << "slot " << k;
        EXPECT_EQ(f[k].toInt(), g.mark_cd[std::size_t(k)]) << "slot " << k;
        EXPECT_EQ(f[21 + k].toInt(), g.pin_bits[std::size_t(k)]) << "slot " << k;
    }
}

TEST_F(Commit, MatchRowNamesTheLastGamePlacedFirst)
{
    // Two players sharing first place: the later one in seat order is kept.
    Commit_game a = nine_game(1, yamada, 1);
    a.placing = u"１着"_s;
    Commit_game b1 = nine_game(2, suzuki, 1, 2);
    Commit_game b2 = nine_game(2, suzuki, 2, 5);
    b2.placing = u"１着"_s;
    Commit_game c = nine_game(1, yamada, 2, 1);
    c.placing = u"12着 "_s; // not a first place although it ends in "着"
    const auto out = results::commit_games(db(), match, settings, {{a, c}, {b1, b2}});
    ASSERT_TRUE(out.stored);
    EXPECT_EQ(db().select(u"SELECT 試合ID, シーズンID, 試合, 試合日, １着ID, S10, 競技点 FROM 試合"_s),
              (QList<QVariantList>{{7, 1, 3, u"2024-04-12"_s, 2, b2.S[10], b2.hcp_score}}));
}

TEST_F(Commit, NightWithoutAFirstPlaceStoresAMatchRowWithoutWinner)
{
    const auto out = results::commit_games(db(), match, settings, {{nine_game(1, yamada, 1)}});
    ASSERT_TRUE(out.stored);
    EXPECT_EQ(db().select(u"SELECT １着ID, S10, 競技点 FROM 試合"_s),
              (QList<QVariantList>{{0, 0, 0}}));
}

// Career figures before the night: n games of score each for player 1.
void store_career(store::Database &db, int games, int score)
{
    store::Transaction t(db);
    support::addMatch(db, {1, 1, 1, QDate(2023, 4, 1), 1, 0, 0});
    for (int i = 0; i < games; ++i) {
        support::GameSpec s;
        s.playerId = 1;
        s.matchId = 1;
        s.game = 1 + i % 4;
        s.score = score;
        s.date = QDate(2023, 4, 1);
        support::addGame(db, s);
    }
    t.commit();
}

TEST_F(Commit, FiftiethGameGivesItsMilestone)
{
    store_career(db(), 48, 80);
    // The second game of the night is the 50th: only it gives the line.
    const auto out = results::commit_games(
        db(), match, settings,
        {{nine_game(1, yamada, 1), nine_game(1, yamada, 2, 1)}, {nine_game(2, suzuki, 1)}});
    ASSERT_TRUE(out.stored);
    EXPECT_EQ(out.milestone_lines,
              QStringList{u"通算ゲーム数‥50ゲーム　　山田      "_s});
}

TEST_F(Commit, CareerPinsPassingFiveThousandGiveTheirMilestone)
{
    store_career(db(), 25, 196); // 4,900 pins
    Commit_game g = nine_game(1, yamada, 1);
    g.S[10] = 200;
    const auto out = results::commit_games(db(), match, settings, {{g}});
    ASSERT_TRUE(out.stored);
    EXPECT_EQ(out.milestone_lines,
              QStringList{u"通算合計点数‥‥5000点　　山田      "_s});
}

TEST_F(Commit, NoMilestoneGivesNoLine)
{
    store_career(db(), 10, 150);
    const auto out = results::commit_games(
        db(), match, settings, {{nine_game(1, yamada, 1)}, {nine_game(2, suzuki, 1)}});
    ASSERT_TRUE(out.stored);
    EXPECT_TRUE(out.milestone_lines.isEmpty());
    EXPECT_EQ(results::milestone_text(out.milestone_lines), QString());
}

TEST_F(Commit, RangesWidenedAndSavedWithTheRowCount)
{
    support::TempDatabase files; // a folder for the settings file
    config::SettingsStore store(files.filePath(u"Pinora32.ini"_s));
    settings.srs_max = 1;
    settings.srs_min = 1;
    settings.siai_max = 118;
    settings.siai_min = 5;
    settings.all_data_cnt = 40;
    match.siai_id = 120;
    const auto out = results::commit_games(
        db(), match, settings, {{nine_game(1, yamada, 1), nine_game(1, yamada, 2)}});
    ASSERT_TRUE(out.stored);
    EXPECT_EQ(out.ranges.siai_max, 120);
    EXPECT_EQ(out.ranges.siai_min, 5);

    results::apply_commit(out, settings, store);
    EXPECT_EQ(settings.siai_max, 120);
    EXPECT_EQ(settings.siai_min, 5);
    EXPECT_EQ(settings.srs_max, 1);
    EXPECT_EQ(settings.all_data_cnt, 42);
    config::SettingsStore reread(store.fileName());
    EXPECT_EQ(reread.get(u"setting"_s, u"siai_max"_s), u"120"_s);
    EXPECT_EQ(reread.get(u"Setting"_s, u"siai_min"_s), u"5"_s);
    EXPECT_EQ(reread.get(u"Setting"_s, u"srs_max"_s), u"1"_s);
}

// A trigger that fails the n-th データ項目 row of the commit.
void fail_at_game_row(store::Database &db, int n)
{
    db.exec(u"CREATE TRIGGER fail_commit BEFORE INSERT ON データ項目 "
            u"WHEN (SELECT count(*) FROM データ項目) >= "_s
            + QString::number(n - 1) + u" BEGIN SELECT RAISE(ABORT, 'injected failure'); END"_s);
}

TEST_F(Commit, FailureInTheMiddleStoresNothing)
{
    store_career(db(), 49, 80); // the first game would reach a milestone
    const int before = count(u"データ項目"_s);
    fail_at_game_row(db(), before + 3);
    settings.siai_max = 3;
    settings.all_data_cnt = before;
    const results::Commit_sheets sheets{
        {nine_game(1, yamada, 1), nine_game(1, yamada, 2)},
        {nine_game(2, suzuki, 1), nine_game(2, suzuki, 2)},
    };
    const auto out = results::commit_games(db(), match, settings, sheets);
    EXPECT_FALSE(out.stored);
    EXPECT_TRUE(out.failure.contains(u"injected failure"_s)) << out.failure.toStdString();
    EXPECT_EQ(results::failure_message(out),
              u"データベースへの書き込みができませんでした。\r"
              u"今回の試合のデータは何も書き込まれていません。\r"
              u"原因を取り除いてから、もう一度書き込んでください。\r\r"_s
                  + out.failure);
    EXPECT_EQ(out.game_rows, 0);
    EXPECT_TRUE(out.milestone_lines.isEmpty());
    EXPECT_EQ(count(u"データ項目"_s), before);
    EXPECT_EQ(count(u"マーク"_s), before);
    EXPECT_EQ(count(u"フレーム"_s), before);
    EXPECT_EQ(count(u"試合"_s), 1);

    // Nothing of a failed commit reaches the settings.
    support::TempDatabase files;
    config::SettingsStore store(files.filePath(u"Pinora32.ini"_s));
    results::apply_commit(out, settings, store);
    EXPECT_EQ(settings.siai_max, 3);
    EXPECT_EQ(settings.all_data_cnt, before);
    EXPECT_FALSE(store.contains(u"Setting"_s, u"siai_max"_s));

    // Mended, the same night is stored once.
    db().exec(u"DROP TRIGGER fail_commit"_s);
    const auto again = results::commit_games(db(), match, settings, sheets);
    ASSERT_TRUE(again.stored) << again.failure.toStdString();
    EXPECT_EQ(again.game_rows, 4);
    EXPECT_EQ(count(u"データ項目"_s), before + 4);
    EXPECT_EQ(again.milestone_lines, QStringList{u"通算ゲーム数‥50ゲーム　　山田      "_s});
}

TEST_F(Commit, MatchAlreadyStoredStoresNoGameOfTheNight)
{
    // The 試合 row comes last: its failure takes the games back too.
    support::addMatch(db(), {match.siai_id, 1, 1, QDate(2024, 4, 5), 0, 0, 0});
    const auto out = results::commit_games(db(), match, settings, {{nine_game(1, yamada, 1)}});
    EXPECT_FALSE(out.stored);
    EXPECT_TRUE(out.failure.contains(u"試合"_s)) << out.failure.toStdString();
    EXPECT_TRUE(out.failure_detail.contains(u"INSERT INTO 試合"_s))
        << out.failure_detail.toStdString();
    EXPECT_EQ(count(u"データ項目"_s), 0);
    EXPECT_EQ(count(u"マーク"_s), 0);
    EXPECT_EQ(count(u"フレーム"_s), 0);
}

TEST(Commit_messages, ClosingMessage)
{
    EXPECT_EQ(results::closing_message(12, 47),
              u"ファイルへの書き込みが終了しました。\r書き込んだ人数は12人で、データの合計数は47件でした。"_s);
}

TEST(Commit_backup, DeletesTheBackupOfTheMatchDate)
{
    support::TempDatabase folder;
    const QString backup = folder.filePath(u"B_090105.bup"_s);
    const QString other = folder.filePath(u"B_090106.bup"_s);
    for (const QString &p : {backup, other}) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    config::MatchGlobals m;
    m.siai_yy = 2009;
    m.siai_mm = 1;
    m.siai_dd = 5;
    const QString dir = QFileInfo(backup).absolutePath();
    EXPECT_TRUE(results::delete_backup(dir, m));
    EXPECT_FALSE(QFile::exists(backup));
    EXPECT_TRUE(QFile::exists(other));
    EXPECT_TRUE(results::delete_backup(dir, m)); // nothing left to delete
}

} // namespace
