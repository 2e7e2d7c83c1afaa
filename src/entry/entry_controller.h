#pragma once

#include "scoring/mark_texts.h"
#include "scoring/night.h"

#include <QString>
#include <Qt>

#include <array>
#include <cstdint>
#include <functional>

namespace config {
class SettingsStore;
}
namespace platform {
class Desktop;
}

namespace entry {

// A move to another player or game asked for by a key of the entry screen;
// the navigation of the screen carries it out.
struct Move_request
{
    enum class Kind { none, Pct_moveSEN, Pct_moveGAM };
    Kind kind = Kind::none;
    // Pct_moveSEN: 0 up, 1 down, 2 left, 3 right; Pct_moveGAM: 0 previous, 1 next.
    int index = 0;

    bool operator==(const Move_request &) const = default;
};

// The rules and the shown state of the score entry screen form_main, without
// widgets. It works on the night's sheet on screen (Night::cur_sheet()) and
// on Night::screen (slot texts, split flags, score texts, focused slot), and
// keeps what else the screen shows: the input mode, the frame pictures and
// their small pins, the hidden key label, the player/game boxes.
//
// The input focus: focus(k) is the one way a slot box gets the focus. It runs
// the LostFocus rule of the box that had it and the GotFocus rule of box k,
// as the screen's focus events would; a form forwards a focus change made by
// the user (a mouse click on a box) through focus() too and then moves its own
// focus to focus_slot().
class Entry_controller
{
public:
    enum class Mode { mark, pin };

    static constexpr int picture_count = 12;  // Pct_flame(0..11)
    static constexpr int small_pin_count = 10 * picture_count;  // shp_Pin(0..119)
    static constexpr std::uint32_t grey = 0xE0E0E0;
    static constexpr std::uint32_t white = 0xFFFFFF;
    // How far the keypad not in use is moved to the right, out of view.
    static constexpr int keypad_shift_twips = 4000;

    Entry_controller(scoring::Night &night, platform::Desktop &desktop,
                     scoring::Mark_texts marks = {});

    scoring::Night &night() { return night_; }
    platform::Desktop &desktop() { return desktop_; }
    const scoring::Night &night() const { return night_; }

    // The mark texts (Spear_mark); the captions of the strike and spare
    // buttons follow them.
    void set_marks(const scoring::Mark_texts &marks) { marks_ = marks; }
    const scoring::Mark_texts &marks() const { return marks_; }

    // Load of the screen: reads main_mode of section "Form" (default "1"):
    // any value but 1 switches to pin mode when the pin keypad is available.
    // Then the marks of every sheet are reset (INIT). The window position is
    // the form's business.
    void load(const config::SettingsStore &store);
    // Unload: writes main_mode (1 mark mode, 0 pin mode) to section "Form".
    void unload(config::SettingsStore &store) const;

    // Shows the sheet of (cur_sen, cur_game): its stored texts and split
    // flags in the slot boxes, the seat, name and game boxes, the
    // calculation, and the focus on the first empty slot (passing over the
    // emptied second slot after a strike in frames 1..9), or on slot 21 when
    // the sheet is full (which hands it on to slot 0).
    void show_sheet();
    // What shows the sheet again after a refused frame-picture click: the
    // screen's New_score; show_sheet() until one is set.
    void set_New_score(std::function<void()> new_score) { new_score_ = std::move(new_score); }

    // --- mark keypad
    // Cmd_MARK(code) Click: enters the mark in cur_slot, checks it against the
    // frame and moves the input position on; an impossible ball empties the
    // slot and keeps the position, silently. Every accepted ball reruns the
    // calculation.
    void Cmd_MARK(int code);
    // The split button: toggles the split flag of cur_slot.
    void Cmd_spl();
    // The calculation button.
    void Cmd_KEISAN();
    // cmd_moveflame2(0) one ball back, (1) one ball on.
    void cmd_moveflame2(int index);
    // Pct_flame(i) Click: to the first ball of that frame picture.
    void Pct_flame_click(int index);
    // The mode switch; does nothing while Cmd_Mode is disabled. Switching to
    // pin mode sets the pin keypad up for the focused ball.
    void Cmd_Mode();

    // --- pin keypad (pin mode)
    // Pct_Pin(i) Click, pin i + 1: cycles its state 0 -> 1 -> 2 -> 0 and
    // updates the patterns of the rack; a rack without a pattern starts as
    // if every pin fell to the first ball. Frame 10 is committed at once.
    void pct_pin(int pin);
    // cmd_MDS(0) strike, (2) gutter, (3) foul, (4) miss, (5) clear; (1) does nothing.
    void cmd_MDS(int index);
    // Cmd_moveflame(0) previous frame, (1) next frame, (2) OK. In pin mode the
    // rack of the current ball is first turned into marks.
    void Cmd_moveflame(int index);
    // Paints every small diagram from the patterns of the sheet on screen.
    void paint_sheet_diagrams();
    // Small-diagram colours of the three pin states (&HBBGGRR).
    void set_pin_colours(std::uint32_t first, std::uint32_t second, std::uint32_t third);
    std::uint32_t pin_colour(int state) const;
    static QString Pct_Pin_tooltip(int pin);
    static QString cmd_MDS_caption(int index);
    static QString cmd_MDS_tooltip(int index);
    static QString Cmd_moveflame_tooltip(int index);

    // --- keys; every key is swallowed by the screen
    // A typed character (KeyPress): its code goes to Label3, and in mark mode
    // it is translated into a mark button.
    void key_press(char16_t ch);
    // A released key (KeyUp). Shift+Left / Shift+Right move by ball here; the
    // plain arrows and Page Up / Page Down come back as a move for the
    // screen's navigation. Other keys and other shift states do nothing.
    Move_request key_release(int key, Qt::KeyboardModifiers modifiers);

    // --- slot boxes
    void focus(int slot);
    // As focus(), but a slot that already has the focus gets it once more,
    // so that its GotFocus rule runs for the sheet now on screen.
    void focus_again(int slot);
    void slot_click(int slot);
    int focus_slot() const { return focus_; }

    // --- what the screen shows besides Night::screen
    Mode mode() const { return mode_; }
    QString Frame_Mode_caption() const;
    bool Cmd_Mode_enabled() const { return pin_keypad_available_; }
    // Without a pin keypad on screen the controller stays in mark mode.
    void set_pin_keypad_available(bool available) { pin_keypad_available_ = available; }
    // Horizontal offsets of the two keypads from their common place.
    int mark_keypad_shift() const { return mode_ == Mode::mark ? 0 : keypad_shift_twips; }
    int pin_keypad_shift() const { return mode_ == Mode::pin ? 0 : keypad_shift_twips; }

    QString Cmd_MARK_caption(int code) const;
    static QString Cmd_MARK_tooltip(int code);

    QString Label3() const { return label3_; }
    QString Txt_junban() const { return junban_; }
    QString Txt_SEN() const { return sen_; }
    QString Txt_GAM() const { return gam_; }

    std::uint32_t Pct_flame_colour(int picture) const;
    bool Pct_flame_enabled(int picture) const;
    void set_Pct_flame_enabled(int picture, bool enabled);
    // shp_Pin(10 * picture + n), pin n + 1 of that picture.
    std::uint32_t shp_Pin_colour(int index) const;
    void set_shp_Pin_colour(int index, std::uint32_t colour);
    // Per-pin state of the pin keypad for the rack being edited.
    const std::array<int, 10> &pin_stat() const { return pin_stat_; }

private:
    enum class Check { refuse, stay, advance, go_to };
    struct Outcome
    {
        Check check;
        int slot = 0;               // for go_to
        bool clear_target = false;  // empty the slot gone to (as Clear_Mark)
    };

    // The two balls thrown at one set of pins; second is -1 when the rack is
    // a single ball (the fresh rack of slot 20 in frame 10). fl is its picture.
    struct Rack
    {
        int first = -1;
        int second = -1;
        int fl = 0;
        bool valid() const { return first >= 0; }
    };
    Rack rack_of(int slot) const;
    std::int32_t &bits(int slot);
    void empty_slot(int slot);
    void set_up_pin_keypad(bool restore_foul);
    void ok_part();
    void commit_rack(const Rack &rack);
    void paint_keypad_pins(int picture);
    void paint_rack_diagram(int picture, std::int32_t first, std::int32_t second, bool strike);
    void finish_extension_pictures();

    Outcome check_first_ball(int code);
    Outcome check_second_ball(int s, int code);
    Outcome check_slot_18(int code);
    Outcome check_slot_19(int code);
    Outcome check_slot_20(int code);

    void got_focus(int slot);
    void lost_focus(int slot);
    void run_fl_check();
    void calculate();
    void paint_small_pins(int picture, std::uint32_t colour);
    void switch_mode();
    void sheet_again();

    scoring::Night &night_;
    platform::Desktop &desktop_;
    scoring::Mark_texts marks_;
    std::function<void()> new_score_;

    Mode mode_ = Mode::mark;
    bool pin_keypad_available_ = false;
    int focus_ = -1;  // -1 until a box first gets the focus
    QString label3_;
    QString junban_;
    QString sen_;
    QString gam_;
    std::array<std::uint32_t, picture_count> flame_colour_{};
    std::array<bool, picture_count> flame_enabled_{};
    std::array<std::uint32_t, small_pin_count> pin_colour_{};
    std::array<int, 10> pin_stat_{};
    std::array<std::uint32_t, 3> pin_colours_{0xFFFFFF, 0x10DDFF, 0x8090FF};
};

} // namespace entry
