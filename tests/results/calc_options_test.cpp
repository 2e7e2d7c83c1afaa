#include "results/calc_options.h"

#include "config/settings.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace results;

namespace {

TEST(CalcOptions, StartValuesFromTheSettings)
{
    config::Settings s;
    s.data_1 = 2;
    s.data_2 = 5;
    s.data_3 = 2;
    s.data_4 = 1;
    Calc_options o = Calc_options::from_settings(s);
    EXPECT_FALSE(o.Chk_Data[0]);
    EXPECT_TRUE(o.Chk_Data[1]);
    EXPECT_TRUE(o.Chk_rule[0]);
    EXPECT_FALSE(o.Chk_STSP);
    EXPECT_TRUE(o.Chk_HCP);
    EXPECT_EQ(o.Opt_PntTarget, target_average);
    EXPECT_EQ(o.Opt_PntCalc, calc_linear);
    for (const QString &box : o.Txt_Pnt)
        EXPECT_EQ(box, u"0"_s);

    s.data_1 = 1;
    s.data_2 = 2;
    s.data_3 = 7; // no such option
    s.data_4 = 3;
    o = Calc_options::from_settings(s);
    EXPECT_TRUE(o.Chk_Data[0]);
    EXPECT_FALSE(o.Chk_Data[1]);
    EXPECT_FALSE(o.Chk_rule[0]);
    EXPECT_TRUE(o.Chk_STSP);
    EXPECT_FALSE(o.Chk_HCP);
    EXPECT_EQ(o.Opt_PntTarget, target_hcp_high);
    EXPECT_EQ(o.Opt_PntCalc, calc_upper_weighted);
}

TEST(CalcOptions, Captions)
{
    EXPECT_EQ(pnt_target_caption(0, false), u"ハンデ込み最高点"_s);
    EXPECT_EQ(pnt_target_caption(1, true), u"ハンデなし最高点"_s);
    EXPECT_EQ(pnt_target_caption(2, false), u"ハンデなし平均点"_s);
    EXPECT_EQ(pnt_target_caption(2, true), u"ハンデ込み平均点"_s);
    EXPECT_EQ(pnt_calc_caption(0), u"上位加重（ＫＬＶ方式）"_s);
    EXPECT_EQ(pnt_calc_caption(1), u"リニア (人数-順位+1)"_s);
    EXPECT_EQ(pnt_calc_caption(2), u"この場で入力する"_s);
    EXPECT_EQ(point_box_label(0), u"１着"_s);
    EXPECT_EQ(point_box_label(8), u"９着"_s);
    EXPECT_EQ(point_box_label(9), u"10着"_s);
    EXPECT_EQ(point_box_label(28), u"29着"_s);
    EXPECT_EQ(point_box_label(29), u"30着       以下"_s);
    EXPECT_EQ(point_box_label(30), QString());
}

} // namespace
