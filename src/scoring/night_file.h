#pragma once

#include "scoring/score_rec.h"

#include <QList>
#include <QString>

namespace scoring {

class Night;

// The two layouts a night file can have: the full layout of data files
// (.dat) and backups (.bup), and the reduced layout of the pocket edition
// (.cdt) without venue, date, kinds, patterns, total or handicap.
enum class Night_file_layout { full, pocket };

// One seat as read from a file: the player and the sheets of games
// 0 .. game_count - 1, already filled as they go into the night (name cut or
// padded to 10 characters; venue and date of the full layout copied into
// every game; codes of the slots a file does not hold left at 30).
struct Night_file_seat
{
    int sen_id = -1;
    QString sen_name; // fixed length, as the sheets hold it
    QList<Score_rec> games;
};

// A data or backup file read and checked whole, not yet applied to a night.
// A screen may change the players' IDs (merging them with the database)
// before apply() adds the seats.
struct Night_file
{
    Night_file_layout layout = Night_file_layout::full;
    int game_count = 0; // games per seat in the file (max_game + 1 of the writer)
    QList<Night_file_seat> seats;

    // The seats apply() adds: the file's seats rounded up to whole lanes of six.
    int seats_added() const;

    // Adds the file's seats after night.last_sen: last_sen grows by
    // seats_added(), max_game is raised to game_count - 1 when that is
    // larger, every new seat starts empty (sen_id -1, name "選手名未入力",
    // handicap -1, code 30 in slots 0..20 of every game), then the file's
    // seats fill them in order; games the file does not hold stay empty.
    // A seat's name and handicap are those of its game 0 sheet. A pocket
    // edition file takes venue and date from the sheet of seat 0, game 0.
    // Returns the first new seat (the old last_sen + 1).
    int apply(Night &night) const;

    static QString unnamed_seat_text(); // "選手名未入力"
};

} // namespace scoring
