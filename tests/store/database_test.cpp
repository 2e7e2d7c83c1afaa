#include "store/database.h"
#include "store/schema.h"
#include "support/builders.h"
#include "support/temp_database.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using support::DatabaseTest;

namespace {

QStringList strings(std::initializer_list<const char16_t *> list)
{
    QStringList out;
    for (const char16_t *s : list)
        out << QString::fromUtf16(s);
    return out;
}

} // namespace

TEST_F(DatabaseTest, CreatesTheEightTablesWithFieldsInStoredOrder)
{
    // The ninth holds the per-match totals kept by triggers.
    EXPECT_EQ(db().tableNames(), strings({u"選手", u"シーズン", u"会場", u"ハンデ", u"試合", u"データ項目",
                                          u"マーク", u"フレーム", u"＿試合別選手集計"}));
    EXPECT_EQ(db().columnNames(u"選手"_s),
              strings({u"選手ID", u"選手名", u"初参加", u"誕生日", u"アドレス", u"本名"}));
    EXPECT_EQ(db().columnNames(u"シーズン"_s), strings({u"シーズンID", u"シーズン時期", u"シーズン名"}));
    EXPECT_EQ(db().columnNames(u"会場"_s), strings({u"会場ID", u"会場名"}));
    EXPECT_EQ(db().columnNames(u"ハンデ"_s), strings({u"ID", u"選手ID", u"シーズンID", u"ハンデ"}));
    EXPECT_EQ(db().columnNames(u"試合"_s),
              strings({u"試合ID", u"シーズンID", u"試合", u"試合日", u"１着ID", u"S10", u"競技点"}));
    EXPECT_EQ(db().columnNames(u"データ項目"_s),
              strings({u"ID", u"選手ID", u"試合ID", u"ｹﾞｰﾑ", u"優Ｐ", u"上位", u"S10", u"ST", u"SP",
                       u"SPF", u"ｽﾌﾟﾘｯﾄ", u"当日", u"入賞", u"競技点", u"HCP", u"人数", u"順位",
                       u"試合日", u"会場ID"}));
    const QStringList marks = db().columnNames(u"マーク"_s);
    ASSERT_EQ(marks.size(), 4 + 10 + 21);
    EXPECT_EQ(marks.mid(0, 5), strings({u"ID", u"選手ID", u"試合ID", u"ｹﾞｰﾑ", u"S1"}));
    EXPECT_EQ(marks.at(13), u"S10"_s);
    EXPECT_EQ(marks.mid(14, 3), strings({u"M11", u"M12", u"M21"}));
    EXPECT_EQ(marks.mid(32), strings({u"M01", u"M02", u"M03"}));
    const QStringList frames = db().columnNames(u"フレーム"_s);
    ASSERT_EQ(frames.size(), 46);
    EXPECT_EQ(frames.at(3), u"ゲーム"_s);
    EXPECT_EQ(frames.at(4), u"Flms11"_s);
    EXPECT_EQ(frames.at(24), u"Flms03"_s);
    EXPECT_EQ(frames.at(25), u"pin11"_s);
    EXPECT_EQ(frames.at(26 + 2 * 3), u"pin42"_s);
    EXPECT_EQ(frames.at(45), u"pin03"_s);
    EXPECT_EQ(db().schemaVersion(), store::Database::kSchemaVersion);
}

TEST_F(DatabaseTest, CreatesEverySavedQuery)
{
    for (const QString &name : strings({u"通算成績", u"シーズン成績２", u"選手別成績２", u"選手別通算成績２",
                                        u"全選手成績２", u"全選手通算成績２", u"多シーズン成績の元",
                                        u"スコアブック", u"＿各試合のデータ項目統計", u"シーズン降順",
                                        u"選手名とHDCP", u"他データ読み込み用ダイナ"}))
        EXPECT_TRUE(db().hasView(name)) << name.toStdString();
}

TEST_F(DatabaseTest, HoldsTheAllPlayersRow)
{
    const auto rows = db().select(u"SELECT 選手ID, 選手名 FROM 選手"_s);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0).at(0).toInt(), 0);
    EXPECT_EQ(rows.at(0).at(1).toString(), u"全　員"_s);
}

TEST_F(DatabaseTest, FindsTablesWithoutRegardToCaseOrWidth)
{
    EXPECT_TRUE(db().hasTable(u"フレーム"_s));
    EXPECT_TRUE(db().hasTable(u"ﾌﾚｰﾑ"_s));
    EXPECT_FALSE(db().hasTable(u"スコアブック"_s)); // a view, not a table
    EXPECT_FALSE(db().hasTable(u"ない"_s));
    EXPECT_EQ(db().storedName(u"ｽｺｱﾌﾞｯｸ"_s), u"スコアブック"_s);
}

TEST_F(DatabaseTest, ReopensAFileItCreated)
{
    support::addPlayer(db(), 7, u"山田"_s);
    const QString path = temp().path();
    db().close();
    store::Database again;
    again.open(path);
    EXPECT_EQ(again.scalar(u"SELECT 選手名 FROM 選手 WHERE 選手ID = ?"_s, {7}).toString(), u"山田"_s);
}

TEST(DatabaseOpen, RefusesFilesThatAreNotDatabases)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Pinora.mdb"_s);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    store::Database db;
    try {
        db.open(path);
        FAIL() << "opened a file that is not a database";
    } catch (const store::Error &e) {
        EXPECT_TRUE(e.message().contains(u"not a database"_s)) << e.describe().toStdString();
    }
    EXPECT_FALSE(db.isOpen());
    EXPECT_THROW(db.open(dir.filePath(u"missing.mdb"_s)), store::Error);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"missing.mdb"_s)));
}

TEST(DatabaseOpen, LeavesAForeignDatabaseWithoutOurTablesAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"other.db"_s);
    {
        store::Database other;
        other.create(path);
        other.exec(u"DROP TABLE フレーム"_s);
        other.exec(u"PRAGMA user_version = 0"_s);
    }
    store::Database db;
    db.open(path);
    EXPECT_FALSE(db.hasTable(u"フレーム"_s));
    EXPECT_EQ(db.schemaVersion(), 0);
}

TEST(DatabaseOpen, UpgradeStepMakesMissingQueriesOfAnOlderFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"old.mdb"_s);
    {
        store::Database old;
        old.create(path);
        old.exec(u"DROP VIEW スコアブック"_s);
        old.exec(u"DROP TRIGGER データ項目_削除"_s);
        old.exec(u"PRAGMA user_version = 0"_s);
    }
    store::Database db;
    db.open(path);
    EXPECT_TRUE(db.hasView(u"スコアブック"_s));
    EXPECT_EQ(db.scalar(u"SELECT count(*) FROM sqlite_master WHERE name = 'データ項目_削除'"_s).toInt(), 1);
    EXPECT_EQ(db.schemaVersion(), store::Database::kSchemaVersion);
}

TEST_F(DatabaseTest, ErrorCarriesTheSqlItsValuesAndSqliteMessage)
{
    try {
        db().exec(u"INSERT INTO 選手 (選手ID, 選手名) VALUES (?, ?)"_s, {0, u"重複"_s});
        FAIL() << "duplicate key accepted";
    } catch (const store::Error &e) {
        EXPECT_EQ(e.sql(), u"INSERT INTO 選手 (選手ID, 選手名) VALUES (?, ?)"_s);
        EXPECT_EQ(e.values().size(), 2);
        EXPECT_TRUE(e.message().contains(u"UNIQUE"_s)) << e.message().toStdString();
        EXPECT_TRUE(e.describe().contains(u"'重複'"_s));
    }
    EXPECT_THROW(db().exec(u"SELECT * FROM ないテーブル"_s), store::Error);
    EXPECT_THROW(db().exec(u"SELECT ?"_s, {}), store::Error);
}

TEST_F(DatabaseTest, TransactionRollsBackUnlessCommitted)
{
    {
        store::Transaction t(db());
        support::addPlayer(db(), 1, u"消える"_s);
    }
    EXPECT_EQ(db().scalar(u"SELECT count(*) FROM 選手"_s).toInt(), 1);
    {
        store::Transaction t(db());
        support::addPlayer(db(), 2, u"残る"_s);
        {
            store::Transaction inner(db());
            support::addPlayer(db(), 3, u"内側"_s);
        }
        t.commit();
    }
    EXPECT_EQ(db().scalar(u"SELECT group_concat(選手ID) FROM 選手"_s).toString(), u"0,2"_s);
    EXPECT_FALSE(db().inTransaction());
    try {
        store::Transaction t(db());
        support::addPlayer(db(), 4, u"例外"_s);
        support::addPlayer(db(), 4, u"例外"_s);
        t.commit();
    } catch (const store::Error &) {
    }
    EXPECT_EQ(db().scalar(u"SELECT count(*) FROM 選手 WHERE 選手ID = 4"_s).toInt(), 0);
}

TEST_F(DatabaseTest, DeletingAGameRemovesItsThreeRowsAndIdsStayShared)
{
    support::GameSpec g;
    g.score = 150;
    const qint64 first = support::addGame(db(), g);
    g.game = 2;
    const qint64 second = support::addGame(db(), g);
    EXPECT_EQ(second, first + 1);

    const auto countOf = [&](qint64 id) {
        return db().scalar(u"SELECT (SELECT count(*) FROM データ項目 WHERE ID = ?1) * 100"
                           u" + (SELECT count(*) FROM マーク WHERE ID = ?1) * 10"
                           u" + (SELECT count(*) FROM フレーム WHERE ID = ?1)"_s,
                           {id})
            .toInt();
    };
    EXPECT_EQ(countOf(second), 111);
    db().deleteGame(second);
    EXPECT_EQ(countOf(second), 0);
    EXPECT_EQ(countOf(first), 111);

    // A delete on any one of the three tables takes the other two rows along.
    db().exec(u"DELETE FROM フレーム WHERE ID = ?"_s, {first});
    EXPECT_EQ(countOf(first), 0);

    g.game = 3;
    const qint64 third = support::addGame(db(), g);
    EXPECT_GT(third, second);
    EXPECT_EQ(countOf(third), 111);
    EXPECT_EQ(db().scalar(u"SELECT ｹﾞｰﾑ FROM マーク WHERE ID = ?"_s, {third}).toInt(), 3);
    EXPECT_EQ(db().scalar(u"SELECT ゲーム FROM フレーム WHERE ID = ?"_s, {third}).toInt(), 3);
}

TEST_F(DatabaseTest, PaddedPlacingMatchesItsTrimmedText)
{
    support::GameSpec g;
    g.placing = u"１着  "_s;
    support::addGame(db(), g);
    EXPECT_EQ(db().scalar(u"SELECT count(*) FROM データ項目 WHERE 入賞 = '１着'"_s).toInt(), 1);
}

TEST_F(DatabaseTest, ChecksIntegrityAndCompactsIntoANewFile)
{
    support::addPlayer(db(), 5, u"鈴木"_s);
    EXPECT_EQ(db().integrityCheck(), QStringList{u"ok"_s});
    const QString target = temp().filePath(u"PINORANEW.MDB"_s);
    db().compactInto(target);
    store::Database copy;
    copy.open(target);
    EXPECT_EQ(copy.scalar(u"SELECT 選手名 FROM 選手 WHERE 選手ID = 5"_s).toString(), u"鈴木"_s);
    EXPECT_TRUE(copy.hasView(u"スコアブック"_s));
    EXPECT_THROW(db().compactInto(target), store::Error); // never overwrites
}

TEST_F(DatabaseTest, CompactsAFileAndLeavesNothingWhenTheSourceIsDamaged)
{
    support::addPlayer(db(), 5, u"鈴木"_s);
    const QString source = temp().path();
    db().close();
    const QString target = temp().filePath(u"PINORANEW.MDB"_s);
    store::Database::compactFile(source, target);
    store::Database copy;
    copy.open(target);
    EXPECT_EQ(copy.scalar(u"SELECT count(*) FROM 選手"_s).toInt(), 2);
    copy.close();

    // Overwrite pages in the middle of the file: the check finds the damage.
    const QString damaged = temp().filePath(u"damaged.mdb"_s);
    ASSERT_TRUE(QFile::copy(source, damaged));
    {
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_GT(f.size(), 8192);
        f.seek(4096);
        f.write(QByteArray(int(f.size()) - 8192, '\x5a'));
    }
    const QString target2 = temp().filePath(u"PINORANEW2.MDB"_s);
    EXPECT_THROW(store::Database::compactFile(damaged, target2), store::Error);
    EXPECT_FALSE(QFile::exists(target2));
    EXPECT_THROW(store::Database::compactFile(temp().filePath(u"none.mdb"_s), target2), store::Error);
}

TEST(QuoteText, DoublesApostrophes)
{
    EXPECT_EQ(store::quoteText(u"O'Neil"_s), u"'O''Neil'"_s);
    EXPECT_EQ(store::quoteText(u"山田"_s), u"'山田'"_s);
    EXPECT_EQ(store::quoteText(QString()), u"''"_s);
}
