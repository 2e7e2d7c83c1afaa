#pragma once

#include <QString>

#include <array>

namespace config {
struct Settings;
}

namespace results {

// Opt_PntTarget: what the night's placing (入賞, 優Ｐ) is based on.
enum Pnt_target : int {
    target_hcp_high = 0, // "ハンデ込み最高点": top_rank
    target_scratch_high = 1, // "ハンデなし最高点": hig_rank
    target_average = 2, // "ハンデなし平均点" / "ハンデ込み平均点": ave_rank
};

// Opt_PntCalc: how win points are computed.
enum Pnt_calc : int {
    calc_upper_weighted = 0, // "上位加重（ＫＬＶ方式）"
    calc_linear = 1, // "リニア (人数-順位+1)"
    calc_manual = 2, // "この場で入力する": Txt_Pnt(0..29)
};

inline constexpr int point_box_count = 30; // Txt_Pnt(0..29)

// The options of the results screen that the calculation reads. The screen
// keeps its controls in step with these members (same names as the controls).
struct Calc_options
{
    std::array<bool, 2> Chk_Data {}; // (0) show the general award view, (1) the point view
    std::array<bool, 1> Chk_rule {}; // (0) a missed spare after a split is not counted in SPF
    bool Chk_STSP = false; // strike and spare awards by per-game average
    bool Chk_HCP = false; // average and booby prizes with handicap
    int Opt_PntTarget = target_hcp_high; // Pnt_target
    int Opt_PntCalc = calc_upper_weighted; // Pnt_calc
    // Txt_Pnt(i): points of place i + 1 for the manual method, as typed; box
    // 29 serves place 30 and below. Each box starts at "0".
    std::array<QString, point_box_count> Txt_Pnt = zero_points();

    // The start values of the screen: Chk_Data from bits 0 and 1 of data_1,
    // Chk_rule(0), Chk_STSP, Chk_HCP from bits 0, 1, 2 of data_2,
    // Opt_PntTarget = data_3, Opt_PntCalc = data_4 (a value outside 0..2
    // gives 0), every Txt_Pnt "0".
    static Calc_options from_settings(const config::Settings &settings);

    static std::array<QString, point_box_count> zero_points();
};

// Caption of Opt_PntTarget(index): (0) "ハンデ込み最高点", (1) "ハンデなし最高点",
// (2) "ハンデ込み平均点" when Chk_HCP is set, else "ハンデなし平均点".
QString pnt_target_caption(int index, bool Chk_HCP);

// Caption of Opt_PntCalc(index) (0..2).
QString pnt_calc_caption(int index);

// Label of point box Txt_Pnt(i): "１着" .. "９着", "10着" .. "29着", and
// "30着       以下" for box 29.
QString point_box_label(int i);

// The number in a point box, rounded to a whole number (halves away from
// zero). Blanks around it are ignored and full-width digits and signs read
// as their ASCII forms. False when the text is not a number or does not fit
// in the 16-bit 優Ｐ field.
bool point_box_value(const QString &text, int &value);

} // namespace results
