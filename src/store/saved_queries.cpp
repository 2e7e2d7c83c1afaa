#include "store/saved_queries.h"

#include "store/schema.h"

using namespace Qt::StringLiterals;

namespace store {

namespace {

// The sums of a group of game rows d, under names of their own; the
// figures are worked out from them (fewer aggregates keep the views quick).
QString sums()
{
    return u"Count(*) AS n_games, Sum(d.優Ｐ) AS n_points, Sum(d.上位) AS n_upper, "
           u"Sum(d.S10) AS n_score, Sum(d.ST) AS n_strikes, Sum(d.SP) AS n_spares, "
           u"Sum(d.SPF) AS n_missed"_s;
}

// The figures of the sums of subquery g, the count of games named
// gameColumn. The spare rate is empty when a group has neither spares nor
// missed spares.
QString figureColumns(const QString &gameColumn)
{
    return u"g.n_games AS "_s + gameColumn
        + u", g.n_points AS 優Ｐ計, g.n_upper AS 上位, g.n_upper * 1.0 / g.n_games AS 上位率, "
          u"g.n_score AS 合計点, g.n_score * 1.0 / g.n_games AS 平均点, g.n_strikes AS ST, "
          u"g.n_strikes * 1.0 / g.n_games AS ST平均, g.n_spares AS スペア, g.n_missed AS ｽﾍﾟｱﾐｽ, "
          u"g.n_spares * 1.0 / NULLIF(g.n_spares + g.n_missed, 0) AS スペア率"_s;
}

QString view(const QString &name, const QString &select)
{
    return u"CREATE VIEW IF NOT EXISTS "_s + name + u" AS "_s + select;
}

QString trigger(const QString &name, const QString &event, const QString &viewName,
                const QString &body)
{
    return u"CREATE TRIGGER IF NOT EXISTS "_s + name + u" INSTEAD OF "_s + event + u" ON "_s
        + viewName + u" BEGIN "_s + body + u" END"_s;
}

} // namespace

QStringList savedQueryStatements()
{
    QStringList s;

    // All-time figures per player, the win-point table's order.
    s << view(u"通算成績"_s,
              u"SELECT g.選手ID AS 選手ID, 選手.選手名 AS 選手名, "_s + figureColumns(u"ゲーム"_s)
                  + u" FROM (SELECT d.選手ID AS 選手ID, "_s + sums()
                  + u" FROM データ項目 AS d GROUP BY d.選手ID) AS g"
                    u" LEFT JOIN 選手 ON 選手.選手ID = g.選手ID"
                    u" ORDER BY g.n_points DESC, g.n_score * 1.0 / g.n_games DESC"_s);

    // The same per season and player; a season's best players come first.
    s << view(u"シーズン成績２"_s,
              u"SELECT g.シーズンID AS シーズンID, g.選手ID AS 選手ID, 選手.選手名 AS 選手名, "_s
                  + figureColumns(u"ゲーム"_s)
                  + u" FROM (SELECT 試合.シーズンID AS シーズンID, d.選手ID AS 選手ID, "_s + sums()
                  + u" FROM データ項目 AS d LEFT JOIN 試合 ON 試合.試合ID = d.試合ID"
                    u" GROUP BY 試合.シーズンID, d.選手ID) AS g"
                    u" LEFT JOIN 選手 ON 選手.選手ID = g.選手ID"
                    u" ORDER BY g.シーズンID, g.n_points DESC, g.n_score * 1.0 / g.n_games DESC"_s);

    // Personal tables: per player and season, and per player over all seasons.
    s << view(u"選手別成績２"_s,
              u"SELECT g.選手ID AS 選手ID, g.シーズンID AS シーズンID, "_s + figureColumns(u"ｹﾞｰﾑ数"_s)
                  + u" FROM (SELECT d.選手ID AS 選手ID, 試合.シーズンID AS シーズンID, "_s + sums()
                  + u" FROM データ項目 AS d LEFT JOIN 試合 ON 試合.試合ID = d.試合ID"
                    u" GROUP BY d.選手ID, 試合.シーズンID) AS g ORDER BY g.選手ID, g.シーズンID"_s);
    s << view(u"選手別通算成績２"_s,
              u"SELECT g.選手ID AS 選手ID, "_s + figureColumns(u"ｹﾞｰﾑ数"_s)
                  + u" FROM (SELECT d.選手ID AS 選手ID, "_s + sums()
                  + u" FROM データ項目 AS d GROUP BY d.選手ID) AS g ORDER BY g.選手ID"_s);

    // All players together, under the all-players number 0.
    s << view(u"全選手成績２"_s,
              u"SELECT 0 AS 選手ID, g.シーズンID AS シーズンID, "_s + figureColumns(u"ｹﾞｰﾑ数"_s)
                  + u" FROM (SELECT 試合.シーズンID AS シーズンID, "_s + sums()
                  + u" FROM データ項目 AS d LEFT JOIN 試合 ON 試合.試合ID = d.試合ID"
                    u" GROUP BY 試合.シーズンID) AS g ORDER BY g.シーズンID"_s);
    s << view(u"全選手通算成績２"_s,
              u"SELECT 0 AS 選手ID, "_s + figureColumns(u"ｹﾞｰﾑ数"_s) + u" FROM (SELECT "_s + sums()
                  + u" FROM データ項目 AS d) AS g"_s);

    // One row per game row with its season, for grouping by season.
    s << view(u"多シーズン成績の元"_s,
              u"SELECT 試合.シーズンID AS シーズンID, d.選手ID AS 選手ID, d.試合ID AS 試合ID, "
              u"d.ｹﾞｰﾑ AS ｹﾞｰﾑ, d.優Ｐ AS 優Ｐ, d.上位 AS 上位, d.S10 AS S10, d.ST AS ST, "
              u"d.SP AS SP, d.SPF AS SPF, d.ID AS ID"
              u" FROM データ項目 AS d LEFT JOIN 試合 ON 試合.試合ID = d.試合ID"_s);

    // Every stored game with its marks, player, match, venue and season.
    {
        QString marks;
        for (const QString &b : schema::ballSuffixes())
            marks += u", m.M"_s + b;
        QString totals;
        for (int i = 1; i <= 9; ++i)
            totals += u", m.S"_s + QString::number(i);
        s << view(u"スコアブック"_s,
                  u"SELECT d.ID AS ID, d.選手ID AS 選手ID, 選手.選手名 AS 選手名, "
                  u"d.試合日 AS 試合日, 試合.シーズンID AS シーズンID, 試合.試合 AS 試合, "
                  u"d.試合ID AS 試合ID, d.ｹﾞｰﾑ AS ｹﾞｰﾑ, d.優Ｐ AS 優Ｐ, d.入賞 AS 入賞, "
                  u"d.S10 AS S10, d.競技点 AS 競技点"_s
                      + marks + totals
                      + u", 会場.会場名 AS 会場名, シーズン.シーズン名 AS シーズン名, "
                        u"d.HCP AS HCP, d.上位 AS 上位, d.ST AS ST, d.SP AS SP, d.SPF AS SPF, "
                        u"d.ｽﾌﾟﾘｯﾄ AS ｽﾌﾟﾘｯﾄ, d.当日 AS 当日, d.人数 AS 人数, d.順位 AS 順位, "
                        u"d.会場ID AS 会場ID"
                        u" FROM データ項目 AS d INNER JOIN マーク AS m ON m.ID = d.ID"
                        u" LEFT JOIN 選手 ON 選手.選手ID = d.選手ID"
                        u" LEFT JOIN 試合 ON 試合.試合ID = d.試合ID"
                        u" LEFT JOIN 会場 ON 会場.会場ID = d.会場ID"
                        u" LEFT JOIN シーズン ON シーズン.シーズンID = 試合.シーズンID"
                        u" ORDER BY 試合.シーズンID, 試合.試合, d.ｹﾞｰﾑ, d.ID"_s);
    }

    // One row per match and player, from the totals the triggers keep.
    s << view(u"＿各試合のデータ項目統計"_s,
              u"SELECT 選手.選手名 AS 選手名, g.試合日 AS 試合日, g.Ｇ数 AS Ｇ数, g.上位計 AS 上位計, "
              u"g.得点計 AS 得点計, g.最高点 AS 最高点, g.ST計 AS ST計, g.ST最大 AS ST最大, "
              u"g.SP計 AS SP計, g.SP最大 AS SP最大, g.試合ID AS 試合ID, g.選手ID AS 選手ID"
              u" FROM ＿試合別選手集計 AS g"
              u" LEFT JOIN 選手 ON 選手.選手ID = g.選手ID ORDER BY g.試合ID, g.選手ID"_s);

    // Seasons, newest first; written through by match setup.
    s << view(u"シーズン降順"_s,
              u"SELECT シーズンID, シーズン時期, シーズン名 FROM シーズン ORDER BY シーズンID DESC"_s);
    s << trigger(u"シーズン降順_追加"_s, u"INSERT"_s, u"シーズン降順"_s,
                 u"INSERT INTO シーズン (シーズンID, シーズン時期, シーズン名) "
                 u"VALUES (NEW.シーズンID, NEW.シーズン時期, NEW.シーズン名);"_s);
    s << trigger(u"シーズン降順_変更"_s, u"UPDATE"_s, u"シーズン降順"_s,
                 u"UPDATE シーズン SET シーズンID = NEW.シーズンID, シーズン時期 = NEW.シーズン時期, "
                 u"シーズン名 = NEW.シーズン名 WHERE シーズンID = OLD.シーズンID;"_s);
    s << trigger(u"シーズン降順_削除"_s, u"DELETE"_s, u"シーズン降順"_s,
                 u"DELETE FROM シーズン WHERE シーズンID = OLD.シーズンID;"_s);

    // Handicap rows with season period and player name; changing the period
    // or the name changes the season or the player.
    s << view(u"選手名とHDCP"_s,
              u"SELECT ハンデ.ID AS ID, ハンデ.シーズンID AS シーズンID, シーズン.シーズン時期 AS シーズン時期, "
              u"ハンデ.選手ID AS 選手ID, 選手.選手名 AS 選手名, ハンデ.ハンデ AS ハンデ"
              u" FROM ハンデ LEFT JOIN シーズン ON シーズン.シーズンID = ハンデ.シーズンID"
              u" LEFT JOIN 選手 ON 選手.選手ID = ハンデ.選手ID"
              u" ORDER BY ハンデ.シーズンID, ハンデ.選手ID, ハンデ.ID"_s);
    s << trigger(u"選手名とHDCP_追加"_s, u"INSERT"_s, u"選手名とHDCP"_s,
                 u"INSERT INTO ハンデ (ID, 選手ID, シーズンID, ハンデ) "
                 u"VALUES (NEW.ID, NEW.選手ID, NEW.シーズンID, NEW.ハンデ);"_s);
    s << trigger(u"選手名とHDCP_変更"_s, u"UPDATE"_s, u"選手名とHDCP"_s,
                 u"UPDATE ハンデ SET ID = NEW.ID, 選手ID = NEW.選手ID, シーズンID = NEW.シーズンID, "
                 u"ハンデ = NEW.ハンデ WHERE ID = OLD.ID; "
                 u"UPDATE シーズン SET シーズン時期 = NEW.シーズン時期 "
                 u"WHERE シーズンID = NEW.シーズンID AND NEW.シーズン時期 IS NOT OLD.シーズン時期; "
                 u"UPDATE 選手 SET 選手名 = NEW.選手名 "
                 u"WHERE 選手ID = NEW.選手ID AND NEW.選手名 IS NOT OLD.選手名;"_s);
    s << trigger(u"選手名とHDCP_削除"_s, u"DELETE"_s, u"選手名とHDCP"_s,
                 u"DELETE FROM ハンデ WHERE ID = OLD.ID;"_s);

    // Players with their handicap rows (a player without any still appears
    // once). One insertion adds the player, when new, and the handicap row.
    s << view(u"他データ読み込み用ダイナ"_s,
              u"SELECT 選手.選手ID AS 選手ID, 選手.選手名 AS 選手名, ハンデ.シーズンID AS シーズンID, "
              u"ハンデ.ハンデ AS ハンデ, ハンデ.ID AS ハンデID"
              u" FROM 選手 LEFT JOIN ハンデ ON ハンデ.選手ID = 選手.選手ID"
              u" ORDER BY 選手.選手ID, ハンデ.ID"_s);
    s << trigger(u"他データ読み込み用ダイナ_追加"_s, u"INSERT"_s, u"他データ読み込み用ダイナ"_s,
                 u"INSERT INTO 選手 (選手ID, 選手名) SELECT NEW.選手ID, NEW.選手名 "
                 u"WHERE NOT EXISTS (SELECT 1 FROM 選手 WHERE 選手ID = NEW.選手ID); "
                 u"INSERT INTO ハンデ (ID, 選手ID, シーズンID, ハンデ) "
                 u"SELECT NEW.ハンデID, NEW.選手ID, NEW.シーズンID, NEW.ハンデ "
                 u"WHERE NEW.シーズンID IS NOT NULL OR NEW.ハンデ IS NOT NULL;"_s);
    s << trigger(u"他データ読み込み用ダイナ_変更"_s, u"UPDATE"_s, u"他データ読み込み用ダイナ"_s,
                 u"UPDATE 選手 SET 選手ID = NEW.選手ID, 選手名 = NEW.選手名 WHERE 選手ID = OLD.選手ID; "
                 u"UPDATE ハンデ SET 選手ID = NEW.選手ID, シーズンID = NEW.シーズンID, ハンデ = NEW.ハンデ "
                 u"WHERE ID = OLD.ハンデID; "
                 u"INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) "
                 u"SELECT NEW.選手ID, NEW.シーズンID, NEW.ハンデ WHERE OLD.ハンデID IS NULL "
                 u"AND (NEW.シーズンID IS NOT NULL OR NEW.ハンデ IS NOT NULL);"_s);
    s << trigger(u"他データ読み込み用ダイナ_削除"_s, u"DELETE"_s, u"他データ読み込み用ダイナ"_s,
                 u"DELETE FROM ハンデ WHERE ID = OLD.ハンデID; "
                 u"DELETE FROM 選手 WHERE 選手ID = OLD.選手ID AND OLD.ハンデID IS NULL;"_s);
    return s;
}

} // namespace store
