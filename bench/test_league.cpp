#include "bench/league.h"
#include "store/database.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

bench::NightGame game(int scratch, int hcp = 0)
{
    bench::NightGame g;
    g.bowled = true;
    g.score = scratch;
    g.hcp = hcp;
    g.hcpScore = scratch + hcp;
    return g;
}

bench::Night night(const QList<QList<int>> &scores)
{
    bench::Night n;
    int id = 1;
    for (const QList<int> &games : scores) {
        bench::NightPlayer p;
        p.playerId = id++;
        for (int s : games)
            p.games << game(s);
        n.players << p;
    }
    bench::rankNight(n);
    return n;
}

TEST(RankNight, BestGamesAndPlacesFollowTheNightsRules)
{
    // The later of two equal games counts as the better one.
    const bench::Night a = night({{180, 200, 200}});
    EXPECT_EQ(a.players[0].games[0].bestDay, -1);
    EXPECT_EQ(a.players[0].games[1].bestDay, 0);
    EXPECT_EQ(a.players[0].games[2].bestDay, 1);
    EXPECT_EQ(a.players[0].games[2].placing, u"１着  "_s);

    // Five bowlers, upper-weighted points 14, 9, 0, 0, 0; ranks 1, 1, 3 on ties.
    const bench::Night b = night({{150}, {210}, {190}, {190}, {120}});
    const QList<int> points{0, 14, 9, 9, 0};
    const QList<int> ranks{4, 1, 2, 2, 5};
    for (int p = 0; p < 5; ++p) {
        EXPECT_EQ(b.players[p].games[0].points, points[p]) << p;
        EXPECT_EQ(b.players[p].games[0].rank, ranks[p]) << p;
        EXPECT_EQ(b.players[p].games[0].upper, ranks[p] <= 2 ? 1 : 0) << p;
    }
    EXPECT_EQ(b.players[2].games[0].placing, u"２着  "_s);
    EXPECT_EQ(b.players[4].games[0].placing, u"５着  "_s);

    // A tie on the best game is broken by the second best.
    // Places 1, 2, 2; with three bowlers only the first place earns points.
    const bench::Night c = night({{200, 150}, {150, 200}, {200, 160}});
    EXPECT_EQ(c.players[2].games[0].placing, u"１着  "_s);
    EXPECT_EQ(c.players[2].games[0].points, 12);
    EXPECT_EQ(c.players[0].games[0].placing, u"２着  "_s);
    EXPECT_EQ(c.players[0].games[0].points, 0);
    EXPECT_EQ(c.players[0].games[1].placing, u"    "_s);
    EXPECT_EQ(c.players[1].games[1].placing, u"２着  "_s);
}

class SmallLeague : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        db = new store::Database;
        db->create(dir->filePath(u"Pinora.mdb"_s));
        rows = bench::generateLeague(*db, bench::LeagueOptions::small());
    }
    static void TearDownTestSuite()
    {
        delete db;
        delete dir;
    }
    static qint64 count(const QString &sql) { return db->scalar(sql).toLongLong(); }

    static inline QTemporaryDir *dir = nullptr;
    static inline store::Database *db = nullptr;
    static inline qint64 rows = 0;
};

TEST_F(SmallLeague, EveryGameHasItsThreeRowsUnderOneId)
{
    ASSERT_GT(rows, 100);
    EXPECT_EQ(count(u"SELECT count(*) FROM データ項目"_s), rows);
    EXPECT_EQ(count(u"SELECT count(*) FROM マーク"_s), rows);
    EXPECT_EQ(count(u"SELECT count(*) FROM フレーム"_s), rows);
    EXPECT_EQ(count(u"SELECT count(*) FROM データ項目 d JOIN マーク m ON m.ID = d.ID "
                    u"JOIN フレーム f ON f.ID = d.ID WHERE m.選手ID = d.選手ID "
                    u"AND f.選手ID = d.選手ID AND m.試合ID = d.試合ID AND f.試合ID = d.試合ID "
                    u"AND m.ｹﾞｰﾑ = d.ｹﾞｰﾑ AND f.ゲーム = d.ｹﾞｰﾑ AND m.S10 = d.S10"_s),
              rows);
    EXPECT_EQ(count(u"SELECT count(*) FROM データ項目 WHERE 競技点 <> S10 + HCP"_s), 0);
    EXPECT_EQ(count(u"SELECT count(*) FROM データ項目 d JOIN 試合 t ON t.試合ID = d.試合ID "
                    u"JOIN ハンデ h ON h.選手ID = d.選手ID AND h.シーズンID = t.シーズンID "
                    u"WHERE h.ハンデ = d.HCP"_s),
              rows);
}

TEST_F(SmallLeague, MatchRowsNameTheNightsWinner)
{
    const qint64 matches = count(u"SELECT count(*) FROM 試合"_s);
    EXPECT_EQ(matches, 3 * 4);
    EXPECT_EQ(count(u"SELECT count(DISTINCT 試合ID) FROM データ項目"_s), matches);
    EXPECT_EQ(count(u"SELECT count(*) FROM 試合 t JOIN データ項目 d ON d.試合ID = t.試合ID "
                    u"AND d.選手ID = t.１着ID AND d.入賞 = '１着' AND d.S10 = t.S10 "
                    u"AND d.競技点 = t.競技点"_s),
              matches);
}

TEST_F(SmallLeague, RanksCountsAndPlacingsAgreeWithTheScores)
{
    // 順位: one more than the games of the same game number that scored more.
    EXPECT_EQ(count(u"SELECT count(*) FROM データ項目 d WHERE 順位 <> 1 + (SELECT count(*) "
                    u"FROM データ項目 e WHERE e.試合ID = d.試合ID AND e.ｹﾞｰﾑ = d.ｹﾞｰﾑ "
                    u"AND e.S10 > d.S10)"_s),
              0);
    EXPECT_EQ(count(u"SELECT count(*) FROM データ項目 d WHERE 人数 <> (SELECT count(*) "
                    u"FROM データ項目 e WHERE e.試合ID = d.試合ID AND e.ｹﾞｰﾑ = d.ｹﾞｰﾑ)"_s),
              0);
    EXPECT_EQ(count(u"SELECT count(*) FROM データ項目 WHERE 上位 <> (人数 / 2.0 >= 順位)"_s), 0);
    // One best game and one placing per player and night; points only there.
    EXPECT_EQ(count(u"SELECT count(*) FROM (SELECT 試合ID, 選手ID, sum(当日 = 1) AS best, "
                    u"sum(trim(入賞) <> '') AS placed, sum(優Ｐ <> 0 AND trim(入賞) = '') AS stray "
                    u"FROM データ項目 GROUP BY 試合ID, 選手ID) WHERE best <> 1 OR placed <> 1 "
                    u"OR stray <> 0"_s),
              0);
    EXPECT_GT(count(u"SELECT sum(ｽﾌﾟﾘｯﾄ) FROM データ項目"_s), 0);
    EXPECT_GT(count(u"SELECT count(*) FROM フレーム WHERE pin11 <> -1"_s), 0);
    EXPECT_EQ(count(u"SELECT count(*) FROM データ項目 WHERE ST + SP > 12 OR S10 > 300"_s), 0);
}

TEST_F(SmallLeague, TheSameSeedGivesTheSameLeague)
{
    store::Database again;
    again.create(dir->filePath(u"again.mdb"_s));
    bench::generateLeague(again, bench::LeagueOptions::small());
    const QString games = u"SELECT * FROM データ項目 d JOIN マーク m ON m.ID = d.ID "
                          u"JOIN フレーム f ON f.ID = d.ID ORDER BY d.ID"_s;
    EXPECT_EQ(again.select(games), db->select(games));
    const QString others = u"SELECT * FROM 選手 NATURAL JOIN ハンデ ORDER BY ID"_s;
    EXPECT_EQ(again.select(others), db->select(others));
}

} // namespace
