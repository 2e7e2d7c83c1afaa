#include "store/database.h"
#include "store/recordset.h"
#include "support/builders.h"
#include "support/league_fixture.h"

#include <QDate>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using store::Recordset;
using store::RecordsetType;
using support::LeagueTest;

namespace {

QStringList strings(std::initializer_list<const char16_t *> list)
{
    QStringList out;
    for (const char16_t *s : list)
        out << QString::fromUtf16(s);
    return out;
}

// Every row of a recordset, the named fields joined by "|"; reals with two
// decimals, dates as yyyy-MM-dd.
QStringList rowsOf(Recordset &rs, const QStringList &fields)
{
    QStringList out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        QStringList cells;
        for (const QString &f : fields) {
            const QVariant v = rs.value(f);
            if (v.typeId() == QMetaType::Double)
                cells << QString::number(v.toDouble(), 'f', 2);
            else if (v.typeId() == QMetaType::QDate)
                cells << v.toDate().toString(Qt::ISODate);
            else
                cells << v.toString();
        }
        out << cells.join(u'|');
    }
    return out;
}

QStringList rowsOf(store::Database &db, const QString &source, const QStringList &fields)
{
    Recordset rs(db, source, RecordsetType::Snapshot);
    return rowsOf(rs, fields);
}

const QStringList kFigures = strings({u"優Ｐ計", u"上位", u"上位率", u"合計点", u"平均点", u"ST",
                                      u"ST平均", u"スペア", u"ｽﾍﾟｱﾐｽ", u"スペア率"});

} // namespace

TEST_F(LeagueTest, SavedQueriesHaveTheColumnsTheirReadersUse)
{
    struct Case
    {
        const char16_t *query;
        QStringList leading;
    };
    const Case cases[] = {
        {u"通算成績", strings({u"選手ID", u"選手名", u"ゲーム"}) + kFigures},
        {u"シーズン成績２", strings({u"シーズンID", u"選手ID", u"選手名", u"ゲーム"}) + kFigures},
        {u"選手別成績２", strings({u"選手ID", u"シーズンID", u"ｹﾞｰﾑ数"}) + kFigures},
        {u"選手別通算成績２", strings({u"選手ID", u"ｹﾞｰﾑ数"}) + kFigures},
        {u"全選手成績２", strings({u"選手ID", u"シーズンID", u"ｹﾞｰﾑ数"}) + kFigures},
        {u"全選手通算成績２", strings({u"選手ID", u"ｹﾞｰﾑ数"}) + kFigures},
        {u"多シーズン成績の元",
         strings({u"シーズンID", u"選手ID", u"試合ID", u"ｹﾞｰﾑ", u"優Ｐ", u"上位", u"S10", u"ST", u"SP",
                  u"SPF"})},
        {u"＿各試合のデータ項目統計",
         strings({u"選手名", u"試合日", u"Ｇ数", u"上位計", u"得点計", u"最高点", u"ST計", u"ST最大",
                  u"SP計", u"SP最大", u"試合ID"})},
        {u"シーズン降順", strings({u"シーズンID", u"シーズン時期", u"シーズン名"})},
        {u"選手名とHDCP", strings({u"ID", u"シーズンID", u"シーズン時期", u"選手ID", u"選手名", u"ハンデ"})},
        {u"他データ読み込み用ダイナ", strings({u"選手ID", u"選手名", u"シーズンID", u"ハンデ"})},
    };
    for (const Case &c : cases) {
        Recordset rs(db(), QString::fromUtf16(c.query), RecordsetType::Snapshot);
        EXPECT_EQ(rs.fieldNames().mid(0, c.leading.size()), c.leading)
            << QString::fromUtf16(c.query).toStdString();
    }

    Recordset book(db(), u"スコアブック"_s, RecordsetType::Snapshot);
    const QStringList names = book.fieldNames();
    EXPECT_EQ(names.mid(0, 12),
              strings({u"ID", u"選手ID", u"選手名", u"試合日", u"シーズンID", u"試合", u"試合ID", u"ｹﾞｰﾑ",
                       u"優Ｐ", u"入賞", u"S10", u"競技点"}));
    EXPECT_EQ(names.at(12), u"M11"_s);
    EXPECT_EQ(names.at(32), u"M03"_s);
    EXPECT_EQ(names.at(33), u"S1"_s);
    EXPECT_EQ(names.at(41), u"S9"_s);
    EXPECT_EQ(names.mid(42, 2), strings({u"会場名", u"シーズン名"}));
}

TEST_F(LeagueTest, AllTimeTotalsPerPlayerInWinPointOrder)
{
    EXPECT_EQ(rowsOf(db(), u"通算成績"_s,
                     strings({u"選手ID", u"選手名", u"ゲーム", u"優Ｐ計", u"上位", u"上位率", u"合計点",
                              u"平均点", u"ST", u"ST平均", u"スペア", u"ｽﾍﾟｱﾐｽ", u"スペア率"})),
              strings({u"2|鈴木|3|12|3|1.00|560|186.67|10|3.33|10|1|0.91",
                       // 10 points each: the better average first
                       u"3|O'Neil|1|10|1|1.00|190|190.00|4|4.00|4|0|1.00",
                       u"1|山田|4|10|1|0.25|660|165.00|10|2.50|12|7|0.63"}));
}

TEST_F(LeagueTest, SeasonTotalsBySeasonThenWinPoints)
{
    EXPECT_EQ(rowsOf(db(), u"シーズン成績２"_s,
                     strings({u"シーズンID", u"選手ID", u"選手名", u"ゲーム", u"優Ｐ計", u"合計点", u"平均点"})),
              strings({u"1|2|鈴木|3|12|560|186.67", u"1|1|山田|3|10|490|163.33",
                       u"2|3|O'Neil|1|10|190|190.00", u"2|1|山田|1|0|170|170.00"}));
}

TEST_F(LeagueTest, PersonalAndAllPlayersTables)
{
    const QStringList f = strings({u"選手ID", u"シーズンID", u"ｹﾞｰﾑ数", u"優Ｐ計", u"合計点", u"スペア率"});
    Recordset personal(db(), u"SELECT * FROM 選手別成績２ where 選手ID=1"_s, RecordsetType::Snapshot);
    EXPECT_EQ(rowsOf(personal, f), strings({u"1|1|3|10|490|0.60", u"1|2|1|0|170|0.75"}));
    EXPECT_EQ(rowsOf(db(), u"全選手成績２"_s, f),
              strings({u"0|1|6|22|1050|0.73", u"0|2|2|10|360|0.88"}));

    const QStringList g = strings({u"選手ID", u"ｹﾞｰﾑ数", u"優Ｐ計", u"合計点", u"ST平均"});
    EXPECT_EQ(rowsOf(db(), u"選手別通算成績２"_s, g),
              strings({u"1|4|10|660|2.50", u"2|3|12|560|3.33", u"3|1|10|190|4.00"}));
    EXPECT_EQ(rowsOf(db(), u"全選手通算成績２"_s, g), strings({u"0|8|32|1410|3.00"}));
}

TEST_F(LeagueTest, PerSeasonSourceHasOneRowPerGameWithItsSeason)
{
    Recordset rs(db(), u"多シーズン成績の元"_s, RecordsetType::Snapshot);
    EXPECT_EQ(rs.recordCount(), 8);
    rs.findFirst(u"選手ID = 3"_s);
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(rs.value(u"シーズンID"_s).toInt(), 2);
    EXPECT_EQ(rs.value(u"S10"_s).toInt(), 190);
}

TEST_F(LeagueTest, ScorebookListsEveryGameBySeasonMatchAndGame)
{
    EXPECT_EQ(rowsOf(db(), u"スコアブック"_s,
                     strings({u"ID", u"選手名", u"シーズンID", u"試合", u"ｹﾞｰﾑ", u"試合日", u"会場名",
                              u"シーズン名"})),
              strings({u"1|山田|1|1|1|2024-04-01|中央|春", u"2|鈴木|1|1|1|2024-04-01|中央|春",
                       u"3|山田|1|1|2|2024-04-01|中央|春", u"4|鈴木|1|1|2|2024-04-01|中央|春",
                       u"7|鈴木|1|2|1|2024-04-08|中央|春", u"8|山田|1|2|1|2024-04-08|中央|春",
                       // no venue recorded: the games still show
                       u"5|O'Neil|2|1|1|2024-10-01||秋", u"6|山田|2|1|1|2024-10-01||秋"}));
    Recordset rs(db(), u"スコアブック"_s, RecordsetType::Snapshot);
    EXPECT_EQ(rs.value(u"M11"_s).toString(), u"9"_s);
    EXPECT_EQ(rs.value(u"S10"_s).toInt(), 200);
    EXPECT_EQ(rs.value(u"競技点"_s).toInt(), 210);
    EXPECT_EQ(rs.value(u"S5"_s).toInt(), 100);
}

TEST_F(LeagueTest, PerMatchFiguresForEachPlayer)
{
    EXPECT_EQ(rowsOf(db(), u"＿各試合のデータ項目統計"_s,
                     strings({u"試合ID", u"選手名", u"試合日", u"Ｇ数", u"上位計", u"得点計", u"最高点",
                              u"ST計", u"ST最大", u"SP計", u"SP最大"})),
              strings({u"1|山田|2024-04-01|2|1|350|200|7|5|7|4",
                       u"1|鈴木|2024-04-01|2|2|340|180|4|3|8|5",
                       u"2|山田|2024-04-08|1|0|140|140|1|1|2|2",
                       u"2|鈴木|2024-04-08|1|1|220|220|6|6|2|2",
                       u"3|山田|2024-10-01|1|0|170|170|2|2|3|3",
                       u"3|O'Neil|2024-10-01|1|1|190|190|4|4|4|4"}));
}

TEST_F(LeagueTest, SeasonsNewestFirstAndHandicapsWithNames)
{
    EXPECT_EQ(rowsOf(db(), u"シーズン降順"_s, strings({u"シーズンID", u"シーズン名", u"シーズン時期"})),
              strings({u"2|秋|2024後期", u"1|春|2024前期"}));
    EXPECT_EQ(rowsOf(db(), u"選手名とHDCP"_s,
                     strings({u"ID", u"シーズンID", u"シーズン時期", u"選手ID", u"選手名", u"ハンデ"})),
              strings({u"1|1|2024前期|1|山田|10", u"2|1|2024前期|2|鈴木|20"}));
    // Every player, with a handicap row or without one.
    EXPECT_EQ(rowsOf(db(), u"他データ読み込み用ダイナ"_s,
                     strings({u"選手ID", u"選手名", u"シーズンID", u"ハンデ"})),
              strings({u"0|全　員||", u"1|山田|1|10", u"2|鈴木|1|20", u"3|O'Neil||"}));
}

TEST_F(LeagueTest, FirstPlacesMatchThePaddedPlacing)
{
    Recordset rs(db(), u"SELECT * FROM スコアブック WHERE 入賞='１着'"_s, RecordsetType::Snapshot);
    EXPECT_EQ(rs.recordCount(), 3);
}

namespace {

// The per-match figures grouped straight from the game rows: what
// ＿各試合のデータ項目統計 must hold, in its order.
const QString kPerMatchFromGames =
    u"SELECT 選手.選手名, g.* FROM (SELECT d.試合ID AS 試合ID, d.選手ID AS 選手ID, Min(d.試合日), "
    u"Count(*), Sum(d.上位), Sum(d.S10), Max(d.S10), Sum(d.ST), Max(d.ST), Sum(d.SP), Max(d.SP) "
    u"FROM データ項目 AS d GROUP BY d.試合ID, d.選手ID) AS g LEFT JOIN 選手 ON 選手.選手ID = g.選手ID "
    u"ORDER BY g.試合ID, g.選手ID"_s;

const QString kPerMatchView =
    u"SELECT 選手名, 試合ID, 選手ID, 試合日, Ｇ数, 上位計, 得点計, 最高点, ST計, ST最大, SP計, SP最大 "
    u"FROM ＿各試合のデータ項目統計"_s;

// Rows with each value's SQLite type, so 150 and 150.0 or '' and Null differ.
QStringList typedRows(store::Database &db, const QString &sql)
{
    QStringList out;
    const QList<QVariantList> rows = db.select(sql);
    for (const QVariantList &r : rows) {
        QStringList cells;
        for (const QVariant &v : r)
            cells << (v.isNull() ? u"NULL"_s : QString::fromLatin1(v.typeName()) + u':' + v.toString());
        out << cells.join(u'|');
    }
    return out;
}

} // namespace

TEST_F(LeagueTest, PerMatchFiguresFollowEveryChangeOfTheGameRows)
{
    const auto same = [&](const char *step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(typedRows(db(), kPerMatchView), typedRows(db(), kPerMatchFromGames));
    };
    same("stored league");
    ASSERT_EQ(db().scalar(u"SELECT count(*) FROM ＿各試合のデータ項目統計"_s).toInt(), 6);

    support::GameSpec g;
    g.playerId = 1;
    g.matchId = 1;
    g.game = 3;
    g.score = 250;
    g.strikes = 9;
    const qint64 added = support::addGame(db(), g);
    same("a game added to a match and player");
    db().exec(u"UPDATE データ項目 SET S10 = 90, ST = NULL, 上位 = 1 WHERE ID = ?"_s, {added});
    same("figures changed");
    db().exec(u"UPDATE データ項目 SET 試合ID = 2, 選手ID = 3, 試合日 = NULL WHERE ID = ?"_s, {added});
    same("the game moved to another match and player");
    db().exec(u"UPDATE データ項目 SET 試合ID = NULL, 選手ID = NULL WHERE ID = 1"_s);
    same("a game without match and player");
    db().exec(u"UPDATE データ項目 SET 選手ID = 2 WHERE ID = 3"_s);
    same("a player's only game of a match given to another");
    db().deleteGame(5);
    same("a match's game deleted");
    db().exec(u"DELETE FROM マーク WHERE ID = 2"_s);
    same("a game deleted through its marks");
    db().exec(u"DELETE FROM データ項目"_s);
    same("every game deleted");
    EXPECT_EQ(db().scalar(u"SELECT count(*) FROM ＿試合別選手集計"_s).toInt(), 0);
}

TEST(SavedQueriesUpgrade, AnOlderFileGetsItsPerMatchTotalsWorkedOut)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"old.mdb"_s);
    QStringList expected;
    {
        store::Database old;
        old.create(path);
        support::addPlayer(old, 1, u"山田"_s);
        for (int match = 1; match <= 3; ++match)
            for (int game = 1; game <= 2; ++game) {
                support::GameSpec g;
                g.playerId = 1;
                g.matchId = match;
                g.game = game;
                g.score = 100 + 10 * match + game;
                support::addGame(old, g);
            }
        expected = typedRows(old, kPerMatchFromGames);
        // A file of the first layout: the view grouped the game rows itself.
        old.exec(u"DROP TABLE ＿試合別選手集計"_s);
        for (const QString &t : {u"追加"_s, u"削除"_s, u"変更"_s})
            old.exec(u"DROP TRIGGER ＿試合別選手集計_"_s + t);
        old.exec(u"DROP VIEW ＿各試合のデータ項目統計"_s);
        old.exec(u"CREATE VIEW ＿各試合のデータ項目統計 AS SELECT 1 AS 選手名"_s);
        old.exec(u"PRAGMA user_version = 1"_s);
    }
    store::Database db;
    db.open(path);
    EXPECT_EQ(db.schemaVersion(), store::Database::kSchemaVersion);
    ASSERT_EQ(expected.size(), 3);
    EXPECT_EQ(typedRows(db, kPerMatchView), expected);
    support::GameSpec g;
    g.playerId = 1;
    g.matchId = 3;
    g.game = 3;
    g.score = 300;
    support::addGame(db, g);
    EXPECT_EQ(typedRows(db, kPerMatchView), typedRows(db, kPerMatchFromGames));
}
