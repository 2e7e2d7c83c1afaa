#pragma once

#include "scoring/mark_code.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>

namespace scoring {

class Night;

// Ball slots 0..20 of a condensed sheet (the parking slot is left out).
inline constexpr int ana_slot_count = 21;

// One player's sheet of one game in condensed form, as results processing
// reads it: the sheet without the parking slot and the pin counts, with the
// player's 選手ID added. Fields in the order of the hand-over record.
struct Ana_rec
{
    QString sen_name; // the player's name, 10 characters
    int sen_id = 0; // 選手ID
    std::array<QString, ana_slot_count> mark_txt {};
    std::array<std::uint8_t, ana_slot_count> mark_cd {}; // mark codes
    // fl_score[0]: the game with handicap; fl_score[1..10]: running score
    // after each frame (fl_score[10] is the game without handicap).
    std::array<int, 11> fl_score {};
    int hcp = 0;
    std::array<int, ana_slot_count> mark_kind {}; // kind_* of each slot
    int kaijo_id = 0; // venue
    int yy = 0; // match date
    std::uint8_t mm = 0;
    std::uint8_t dd = 0;
    std::array<std::int32_t, ana_slot_count> pin_bits {}; // standing pins after each ball

    bool operator==(const Ana_rec &) const = default;
};

// The hand-over data from score entry to results processing: the sheets of
// the players who bowled (rows 1..N, in seat order) for the games that had at
// least one bowler (columns 1..G, in game order), and the bowler counts.
class Ana_data
{
public:
    // game_ninzu[0] = N; game_ninzu[g + 1] = bowlers of game g of the night
    // (g = 0..max_game, the numbering of the entry screen).
    QList<int> game_ninzu;
    int game_cnt = 0; // G
    // ana_game[j] (j = 1..G): the game of the night (0-based) held in column
    // j of ana_tbl; ana_game[0] is unused. Columns are numbered
    // consecutively, so after a game nobody bowled the two numberings differ.
    QList<int> ana_game;

    int player_count() const { return rows_; } // N
    int game_count() const { return cols_; } // G

    // ana_tbl(p, g): player p = 1..N, game column g = 1..G.
    Ana_rec &ana_tbl(int p, int g);
    const Ana_rec &ana_tbl(int p, int g) const;

    // Bowlers of the game in column g (1..G): the count of that game of the
    // night, game_ninzu[ana_game[g] + 1].
    int bowlers(int g) const;

    // Makes ana_tbl (1..n, 1..g) of empty records. game_ninzu, game_cnt and
    // ana_game are left to the caller (ana_game grows to 0..g, new columns
    // numbered as the night's games 0..g-1).
    void resize(int n, int g);

    bool operator==(const Ana_data &) const = default;

private:
    int rows_ = 0;
    int cols_ = 0;
    QList<Ana_rec> recs_; // player-major, (p - 1) * cols_ + (g - 1)
};

// ANA: condenses the night's sheets into the hand-over data. Reads
// score_tbl, sen_id, last_sen and max_game; the sheets are not changed.
// A game is kept when at least one seated player bowled it (a sheet counts
// as bowled when its game without handicap is at least 1 or any of its slots
// 0..19 holds a mark). A seated player is kept when, in one of the games up
// to the last kept one, his game without handicap is above 0 or his slot 0
// holds a mark. A night with no bowled sheet gives N = 0, G = 0 and an empty
// table (game_ninzu still sized, all 0).
Ana_data ANA(const Night &night);

} // namespace scoring
