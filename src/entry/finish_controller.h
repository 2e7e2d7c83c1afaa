#pragma once

#include "scoring/ana.h"

#include <QString>

#include <functional>

namespace config {
struct Settings;
}
namespace platform {
class Desktop;
}

namespace entry {

class Entry_controller;

// Where finishing stopped, or that it went on.
enum class Finish_step {
    handicap, // negative handicap shown while hcp_mynas is 1: "ハンデを入力してください"
    half_entered, // the check found half-entered games and the operator chose to go back
    one_player, // fewer than two bowlers and the operator did not choose Yes
    go_on, // every check passed: open results processing with data
};

struct Finish_result
{
    Finish_step step = Finish_step::handicap;
    // The check text; empty when finishing stopped at the handicap check.
    QString check_text;
    // The hand-over data made by ANA (once finishing got that far).
    scoring::Ana_data data;

    bool go_on() const { return step == Finish_step::go_on; }
};

// The end of score entry, without widgets: the entry check (Cmd_INFO) and the
// finishing button Cmd_TOKEI with its checks, questions and ANA. It works on
// the night of the entry controller and runs the calculation through it, so
// the sheet on screen is current before anything is looked at.
//
// How form_main calls it (one of each per screen):
//
//   Finish_controller finish_{controller_, desktop, settings};   // settings: ctx.settings
//   Form_INFO *info_ = new Form_INFO(ctx.store);                  // made once; as a child
//   ctx.menu->addChild(info_, shell::Form_menu::Frame::Fixed, false); // window when there is a menu
//   finish_.set_check_view([this](const QString &text) { info_->show_text(text); });
//
//   Cmd_INFO "チェック" and menu_input "入力情報":
//       finish_.Cmd_INFO(); refresh();
//   Cmd_TOKEI "統計へ (&Save)" and menu_ok "統計へ(&N)":
//       const Finish_result r = finish_.Cmd_TOKEI(); refresh();
//       if (r.go_on()) Q_EMIT finish_confirmed(r.data);
//
// refresh() is needed after both: the calculation may change the sheet on
// screen, and a refused handicap sets next_slot to -1. Hiding the entry
// screens and the check window on finish_confirmed is the night flow's part
// (the check window's frame(), or the child window named "Form_INFO").
class Finish_controller
{
public:
    Finish_controller(Entry_controller &entry, platform::Desktop &desktop, const config::Settings &settings);

    // Shows each check text (the check window's show_text). Without a view
    // the texts are only returned.
    void set_check_view(std::function<void(const QString &)> show) { show_check_ = std::move(show); }

    // Cmd_INFO Click: the calculation on the sheet on screen, then the entry
    // check (scoring::entry_check_text), shown through the view and returned.
    QString Cmd_INFO();

    // Cmd_TOKEI Click:
    // 1. hcp_mynas 1 and a negative handicap shown in Txt_SCORE(11): beep, the
    //    message "ハンデを入力してください", next_slot -1, stop (handicap);
    // 2. Cmd_INFO (the calculation and the check, shown);
    // 3. anything reported: the question half_entered_question() with a
    //    warning icon, Yes and No; Yes stops (half_entered), No goes on;
    // 4. ANA;
    // 5. fewer than two bowlers (N below 2): one_player_question() with a
    //    question icon, Yes and No; anything but Yes stops (one_player);
    // 6. go_on with the data.
    Finish_result Cmd_TOKEI();

    static QString handicap_message(); // "ハンデを入力してください"
    static QString half_entered_question(); // "入力していないデータを入力してください"
    // The five lines of the one-player question joined by CR.
    static QString one_player_question();

private:
    bool handicap_refused() const;

    Entry_controller &entry_;
    platform::Desktop &desktop_;
    const config::Settings &settings_;
    std::function<void(const QString &)> show_check_;
};

} // namespace entry
