#include "entry/form_info.h"

#include "config/settings_store.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

using namespace Qt::StringLiterals;
using entry::Form_INFO;

namespace {

const QString check_text = u"\r\n山田太郎選手の 第 1ゲームが、入力途中です。\r\n"
                           u"選手名が入っていないのに入力しているところがあります。　 2ゲーム目の第 3番目です。\r\n"
                           u"選手名未入選手の 第 2ゲームが、入力途中です。\r\n"_s;

// The check window as a child window of a main window's MDI area.
struct Info_window : ::testing::Test
{
    QTemporaryDir dir;
    config::SettingsStore store{dir.filePath(u"pinora.ini"_s)};
    QMdiArea area;
    Form_INFO *info = nullptr;
    QMdiSubWindow *sub = nullptr;

    void SetUp() override
    {
        area.resize(1000, 700);
        area.show();
    }
    void make()
    {
        info = new Form_INFO(store);
        sub = area.addSubWindow(info);
    }
    QPlainTextEdit *Txt_INFO() { return info->findChild<QPlainTextEdit *>(u"Txt_INFO"_s); }
    QString stored(const QString &key) { return store.get(u"Form"_s, key); }
};

TEST_F(Info_window, controls_and_captions)
{
    make();
    EXPECT_EQ(info->windowTitle(), u"入力情報"_s);
    QPlainTextEdit *box = Txt_INFO();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    auto *ok = info->findChild<QPushButton *>(u"Cmd_OK"_s);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), u"閉じる (&C)"_s);
    auto *off = info->findChild<QAction *>(u"menu_off"_s);
    ASSERT_NE(off, nullptr);
    EXPECT_EQ(off->text(), u"閉じる(&X)"_s);
}

TEST_F(Info_window, shows_the_check_text_line_by_line)
{
    make();
    info->show_text(check_text);
    EXPECT_TRUE(sub->isVisible());
    EXPECT_TRUE(info->is_shown());
    EXPECT_EQ(info->frame(), sub);
    EXPECT_EQ(info->text(), u"\n山田太郎選手の 第 1ゲームが、入力途中です。\n"
                            u"選手名が入っていないのに入力しているところがあります。　 2ゲーム目の第 3番目です。\n"
                            u"選手名未入選手の 第 2ゲームが、入力途中です。\n"_s);
    EXPECT_EQ(Txt_INFO()->document()->blockCount(), 5);
}

TEST_F(Info_window, Cmd_OK_and_menu_off_empty_the_text_and_hide)
{
    make();
    for (const QString &close : {u"Cmd_OK"_s, u"menu_off"_s}) {
        info->show_text(check_text);
        ASSERT_TRUE(sub->isVisible());
        if (close == u"Cmd_OK"_s)
            info->findChild<QPushButton *>(close)->click();
        else
            info->findChild<QAction *>(close)->trigger();
        EXPECT_FALSE(sub->isVisible()) << close.toStdString();
        EXPECT_TRUE(info->text().isEmpty()) << close.toStdString();
    }
    // Hidden, not gone: the next check shows it again.
    info->show_text(u"入力途中のゲームはありません。"_s);
    EXPECT_TRUE(sub->isVisible());
    EXPECT_EQ(info->text(), u"入力途中のゲームはありません。"_s);
}

struct Position_case
{
    const char *left;
    const char *top;
    QPoint pixels;
};

TEST_F(Info_window, placed_from_info_Left_and_info_Top_at_least_25_twips)
{
    const std::vector<Position_case> cases = {
        {"1500", "3000", {100, 200}},
        {nullptr, nullptr, {2, 2}}, // 25 twips
        {"0", "-300", {2, 2}},
        {"abc", "750", {2, 50}},
    };
    for (const Position_case &c : cases) {
        SCOPED_TRACE(c.left ? c.left : "missing");
        store.remove(u"Form"_s, u"info_Left"_s);
        store.remove(u"Form"_s, u"info_Top"_s);
        if (c.left) store.set(u"Form"_s, u"info_Left"_s, QString::fromLatin1(c.left));
        if (c.top) store.set(u"Form"_s, u"info_Top"_s, QString::fromLatin1(c.top));
        make();
        info->show_text(check_text);
        EXPECT_EQ(sub->pos(), c.pixels);
        delete sub;
    }
}

TEST_F(Info_window, placed_once_and_written_back_when_closed)
{
    store.set(u"Form"_s, u"info_Left"_s, u"1500"_s);
    store.set(u"Form"_s, u"info_Top"_s, u"1500"_s);
    make();
    info->show_text(check_text);
    sub->move(40, 60);
    info->close_info();
    info->show_text(check_text); // shown again where the operator left it
    EXPECT_EQ(sub->pos(), QPoint(40, 60));
    EXPECT_EQ(stored(u"info_Left"_s), u"1500"_s); // nothing written before unload
    sub->close();
    EXPECT_EQ(stored(u"info_Left"_s), u"600"_s);
    EXPECT_EQ(stored(u"info_Top"_s), u"900"_s);
}

TEST_F(Info_window, written_back_when_destroyed_with_its_frame)
{
    make();
    info->show_text(check_text);
    sub->move(30, 45);
    delete sub;
    EXPECT_EQ(stored(u"info_Left"_s), u"450"_s);
    EXPECT_EQ(stored(u"info_Top"_s), u"675"_s);
}

TEST_F(Info_window, never_shown_writes_nothing)
{
    make();
    delete sub;
    EXPECT_FALSE(store.contains(u"Form"_s, u"info_Left"_s));
}

TEST(Info_window_alone, a_window_of_its_own_closes_to_hidden_and_stores_its_place)
{
    QTemporaryDir dir;
    config::SettingsStore store{dir.filePath(u"pinora.ini"_s)};
    auto info = std::make_unique<Form_INFO>(store);
    info->show_text(check_text);
    EXPECT_EQ(info->frame(), info.get());
    EXPECT_TRUE(info->isVisible());
    info->move(150, 90);
    info->close();
    EXPECT_FALSE(info->isVisible());
    EXPECT_TRUE(info->text().isEmpty());
    EXPECT_EQ(store.get(u"Form"_s, u"info_Left"_s), u"2250"_s);
    EXPECT_EQ(store.get(u"Form"_s, u"info_Top"_s), u"1350"_s);
}

} // namespace
