#pragma once

#include "scoring/night.h"

#include <initializer_list>
#include <utility>

namespace scoring_test {

// A night whose sheet on screen is made from mark codes, the way mark entry
// leaves it: each code stored in the sheet and its caption in the slot box.
struct Sheet_builder
{
    scoring::Night night { 3 };
    scoring::Mark_texts marks;

    Sheet_builder() { night.INIT(); }

    scoring::Score_rec &sheet() { return night.cur_sheet(); }

    void put(int slot, int code)
    {
        sheet().mark_cd[std::size_t(slot)] = std::uint8_t(code);
        night.screen.Txt_MARK[std::size_t(slot)] = marks.caption(code);
    }

    void put(std::initializer_list<std::pair<int, int>> slots_and_codes)
    {
        for (const auto &[slot, code] : slots_and_codes)
            put(slot, code);
    }

    // Sets the split flag of slot as the split button does.
    void flag_split(int slot)
    {
        night.cur_slot = slot;
        night.Cmd_spl();
    }

    scoring::Calc_result calculate() { return night.Cmd_KEISAN(marks); }
};

} // namespace scoring_test
