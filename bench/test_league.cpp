#include "bench/league.h"
#include "store/database.h"
#include "store/schema.h"

#include <QHash>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

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
                    u"WHERE h.ハンデ = d.HCP AND d.試合日 = t.試合日"_s),
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
    // The venue of a night is the same on all its games.
    EXPECT_EQ(count(u"SELECT count(*) FROM (SELECT 試合ID FROM データ項目 GROUP BY 試合ID "
                    u"HAVING count(DISTINCT 会場ID) <> 1)"_s),
              0);
}

TEST_F(SmallLeague, RanksAndBestGamesAgreeWithTheScores)
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
    // 当日: 1 for the player's best game of the night, one less for each game
    // that beat it (a higher score, or an equal one bowled later).
    EXPECT_EQ(count(u"SELECT count(*) FROM データ項目 d WHERE 当日 <> 1 - (SELECT count(*) "
                    u"FROM データ項目 e WHERE e.試合ID = d.試合ID AND e.選手ID = d.選手ID "
                    u"AND (e.S10 > d.S10 OR (e.S10 = d.S10 AND e.ｹﾞｰﾑ > d.ｹﾞｰﾑ)))"_s),
              0);
    // The placing and the points sit on the best game with handicap (the later
    // of two equal ones) and nowhere else.
    EXPECT_EQ(count(u"SELECT count(*) FROM データ項目 d WHERE (trim(入賞) <> '') <> NOT EXISTS "
                    u"(SELECT 1 FROM データ項目 e WHERE e.試合ID = d.試合ID AND e.選手ID = d.選手ID "
                    u"AND (e.競技点 > d.競技点 OR (e.競技点 = d.競技点 AND e.ｹﾞｰﾑ > d.ｹﾞｰﾑ)))"_s),
              0);
    EXPECT_EQ(count(u"SELECT count(*) FROM データ項目 WHERE 優Ｐ <> 0 AND trim(入賞) = ''"_s), 0);
}

// The night's places recomputed from the stored games: a player's best three
// games with handicap, compared in turn (a game not bowled counts 0); equal
// players share the better place.
TEST_F(SmallLeague, PlacingsAndPointsFollowTheBestGamesWithHandicap)
{
    struct Player
    {
        std::array<int, 3> best {};
        int games = 0;
        QString placing;
        int points = 0;
    };
    QHash<int, QHash<int, Player>> nights;
    for (const QVariantList &r : db->select(
             u"SELECT 試合ID, 選手ID, 競技点, 入賞, 優Ｐ FROM データ項目 ORDER BY 競技点 DESC"_s)) {
        Player &p = nights[r[0].toInt()][r[1].toInt()];
        if (p.games < 3)
            p.best[std::size_t(p.games)] = r[2].toInt();
        ++p.games;
        if (!r[3].toString().trimmed().isEmpty()) {
            p.placing = r[3].toString();
            p.points = r[4].toInt();
        }
    }
    ASSERT_EQ(nights.size(), 12);
    int placed = 0;
    for (auto night = nights.cbegin(); night != nights.cend(); ++night) {
        const int n = int(night->size());
        for (auto p = night->cbegin(); p != night->cend(); ++p) {
            int place = 1;
            for (const Player &q : *night)
                place += q.best > p->best;
            const QString text = place <= 9
                ? QString(QChar(u'０' + place)) + u"着  "_s
                : QString::number(place) + u"着 "_s;
            EXPECT_EQ(p->placing, text) << "match " << night.key() << " player " << p.key();
            // Upper-weighted points; the lower places earn none in a small field.
            int points = place == 1 ? n + 9 : place == 2 ? n + 4 : place == 3 ? n + 1 : n - 2 * place + 1;
            if (points < 0 || (n < 6 && place >= 3) || (n <= 3 && place >= 2))
                points = 0;
            EXPECT_EQ(p->points, points) << "match " << night.key() << " player " << p.key();
            ++placed;
        }
    }
    EXPECT_EQ(placed, count(u"SELECT count(*) FROM (SELECT DISTINCT 試合ID, 選手ID FROM データ項目)"_s));
}

// Pins of a ball from its mark code; a spare takes the rest of the rack.
int pinsOf(int code, int before)
{
    if (code >= 0 && code <= 10)
        return code;
    if (code == 20)
        return 10 - before;
    return 0; // miss, foul
}

// The running scores and the counts of one game, worked out from its stored
// mark codes by the ordinary rules of ten-pin scoring.
struct Recount
{
    std::array<int, 11> running {};
    int strikes = 0, spares = 0, open = 0;
};

Recount recount(const std::array<int, 21> &code)
{
    Recount r;
    QList<int> rolls;
    QList<int> frameStart;
    for (int f = 0; f < 9; ++f) {
        frameStart << int(rolls.size());
        const int first = code[std::size_t(2 * f)];
        rolls << pinsOf(first, 0);
        if (first == 10) {
            ++r.strikes;
            continue;
        }
        const int second = code[std::size_t(2 * f + 1)];
        rolls << pinsOf(second, rolls.back());
        if (second == 20)
            ++r.spares;
        else
            ++r.open;
    }
    frameStart << int(rolls.size());
    int rack = 0; // pins already down in the rack of the tenth frame
    for (int i = 18; i <= 20; ++i) {
        const int c = code[std::size_t(i)];
        if (c == 30)
            break;
        const int pins = pinsOf(c, rack);
        rolls << pins;
        r.strikes += c == 10;
        r.spares += c == 20;
        rack = (c == 10 || c == 20) ? 0 : rack + pins;
    }
    // Open tenth frame: no strike and no spare in its first rack; a strike
    // followed by two balls that leave pins standing also leaves one open.
    if (code[18] != 10 && code[19] != 20)
        ++r.open;
    if (code[18] == 10 && code[19] != 10 && code[20] != 20)
        ++r.open;
    int total = 0;
    for (int f = 0; f < 10; ++f) {
        const int at = frameStart[f];
        const int first = rolls.value(at);
        if (f < 9 && first == 10)
            total += 10 + rolls.value(at + 1) + rolls.value(at + 2);
        else if (f < 9 && first + rolls.value(at + 1) == 10)
            total += 10 + rolls.value(at + 2);
        else if (f < 9)
            total += first + rolls.value(at + 1);
        else
            total += first + rolls.value(at + 1) + rolls.value(at + 2);
        r.running[std::size_t(f + 1)] = total;
    }
    return r;
}

TEST_F(SmallLeague, ScoresAndBallCountsAgreeWithTheStoredMarks)
{
    const QStringList balls = store::schema::ballSuffixes();
    QString columns = u"d.ID, d.S10, d.ST, d.SP, d.SPF, d.ｽﾌﾟﾘｯﾄ"_s;
    for (int f = 1; f <= 10; ++f)
        columns += u", m.S"_s + QString::number(f);
    for (const QString &b : balls)
        columns += u", f.Flms"_s + b;
    for (const QString &b : balls)
        columns += u", m.M"_s + b;
    // The texts a slot shows for each code; a split shows its pin count and "s".
    const QHash<int, QString> captions{
        {0, u"Ｇ"_s},  {1, u"１"_s},  {2, u"２"_s},  {3, u"３"_s},  {4, u"４"_s},
        {5, u"５"_s},  {6, u"６"_s},  {7, u"７"_s},  {8, u"８"_s},  {9, u"９"_s},
        {10, u"＊"_s}, {19, u"－"_s}, {20, u"／"_s}, {21, u"Ｆ"_s}, {30, u"　"_s}};
    const auto games = db->select(u"SELECT "_s + columns
                                  + u" FROM データ項目 d JOIN マーク m ON m.ID = d.ID "
                                    u"JOIN フレーム f ON f.ID = d.ID"_s);
    ASSERT_EQ(games.size(), rows);
    int splitGames = 0;
    for (const QVariantList &g : games) {
        const qint64 id = g[0].toLongLong();
        std::array<int, 21> code {};
        int splits = 0;
        for (int i = 0; i < 21; ++i) {
            code[std::size_t(i)] = g[16 + i].toInt();
            const QString text = g[37 + i].toString();
            if (text == QString::number(code[std::size_t(i)]) + u"s"_s)
                ++splits;
            else
                EXPECT_EQ(text, captions.value(code[std::size_t(i)], u"?"_s)) << "ID " << id << " ball " << i;
        }
        const Recount r = recount(code);
        for (int f = 1; f <= 10; ++f)
            EXPECT_EQ(g[5 + f].toInt(), r.running[std::size_t(f)]) << "ID " << id << " frame " << f;
        EXPECT_EQ(g[1].toInt(), r.running[10]) << "ID " << id;
        EXPECT_EQ(g[2].toInt(), r.strikes) << "ID " << id;
        EXPECT_EQ(g[3].toInt(), r.spares) << "ID " << id;
        EXPECT_EQ(g[4].toInt(), r.open) << "ID " << id; // splits count as missed spares too
        EXPECT_EQ(g[5].toInt(), splits) << "ID " << id;
        splitGames += splits > 0;
    }
    EXPECT_GT(splitGames, 0);
    EXPECT_GT(count(u"SELECT count(*) FROM フレーム WHERE pin11 <> -1"_s), 0);
    EXPECT_GT(count(u"SELECT count(*) FROM フレーム WHERE pin11 = -1"_s), 0);
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
    const QString matches = u"SELECT * FROM 試合 ORDER BY 試合ID"_s;
    EXPECT_EQ(again.select(matches), db->select(matches));
}

// A player who misses a game of the night: that game is not stored and the
// game's field is one bowler smaller.
TEST(LeagueNight, AGameNotBowledIsLeftOut)
{
    QTemporaryDir dir;
    store::Database db;
    db.create(dir.filePath(u"Pinora.mdb"_s));
    db.exec(u"INSERT INTO 選手 (選手ID, 選手名) VALUES (1, 'A'), (2, 'B'), (3, 'C')"_s);
    QList<bench::Bowler> bowlers;
    for (int id = 1; id <= 3; ++id) {
        bench::Bowler b;
        b.id = id;
        b.name = QString(QChar(u'@' + id));
        bowlers << b;
    }
    config::MatchGlobals match;
    match.siai_id = 5;
    match.srs_id = 1;
    match.siai_no = 2;
    match.siai_yy = 2024;
    match.siai_mm = 6;
    match.siai_dd = 7;
    match.kaijo_id = 1;
    bench::Random rnd(3);
    bench::Night night = bench::makeNight(rnd, bowlers, match, 3, false);
    bench::missGame(night, 1, 1);
    const results::Commit_outcome out = bench::storeNight(db, night);
    EXPECT_EQ(out.game_rows, 8);
    EXPECT_EQ(db.select(u"SELECT ｹﾞｰﾑ FROM データ項目 WHERE 選手ID = 2 ORDER BY ｹﾞｰﾑ"_s),
              (QList<QVariantList>{{1}, {3}}));
    EXPECT_EQ(db.select(u"SELECT ｹﾞｰﾑ, 人数 FROM データ項目 WHERE 選手ID = 1 ORDER BY ｹﾞｰﾑ"_s),
              (QList<QVariantList>{{1, 3}, {2, 2}, {3, 3}}));
    EXPECT_EQ(db.scalar(u"SELECT count(*) FROM 試合 WHERE 試合ID = 5 AND 試合日 = '2024-06-07'"_s).toInt(),
              1);
}

} // namespace
