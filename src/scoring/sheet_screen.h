#pragma once

#include "scoring/mark_code.h"

#include <QString>

#include <array>
#include <cstdint>

namespace scoring {

// What the score entry screen shows of the sheet on screen, without widgets:
// the texts of the slot boxes Txt_MARK(0..21), the split flag of each box
// (its pink back colour), the texts of the score boxes Txt_SCORE(0..11) and
// the slot box that has the input focus. The calculation reads the slot
// texts from here and writes its results back; a screen shows this state.
struct Sheet_screen
{
    std::array<QString, slot_count> Txt_MARK; // "　" when the slot is empty
    std::array<bool, slot_count> split {}; // true = pink (a split)
    // Txt_SCORE[1..10] running scores, [11] handicap, [0] total with handicap.
    std::array<QString, score_box_count> Txt_SCORE;
    int focus_slot = 0; // slot box with the input focus

    Sheet_screen() { Txt_MARK.fill(empty_slot_text()); }

    std::uint32_t back_colour(int slot) const
    {
        return split.at(static_cast<std::size_t>(slot)) ? split_back_colour : plain_back_colour;
    }
};

} // namespace scoring
