#include "entry/entry_install.h"
#include "entry/form_main.h"

#include "config/settings_store.h"
#include "platform/scripted_desktop.h"
#include "scoring/night.h"
#include "shell/application.h"
#include "shell/form_menu.h"
#include "shell/form_start.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The program started in a temporary folder, with a night of two players.
class OpenEntry : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        QDir(tmp.path()).mkpath(u"exe"_s);
        shell::StartOptions options;
        options.exeDir = QDir(tmp.path()).filePath(u"exe"_s);
        options.userDataDir = QDir(tmp.path()).filePath(u"data/Pinora32"_s);
        options.settingsFile = QDir(tmp.path()).filePath(u"Pinora32.ini"_s);
        app = std::make_unique<shell::Application>(desktop, options);
        ASSERT_EQ(app->start(), shell::Application::StartResult::Started);
        scoring::Night &night = *app->context().night;
        night.recreate(3);
        night.resize_seats(5);
        for (int seat : {0, 1}) {
            night.sen_id[seat] = seat + 10;
            night.sen_name[seat] = seat == 0 ? u"山田太郎"_s : u"鈴木一郎"_s;
            for (int g = 0; g <= 3; ++g)
                night.score_tbl(seat, g).set_sen_name(night.sen_name[seat]);
        }
        for (int seat = 2; seat <= 5; ++seat)
            night.sen_name[seat] = u"選手名未入力"_s;
        app->context().match.kaijo_id = 4;
        app->context().match.siai_yy = 2026;
        app->context().match.siai_mm = 12;
        app->context().match.siai_dd = 11;
    }
    void TearDown() override
    {
        app.reset();
        QDir::setCurrent(QDir::tempPath());
    }
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    QMdiSubWindow *frame() { return app->mainWindow()->findChildWindow(u"form_main"_s); }
    template<class T = QLineEdit>
    static T *child(entry::form_main *form, const QString &name)
    {
        T *w = form->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    QTemporaryDir tmp;
    platform::ScriptedDesktop desktop;
    std::unique_ptr<shell::Application> app;
};

TEST_F(OpenEntry, opens_one_screen_in_the_main_window_showing_the_first_sheet)
{
    entry::form_main *form = entry::openEntry(app->context());
    ASSERT_NE(form, nullptr);
    ASSERT_NE(frame(), nullptr);
    EXPECT_EQ(frame()->widget(), form);
    EXPECT_TRUE(frame()->isVisible());
    EXPECT_EQ(child(form, u"Txt_SEN"_s)->text(), u"山田太郎"_s);
    EXPECT_EQ(child(form, u"Txt_GAM"_s)->text(), u"1"_s);
    // The match globals went into the sheet shown.
    const scoring::Score_rec &sheet = app->context().night->score_tbl(0, 0);
    EXPECT_EQ(sheet.kaijo_id, 4);
    EXPECT_EQ(sheet.yy, 2026);
    EXPECT_EQ(sheet.dd, 11);
    EXPECT_EQ(entry::openEntry(app->context()), form);
    int frames = 0;
    for (QMdiSubWindow *w : app->mainWindow()->mdiArea()->subWindowList())
        frames += w->widget() && w->widget()->objectName() == u"form_main"_s;
    EXPECT_EQ(frames, 1);
}

TEST_F(OpenEntry, each_display_of_a_sheet_is_signalled_with_its_seat_and_game)
{
    entry::form_main *form = entry::openEntry(app->context());
    std::vector<std::pair<int, int>> shown;
    QObject::connect(form, &entry::form_main::sheet_shown, [&](int sen, int game) { shown.emplace_back(sen, game); });
    form->navigation().Pct_moveSEN(1);
    form->navigation().Pct_moveGAM(1);
    const std::vector<std::pair<int, int>> want = {{1, 0}, {1, 1}};
    EXPECT_EQ(shown, want);
}

TEST_F(OpenEntry, abandoning_the_night_closes_the_screen_and_shows_the_main_menu)
{
    entry::form_main *form = entry::openEntry(app->context());
    bool abandoned = false;
    QObject::connect(form, &entry::form_main::abandoned, [&] { abandoned = true; });
    app->mainMenu()->frame()->hide();
    desktop.answerNext(platform::Answer::Cancel);
    child<QPushButton>(form, u"Cmd_CAN(1)"_s)->click();
    EXPECT_FALSE(abandoned);
    ASSERT_NE(frame(), nullptr);
    desktop.answerNext(platform::Answer::Ok);
    child<QPushButton>(form, u"Cmd_CAN(1)"_s)->click();
    EXPECT_TRUE(abandoned);
    flushDeletes();
    EXPECT_EQ(frame(), nullptr);
    EXPECT_TRUE(app->mainMenu()->frame()->isVisible());
    const auto &m = desktop.messages().back().message;
    EXPECT_EQ(m.text, u"入力したデータを全て消し、メニューに戻ります。\rよろしいですか？"_s);
    EXPECT_EQ(m.buttons, platform::Buttons::OkCancel);
    EXPECT_EQ(m.defaultButton, 1);
    EXPECT_TRUE(m.systemModal);
    // Closing wrote the position and the input mode.
    EXPECT_TRUE(app->context().store.contains(u"Form"_s, u"main_left"_s));
    EXPECT_EQ(app->context().store.get(u"Form"_s, u"main_mode"_s), u"1"_s);
}

TEST_F(OpenEntry, a_stored_pin_mode_opens_the_screen_in_pin_mode)
{
    app->context().store.set(u"Form"_s, u"main_mode"_s, u"0"_s);
    entry::form_main *form = entry::openEntry(app->context());
    EXPECT_EQ(form->controller().mode(), entry::Entry_controller::Mode::pin);
}

} // namespace
