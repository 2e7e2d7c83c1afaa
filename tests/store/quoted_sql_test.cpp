// The program's own SQL texts, criteria and sort texts, as the screens build
// them, run through the Jet-dialect rewrite on a database made by the store's
// create function.

#include "store/jet_sql.h"
#include "support/builders.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <algorithm>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

struct Result
{
    QStringList names;
    QList<QStringList> rows;
    QString error;

    // Values of the named columns (stored spelling), joined by "|", one entry per row.
    QStringList columns(const QString &wanted) const
    {
        QList<qsizetype> at;
        for (const QString &w : wanted.split(u'|')) {
            const qsizetype i = names.indexOf(w);
            at.append(i);
        }
        QStringList out;
        for (const QStringList &row : rows) {
            QStringList v;
            for (qsizetype i : at)
                v.append(i < 0 ? u"<no column>"_s : row.at(i));
            out.append(v.join(u'|'));
        }
        return out;
    }
};

// The match-range and season texts of the statistics screens, cut where the
// screens insert their numbers.
const QString kFigures = u"Count(データ項目.ｹﾞｰﾑ) AS ゲーム, Sum(データ項目.優Ｐ) AS 優Ｐ計, Sum(データ項目.上位) AS 上位, "
                         "Avg(データ項目.上位) AS 上位率, Sum(データ項目.S10) AS 合計点, Avg(データ項目.S10) AS 平均点, "
                         "Sum(データ項目.ST) AS ST, Avg(データ項目.ST) AS ST平均, Sum(データ項目.SP) AS スペア, "
                         "Sum(データ項目.SPF) AS ｽﾍﾟｱﾐｽ, "_s;
const QString kPlayerJoin = u"FROM 選手 RIGHT JOIN (試合 RIGHT JOIN データ項目 ON 試合.試合ID = データ項目.試合ID) "
                            "ON 選手.選手ID = データ項目.選手ID "_s;
const QString kOrder = u"ORDER BY Sum(データ項目.優Ｐ) DESC , Avg(データ項目.S10) DESC;"_s;

QString seasonQuery(int season)
{
    return u"SELECT DISTINCTROW 試合.シーズンID, データ項目.選手ID, 選手.選手名, "_s + kFigures
        + u"[スペア]/([スペア]+[ｽﾍﾟｱﾐｽ]+0.000001) AS スペア率 "_s + kPlayerJoin
        + u"GROUP BY 試合.シーズンID, データ項目.選手ID, 選手.選手名 HAVING (((試合.シーズンID)="_s
        + QString::number(season) + u")) ORDER BY 試合.シーズンID, Sum(データ項目.優Ｐ) DESC , Avg(データ項目.S10) DESC;"_s;
}

QString matchRangeQuery(int first, int last)
{
    return u"SELECT DISTINCTROW  First(選手.選手名) AS 選手名, "_s + kFigures
        + u"[スペア]/([スペア]+[ｽﾍﾟｱﾐｽ]) AS スペア率 "_s + kPlayerJoin + u"WHERE (((試合.試合ID) Between "_s
        + QString::number(first) + u" And "_s + QString::number(last) + u" )) GROUP BY データ項目.選手ID "_s + kOrder;
}

QString seasonToDateQuery(const QString &seasonLabel, int matchNumber)
{
    return u"SELECT DISTINCTROW 選手.選手名, "_s + kFigures + u"[スペア]/([スペア]+[ｽﾍﾟｱﾐｽ]) AS スペア率 "_s
        + kPlayerJoin + u"WHERE (((試合.シーズンID)="_s + seasonLabel + u") AND ((試合.試合)<="_s
        + QString::number(matchNumber) + u")) GROUP BY 選手.選手名 "_s + kOrder;
}

QString marks(const QString &table)
{
    QStringList m;
    for (const char *b : {"11", "12", "21", "22", "31", "32", "41", "42", "51", "52", "61", "62", "71", "72", "81",
                          "82", "91", "92", "01", "02", "03"})
        m.append(table + u".M"_s + QString::fromLatin1(b));
    return m.join(u", "_s);
}

QString totals(int last)
{
    QStringList s;
    for (int i = 1; i <= last; ++i)
        s.append(u"マーク.S"_s + QString::number(i));
    return s.join(u", "_s);
}

// The scorebook's list of games.
QString scorebookQuery()
{
    return u"SELECT DISTINCTROW データ項目.ID, "_s + totals(9)
        + u", 選手.選手名, 試合.シーズンID, 試合.試合, データ項目.ｹﾞｰﾑ, データ項目.優Ｐ, データ項目.入賞, データ項目.S10, "
          "データ項目.競技点, "_s
        + marks(u"マーク"_s)
        + u", データ項目.試合日, 会場.会場名, データ項目.試合ID, データ項目.選手ID, シーズン.シーズン名 FROM シーズン RIGHT "
          "JOIN (マーク INNER JOIN (選手 INNER JOIN (試合 INNER JOIN (会場 RIGHT JOIN データ項目 ON 会場.会場ID = "
          "データ項目.会場ID) ON 試合.試合ID = データ項目.試合ID) ON 選手.選手ID = データ項目.選手ID) ON マーク.ID = "
          "データ項目.ID) ON シーズン.シーズンID = 試合.シーズンID ORDER BY 試合.シーズンID, 試合.試合, データ項目.ｹﾞｰﾑ;"_s;
}

// The personal records list for one player (or 0 for everybody) and a category.
QString personalQuery(int player, int category)
{
    static const char *const onePlayer[] = {
        ") AND ((データ項目.優Ｐ)>0)) ORDER BY データ項目.試合ID, データ項目.優Ｐ DESC;",
        ") AND (データ項目.入賞='１着')) ORDER BY データ項目.試合ID;",
        ")) ORDER BY データ項目.S10 DESC;",
        ")) ORDER BY データ項目.競技点 DESC;",
        ")) ORDER BY データ項目.試合ID,データ項目.ｹﾞｰﾑ;",
        ") AND (データ項目.当日=1)) ORDER BY データ項目.試合ID;",
        ")) ORDER BY データ項目.ST DESC,データ項目.試合ID;",
        ")) ORDER BY データ項目.SP DESC,データ項目.試合ID;",
    };
    static const char *const everybody[] = {
        " WHERE ((データ項目.優Ｐ)>0) ORDER BY データ項目.試合ID, データ項目.優Ｐ DESC;",
        " WHERE (データ項目.入賞='１着') ORDER BY データ項目.試合ID;",
        " ORDER BY データ項目.S10 DESC;",
        " ORDER BY データ項目.競技点 DESC;",
        " ORDER BY データ項目.試合ID,データ項目.ｹﾞｰﾑ;",
        " WHERE ((データ項目.当日)=1) ORDER BY データ項目.試合ID,データ項目.競技点 desc;",
        " ORDER BY データ項目.ST DESC,データ項目.試合ID;",
        " ORDER BY データ項目.SP DESC,データ項目.試合ID;",
    };
    const QString head = u"SELECT DISTINCTROW データ項目.ID, データ項目.選手ID, 選手.選手名, データ項目.試合ID, "
                         "データ項目.ｹﾞｰﾑ, データ項目.優Ｐ, データ項目.上位, データ項目.S10, データ項目.ST, データ項目.SP, "
                         "データ項目.SPF, データ項目.当日, データ項目.入賞, データ項目.競技点, データ項目.HCP, "
                         "データ項目.試合日, "_s
        + marks(u"マーク"_s) + u", "_s + totals(9)
        + u" FROM 選手 RIGHT JOIN (マーク INNER JOIN データ項目 ON マーク.ID = データ項目.ID) ON 選手.選手ID = "
          "データ項目.選手ID"_s;
    if (player == 0)
        return head + QString::fromUtf8(everybody[category]);
    return head + u" WHERE (((データ項目.選手ID)="_s + QString::number(player) + QString::fromUtf8(onePlayer[category]);
}

// The data editing screen's games of one match (and player, unless 0).
QString editingQuery(int match, int player)
{
    QString s = u"SELECT DISTINCTROW データ項目.ID, データ項目.試合ID, マーク.試合ID, データ項目.ｹﾞｰﾑ, マーク.ｹﾞｰﾑ, 選手.選手名, "
                "データ項目.選手ID, マーク.選手ID,"_s
        + u" データ項目.優Ｐ, データ項目.上位, データ項目.S10, マーク.S10, データ項目.ST, データ項目.SP, データ項目.SPF, "
          "データ項目.ｽﾌﾟﾘｯﾄ, データ項目.当日,"_s
        + u" データ項目.入賞, データ項目.競技点, データ項目.HCP, データ項目.人数, データ項目.順位, データ項目.会場ID, "
          "データ項目.試合日,"_s
        + u" マーク.M11, マーク.M12, マーク.M21, マーク.M22, マーク.M31, マーク.M32, マーク.M41, マーク.M42, マーク.M51, "
          "マーク.M52, マーク.M61, マーク.M62,"_s
        + u" マーク.M71, マーク.M72, マーク.M81, マーク.M82, マーク.M91, マーク.M92, マーク.M01, マーク.M02, マーク.M03,"_s
        + u" マーク.S1, マーク.S2, マーク.S3, マーク.S4, マーク.S5, マーク.S6, マーク.S7, マーク.S8, マーク.S9, マーク.S10, "
          "会場.会場名, シーズン.シーズン名, 試合.試合"_s
        + u" FROM シーズン RIGHT JOIN (マーク INNER JOIN (選手 INNER JOIN (試合 INNER JOIN (会場 RIGHT JOIN データ項目 "
          "ON 会場.会場ID = データ項目.会場ID) ON 試合.試合ID = データ項目.試合ID)"_s
        + u" ON 選手.選手ID = データ項目.選手ID) ON マーク.ID = データ項目.ID) ON シーズン.シーズンID = 試合.シーズンID"_s
        + u" WHERE (((データ項目.試合ID)="_s + QString::number(match);
    if (player != 0)
        s += u") AND ((データ項目.選手ID)="_s + QString::number(player);
    s += u"))"_s;
    s += u" ORDER BY データ項目.試合ID, データ項目.ｹﾞｰﾑ, データ項目.選手ID;"_s;
    return s;
}

// The flash report's games of one match.
QString matchGamesQuery(int match)
{
    return u"SELECT DISTINCTROW "_s + totals(10)
        + u", 選手.選手名, データ項目.ｹﾞｰﾑ, データ項目.優Ｐ, データ項目.入賞, データ項目.競技点, "_s + marks(u"マーク"_s)
        + u", データ項目.試合日, 会場.会場名, データ項目.試合ID, データ項目.選手ID FROM マーク INNER JOIN (選手 INNER JOIN "
          "(会場 RIGHT JOIN データ項目 ON 会場.会場ID = データ項目.会場ID) ON 選手.選手ID = データ項目.選手ID) ON "
          "マーク.ID = データ項目.ID WHERE (((データ項目.試合ID)="_s
        + QString::number(match) + u")) ORDER BY データ項目.ｹﾞｰﾑ;"_s;
}

QString seasonsGroupedQuery()
{
    return u"SELECT DISTINCTROW 多シーズン成績の元.シーズンID, Count(多シーズン成績の元.ｹﾞｰﾑ) AS ゲーム, "
           "Sum(多シーズン成績の元.優Ｐ) AS 優Ｐ計, Sum(多シーズン成績の元.上位) AS 上位, Avg(多シーズン成績の元.上位) AS "
           "上位率, Sum(多シーズン成績の元.S10) AS 合計点, Avg(多シーズン成績の元.S10) AS 平均点, "
           "Sum(多シーズン成績の元.ST) AS ST, Avg(多シーズン成績の元.ST) AS ST平均, Sum(多シーズン成績の元.SP) AS スペア, "
           "Sum(多シーズン成績の元.SPF) AS ｽﾍﾟｱﾐｽ, [スペア]/([スペア]+[ｽﾍﾟｱﾐｽ]) AS スペア率 From 多シーズン成績の元 GROUP "
           "BY 多シーズン成績の元.シーズンID ORDER BY 多シーズン成績の元.シーズンID, Sum(多シーズン成績の元.優Ｐ) DESC , "
           "Avg(多シーズン成績の元.S10) DESC;"_s;
}

// Two seasons, three matches, eight games. Player 9 bowled a game but has
// no row in 選手 (the outer joins must keep the game).
class QuotedSql : public support::DatabaseTest
{
protected:
    void SetUp() override
    {
        support::addPlayer(db(), 1, u"青木"_s);
        support::addPlayer(db(), 2, u"O'Neil"_s);
        support::addPlayer(db(), 3, u"佐藤"_s);
        ASSERT_EQ(support::addSeason(db(), u"春"_s, u"2024前期"_s), 1);
        ASSERT_EQ(support::addSeason(db(), u"秋"_s, u"2024後期"_s), 2);
        ASSERT_EQ(support::addVenue(db(), u"中央ボウル"_s), 1);
        support::addHandicap(db(), 2, 1, 15);
        support::addMatch(db(), {1, 1, 1, QDate(2024, 4, 1), 1, 150, 160});
        support::addMatch(db(), {2, 1, 2, QDate(2024, 4, 8), 2, 200, 205});
        support::addMatch(db(), {3, 2, 1, QDate(2024, 10, 7), 1, 180, 190});

        struct Row
        {
            int player, match, game, score, points, upper, st, sp, spf, day;
            const char *placing;
            int hcp;
        } rows[] = {
            {1, 1, 1, 150, 5, 1, 3, 4, 2, 1, "１着  ", 10}, // ID 1
            {1, 1, 2, 120, 0, 0, 1, 3, 3, 0, "", 10},        // ID 2
            {2, 1, 1, 130, 0, 0, 2, 2, 1, 0, "", 5},         // ID 3
            {2, 1, 2, 140, 0, 1, 2, 5, 0, 1, "２着  ", 5},   // ID 4
            {2, 2, 1, 200, 6, 1, 6, 3, 0, 1, "１着  ", 5},   // ID 5
            {3, 2, 1, 100, 0, 0, 0, 0, 0, 1, "２着  ", 0},   // ID 6
            {1, 3, 1, 180, 4, 1, 5, 2, 1, 1, "１着  ", 10},  // ID 7
            {9, 3, 1, 90, 0, 0, 0, 1, 1, 1, "２着  ", 0},    // ID 8
        };
        qint64 expectedId = 1;
        for (const Row &r : rows) {
            support::GameSpec g;
            g.playerId = r.player;
            g.matchId = r.match;
            g.game = r.game;
            g.score = r.score;
            g.winPoints = r.points;
            g.upper = r.upper;
            g.strikes = r.st;
            g.spares = r.sp;
            g.missed = r.spf;
            g.dayRank = r.day;
            g.placing = QString::fromUtf8(r.placing);
            g.handicap = r.hcp;
            g.date = r.match == 1 ? QDate(2024, 4, 1) : r.match == 2 ? QDate(2024, 4, 8) : QDate(2024, 10, 7);
            g.venueId = r.match == 1 ? 1 : 0;
            ASSERT_EQ(support::addGame(db(), g), expectedId++);
        }
        // 競技点 is the score plus the handicap.
        db().exec(u"UPDATE データ項目 SET 競技点 = S10 + HCP"_s);
    }

    Result query(const QString &sqlite)
    {
        Result r;
        sqlite3_stmt *st = nullptr;
        const QByteArray utf8 = sqlite.toUtf8();
        if (sqlite3_prepare_v2(db().handle(), utf8.constData(), int(utf8.size()), &st, nullptr) != SQLITE_OK) {
            r.error = QString::fromUtf8(sqlite3_errmsg(db().handle())) + u"\n"_s + sqlite;
            return r;
        }
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            r.names.append(QString::fromUtf8(sqlite3_column_name(st, c)));
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            QStringList values;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
                values.append(text ? QString::fromUtf8(text) : u"NULL"_s);
            }
            r.rows.append(values);
        }
        if (rc != SQLITE_DONE)
            r.error = QString::fromUtf8(sqlite3_errmsg(db().handle()));
        sqlite3_finalize(st);
        return r;
    }

    // A Jet SQL text, run.
    Result jet(const QString &text) { return query(store::toSqlite(text, db().catalog())); }

    // The rows of a table, a saved query or an SQL text that a criterion
    // (Filter / FindFirst) selects and a sort text orders, the criterion and
    // sort being read against the source's own columns.
    Result filtered(const QString &source, const QString &criterion, const QString &sort = {})
    {
        const store::Catalog &catalog = db().catalog();
        QString from;
        QStringList columns;
        if (const store::Catalog::Relation *r = catalog.relation(source)) {
            from = u'"' + r->name + u'"';
            columns = r->columns;
        } else {
            QString inner = store::toSqlite(source, catalog).trimmed();
            while (inner.endsWith(u';'))
                inner.chop(1);
            columns = query(inner).names;
            from = u'(' + inner + u')';
        }
        QString sql = u"SELECT * FROM "_s + from;
        if (!criterion.isEmpty())
            sql += u" WHERE "_s + store::toSqlite(criterion, catalog, columns);
        if (!sort.isEmpty())
            sql += u" ORDER BY "_s + store::toSqlite(sort, catalog, columns);
        return query(sql);
    }
};

TEST_F(QuotedSql, AllTimeTableByPlayer)
{
    const Result all = jet(u"SELECT * FROM 通算成績"_s);
    ASSERT_TRUE(all.error.isEmpty()) << qPrintable(all.error);
    EXPECT_EQ(all.columns(u"選手ID|選手名|ゲーム|優Ｐ計|合計点"_s),
              (QStringList{u"1|青木|3|9|450"_s, u"2|O'Neil|3|6|470"_s, u"3|佐藤|1|0|100"_s, u"9|NULL|1|0|90"_s}));

    // The milestone check reads one player's row, the game just stored included.
    const Result one = jet(u"SELECT * FROM 通算成績 where 選手ID="_s + QString::number(2));
    EXPECT_EQ(one.columns(u"選手名|ゲーム|ST|スペア|ｽﾍﾟｱﾐｽ"_s), QStringList{u"O'Neil|3|10|10|1"_s});
}

TEST_F(QuotedSql, SeasonTableGuardsTheSpareRate)
{
    const Result r = jet(seasonQuery(1));
    ASSERT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
    EXPECT_EQ(r.names.mid(0, 4), (QStringList{u"シーズンID"_s, u"選手ID"_s, u"選手名"_s, u"ゲーム"_s}));
    EXPECT_EQ(r.columns(u"シーズンID|選手名|ゲーム|優Ｐ計|上位|合計点|平均点|ST|スペア|ｽﾍﾟｱﾐｽ"_s),
              (QStringList{u"1|O'Neil|3|6|2|470|156.666666666667|10|10|1"_s, u"1|青木|2|5|1|270|135.0|4|7|5"_s,
                           u"1|佐藤|1|0|0|100|100.0|0|0|0"_s}));
    // 7 / (7 + 5 + 0.000001), and 0 rather than nothing for a player without spares.
    EXPECT_EQ(r.columns(u"スペア率"_s).mid(1), (QStringList{u"0.583333284722226"_s, u"0.0"_s}));
    EXPECT_EQ(r.columns(u"上位率|ST平均"_s).first(), u"0.666666666666667|3.33333333333333"_s);

    // The saved query holds the same rows in the same order.
    for (const QString &text : {u"SELECT * FROM シーズン成績２ WHERE シーズンID =1"_s,
                                u"SELECT * FROM シーズン成績２ WHERE シーズンID=1"_s}) {
        const Result saved = jet(text);
        ASSERT_TRUE(saved.error.isEmpty()) << qPrintable(saved.error);
        EXPECT_EQ(saved.columns(u"選手ID|優Ｐ計|合計点"_s), (QStringList{u"2|6|470"_s, u"1|5|270"_s, u"3|0|100"_s}));
    }
    EXPECT_EQ(jet(seasonQuery(2)).columns(u"選手ID|選手名|優Ｐ計"_s), (QStringList{u"1|青木|4"_s, u"9|NULL|0"_s}));
}

TEST_F(QuotedSql, MatchRangeTablesOfTheStatisticsAndTheFlashReport)
{
    struct Case
    {
        QString text;
        QStringList rows; // 選手名|ゲーム|優Ｐ計|平均点|スペア率
    } cases[] = {
        // the season screen's range of matches: a player without spares has no rate
        {matchRangeQuery(1, 2),
         {u"O'Neil|3|6|156.666666666667|0.909090909090909"_s, u"青木|2|5|135.0|0.583333333333333"_s,
          u"佐藤|1|0|100.0|NULL"_s}},
        // this match
        {matchRangeQuery(1, 1), {u"青木|2|5|135.0|0.583333333333333"_s, u"O'Neil|2|0|135.0|0.875"_s}},
        // all time up to a match: the unregistered player's game still counts
        {matchRangeQuery(1, 3),
         {u"青木|3|9|150.0|0.6"_s, u"O'Neil|3|6|156.666666666667|0.909090909090909"_s,
          u"佐藤|1|0|100.0|NULL"_s, u"NULL|1|0|90.0|0.5"_s}},
        // the season up to a match number, grouped by name
        {seasonToDateQuery(u"1"_s, 2),
         {u"O'Neil|3|6|156.666666666667|0.909090909090909"_s, u"青木|2|5|135.0|0.583333333333333"_s,
          u"佐藤|1|0|100.0|NULL"_s}},
        {seasonToDateQuery(u"1"_s, 1), {u"青木|2|5|135.0|0.583333333333333"_s, u"O'Neil|2|0|135.0|0.875"_s}},
    };
    for (const Case &c : cases) {
        const Result r = jet(c.text);
        ASSERT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
        EXPECT_EQ(r.columns(u"選手名|ゲーム|優Ｐ計|平均点|スペア率"_s), c.rows) << qPrintable(c.text);
        EXPECT_EQ(r.names.first(), u"選手名"_s);
    }
}

TEST_F(QuotedSql, SeasonsOfAllPlayersForTheAnalysisGraph)
{
    const Result r = jet(seasonsGroupedQuery());
    ASSERT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
    EXPECT_EQ(r.columns(u"シーズンID|ゲーム|優Ｐ計|上位|合計点|平均点|ST|スペア|ｽﾍﾟｱﾐｽ"_s),
              (QStringList{u"1|6|11|3|840|140.0|14|17|6"_s, u"2|2|4|1|270|135.0|5|3|2"_s}));
    EXPECT_EQ(r.columns(u"スペア率"_s), (QStringList{u"0.739130434782609"_s, u"0.6"_s}));
}

TEST_F(QuotedSql, PersonalTablesOfTheSavedQueries)
{
    struct Case
    {
        QString text;
        QString columns;
        QStringList rows;
    } cases[] = {
        {u"SELECT * FROM 選手別成績２ where 選手ID=1"_s, u"選手ID|シーズンID|ｹﾞｰﾑ数|優Ｐ計|合計点"_s,
         {u"1|1|2|5|270"_s, u"1|2|1|4|180"_s}},
        {u"SELECT * FROM 選手別通算成績２ where 選手ID=1"_s, u"選手ID|ｹﾞｰﾑ数|優Ｐ計|合計点"_s, {u"1|3|9|450"_s}},
        {u"SELECT * FROM 全選手成績２"_s, u"シーズンID|ｹﾞｰﾑ数|優Ｐ計|合計点"_s, {u"1|6|11|840"_s, u"2|2|4|270"_s}},
        {u"SELECT * FROM 全選手通算成績２"_s, u"ｹﾞｰﾑ数|優Ｐ計|合計点"_s, {u"8|15|1110"_s}},
    };
    for (const Case &c : cases) {
        const Result r = jet(c.text);
        ASSERT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
        EXPECT_EQ(r.columns(c.columns), c.rows) << qPrintable(c.text);
    }
}

TEST_F(QuotedSql, PersonalRecordCategories)
{
    struct Case
    {
        int player;
        int category;
        QString columns;
        QStringList rows;
    } cases[] = {
        {1, 0, u"ID"_s, {u"1"_s, u"7"_s}},
        {1, 1, u"ID"_s, {u"1"_s, u"7"_s}},
        {1, 2, u"ID"_s, {u"7"_s, u"1"_s, u"2"_s}},
        {1, 3, u"ID|競技点"_s, {u"7|190"_s, u"1|160"_s, u"2|130"_s}},
        {1, 4, u"ID"_s, {u"1"_s, u"2"_s, u"7"_s}},
        {1, 5, u"ID"_s, {u"1"_s, u"7"_s}},
        {1, 6, u"ID"_s, {u"7"_s, u"1"_s, u"2"_s}},
        {1, 7, u"ID"_s, {u"1"_s, u"2"_s, u"7"_s}},
        {2, 0, u"ID|優Ｐ"_s, {u"5|6"_s}},
        {0, 0, u"ID"_s, {u"1"_s, u"5"_s, u"7"_s}},
        {0, 1, u"ID|選手名"_s, {u"1|青木"_s, u"5|O'Neil"_s, u"7|青木"_s}},
        {0, 2, u"ID"_s, {u"5"_s, u"7"_s, u"1"_s, u"4"_s, u"3"_s, u"2"_s, u"6"_s, u"8"_s}},
        {0, 3, u"ID"_s, {u"5"_s, u"7"_s, u"1"_s, u"4"_s, u"3"_s, u"2"_s, u"6"_s, u"8"_s}},
        {0, 4, u"試合ID|ｹﾞｰﾑ"_s, {u"1|1"_s, u"1|1"_s, u"1|2"_s, u"1|2"_s, u"2|1"_s, u"2|1"_s, u"3|1"_s, u"3|1"_s}},
        {0, 5, u"ID"_s, {u"1"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s}},
        {0, 6, u"ST|試合ID"_s, {u"6|2"_s, u"5|3"_s, u"3|1"_s, u"2|1"_s, u"2|1"_s, u"1|1"_s, u"0|2"_s, u"0|3"_s}},
        {0, 7, u"ID"_s, {u"4"_s, u"1"_s, u"2"_s, u"5"_s, u"3"_s, u"7"_s, u"8"_s, u"6"_s}},
    };
    for (const Case &c : cases) {
        const Result r = jet(personalQuery(c.player, c.category));
        ASSERT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
        EXPECT_EQ(r.columns(c.columns), c.rows) << "player " << c.player << " category " << c.category;
    }
}

TEST_F(QuotedSql, ScorebookListAndItsFilters)
{
    const Result all = jet(scorebookQuery());
    ASSERT_TRUE(all.error.isEmpty()) << qPrintable(all.error);
    // Inner joins: the game of the player missing from 選手 is not listed.
    EXPECT_EQ(all.columns(u"シーズンID|試合|ｹﾞｰﾑ|会場名|シーズン名"_s),
              (QStringList{u"1|1|1|中央ボウル|春"_s, u"1|1|1|中央ボウル|春"_s, u"1|1|2|中央ボウル|春"_s,
                           u"1|1|2|中央ボウル|春"_s, u"1|2|1|NULL|春"_s, u"1|2|1|NULL|春"_s, u"2|1|1|NULL|秋"_s}));

    struct Case
    {
        QString filter;
        QStringList ids;
        bool savedQueryToo;
    } cases[] = {
        {u"選手ID = 1 "_s, {u"1"_s, u"2"_s, u"7"_s}, true},
        {u"選手ID = 2 and シーズンID = 1"_s, {u"3"_s, u"4"_s, u"5"_s}, true},
        {u"選手ID = 1 and 試合ID = 3"_s, {u"7"_s}, true},
        {u"試合ID = 2"_s, {u"5"_s, u"6"_s}, true},
        // the inner join of the SQL text leaves out the unregistered player
        {u"シーズンID = 2"_s, {u"7"_s}, false},
    };
    for (const Case &c : cases) {
        // The scorebook screen filters its SQL text, the score sheet page the saved query.
        QStringList sources{scorebookQuery()};
        if (c.savedQueryToo)
            sources.append(u"スコアブック"_s);
        for (const QString &source : sources) {
            const Result r = filtered(source, c.filter);
            ASSERT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
            QStringList ids = r.columns(u"ID"_s);
            std::sort(ids.begin(), ids.end());
            EXPECT_EQ(ids, c.ids) << qPrintable(c.filter);
        }
    }
    // The game of one stored row found in フレーム by its ID.
    EXPECT_EQ(filtered(u"フレーム"_s, u"ID=5"_s).columns(u"選手ID|試合ID|ゲーム"_s), QStringList{u"2|2|1"_s});
}

TEST_F(QuotedSql, DataEditingGamesOfOneMatch)
{
    const Result everybody = jet(editingQuery(1, 0));
    ASSERT_TRUE(everybody.error.isEmpty()) << qPrintable(everybody.error);
    EXPECT_EQ(everybody.columns(u"ID"_s), (QStringList{u"1"_s, u"3"_s, u"2"_s, u"4"_s}));
    EXPECT_EQ(everybody.columns(u"会場名|シーズン名|試合"_s).first(), u"中央ボウル|春|1"_s);
    // Names that stand twice in the list are told apart by their table.
    EXPECT_EQ(everybody.columns(u"データ項目.試合ID|マーク.試合ID|データ項目.ｹﾞｰﾑ|マーク.ｹﾞｰﾑ|データ項目.S10|マーク.S10"_s).first(),
              u"1|1|1|1|150|150"_s);
    EXPECT_EQ(jet(editingQuery(1, 2)).columns(u"ID|選手名"_s), (QStringList{u"3|O'Neil"_s, u"4|O'Neil"_s}));
    EXPECT_TRUE(jet(editingQuery(3, 2)).rows.isEmpty());
}

TEST_F(QuotedSql, FlashReportGamesOfOneMatchByPosition)
{
    const Result r = jet(matchGamesQuery(1));
    ASSERT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
    ASSERT_EQ(r.names.size(), 40);
    // The score cards read S1 … S10 at 0 … 9 and the marks M11 … M03 at 15 … 35.
    EXPECT_EQ(r.names.at(0), u"S1"_s);
    EXPECT_EQ(r.names.at(9), u"S10"_s);
    EXPECT_EQ(r.names.at(15), u"M11"_s);
    EXPECT_EQ(r.names.at(35), u"M03"_s);
    EXPECT_EQ(r.columns(u"ｹﾞｰﾑ"_s), (QStringList{u"1"_s, u"1"_s, u"2"_s, u"2"_s}));
    EXPECT_EQ(r.columns(u"S10"_s).size(), 4);
    // The unregistered player's game of match 3 is left out by the inner join.
    EXPECT_EQ(jet(matchGamesQuery(3)).columns(u"選手名"_s), QStringList{u"青木"_s});
}

TEST_F(QuotedSql, PerMatchTableSortedAndFilteredByName)
{
    const QString sorts[] = {u"上位計"_s, u"得点計"_s, u"最高点"_s, u"ST計"_s, u"ST最大"_s, u"SP計"_s, u"SP最大"_s};
    for (const QString &column : sorts) {
        for (const bool ascending : {true, false}) {
            const QString sort = column + (ascending ? u" ASC"_s : u" DESC"_s);
            const Result r = filtered(u"＿各試合のデータ項目統計"_s, {}, sort);
            ASSERT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
            ASSERT_EQ(r.rows.size(), 6); // (match, player) pairs
            QList<int> values;
            for (const QString &v : r.columns(column))
                values.append(v.toInt());
            EXPECT_TRUE(ascending ? std::is_sorted(values.begin(), values.end())
                                  : std::is_sorted(values.rbegin(), values.rend()))
                << qPrintable(sort);
        }
    }
    // A name with an apostrophe, doubled when the criterion is built.
    const Result one = filtered(u"＿各試合のデータ項目統計"_s, u"選手名 ='O''Neil'"_s, u"得点計 DESC"_s);
    EXPECT_EQ(one.columns(u"試合ID|Ｇ数|上位計|得点計|最高点|ST計|ST最大|SP計|SP最大"_s),
              (QStringList{u"1|2|1|270|140|4|2|7|5"_s, u"2|1|1|200|200|6|6|3|3"_s}));
}

TEST_F(QuotedSql, PersonalResultsPageFilters)
{
    // Seasons 1 to 2 of player 1: "シーズンID >" first − 1, " and シーズンID  <" last + 1.
    const Result seasons = filtered(u"選手別成績２"_s, u"選手ID = 1 and シーズンID >0 and シーズンID  <3"_s);
    EXPECT_EQ(seasons.columns(u"シーズンID|ｹﾞｰﾑ数"_s), (QStringList{u"1|2"_s, u"2|1"_s}));
    const Result second = filtered(u"選手別成績２"_s, u"選手ID = 1 and シーズンID >1 and シーズンID  <3"_s);
    EXPECT_EQ(second.columns(u"シーズンID"_s), QStringList{u"2"_s});
    EXPECT_EQ(filtered(u"選手別通算成績２"_s, u"選手ID = 1"_s).columns(u"ｹﾞｰﾑ数|優Ｐ計"_s), QStringList{u"3|9"_s});
}

TEST_F(QuotedSql, LookUpCriteria)
{
    struct Case
    {
        QString source;
        QString criterion;
        QString columns;
        QStringList rows;
    } cases[] = {
        {u"ハンデ"_s, u"シーズンID=1 AND 選手ID=2"_s, u"ハンデ"_s, {u"15"_s}},
        {u"ハンデ"_s, u"シーズンID=2 AND 選手ID=2"_s, u"ハンデ"_s, {}},
        {u"試合"_s, u"シーズンID=1 and 試合=2"_s, u"試合ID"_s, {u"2"_s}},
        {u"試合"_s, u"シーズンID=2 and 試合=2"_s, u"試合ID"_s, {}},
        {u"試合"_s, u"シーズンID=1"_s, u"試合ID|試合"_s, {u"1|1"_s, u"2|2"_s}},
        {u"他データ読み込み用ダイナ"_s, u"選手ID = 2"_s, u"選手名|シーズンID|ハンデ"_s, {u"O'Neil|1|15"_s}},
        {u"他データ読み込み用ダイナ"_s, u"選手名 = 'O''Neil'"_s, u"選手ID"_s, {u"2"_s}},
        {u"他データ読み込み用ダイナ"_s, u"選手名 = 'O''Neil' and 選手ID = 2"_s, u"選手ID"_s, {u"2"_s}},
        {u"他データ読み込み用ダイナ"_s, u"選手名 = '青木' and 選手ID = 2"_s, u"選手ID"_s, {}},
        // the win-point graph's totals: pieces joined without a blank
        {u"データ項目"_s, u"選手ID=2and 優ｐ>0 and 試合id =2"_s, u"ID|優Ｐ"_s, {u"5|6"_s}},
        {u"データ項目"_s, u"選手ID=2and 優ｐ>0 and 試合id =1"_s, u"ID"_s, {}},
        {u"選手"_s, u"選手ID = 0"_s, u"選手名"_s, {u"全　員"_s}},
    };
    for (const Case &c : cases) {
        const Result r = filtered(c.source, c.criterion);
        ASSERT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
        EXPECT_EQ(r.columns(c.columns), c.rows) << qPrintable(c.criterion);
    }
    // The players sorted by number.
    EXPECT_EQ(filtered(u"選手"_s, {}, u"選手ID"_s).columns(u"選手ID"_s),
              (QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s}));
}

} // namespace
