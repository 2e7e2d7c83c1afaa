#pragma once

#include <QString>

namespace results {

// The night's placing text of a place: "１着" .. "９着" (full-width digit) for
// places 1..9; from 10 on the place number followed by "着", cut to its last
// three characters ("12着").
QString placing_text(int place);

// Win points of the upper-weighted method (上位加重) for place r among n
// players: 1st n + 9, 2nd n + 4, 3rd n + 1, then n - 2r + 1, never below 0;
// with fewer than 6 players every place from 3rd on gets 0, with 3 or fewer
// every place from 2nd on.
int upper_weighted_points(int n, int r);

// Win points of the linear method: n - r + 1.
int linear_points(int n, int r);

} // namespace results
