#include "sheet_builder.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace scoring;
using scoring_test::Sheet_builder;

namespace {

constexpr int X = code_strike, SP = code_spare, E = code_empty;

struct Fl_case
{
    const char *name;
    int cd18;
    int cd19;
    int slot;
    int fl;
    Fl_status status;
    int slot_after;
};

class FlCheck : public ::testing::TestWithParam<Fl_case>
{
};

TEST_P(FlCheck, PictureOfSlot)
{
    const auto &c = GetParam();
    Sheet_builder b;
    b.put({ { 18, c.cd18 }, { 19, c.cd19 } });
    b.night.fl = 7;
    b.night.cur_slot = c.slot;
    b.night.next_slot = c.slot;
    EXPECT_EQ(b.night.fl_check(), c.status);
    EXPECT_EQ(b.night.fl, c.fl);
    EXPECT_EQ(b.night.cur_slot, c.slot_after);
    if (c.status == Fl_status::focus_back) {
        EXPECT_EQ(b.night.screen.focus_slot, 18);
        EXPECT_EQ(b.night.next_slot, 18);
    }
}

INSTANTIATE_TEST_SUITE_P(Slots, FlCheck,
    ::testing::Values(Fl_case { "Slot0", E, E, 0, 0, Fl_status::ok, 0 },
        Fl_case { "Slot3", E, E, 3, 1, Fl_status::ok, 3 },
        Fl_case { "Slot17", E, E, 17, 8, Fl_status::ok, 17 },
        Fl_case { "Slot18", X, X, 18, 9, Fl_status::ok, 18 },
        Fl_case { "Slot19AfterStrike", X, 4, 19, 10, Fl_status::ok, 19 },
        Fl_case { "Slot19NoStrike", 6, 3, 19, 9, Fl_status::ok, 19 },
        Fl_case { "Slot19Empty", E, E, 19, 9, Fl_status::ok, 19 },
        Fl_case { "Slot20TwoStrikes", X, X, 20, 11, Fl_status::ok, 20 },
        Fl_case { "Slot20StrikeThenCount", X, 7, 20, 10, Fl_status::ok, 20 },
        Fl_case { "Slot20AfterSpare", 6, SP, 20, 10, Fl_status::ok, 20 },
        Fl_case { "Slot20OpenFrame", 6, 3, 20, 9, Fl_status::focus_back, 18 },
        Fl_case { "Slot20Empty", E, E, 20, 9, Fl_status::focus_back, 18 },
        Fl_case { "Slot21", X, X, 21, 7, Fl_status::ok, 21 },
        Fl_case { "Slot22", E, E, 22, 7, Fl_status::error, 22 },
        Fl_case { "SlotMinus1", E, E, -1, 7, Fl_status::error, -1 }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FlCheckError, MessageText)
{
    EXPECT_EQ(Night::fl_check_error_text(), u"Function fl_check  error 2"_s);
}

} // namespace
