#include "store/database.h"
#include "store/recordset.h"
#include "support/builders.h"
#include "support/league_fixture.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using store::Recordset;
using store::RecordsetType;
using support::DatabaseTest;
using support::LeagueTest;

namespace {

QStringList column(Recordset &rs, const QString &field)
{
    QStringList out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out << rs.value(field).toString();
    return out;
}

} // namespace

TEST_F(LeagueTest, NavigatesRowsPositionsAndBookmarks)
{
    Recordset rs(db(), u"選手"_s, RecordsetType::Table);
    ASSERT_EQ(rs.recordCount(), 4);
    EXPECT_FALSE(rs.bof());
    EXPECT_EQ(rs.absolutePosition(), 0);
    EXPECT_EQ(rs.value(u"選手名"_s).toString(), u"全　員"_s);

    rs.moveNext();
    rs.moveNext();
    EXPECT_EQ(rs.value(0).toInt(), 2);
    EXPECT_EQ(rs.absolutePosition(), 2);
    const store::Bookmark mark = rs.bookmark();

    rs.moveLast();
    EXPECT_EQ(rs.value(u"選手名"_s).toString(), u"O'Neil"_s);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_FALSE(rs.bof());
    EXPECT_EQ(rs.absolutePosition(), -1);
    EXPECT_THROW(rs.value(0), store::Error);
    rs.moveNext(); // stays at the end
    EXPECT_TRUE(rs.eof());
    rs.movePrevious();
    EXPECT_EQ(rs.value(0).toInt(), 3);

    rs.moveFirst();
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    EXPECT_FALSE(rs.eof());

    rs.setBookmark(mark);
    EXPECT_EQ(rs.value(0).toInt(), 2);
    rs.setAbsolutePosition(1);
    EXPECT_EQ(rs.value(0).toInt(), 1);
    rs.move(10);
    EXPECT_TRUE(rs.eof());
    rs.move(-2);
    EXPECT_EQ(rs.value(0).toInt(), 2);
    EXPECT_THROW(rs.setAbsolutePosition(4), store::Error);
}

TEST_F(DatabaseTest, AnEmptyRecordsetIsAtBothEnds)
{
    Recordset rs(db(), u"データ項目"_s);
    EXPECT_TRUE(rs.eof());
    EXPECT_TRUE(rs.bof());
    EXPECT_EQ(rs.recordCount(), 0);
    rs.moveFirst();
    rs.moveLast();
    EXPECT_TRUE(rs.eof());
    EXPECT_THROW(rs.value(u"S10"_s), store::Error);
    EXPECT_EQ(rs.fieldCount(), 19);
}

TEST_F(LeagueTest, FieldNamesMatchWithoutRegardToCaseOrWidth)
{
    struct Case
    {
        const char16_t *source;
        const char16_t *asked;
        const char16_t *stored;
    };
    const Case cases[] = {
        {u"データ項目", u"優p", u"優Ｐ"},
        {u"データ項目", u"s10", u"S10"},
        {u"データ項目", u"スプリット", u"ｽﾌﾟﾘｯﾄ"},
        {u"データ項目", u"選手id", u"選手ID"},
        {u"通算成績", u"優P計", u"優Ｐ計"},
        {u"通算成績", u"st平均", u"ST平均"},
        {u"通算成績", u"スペアミス", u"ｽﾍﾟｱﾐｽ"},
        {u"選手別成績２", u"ゲーム数", u"ｹﾞｰﾑ数"},
        {u"スコアブック", u"ゲーム", u"ｹﾞｰﾑ"},
        {u"スコアブック", u"m11", u"M11"},
        {u"フレーム", u"ｹﾞｰﾑ", u"ゲーム"},
    };
    for (const Case &c : cases) {
        Recordset rs(db(), QString::fromUtf16(c.source), RecordsetType::Snapshot);
        const int i = rs.fieldIndex(QString::fromUtf16(c.asked));
        ASSERT_GE(i, 0) << QString::fromUtf16(c.asked).toStdString();
        EXPECT_EQ(rs.fieldNames().at(i), QString::fromUtf16(c.stored));
        EXPECT_EQ(rs.value(QString::fromUtf16(c.asked)), rs.value(i));
    }
    Recordset rs(db(), u"データ項目"_s);
    EXPECT_EQ(rs.fieldIndex(u"ない"_s), -1);
    EXPECT_THROW(rs.value(u"ない"_s), store::Error);
}

TEST_F(LeagueTest, FieldsByOrdinalFollowTheStoredOrder)
{
    Recordset rs(db(), u"フレーム"_s, RecordsetType::Snapshot);
    EXPECT_EQ(rs.fieldNames().at(4), u"Flms11"_s);
    EXPECT_EQ(rs.value(4).toInt(), 9);  // first ball of frame 1
    EXPECT_EQ(rs.value(5).toInt(), 19); // second ball: a miss
    EXPECT_EQ(rs.value(25).toInt(), -1);
    Recordset players(db(), u"他データ読み込み用ダイナ"_s);
    players.findFirst(u"選手ID = 2"_s);
    EXPECT_EQ(players.value(1).toString(), u"鈴木"_s);
    EXPECT_EQ(players.value(3).toInt(), 20);
}

TEST_F(LeagueTest, FindsRowsWithCriteria)
{
    Recordset hcp(db(), u"ハンデ"_s, RecordsetType::Table);
    hcp.findFirst(u"シーズンID=1 AND 選手ID=2"_s);
    ASSERT_FALSE(hcp.noMatch());
    EXPECT_EQ(hcp.value(u"ハンデ"_s).toInt(), 20);
    hcp.findFirst(u"シーズンID=2 AND 選手ID=2"_s);
    EXPECT_TRUE(hcp.noMatch());
    EXPECT_EQ(hcp.value(u"ハンデ"_s).toInt(), 20); // the current row stays

    Recordset games(db(), u"データ項目"_s);
    QStringList found;
    for (games.findFirst(u"選手ID = 1"_s); !games.noMatch(); games.findNext(u"選手ID = 1"_s))
        found << games.value(u"ID"_s).toString();
    EXPECT_EQ(found, (QStringList{u"1"_s, u"3"_s, u"6"_s, u"8"_s}));
    games.findLast(u"選手ID = 2"_s);
    EXPECT_EQ(games.value(u"ID"_s).toInt(), 7);
    games.findPrevious(u"選手ID = 2"_s);
    EXPECT_EQ(games.value(u"ID"_s).toInt(), 4);

    Recordset players(db(), u"選手"_s);
    players.findFirst(u"選手名 = "_s + store::quoteText(u"O'Neil"_s));
    ASSERT_FALSE(players.noMatch());
    EXPECT_EQ(players.value(u"選手ID"_s).toInt(), 3);
    players.findFirst(u"選手ID = 1"_s);
    EXPECT_EQ(players.value(u"選手名"_s).toString(), u"山田"_s);
    EXPECT_THROW(players.findFirst(u"選手ID = = 1"_s), store::Error);
}

TEST_F(LeagueTest, FilterAndSortOpenASecondRecordset)
{
    Recordset stats(db(), u"＿各試合のデータ項目統計"_s);
    stats.setSort(u"Ｇ数 DESC"_s);
    auto sorted = stats.openRecordset();
    // Equal counts keep the saved query's order (by match).
    EXPECT_EQ(column(*sorted, u"試合ID"_s),
              (QStringList{u"1"_s, u"1"_s, u"2"_s, u"2"_s, u"3"_s, u"3"_s}));
    EXPECT_EQ(column(*sorted, u"選手名"_s).mid(0, 2), (QStringList{u"山田"_s, u"鈴木"_s}));

    stats.setFilter(u"選手名 ='山田'"_s);
    stats.setSort(u"得点計 DESC"_s);
    auto mine = stats.openRecordset();
    EXPECT_EQ(column(*mine, u"得点計"_s), (QStringList{u"350"_s, u"170"_s, u"140"_s}));
    EXPECT_EQ(stats.recordCount(), 6); // the first recordset is unchanged

    // A filter on the filtered recordset narrows it further.
    mine->setFilter(u"最高点 > 150"_s);
    auto best = mine->openRecordset(RecordsetType::Snapshot);
    EXPECT_EQ(column(*best, u"試合ID"_s), (QStringList{u"1"_s, u"3"_s}));

    Recordset book(db(), u"スコアブック"_s);
    book.setFilter(u"選手ID = 1 and シーズンID = 1"_s);
    auto games = book.openRecordset();
    EXPECT_EQ(column(*games, u"ID"_s), (QStringList{u"1"_s, u"3"_s, u"8"_s}));
    book.setFilter(u"選手名 = "_s + store::quoteText(u"O'Neil"_s));
    EXPECT_EQ(book.openRecordset()->recordCount(), 1);
    book.setFilter(u"ないフィールド = 1"_s);
    EXPECT_THROW(book.openRecordset(), store::Error);
}

TEST_F(LeagueTest, OpensJetSqlTexts)
{
    Recordset rs(db(), u"SELECT * FROM 通算成績 where 選手ID=1"_s, RecordsetType::Snapshot);
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(u"ゲーム"_s).toInt(), 4);
    Recordset grouped(db(),
                      u"SELECT DISTINCTROW データ項目.選手ID, Sum(データ項目.優Ｐ) AS 優Ｐ計, "
                      u"Avg(データ項目.S10) AS 平均点 FROM 選手 RIGHT JOIN (試合 RIGHT JOIN データ項目 "
                      u"ON 試合.試合ID = データ項目.試合ID) ON 選手.選手ID = データ項目.選手ID "
                      u"WHERE (((試合.試合ID) Between 1 And 2)) GROUP BY データ項目.選手ID "
                      u"ORDER BY Sum(データ項目.優Ｐ) DESC , Avg(データ項目.S10) DESC;"_s,
                      RecordsetType::Snapshot);
    EXPECT_EQ(column(grouped, u"選手id"_s), (QStringList{u"2"_s, u"1"_s}));
    EXPECT_THROW(Recordset(db(), u"SELECT * FROM ないテーブル"_s), store::Error);
    EXPECT_THROW(Recordset(db(), u"DELETE FROM 選手"_s), store::Error);
    EXPECT_EQ(db().scalar(u"SELECT count(*) FROM 選手"_s).toInt(), 4);
}

TEST_F(LeagueTest, AddsEditsAndDeletesTableRows)
{
    Recordset rs(db(), u"選手"_s, RecordsetType::Table);
    rs.addNew();
    rs.setValue(u"選手id"_s, u"12"_s); // a text into a number field
    rs.setValue(u"選手名"_s, u"田中"_s);
    rs.update();
    EXPECT_EQ(rs.value(0).toInt(), 0); // the current row stays
    rs.moveLast();
    EXPECT_EQ(rs.value(u"選手名"_s).toString(), u"田中"_s);
    EXPECT_EQ(rs.bookmark(), rs.lastModified());
    EXPECT_EQ(db().scalar(u"SELECT typeof(選手ID) || 選手ID FROM 選手 WHERE 選手名 = '田中'"_s),
              QVariant(u"integer12"_s));

    rs.edit();
    rs.setValue(u"選手名"_s, u"田中一郎"_s);
    EXPECT_EQ(rs.value(u"選手名"_s).toString(), u"田中一郎"_s); // the buffer is read while editing
    rs.update();
    EXPECT_EQ(db().scalar(u"SELECT 選手名 FROM 選手 WHERE 選手ID = 12"_s).toString(), u"田中一郎"_s);

    rs.edit();
    rs.setValue(u"選手名"_s, u"取り消し"_s);
    rs.cancelUpdate();
    EXPECT_EQ(rs.value(u"選手名"_s).toString(), u"田中一郎"_s);

    rs.moveFirst();
    rs.moveNext(); // 山田
    rs.deleteRecord();
    EXPECT_THROW(rs.value(0), store::Error);
    rs.moveNext();
    EXPECT_EQ(rs.value(u"選手名"_s).toString(), u"鈴木"_s);
    EXPECT_EQ(rs.recordCount(), 4);
    EXPECT_EQ(db().scalar(u"SELECT count(*) FROM 選手 WHERE 選手ID = 1"_s).toInt(), 0);

    EXPECT_THROW(rs.setValue(u"選手名"_s, u"x"_s), store::Error); // no AddNew or Edit
    EXPECT_THROW(rs.update(), store::Error);
    rs.addNew();
    rs.setValue(u"選手ID"_s, 2);
    EXPECT_THROW(rs.update(), store::Error); // the number is taken
}

TEST_F(DatabaseTest, ConvertsTextsWrittenIntoNumberAndDateFields)
{
    Recordset rs(db(), u"試合"_s);
    rs.addNew();
    rs.setValue(u"試合ID"_s, u"１"_s);
    rs.setValue(u"試合"_s, u" 3 "_s);
    rs.setValue(u"試合日"_s, u"2024/5/6"_s);
    rs.setValue(u"S10"_s, 2.5); // whole-number fields round halves to even
    rs.setValue(u"競技点"_s, u""_s);
    rs.update();
    rs.moveFirst();
    EXPECT_EQ(rs.value(u"試合"_s).toInt(), 3);
    EXPECT_EQ(rs.value(u"試合日"_s).toDate(), QDate(2024, 5, 6));
    EXPECT_EQ(rs.value(u"S10"_s).toInt(), 2);
    EXPECT_TRUE(rs.value(u"競技点"_s).isNull());
    EXPECT_EQ(db().scalar(u"SELECT 試合日 FROM 試合"_s).toString(), u"2024-05-06"_s);
    rs.edit();
    EXPECT_THROW(rs.setValue(u"試合"_s, u"三"_s), store::Error);
    EXPECT_THROW(rs.setValue(u"試合日"_s, u"いつか"_s), store::Error);
}

TEST_F(LeagueTest, SnapshotsAreReadOnly)
{
    Recordset rs(db(), u"選手"_s, RecordsetType::Snapshot);
    EXPECT_FALSE(rs.isUpdatable());
    EXPECT_THROW(rs.addNew(), store::Error);
    EXPECT_THROW(rs.edit(), store::Error);
    EXPECT_THROW(rs.deleteRecord(), store::Error);
    Recordset totals(db(), u"通算成績"_s);
    EXPECT_FALSE(totals.isUpdatable());
}

TEST_F(LeagueTest, WritesThroughTheSeasonList)
{
    Recordset rs(db(), u"シーズン降順"_s);
    rs.addNew();
    rs.setValue(u"シーズン名"_s, u"冬"_s);
    rs.update();
    rs.moveLast();
    EXPECT_EQ(rs.value(u"シーズンID"_s).toInt(), 3);
    EXPECT_EQ(rs.value(u"シーズン名"_s).toString(), u"冬"_s);
    rs.requery();
    EXPECT_EQ(rs.value(u"シーズン名"_s).toString(), u"冬"_s); // newest first

    rs.edit();
    rs.setValue(u"シーズン時期"_s, u"2025"_s);
    rs.update();
    EXPECT_EQ(db().scalar(u"SELECT シーズン時期 FROM シーズン WHERE シーズンID = 3"_s).toString(),
              u"2025"_s);
    rs.deleteRecord();
    EXPECT_EQ(db().scalar(u"SELECT count(*) FROM シーズン"_s).toInt(), 2);
}

TEST_F(LeagueTest, WritesThroughTheHandicapList)
{
    Recordset rs(db(), u"選手名とHDCP"_s);
    rs.findFirst(u"選手ID = 2"_s);
    ASSERT_FALSE(rs.noMatch());
    rs.edit();
    rs.setValue(u"ハンデ"_s, u"25"_s);
    rs.update();
    EXPECT_EQ(db().scalar(u"SELECT ハンデ FROM ハンデ WHERE 選手ID = 2"_s).toInt(), 25);
    EXPECT_EQ(rs.value(u"選手名"_s).toString(), u"鈴木"_s);

    rs.addNew();
    rs.setValue(u"選手ID"_s, 3);
    rs.setValue(u"シーズンID"_s, 2);
    rs.setValue(u"ハンデ"_s, -5);
    rs.update();
    rs.moveLast();
    EXPECT_EQ(rs.value(u"ID"_s).toInt(), 3);
    EXPECT_EQ(rs.value(u"選手名"_s).toString(), u"O'Neil"_s);
    EXPECT_EQ(rs.value(u"シーズン時期"_s).toString(), u"2024後期"_s);

    rs.moveFirst();
    rs.deleteRecord();
    EXPECT_EQ(db().scalar(u"SELECT group_concat(ID) FROM ハンデ"_s).toString(), u"2,3"_s);
    EXPECT_EQ(db().scalar(u"SELECT count(*) FROM 選手 WHERE 選手ID = 1"_s).toInt(), 1);
}

TEST_F(LeagueTest, AddsAPlayerWithHisHandicapThroughTheMergeList)
{
    Recordset rs(db(), u"他データ読み込み用ダイナ"_s);
    rs.findFirst(u"選手ID = 9"_s);
    EXPECT_TRUE(rs.noMatch());
    rs.addNew();
    rs.setValue(0, 9);
    rs.setValue(1, u"O'Hara"_s);
    rs.setValue(2, 1);
    rs.setValue(3, 15);
    rs.update();
    EXPECT_EQ(db().scalar(u"SELECT 選手名 FROM 選手 WHERE 選手ID = 9"_s).toString(), u"O'Hara"_s);
    EXPECT_EQ(db().scalar(u"SELECT ハンデ FROM ハンデ WHERE 選手ID = 9 AND シーズンID = 1"_s).toInt(), 15);
    rs.findFirst(u"選手名 = "_s + store::quoteText(u"O'Hara"_s));
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(rs.value(0).toInt(), 9);
    EXPECT_EQ(rs.value(3).toInt(), 15);

    // Another handicap row for a known player adds no second player.
    rs.addNew();
    rs.setValue(0, 9);
    rs.setValue(1, u"O'Hara"_s);
    rs.setValue(2, 2);
    rs.setValue(3, 18);
    rs.update();
    EXPECT_EQ(db().scalar(u"SELECT count(*) FROM 選手 WHERE 選手ID = 9"_s).toInt(), 1);
    EXPECT_EQ(db().scalar(u"SELECT count(*) FROM ハンデ WHERE 選手ID = 9"_s).toInt(), 2);
}

TEST_F(LeagueTest, DeletingFromTheScorebookRemovesTheWholeGame)
{
    Recordset book(db(), u"スコアブック"_s);
    book.findFirst(u"ID=7"_s);
    ASSERT_FALSE(book.noMatch());
    book.deleteRecord();
    for (const QString &table : {u"データ項目"_s, u"マーク"_s, u"フレーム"_s})
        EXPECT_EQ(db().scalar(u"SELECT count(*) FROM "_s + table + u" WHERE ID = 7"_s).toInt(), 0)
            << table.toStdString();
    book.moveNext();
    EXPECT_EQ(book.value(u"ID"_s).toInt(), 8);

    const qint64 next = support::addGame(db(), support::GameSpec{});
    EXPECT_EQ(next, 9);
    EXPECT_EQ(db().scalar(u"SELECT count(*) FROM マーク JOIN フレーム USING (ID) WHERE ID = 9"_s).toInt(), 1);
}

TEST_F(LeagueTest, EditsGameRowsOfAnSqlText)
{
    Recordset rs(db(), u"SELECT ID, 優Ｐ, 入賞 FROM データ項目 WHERE 選手ID = 2"_s);
    ASSERT_TRUE(rs.isUpdatable());
    rs.findFirst(u"ID = 2"_s);
    ASSERT_FALSE(rs.noMatch());
    rs.edit();
    rs.setValue(u"優p"_s, u"7"_s);
    rs.update();
    EXPECT_EQ(db().scalar(u"SELECT 優Ｐ FROM データ項目 WHERE ID = 2"_s).toInt(), 7);
    EXPECT_EQ(rs.value(u"優Ｐ"_s).toInt(), 7);
    rs.deleteRecord();
    EXPECT_EQ(db().scalar(u"SELECT count(*) FROM マーク WHERE ID = 2"_s).toInt(), 0);
}

TEST_F(LeagueTest, RequeryReadsRowsAddedElsewhere)
{
    Recordset rs(db(), u"選手"_s);
    rs.moveLast();
    support::addPlayer(db(), 20, u"新人"_s);
    EXPECT_EQ(rs.recordCount(), 4);
    rs.requery();
    EXPECT_EQ(rs.recordCount(), 5);
    EXPECT_EQ(rs.absolutePosition(), 0);
    rs.moveLast();
    EXPECT_EQ(rs.value(u"選手名"_s).toString(), u"新人"_s);
}

TEST_F(DatabaseTest, SortKeepsTheSourceOrderOfEqualRows)
{
    for (const QString &name : {u"一"_s, u"二"_s, u"三"_s})
        support::addSeason(db(), name, u"同じ"_s);
    support::addSeason(db(), u"四"_s, u"先"_s);
    Recordset seasons(db(), u"シーズン降順"_s);
    seasons.setSort(u"シーズン時期"_s);
    auto sorted = seasons.openRecordset();
    EXPECT_EQ(column(*sorted, u"シーズン名"_s),
              (QStringList{u"四"_s, u"三"_s, u"二"_s, u"一"_s}));
}
