// bench_store: times the store's work on a large league database and the
// sqlite3 shell on the same SQL.

#include "bench/league.h"
#include "config/settings.h"
#include "results/commit.h"
#include "store/database.h"
#include "store/error.h"
#include "store/recordset.h"
#include "store/schema.h"
#include "store/statement.h"
#include "store/transaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

struct Figures
{
    double median = 0, min = 0, max = 0;
};

Figures figures(QList<double> v)
{
    if (v.isEmpty())
        return {};
    std::sort(v.begin(), v.end());
    const qsizetype n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
    return {median, v.front(), v.back()};
}

struct Timing
{
    Figures wall, cpu;
    qint64 rows = 0;
};

// Runs f once to warm up, then runs times; f returns the rows it read.
Timing measure(int runs, const std::function<qint64()> &f)
{
    Timing t;
    t.rows = f();
    QList<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        const double c0 = cpuMs();
        timer.start();
        f();
        wall << double(timer.nsecsElapsed()) / 1e6;
        cpu << cpuMs() - c0;
    }
    t.wall = figures(wall);
    t.cpu = figures(cpu);
    return t;
}

// Every value of every row, as a screen filling a grid reads them.
qint64 readAll(store::Recordset &rs)
{
    qint64 rows = 0;
    const int fields = rs.fieldCount();
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        for (int i = 0; i < fields; ++i)
            (void)rs.value(i);
        ++rows;
    }
    return rows;
}

// The first rows only, as a screen shows them when it opens.
qint64 readFirst(store::Recordset &rs, int rows)
{
    qint64 read = 0;
    const int fields = rs.fieldCount();
    for (rs.moveFirst(); !rs.eof() && read < rows; rs.moveNext()) {
        for (int i = 0; i < fields; ++i)
            (void)rs.value(i);
        ++read;
    }
    return read;
}

// The sqlite3 shell running sql runs + 1 times on the file (the first run
// warms up); its CPU time per run (user + sys of its own timer, which has
// microseconds where its wall clock has milliseconds) and its wall time.
struct ShellTiming
{
    Figures wall, cpu;
    bool ok = false;
};

ShellTiming shell(const QString &file, const QString &sql, int runs)
{
    QString script = u".output /dev/null\n.timer on\n"_s;
    for (int i = 0; i <= runs; ++i)
        script += sql + u";\n"_s;
    QProcess p;
    p.start(u"/usr/bin/sqlite3"_s, {u"-batch"_s, u"-readonly"_s, file});
    ShellTiming t;
    if (!p.waitForStarted())
        return t;
    p.write(script.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(-1);
    static const QRegularExpression re(
        u"Run Time: real ([0-9.]+) user ([0-9.]+) sys ([0-9.]+)"_s);
    QList<double> wall, cpu;
    auto it = re.globalMatch(QString::fromUtf8(p.readAllStandardOutput()));
    bool first = true;
    while (it.hasNext()) {
        const auto m = it.next();
        if (first) {
            first = false;
            continue;
        }
        wall << m.captured(1).toDouble() * 1000.0;
        cpu << (m.captured(2).toDouble() + m.captured(3).toDouble()) * 1000.0;
    }
    const QByteArray err = p.readAllStandardError();
    if (!err.isEmpty())
        std::fprintf(stderr, "sqlite3: %s\n", err.constData());
    t.ok = wall.size() == runs;
    t.wall = figures(wall);
    t.cpu = figures(cpu);
    return t;
}

double peakMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void header()
{
    std::printf("%8s %26s %10s %10s %7s %8s  %s\n", "rows", "ms median (min-max)", "cpu ms",
                "shell cpu", "ratio", "peak MB", "what");
}

void line(const char *what, const Timing &t, const ShellTiming *sh = nullptr)
{
    char spread[64];
    std::snprintf(spread, sizeof spread, "%.2f (%.2f-%.2f)", t.wall.median, t.wall.min, t.wall.max);
    if (sh && sh->ok)
        std::printf("%8lld %26s %10.2f %10.2f %7.2f %8.1f  %s\n", static_cast<long long>(t.rows),
                    spread, t.cpu.median, sh->cpu.median,
                    sh->cpu.median > 0 ? t.cpu.median / sh->cpu.median : 0.0, peakMb(), what);
    else
        std::printf("%8lld %26s %10.2f %10s %7s %8.1f  %s\n", static_cast<long long>(t.rows), spread,
                    t.cpu.median, "-", "-", peakMb(), what);
    std::fflush(stdout);
}

// The scorebook's own SQL text of its game list.
QString scorebookSql()
{
    return u"SELECT DISTINCTROW データ項目.ID, マーク.S1, マーク.S2, マーク.S3, マーク.S4, マーク.S5, "
           u"マーク.S6, マーク.S7, マーク.S8, マーク.S9, 選手.選手名, 試合.シーズンID, 試合.試合, "
           u"データ項目.ｹﾞｰﾑ, データ項目.優Ｐ, データ項目.入賞, データ項目.S10, データ項目.競技点, "
           u"マーク.M11, マーク.M12, マーク.M21, マーク.M22, マーク.M31, マーク.M32, マーク.M41, "
           u"マーク.M42, マーク.M51, マーク.M52, マーク.M61, マーク.M62, マーク.M71, マーク.M72, "
           u"マーク.M81, マーク.M82, マーク.M91, マーク.M92, マーク.M01, マーク.M02, マーク.M03, "
           u"データ項目.試合日, 会場.会場名, データ項目.試合ID, データ項目.選手ID, シーズン.シーズン名 "
           u"FROM シーズン RIGHT JOIN (マーク INNER JOIN (選手 INNER JOIN (試合 INNER JOIN (会場 RIGHT "
           u"JOIN データ項目 ON 会場.会場ID = データ項目.会場ID) ON 試合.試合ID = データ項目.試合ID) ON "
           u"選手.選手ID = データ項目.選手ID) ON マーク.ID = データ項目.ID) ON シーズン.シーズンID = "
           u"試合.シーズンID ORDER BY 試合.シーズンID, 試合.試合, データ項目.ｹﾞｰﾑ;"_s;
}

// The same list with each RIGHT JOIN written as the LEFT JOIN it equals:
// SQLite plans a RIGHT JOIN by scanning its right side whole, so a filter on
// the player cannot use an index.
QString scorebookLeftJoinSql()
{
    QString sql = scorebookSql();
    const qsizetype from = sql.indexOf(u" FROM "_s);
    sql.truncate(from);
    return sql
        + u" FROM ((((データ項目 LEFT JOIN 会場 ON 会場.会場ID = データ項目.会場ID) INNER JOIN 試合 ON "
          u"試合.試合ID = データ項目.試合ID) INNER JOIN 選手 ON 選手.選手ID = データ項目.選手ID) "
          u"INNER JOIN マーク ON マーク.ID = データ項目.ID) LEFT JOIN シーズン ON シーズン.シーズンID = "
          u"試合.シーズンID ORDER BY 試合.シーズンID, 試合.試合, データ項目.ｹﾞｰﾑ;"_s;
}

// The season statistics' totals over a range of matches.
QString matchRangeSql(qint64 first, qint64 last, bool leftJoins = false)
{
    const QString from = leftJoins
        ? u"FROM (データ項目 LEFT JOIN 試合 ON 試合.試合ID = データ項目.試合ID) LEFT JOIN 選手 ON "
          u"選手.選手ID = データ項目.選手ID"_s
        : u"FROM 選手 RIGHT JOIN (試合 RIGHT JOIN データ項目 ON 試合.試合ID = データ項目.試合ID) ON "
          u"選手.選手ID = データ項目.選手ID"_s;
    return u"SELECT DISTINCTROW  First(選手.選手名) AS 選手名, Count(データ項目.ｹﾞｰﾑ) AS ゲーム, "
           u"Sum(データ項目.優Ｐ) AS 優Ｐ計, Sum(データ項目.上位) AS 上位, Avg(データ項目.上位) AS 上位率, "
           u"Sum(データ項目.S10) AS 合計点, Avg(データ項目.S10) AS 平均点, Sum(データ項目.ST) AS ST, "
           u"Avg(データ項目.ST) AS ST平均, Sum(データ項目.SP) AS スペア, Sum(データ項目.SPF) AS ｽﾍﾟｱﾐｽ, "
           u"[スペア]/([スペア]+[ｽﾍﾟｱﾐｽ]) AS スペア率 "_s
        + from + u" WHERE (((試合.試合ID) Between "_s
        + QString::number(first) + u" And "_s + QString::number(last)
        + u" )) GROUP BY データ項目.選手ID ORDER BY Sum(データ項目.優Ｐ) DESC , Avg(データ項目.S10) DESC;"_s;
}

// What a recordset runs for a filter or a sort over its source, for the shell.
QString filteredSql(const QString &base, const QString &criterion)
{
    return u"SELECT * FROM ("_s + base + u") WHERE ("_s + criterion + u")"_s;
}

QString sortedSql(const QString &base, const QString &sort)
{
    return u"SELECT * FROM (SELECT row_number() OVER () AS pos_, * FROM ("_s + base
        + u")) ORDER BY "_s + sort + u", pos_"_s;
}

QString stripSemicolon(QString sql)
{
    sql = sql.trimmed();
    while (sql.endsWith(u';'))
        sql.chop(1);
    return sql;
}

// The rows of the same night through three prepared INSERTs bound again for
// every game, without the milestones: what SQLite itself needs for the rows.
int storeNightPrepared(store::Database &db, const config::MatchGlobals &match,
                       const results::Commit_sheets &sheets)
{
    QStringList mark{u"ID"_s, u"選手ID"_s, u"試合ID"_s, u"ｹﾞｰﾑ"_s}, frame{u"ID"_s, u"選手ID"_s, u"試合ID"_s, u"ゲーム"_s};
    for (int i = 1; i <= 10; ++i)
        mark << u"S"_s + QString::number(i);
    for (const QString &b : store::schema::ballSuffixes()) {
        mark << u"M"_s + b;
        frame << u"Flms"_s + b;
    }
    for (const QString &b : store::schema::ballSuffixes())
        frame << u"pin"_s + b;
    const auto insert = [](const QString &table, const QStringList &cols) {
        return u"INSERT INTO "_s + table + u" ("_s + cols.join(u", "_s) + u") VALUES ("_s
            + QStringList(cols.size(), u"?"_s).join(u", "_s) + u")"_s;
    };
    const QStringList data{u"選手ID"_s, u"試合ID"_s, u"ｹﾞｰﾑ"_s, u"優Ｐ"_s, u"上位"_s, u"S10"_s,
                           u"ST"_s, u"SP"_s, u"SPF"_s, u"ｽﾌﾟﾘｯﾄ"_s, u"当日"_s, u"入賞"_s,
                           u"競技点"_s, u"HCP"_s, u"人数"_s, u"順位"_s, u"試合日"_s, u"会場ID"_s};
    store::Transaction t(db);
    // Prepared with the first game's values, bound again for the others.
    std::unique_ptr<store::Statement> d, m, f;
    const auto run = [&db](std::unique_ptr<store::Statement> &st, const QString &sql,
                           const QVariantList &values) {
        if (st)
            st->rebind(values);
        else
            st = std::make_unique<store::Statement>(db.handle(), sql, values);
        st->run();
    };
    const QString dataSql = insert(u"データ項目"_s, data), markSql = insert(u"マーク"_s, mark),
                  frameSql = insert(u"フレーム"_s, frame);
    const QDate date(match.siai_yy, match.siai_mm, match.siai_dd);
    int rows = 0;
    for (const QList<results::Commit_game> &player : sheets)
        for (const results::Commit_game &g : player) {
            if (!g.bowled())
                continue;
            run(d, dataSql,
                {g.sen_id, match.siai_id, g.game, g.points, g.upper, g.S[10], g.strikes, g.spares,
                 g.missed, g.splits, g.best_day, g.placing, g.hcp_score, g.hcp, g.bowlers, g.rank,
                 date, g.kaijo_id});
            const qint64 id = db.lastInsertId();
            QVariantList mv{id, g.sen_id, match.siai_id, g.game}, fv = mv;
            for (std::size_t i = 1; i <= 10; ++i)
                mv << g.S[i];
            for (std::size_t i = 0; i < 21; ++i) {
                mv << g.mark_txt[i];
                fv << g.mark_cd[i];
            }
            for (std::size_t i = 0; i < 21; ++i)
                fv << g.pin_bits[i];
            run(m, markSql, mv);
            run(f, frameSql, fv);
            ++rows;
        }
    db.exec(u"INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日) VALUES (?, ?, ?, ?)"_s,
            {match.siai_id, match.srs_id, match.siai_no, date});
    t.commit();
    return rows;
}

int usage()
{
    std::fprintf(stderr, "usage: bench_store [--runs N] [--sql] DATABASE.mdb\n"
                         "Times the store on a database made by pinora_generate. Stores one more\n"
                         "night in it and removes it again after each run. --sql prints the\n"
                         "SQLite text the shell runs for each query.\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    int runs = 15;
    bool showSql = false;
    QString path;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == u"--runs"_s && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == u"--sql"_s)
            showSql = true;
        else if (!args[i].startsWith(u"-"_s) && path.isEmpty())
            path = args[i];
        else
            return usage();
    }
    if (path.isEmpty() || !QFile::exists(path))
        return usage();

    try {
        store::Database db;
        db.open(path);
        const qint64 games = db.scalar(u"SELECT count(*) FROM データ項目"_s).toLongLong();
        const qint64 lastMatch = db.scalar(u"SELECT max(試合ID) FROM 試合"_s).toLongLong();
        const qint64 season = db.scalar(u"SELECT max(シーズンID) FROM シーズン"_s).toLongLong() / 2 + 1;
        const qint64 player = db.scalar(u"SELECT 選手ID FROM データ項目 GROUP BY 選手ID "
                                        u"ORDER BY count(*) DESC, 選手ID LIMIT 1"_s)
                                  .toLongLong();
        std::printf("%s: %lld games, %lld matches; %d runs each, %d cores\n", qPrintable(path),
                    static_cast<long long>(games), static_cast<long long>(lastMatch), runs,
                    QThread::idealThreadCount());
        header();

        // Opening with the start-up scan of the season and match ranges.
        line("open + season/match range scan", measure(runs, [&] {
                 store::Database d;
                 d.open(path);
                 qint64 rows = 0;
                 int lo = 1, hi = 1;
                 for (const auto &[table, field] :
                      {std::pair{u"シーズン"_s, u"シーズンID"_s}, std::pair{u"試合"_s, u"試合ID"_s}}) {
                     store::Recordset rs(d, table, store::RecordsetType::Table);
                     for (rs.moveFirst(); !rs.eof(); rs.moveNext(), ++rows) {
                         const int v = rs.value(field).toInt();
                         hi = std::max(hi, v);
                         lo = std::min(lo, v);
                     }
                 }
                 return rows + (lo > hi);
             }));

        // A query opened as a recordset, perhaps filtered or sorted and opened
        // again, read to the end; the shell runs what the adapter made of it.
        const auto query = [&](const char *what, const QString &source, const QString &criterion,
                               const QString &sort) {
            const Timing t = measure(runs, [&] {
                store::Recordset rs(db, source);
                if (criterion.isEmpty() && sort.isEmpty())
                    return readAll(rs);
                rs.setFilter(criterion);
                rs.setSort(sort);
                auto opened = rs.openRecordset();
                return readAll(*opened);
            });
            const bool isName = db.hasTable(source) || db.hasView(source);
            QString sql = stripSemicolon(db.rewrite(isName ? u"SELECT * FROM "_s + source : source));
            if (!criterion.isEmpty())
                sql = filteredSql(sql, criterion); // plain "選手ID = n": the same in both dialects
            if (!sort.isEmpty())
                sql = sortedSql(sql, sort);
            if (showSql)
                std::printf("%s\n", qPrintable(sql));
            const ShellTiming sh = shell(path, sql, runs);
            line(what, t, &sh);
        };

        query("SELECT * FROM 通算成績", u"SELECT * FROM 通算成績"_s, {}, {});
        query("one season of シーズン成績２",
              u"SELECT * FROM シーズン成績２ WHERE シーズンID="_s + QString::number(season), {}, {});
        query("one player's 選手別成績２",
              u"SELECT * FROM 選手別成績２ where 選手ID="_s + QString::number(player), {}, {});
        query("one player's 選手別通算成績２", u"選手別通算成績２"_s,
              u"選手ID = "_s + QString::number(player), {});
        query("whole scorebook (its SQL text)", scorebookSql(), {}, {});
        query("one player's scorebook (filtered)", scorebookSql(),
              u"選手ID = "_s + QString::number(player) + u" "_s, {});
        query("whole スコアブック query", u"スコアブック"_s, {}, {});
        line("  whole scorebook, first 40 rows (a screen)", measure(runs, [&] {
                 store::Recordset rs(db, scorebookSql());
                 return readFirst(rs, 40);
             }));
        for (const QString &key : {u"上位計"_s, u"得点計"_s, u"最高点"_s, u"ST計"_s, u"ST最大"_s,
                                   u"SP計"_s, u"SP最大"_s}) {
            const QByteArray what = (u"＿各試合のデータ項目統計 by "_s + key).toUtf8();
            query(what.constData(), u"＿各試合のデータ項目統計"_s, {}, key + u" DESC"_s);
        }
        query("match range over all matches", matchRangeSql(1, lastMatch), {}, {});
        // The texts with RIGHT JOIN written as LEFT JOIN by hand, for
        // comparison with what the adapter makes of them.
        query("  the same, LEFT JOIN form", matchRangeSql(1, lastMatch, true), {}, {});
        query("  whole scorebook, LEFT JOIN form", scorebookLeftJoinSql(), {}, {});
        query("  one player's scorebook, LEFT JOIN form", scorebookLeftJoinSql(),
              u"選手ID = "_s + QString::number(player) + u" "_s, {});

        // One night of 36 players x 4 games, committed in one transaction and
        // removed again (not timed) so that every run stores the same night.
        {
            bench::Random rnd(7);
            QList<bench::Bowler> bowlers;
            const QList<QVariantList> ids = db.select(
                u"SELECT 選手ID, 選手名 FROM 選手 WHERE 選手ID > 0 ORDER BY 選手ID LIMIT 36"_s);
            for (const QVariantList &r : ids) {
                bench::Bowler b;
                b.id = r.value(0).toInt();
                b.name = r.value(1).toString();
                b.hcp = 20;
                bowlers << b;
            }
            config::MatchGlobals match;
            match.siai_id = std::int32_t(lastMatch + 1);
            match.srs_id = std::int32_t(season);
            match.siai_no = 999;
            match.siai_yy = 2030;
            match.siai_mm = 1;
            match.siai_dd = 4;
            match.kaijo_id = 1;
            const bench::Night night = bench::makeNight(rnd, bowlers, match, 4, true);
            const results::Commit_sheets sheets = bench::nightSheets(night);
            const qint64 lastId = db.scalar(u"SELECT max(ID) FROM データ項目"_s).toLongLong();
            const auto remove = [&] {
                db.exec(u"DELETE FROM データ項目 WHERE ID > ?"_s, {lastId});
                db.exec(u"DELETE FROM 試合 WHERE 試合ID = ?"_s, {match.siai_id});
            };
            const auto timeStoring = [&](const char *what, const std::function<qint64()> &store) {
                QList<double> wall, cpu;
                qint64 rows = 0;
                for (int i = 0; i <= runs; ++i) {
                    QElapsedTimer timer;
                    const double c0 = cpuMs();
                    timer.start();
                    rows = store();
                    const double w = double(timer.nsecsElapsed()) / 1e6, c = cpuMs() - c0;
                    if (i > 0) {
                        wall << w;
                        cpu << c;
                    }
                    remove();
                }
                Timing t;
                t.rows = rows;
                t.wall = figures(wall);
                t.cpu = figures(cpu);
                line(what, t);
            };
            timeStoring("commit one night (36 x 4 games)", [&] {
                const results::Commit_outcome out =
                    results::commit_games(db, match, config::Settings(), sheets);
                if (!out.stored)
                    throw store::Error(out.failure_detail);
                return qint64(out.game_rows);
            });
            timeStoring("  its rows only, prepared INSERTs",
                        [&] { return qint64(storeNightPrepared(db, match, sheets)); });
        }

        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("peak memory (max RSS): %.1f MB\n", double(usage.ru_maxrss) / 1024.0);
    } catch (const store::Error &e) {
        std::fprintf(stderr, "bench_store: %s\n%s\n", qPrintable(e.message()), qPrintable(e.sql()));
        return 1;
    }
    return 0;
}
