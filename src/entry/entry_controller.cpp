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
    paint_sheet_diagrams();

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
    focus_again(target);
}

void Entry_controller::sheet_again()
{
    if (new_score_)
        new_score_();
    else
        show_sheet();
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
    const Rack entered = rack_of(s);

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

    if (mode_ == Mode::mark && entered.valid()) {
        // A mark carries no pin pattern: the diagram of the rack the ball
        // belongs to goes grey (not the rack the input moved on to, whose
        // pattern is still right). A strike keeps its pattern: nothing stands.
        run_fl_check();
        paint_small_pins(entered.fl, grey);
        sheet.pin_bits[at(entered.first)] = no_pattern;
        if (entered.second >= 0)
            sheet.pin_bits[at(entered.second)] = no_pattern;
        if (code == code_strike)
            sheet.pin_bits[at(s)] = 0;
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
            sheet_again();
            return;
        }
        night_.cur_slot = 20;
    } else {
        desktop_.message(u"error pct_flame 12"_s);
        sheet_again();
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
    if (mode_ == Mode::pin && night_.has_sheet() && focus_ >= 0 && focus_ <= last_ball_slot)
        set_up_pin_keypad(false);
}

QString Entry_controller::Frame_Mode_caption() const
{
    return mode_ == Mode::mark ? u"マーク入力"_s : u" ピン入力 "_s;
}

// ---------------------------------------------------------------- keys

void Entry_controller::key_press(char16_t ch)
{
    label3_ = QString::number(int(ch));
    if (mode_ == Mode::pin) {
        static constexpr char16_t pin_keys[] = u"ZASQWE1234";
        const char16_t upper = (ch >= u'a' && ch <= u'z') ? char16_t(ch - u'a' + u'A') : ch;
        for (int i = 0; i < 10; ++i) {
            if (pin_keys[i] == upper) {
                pct_pin(i);
                return;
            }
        }
        switch (upper) {
        case u'X':
        case u'*':
            cmd_MDS(0);
            break;
        case u'G':
            cmd_MDS(2);
            break;
        case u'F':
            cmd_MDS(3);
            break;
        case u'-':
        case u'M':
            cmd_MDS(4);
            break;
        case u'C':
            cmd_MDS(5);
            break;
        case u',':
            Cmd_moveflame(0);
            break;
        case u'.':
            Cmd_moveflame(1);
            break;
        default:
            break;
        }
        return;
    }
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
        else
            Cmd_moveflame(key == Qt::Key_Left ? 0 : 1);
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

void Entry_controller::focus_again(int slot)
{
    if (slot == focus_ && slot >= 0 && slot <= park_slot)
        got_focus(slot);
    else
        focus(slot);
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
    if (mode_ == Mode::pin && slot <= last_ball_slot)
        set_up_pin_keypad(true);
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

// ---------------------------------------------------------------- pin keypad

namespace {

int standing(std::int32_t pattern)
{
    int n = 0;
    for (int i = 0; i < 10; ++i)
        n += (pattern >> i) & 1;
    return n;
}

} // namespace

Entry_controller::Rack Entry_controller::rack_of(int slot) const
{
    if (!night_.has_sheet())
        return {};
    const Score_rec &s = night_.cur_sheet();
    const bool strike18 = s.mark_cd[18] == code_strike;
    if (slot >= 0 && slot < 18) {
        const int first = slot - slot % 2;
        return {first, first + 1, first / 2};
    }
    if (slot == 18 || (slot == 19 && !strike18))
        return {18, 19, 9};
    if (slot == 19)
        return {19, 20, 10};
    if (slot == 20) {
        if (strike18 && s.mark_cd[19] == code_strike)
            return {20, -1, 11};
        if (strike18)
            return {19, 20, 10};
        if (s.mark_cd[19] == code_spare)
            return {20, -1, 10};
    }
    return {};
}

std::int32_t &Entry_controller::bits(int slot)
{
    return night_.cur_sheet().pin_bits[at(slot)];
}

void Entry_controller::empty_slot(int slot)
{
    Score_rec &s = night_.cur_sheet();
    night_.screen.Txt_MARK[at(slot)] = empty_slot_text();
    night_.screen.split[at(slot)] = false;
    s.mark_txt[at(slot)] = empty_slot_text();
    s.mark_cd[at(slot)] = code_empty;
    s.mark_kind[at(slot)] = kind_not_set;
    s.pin_cnt[at(slot)] = 0;
}

void Entry_controller::set_pin_colours(std::uint32_t first, std::uint32_t second, std::uint32_t third)
{
    pin_colours_ = {first, second, third};
}

std::uint32_t Entry_controller::pin_colour(int state) const
{
    return state >= 0 && state < 3 ? pin_colours_[at(state)] : grey;
}

void Entry_controller::paint_keypad_pins(int picture)
{
    for (int n = 0; n < 10; ++n)
        set_shp_Pin_colour(10 * picture + n, pin_colour(pin_stat_[at(n)]));
}

void Entry_controller::paint_rack_diagram(int picture, std::int32_t first, std::int32_t second,
                                          bool strike)
{
    for (int n = 0; n < 10; ++n) {
        const std::int32_t bit = 1 << n;
        int state = 0;
        if (first & bit)
            state = (!strike && second >= 0 && (second & bit)) ? 2 : 1;
        set_shp_Pin_colour(10 * picture + n, pin_colour(state));
    }
}

void Entry_controller::paint_sheet_diagrams()
{
    pin_colour_.fill(grey);
    if (!night_.has_sheet())
        return;
    const Score_rec &s = night_.cur_sheet();
    auto b = [&s](int k) { return s.pin_bits[at(k)]; };
    auto strike = [&s](int k) { return s.mark_cd[at(k)] == code_strike; };
    for (int p = 0; p <= 9; ++p) {
        if (b(2 * p) >= 0)
            paint_rack_diagram(p, b(2 * p), b(2 * p + 1), strike(2 * p));
    }
    if (strike(18)) {
        if (strike(19)) {
            paint_small_pins(10, pin_colour(0));
            if (b(20) >= 0)
                paint_rack_diagram(11, b(20), no_pattern, strike(20));
        } else if (b(19) >= 0) {
            paint_rack_diagram(10, b(19), b(20), false);
        }
    } else if (s.mark_cd[19] == code_spare && b(20) >= 0) {
        paint_rack_diagram(10, b(20), no_pattern, strike(20));
    }
}

void Entry_controller::set_up_pin_keypad(bool restore_foul)
{
    pin_stat_.fill(0);
    const int slot = night_.cur_slot;
    const Rack r = rack_of(slot);
    if (!r.valid())
        return;
    Score_rec &s = night_.cur_sheet();
    const std::int32_t first = bits(r.first);
    const std::int32_t second = r.second >= 0 ? bits(r.second) : no_pattern;
    if (first < no_pattern || second < no_pattern) {
        desktop_.message(u"error"_s);
        return;
    }
    if (first == no_pattern) {
        if (r.second >= 0 && restore_foul)
            bits(r.second) = no_pattern;
        paint_small_pins(r.fl, grey);
        return;
    }
    for (int n = 0; n < 10; ++n)
        pin_stat_[at(n)] = (first >> n) & 1;
    if (s.mark_cd[at(r.first)] != code_strike && second >= 0) {
        for (int n = 0; n < 10; ++n)
            if ((second >> n) & 1)
                pin_stat_[at(n)] = 2;
    }
    // A foul on the last ball of frame 10 that the first ball of its rack
    // emptied again comes back: its kind is kept.
    if (restore_foul && s.mark_kind[20] == kind_foul && s.mark_cd[20] == code_empty) {
        const bool strike_rack = r.first == 19 && slot == 19 && s.mark_cd[19] != code_strike;
        const bool fresh_rack = r.first == 20 && r.fl == 11;
        if (strike_rack || fresh_rack) {
            s.mark_cd[20] = code_foul;
            night_.screen.Txt_MARK[20] = marks_.caption(code_foul).left(2);
            for (int &st : pin_stat_)
                st = fresh_rack ? 1 : (st == 1 ? 2 : st);
        }
    }
    paint_keypad_pins(r.fl);
}

void Entry_controller::pct_pin(int pin)
{
    if (!night_.has_sheet() || pin < 0 || pin > 9)
        return;
    if (night_.fl_check() == Fl_status::error) {
        desktop_.message(Night::fl_check_error_text());
        return;
    }
    if (night_.screen.focus_slot != focus_)
        focus(night_.screen.focus_slot);
    const int slot = night_.cur_slot;
    const Rack r = rack_of(slot);
    if (!r.valid()) {
        desktop_.message(bits(20) == no_pattern ? u"Error Pct_Pin 1001"_s : u"Error Pct_Pin 1002"_s);
        return;
    }
    if (bits(r.first) == no_pattern || (r.second >= 0 && bits(r.second) == no_pattern)) {
        // A new rack: every pin fell to the first ball until clicked.
        bits(r.first) = 0;
        empty_slot(r.first);
        if (r.second >= 0) {
            bits(r.second) = 0;
            empty_slot(r.second);
        }
        pin_stat_.fill(0);
        paint_small_pins(r.fl, pin_colour(0));
    }
    const std::int32_t bit = 1 << pin;
    int &state = pin_stat_[at(pin)];
    switch (state) {
    case 0:
        state = 1;
        bits(r.first) |= bit;
        break;
    case 1:
        if (r.second < 0)
            return;  // a single ball: a pin cannot stand after a second one
        state = 2;
        bits(r.second) |= bit;
        break;
    default:
        state = 0;
        bits(r.first) &= ~bit;
        if (r.second >= 0)
            bits(r.second) &= ~bit;
        break;
    }
    set_shp_Pin_colour(10 * r.fl + pin, pin_colour(state));
    if (slot == 19 || slot == 20)
        Cmd_moveflame(2);
}

void Entry_controller::commit_rack(const Rack &r)
{
    Score_rec &s = night_.cur_sheet();
    // What the second ball held before the first is entered again (entering
    // the first ball of the rack after a strike in 18 empties slot 20).
    const bool second_foul = r.second >= 0
        && (s.mark_cd[at(r.second)] == code_foul
            || (r.second == 20 && s.mark_kind[20] == kind_foul && s.mark_cd[20] == code_empty));

    focus(r.first);
    const std::int32_t first = bits(r.first);
    if (s.mark_cd[at(r.first)] == code_foul && first == all_pins) {
        Cmd_MARK(code_foul);
    } else {
        if (s.mark_cd[at(r.first)] == code_foul)
            s.mark_kind[at(r.first)] = kind_plain;
        night_.split_check();
        const int count = 10 - standing(first);
        Cmd_MARK(count == 10 ? code_strike : count);
        if (count == 10)
            return;
    }
    if (r.second < 0 || s.mark_cd[at(r.first)] == code_empty)
        return;  // a single ball, or the first ball was refused

    if (focus_ != r.second)
        focus(r.second);
    const std::int32_t second = bits(r.second);
    if (second != no_pattern && night_.cur_slot == r.second) {
        if (second_foul && second == first) {
            Cmd_MARK(code_foul);
        } else {
            // A foul where pins fell is dropped and the ball counted.
            s.mark_kind[at(r.second)] = kind_plain;
            const int fell = standing(first & ~second);
            Cmd_MARK(fell == 0 ? code_miss : fell == standing(first) ? code_spare : fell);
        }
    }
    if (r.first == 18 && s.mark_cd[18] != code_strike && s.mark_cd[19] != code_spare) {
        // An open frame 10 has no third ball.
        empty_slot(20);
        bits(20) = no_pattern;
        calculate();
    }
}

void Entry_controller::finish_extension_pictures()
{
    const int total = night_.cur_sheet().fl_score[10];
    set_Pct_flame_enabled(10, total >= 10);
    set_Pct_flame_enabled(11, total >= 20);
}

void Entry_controller::ok_part()
{
    if (!night_.has_sheet())
        return;
    if (night_.fl_check() == Fl_status::error) {
        desktop_.message(Night::fl_check_error_text());
        return;
    }
    if (night_.screen.focus_slot != focus_)
        focus(night_.screen.focus_slot);
    const int slot = night_.cur_slot;
    const Rack r = rack_of(slot);
    if (!r.valid())
        return;
    if (bits(slot) == no_pattern) {
        if (r.second >= 0)
            bits(r.second) = no_pattern;
        return;
    }
    commit_rack(r);
    finish_extension_pictures();
}

void Entry_controller::Cmd_moveflame(int index)
{
    if (!night_.has_sheet() || index < 0 || index > 2)
        return;
    if (index == 2) {
        if (mode_ != Mode::pin)
            return;
        ok_part();
        if (focus_ == 20)
            set_up_pin_keypad(true);  // redraw the keypad for the ball now shown
        return;
    }
    const int from = std::min(night_.cur_slot, last_ball_slot);
    if (mode_ == Mode::pin)
        ok_part();
    int target = 0;
    if (index == 0)
        target = from < 18 ? std::max(from - from % 2 - 2, 0) : 16;
    else
        target = from < 18 ? from - from % 2 + 2 : (from == 18 ? 19 : 20);
    focus(target);
}

void Entry_controller::cmd_MDS(int index)
{
    if (!night_.has_sheet() || index < 0 || index > 5 || index == 1)
        return;
    if (night_.fl_check() == Fl_status::error) {
        desktop_.message(Night::fl_check_error_text());
        return;
    }
    if (night_.screen.focus_slot != focus_)
        focus(night_.screen.focus_slot);
    Score_rec &s = night_.cur_sheet();
    const int slot = night_.cur_slot;
    const Rack r = rack_of(slot);
    if (!r.valid())
        return;
    const bool strike18 = s.mark_cd[18] == code_strike;
    const bool spare19 = !strike18 && s.mark_cd[19] == code_spare;

    switch (index) {
    case 0:  // strike
        if (r.first < 18) {
            focus(r.first);
            bits(r.first) = 0;
            bits(r.second) = 0;
        } else {
            bits(slot) = 0;
        }
        pin_stat_.fill(0);
        paint_keypad_pins(r.fl);
        Cmd_MARK(code_strike);
        return;
    case 2:  // gutter: only the first ball of a rack
        if (slot != r.first)
            return;
        bits(r.first) = all_pins;
        if (r.second >= 0)
            bits(r.second) = 0;
        pin_stat_.fill(1);
        paint_keypad_pins(r.fl);
        Cmd_MARK(code_gutter);
        return;
    case 3:  // foul
        if (r.fl == 10 && strike18 && slot != 19 && slot != 20) {
            desktop_.message(u"errror  Faul 10F"_s);
            return;
        }
        if (r.fl == 10 && !strike18 && !(spare19 && slot == 20)) {
            desktop_.message(u"faul error 10flame fl=10"_s);
            return;
        }
        if (slot == r.first) {
            pin_stat_.fill(1);
            bits(r.first) = all_pins;
            if (r.second >= 0)
                bits(r.second) = 0;
        } else {
            for (int &st : pin_stat_)
                if (st == 1)
                    st = 2;
            bits(r.second) = bits(r.first);
        }
        paint_keypad_pins(r.fl);
        Cmd_MARK(code_foul);
        return;
    case 4: {  // miss
        if (r.fl == 10 && strike18) {
            if (bits(19) == no_pattern) {
                focus(19);
                return;
            }
        } else if (r.fl == 10 && !spare19) {
            desktop_.message(u"Throgu error 10flame fl=10"_s);
            return;
        } else if (r.fl >= 10) {
            return;  // a fresh rack's first ball cannot be a miss
        } else if (bits(r.first) == no_pattern || bits(r.first) == 0) {
            return;
        }
        focus(r.second);
        for (int &st : pin_stat_)
            if (st == 1)
                st = 2;
        bits(r.second) = bits(r.first);
        paint_keypad_pins(r.fl);
        Cmd_MARK(code_miss);
        // The rack is turned into marks and the input goes on.
        if (focus_ != r.second)
            focus(r.second);
        Cmd_moveflame(r.second < 20 ? 1 : 2);
        return;
    }
    case 5: {  // clear
        pin_stat_.fill(0);
        if (r.first < 18) {
            for (int k : {r.first, r.second}) {
                empty_slot(k);
                bits(k) = no_pattern;
            }
            paint_small_pins(r.fl, grey);
            calculate();
            focus(r.first);
        } else {
            for (int k = 18; k <= 20; ++k) {
                empty_slot(k);
                bits(k) = no_pattern;
            }
            for (int p = 9; p <= 11; ++p)
                paint_small_pins(p, grey);
            calculate();
            focus(18);
        }
        return;
    }
    default:
        return;
    }
}

QString Entry_controller::Pct_Pin_tooltip(int pin)
{
    static const char16_t *const tips[] = {u"１番 (Z)", u"２番 (A)", u"３番 (S)", u"４番 (Ｑ)",
                                           u"５番 (W)", u"６番 (E)", u"７番 (1)", u"８番 (2)",
                                           u"９番 (3)", u"10番 (4)"};
    return pin >= 0 && pin < 10 ? QString::fromUtf16(tips[pin]) : QString();
}

QString Entry_controller::cmd_MDS_caption(int index)
{
    switch (index) {
    case 2:
        return u"Ｇ"_s;
    case 3:
        return u"Ｆ"_s;
    case 4:
        return u"－"_s;
    case 5:
        return u"Clear"_s;
    default:
        return QString();
    }
}

QString Entry_controller::cmd_MDS_tooltip(int index)
{
    switch (index) {
    case 0:
        return u"ストライク (X)"_s;
    case 2:
        return u"ガター (G)"_s;
    case 3:
        return u"ファウル (F)"_s;
    case 4:
        return u"スルー (- or M)"_s;
    case 5:
        return u"ピンをクリアします (C)"_s;
    default:
        return QString();
    }
}

QString Entry_controller::Cmd_moveflame_tooltip(int index)
{
    switch (index) {
    case 0:
        return u"左フレームへ (コンマ)"_s;
    case 1:
        return u"右フレームへ (ドット)"_s;
    case 2:
        return u"ピンからそのフレームの得点を計算します"_s;
    default:
        return QString();
    }
}

} // namespace entry
