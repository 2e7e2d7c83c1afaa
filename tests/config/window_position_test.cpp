#include "config/window_position.h"

#include "config/settings_store.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

struct PositionCase {
    const char16_t *left;  // nullptr: not stored
    const char16_t *top;
    config::WindowPosition expected;
};

class ReadPosition : public ::testing::TestWithParam<PositionCase> {};

TEST_P(ReadPosition, AppliesDefaultAndMinimum)
{
    QTemporaryDir dir;
    config::SettingsStore store(dir.filePath(u"s.ini"_s));
    const PositionCase &c = GetParam();
    if (c.left)
        store.set(u"form"_s, u"info_left"_s, QString::fromUtf16(c.left));
    if (c.top)
        store.set(u"form"_s, u"INFO_TOP"_s, QString::fromUtf16(c.top));
    EXPECT_EQ(config::readPosition(store, u"info"_s), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Values, ReadPosition, ::testing::Values(
    PositionCase{nullptr, nullptr, {25, 25}},
    PositionCase{u"300", u"450", {300, 450}},
    PositionCase{u"10", u"-5", {25, 25}},
    PositionCase{u"25", u"24.9", {25, 25}},
    PositionCase{u"300.6", u"1e3", {301, 1000}},
    PositionCase{u"abc", u"", {25, 25}}));

TEST(WritePosition, IsReadBackUnderTheSameKeys)
{
    QTemporaryDir dir;
    config::SettingsStore store(dir.filePath(u"s.ini"_s));
    config::writePosition(store, u"start"_s, {1200, 3000});
    EXPECT_EQ(store.get(u"Form"_s, u"start_Left"_s), u"1200"_s);
    EXPECT_EQ(store.get(u"Form"_s, u"start_Top"_s), u"3000"_s);
    EXPECT_EQ(config::readPosition(store, u"START"_s), (config::WindowPosition{1200, 3000}));
}

} // namespace

namespace {

TEST(Extent, StoredOrDefault)
{
    QTemporaryDir dir;
    config::SettingsStore store(dir.filePath(u"s.ini"_s));
    EXPECT_EQ(config::readExtent(store, u"sei_height"_s, 6650), 6650);
    config::writeExtent(store, u"SEI_HEIGHT"_s, 4000);
    EXPECT_EQ(store.get(u"Form"_s, u"sei_height"_s), u"4000"_s);
    EXPECT_EQ(config::readExtent(store, u"sei_Height"_s, 6650), 4000);
    store.set(u"form"_s, u"score_width"_s, u"wide"_s);
    EXPECT_EQ(config::readExtent(store, u"score_width"_s, 9400), 9400);
}

} // namespace
