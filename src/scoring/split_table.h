#pragma once

#include <cstdint>
#include <span>

namespace scoring {

// The standing-pin patterns that count as a split (bit n = pin n + 1): the
// head pin is down, two or more pins stand and they fall into two or more
// groups of diagonal neighbours, leaving out 24 patterns that are never
// splits (such as 2-8 and 3-9). 365 values, ascending, from 6 (2-3) to 1014.
std::span<const std::int16_t> split_patterns();

// True when pattern is one of split_patterns(); false for no_pattern (-1) and
// any other value.
bool is_split_pattern(std::int32_t pattern);

} // namespace scoring
