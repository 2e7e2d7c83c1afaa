#include "results/night_results.h"

#include "results/placing.h"
#include "scoring/ana.h"
#include "scoring/mark_code.h"
#include "text/fixed_length.h"
#include "text/str.h"

#include <cmath>
#include <exception>
#include <functional>

using namespace Qt::StringLiterals;

namespace results {

namespace {

using scoring::kind_spare;
using scoring::kind_split;
using scoring::kind_strike;

constexpr int name_length = 10;
constexpr int best_kept = 5; // hcp_best / scr_best keep the five best games

// Per-player figures of one game from its sheet, ball counts included.
void copy_sheet(Result_rec &r, const scoring::Ana_rec &a, bool split_not_missed)
{
    r.senshu_id = a.sen_id;
    r.yy = a.yy;
    r.mm = a.mm;
    r.dd = a.dd;
    r.kaijo_id = a.kaijo_id;
    for (std::size_t i = 0; i < std::size_t(scoring::ana_slot_count); ++i) {
        r.mark_txt[i] = a.mark_txt[i];
        r.mark_kind[i] = a.mark_kind[i];
        r.mark_cd[i] = a.mark_cd[i];
        r.pin_bits[i] = a.pin_bits[i];
    }
    r.kyogi_ten = a.fl_score[0];
    for (std::size_t f = 1; f <= 10; ++f)
        r.S[f] = a.fl_score[f];
    r.HCP = a.hcp;

    const auto &kind = r.mark_kind;
    for (std::size_t i = 0; i <= 20; ++i) {
        switch (kind[i]) {
        case kind_split:
            ++r.split;
            break;
        case kind_spare:
            ++r.SP;
            break;
        case kind_strike:
            ++r.ST;
            break;
        default: {
            // A first ball that was not a strike and was not followed by a spare.
            const bool first_ball = (i % 2 == 0 && i < 20) || (i == 19 && kind[18] == kind_strike);
            if (first_ball && kind[i + 1] != kind_spare)
                ++r.SPF;
            break;
        }
        }
    }
    if (!split_not_missed) {
        // Every frame left open counts, splits included.
        r.SPF = 0;
        for (std::size_t i = 1; i <= 19; i += 2) {
            if (kind[i - 1] != kind_strike && kind[i] != kind_spare)
                ++r.SPF;
        }
        if (kind[18] == kind_strike && kind[19] != kind_strike && kind[20] != kind_spare)
            ++r.SPF;
    }
}

// Places 1..n from pairwise comparisons: better(p, q) > 0 when p's value is
// better, 0 when equal. Equal values share the better place.
QList<int> places(int n, const std::function<int(int, int)> &compare)
{
    QList<int> place(n + 1, n);
    place[0] = 0;
    for (int p = 1; p <= n; ++p) {
        for (int q = p + 1; q <= n; ++q) {
            const int c = compare(p, q);
            if (c > 0)
                --place[p];
            else if (c < 0)
                --place[q];
            else {
                --place[p];
                --place[q];
            }
        }
    }
    return place;
}

template <typename T>
int compare_values(T a, T b)
{
    return a > b ? 1 : (a < b ? -1 : 0);
}

// Best games 1, then 2 when there are two games, then 3 when there are three.
int compare_best(const std::array<int, 6> &a, const std::array<int, 6> &b, int games)
{
    int c = compare_values(a[1], b[1]);
    if (c == 0 && games >= 2)
        c = compare_values(a[2], b[2]);
    if (c == 0 && games >= 3)
        c = compare_values(a[3], b[3]);
    return c;
}

QString figure_text(double value)
{
    return text::plainNumber(value, true);
}

// The award box of the winners (place 1) of one award, visited in seat
// order: the first winner's name and figure; each further winner only marks
// the name as shared.
void fill_award(Night_results &r, Award award, const QList<int> &rank, const QList<double> &figure)
{
    Award_box &box = r.awards[std::size_t(award)];
    bool first = true;
    for (int p = 1; p <= r.N; ++p) {
        if (rank[p] != 1)
            continue;
        if (first) {
            box.Txt_Name = r.sen_name[p];
            box.Txt_Ten = figure_text(figure[p]);
            first = false;
        } else if (award == award_top) {
            box.Txt_Name += u" 他"_s;
        } else {
            box.Txt_Name = box.Txt_Name.left(5) + u" 他"_s;
        }
    }
}

// The booby prize: of the players not last by average (ave_rank below N),
// the one with the largest ave_rank, the first in seat order of several.
void fill_booby(Night_results &r)
{
    int booby = 0;
    for (int p = 1; p <= r.N; ++p) {
        if (r.ave_rank[p] < r.N && (booby == 0 || r.ave_rank[p] > r.ave_rank[booby]))
            booby = p;
    }
    if (booby == 0)
        return;
    Award_box &box = r.awards[std::size_t(award_booby)];
    box.Txt_Name = r.sen_name[booby];
    box.Txt_Ten = figure_text(r.ave_val[booby]);
}

// 当日 and the best-handicapped flag: 2 - G for every game, then each pair of
// games raises the better one (of equal scores the later game).
void best_game_ranks(Night_results &r, int p)
{
    for (int g = 1; g <= r.G; ++g) {
        r.result_tbl(p, g).toujitsu = 2 - r.G;
        r.result_tbl(p, g).best_hcp = 2 - r.G;
    }
    for (int g = 1; g <= r.G; ++g) {
        for (int j = g + 1; j <= r.G; ++j) {
            Result_rec &a = r.result_tbl(p, g);
            Result_rec &b = r.result_tbl(p, j);
            ++(a.S[10] <= b.S[10] ? b : a).toujitsu;
            ++(a.kyogi_ten <= b.kyogi_ten ? b : a).best_hcp;
        }
    }
    for (int g = 1; g <= r.G; ++g) {
        const Result_rec &rec = r.result_tbl(p, g);
        const int k = 2 - rec.best_hcp;
        if (k >= 1 && k <= best_kept) {
            r.hcp_best[p][std::size_t(k)] = rec.kyogi_ten;
            r.scr_best[p][std::size_t(k)] = rec.S[10];
        }
    }
}

// Strikes, spares and average over the games scoring above 0.
void night_sums(Night_results &r, int p, const Calc_options &o)
{
    int games = 0;
    int strikes = 0;
    int spares = 0;
    int total = 0;
    for (int g = 1; g <= r.G; ++g) {
        const Result_rec &rec = r.result_tbl(p, g);
        if (rec.S[10] <= 0)
            continue;
        ++games;
        strikes += rec.ST;
        spares += rec.SP;
        total += o.Chk_HCP ? rec.kyogi_ten : rec.S[10];
    }
    r.st_sum[p] = strikes;
    r.sp_sum[p] = spares;
    r.ave_val[p] = total == 0 ? 0.0 : double(total) / games;
    if (o.Chk_STSP) {
        // Per-game averages, cut (not rounded) to two decimals.
        if (strikes != 0)
            r.st_sum[p] = std::floor(strikes * 100.0 / games) / 100.0;
        if (spares != 0)
            r.sp_sum[p] = std::floor(spares * 100.0 / games) / 100.0;
    }
}

} // namespace

QString nobody_bowled_message()
{
    return u"投球されたゲームがありません。"_s;
}

Result_rec &Night_results::result_tbl(int p, int g)
{
    if (p < 1 || p > N || g < 1 || g > G)
        throw std::out_of_range("result_tbl index");
    return tbl_[qsizetype(p - 1) * G + (g - 1)];
}

const Result_rec &Night_results::result_tbl(int p, int g) const
{
    return const_cast<Night_results *>(this)->result_tbl(p, g);
}

int Night_results::placing_game(int p) const
{
    for (int g = 1; g <= G; ++g) {
        if (result_tbl(p, g).best_hcp == 1)
            return g;
    }
    return 0;
}

void Night_results::resize(int n, int g)
{
    N = std::max(n, 0);
    G = std::max(g, 0);
    tbl_ = QList<Result_rec>(qsizetype(N) * G);
    hcp_best = QList<std::array<int, 6>>(N + 1, std::array<int, 6> {});
    scr_best = hcp_best;
    st_sum = QList<double>(N + 1, 0.0);
    sp_sum = st_sum;
    ave_val = st_sum;
    top_rank = QList<int>(N + 1, 0);
    hig_rank = top_rank;
    st_rank = top_rank;
    sp_rank = top_rank;
    ave_rank = top_rank;
    pnt_rank = top_rank;
    sen_name = QList<QString>(N + 1);
    awards = {};
}

Night_results calculate(const scoring::Ana_data &data, const config::MatchGlobals &globals,
                        const Calc_options &options)
{
    Night_results r;
    r.options = options;
    r.globals = globals;
    const int n = data.player_count();
    const int games = data.game_count();
    if (n < 1 || games < 1) {
        r.status = Calc_status::nobody_bowled;
        return r;
    }

    std::array<int, point_box_count> manual {};
    if (options.Opt_PntCalc == calc_manual) {
        for (int i = 0; i < point_box_count; ++i) {
            if (!point_box_value(options.Txt_Pnt[std::size_t(i)], manual[std::size_t(i)])) {
                r.status = Calc_status::invalid_points;
                r.invalid_point_box = i;
                return r;
            }
        }
    }

    try {
        r.resize(n, games);
        const bool split_not_missed = options.Chk_rule[0];
        for (int p = 1; p <= n; ++p) {
            r.sen_name[p] = text::fixedLength(data.ana_tbl(p, 1).sen_name, name_length);
            for (int g = 1; g <= games; ++g)
                copy_sheet(r.result_tbl(p, g), data.ana_tbl(p, g), split_not_missed);
            best_game_ranks(r, p);
        }

        for (int g = 1; g <= games; ++g) {
            const int bowlers = data.bowlers(g);
            for (int p = 1; p <= n; ++p) {
                Result_rec &rec = r.result_tbl(p, g);
                rec.siai_id = globals.siai_id;
                rec.game = g;
                rec.juni = n;
                rec.ninzu = bowlers;
                rec.joui = 0;
                rec.yu_p = 0;
                rec.nyusho = Result_rec::blank_nyusho();
            }
            for (int p = 1; p <= n; ++p) {
                for (int q = p + 1; q <= n; ++q) {
                    Result_rec &a = r.result_tbl(p, g);
                    Result_rec &b = r.result_tbl(q, g);
                    if (a.S[10] > b.S[10])
                        --a.juni;
                    else if (a.S[10] < b.S[10])
                        --b.juni;
                    else {
                        --a.juni;
                        --b.juni;
                    }
                }
            }
            for (int p = 1; p <= n; ++p) {
                Result_rec &rec = r.result_tbl(p, g);
                rec.joui = bowlers / 2.0 >= rec.juni ? 1 : 0;
            }
        }

        for (int p = 1; p <= n; ++p)
            night_sums(r, p, options);
        r.top_rank = places(n, [&](int p, int q) { return compare_best(r.hcp_best[p], r.hcp_best[q], games); });
        r.hig_rank = places(n, [&](int p, int q) { return compare_best(r.scr_best[p], r.scr_best[q], games); });
        r.st_rank = places(n, [&](int p, int q) { return compare_values(r.st_sum[p], r.st_sum[q]); });
        r.sp_rank = places(n, [&](int p, int q) { return compare_values(r.sp_sum[p], r.sp_sum[q]); });
        r.ave_rank = places(n, [&](int p, int q) { return compare_values(r.ave_val[p], r.ave_val[q]); });

        QList<double> top_figure(n + 1, 0.0);
        QList<double> high_figure(n + 1, 0.0);
        for (int p = 1; p <= n; ++p) {
            top_figure[p] = r.hcp_best[p][1];
            high_figure[p] = r.scr_best[p][1];
        }
        fill_award(r, award_top, r.top_rank, top_figure);
        fill_award(r, award_high_game, r.hig_rank, high_figure);
        fill_award(r, award_strikes, r.st_rank, r.st_sum);
        fill_award(r, award_spares, r.sp_rank, r.sp_sum);
        fill_award(r, award_average, r.ave_rank, r.ave_val);
        fill_booby(r);

        switch (options.Opt_PntTarget) {
        case target_scratch_high:
            r.pnt_rank = r.hig_rank;
            break;
        case target_average:
            r.pnt_rank = r.ave_rank;
            break;
        default:
            r.pnt_rank = r.top_rank;
            break;
        }

        for (int p = 1; p <= n; ++p) {
            const int g = r.placing_game(p);
            if (g == 0)
                continue;
            Result_rec &rec = r.result_tbl(p, g);
            const int place = r.pnt_rank[p];
            rec.nyusho = text::fixedLength(placing_text(place), 4);
            switch (options.Opt_PntCalc) {
            case calc_linear:
                rec.yu_p = linear_points(n, place);
                break;
            case calc_manual:
                rec.yu_p = manual[std::size_t(std::min(place, point_box_count) - 1)];
                break;
            default:
                rec.yu_p = upper_weighted_points(n, place);
                break;
            }
        }
    } catch (const std::exception &) {
        // Inconsistent hand-over data (a count list too short for its games).
        Night_results failed;
        failed.options = options;
        failed.globals = globals;
        failed.status = Calc_status::failed;
        return failed;
    }
    r.status = Calc_status::done;
    return r;
}

} // namespace results
