#include "scoring/ana.h"

#include "scoring/night.h"
#include "text/fixed_length.h"

#include <algorithm>
#include <stdexcept>

namespace scoring {

namespace {

bool slot_has_mark(const Score_rec &s, int slot)
{
    return s.mark_cd[std::size_t(slot)] != code_empty;
}

bool bowled(const Score_rec &s)
{
    if (s.fl_score[10] >= 1)
        return true;
    for (int k = 0; k < last_ball_slot; ++k) {
        if (slot_has_mark(s, k))
            return true;
    }
    return false;
}

bool started(const Score_rec &s)
{
    return s.fl_score[10] > 0 || slot_has_mark(s, 0);
}

Ana_rec condensed(const Score_rec &s, int sen_id)
{
    Ana_rec r;
    r.sen_name = text::fixedLength(s.sen_name, Score_rec::name_length);
    r.sen_id = sen_id;
    for (std::size_t k = 0; k < std::size_t(ana_slot_count); ++k) {
        r.mark_txt[k] = s.mark_txt[k];
        r.mark_cd[k] = s.mark_cd[k];
        r.mark_kind[k] = s.mark_kind[k];
        r.pin_bits[k] = s.pin_bits[k];
    }
    r.fl_score = s.fl_score;
    r.hcp = s.hcp;
    r.kaijo_id = s.kaijo_id;
    r.yy = s.yy;
    r.mm = s.mm;
    r.dd = s.dd;
    return r;
}

} // namespace

Ana_rec &Ana_data::ana_tbl(int p, int g)
{
    if (p < 1 || p > rows_ || g < 1 || g > cols_)
        throw std::out_of_range("ana_tbl index");
    return recs_[qsizetype(p - 1) * cols_ + (g - 1)];
}

const Ana_rec &Ana_data::ana_tbl(int p, int g) const
{
    return const_cast<Ana_data *>(this)->ana_tbl(p, g);
}

int Ana_data::bowlers(int g) const
{
    if (g < 1 || g >= ana_game.size())
        throw std::out_of_range("ana_game index");
    const int i = ana_game[g] + 1;
    if (i < 1 || i >= game_ninzu.size())
        throw std::out_of_range("game_ninzu index");
    return game_ninzu[i];
}

void Ana_data::resize(int n, int g)
{
    rows_ = std::max(n, 0);
    cols_ = std::max(g, 0);
    recs_ = QList<Ana_rec>(qsizetype(rows_) * cols_);
    if (ana_game.isEmpty())
        ana_game.append(0);
    while (ana_game.size() <= cols_)
        ana_game.append(int(ana_game.size() - 1));
    ana_game.resize(cols_ + 1);
}

Ana_data ANA(const Night &night)
{
    Ana_data d;
    const Score_table &tbl = night.score_tbl;
    const int max_game = night.max_game();
    const int last_sen = std::min({ night.last_sen, tbl.seat_bound(), int(night.sen_id.size()) - 1 });

    d.game_ninzu = QList<int>(max_game + 2, 0);
    auto seated = [&](int s) { return night.sen_id[s] != -1; };

    int last_game = 0; // L: number (1-based) of the last game with a bowler
    for (int g = 0; g <= max_game; ++g) {
        int n = 0;
        for (int s = 0; s <= last_sen; ++s) {
            if (seated(s) && bowled(tbl(s, g)))
                ++n;
        }
        d.game_ninzu[g + 1] = n;
        if (n > 0)
            last_game = g + 1;
    }
    if (last_game == 0) {
        d.resize(0, 0);
        return d;
    }

    QList<int> players; // the kept seats, in seat order
    for (int s = 0; s <= last_sen; ++s) {
        if (!seated(s))
            continue;
        for (int g = 0; g < last_game; ++g) {
            if (started(tbl(s, g))) {
                players.append(s);
                break;
            }
        }
    }
    d.game_ninzu[0] = int(players.size());

    QList<int> games; // the kept games of the night, in order
    for (int g = 0; g <= max_game; ++g) {
        if (d.game_ninzu[g + 1] != 0)
            games.append(g);
    }
    d.game_cnt = int(games.size());

    d.ana_game = QList<int>{ 0 } + games;
    d.resize(int(players.size()), d.game_cnt);
    for (int p = 1; p <= int(players.size()); ++p) {
        const int s = players[p - 1];
        for (int j = 1; j <= d.game_cnt; ++j)
            d.ana_tbl(p, j) = condensed(tbl(s, games[j - 1]), night.sen_id[s]);
    }
    return d;
}

} // namespace scoring
