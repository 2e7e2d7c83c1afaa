#pragma once

#include <QString>

#include <cstdint>

// Ball slots, mark codes and mark kinds of a score sheet.
//
// A sheet has 22 slots: frames 1..9 use slots 2f-2 and 2f-1, frame 10 uses
// slots 18, 19 and 20, and slot 21 is a parking slot that holds no ball (the
// input focus rests there once a sheet is complete; it is never scored).
namespace scoring {

inline constexpr int slot_count = 22; // slots 0..21
inline constexpr int last_ball_slot = 20; // slots 0..20 hold balls
inline constexpr int park_slot = 21;
inline constexpr int frame_count = 10;
inline constexpr int score_box_count = 12; // Txt_SCORE(0..11)

// Mark codes. A code equals the index of the mark button that enters it;
// 1..9 are that many pins. No other values occur in a sheet.
inline constexpr std::uint8_t code_gutter = 0;
inline constexpr std::uint8_t code_strike = 10;
inline constexpr std::uint8_t code_miss = 19; // second ball through
inline constexpr std::uint8_t code_spare = 20;
inline constexpr std::uint8_t code_foul = 21;
inline constexpr std::uint8_t code_empty = 30; // nothing entered

// Mark kinds, kept beside the code of each slot. A split is a first ball of
// code 1..8 whose kind is kind_split.
inline constexpr int kind_not_set = -1;
inline constexpr int kind_plain = 0;
inline constexpr int kind_foul = 1;
inline constexpr int kind_split = 2;
inline constexpr int kind_spare = 3;
inline constexpr int kind_strike = 4;

// pin_bits: bit n set = pin n + 1 still standing; this value = no pattern.
inline constexpr std::int32_t no_pattern = -1;
inline constexpr std::int32_t all_pins = 1023;

// Back colours of a slot box (&HBBGGRR): pink marks a split.
inline constexpr std::uint32_t split_back_colour = 12632319; // &HC0C0FF
inline constexpr std::uint32_t plain_back_colour = 0xFFFFFF;

// The text of an empty slot: one ideographic space "　".
QString empty_slot_text();

// True for the codes of the code table (0..10, 19, 20, 21, 30).
bool is_mark_code(int code);

} // namespace scoring
