#include "entry/entry_navigation.h"

#include "config/match_globals.h"
#include "entry/entry_controller.h"
#include "platform/desktop.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;
using namespace scoring;

namespace entry {

namespace {

constexpr std::size_t at(int i)
{
    return static_cast<std::size_t>(i);
}

// Format(v, "####"): the digits, nothing for 0.
QString hash4(int v)
{
    return v == 0 ? QString() : QString::number(v);
}

} // namespace

Entry_navigation::Entry_navigation(Entry_controller &controller, platform::Desktop &desktop)
    : c_(controller), desktop_(desktop)
{
}

QString Entry_navigation::hcp_message()
{
    return u"ハンデを入力してください"_s;
}

QString Entry_navigation::clear_question()
{
    return u"画面のマークを全て消します。"_s + u'\r' + u"よろしいですか？"_s;
}

QString Entry_navigation::abandon_question()
{
    return u"入力したデータを全て消し、メニューに戻ります。"_s + u'\r' + u"よろしいですか？"_s;
}

void Entry_navigation::Activate()
{
    Night &n = c_.night();
    if (n.has_sheet()) {
        const Score_rec &s = n.cur_sheet();
        for (int k = 0; k < slot_count; ++k)
            n.screen.Txt_MARK[at(k)] = s.mark_txt[at(k)];
        c_.Cmd_KEISAN();
    }
    New_score();
}

void Entry_navigation::New_score()
{
    Night &n = c_.night();
    if (n.cur_sen >= 0 && n.cur_sen < n.sen_name.size()
        && n.sen_name.at(n.cur_sen).startsWith(u"選手名未入力"_s))
        n.cur_sen = 0;
    if (!n.has_sheet())
        return;
    Score_rec &s = n.cur_sheet();
    if (match_) {
        s.kaijo_id = match_->kaijo_id;
        s.yy = match_->siai_yy;
        s.mm = match_->siai_mm;
        s.dd = match_->siai_dd;
    }
    // Slot boxes, seat, name and game, the scores, the split colours, the
    // small diagrams and the input position.
    c_.show_sheet();
    VSc_Hcp(s.hcp);
    n.screen.Txt_SCORE[0] = QString::number(s.fl_score[0]);
    n.screen.Txt_SCORE[10] = hash4(s.fl_score[10]).rightJustified(4);

    c_.set_Pct_flame_enabled(10, s.fl_score[10] >= 10);
    c_.set_Pct_flame_enabled(11, s.fl_score[10] >= 20);

    // In pin mode a spare just before the input position is shown on the
    // keypad, so its pins can still be corrected.
    const int k = c_.focus_slot();
    if (c_.mode() == Entry_controller::Mode::pin && k >= 2 && k <= 18
        && s.mark_cd[at(k - 1)] == code_spare && s.mark_cd[at(k - 2)] != code_strike)
        c_.focus(k - 1);

    if (sheet_shown_)
        sheet_shown_();
}

bool Entry_navigation::sheet_complete() const
{
    const Night &n = c_.night();
    if (!n.has_sheet())
        return false;
    const Score_rec &s = n.cur_sheet();
    auto empty = [&s](int k) { return s.mark_cd[at(k)] == code_empty; };
    for (int k = 0; k <= last_ball_slot; ++k) {
        if (empty(k) && empty(k + 1))
            return k == last_ball_slot && s.pin_cnt[18] + s.pin_cnt[19] <= 9;
    }
    return true;
}

bool Entry_navigation::leave_sheet()
{
    Night &n = c_.night();
    // The rack on screen is entered first (OK of the pin keypad; in mark
    // mode there is nothing to commit).
    c_.Cmd_moveflame(2);
    c_.Cmd_KEISAN();
    bool ok = false;
    const int shown_hcp = n.screen.Txt_SCORE[11].trimmed().toInt(&ok);
    if (hcp_mynas_ == 1 && ok && shown_hcp < 0 && sheet_complete()) {
        desktop_.beep();
        desktop_.message(hcp_message());
        n.next_slot = -1;
        return false;
    }
    return true;
}

bool Entry_navigation::Pct_moveSEN(int direction)
{
    static constexpr std::array<int, 4> steps = {-1, 1, -6, 6};
    if (direction < 0 || direction > 3)
        return false;
    if (!leave_sheet())
        return false;
    Night &n = c_.night();
    int seat = n.cur_sen;
    for (;;) {
        seat += steps[at(direction)];
        if (seat < 0) {
            desktop_.beep();
            return false;
        }
        if (seat > n.last_sen || seat >= n.sen_id.size()) {
            desktop_.beep();
            seat = 0;
            break;
        }
        if (n.sen_id.at(seat) != -1)
            break;
    }
    n.cur_sen = seat;
    n.clear_score();
    New_score();
    return true;
}

bool Entry_navigation::Pct_moveGAM(int direction)
{
    if (direction < 0 || direction > 1)
        return false;
    if (!leave_sheet())
        return false;
    Night &n = c_.night();
    n.clear_score();
    int game = n.cur_game + (direction == 0 ? -1 : 1);
    if (game < 0 || game > n.max_game()) {
        desktop_.beep();
        game = 0;
    }
    n.cur_game = game;
    New_score();
    return true;
}

void Entry_navigation::VSc_Hcp(int value)
{
    Night &n = c_.night();
    if (!n.has_sheet())
        return;
    Score_rec &s = n.cur_sheet();
    s.hcp = value;
    n.screen.Txt_SCORE[11] = QString::number(value);
    s.fl_score[0] = s.hcp + s.fl_score[10];
    n.screen.Txt_SCORE[0] = hash4(s.fl_score[0]);
}

int Entry_navigation::VSc_Hcp_value() const
{
    const Night &n = c_.night();
    return n.has_sheet() ? std::clamp(n.cur_sheet().hcp, hcp_min, hcp_max) : 0;
}

bool Entry_navigation::Cmd_CAN0()
{
    platform::Message question;
    question.text = clear_question();
    question.buttons = platform::Buttons::OkCancel;
    question.icon = platform::Icon::Warning;
    question.defaultButton = 1;
    question.systemModal = true;
    if (desktop_.message(question) != platform::Answer::Ok)
        return false;
    Night &n = c_.night();
    if (!n.has_sheet())
        return false;
    Score_rec &s = n.cur_sheet();
    for (int k = 0; k <= last_ball_slot; ++k) {
        n.screen.Txt_MARK[at(k)] = empty_slot_text();
        n.screen.split[at(k)] = false;
        s.mark_txt[at(k)] = empty_slot_text();
        s.mark_cd[at(k)] = code_empty;
        s.mark_kind[at(k)] = kind_not_set;
        s.pin_cnt[at(k)] = 0;
        s.pin_bits[at(k)] = no_pattern;
    }
    for (int &score : s.fl_score)
        score = 0;
    c_.paint_sheet_diagrams();
    c_.focus_again(0);
    return true;
}

bool Entry_navigation::Cmd_CAN1()
{
    platform::Message question;
    question.text = abandon_question();
    question.buttons = platform::Buttons::OkCancel;
    question.icon = platform::Icon::Warning;
    question.defaultButton = 1;
    question.systemModal = true;
    return desktop_.message(question) == platform::Answer::Ok;
}

} // namespace entry
