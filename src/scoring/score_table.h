#pragma once

#include "scoring/score_rec.h"

#include <QList>

namespace scoring {

// score_tbl: the sheets of a match night by (seat, game), seats 0..seat_bound()
// and games 0..game_bound(). Match setup makes it with seat bound 35 and game
// bound max_game; reading a data file may enlarge it, keeping every sheet.
class Score_table
{
public:
    // An empty table of seats 0..seat_bound and games 0..game_bound.
    explicit Score_table(int seat_bound = 35, int game_bound = 3);

    // Makes the table anew with these bounds, every sheet empty.
    void recreate(int seat_bound, int game_bound);
    // Changes the bounds keeping the sheets that lie inside both the old and
    // the new bounds; sheets that are new are empty.
    void resize(int seat_bound, int game_bound);

    int seat_bound() const { return seat_bound_; }
    int game_bound() const { return game_bound_; }
    bool contains(int seat, int game) const;

    // The sheet of (seat, game); both must lie within the bounds.
    Score_rec &operator()(int seat, int game);
    const Score_rec &operator()(int seat, int game) const;

private:
    qsizetype index(int seat, int game) const;

    int seat_bound_ = -1;
    int game_bound_ = -1;
    QList<Score_rec> sheets_; // seat-major
};

} // namespace scoring
