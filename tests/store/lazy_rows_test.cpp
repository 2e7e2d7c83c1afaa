// Rows read as they are needed: what a recordset shows while its statement
// still has rows left, and the store's writes around such a recordset.

#include "store/database.h"
#include "store/recordset.h"
#include "store/transaction.h"
#include "support/builders.h"
#include "support/temp_database.h"

#include <QDate>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using store::Recordset;
using store::RecordsetType;
using support::DatabaseTest;

namespace {

// A table t (n INTEGER, label TEXT) holding rows 1 … count.
class ManyRowsTest : public DatabaseTest
{
protected:
    static constexpr int kRows = 500;

    void SetUp() override
    {
        db().exec(u"CREATE TABLE t (n INTEGER, label TEXT)"_s);
        store::Transaction t(db());
        for (int i = 1; i <= kRows; ++i)
            db().exec(u"INSERT INTO t VALUES (?, ?)"_s, {i, u"行"_s + QString::number(i)});
        t.commit();
    }

    QList<int> numbers(Recordset &rs)
    {
        QList<int> out;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            out << rs.value(u"n"_s).toInt();
        return out;
    }

    static QList<int> range(int from, int to)
    {
        QList<int> out;
        for (int i = from; i <= to; ++i)
            out << i;
        return out;
    }
};

} // namespace

TEST_F(ManyRowsTest, KeepsTheRowsAsOpenedWhenTheStoreWritesWhileRowsAreLeft)
{
    Recordset rs(db(), u"SELECT * FROM t"_s);
    ASSERT_EQ(rs.value(u"n"_s).toInt(), 1); // one row read, the rest waits

    db().exec(u"DELETE FROM t WHERE n > 250"_s);
    db().exec(u"INSERT INTO t VALUES (1000, 'new')"_s);
    db().execJet(u"UPDATE t SET label = 'changed' WHERE n = 2"_s);

    EXPECT_EQ(numbers(rs), range(1, kRows));
    rs.setAbsolutePosition(1);
    EXPECT_EQ(rs.value(u"label"_s).toString(), u"行2"_s);
    rs.requery();
    EXPECT_EQ(rs.recordCount(), 251);
}

TEST_F(ManyRowsTest, InsertingGamesReadsTheRowsOfOpenRecordsetsFirst)
{
    support::addPlayer(db(), 1, u"山田"_s);
    Recordset games(db(), u"データ項目"_s, RecordsetType::Table);
    support::GameSpec g;
    g.playerId = 1;
    g.matchId = 1;
    g.game = 1;
    support::addGame(db(), g);
    Recordset rs(db(), u"SELECT ID FROM データ項目"_s);
    ASSERT_FALSE(rs.eof());
    support::addGame(db(), g);
    EXPECT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(games.recordCount(), 2); // not opened before the games were stored
}

TEST_F(ManyRowsTest, MovesFindsAndBookmarksReadOnlyAsFarAsTheyMust)
{
    Recordset rs(db(), u"t"_s, RecordsetType::Table);
    rs.findFirst(u"n = 40"_s);
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(rs.absolutePosition(), 39);
    const store::Bookmark at40 = rs.bookmark();

    rs.move(100);
    EXPECT_EQ(rs.value(u"n"_s).toInt(), 140);
    rs.findNext(u"label = '行141'"_s);
    EXPECT_EQ(rs.value(u"n"_s).toInt(), 141);
    rs.setBookmark(at40);
    EXPECT_EQ(rs.value(u"n"_s).toInt(), 40);
    rs.findPrevious(u"n < 3"_s);
    EXPECT_EQ(rs.value(u"n"_s).toInt(), 2);

    rs.setAbsolutePosition(kRows - 1);
    EXPECT_EQ(rs.value(u"n"_s).toInt(), kRows);
    EXPECT_THROW(rs.setAbsolutePosition(kRows), store::Error);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    rs.movePrevious();
    EXPECT_EQ(rs.value(u"n"_s).toInt(), kRows);

    Recordset other(db(), u"t"_s, RecordsetType::Table);
    EXPECT_THROW(other.setBookmark(at40 + 1000), store::Error);
    other.move(kRows + 5);
    EXPECT_TRUE(other.eof());
    EXPECT_EQ(other.absolutePosition(), -1);
    other.move(-1);
    EXPECT_EQ(other.value(u"n"_s).toInt(), kRows);

    Recordset last(db(), u"t"_s, RecordsetType::Table);
    last.findLast(u"n < 10"_s);
    EXPECT_EQ(last.value(u"n"_s).toInt(), 9);
    EXPECT_EQ(last.recordCount(), kRows);
}

TEST_F(ManyRowsTest, EditsAndDeletesWhileRowsAreLeft)
{
    Recordset rs(db(), u"t"_s, RecordsetType::Table);
    rs.move(2);
    rs.edit();
    rs.setValue(u"label"_s, u"三"_s);
    rs.update();
    EXPECT_EQ(rs.value(u"label"_s).toString(), u"三"_s);
    EXPECT_EQ(rs.lastModified(), rs.bookmark());

    rs.deleteRecord();
    rs.moveNext();
    EXPECT_EQ(rs.value(u"n"_s).toInt(), 4);
    EXPECT_EQ(rs.recordCount(), kRows - 1);

    rs.addNew();
    rs.setValue(u"n"_s, 9999);
    rs.update();
    rs.setBookmark(rs.lastModified());
    EXPECT_EQ(rs.absolutePosition(), kRows - 1); // the added row comes last
    rs.moveLast();
    EXPECT_EQ(rs.value(u"n"_s).toInt(), 9999);
    EXPECT_EQ(db().scalar(u"SELECT label FROM t WHERE n = 3"_s).toString(), QString());
}

TEST_F(ManyRowsTest, AddingBeforeTheRowsAreReadFindsTheAddedRowLater)
{
    Recordset rs(db(), u"t"_s, RecordsetType::Table);
    rs.addNew();
    rs.setValue(u"n"_s, 777);
    rs.update();
    rs.setBookmark(rs.lastModified());
    EXPECT_EQ(rs.value(u"n"_s).toInt(), 777);
    EXPECT_EQ(rs.absolutePosition(), kRows);
}

TEST_F(ManyRowsTest, CompactsRollsBackAndClosesWhileRowsAreLeft)
{
    Recordset rs(db(), u"t"_s, RecordsetType::Table);
    ASSERT_FALSE(rs.eof());
    db().compactInto(temp().filePath(u"copy.mdb"_s));
    EXPECT_EQ(rs.recordCount(), kRows);

    Recordset second(db(), u"SELECT n FROM t ORDER BY n DESC"_s);
    ASSERT_EQ(second.value(0).toInt(), kRows);
    {
        store::Transaction t(db());
        db().exec(u"DELETE FROM t"_s);
    } // rolled back
    EXPECT_EQ(numbers(second).size(), kRows);

    Recordset third(db(), u"t"_s, RecordsetType::Table);
    ASSERT_FALSE(third.eof());
    db().close(); // the statement goes with the connection; the row read stays
    EXPECT_EQ(third.value(u"n"_s).toInt(), 1);
    third.moveNext();
    EXPECT_TRUE(third.eof());
}

// Values come back from the packed rows as the statement gave them.
TEST_F(DatabaseTest, ValuesOfEveryKindSurviveBeingKeptForLater)
{
    db().exec(u"CREATE TABLE v (k INTEGER, i INTEGER, r REAL, s TEXT, d DATE, b BLOB, x)"_s);
    struct Case
    {
        QVariant i, r, s, d, b, x;
    };
    const QDate day(2024, 4, 1);
    const Case cases[] = {
        {0, 0.0, u""_s, day, QByteArray("\0\1", 2), QVariant()},
        {-1, -2.5, u"全　員"_s, QVariant(), QByteArray(), 42},
        {std::numeric_limits<qint64>::min(), 1e300, u"O'Neil"_s, QDate(1999, 12, 31),
         QByteArray(300, 'z'), u"2024-04-01"_s},
        {std::numeric_limits<qint64>::max(), std::nan(""), QString(200, u'ス'), QVariant(),
         QVariant(), 0.5},
        {127, 128.0, u"Ｘ"_s, QVariant(), QVariant(), u"text"_s},
        {QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()},
    };
    int k = 0;
    for (const Case &c : cases)
        db().exec(u"INSERT INTO v VALUES (?, ?, ?, ?, ?, ?, ?)"_s, {k++, c.i, c.r, c.s, c.d, c.b, c.x});

    Recordset rs(db(), u"v"_s, RecordsetType::Table);
    const QList<QVariantList> direct = db().select(u"SELECT * FROM v ORDER BY rowid"_s);
    ASSERT_EQ(rs.recordCount(), int(std::size(cases)));
    rs.moveFirst();
    for (int row = 0; row < int(std::size(cases)); ++row, rs.moveNext()) {
        SCOPED_TRACE(row);
        const Case &c = cases[row];
        EXPECT_EQ(rs.value(u"i"_s), c.i.isNull() ? QVariant() : QVariant(c.i.toLongLong()));
        if (c.r.isValid() && std::isnan(c.r.toDouble()))
            EXPECT_FALSE(rs.value(u"r"_s).isValid()); // SQLite stores NaN as Null
        else
            EXPECT_EQ(rs.value(u"r"_s), c.r.isNull() ? QVariant() : QVariant(c.r.toDouble()));
        EXPECT_EQ(rs.value(u"s"_s), c.s);
        EXPECT_EQ(rs.value(u"d"_s), c.d);
        EXPECT_EQ(rs.value(u"b"_s).toByteArray(), c.b.toByteArray());
        // A column without a type keeps what the statement read, an ISO
        // date text read as a date.
        const QVariant x = rs.value(u"x"_s);
        if (row == 2)
            EXPECT_EQ(x, QVariant(day));
        else
            EXPECT_EQ(x, direct.at(row).at(6));
    }
}

TEST_F(DatabaseTest, StoredGamesFollowAChangedTableLayout)
{
    support::addPlayer(db(), 1, u"山田"_s);
    support::GameSpec g;
    g.playerId = 1;
    g.matchId = 1;
    g.game = 1;
    support::addGame(db(), g);
    EXPECT_THROW(db().insertGame({{u"選手ID"_s, 1}, {u"メモ"_s, u"x"_s}}, {}, {}), store::Error);

    // A column added after INSERTs were prepared can be written next time.
    db().exec(u"ALTER TABLE データ項目 ADD COLUMN メモ TEXT"_s);
    const qint64 id = db().insertGame({{u"選手ID"_s, 1}, {u"試合ID"_s, 1}, {u"ｹﾞｰﾑ"_s, 2},
                                       {u"メモ"_s, u"x"_s}, {u"S10"_s, 150}},
                                      {{u"s1"_s, 9}}, {{u"FLMS11"_s, 9}});
    EXPECT_EQ(db().select(u"SELECT 選手ID, ｹﾞｰﾑ, メモ, S10 FROM データ項目 WHERE ID = ?"_s, {id}),
              (QList<QVariantList>{{1, 2, u"x"_s, 150}}));
    EXPECT_EQ(db().select(u"SELECT 選手ID, 試合ID, ｹﾞｰﾑ, S1 FROM マーク WHERE ID = ?"_s, {id}),
              (QList<QVariantList>{{1, 1, 2, 9}}));
    EXPECT_EQ(db().select(u"SELECT ゲーム, Flms11 FROM フレーム WHERE ID = ?"_s, {id}),
              (QList<QVariantList>{{2, 9}}));
}
