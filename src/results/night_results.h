#pragma once

#include "config/match_globals.h"
#include "results/calc_options.h"
#include "results/result_rec.h"

#include <QList>
#include <QString>

#include <array>

namespace scoring {
class Ana_data;
}

namespace results {

// How a calculation ended.
enum class Calc_status {
    done, // every figure computed; the night may be committed
    nobody_bowled, // the hand-over data holds no player or no game: nothing computed
    invalid_points, // manual method: the point box invalid_point_box holds no usable number
    failed, // the hand-over data is inconsistent (e.g. counts too short); nothing usable
};

// Message for a night in which nobody bowled, for the results screen to show.
QString nobody_bowled_message();

// One box pair of the general award view: Txt_Name(i) and Txt_Ten(i).
struct Award_box
{
    QString Txt_Name;
    QString Txt_Ten;

    bool operator==(const Award_box &) const = default;
};

// Award box indexes of the general award view (Frm(0..5)).
enum Award : int {
    award_top = 0, // トップ賞: top_rank, hcp_best(p, 1)
    award_high_game = 1, // ハイゲーム: hig_rank, scr_best(p, 1)
    award_strikes = 2, // 最多ストライク: st_rank, st_sum
    award_spares = 3, // 最多スペア: sp_rank, sp_sum
    award_average = 4, // アベレージ賞: ave_rank, ave_val
    award_booby = 5, // ブービー賞: ave_val of the booby
};
inline constexpr int award_count = 6;

// Everything one calculation gives: result_tbl and the per-player arrays of
// the night, the award boxes and the night's options and globals (the result
// text file, the point list and the Best 10 lists are made from these).
//
// The per-player arrays are indexed by player p = 1..N (the rows of
// ana_tbl, in seat order); index 0 is unused and 0.
struct Night_results
{
    Calc_status status = Calc_status::failed;
    int invalid_point_box = -1; // with invalid_points: the Txt_Pnt index (0..29)

    Calc_options options; // the options the figures were computed with
    config::MatchGlobals globals; // the night's identity (siai_id, srs_id, siai_no, date)

    int N = 0; // players
    int G = 0; // game columns

    QList<QString> sen_name; // sen_name[p]: the player's name, 10 characters

    // hcp_best[p][k], k = 1..5: the game with handicap of the player's k-th
    // best game by that score (0 when he has fewer than k games);
    // scr_best[p][k]: the scratch score of that same game.
    QList<std::array<int, 6>> hcp_best;
    QList<std::array<int, 6>> scr_best;
    // Strikes, spares and average over the player's games scoring above 0;
    // strikes and spares as per-game averages cut to two decimals with
    // Chk_STSP; the average with handicap with Chk_HCP.
    QList<double> st_sum;
    QList<double> sp_sum;
    QList<double> ave_val;
    // Places 1..N (equal values share the better place).
    QList<int> top_rank; // トップ賞: hcp_best 1, then 2, then 3
    QList<int> hig_rank; // ハイゲーム: scr_best 1, then 2, then 3
    QList<int> st_rank;
    QList<int> sp_rank;
    QList<int> ave_rank; // アベレージ賞 (the booby prize is read from it)
    QList<int> pnt_rank; // the place of 入賞 and 優Ｐ (by Opt_PntTarget)

    // Txt_Name(0..5) / Txt_Ten(0..5) of the general award view, by Award.
    std::array<Award_box, award_count> awards {};

    bool ok() const { return status == Calc_status::done; }

    // result_tbl(p, g): player p = 1..N, game column g = 1..G.
    Result_rec &result_tbl(int p, int g);
    const Result_rec &result_tbl(int p, int g) const;

    // The game column (1..G) of the player's best handicapped game, the one
    // carrying 入賞 and 優Ｐ.
    int placing_game(int p) const;

    // Sizes result_tbl and the per-player arrays for n players and g games,
    // all zero (入賞 blank).
    void resize(int n, int g);

private:
    QList<Result_rec> tbl_; // player-major
};

// The calculation of the results screen: from the hand-over data, the
// night's match globals and the options, every figure of Night_results.
// A night without players or games gives nobody_bowled and computes
// nothing. 人数 and the upper-half flag of a game describe the bowlers of that
// game of the night (Ana_data::bowlers), whatever games were left out before it.
Night_results calculate(const scoring::Ana_data &data, const config::MatchGlobals &globals,
                        const Calc_options &options);

} // namespace results
