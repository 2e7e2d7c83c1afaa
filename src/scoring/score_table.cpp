#include "scoring/score_table.h"

#include <QtGlobal>

#include <algorithm>

namespace scoring {

Score_table::Score_table(int seat_bound, int game_bound)
{
    recreate(seat_bound, game_bound);
}

void Score_table::recreate(int seat_bound, int game_bound)
{
    seat_bound_ = std::max(seat_bound, -1);
    game_bound_ = std::max(game_bound, -1);
    sheets_.clear();
    sheets_.resize(qsizetype(seat_bound_ + 1) * (game_bound_ + 1));
}

void Score_table::resize(int seat_bound, int game_bound)
{
    Score_table grown(seat_bound, game_bound);
    const int seats = std::min(seat_bound_, grown.seat_bound_);
    const int games = std::min(game_bound_, grown.game_bound_);
    for (int s = 0; s <= seats; ++s)
        for (int g = 0; g <= games; ++g)
            grown(s, g) = std::move((*this)(s, g));
    *this = std::move(grown);
}

bool Score_table::contains(int seat, int game) const
{
    return seat >= 0 && seat <= seat_bound_ && game >= 0 && game <= game_bound_;
}

qsizetype Score_table::index(int seat, int game) const
{
    Q_ASSERT(contains(seat, game));
    return qsizetype(seat) * (game_bound_ + 1) + game;
}

Score_rec &Score_table::operator()(int seat, int game)
{
    return sheets_[index(seat, game)];
}

const Score_rec &Score_table::operator()(int seat, int game) const
{
    return sheets_.at(index(seat, game));
}

} // namespace scoring
