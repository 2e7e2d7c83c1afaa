#pragma once

#include <cstdint>

namespace config {

// The identity of the match night being entered; set by match setup and
// read by score entry and results processing.
struct MatchGlobals {
    std::int32_t siai_id = 0;   // 試合ID
    std::int32_t srs_id = 0;    // シーズンID
    std::int16_t siai_no = 0;   // match number within the season (field 試合)
    std::int16_t siai_yy = 0;   // date of the night
    std::uint8_t siai_mm = 0;
    std::uint8_t siai_dd = 0;
    std::uint8_t kaijo_id = 0;  // 会場ID
};

} // namespace config
