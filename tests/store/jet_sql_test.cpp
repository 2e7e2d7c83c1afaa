#include "store/jet_sql.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// A few tables in the shape of the program's own, with the same half- and
// full-width spellings.
const char *const kSchema = R"(
CREATE TABLE 選手 (選手ID INTEGER, 選手名 TEXT);
CREATE TABLE 試合 (試合ID INTEGER, シーズンID INTEGER, 試合 INTEGER, １着ID INTEGER);
CREATE TABLE データ項目 (ID INTEGER PRIMARY KEY, 選手ID INTEGER, 試合ID INTEGER, ｹﾞｰﾑ INTEGER,
                         優Ｐ INTEGER, S10 INTEGER, SP INTEGER, SPF INTEGER, 入賞 TEXT, 試合日 DATE);
CREATE TABLE フレーム (ID INTEGER, 選手ID INTEGER, 試合ID INTEGER, ゲーム INTEGER);
CREATE VIEW 成績 AS SELECT 選手ID, Count(ｹﾞｰﾑ) AS ｹﾞｰﾑ数, Sum(優Ｐ) AS 優Ｐ計, Sum(SPF) AS ｽﾍﾟｱﾐｽ
                   FROM データ項目 GROUP BY 選手ID;
INSERT INTO 選手 VALUES (1, '青木'), (2, 'O''Neil');
INSERT INTO 試合 VALUES (10, 1, 1, 1), (11, 1, 2, 2);
INSERT INTO データ項目 VALUES
  (1, 1, 10, 1, 5, 150, 3, 4, '１着', '2001-03-14'),
  (2, 1, 10, 2, 0, 121, 4, 3, NULL, '2001-03-14'),
  (3, 2, 10, 1, 0, 100, 1, 0, NULL, '2001-03-14'),
  (4, 2, 11, 1, 3, 180, 7, 1, '１着', '2001-03-21'),
  (5, 3, 11, 1, 0, 90, 0, 0, NULL, '2001-03-21');
)";

class JetSql : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
        char *error = nullptr;
        ASSERT_EQ(sqlite3_exec(db, kSchema, nullptr, nullptr, &error), SQLITE_OK) << error;
        catalog = store::Catalog::fromDatabase(db);
    }
    void TearDown() override { sqlite3_close(db); }

    // Every row of a query, values as text ("NULL" for a null), columns joined by "|".
    QStringList rows(const QString &sql, QStringList *names = nullptr)
    {
        QStringList result;
        sqlite3_stmt *st = nullptr;
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &st, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sqlite3_errmsg(db) << "\n" << qPrintable(sql);
            return result;
        }
        if (names) {
            names->clear();
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                names->append(QString::fromUtf8(sqlite3_column_name(st, c)));
        }
        while (sqlite3_step(st) == SQLITE_ROW) {
            QStringList values;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
                values.append(text ? QString::fromUtf8(text) : u"NULL"_s);
            }
            result.append(values.join(u'|'));
        }
        sqlite3_finalize(st);
        return result;
    }

    QStringList run(const QString &jet, QStringList *names = nullptr)
    {
        return rows(store::toSqlite(jet, catalog), names);
    }

    sqlite3 *db = nullptr;
    store::Catalog catalog;
};

TEST_F(JetSql, CatalogReadsTablesViewsAndColumnsAsStored)
{
    ASSERT_NE(catalog.relation(u"ﾃﾞｰﾀ項目"_s), nullptr);
    EXPECT_EQ(catalog.relationName(u"ﾌﾚｰﾑ"_s), u"フレーム"_s);
    EXPECT_FALSE(catalog.relation(u"データ項目"_s)->isView);
    ASSERT_NE(catalog.relation(u"成績"_s), nullptr);
    EXPECT_TRUE(catalog.relation(u"成績"_s)->isView);
    EXPECT_EQ(catalog.relation(u"成績"_s)->columns,
              (QStringList{u"選手ID"_s, u"ｹﾞｰﾑ数"_s, u"優Ｐ計"_s, u"ｽﾍﾟｱﾐｽ"_s}));
    EXPECT_EQ(catalog.columnName(u"データ項目"_s, u"優p"_s), u"優Ｐ"_s);
    EXPECT_EQ(catalog.columnName(u"データ項目"_s, u"ゲーム"_s), u"ｹﾞｰﾑ"_s);
    EXPECT_EQ(catalog.columnName(u"フレーム"_s, u"ｹﾞｰﾑ"_s), u"ゲーム"_s);
    EXPECT_EQ(catalog.columnName(u"成績"_s, u"スペアミス"_s), u"ｽﾍﾟｱﾐｽ"_s);
    EXPECT_TRUE(catalog.columnName(u"データ項目"_s, u"無い"_s).isEmpty());
    EXPECT_EQ(catalog.relation(u"sqlite_master"_s), nullptr);
}

TEST_F(JetSql, CatalogAddReplacesARelationOfTheSameFoldedName)
{
    store::Catalog c;
    c.add(u"ﾃｽﾄ"_s, {u"a"_s});
    c.add(u"テスト"_s, {u"b"_s, u"c"_s}, true);
    ASSERT_EQ(c.relations().size(), 1);
    EXPECT_EQ(c.relations().first().name, u"テスト"_s);
    EXPECT_EQ(c.columnName(u"ﾃｽﾄ"_s, u"C"_s), u"c"_s);
}

struct Rewrite
{
    const char *jet;
    const char *sqlite;
    QStringList scope;
};

TEST_F(JetSql, RewritesTheJetDialect)
{
    const Rewrite cases[] = {
        // names to their stored spelling, double-quoted; keywords in upper case
        {"SELECT * FROM 通算 where 選手id=5", "SELECT * FROM [通算] WHERE [選手id]=5", {}},
        {"select * from 選手 where 選手id=5", "SELECT * FROM \"選手\" WHERE \"選手ID\"=5", {}},
        {"SELECT ゲーム FROM データ項目", "SELECT \"ｹﾞｰﾑ\" AS \"ｹﾞｰﾑ\" FROM \"データ項目\"", {}},
        {"SELECT ｹﾞｰﾑ FROM フレーム", "SELECT \"ゲーム\" AS \"ゲーム\" FROM \"フレーム\"", {}},
        {"SELECT スペアミス, 優p計 FROM 成績", "SELECT \"ｽﾍﾟｱﾐｽ\" AS \"ｽﾍﾟｱﾐｽ\", \"優Ｐ計\" AS \"優Ｐ計\" FROM \"成績\"", {}},
        {"SELECT [1着id] FROM 試合", "SELECT \"１着ID\" AS \"１着ID\" FROM \"試合\"", {}},
        {"SELECT d.s10 FROM データ項目 AS d WHERE d.優p > 0",
         "SELECT \"d\".\"S10\" AS \"S10\" FROM \"データ項目\" AS \"d\" WHERE \"d\".\"優Ｐ\" > 0", {}},
        {"SELECT 選手.* FROM 選手", "SELECT \"選手\".* FROM \"選手\"", {}},
        // a name found nowhere is bracketed so SQLite does not read it as a text
        {"SELECT 無い FROM 選手", "SELECT [無い] FROM \"選手\"", {}},
        {"SELECT 選手.無い FROM 選手", "SELECT \"選手\".[無い] FROM \"選手\"", {}},
        // result columns keep their names; a name that stands twice is called table.column
        {"SELECT データ項目.ID, データ項目.試合ID, フレーム.試合ID FROM データ項目 INNER JOIN フレーム ON フレーム.ID = データ項目.ID",
         "SELECT \"データ項目\".\"ID\" AS \"ID\", \"データ項目\".\"試合ID\" AS \"データ項目.試合ID\", "
         "\"フレーム\".\"試合ID\" AS \"フレーム.試合ID\" FROM \"データ項目\" INNER JOIN \"フレーム\" ON "
         "\"フレーム\".\"ID\" = \"データ項目\".\"ID\"",
         {}},
        // DISTINCTROW
        {"SELECT DISTINCTROW 選手.選手名 FROM 選手", "SELECT  \"選手\".\"選手名\" AS \"選手名\" FROM \"選手\"", {}},
        // real division
        {"SELECT S10/2 FROM データ項目", "SELECT \"S10\"*1.0/2 FROM \"データ項目\"", {}},
        // an alias used again in the same SELECT list
        {"SELECT Sum(SP) AS スペア, Sum(SPF) AS ｽﾍﾟｱﾐｽ, [スペア]/([スペア]+[ｽﾍﾟｱﾐｽ]+0.000001) AS スペア率 FROM データ項目",
         "SELECT Sum(\"SP\") AS \"スペア\", Sum(\"SPF\") AS \"ｽﾍﾟｱﾐｽ\", "
         "(Sum(\"SP\"))*1.0/((Sum(\"SP\"))+(Sum(\"SPF\"))+0.000001) AS \"スペア率\" FROM \"データ項目\"",
         {}},
        // First() in an aggregate query and on its own
        {"SELECT First(選手名) AS n, Count(*) AS c FROM 選手", "SELECT (\"選手名\") AS \"n\", Count(*) AS \"c\" FROM \"選手\"", {}},
        {"SELECT First(選手名) FROM 選手", "SELECT coalesce(\"選手名\", max(NULL)) FROM \"選手\"", {}},
        // nested Jet joins
        {"SELECT 選手.選手名 FROM 選手 RIGHT JOIN (試合 RIGHT JOIN データ項目 ON 試合.試合ID = データ項目.試合ID) "
         "ON 選手.選手ID = データ項目.選手ID",
         "SELECT \"選手\".\"選手名\" AS \"選手名\" FROM (\"データ項目\" LEFT JOIN \"試合\" ON "
         "\"試合\".\"試合ID\" = \"データ項目\".\"試合ID\") LEFT JOIN \"選手\" ON \"選手\".\"選手ID\" = \"データ項目\".\"選手ID\"",
         {}},
        // criteria: pieces joined without a blank, literals, scope of a recordset
        {"選手ID=5and 優ｐ>0 and 試合id =3", "\"選手ID\"=5 AND \"優Ｐ\">0 AND \"試合ID\" =3", {}},
        {"(選手ID=1)and(試合ID=2)", "(\"選手ID\"=1)AND(\"試合ID\"=2)", {}},
        {"入賞='１着'or 入賞='２着'", "\"入賞\"='１着' OR \"入賞\"='２着'", {}},
        {"選手名 = 'O''Neil'", "\"選手名\" = 'O''Neil'", {}},
        {"選手名 = \"O'Neil\"", "\"選手名\" = 'O''Neil'", {}},
        {"選手名 = \"say \"\"hi\"\"\"", "\"選手名\" = 'say \"hi\"'", {}},
        {"ゲーム = 1", "\"ゲーム\" = 1", {}},
        {"ゲーム = 1", "\"ｹﾞｰﾑ\" = 1", {u"ID"_s, u"ｹﾞｰﾑ"_s}},
        {"上位計 DESC", "\"上位計\" DESC", {u"上位計"_s}},
        {"st計 asc", "\"ST計\" ASC", {u"ST計"_s}},
        // other Jet operators and literals
        {"S10 Mod 10 = 0", "\"S10\" % 10 = 0", {}},
        {"選手名 Like 'A*?'", "\"選手名\" LIKE 'A%_'", {}},
        {"選手名 Like '*100%'", "\"選手名\" LIKE '%100\\%' ESCAPE '\\'", {}},
        {"試合日 = #3/14/2001#", "\"試合日\" = '2001-03-14'", {}},
        {"入賞 Is Null", "\"入賞\" IS NULL", {}},
        {"SELECT 選手名 & '様' AS x FROM 選手", "SELECT ifnull(\"選手名\",'') || ifnull('様','') AS \"x\" FROM \"選手\"", {}},
        // statements that change rows
        {"DELETE * FROM データ項目 WHERE id=3", "DELETE  FROM \"データ項目\" WHERE \"ID\"=3", {}},
        {"UPDATE 選手 SET 選手名='x' WHERE 選手id=1", "UPDATE \"選手\" SET \"選手名\"='x' WHERE \"選手ID\"=1", {}},
        {"INSERT INTO 選手 (選手id, 選手名) VALUES (3, 'y')", "INSERT INTO \"選手\" (\"選手ID\", \"選手名\") VALUES (3, 'y')", {}},
        // subqueries see their own tables, derived tables their columns
        {"SELECT 選手名 FROM 選手 WHERE 選手ID IN (SELECT 選手id FROM フレーム WHERE ｹﾞｰﾑ > 1)",
         "SELECT \"選手名\" AS \"選手名\" FROM \"選手\" WHERE \"選手ID\" IN (SELECT \"選手ID\" AS \"選手ID\" FROM \"フレーム\" WHERE \"ゲーム\" > 1)", {}},
        {"SELECT x.P FROM (SELECT 選手ID AS p FROM 選手) AS x", "SELECT \"x\".\"p\" AS \"p\" FROM (SELECT \"選手ID\" AS \"p\" FROM \"選手\") AS \"x\"", {}},
    };
    for (const Rewrite &c : cases) {
        EXPECT_EQ(store::toSqlite(QString::fromUtf8(c.jet), catalog, c.scope), QString::fromUtf8(c.sqlite))
            << "input: " << c.jet;
    }
}

// The rewritten texts run on SQLite with Jet's results.
TEST_F(JetSql, DivisionIsFloatingPoint)
{
    EXPECT_EQ(run(u"SELECT S10/4 FROM データ項目 WHERE ID=2"_s), QStringList{u"30.25"_s});
    EXPECT_EQ(run(u"SELECT Sum(SP)/Count(*) FROM データ項目 WHERE 選手ID=1"_s), QStringList{u"3.5"_s});
}

TEST_F(JetSql, AliasReusedInTheSelectListGivesTheAliasedValue)
{
    QStringList names;
    const QStringList got = run(u"SELECT 選手ID, Sum(SP) AS スペア, Sum(SPF) AS ｽﾍﾟｱﾐｽ, "
                                "[スペア]/([スペア]+[ｽﾍﾟｱﾐｽ]) AS スペア率 "
                                "FROM データ項目 GROUP BY 選手ID ORDER BY 選手ID"_s,
                                &names);
    EXPECT_EQ(names, (QStringList{u"選手ID"_s, u"スペア"_s, u"ｽﾍﾟｱﾐｽ"_s, u"スペア率"_s}));
    EXPECT_EQ(got, (QStringList{u"1|7|7|0.5"_s, u"2|8|1|0.888888888888889"_s, u"3|0|0|NULL"_s}));
}

TEST_F(JetSql, FirstTakesTheGroupsValueAndNestedRightJoinsKeepEveryGame)
{
    // Player 3 has no row in 選手: the right joins keep the game, the name is Null.
    const QStringList got = run(
        u"SELECT DISTINCTROW  First(選手.選手名) AS 選手名, Count(データ項目.ｹﾞｰﾑ) AS ゲーム, "
        "Avg(データ項目.S10) AS 平均点 FROM 選手 RIGHT JOIN (試合 RIGHT JOIN データ項目 ON 試合.試合ID = "
        "データ項目.試合ID) ON 選手.選手ID = データ項目.選手ID WHERE (((試合.試合ID) Between 10 And 11 )) "
        "GROUP BY データ項目.選手ID ORDER BY Sum(データ項目.優Ｐ) DESC , Avg(データ項目.S10) DESC;"_s);
    EXPECT_EQ(got, (QStringList{u"青木|2|135.5"_s, u"O'Neil|2|140.0"_s, u"NULL|1|90.0"_s}));
    EXPECT_EQ(run(u"SELECT First(選手名) FROM 選手 WHERE 選手ID=2"_s), QStringList{u"O'Neil"_s});
}

TEST_F(JetSql, RightJoinsAreTurnedIntoLeftJoins)
{
    struct Rewrite
    {
        const char *jet;
        const char *sqlite;
    } cases[] = {
        // one join; a bare * keeps the columns of the right-hand source last
        {"SELECT * FROM 選手 RIGHT JOIN データ項目 ON 選手.選手ID = データ項目.選手ID",
         "SELECT \"選手\".*, \"データ項目\".* FROM \"データ項目\" LEFT JOIN \"選手\" ON \"選手\".\"選手ID\" = "
         "\"データ項目\".\"選手ID\""},
        {"SELECT DISTINCTROW * FROM 選手 AS p RIGHT OUTER JOIN データ項目 d ON p.選手ID = d.選手ID WHERE d.ID=1",
         "SELECT  \"p\".*, \"d\".* FROM \"データ項目\" \"d\" LEFT JOIN \"選手\" AS \"p\" ON \"p\".\"選手ID\" = "
         "\"d\".\"選手ID\" WHERE \"d\".\"ID\"=1"},
        // a chain on the left goes into parentheses
        {"SELECT 選手.選手名 FROM 選手 INNER JOIN フレーム ON 選手.選手ID = フレーム.選手ID RIGHT JOIN データ項目 ON "
         "フレーム.ID = データ項目.ID",
         "SELECT \"選手\".\"選手名\" AS \"選手名\" FROM \"データ項目\" LEFT JOIN (\"選手\" INNER JOIN \"フレーム\" ON "
         "\"選手\".\"選手ID\" = \"フレーム\".\"選手ID\") ON \"フレーム\".\"ID\" = \"データ項目\".\"ID\""},
        // the scorebook's shape: inner joins around a right join, a right join around them
        {"SELECT 試合.試合 FROM 試合 RIGHT JOIN (選手 INNER JOIN (フレーム RIGHT JOIN データ項目 ON フレーム.ID = データ項目.ID) "
         "ON 選手.選手ID = データ項目.選手ID) ON 試合.試合ID = データ項目.試合ID ORDER BY 試合.試合",
         "SELECT \"試合\".\"試合\" AS \"試合\" FROM (\"選手\" INNER JOIN (\"データ項目\" LEFT JOIN \"フレーム\" ON "
         "\"フレーム\".\"ID\" = \"データ項目\".\"ID\") ON \"選手\".\"選手ID\" = \"データ項目\".\"選手ID\") LEFT JOIN "
         "\"試合\" ON \"試合\".\"試合ID\" = \"データ項目\".\"試合ID\" ORDER BY \"試合\".\"試合\""},
        // in a subquery of a criterion, and of a derived table
        {"選手ID IN (SELECT データ項目.選手ID FROM 選手 RIGHT JOIN データ項目 ON 選手.選手ID = データ項目.選手ID "
         "WHERE 選手.選手名 Is Null)",
         "\"選手ID\" IN (SELECT \"データ項目\".\"選手ID\" AS \"選手ID\" FROM \"データ項目\" LEFT JOIN \"選手\" ON "
         "\"選手\".\"選手ID\" = \"データ項目\".\"選手ID\" WHERE \"選手\".\"選手名\" IS NULL)"},
        {"SELECT x.n FROM (SELECT 選手.選手名 AS n FROM 選手 RIGHT JOIN データ項目 ON 選手.選手ID = データ項目.選手ID) AS x",
         "SELECT \"x\".\"n\" AS \"n\" FROM (SELECT \"選手\".\"選手名\" AS \"n\" FROM \"データ項目\" LEFT JOIN \"選手\" ON "
         "\"選手\".\"選手ID\" = \"データ項目\".\"選手ID\") AS \"x\""},
        // left as written: no right join, a comma list, * over an unnamed subquery
        {"SELECT * FROM データ項目 LEFT JOIN 選手 ON 選手.選手ID = データ項目.選手ID",
         "SELECT * FROM \"データ項目\" LEFT JOIN \"選手\" ON \"選手\".\"選手ID\" = \"データ項目\".\"選手ID\""},
        {"SELECT 選手.選手名 FROM 試合, 選手 RIGHT JOIN データ項目 ON 選手.選手ID = データ項目.選手ID",
         "SELECT \"選手\".\"選手名\" AS \"選手名\" FROM \"試合\", \"選手\" RIGHT JOIN \"データ項目\" ON \"選手\".\"選手ID\" = "
         "\"データ項目\".\"選手ID\""},
        {"SELECT * FROM (SELECT 選手ID FROM 選手) RIGHT JOIN データ項目 ON 1=1",
         "SELECT * FROM (SELECT \"選手ID\" AS \"選手ID\" FROM \"選手\") RIGHT JOIN \"データ項目\" ON 1=1"},
    };
    for (const Rewrite &c : cases)
        EXPECT_EQ(store::toSqlite(QString::fromUtf8(c.jet), catalog), QString::fromUtf8(c.sqlite))
            << "input: " << c.jet;
}

TEST_F(JetSql, RightJoinsTurnedRoundGiveTheSameRowsAndColumns)
{
    // A game of a player and a match that are not stored, and a player and
    // a match without games.
    ASSERT_EQ(sqlite3_exec(db,
                           "INSERT INTO データ項目 VALUES (6, 9, 99, 1, 0, 77, 0, 0, NULL, NULL);"
                           "INSERT INTO 選手 VALUES (4, '未出場');"
                           "INSERT INTO 試合 VALUES (12, 2, 1, 0);"
                           "INSERT INTO フレーム VALUES (1, 1, 10, 1), (4, 2, 11, 1), (8, 1, 1, 1);",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    // Each Jet text and the same statement in SQLite's own dialect, with its
    // right joins as written.
    const struct
    {
        QString jet;
        QString sqlite;
    } cases[] = {
        {u"SELECT * FROM 選手 RIGHT JOIN データ項目 ON 選手.選手ID = データ項目.選手ID"_s,
         u"SELECT * FROM 選手 RIGHT JOIN データ項目 ON 選手.選手ID = データ項目.選手ID"_s},
        {u"SELECT * FROM 試合 RIGHT JOIN (選手 RIGHT JOIN データ項目 ON 選手.選手ID = データ項目.選手ID) "
         "ON 試合.試合ID = データ項目.試合ID"_s,
         u"SELECT * FROM 試合 RIGHT JOIN (選手 RIGHT JOIN データ項目 ON 選手.選手ID = データ項目.選手ID) "
         "ON 試合.試合ID = データ項目.試合ID"_s},
        {u"SELECT * FROM 選手 INNER JOIN データ項目 ON 選手.選手ID = データ項目.選手ID RIGHT JOIN フレーム "
         "ON フレーム.ID = データ項目.ID"_s,
         u"SELECT * FROM 選手 INNER JOIN データ項目 ON 選手.選手ID = データ項目.選手ID RIGHT JOIN フレーム "
         "ON フレーム.ID = データ項目.ID"_s},
        {u"SELECT 選手.選手名, データ項目.S10, 試合.試合 FROM 試合 RIGHT JOIN (選手 INNER JOIN (フレーム RIGHT JOIN "
         "データ項目 ON フレーム.ID = データ項目.ID) ON 選手.選手ID = データ項目.選手ID) ON 試合.試合ID = データ項目.試合ID "
         "WHERE データ項目.選手ID = 1"_s,
         u"SELECT 選手.選手名, データ項目.S10, 試合.試合 FROM 試合 RIGHT JOIN (選手 INNER JOIN (フレーム RIGHT JOIN "
         "データ項目 ON フレーム.ID = データ項目.ID) ON 選手.選手ID = データ項目.選手ID) ON 試合.試合ID = データ項目.試合ID "
         "WHERE データ項目.選手ID = 1"_s},
        {u"SELECT First(選手.選手名) AS 選手名, Count(データ項目.ｹﾞｰﾑ) AS ゲーム FROM 選手 RIGHT JOIN (試合 RIGHT JOIN "
         "データ項目 ON 試合.試合ID = データ項目.試合ID) ON 選手.選手ID = データ項目.選手ID GROUP BY データ項目.選手ID"_s,
         u"SELECT 選手.選手名, Count(データ項目.ｹﾞｰﾑ) FROM 選手 RIGHT JOIN (試合 RIGHT JOIN データ項目 ON "
         "試合.試合ID = データ項目.試合ID) ON 選手.選手ID = データ項目.選手ID GROUP BY データ項目.選手ID"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.jet.toStdString());
        ASSERT_FALSE(store::toSqlite(c.jet, catalog).contains(u"RIGHT"_s));
        QStringList names, expectedNames;
        QStringList got = run(c.jet, &names);
        QStringList expected = rows(c.sqlite, &expectedNames);
        ASSERT_FALSE(expected.isEmpty());
        got.sort();
        expected.sort();
        EXPECT_EQ(got, expected);
        if (c.jet == c.sqlite) {
            // The same columns in the same order. SQLite tells a name that
            // stands twice apart by its own rule ("選手ID:1"), which depends
            // on how it nests the joins; that suffix is left out.
            static const QRegularExpression suffix(u":\\d+$"_s);
            for (QString &n : names)
                n.remove(suffix);
            for (QString &n : expectedNames)
                n.remove(suffix);
            EXPECT_EQ(names, expectedNames);
        }
    }
}

TEST_F(JetSql, CriteriaSelectTheRightRows)
{
    struct Case
    {
        QString criterion;
        QStringList ids;
    } cases[] = {
        {u"選手ID=1and 優ｐ>0 and 試合id =10"_s, {u"1"_s}},
        {u"選手id = 2"_s, {u"3"_s, u"4"_s}},
        {u"入賞='１着'or ゲーム=2"_s, {u"1"_s, u"2"_s, u"4"_s}},
        {u"試合日 = #3/21/2001#"_s, {u"4"_s, u"5"_s}},
        {u"選手ID IN (SELECT 選手ID FROM 選手 WHERE 選手名 = \"O'Neil\")"_s, {u"3"_s, u"4"_s}},
    };
    for (const Case &c : cases) {
        const QString where = store::toSqlite(c.criterion, catalog, catalog.relation(u"データ項目"_s)->columns);
        EXPECT_EQ(rows(u"SELECT ID FROM データ項目 WHERE "_s + where + u" ORDER BY ID"_s), c.ids)
            << qPrintable(c.criterion);
    }
}

TEST_F(JetSql, ConcatenationTreatsNullAsEmptyAndBindsLooserThanArithmetic)
{
    EXPECT_EQ(run(u"SELECT 入賞 & '/' & S10 + 1 FROM データ項目 WHERE ID IN (1, 2) ORDER BY ID"_s),
              (QStringList{u"１着/151"_s, u"/122"_s}));
}

TEST_F(JetSql, UnknownNamesAreReportedBySqlite)
{
    sqlite3_stmt *st = nullptr;
    const QByteArray sql = store::toSqlite(u"SELECT 無い FROM 選手"_s, catalog).toUtf8();
    EXPECT_NE(sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr), SQLITE_OK);
    sqlite3_finalize(st);
}

} // namespace

namespace {

// Broken or cut texts come back rewritten as far as they go, for SQLite to
// report; the rewrite itself never reads past the text.
TEST_F(JetSql, MalformedTextsPassThrough)
{
    const char *const texts[] = {"",
                                 "   ",
                                 "SELECT",
                                 "SELECT TOP",
                                 "SELECT DISTINCTROW",
                                 "SELECT a AS",
                                 "SELECT , FROM",
                                 "SELECT * FROM",
                                 "SELECT * FROM (SELECT",
                                 "SELECT First(",
                                 "First(",
                                 "(((",
                                 ")))",
                                 "選手名 = 'O''Neil",
                                 "選手名 = \"abc",
                                 "[選手名",
                                 "# 1 #",
                                 "a &",
                                 "& b",
                                 "x.",
                                 ".y",
                                 "選手.",
                                 "DELETE *",
                                 "INSERT INTO",
                                 "UPDATE",
                                 "選手名 Like",
                                 "SELECT [a]/([a]+[b]) AS a, [a] AS b FROM 選手",
                                 "SELECT 1;;; SELECT 2"};
    for (const char *t : texts) {
        const QString in = QString::fromUtf8(t);
        const QString out = store::toSqlite(in, catalog);
        if (in.trimmed().isEmpty())
            EXPECT_EQ(out, in);
        else
            EXPECT_FALSE(out.trimmed().isEmpty()) << t;
    }
    EXPECT_EQ(store::toSqlite(u"選手名 = 'O''Neil"_s, catalog), u"\"選手名\" = 'O''Neil"_s);
    EXPECT_EQ(store::toSqlite(u"SELECT 1;;; SELECT 2"_s, catalog), u"SELECT 1;;; SELECT 2"_s);
}

} // namespace
