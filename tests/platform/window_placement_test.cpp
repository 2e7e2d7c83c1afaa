#include "platform/window_placement.h"
#include "platform/window_position_keeper.h"

#include "config/settings_store.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QTemporaryDir>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

TEST(Twips, FifteenMakeOnePixel)
{
    EXPECT_EQ(platform::twipsToPixels(25), 2);
    EXPECT_EQ(platform::twipsToPixels(1500), 100);
    EXPECT_EQ(platform::twipsToPixels(22), 1);
    EXPECT_EQ(platform::twipsToPixels(0), 0);
    EXPECT_EQ(platform::pixelsToTwips(100), 1500);
}

TEST(WindowPlacement, PlacesAndStoresThroughTheFormSection)
{
    QTemporaryDir dir;
    config::SettingsStore store(dir.filePath(u"s.ini"_s));
    QWidget parent;
    parent.resize(800, 600);
    QWidget child(&parent);

    platform::placeWindow(child, store, u"info"_s);
    EXPECT_EQ(child.pos(), QPoint(2, 2));

    store.set(u"form"_s, u"INFO_LEFT"_s, u"1500"_s);
    store.set(u"form"_s, u"info_top"_s, u"3000"_s);
    platform::placeWindow(child, store, u"info"_s);
    EXPECT_EQ(child.pos(), QPoint(100, 200));

    child.move(40, 60);
    platform::storeWindowPosition(child, store, u"info"_s);
    EXPECT_EQ(store.get(u"Form"_s, u"info_Left"_s), u"600"_s);
    EXPECT_EQ(store.get(u"Form"_s, u"info_Top"_s), u"900"_s);
}

TEST(ColourNumbers, RedIsTheLowByte)
{
    EXPECT_EQ(platform::bgrToColor(255), QColor(255, 0, 0));
    EXPECT_EQ(platform::bgrToColor(0x10DDFF), QColor(0xFF, 0xDD, 0x10));
    EXPECT_EQ(platform::colorToBgr(QColor(0xE1, 0xFF, 0xFF)), 0xFFFFE1);
    for (const int bgr : {0, 0xFFFFFF, 0x8090FF, 14811135})
        EXPECT_EQ(platform::colorToBgr(platform::bgrToColor(bgr)), bgr);
}

} // namespace

namespace {

TEST(WindowPositionKeeper, PlacesNowAndWritesBackOnClose)
{
    QTemporaryDir dir;
    config::SettingsStore store(dir.filePath(u"s.ini"_s));
    store.set(u"Form"_s, u"version_Left"_s, u"300"_s);
    store.set(u"Form"_s, u"version_Top"_s, u"10"_s);
    QWidget parent;
    auto *window = new QWidget(&parent);
    platform::WindowPositionKeeper::keep(*window, store, u"version"_s);
    EXPECT_EQ(window->pos(), QPoint(20, 2));

    window->move(10, 30);
    EXPECT_EQ(store.get(u"form"_s, u"version_left"_s), u"300"_s);
    window->close();
    EXPECT_EQ(store.get(u"form"_s, u"version_left"_s), u"150"_s);
    EXPECT_EQ(store.get(u"form"_s, u"version_top"_s), u"450"_s);
}

} // namespace
