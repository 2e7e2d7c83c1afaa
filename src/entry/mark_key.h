#pragma once

namespace entry {

// What a typed character means on the mark keypad.
struct Mark_key
{
    enum class Action { none, mark, split };
    Action action = Action::none;
    int code = 0;  // the mark code when action is mark

    bool operator==(const Mark_key &) const = default;
};

// "0".."9" the digit's code ("0" is the gutter), "*" strike, "-" miss,
// "/" "P" "p" spare, "F" "f" foul, "G" "g" gutter, "+" the split button;
// every other character means nothing.
Mark_key translate_mark_key(char16_t ch);

} // namespace entry
