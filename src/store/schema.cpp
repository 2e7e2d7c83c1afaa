#include "store/schema.h"

using namespace Qt::StringLiterals;

namespace store::schema {

QStringList ballSuffixes()
{
    QStringList s;
    for (int frame = 1; frame <= 9; ++frame)
        for (int ball = 1; ball <= 2; ++ball)
            s << QString::number(frame) + QString::number(ball);
    s << u"01"_s << u"02"_s << u"03"_s;
    return s;
}

QStringList markFieldNames()
{
    QStringList f{u"ID"_s, u"選手ID"_s, u"試合ID"_s, u"ｹﾞｰﾑ"_s};
    for (int i = 1; i <= 10; ++i)
        f << u"S"_s + QString::number(i);
    for (const QString &b : ballSuffixes())
        f << u"M"_s + b;
    return f;
}

QStringList frameFieldNames()
{
    QStringList f{u"ID"_s, u"選手ID"_s, u"試合ID"_s, u"ゲーム"_s};
    const QStringList balls = ballSuffixes();
    for (const QString &b : balls)
        f << u"Flms"_s + b;
    for (const QString &b : balls)
        f << u"pin"_s + b;
    return f;
}

namespace {

// Column definitions after the first four (ID, 選手ID, 試合ID, game) of a game table.
QString gameKeyColumns(const QString &gameColumn)
{
    return u"ID INTEGER PRIMARY KEY AUTOINCREMENT, 選手ID INTEGER DEFAULT 0, "
           u"試合ID INTEGER DEFAULT 0, "_s
           + gameColumn + u" INTEGER DEFAULT 0"_s;
}

QString markTable()
{
    QString sql = u"CREATE TABLE マーク ("_s + gameKeyColumns(u"ｹﾞｰﾑ"_s);
    for (int i = 1; i <= 10; ++i)
        sql += u", S"_s + QString::number(i) + u" INTEGER DEFAULT 0"_s;
    for (const QString &b : ballSuffixes())
        sql += u", M"_s + b + u" TEXT"_s;
    return sql + u")"_s;
}

QString frameTable()
{
    QString sql = u"CREATE TABLE フレーム ("_s + gameKeyColumns(u"ゲーム"_s);
    const QStringList balls = ballSuffixes();
    for (const QString &b : balls)
        sql += u", Flms"_s + b + u" INTEGER DEFAULT 30"_s;
    for (const QString &b : balls)
        sql += u", pin"_s + b + u" INTEGER DEFAULT -1"_s;
    return sql + u")"_s;
}

// Deleting a game row from any of the three game tables removes the rows
// with the same ID from the other two. SQLite does not fire a trigger that is
// already running, so the three triggers do not chase each other.
QStringList gameDeleteTriggers()
{
    const QStringList tables{u"データ項目"_s, u"マーク"_s, u"フレーム"_s};
    QStringList out;
    for (const QString &t : tables) {
        QString body;
        for (const QString &other : tables)
            if (other != t)
                body += u"DELETE FROM "_s + other + u" WHERE ID = OLD.ID; "_s;
        out << u"CREATE TRIGGER IF NOT EXISTS "_s + t + u"_削除 AFTER DELETE ON "_s + t
                   + u" BEGIN "_s + body + u"END"_s;
    }
    return out;
}

const QString kMatchTotals = u"＿試合別選手集計"_s;

// The totals of the game rows of one match and player (all pairs when where
// is empty), in the columns of the totals table.
QString matchTotalsSelect(const QString &where)
{
    return u"SELECT 試合ID, 選手ID, Min(試合日), Count(*), Sum(上位), Sum(S10), Max(S10), Sum(ST), "
           u"Max(ST), Sum(SP), Max(SP) FROM データ項目"_s
        + where + u" GROUP BY 試合ID, 選手ID"_s;
}

// Works out again the totals row of the match and player of a game row
// (NEW or OLD): a row gone when no game row is left.
QString matchTotalsRedo(const QString &row)
{
    const QString where = u" WHERE 試合ID IS "_s + row + u".試合ID AND 選手ID IS "_s + row + u".選手ID"_s;
    return u"DELETE FROM "_s + kMatchTotals + where + u"; INSERT INTO "_s + kMatchTotals + u" "_s
        + matchTotalsSelect(where) + u"; "_s;
}

// The per-match and per-player totals of データ項目, kept by triggers on
// every change of a game row, so that the per-match statistics read a few
// thousand rows in order instead of grouping every stored game. The totals
// columns carry no type and hold what the aggregates give.
QStringList matchTotalsStatements()
{
    return {
        u"CREATE TABLE IF NOT EXISTS "_s + kMatchTotals
            + u" (試合ID INTEGER, 選手ID INTEGER, 試合日, Ｇ数, 上位計, 得点計, 最高点, ST計, ST最大, "
              u"SP計, SP最大)"_s,
        u"CREATE INDEX IF NOT EXISTS "_s + kMatchTotals + u"_順 ON "_s + kMatchTotals
            + u" (試合ID, 選手ID, 試合日, Ｇ数, 上位計, 得点計, 最高点, ST計, ST最大, SP計, SP最大)"_s,
        u"CREATE TRIGGER IF NOT EXISTS "_s + kMatchTotals + u"_追加 AFTER INSERT ON データ項目 BEGIN "_s
            + matchTotalsRedo(u"NEW"_s) + u"END"_s,
        u"CREATE TRIGGER IF NOT EXISTS "_s + kMatchTotals + u"_削除 AFTER DELETE ON データ項目 BEGIN "_s
            + matchTotalsRedo(u"OLD"_s) + u"END"_s,
        u"CREATE TRIGGER IF NOT EXISTS "_s + kMatchTotals
            + u"_変更 AFTER UPDATE OF 試合ID, 選手ID, 試合日, 上位, S10, ST, SP ON データ項目 BEGIN "_s
            + matchTotalsRedo(u"OLD"_s) + matchTotalsRedo(u"NEW"_s) + u"END"_s,
    };
}

} // namespace

QStringList matchTotalsRefill()
{
    return {u"DELETE FROM "_s + kMatchTotals,
            u"INSERT INTO "_s + kMatchTotals + u" "_s + matchTotalsSelect(QString())};
}

QStringList tableStatements()
{
    QStringList s{
        u"CREATE TABLE 選手 (選手ID INTEGER PRIMARY KEY, 選手名 TEXT, 初参加 TEXT, 誕生日 TEXT, "
        u"アドレス TEXT, 本名 TEXT)"_s,
        u"CREATE TABLE シーズン (シーズンID INTEGER PRIMARY KEY AUTOINCREMENT, シーズン時期 TEXT, "
        u"シーズン名 TEXT)"_s,
        u"CREATE TABLE 会場 (会場ID INTEGER PRIMARY KEY AUTOINCREMENT, 会場名 TEXT)"_s,
        u"CREATE TABLE ハンデ (ID INTEGER PRIMARY KEY AUTOINCREMENT, 選手ID INTEGER DEFAULT 0, "
        u"シーズンID INTEGER DEFAULT 0, ハンデ INTEGER DEFAULT 0)"_s,
        u"CREATE TABLE 試合 (試合ID INTEGER PRIMARY KEY, シーズンID INTEGER DEFAULT 0, "
        u"試合 INTEGER DEFAULT 0, 試合日 DATE, １着ID INTEGER DEFAULT 0, S10 INTEGER DEFAULT 0, "
        u"競技点 INTEGER DEFAULT 0)"_s,
        // 入賞 is written blank-padded to four characters; the RTRIM collation
        // makes 入賞='１着' match the padded text.
        u"CREATE TABLE データ項目 ("_s + gameKeyColumns(u"ｹﾞｰﾑ"_s)
            + u", 優Ｐ INTEGER DEFAULT 0, 上位 INTEGER DEFAULT 0, S10 INTEGER DEFAULT 0, "
              u"ST INTEGER DEFAULT 0, SP INTEGER DEFAULT 0, SPF INTEGER DEFAULT 0, "
              u"ｽﾌﾟﾘｯﾄ INTEGER DEFAULT 0, 当日 INTEGER DEFAULT 0, 入賞 TEXT COLLATE RTRIM, "
              u"競技点 INTEGER DEFAULT 0, HCP INTEGER DEFAULT 0, 人数 INTEGER DEFAULT 0, "
              u"順位 INTEGER DEFAULT 0, 試合日 DATE, 会場ID INTEGER DEFAULT 0)"_s,
        markTable(),
        frameTable(),
    };
    s << u"CREATE INDEX IF NOT EXISTS ハンデ_シーズン選手 ON ハンデ (シーズンID, 選手ID)"_s
      << u"CREATE INDEX IF NOT EXISTS ハンデ_選手 ON ハンデ (選手ID)"_s
      << u"CREATE INDEX IF NOT EXISTS 試合_シーズン ON 試合 (シーズンID, 試合)"_s
      // Covering indexes: the per-player and per-match totals read only these.
      << u"CREATE INDEX IF NOT EXISTS データ項目_選手 ON データ項目 "
         u"(選手ID, 試合ID, 優Ｐ, 上位, S10, ST, SP, SPF)"_s
      << u"CREATE INDEX IF NOT EXISTS データ項目_試合 ON データ項目 "
         u"(試合ID, 選手ID, 上位, S10, ST, SP, 試合日)"_s
      << u"CREATE INDEX IF NOT EXISTS マーク_試合 ON マーク (試合ID, 選手ID)"_s
      << u"CREATE INDEX IF NOT EXISTS マーク_選手 ON マーク (選手ID)"_s
      << u"CREATE INDEX IF NOT EXISTS フレーム_試合 ON フレーム (試合ID, 選手ID)"_s
      << u"CREATE INDEX IF NOT EXISTS フレーム_選手 ON フレーム (選手ID)"_s;
    s << gameDeleteTriggers();
    s << matchTotalsStatements();
    return s;
}

} // namespace store::schema
