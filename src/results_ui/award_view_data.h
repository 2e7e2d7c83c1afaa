#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace results_ui {

// What the general award view shows after a calculation: the six award boxes
// (winner's name and figure as texts) and, for the first five awards, the
// lines of the Best 10 list (names and figures, one line each).
struct Award_view_data {
    static constexpr int award_count = 6; // Frm(0..5)
    static constexpr int best10_count = 5; // Cmd_B10(0..4)

    std::array<QString, award_count> names;
    std::array<QString, award_count> figures;
    std::array<QStringList, best10_count> best10_names;
    std::array<QStringList, best10_count> best10_figures;
};

} // namespace results_ui
