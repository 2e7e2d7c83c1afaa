#pragma once

#include <QString>

#include <functional>

namespace config {
struct MatchGlobals;
}
namespace platform {
class Desktop;
}

namespace entry {

class Entry_controller;

// The life of a sheet on the score entry screen, without widgets: showing
// the sheet of (cur_sen, cur_game) (New_score), moving to another player or
// game with the handicap check, the handicap scroll bar, and clearing the
// sheet's marks. Works through the screen's Entry_controller on its night.
class Entry_navigation
{
public:
    static constexpr int hcp_min = -100;  // VSc_Hcp range
    static constexpr int hcp_max = 200;
    static constexpr int hcp_large_step = 10;

    Entry_navigation(Entry_controller &controller, platform::Desktop &desktop);

    // The match globals copied into every sheet shown; none until set.
    void set_match(const config::MatchGlobals *match) { match_ = match; }
    // hcp_mynas: 1 refuses to leave a complete sheet with a negative handicap.
    void set_hcp_mynas(int value) { hcp_mynas_ = value; }
    // Runs at the end of every New_score: the participants grid follows the
    // seat on screen and the night is saved to the backup file.
    void set_sheet_shown(std::function<void()> shown) { sheet_shown_ = std::move(shown); }

    // Activate of the screen: the stored texts of the sheet into the slot
    // boxes, the calculation, then New_score.
    void Activate();

    // Shows the sheet of (cur_sen, cur_game): a seat without a player's name
    // gives seat 0; the match globals into the sheet; the handicap; the
    // scores; the input position on the first empty slot (passing over the
    // emptied second slot of a strike in frames 1..9); the small diagrams
    // and the extension pictures; in pin mode the input goes back onto a
    // spare just before it, so the keypad shows that rack.
    void New_score();

    // Pct_moveSEN(0 up, 1 down, 2 left, 3 right): the rack on screen is
    // committed and calculated; a complete sheet with a negative handicap is
    // kept while hcp_mynas is 1; then the seat steps -1, +1, -6, +6 over
    // empty seats. Below seat 0: beep, nothing moves. Beyond last_sen: beep,
    // seat 0. False when the sheet on screen stayed.
    bool Pct_moveSEN(int direction);
    // Pct_moveGAM(0 previous, 1 next); outside the night's games: beep, game 0.
    bool Pct_moveGAM(int direction);

    // A sheet is complete when no two empty slots follow each other in slots
    // 0..21, except that slots 20 and 21 may be empty in an open frame 10.
    bool sheet_complete() const;

    // VSc_Hcp Change: the sheet's handicap and the total with it.
    void VSc_Hcp(int value);
    // The scroll bar's value: the handicap of the sheet on screen, within range.
    int VSc_Hcp_value() const;

    // Cmd_CAN(0): after the question (OK / Cancel, Cancel the default),
    // empties slots 0..20 of the sheet on screen and its scores; the name and
    // the handicap stay. True when cleared.
    bool Cmd_CAN0();
    // Cmd_CAN(1): the question of abandoning the night; true on OK. Nothing
    // is changed here: the screens are closed by the caller.
    bool Cmd_CAN1();

    static QString hcp_message();     // "ハンデを入力してください"
    static QString clear_question();  // two lines joined by CR
    static QString abandon_question();

private:
    bool leave_sheet();

    Entry_controller &c_;
    platform::Desktop &desktop_;
    const config::MatchGlobals *match_ = nullptr;
    int hcp_mynas_ = 0;
    std::function<void()> sheet_shown_;
};

} // namespace entry
