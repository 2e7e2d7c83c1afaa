#include "results/commit.h"

#include "config/match_globals.h"
#include "config/settings.h"
#include "config/settings_store.h"
#include "results/night_results.h"
#include "scoring/night_file_writer.h"
#include "store/database.h"
#include "store/recordset.h"
#include "store/schema.h"
#include "store/transaction.h"
#include "text/cp932_writer.h"
#include "text/format.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QVariantMap>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace results {

namespace {

// One line of the milestone table: the figure, its step, label and unit.
struct Milestone_rule
{
    qint64 Career_figures::*figure;
    qint64 step;
    QString label;
    QString unit;
};

const QList<Milestone_rule> &milestone_rules()
{
    static const QList<Milestone_rule> rules{
        {&Career_figures::games, 50, u"通算ゲーム数‥"_s, u"ゲーム　　"_s},
        {&Career_figures::upper, 50, u"通算上位数‥‥‥"_s, u"上位　　"_s},
        {&Career_figures::points, 50, u"通算ポイント数‥‥"_s, u"ｐ　　"_s},
        {&Career_figures::strikes, 50, u"通算ストライク数‥"_s, u"個　　"_s},
        {&Career_figures::spares, 100, u"通算スペア数‥‥‥"_s, u"個　　"_s},
        {&Career_figures::pins, 5000, u"通算合計点数‥‥"_s, u"点　　"_s},
    };
    return rules;
}

// a / b rounded towards minus infinity (b > 0).
qint64 floor_div(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// The player's row of 通算成績, read with the program's own SQL text and
// column spellings; nullopt when he has no stored game.
std::optional<Career_figures> read_career(store::Database &db, int sen_id)
{
    store::Recordset rs(db, u"SELECT * FROM 通算成績 where 選手ID="_s + QString::number(sen_id),
                        store::RecordsetType::Snapshot);
    if (rs.eof())
        return std::nullopt;
    Career_figures f;
    f.games = rs.value(u"ゲーム"_s).toLongLong();
    f.upper = rs.value(u"上位"_s).toLongLong();
    f.points = rs.value(u"優P計"_s).toLongLong();
    f.strikes = rs.value(u"st"_s).toLongLong();
    f.spares = rs.value(u"スペア"_s).toLongLong();
    f.pins = rs.value(u"合計点"_s).toLongLong();
    return f;
}

// The field names of the game tables in slot order.
struct Game_field_names
{
    QStringList running; // S1..S10
    QStringList marks; // M11..M03
    QStringList codes; // Flms11..Flms03
    QStringList pins; // pin11..pin03

    Game_field_names()
    {
        for (int f = 1; f <= 10; ++f)
            running << u"S"_s + QString::number(f);
        for (const QString &b : store::schema::ballSuffixes()) {
            marks << u"M"_s + b;
            codes << u"Flms"_s + b;
            pins << u"pin"_s + b;
        }
    }
};

const Game_field_names &field_names()
{
    static const Game_field_names names;
    return names;
}

// A date field: null when the parts make no date.
QVariant date_value(int yy, int mm, int dd)
{
    const QDate d(yy, mm, dd);
    return d.isValid() ? QVariant(d) : QVariant();
}

// Stores the three rows of one game; returns the shared ID.
qint64 store_game(store::Database &db, std::int32_t siai_id, const Commit_game &g)
{
    const Game_field_names &names = field_names();
    const QVariantMap data{
        {u"選手ID"_s, g.sen_id},
        {u"試合ID"_s, siai_id},
        {u"ｹﾞｰﾑ"_s, g.game},
        {u"優Ｐ"_s, g.points},
        {u"上位"_s, g.upper},
        {u"S10"_s, g.S[10]},
        {u"ST"_s, g.strikes},
        {u"SP"_s, g.spares},
        {u"SPF"_s, g.missed},
        {u"ｽﾌﾟﾘｯﾄ"_s, g.splits},
        {u"当日"_s, g.best_day},
        {u"入賞"_s, g.placing.leftJustified(4, u' ', true)},
        {u"競技点"_s, g.hcp_score},
        {u"HCP"_s, g.hcp},
        {u"人数"_s, g.bowlers},
        {u"順位"_s, g.rank},
        {u"試合日"_s, date_value(g.yy, g.mm, g.dd)},
        {u"会場ID"_s, g.kaijo_id},
    };
    QVariantMap mark;
    QVariantMap frame;
    for (int f = 1; f <= 10; ++f)
        mark.insert(names.running[f - 1], g.S[std::size_t(f)]);
    for (int k = 0; k < Commit_game::slots; ++k) {
        const auto i = std::size_t(k);
        mark.insert(names.marks[k], g.mark_txt[i]);
        frame.insert(names.codes[k], g.mark_cd[i]);
        frame.insert(names.pins[k], g.pin_bits[i]);
    }
    // 選手ID, 試合ID and the game number of the other two rows are copied
    // from the データ項目 row.
    return db.insertGame(data, mark, frame);
}

// A match row without any game is not stored.
QString no_game_text()
{
    return u"書き込むゲームがありません。"_s;
}

} // namespace

bool Commit_game::bowled() const
{
    return std::any_of(mark_kind.begin(), mark_kind.begin() + 20,
                       [](int kind) { return kind != -1; });
}

QStringList milestone_lines(const Career_figures &total, const Career_figures &part,
                            const QString &sen_name)
{
    QStringList lines;
    for (const Milestone_rule &rule : milestone_rules()) {
        const qint64 t = total.*rule.figure;
        const qint64 reached = floor_div(t, rule.step);
        if (reached == floor_div(t - part.*rule.figure, rule.step))
            continue;
        lines << rule.label + QString::number(rule.step * reached) + rule.unit
                + text::Format(sen_name, u"@@@@@@@"_s);
    }
    return lines;
}

QString milestone_heading()
{
    return u"☆☆☆　　達成された通算記録　　☆☆☆"_s;
}

QString milestone_text(const QStringList &lines)
{
    QString out;
    for (const QString &line : lines)
        out += line + u"\r\n"_s;
    return out;
}

void append_milestones(const QString &result_file, const QStringList &lines)
{
    QString block = u"\r\n"_s;
    if (!lines.isEmpty())
        block += milestone_heading() + u"\r\n"_s + milestone_text(lines);
    text::Cp932Writer out(result_file, text::Cp932Writer::Mode::Append);
    out.write(block);
    out.close();
}

Id_ranges widened_ranges(const config::Settings &settings, const config::MatchGlobals &match)
{
    Id_ranges r{settings.srs_max, settings.srs_min, settings.siai_max, settings.siai_min};
    config::widenRange(r.srs_max, r.srs_min, {match.srs_id});
    config::widenRange(r.siai_max, r.siai_min, {match.siai_id});
    return r;
}

Commit_outcome commit_games(store::Database &db, const config::MatchGlobals &match,
                            const config::Settings &settings, const Commit_sheets &sheets)
{
    Commit_outcome out;
    out.players = int(sheets.size());
    out.ranges = widened_ranges(settings, match);

    int rows = 0;
    QStringList milestones;
    int winner = 0;
    int winner_score = 0;
    int winner_hcp_score = 0;
    try {
        store::Transaction night(db);
        for (const QList<Commit_game> &player : sheets)
            for (const Commit_game &g : player) {
                if (!g.bowled())
                    continue;
                store_game(db, match.siai_id, g);
                ++rows;
                if (g.placing.startsWith(u"１着"_s)) {
                    winner = g.sen_id;
                    winner_score = g.S[10];
                    winner_hcp_score = g.hcp_score;
                }
                // The career row already holds the game just added.
                if (const std::optional<Career_figures> total = read_career(db, g.sen_id)) {
                    const Career_figures part{1, g.upper, g.points, g.strikes, g.spares, g.S[10]};
                    milestones << milestone_lines(*total, part, g.sen_name);
                }
            }
        if (rows == 0)
            throw store::Error(no_game_text());
        db.exec(u"INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日, １着ID, S10, 競技点) "
                u"VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                {match.siai_id, match.srs_id, match.siai_no,
                 date_value(match.siai_yy, match.siai_mm, match.siai_dd), winner, winner_score,
                 winner_hcp_score});
        night.commit();
    } catch (const store::Error &e) {
        out.failure = e.message();
        out.failure_detail = e.describe();
        return out;
    }
    out.stored = true;
    out.game_rows = rows;
    out.milestone_lines = milestones;
    return out;
}

static_assert(Commit_game::slots == scoring::ana_slot_count);

Commit_sheets commit_sheets(const Night_results &results)
{
    Commit_sheets sheets;
    for (int p = 1; p <= results.N; ++p) {
        QList<Commit_game> games;
        for (int g = 1; g <= results.G; ++g) {
            const Result_rec &r = results.result_tbl(p, g);
            Commit_game c;
            c.sen_id = r.senshu_id;
            c.sen_name = results.sen_name.value(p);
            c.game = r.game;
            c.points = r.yu_p;
            c.upper = r.joui;
            c.S = r.S;
            c.strikes = r.ST;
            c.spares = r.SP;
            c.missed = r.SPF;
            c.splits = r.split;
            c.best_day = r.toujitsu;
            c.placing = r.nyusho;
            c.hcp_score = r.kyogi_ten;
            c.hcp = r.HCP;
            c.bowlers = r.ninzu;
            c.rank = r.juni;
            c.yy = r.yy;
            c.mm = r.mm;
            c.dd = r.dd;
            c.kaijo_id = r.kaijo_id;
            c.mark_txt = r.mark_txt;
            c.mark_cd = r.mark_cd;
            c.mark_kind = r.mark_kind;
            c.pin_bits = r.pin_bits;
            games << c;
        }
        sheets << games;
    }
    return sheets;
}

Commit_outcome commit_night(store::Database &db, const config::MatchGlobals &match,
                            const config::Settings &settings, const Night_results &results)
{
    if (!results.ok()) {
        Commit_outcome out;
        out.players = results.N;
        out.ranges = widened_ranges(settings, match);
        out.failure = results.status == Calc_status::nobody_bowled
            ? no_game_text()
            : u"計算が終わっていないため、書き込めません。"_s;
        return out;
    }
    return commit_games(db, match, settings, commit_sheets(results));
}

void apply_commit(const Commit_outcome &outcome, config::Settings &settings,
                  config::SettingsStore &store)
{
    if (!outcome.stored)
        return;
    settings.srs_max = outcome.ranges.srs_max;
    settings.srs_min = outcome.ranges.srs_min;
    settings.siai_max = outcome.ranges.siai_max;
    settings.siai_min = outcome.ranges.siai_min;
    settings.saveRanges(store);
    store.sync();
    settings.all_data_cnt += outcome.game_rows;
}

QString closing_message(int players, int game_rows)
{
    return u"ファイルへの書き込みが終了しました。"_s + u"\r"_s + u"書き込んだ人数は"_s
        + QString::number(players) + u"人で、"_s + u"データの合計数は"_s
        + QString::number(game_rows) + u"件でした。"_s;
}

QString failure_message(const Commit_outcome &outcome)
{
    return u"データベースへの書き込みができませんでした。"_s + u"\r"_s
        + u"今回の試合のデータは何も書き込まれていません。"_s + u"\r"_s
        + u"原因を取り除いてから、もう一度書き込んでください。"_s + u"\r\r"_s + outcome.failure;
}

bool delete_backup(const QString &folder, const config::MatchGlobals &match)
{
    const QString path = QDir(folder).filePath(
        scoring::Night_file_writer::backup_file_name(match.siai_yy, match.siai_mm, match.siai_dd));
    return !QFile::exists(path) || QFile::remove(path);
}

} // namespace results
