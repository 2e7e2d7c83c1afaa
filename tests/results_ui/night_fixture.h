#pragma once

#include "scoring/ana.h"
#include "scoring/night.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace results_ui_test {

// One seated player of a fixture night and his games, one text per game of
// the night written frame by frame with blanks between frames: "X" strike,
// "/" spare, "-" miss, "G" gutter, "F" foul, "1".."9" pins, and "s" after a
// ball to flag it as a split ("7s-"). An empty text is a game not bowled.
struct Bowler {
    int id = 0;
    QString name;
    int hcp = 0;
    QStringList games;
};

// A night of score entry with these bowlers in seats 0, 1, ... and every
// bowled sheet calculated as score entry leaves it; dated 2024-05-10 at
// venue 2.
scoring::Night make_night(const std::vector<Bowler> &bowlers, int max_game = 2);

// ANA of that night: the hand-over data of the results screen.
scoring::Ana_data hand_over(const std::vector<Bowler> &bowlers, int max_game = 2);

} // namespace results_ui_test
