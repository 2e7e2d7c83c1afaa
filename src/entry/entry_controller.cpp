#include "entry/entry_controller.h"

#include "config/settings_store.h"
#include "entry/mark_key.h"
#include "platform/desktop.h"

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace scoring;

namespace entry {

namespace {

constexpr std::size_t at(int i)
{
    return static_cast<std::size_t>(i);
}

// Two balls of one rack whose codes add up to 10 .. 18 knock down ten pins or
// more as counts: ten must be entered as the spare mark, more cannot happen.
// A miss, foul or empty first ball has a code of 19 or more, so it never
// makes a count impossible.
bool too_many(int code, int before)
{
    const int sum = code + before;
    return sum >= 10 && sum <= 18;
}

const QString form_section = u"Form"_s;
const QString mode_key = u"main_mode"_s;

} // namespace

Entry_controller::Entry_controller(Night &night, platform::Desktop &desktop, Mark_texts marks)
    : night_(night), desktop_(desktop), marks_(std::move(marks))
{
    flame_colour_.fill(grey);
    flame_enabled_.fill(true);
    pin_colour_.fill(grey);
}

// ---------------------------------------------------------------- life cycle

void Entry_controller::load(const config::SettingsStore &store)
{
    bool ok = false;
    const int stored = store.get(form_section, mode_key, u"1"_s).trimmed().toInt(&ok);
    if (!(ok && stored == 1) && pin_keypad_available_ && mode_ == Mode::mark)
        switch_mode();
    night_.INIT();
}

void Entry_controller::unload(config::SettingsStore &store) const
{
    store.set(form_section, mode_key, mode_ == Mode::mark ? u"1"_s : u"0"_s);
}

void Entry_controller::show_sheet()
{
    if (!night_.has_sheet())
        return;
    Score_rec &s = night_.cur_sheet();
    for (int k = last_ball_slot; k >= 0; --k) {
        night_.screen.Txt_MARK[at(k)] = s.mark_txt[at(k)].left(2);
        night_.screen.split[at(k)] = s.mark_kind[at(k)] == kind_split;
    }
    junban_ = QString::number(night_.cur_sen + 1);
    sen_ = night_.cur_sen < night_.sen_name.size() ? night_.sen_name.at(night_.cur_sen)
                                                     : s.sen_name;
    gam_ = QString::number(night_.cur_game + 1);
    calculate();

    // The input position: the first empty slot, not counting the second slot
    // of a strike frame.
    int target = park_slot;
    for (int k = 0; k <= last_ball_slot; ++k) {
        if (s.mark_cd[at(k)] != code_empty)
            continue;
        if (k < 18 && k % 2 == 1 && s.mark_cd[at(k - 1)] == code_strike)
            continue;
        target = k;
        break;
    }
    if (target < park_slot)
        night_.next_slot = target;
    focus(target);
}

// ---------------------------------------------------------------- mark keypad

void Entry_controller::Cmd_MARK(int code)
{
    if (!night_.has_sheet() || !is_mark_code(code))
        return;
    const int s = night_.cur_slot;
    if (s < 0 || s > park_slot)
        return;
    Score_rec &sheet = night_.cur_sheet();

    night_.screen.Txt_MARK[at(s)] = marks_.caption(code).left(2);
    sheet.mark_cd[at(s)] = static_cast<std::uint8_t>(code);
    // A foul on the second or third ball of frame 10 keeps its kind.
    if (!((s == 19 || s == 20) && sheet.mark_kind[at(s)] == kind_foul))
        sheet.mark_kind[at(s)] = kind_plain;
    night_.next_slot += 1;

    if (s == park_slot)
        return;  // the parking slot takes whatever it gets and nothing follows

    Outcome outcome{Check::refuse};
    if (s <= 16 && s % 2 == 0)
        outcome = check_first_ball(code);
    else if (s <= 17)
        outcome = check_second_ball(s, code);
    else if (s == 18)
        outcome = check_slot_18(code);
    else if (s == 19)
        outcome = check_slot_19(code);
    else
        outcome = check_slot_20(code);

    switch (outcome.check) {
    case Check::refuse:
        night_.screen.Txt_MARK[at(s)].clear();
        focus(s);
        night_.Clear_Mark();
        // The slot is empty again: the scores must not count what was there.
        calculate();
        return;
    case Check::stay:
        break;
    case Check::advance:
        focus(night_.next_slot);
        break;
    case Check::go_to:
        focus(outcome.slot);
        break;
    }
    if (outcome.clear_target && night_.cur_slot == outcome.slot)
        night_.Clear_Mark();

    if (mode_ == Mode::mark) {
        // A mark carries no pin pattern: the rack's diagram goes grey.
        run_fl_check();
        const int fl = night_.fl;
        if (fl >= 0 && fl < picture_count) {
            paint_small_pins(fl, grey);
            if (fl <= 9) {
                sheet.pin_bits[at(2 * fl)] = no_pattern;
                sheet.pin_bits[at(2 * fl + 1)] = no_pattern;
            } else {
                sheet.pin_bits[19] = no_pattern;
                sheet.pin_bits[20] = no_pattern;
            }
        }
    }
    calculate();
}

Entry_controller::Outcome Entry_controller::check_first_ball(int code)
{
    const int s = night_.cur_slot;
    Score_rec &sheet = night_.cur_sheet();
    if (code == code_strike) {
        sheet.pin_bits[at(s)] = 0;
        night_.screen.Txt_MARK[at(s + 1)] = empty_slot_text();
        sheet.mark_cd[at(s + 1)] = code_empty;
        return {Check::go_to, s + 2};
    }
    if (code == code_miss || code == code_spare || code == code_empty)
        return {Check::refuse};
    return {Check::advance};
}

Entry_controller::Outcome Entry_controller::check_second_ball(int s, int code)
{
    const int p = night_.cur_sheet().mark_cd[at(s - 1)];
    // Nothing stands after a strike: the frame has no second ball.
    if (p == code_strike)
        return {Check::refuse};
    if (code == code_gutter || code == code_strike || code == code_empty)
        return {Check::refuse};
    if (code == code_spare)
        return {Check::go_to, s + 1};
    if (code == code_miss || code == code_foul)
        return {Check::advance};
    return too_many(code, p) ? Outcome{Check::refuse} : Outcome{Check::advance};
}

Entry_controller::Outcome Entry_controller::check_slot_18(int code)
{
    if (code == code_strike) {
        night_.cur_sheet().pin_bits[18] = 0;
        return {Check::go_to, 19};
    }
    if (code == code_miss || code == code_spare || code == code_empty)
        return {Check::refuse};
    return {Check::go_to, 19};
}

Entry_controller::Outcome Entry_controller::check_slot_19(int code)
{
    Score_rec &sheet = night_.cur_sheet();
    const int first = sheet.mark_cd[18];
    if (first == code_strike) {
        if (code == code_strike) {
            sheet.pin_bits[19] = 0;
            return {Check::go_to, 20};
        }
        if (code == code_miss || code == code_spare || code == code_empty)
            return {Check::refuse};
        return {Check::go_to, 20, true};  // the third ball starts afresh
    }
    if (code == code_spare)
        return {Check::go_to, 20};
    if (code == code_gutter || code == code_strike || code == code_empty)
        return {Check::refuse};
    if (code == code_foul)
        return {Check::advance};
    if (too_many(code, first))
        return {Check::refuse};
    // Frame 10 is open: it has no third ball.
    sheet.mark_cd[20] = code_empty;
    night_.screen.Txt_MARK[20] = empty_slot_text();
    return {Check::stay};
}

Entry_controller::Outcome Entry_controller::check_slot_20(int code)
{
    Score_rec &sheet = night_.cur_sheet();
    const int first = sheet.mark_cd[18];
    const int second = sheet.mark_cd[19];
    if (first == code_strike && second == code_strike) {
        if (code == code_miss || code == code_spare || code == code_empty)
            return {Check::refuse};
        if (code == code_strike)
            sheet.pin_bits[20] = 0;
        return {Check::stay};
    }
    if (first == code_strike) {
        if (code == code_gutter || code == code_strike || code == code_empty)
            return {Check::refuse};
        if (code == code_spare) {
            sheet.pin_cnt[20] = static_cast<std::uint8_t>(10 - sheet.pin_cnt[19]);
            return {Check::stay};
        }
        return too_many(code, second) ? Outcome{Check::refuse} : Outcome{Check::stay};
    }
    if (second == code_spare) {
        if (code == code_miss || code == code_spare || code == code_empty)
            return {Check::refuse};
        if (code == code_strike)
            sheet.pin_bits[20] = 0;
        return {Check::stay};
    }
    return {Check::refuse};  // an open frame 10 has no third ball
}

void Entry_controller::Cmd_spl()
{
    night_.Cmd_spl();
}

void Entry_controller::Cmd_KEISAN()
{
    calculate();
}

void Entry_controller::cmd_moveflame2(int index)
{
    if (index == 0)
        night_.next_slot = std::max(night_.next_slot - 1, 0);
    else if (index == 1)
        night_.next_slot = std::min(night_.next_slot + 1, last_ball_slot);
    else
        return;
    focus(night_.next_slot);
}

void Entry_controller::Pct_flame_click(int index)
{
    if (!night_.has_sheet())
        return;
    if (index >= 0 && index < picture_count && !flame_enabled_[at(index)])
        return;
    const Score_rec &s = night_.cur_sheet();
    if (index >= 0 && index <= 9) {
        night_.cur_slot = 2 * index;
    } else if (index == 10) {
        night_.cur_slot = s.mark_cd[18] == code_strike ? 19 : 20;
    } else if (index == 11) {
        if (s.mark_cd[18] != code_strike || s.mark_cd[19] != code_strike) {
            desktop_.beep();
            show_sheet();
            return;
        }
        night_.cur_slot = 20;
    } else {
        desktop_.message(u"error pct_flame 12"_s);
        show_sheet();
        return;
    }
    night_.fl = index;
    const int target = night_.cur_slot;
    if (target == focus_)
        night_.set_focus(target);
    focus(target);
}

void Entry_controller::Cmd_Mode()
{
    if (!Cmd_Mode_enabled())
        return;
    switch_mode();
}

void Entry_controller::switch_mode()
{
    mode_ = mode_ == Mode::mark ? Mode::pin : Mode::mark;
}

QString Entry_controller::Frame_Mode_caption() const
{
    return mode_ == Mode::mark ? u"マーク入力"_s : u" ピン入力 "_s;
}

// ---------------------------------------------------------------- keys

void Entry_controller::key_press(char16_t ch)
{
    label3_ = QString::number(int(ch));
    if (mode_ != Mode::mark)
        return;
    const Mark_key key = translate_mark_key(ch);
    if (key.action == Mark_key::Action::mark)
        Cmd_MARK(key.code);
    else if (key.action == Mark_key::Action::split)
        Cmd_spl();
}

Move_request Entry_controller::key_release(int key, Qt::KeyboardModifiers modifiers)
{
    // Keys of the number block come with the keypad flag; they count the same.
    modifiers &= ~Qt::KeypadModifier;
    using K = Move_request::Kind;
    if (modifiers == Qt::NoModifier) {
        switch (key) {
        case Qt::Key_PageUp:
            return {K::Pct_moveGAM, 1};
        case Qt::Key_PageDown:
            return {K::Pct_moveGAM, 0};
        case Qt::Key_Up:
            return {K::Pct_moveSEN, 0};
        case Qt::Key_Down:
            return {K::Pct_moveSEN, 1};
        case Qt::Key_Left:
            return {K::Pct_moveSEN, 2};
        case Qt::Key_Right:
            return {K::Pct_moveSEN, 3};
        default:
            return {};
        }
    }
    if (modifiers == Qt::ShiftModifier && (key == Qt::Key_Left || key == Qt::Key_Right)) {
        // In pin mode these keys belong to the pin keypad's frame moves.
        if (mode_ == Mode::mark)
            cmd_moveflame2(key == Qt::Key_Left ? 0 : 1);
    }
    return {};
}

// ---------------------------------------------------------------- slot boxes

void Entry_controller::focus(int slot)
{
    if (slot < 0 || slot > park_slot)
        return;
    if (slot == focus_)
        return;
    const int old = focus_;
    focus_ = slot;
    if (old >= 0)
        lost_focus(old);
    got_focus(slot);
}

void Entry_controller::got_focus(int slot)
{
    night_.set_focus(slot);
    if (slot == park_slot) {
        focus(0);
        return;
    }
    pin_stat_.fill(0);
    run_fl_check();
    if (focus_ != slot)
        return;  // fl_check sent the focus elsewhere; that box painted the pictures
    flame_colour_.fill(grey);
    if (night_.fl >= 0 && night_.fl < picture_count)
        flame_colour_[at(night_.fl)] = white;
}

void Entry_controller::lost_focus(int slot)
{
    if (!night_.has_sheet())
        return;
    const Score_rec &s = night_.cur_sheet();
    night_.screen.Txt_MARK[at(slot)] = marks_.slot_text(s.mark_cd[at(slot)], s.mark_kind[at(slot)]);
}

void Entry_controller::slot_click(int slot)
{
    if (slot >= 0 && slot < 20)
        night_.next_slot = slot;
}

void Entry_controller::run_fl_check()
{
    switch (night_.fl_check()) {
    case Fl_status::ok:
        break;
    case Fl_status::focus_back:
        focus(night_.screen.focus_slot);
        break;
    case Fl_status::error:
        desktop_.message(Night::fl_check_error_text());
        break;
    }
}

void Entry_controller::calculate()
{
    if (night_.Cmd_KEISAN(marks_) == Calc_result::split_emptied) {
        // The calculation put the focus back on the current slot.
        const int slot = night_.screen.focus_slot;
        if (slot != focus_)
            focus(slot);
    }
}

// ---------------------------------------------------------------- shown state

QString Entry_controller::Cmd_MARK_caption(int code) const
{
    return marks_.caption(code);
}

QString Entry_controller::Cmd_MARK_tooltip(int code)
{
    switch (code) {
    case code_gutter:
        return u"ガター (G or 0)"_s;
    case code_strike:
        return u"ストライク (*)"_s;
    case code_miss:
        return u"スルー (- or 0)"_s;
    case code_spare:
        return u"スペア (/ or P)"_s;
    case code_foul:
        return u"ファウル (F or ピリオド)"_s;
    default:
        return QString();
    }
}

std::uint32_t Entry_controller::Pct_flame_colour(int picture) const
{
    return picture >= 0 && picture < picture_count ? flame_colour_[at(picture)] : grey;
}

bool Entry_controller::Pct_flame_enabled(int picture) const
{
    return picture >= 0 && picture < picture_count && flame_enabled_[at(picture)];
}

void Entry_controller::set_Pct_flame_enabled(int picture, bool enabled)
{
    if (picture >= 0 && picture < picture_count)
        flame_enabled_[at(picture)] = enabled;
}

std::uint32_t Entry_controller::shp_Pin_colour(int index) const
{
    return index >= 0 && index < small_pin_count ? pin_colour_[at(index)] : grey;
}

void Entry_controller::set_shp_Pin_colour(int index, std::uint32_t colour)
{
    if (index >= 0 && index < small_pin_count)
        pin_colour_[at(index)] = colour;
}

void Entry_controller::paint_small_pins(int picture, std::uint32_t colour)
{
    for (int n = 0; n < 10; ++n)
        set_shp_Pin_colour(10 * picture + n, colour);
}

} // namespace entry
