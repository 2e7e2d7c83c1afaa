#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace config {
struct MatchGlobals;
struct Settings;
class SettingsStore;
}
namespace store {
class Database;
}

namespace results {

struct Night_results;

// Career figures of one player as the milestones look at them: the columns
// ゲーム, 上位, 優Ｐ計, ST, スペア and 合計点 of the saved query 通算成績, or
// one game's part of them (1, 上位, 優Ｐ, ST, SP, S10).
struct Career_figures
{
    qint64 games = 0;
    qint64 upper = 0;
    qint64 points = 0;
    qint64 strikes = 0;
    qint64 spares = 0;
    qint64 pins = 0;
};

// The milestone lines a game gives: for each figure, when total / step
// (rounded down) differs from (total - part) / step, the label, the
// milestone reached, the unit and the name formatted "@@@@@@@". Lines come
// in the order games, upper half, points, strikes, spares, pins and carry
// no line end.
QStringList milestone_lines(const Career_figures &total, const Career_figures &part,
                            const QString &sen_name);

// "☆☆☆　　達成された通算記録　　☆☆☆", the head of the milestone block.
QString milestone_heading();

// The milestone text shown in the message box: every line followed by
// CR LF; empty when there is no line.
QString milestone_text(const QStringList &lines);

// Appends the commit's part to the night's result text file (Shift_JIS,
// CR LF): one empty line, then, when there are milestone lines, the heading
// and the lines. The whole block is encoded before anything is written, so a
// name Shift_JIS cannot hold leaves the file as it was. Throws
// text::FileError or text::EncodingError.
void append_milestones(const QString &result_file, const QStringList &lines);

// The ID ranges of the settings after a commit of the match: srs_max and
// srs_min widened by srs_id, siai_max and siai_min by siai_id.
struct Id_ranges
{
    std::int16_t srs_max = 1;
    std::int16_t srs_min = 1;
    std::int32_t siai_max = 1;
    std::int32_t siai_min = 1;
};
Id_ranges widened_ranges(const config::Settings &settings, const config::MatchGlobals &match);

// One game of one player as the commit stores it: the values of
// result_tbl(p, g) and the player's name from the sheet.
struct Commit_game
{
    static constexpr int slots = 21; // ball slots 0..20

    int sen_id = 0; // 選手ID
    QString sen_name; // the sheet's name (10 characters), for the milestone lines
    int game = 0; // ｹﾞｰﾑ: the game's column 1..G
    int points = 0; // 優Ｐ
    int upper = 0; // 上位
    std::array<int, 11> S {}; // S[1..10]: running score after each frame; S[10] is S10
    int strikes = 0; // ST
    int spares = 0; // SP
    int missed = 0; // SPF
    int splits = 0; // ｽﾌﾟﾘｯﾄ
    int best_day = 0; // 当日
    QString placing; // 入賞, blank-padded to 4 characters
    int hcp_score = 0; // 競技点
    int hcp = 0; // HCP
    int bowlers = 0; // 人数
    int rank = 0; // 順位
    int yy = 0; // 試合日
    int mm = 0;
    int dd = 0;
    int kaijo_id = 0; // 会場ID
    std::array<QString, slots> mark_txt {}; // M11..M92, M01..M03
    std::array<int, slots> mark_cd {}; // Flms11..Flms03
    std::array<int, slots> mark_kind {}; // kinds, only to tell a bowled game
    std::array<std::int32_t, slots> pin_bits {}; // pin11..pin03

    // A ball was thrown: one of slots 0..19 has a kind other than "not set".
    bool bowled() const;
};

// The night's games by player (in seat order) and game column:
// sheets[p - 1][g - 1] for p = 1..N, g = 1..G.
using Commit_sheets = QList<QList<Commit_game>>;

// What a commit gives the results screen.
struct Commit_outcome
{
    bool stored = false; // the whole night is in the database
    // Why nothing was stored (SQLite's message), and the same with the
    // failing statement and its values. Empty when stored.
    QString failure;
    QString failure_detail;
    int players = 0; // N, for the closing message
    int game_rows = 0; // games written (one row in each game table)
    // The milestones reached, in the order of the games (player by player).
    QStringList milestone_lines;
    Id_ranges ranges; // the settings' ID ranges widened by the match
};

// Stores the night: for every bowled game (games without a ball are
// skipped) its マーク, フレーム and データ項目 rows under one shared ID, the
// milestones checked against 通算成績 after each game, then the 試合 row with
// the night's winner (the last game whose 入賞 begins with "１着"). All in
// one transaction: on any failure nothing of the night is stored and the
// outcome says why. The settings are only read, for the widened ranges.
Commit_outcome commit_games(store::Database &db, const config::MatchGlobals &match,
                            const config::Settings &settings, const Commit_sheets &sheets);

// The games of a calculated night: result_tbl(p, g) with the player's name.
Commit_sheets commit_sheets(const Night_results &results);

// The commit of the results screen: commit_games over the games of a
// successful calculation. A calculation that did not succeed (nobody
// bowled, a failed run) stores nothing and says so.
Commit_outcome commit_night(store::Database &db, const config::MatchGlobals &match,
                            const config::Settings &settings, const Night_results &results);

// After a stored commit: the four ID ranges of the outcome go into the
// settings globals and are saved to the settings store, and the stored-row
// count of the main menu grows by the games written.
void apply_commit(const Commit_outcome &outcome, config::Settings &settings,
                  config::SettingsStore &store);

// The closing message: "ファイルへの書き込みが終了しました。", a line break,
// "書き込んだ人数は" N "人で、データの合計数は" n "件でした。"
QString closing_message(int players, int game_rows);

// The message of a commit that stored nothing: the night is not stored,
// the operator may try again, then the reason.
QString failure_message(const Commit_outcome &outcome);

// Deletes the crash backup of score entry for the match date
// ("B_" YYMMDD ".bup" in the folder); true when no such file is left.
bool delete_backup(const QString &folder, const config::MatchGlobals &match);

} // namespace results
