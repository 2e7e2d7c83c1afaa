#pragma once

#include "scoring/mark_texts.h"
#include "scoring/score_table.h"
#include "scoring/sheet_screen.h"

#include <QList>
#include <QString>

namespace scoring {

// Outcome of the calculation.
enum class Calc_result {
    done, // every step ran; scores and texts are up to date
    split_emptied, // a split kind on a code of 9 or more emptied that slot; the
                   // focus was put back on cur_slot and the later slots' texts
                   // were not refreshed
    no_sheet, // (cur_sen, cur_game) lies outside score_tbl; nothing changed
};

// Outcome of fl_check.
enum class Fl_status {
    ok, // fl set (or, on slot 21, left as it was)
    focus_back, // no third ball in an open frame 10: fl 9, focus moved to slot 18
    error, // cur_slot is not a slot; nothing changed, see fl_check_error_text()
};

// The score sheets of one match night and the state of score entry: the
// table score_tbl, the entry position, the seats and what the entry screen
// shows of the sheet on screen. Owned by the application and passed by
// reference to the screens that work on the night. Every operation works on
// the sheet on screen, score_tbl(cur_sen, cur_game), and the slot cur_slot.
class Night
{
public:
    static constexpr int seat_bound = 35; // seats 0..35 after match setup

    // An empty night of seats 0..35 and games 0..max_game (see recreate).
    explicit Night(int max_game = 3);

    // What match setup does when it loads: score_tbl made anew and empty for
    // seats 0..35 and games 0..max_game, last_sen 35, cur_sen, cur_game,
    // cur_slot, next_slot and fl 0, every seat empty (sen_id -1, sen_name
    // empty, sen_hcp 0), the screen cleared.
    void recreate(int max_game);

    // Index of the last game of the night (the game bound of score_tbl).
    int max_game() const { return score_tbl.game_bound(); }
    // Raises or lowers the number of games keeping every sheet that stays.
    void resize_games(int max_game);
    // Sets last_sen and sizes the seat arrays and score_tbl to seats
    // 0..last_sen, keeping what stays; new seats are empty (sen_id -1, empty
    // name, handicap 0) with empty sheets.
    void resize_seats(int last_sen);

    bool has_sheet() const { return score_tbl.contains(cur_sen, cur_game); }
    // The sheet on screen; has_sheet() must hold.
    Score_rec &cur_sheet() { return score_tbl(cur_sen, cur_game); }
    const Score_rec &cur_sheet() const { return score_tbl(cur_sen, cur_game); }

    // The part of a slot box getting the input focus that belongs to the
    // model: the screen's focus_slot and cur_slot become slot, and next_slot
    // too when slot is below 21. The entry screen does the rest (moving on
    // from slot 21 to slot 0, fl_check, the pictures and the pin keypad).
    void set_focus(int slot);

    // The calculation: recomputes the sheet on screen from the slot texts of
    // the screen and refreshes the screen. Reads screen.Txt_MARK(0..20) into
    // mark_txt (a slot showing "　" is empty whatever its code), derives the
    // pin counts from the codes, the frame scores with strike and spare
    // bonuses, the running scores, the total with handicap; removes split
    // flags that cannot be right, sets the kinds and writes the canonical
    // slot texts (split texts from marks.Spear_mark(1..8)). A slot left with
    // a split kind and a code of 9 or more is emptied, the focus is put back
    // on cur_slot and the calculation stops there (split_emptied).
    Calc_result Cmd_KEISAN(const Mark_texts &marks);

    // Sets fl, the pin-diagram picture of cur_slot: 0..9 frames 1..10, 10 and
    // 11 the fresh racks of frame 10. On slot 20 of an open frame 10 (no
    // strike in 18, no spare in 19) a third ball is not allowed: fl 9 and
    // the focus moves back to slot 18 (focus_back). Slot 21 leaves fl as it
    // is. Any other cur_slot returns error and changes nothing; the caller
    // shows fl_check_error_text() and ends the operation.
    Fl_status fl_check();
    static QString fl_check_error_text(); // "Function fl_check  error 2"

    // Sets or clears the split flag of cur_slot (as Cmd_spl does) so that it
    // agrees with is_split_pattern(pin_bits(cur_slot)) of the sheet on screen.
    void split_check();

    // The split button: toggles the split flag of cur_slot; a flagged slot
    // gets kind_split, an unflagged one kind_plain.
    void Cmd_spl();

    // Empties the current slot: its box shows "　", next_slot becomes
    // cur_slot, its code becomes 30. Its text in the sheet is left to the
    // next calculation.
    void Clear_Mark();

    // Empties the screen only: every slot box "　" and white, every score
    // box empty, next_slot 0.
    void clear_score();

    // Resets the marks of every sheet of seats 0..last_sen and games
    // 0..max_game (Score_rec::reset_marks) and empties slot boxes 0..20.
    // Run once when score entry opens; names and handicaps stay.
    void INIT();

    Score_table score_tbl;

    // The entry position.
    int cur_sen = 0; // seat on screen
    int cur_game = 0; // game on screen, 0-based (shown as cur_game + 1)
    int last_sen = seat_bound; // highest seat index in use
    int cur_slot = 0; // slot with the input focus, 0..21
    int next_slot = 0; // remembered input position
    int fl = 0; // pin-diagram picture of cur_slot (set by fl_check)

    // The seats 0..last_sen.
    QList<int> sen_id; // 選手ID of the player in the seat; -1 = empty seat
    QList<QString> sen_name; // the player's name (10 characters)
    QList<int> sen_hcp; // the player's handicap

    Sheet_screen screen; // the sheet on screen as the entry screen shows it
};

} // namespace scoring
