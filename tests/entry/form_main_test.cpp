#include "entry/form_main.h"

#include "config/settings_store.h"
#include "platform/scripted_desktop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace scoring;

namespace {

struct Form : ::testing::Test
{
    Night night{3};
    platform::ScriptedDesktop desktop;
    QTemporaryDir dir;
    config::SettingsStore store{dir.filePath(u"pinora.ini"_s)};
    entry::form_main form{night, desktop};

    void SetUp() override
    {
        night.resize_seats(5);
        night.sen_id[0] = 3;
        night.sen_name[0] = u"佐藤花子"_s;
        night.cur_sheet().hcp = 12;
        form.load(store);
        form.show();
        form.activateWindow();
        form.show_sheet();
    }
    template<class T = QLineEdit>
    T *control(const QString &name)
    {
        auto *w = form.findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QString score(int i) { return control(u"Txt_SCORE(%1)"_s.arg(i))->text(); }
    QString mark(int k) { return control(u"Txt_MARK(%1)"_s.arg(k))->text(); }
    // Types into whatever has the focus, as the keyboard would.
    void type(const QString &keys)
    {
        for (QChar ch : keys) {
            QWidget *target = form.focusWidget() ? form.focusWidget() : &form;
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(target, &press);
            target = form.focusWidget() ? form.focusWidget() : &form;
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(target, &release);
        }
    }
    void key_up(int key, Qt::KeyboardModifiers mods)
    {
        QKeyEvent release(QEvent::KeyRelease, key, mods);
        QApplication::sendEvent(&form, &release);
    }
};

TEST_F(Form, a_game_of_nine_and_a_miss_in_every_frame_scores_90)
{
    type(u"9-9-9-9-9-9-9-9-9-9-"_s);
    EXPECT_EQ(score(10), u"90"_s);
    EXPECT_EQ(score(11), u"12"_s);
    EXPECT_EQ(score(0), u"102"_s);
    EXPECT_EQ(mark(0), u"９"_s);
    EXPECT_EQ(mark(1), u"－"_s);
    EXPECT_EQ(mark(20), empty_slot_text());
}

TEST_F(Form, twelve_strikes_score_300)
{
    type(u"************"_s);
    EXPECT_EQ(score(1), u"30"_s);
    EXPECT_EQ(score(5), u"150"_s);
    EXPECT_EQ(score(10), u"300"_s);
    EXPECT_EQ(mark(0), u"＊"_s);
    EXPECT_EQ(mark(1), empty_slot_text());
    EXPECT_EQ(mark(20), u"＊"_s);
}

TEST_F(Form, a_mixed_game_typed_with_spares_fouls_and_a_bonus_ball)
{
    // X | 7/ | 9- | F9 | 0/ | X | X | 81 | 5/ | X 7 /  = 20 39 48 57 77 105 124 133 153 173
    type(u"*7/9-f9g/**815/*7/"_s);
    const QStringList running = {u"20"_s, u"39"_s, u"48"_s, u"57"_s, u"77"_s,
                                 u"105"_s, u"124"_s, u"133"_s, u"153"_s, u"173"_s};
    for (int f = 1; f <= 10; ++f)
        EXPECT_EQ(score(f), running.at(f - 1)) << "frame " << f;
    EXPECT_EQ(mark(6), u"Ｆ"_s);
}

TEST_F(Form, keys_are_swallowed_and_their_code_goes_to_label3)
{
    type(u"7"_s);
    type(u"a"_s);
    EXPECT_EQ(control<QLabel>(u"Label3"_s)->text(), u"97"_s);
    EXPECT_EQ(mark(1), empty_slot_text());  // nothing typed into the box
    type(u"3"_s);                           // 7 and 3: the spare mark is needed
    EXPECT_EQ(mark(1), empty_slot_text());
    EXPECT_EQ(form.focusWidget()->objectName(), u"Txt_MARK(1)"_s);
}

TEST_F(Form, shift_arrows_move_the_focus_by_ball_and_plain_arrows_ask_to_move)
{
    int sen = -1, gam = -1;
    QObject::connect(&form, &entry::form_main::Pct_moveSEN, [&](int i) { sen = i; });
    QObject::connect(&form, &entry::form_main::Pct_moveGAM, [&](int i) { gam = i; });
    key_up(Qt::Key_Right, Qt::ShiftModifier);
    key_up(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(form.focusWidget()->objectName(), u"Txt_MARK(2)"_s);
    key_up(Qt::Key_Down, Qt::NoModifier);
    key_up(Qt::Key_PageUp, Qt::NoModifier);
    EXPECT_EQ(sen, 1);
    EXPECT_EQ(gam, 1);
}

TEST_F(Form, keypad_buttons_enter_marks_and_the_slot_keeps_the_focus)
{
    control<QPushButton>(u"Cmd_MARK(8)"_s)->click();
    control<QPushButton>(u"Cmd_MARK(20)"_s)->click();
    EXPECT_EQ(mark(0), u"８"_s);
    EXPECT_EQ(mark(1), u"／"_s);
    EXPECT_EQ(form.focusWidget()->objectName(), u"Txt_MARK(2)"_s);
    EXPECT_EQ(control<QPushButton>(u"Cmd_MARK(10)"_s)->text(), u"＊"_s);
    EXPECT_EQ(control<QPushButton>(u"Cmd_MARK(0)"_s)->toolTip(), u"ガター (G or 0)"_s);
    EXPECT_EQ(control<QPushButton>(u"Cmd_spl"_s)->toolTip(), u"スプリット (+)"_s);
    EXPECT_FALSE(control<QPushButton>(u"Cmd_MARK(30)"_s)->isVisible());
    EXPECT_FALSE(control<QPushButton>(u"Cmd_Mode"_s)->isEnabled());
    EXPECT_EQ(control<QGroupBox>(u"Frame_Mode"_s)->title(), u"マーク入力"_s);
    EXPECT_EQ(form.windowTitle(), u"スコア入力"_s);
}

TEST_F(Form, closing_writes_the_mode_and_position)
{
    form.close();
    EXPECT_EQ(store.get(u"Form"_s, u"main_mode"_s), u"1"_s);
    EXPECT_TRUE(store.contains(u"form"_s, u"main_left"_s));
}

} // namespace

namespace {

// Run by hand to look at the screen: shows a sheet half way through a game
// and keeps the window up for PINORA_SHOW_MS milliseconds (default 3000).
TEST_F(Form, DISABLED_show_a_game_in_progress)
{
    type(u"*7/9-f9g/**8"_s);
    form.controller().focus(14);
    form.controller().Cmd_spl();  // the 8 left the 7-10
    form.controller().Cmd_KEISAN();
    form.controller().focus(15);
    form.refresh();
    form.raise();
    bool ok = false;
    int ms = qEnvironmentVariableIntValue("PINORA_SHOW_MS", &ok);
    QTimer::singleShot(ok ? ms : 3000, qApp, &QCoreApplication::quit);
    QApplication::exec();
    SUCCEED();
}

} // namespace
