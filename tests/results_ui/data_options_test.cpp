#include "results_ui/data_options.h"

#include "config/settings.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using results_ui::Data_options;

namespace {

struct StartCase {
    std::uint8_t data_1, data_2, data_3, data_4;
    bool general, points, rule, stsp, hcp;
    int target, calc, width;
};

class DataOptionsStart : public ::testing::TestWithParam<StartCase> {};

TEST_P(DataOptionsStart, ControlsTakeTheirStartValuesFromTheSettings)
{
    const StartCase &c = GetParam();
    config::Settings settings;
    settings.data_1 = c.data_1;
    settings.data_2 = c.data_2;
    settings.data_3 = c.data_3;
    settings.data_4 = c.data_4;
    const Data_options o(settings);
    EXPECT_EQ(o.Chk_Data(0), c.general);
    EXPECT_EQ(o.Chk_Data(1), c.points);
    EXPECT_EQ(o.Chk_rule(), c.rule);
    EXPECT_EQ(o.Chk_STSP(), c.stsp);
    EXPECT_EQ(o.Chk_HCP(), c.hcp);
    EXPECT_EQ(o.PntTarget(), c.target);
    EXPECT_EQ(o.PntCalc(), c.calc);
    EXPECT_EQ(o.width(), c.width);
    for (int i = 0; i < Data_options::pnt_count; ++i)
        EXPECT_EQ(o.Txt_Pnt(i), u"0"_s) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DataOptionsStart,
    ::testing::Values(StartCase { 0, 0, 0, 0, false, false, false, false, false, 0, 0, 5700 },
                      StartCase { 1, 1, 1, 1, true, false, true, false, false, 1, 1, 5700 },
                      StartCase { 2, 2, 2, 0, false, true, false, true, false, 2, 0, 5700 },
                      StartCase { 3, 4, 0, 2, true, true, false, false, true, 0, 2, 8600 },
                      StartCase { 3, 7, 2, 1, true, true, true, true, true, 2, 1, 5700 },
                      // Indexes outside the three buttons choose the first one.
                      StartCase { 0, 0, 5, 9, false, false, false, false, false, 0, 0, 5700 }));

TEST(DataOptions, AverageTargetCaptionFollowsTheHandicapOption)
{
    Data_options o;
    EXPECT_EQ(o.Opt_PntTarget_caption(0), u"ハンデ込み最高点"_s);
    EXPECT_EQ(o.Opt_PntTarget_caption(1), u"ハンデなし最高点"_s);
    EXPECT_EQ(o.Opt_PntTarget_caption(2), u"ハンデなし平均点"_s);
    o.set_Chk_HCP(true);
    EXPECT_EQ(o.Opt_PntTarget_caption(2), u"ハンデ込み平均点"_s);
    o.set_Chk_HCP(false);
    EXPECT_EQ(o.Opt_PntTarget_caption(2), u"ハンデなし平均点"_s);
}

TEST(DataOptions, ManualMethodWidensTheScreenAndTheCalculationNarrowsIt)
{
    Data_options o;
    EXPECT_EQ(o.width(), 5700);
    o.choose_PntCalc(2);
    EXPECT_EQ(o.width(), 8600);
    o.narrow();
    EXPECT_EQ(o.width(), 5700);
    EXPECT_EQ(o.PntCalc(), 2);
    o.choose_PntCalc(2);
    EXPECT_EQ(o.width(), 8600);
    o.choose_PntCalc(1);
    EXPECT_EQ(o.width(), 5700);
    o.choose_PntCalc(7);
    EXPECT_EQ(o.PntCalc(), 1);
}

TEST(DataOptions, PointBoxLabels)
{
    EXPECT_EQ(Data_options::Txt_Pnt_label(0), u"１着"_s);
    EXPECT_EQ(Data_options::Txt_Pnt_label(8), u"９着"_s);
    EXPECT_EQ(Data_options::Txt_Pnt_label(9), u"10着"_s);
    EXPECT_EQ(Data_options::Txt_Pnt_label(28), u"29着"_s);
    EXPECT_EQ(Data_options::Txt_Pnt_label(29), u"30着       以下"_s);
}

TEST(DataOptions, ManualPointsAreRoundedAndABoxWithoutANumberIsFound)
{
    Data_options o;
    o.set_Txt_Pnt(0, u"20"_s);
    o.set_Txt_Pnt(1, u" 12.5 "_s);
    o.set_Txt_Pnt(2, u"13.5"_s);
    o.set_Txt_Pnt(29, u"-1"_s);
    auto points = o.manual_points();
    ASSERT_TRUE(points);
    EXPECT_EQ((*points)[0], 20);
    EXPECT_EQ((*points)[1], 12); // half to even
    EXPECT_EQ((*points)[2], 14);
    EXPECT_EQ((*points)[3], 0);
    EXPECT_EQ((*points)[29], -1);
    EXPECT_EQ(o.first_bad_point(), -1);

    o.set_Txt_Pnt(4, u""_s);
    o.set_Txt_Pnt(7, u"abc"_s);
    EXPECT_FALSE(o.manual_points());
    EXPECT_EQ(o.first_bad_point(), 4);
}

} // namespace
