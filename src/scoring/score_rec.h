#pragma once

#include "scoring/mark_code.h"

#include <QString>

#include <array>
#include <cstdint>

namespace scoring {

// One player's score sheet for one game. A freshly made sheet is empty in the
// table's sense: all numbers 0, all texts empty (so every code reads 0 until
// reset_marks() runs, as INIT does when score entry opens).
struct Score_rec
{
    static constexpr int name_length = 10;

    QString sen_name; // fixed length, see set_sen_name
    std::array<QString, slot_count> mark_txt {}; // text shown in each slot
    std::array<std::uint8_t, slot_count> mark_cd {}; // mark code of each slot
    std::array<std::uint8_t, slot_count> pin_cnt {}; // pins of each ball, by the calculation
    // fl_score[1..10]: running score after frames 1..10 (fl_score[10] is the
    // game without handicap); fl_score[0]: the game with handicap.
    std::array<int, 11> fl_score {};
    int hcp = 0;
    std::array<int, slot_count> mark_kind {}; // kind_* of each slot
    int kaijo_id = 0; // venue of the match night
    int yy = 0; // match date
    std::uint8_t mm = 0;
    std::uint8_t dd = 0;
    // Pins standing after each ball (bit n = pin n + 1); no_pattern = none recorded.
    std::array<std::int32_t, slot_count> pin_bits {};

    // The player's name as a fixed-length text: cut or blank-padded to 10 characters.
    void set_sen_name(const QString &name);
    static QString fixed_name(const QString &name);

    // Empties every slot 0..21 (text "　", code 30, kind not set, 0 pins, no
    // pattern) and sets fl_score 0..10 to 0. Name, handicap, venue and date stay.
    void reset_marks();

    bool operator==(const Score_rec &) const = default;
};

} // namespace scoring
