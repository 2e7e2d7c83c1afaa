#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace config {
struct Settings;
}

namespace results_ui {

// The option controls of the results screen as plain values: what each check
// box and option button holds, the texts of the point boxes, the captions
// that depend on other options and the width of the screen. Start values come
// from the settings data_1 .. data_4; nothing here is saved.
class Data_options
{
public:
    static constexpr int pnt_count = 30; // Txt_Pnt(0..29)
    static constexpr int narrow_width = 5700; // twips
    static constexpr int wide_width = 8600; // twips, the point boxes show

    Data_options() = default;
    // Chk_Data from the bits of data_1, the counting rules from the bits of
    // data_2, Opt_PntTarget from data_3 and Opt_PntCalc from data_4 (an index
    // outside 0..2 chooses the first button). Every point box starts at "0";
    // the screen opens wide when the manual method is chosen.
    explicit Data_options(const config::Settings &settings);

    bool Chk_Data(int index) const { return m_chkData.at(std::size_t(index)); }
    void set_Chk_Data(int index, bool on) { m_chkData.at(std::size_t(index)) = on; }
    bool Chk_rule() const { return m_chkRule; } // Chk_rule(0)
    void set_Chk_rule(bool on) { m_chkRule = on; }
    bool Chk_STSP() const { return m_chkStsp; }
    void set_Chk_STSP(bool on) { m_chkStsp = on; }
    bool Chk_HCP() const { return m_chkHcp; }
    void set_Chk_HCP(bool on) { m_chkHcp = on; }

    int PntTarget() const { return m_pntTarget; } // index of the chosen Opt_PntTarget
    void choose_PntTarget(int index);
    int PntCalc() const { return m_pntCalc; } // index of the chosen Opt_PntCalc
    // Choosing the manual method widens the screen so that the point boxes
    // show; the other two narrow it again.
    void choose_PntCalc(int index);

    QString Txt_Pnt(int index) const { return m_txtPnt.at(std::size_t(index)); }
    void set_Txt_Pnt(int index, const QString &text) { m_txtPnt.at(std::size_t(index)) = text; }
    // The points typed for the manual method, box by box, rounded to whole
    // numbers (half to even); nullopt when a box holds no number.
    std::optional<std::array<int, pnt_count>> manual_points() const;
    // The first point box that holds no number, or -1.
    int first_bad_point() const;

    // Screen width in twips.
    int width() const { return m_width; }
    // The calculation narrows the screen again.
    void narrow() { m_width = narrow_width; }

    // Captions.
    static QString Chk_Data_caption(int index);
    static QString Chk_rule_caption();
    static QString Chk_STSP_caption();
    static QString Chk_HCP_caption();
    // Opt_PntTarget(2) follows Chk_HCP: with the handicap or without.
    QString Opt_PntTarget_caption(int index) const;
    static QString Opt_PntCalc_caption(int index);
    // The label beside Txt_Pnt(index): "１着" .. "29着", "30着       以下".
    static QString Txt_Pnt_label(int index);

private:
    std::array<bool, 2> m_chkData {};
    bool m_chkRule = false;
    bool m_chkStsp = false;
    bool m_chkHcp = false;
    int m_pntTarget = 0;
    int m_pntCalc = 0;
    std::array<QString, pnt_count> m_txtPnt = zeros();
    int m_width = narrow_width;

    static std::array<QString, pnt_count> zeros();
};

} // namespace results_ui
