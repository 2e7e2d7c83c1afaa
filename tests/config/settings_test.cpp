#include "config/settings.h"

#include "config/settings_store.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() : store(dir.filePath(u"Pinora32.ini"_s)) {}

    static config::IdList ids(std::vector<std::int64_t> list, int *calls = nullptr)
    {
        return [list, calls]() -> std::optional<std::vector<std::int64_t>> {
            if (calls)
                ++*calls;
            return list;
        };
    }

    QTemporaryDir dir;
    config::SettingsStore store;
    config::Settings s;
};

TEST_F(SettingsTest, EmptyStoreGivesEveryDefault)
{
    s.load(store);
    EXPECT_EQ(s.Left, 25.0f);
    EXPECT_EQ(s.Top, 25.0f);
    EXPECT_EQ(s.width, 9999.0f);
    EXPECT_EQ(s.height, 5555.0f);
    EXPECT_EQ(s.max_game, 3);
    EXPECT_EQ(s.hcp_mynas, 0);
    EXPECT_EQ(s.data_1 + s.data_2 + s.data_3 + s.data_4, 0);
    EXPECT_EQ(s.srs_max, 1);
    EXPECT_EQ(s.srs_min, 1);
    EXPECT_EQ(s.siai_max, 1);
    EXPECT_EQ(s.siai_min, 1);
    const QString marks[] = {u"1s"_s, u"2s"_s, u"3s"_s, u"4s"_s, u"5s"_s, u"6s"_s, u"7s"_s, u"8s"_s,
                             u"／"_s, u"＊"_s};
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(s.Spear_mark[static_cast<std::size_t>(i)], marks[i - 1]) << i;
    for (const QString *c : {&s.clr_back, &s.clr_syo_back, &s.clr_ave_back, &s.clr_all_back})
        EXPECT_EQ(*c, u"14811135"_s);
    for (const QString *c : {&s.clr_fore, &s.clr_syo_fore, &s.clr_ave_fore, &s.clr_all_fore})
        EXPECT_EQ(*c, u"0"_s);
    EXPECT_EQ(s.pin1_name, u"pin1.jpg"_s);
    EXPECT_EQ(s.pin2_name, u"pin2.jpg"_s);
    EXPECT_EQ(s.pin3_name, u"pin3.jpg"_s);
    EXPECT_EQ(s.pin1_color, 0xFFFFFF);
    EXPECT_EQ(s.pin2_color, 0x10DDFF);
    EXPECT_EQ(s.pin3_color, 0x8090FF);
    EXPECT_EQ(s.brw, u"xdg-open"_s);
}

TEST_F(SettingsTest, StoredValuesAreReadWhateverTheCaseOfTheirNames)
{
    store.set(u"SETTING"_s, u"MAX_GAME"_s, u"5"_s);
    store.set(u"setting"_s, u"data_2"_s, u"7"_s);
    store.set(u"Setting"_s, u"spear_mark9"_s, u"/"_s);
    store.set(u"html_color"_s, u"Syo_Back"_s, u"255"_s);
    store.set(u"PIN"_s, u"pin2_Color"_s, u"65280"_s);
    store.set(u"pin"_s, u"pin3_name"_s, u"/tmp/x.bmp"_s);
    store.set(u"Setting"_s, u"Left"_s, u"1200.5"_s);
    s.load(store);
    EXPECT_EQ(s.max_game, 5);
    EXPECT_EQ(s.data_2, 7);
    EXPECT_EQ(s.Spear_mark[9], u"/"_s);
    EXPECT_EQ(s.clr_syo_back, u"255"_s);
    EXPECT_EQ(s.pin2_color, 65280);
    EXPECT_EQ(s.pin3_name, u"/tmp/x.bmp"_s);
    EXPECT_EQ(s.Left, 1200.5f);
}

TEST_F(SettingsTest, UnconvertibleValueLeavesTheMemberAsItWas)
{
    s.max_game = 7;
    s.hcp_mynas = 1;
    s.data_1 = 2;
    s.siai_max = 40;
    s.pin1_color = 123;
    s.width = 8000;
    store.set(u"Setting"_s, u"max_game"_s, u"four"_s);
    store.set(u"Setting"_s, u"hcp_mynas"_s, u"300"_s);   // beyond a Byte
    store.set(u"Setting"_s, u"data_1"_s, u""_s);
    store.set(u"Setting"_s, u"siai_max"_s, u"99999999999"_s);
    store.set(u"pin"_s, u"pin1_color"_s, u"&hzz"_s);
    store.set(u"Setting"_s, u"width"_s, u"wide"_s);
    s.load(store);
    EXPECT_EQ(s.max_game, 7);
    EXPECT_EQ(s.hcp_mynas, 1);
    EXPECT_EQ(s.data_1, 2);
    EXPECT_EQ(s.siai_max, 40);
    EXPECT_EQ(s.pin1_color, 123);
    EXPECT_EQ(s.width, 8000.0f);
}

TEST_F(SettingsTest, RangeOfOneIsScannedFromTheDatabase)
{
    s.load(store, {ids({3, 1, 7, 2}), ids({12, 40, 5})});
    EXPECT_EQ(s.srs_max, 7);
    EXPECT_EQ(s.srs_min, 1);
    EXPECT_EQ(s.siai_max, 40);
    EXPECT_EQ(s.siai_min, 1);
}

TEST_F(SettingsTest, MinimumIsOnlyLoweredByTheScan)
{
    store.set(u"Setting"_s, u"srs_min"_s, u"5"_s);
    s.load(store, {ids({3, 8}), {}});
    EXPECT_EQ(s.srs_max, 8);
    EXPECT_EQ(s.srs_min, 3);
}

TEST_F(SettingsTest, StoredRangeOtherThanOneIsUsedUnscanned)
{
    store.set(u"Setting"_s, u"srs_max"_s, u"4"_s);
    store.set(u"Setting"_s, u"siai_max"_s, u"30"_s);
    int seasonCalls = 0;
    int matchCalls = 0;
    s.load(store, {ids({9}, &seasonCalls), ids({99}, &matchCalls)});
    EXPECT_EQ(s.srs_max, 4);
    EXPECT_EQ(s.siai_max, 30);
    EXPECT_EQ(seasonCalls, 0);
    EXPECT_EQ(matchCalls, 0);
}

TEST_F(SettingsTest, EmptyOrUnreadableTableLeavesTheRangeAtOne)
{
    config::IdList failing = []() -> std::optional<std::vector<std::int64_t>> {
        throw std::runtime_error("no such table: 試合");
    };
    config::IdList missing = []() -> std::optional<std::vector<std::int64_t>> { return std::nullopt; };
    s.load(store, {ids({}), failing});
    EXPECT_EQ(s.srs_max, 1);
    EXPECT_EQ(s.srs_min, 1);
    EXPECT_EQ(s.siai_max, 1);
    s.load(store, {missing, missing});
    EXPECT_EQ(s.srs_max, 1);
    EXPECT_EQ(s.siai_min, 1);
}

TEST_F(SettingsTest, ScanSkipsIdsBeyondTheSeasonType)
{
    s.load(store, {ids({40000, 12}), ids({3000000000LL, 8})});
    EXPECT_EQ(s.srs_max, 12);
    EXPECT_EQ(s.siai_max, 8);
}

TEST_F(SettingsTest, ShutdownWritesGeometryAndRanges)
{
    s.Top = 300;
    s.Left = 450.5f;
    s.width = 17280;
    s.height = 12960;
    s.srs_max = 6;
    s.srs_min = 2;
    s.siai_max = 120;
    s.siai_min = 3;
    s.saveShutdown(store);
    EXPECT_EQ(store.get(u"setting"_s, u"top"_s), u"300"_s);
    EXPECT_EQ(store.get(u"setting"_s, u"left"_s), u"450.5"_s);
    EXPECT_EQ(store.get(u"setting"_s, u"width"_s), u"17280"_s);
    EXPECT_EQ(store.get(u"setting"_s, u"height"_s), u"12960"_s);
    EXPECT_EQ(store.get(u"setting"_s, u"srs_max"_s), u"6"_s);
    EXPECT_EQ(store.get(u"setting"_s, u"srs_min"_s), u"2"_s);
    EXPECT_EQ(store.get(u"setting"_s, u"siai_max"_s), u"120"_s);
    EXPECT_EQ(store.get(u"setting"_s, u"siai_min"_s), u"3"_s);
}

TEST_F(SettingsTest, SavedOptionsAndColoursLoadAgain)
{
    s.max_game = 4;
    s.hcp_mynas = 1;
    s.data_1 = 3;
    s.data_2 = 7;
    s.data_3 = 2;
    s.data_4 = 1;
    s.Spear_mark[1] = u"Ｓ"_s;
    s.Spear_mark[10] = u"X"_s;
    s.pin1_name = u"a.bmp"_s;
    s.pin3_color = 0x123456;
    s.brw = u"/usr/bin/firefox"_s;
    s.clr_back = u"255"_s;
    s.clr_all_fore = u"65280"_s;
    s.saveOptions(store);
    s.saveHtmlColors(store);
    EXPECT_EQ(store.get(u"pin"_s, u"pin3_color"_s), QString::number(0x123456));
    EXPECT_EQ(store.get(u"Setting"_s, u"max_game"_s), u"4"_s);

    config::Settings loaded;
    loaded.load(store);
    EXPECT_EQ(loaded.max_game, 4);
    EXPECT_EQ(loaded.hcp_mynas, 1);
    EXPECT_EQ(loaded.data_1, 3);
    EXPECT_EQ(loaded.data_2, 7);
    EXPECT_EQ(loaded.data_3, 2);
    EXPECT_EQ(loaded.data_4, 1);
    EXPECT_EQ(loaded.Spear_mark, s.Spear_mark);
    EXPECT_EQ(loaded.pin1_name, u"a.bmp"_s);
    EXPECT_EQ(loaded.pin3_color, 0x123456);
    EXPECT_EQ(loaded.brw, u"/usr/bin/firefox"_s);
    EXPECT_EQ(loaded.clr_back, u"255"_s);
    EXPECT_EQ(loaded.clr_all_fore, u"65280"_s);
    EXPECT_EQ(loaded.clr_fore, u"0"_s);
}

TEST(WindowSize, NotStoredSizeBecomesNinetyPercentOfTheScreen)
{
    config::Settings s;
    EXPECT_FLOAT_EQ(s.windowWidth(19200), 17280);
    EXPECT_FLOAT_EQ(s.windowHeight(16200), 14580);
    s.width = 9998;
    s.height = 5556;
    EXPECT_FLOAT_EQ(s.windowWidth(19200), 9998);
    EXPECT_FLOAT_EQ(s.windowHeight(16200), 5556);
}

} // namespace
