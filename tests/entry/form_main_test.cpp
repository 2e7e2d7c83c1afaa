#include "entry/form_main.h"
#include "entry/pin_diagram.h"

#include "config/settings.h"
#include "config/settings_store.h"
#include "platform/scripted_desktop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

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

TEST_F(Form, shift_arrows_move_the_focus_by_ball_and_plain_arrows_move_between_sheets)
{
    key_up(Qt::Key_Right, Qt::ShiftModifier);
    key_up(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(form.focusWidget()->objectName(), u"Txt_MARK(2)"_s);
    key_up(Qt::Key_PageUp, Qt::NoModifier);
    EXPECT_EQ(control(u"Txt_GAM"_s)->text(), u"2"_s);
    EXPECT_EQ(form.focusWidget()->objectName(), u"Txt_MARK(0)"_s);
    // The only player: every seat below is empty, so the move wraps to seat 0.
    key_up(Qt::Key_Down, Qt::NoModifier);
    EXPECT_EQ(desktop.beeps(), 1);
    EXPECT_EQ(control(u"Txt_junban"_s)->text(), u"1"_s);
    key_up(Qt::Key_PageDown, Qt::NoModifier);
    EXPECT_EQ(control(u"Txt_GAM"_s)->text(), u"1"_s);
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
    EXPECT_TRUE(control<QPushButton>(u"Cmd_Mode"_s)->isEnabled());
    EXPECT_EQ(control<QGroupBox>(u"Frame_Mode"_s)->title(), u"マーク入力"_s);
    EXPECT_EQ(form.windowTitle(), u"スコア入力"_s);
}

TEST_F(Form, closing_writes_the_mode_and_position)
{
    form.close();
    EXPECT_EQ(store.get(u"Form"_s, u"main_mode"_s), u"1"_s);
    EXPECT_TRUE(store.contains(u"form"_s, u"main_left"_s));
}

// Pin pictures of one colour each, in a folder of their own.
struct Pin_form : Form
{
    QTemporaryDir pictures;
    config::Settings settings;
    const std::array<QRgb, 3> colours = {qRgb(250, 250, 250), qRgb(255, 220, 16), qRgb(255, 128, 128)};

    void SetUp() override
    {
        Form::SetUp();
        const std::array<QString, 3> names = {u"p1.png"_s, u"p2.png"_s, u"p3.png"_s};
        for (int i = 0; i < 2; ++i) {  // the third picture is missing
            QImage image(25, 25, QImage::Format_RGB32);
            image.fill(colours[size_t(i)]);
            ASSERT_TRUE(image.save(pictures.filePath(names[size_t(i)])));
        }
        settings.pin1_name = names[0];
        settings.pin2_name = names[1];
        settings.pin3_name = names[2];
        settings.pin1_color = 0x0000FF;
        settings.pin2_color = 0x00FF00;
        settings.pin3_color = 0xFF0000;
        form.use_pin_settings(settings, pictures.path());
        control<QPushButton>(u"Cmd_Mode"_s)->click();
    }
    QToolButton *pin(int i) { return control<QToolButton>(u"Pct_Pin(%1)"_s.arg(i)); }
    // The colour in the middle of a pin's picture; 0 when it has none.
    QRgb picture(int i)
    {
        const QIcon icon = pin(i)->icon();
        return icon.isNull() ? 0 : icon.pixmap(25, 25).toImage().pixel(12, 12);
    }
    bool in_view(const QString &name) { return form.rect().intersects(control<QWidget>(name)->geometry()); }
};

TEST_F(Pin_form, the_mode_switch_brings_the_pin_keypad_in_and_back_out)
{
    EXPECT_EQ(control<QGroupBox>(u"Frame_Mode"_s)->title(), u" ピン入力 "_s);
    EXPECT_TRUE(in_view(u"pin_keypad"_s));
    EXPECT_FALSE(in_view(u"mark_keypad"_s));
    control<QPushButton>(u"Cmd_Mode"_s)->click();
    EXPECT_EQ(control<QGroupBox>(u"Frame_Mode"_s)->title(), u"マーク入力"_s);
    EXPECT_FALSE(in_view(u"pin_keypad"_s));
    EXPECT_TRUE(in_view(u"mark_keypad"_s));
}

TEST_F(Pin_form, pins_make_a_triangle_with_pin_1_in_front)
{
    auto centre = [this](int i) { return pin(i)->geometry().center(); };
    for (int i : {7, 8, 9})
        EXPECT_EQ(centre(i).y(), centre(6).y());  // 7..10 the back row
    EXPECT_LT(centre(6).y(), centre(3).y());
    EXPECT_LT(centre(3).y(), centre(1).y());
    EXPECT_LT(centre(1).y(), centre(0).y());      // pin 1 nearest the operator
    EXPECT_EQ(centre(0).x(), (centre(6).x() + centre(9).x()) / 2);
    EXPECT_EQ(centre(4).x(), centre(0).x());
    EXPECT_LT(centre(1).x(), centre(2).x());
    EXPECT_EQ(pin(0)->toolTip(), u"１番 (Z)"_s);
    EXPECT_EQ(pin(3)->toolTip(), u"４番 (Ｑ)"_s);
    EXPECT_EQ(pin(9)->toolTip(), u"10番 (4)"_s);
}

TEST_F(Pin_form, keypad_buttons_carry_their_captions_and_tooltips)
{
    struct Button { const char16_t *name, *caption, *tip; };
    const Button buttons[] = {
        {u"cmd_MDS(0)", u"", u"ストライク (X)"},
        {u"cmd_MDS(2)", u"Ｇ", u"ガター (G)"},
        {u"cmd_MDS(3)", u"Ｆ", u"ファウル (F)"},
        {u"cmd_MDS(4)", u"－", u"スルー (- or M)"},
        {u"cmd_MDS(5)", u"Clear", u"ピンをクリアします (C)"},
        {u"Cmd_moveflame(0)", u"", u"左フレームへ (コンマ)"},
        {u"Cmd_moveflame(1)", u"", u"右フレームへ (ドット)"},
        {u"Cmd_moveflame(2)", u"OK", u"ピンからそのフレームの得点を計算します"},
    };
    for (const Button &b : buttons) {
        auto *button = control<QPushButton>(QString::fromUtf16(b.name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromUtf16(b.caption)) << button->objectName().toStdString();
        EXPECT_EQ(button->toolTip(), QString::fromUtf16(b.tip)) << button->objectName().toStdString();
        EXPECT_TRUE(button->isVisible());
    }
    EXPECT_FALSE(control<QPushButton>(u"cmd_MDS(0)"_s)->icon().isNull());
    EXPECT_FALSE(control<QPushButton>(u"cmd_MDS(1)"_s)->isVisible());
}

TEST_F(Pin_form, clicked_pins_show_their_state_and_ok_enters_the_frame)
{
    EXPECT_EQ(picture(6), colours[0]);
    pin(6)->click();
    pin(9)->click();
    pin(9)->click();
    EXPECT_EQ(picture(6), colours[1]);
    EXPECT_EQ(picture(9), 0u);  // the third picture could not be read
    EXPECT_EQ(picture(0), colours[0]);
    auto *frame1 = control<entry::Pin_diagram>(u"Pct_flame(0)"_s);
    EXPECT_EQ(frame1->pin_colour(0), 0x0000FFu);
    EXPECT_EQ(frame1->pin_colour(6), 0x00FF00u);
    EXPECT_EQ(frame1->pin_colour(9), 0xFF0000u);
    control<QPushButton>(u"Cmd_moveflame(2)"_s)->click();
    EXPECT_EQ(mark(0), u"8s"_s);  // the 7-10 is a split
    EXPECT_EQ(mark(1), u"１"_s);
    EXPECT_EQ(form.focusWidget()->objectName(), u"Txt_MARK(2)"_s);
    EXPECT_EQ(picture(6), colours[0]);  // a fresh rack on frame 2
}

TEST_F(Pin_form, keys_click_pins_and_keypad_buttons)
{
    type(u"z1"_s);  // pins 1 and 7 stood
    type(u"."_s);   // on to frame 2: the rack is entered first
    EXPECT_EQ(mark(0), u"８"_s);
    EXPECT_EQ(mark(1), u"／"_s);
    type(u"x"_s);
    EXPECT_EQ(mark(2), u"＊"_s);
    type(u"g-"_s);  // a gutter and a miss, then on to frame 4
    EXPECT_EQ(mark(4), u"Ｇ"_s);
    EXPECT_EQ(mark(5), u"－"_s);
    EXPECT_EQ(form.focusWidget()->objectName(), u"Txt_MARK(6)"_s);
    type(u",c"_s);  // back to frame 3 and clear it
    EXPECT_EQ(mark(4), empty_slot_text());
    EXPECT_EQ(mark(5), empty_slot_text());
    EXPECT_EQ(form.focusWidget()->objectName(), u"Txt_MARK(4)"_s);
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

namespace {

// Run by hand to look at pin mode: a few frames entered by pins, the keypad
// half way through a rack, the program's own pin pictures.
TEST_F(Form, DISABLED_show_pin_mode)
{
    config::Settings settings;
    form.use_pin_settings(settings, QStringLiteral(PINORA_RESOURCES_DIR "/pins"));
    auto &c = form.controller();
    c.Cmd_Mode();
    c.cmd_MDS(0);
    for (int p : {3, 6, 7})
        c.pct_pin(p);
    c.Cmd_moveflame(2);
    c.pct_pin(6);
    c.pct_pin(9);
    c.pct_pin(9);
    c.Cmd_moveflame(2);
    c.cmd_MDS(2);
    c.pct_pin(0);
    c.pct_pin(1);
    c.pct_pin(1);
    form.refresh();
    form.raise();
    bool ok = false;
    int ms = qEnvironmentVariableIntValue("PINORA_SHOW_MS", &ok);
    QTimer::singleShot(ok ? ms : 3000, qApp, &QCoreApplication::quit);
    QApplication::exec();
    SUCCEED();
}

} // namespace
