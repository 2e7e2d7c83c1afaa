#include "entry/finish_controller.h"

#include "config/settings.h"
#include "entry/entry_controller.h"
#include "platform/scripted_desktop.h"
#include "scoring/entry_check.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <vector>

using namespace Qt::StringLiterals;
using entry::Finish_controller;
using entry::Finish_result;
using entry::Finish_step;
using platform::Answer;
using platform::Buttons;
using platform::Icon;
using namespace scoring;

namespace {

const QString nine_misses = u"9-9-9-9-9-9-9-9-9-9-"_s; // a complete game of 90

// Games 1..3; seat 0 山田, seat 1 鈴木, seat 2 empty, seat 3 佐藤; nothing bowled.
struct Finish : ::testing::Test
{
    Night night{2};
    platform::ScriptedDesktop desktop;
    config::Settings settings;
    entry::Entry_controller entry{night, desktop};
    Finish_controller finish{entry, desktop, settings};
    QStringList shown; // what the check window was given

    void SetUp() override
    {
        night.resize_seats(3);
        night.sen_id = {7, 8, -1, 9};
        night.sen_name = {u"山田太郎"_s, u"鈴木一郎"_s, u"選手名未入力"_s, u"佐藤"_s};
        night.INIT();
        finish.set_check_view([this](const QString &text) { shown << text; });
        entry.show_sheet();
    }
    // Shows the sheet of (seat, game) and types the marks into it.
    void bowl(int seat, int game, const QString &keys)
    {
        night.cur_sen = seat;
        night.cur_game = game;
        entry.show_sheet();
        for (QChar ch : keys)
            entry.key_press(ch.unicode());
    }
    QString message(std::size_t i) const { return desktop.messages().at(i).message.text; }
};

TEST_F(Finish, Cmd_INFO_calculates_the_sheet_on_screen_before_the_check)
{
    bowl(0, 0, nine_misses);
    // Two boxes emptied on screen; the sheet still holds their balls.
    night.screen.Txt_MARK[4] = empty_slot_text();
    night.screen.Txt_MARK[5] = empty_slot_text();
    ASSERT_EQ(entry_check_text(night), no_half_entered_text());

    const QString expected = u"\r\n山田太郎選手の 第 1ゲームが、入力途中です。\r\n"_s;
    EXPECT_EQ(finish.Cmd_INFO(), expected);
    EXPECT_EQ(shown, QStringList{expected});
    EXPECT_EQ(night.cur_sheet().mark_cd[4], code_empty);
    EXPECT_EQ(night.screen.Txt_SCORE[10], u"81"_s); // frame 3 gone
    EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(Finish, Cmd_INFO_with_nothing_half_entered)
{
    bowl(0, 0, nine_misses);
    EXPECT_EQ(finish.Cmd_INFO(), u"入力途中のゲームはありません。"_s);
    EXPECT_EQ(shown, QStringList{no_half_entered_text()});
}

struct Handicap_case
{
    int hcp_mynas;
    int hcp;
    bool refused;
};

TEST_F(Finish, Cmd_TOKEI_handicap_check_on_the_handicap_shown)
{
    const std::vector<Handicap_case> cases = {
        {1, -1, true}, {1, -30, true}, {1, 0, false}, {1, 12, false}, {0, -5, false},
    };
    bowl(1, 0, nine_misses);
    bowl(0, 0, nine_misses);
    for (const Handicap_case &c : cases) {
        SCOPED_TRACE(testing::Message() << "hcp_mynas " << c.hcp_mynas << ", hcp " << c.hcp);
        desktop.clearRecords();
        shown.clear();
        settings.hcp_mynas = std::uint8_t(c.hcp_mynas);
        night.cur_sheet().hcp = c.hcp;
        entry.Cmd_KEISAN();
        ASSERT_EQ(night.screen.Txt_SCORE[11], QString::number(c.hcp));
        night.next_slot = 5;

        const Finish_result r = finish.Cmd_TOKEI();
        if (c.refused) {
            EXPECT_EQ(r.step, Finish_step::handicap);
            EXPECT_EQ(desktop.beeps(), 1);
            ASSERT_EQ(desktop.messages().size(), 1u);
            EXPECT_EQ(message(0), u"ハンデを入力してください"_s);
            EXPECT_EQ(desktop.messages()[0].message.buttons, Buttons::Ok);
            EXPECT_EQ(night.next_slot, -1);
            EXPECT_TRUE(shown.isEmpty()); // stopped before the check
            EXPECT_TRUE(r.check_text.isEmpty());
        } else {
            EXPECT_EQ(r.step, Finish_step::go_on);
            EXPECT_EQ(desktop.beeps(), 0);
            EXPECT_TRUE(desktop.messages().empty());
            EXPECT_EQ(shown, QStringList{no_half_entered_text()});
        }
    }
}

TEST_F(Finish, Cmd_TOKEI_refuses_on_the_box_not_on_the_sheet)
{
    // The box is what the operator sees; the refusal follows it.
    settings.hcp_mynas = 1;
    bowl(0, 0, nine_misses);
    bowl(1, 0, nine_misses);
    night.screen.Txt_SCORE[11] = u"-2"_s;
    EXPECT_EQ(finish.Cmd_TOKEI().step, Finish_step::handicap);
    night.screen.Txt_SCORE[11] = QString();
    EXPECT_EQ(finish.Cmd_TOKEI().step, Finish_step::go_on);
}

TEST_F(Finish, Cmd_TOKEI_half_entered_question_yes_goes_back)
{
    bowl(0, 0, u"72"_s);
    bowl(1, 0, nine_misses);
    desktop.answerNext(Answer::Yes);
    const Finish_result r = finish.Cmd_TOKEI();
    EXPECT_EQ(r.step, Finish_step::half_entered);
    EXPECT_FALSE(r.go_on());
    const QString check = u"\r\n山田太郎選手の 第 1ゲームが、入力途中です。\r\n"_s;
    EXPECT_EQ(r.check_text, check);
    EXPECT_EQ(shown, QStringList{check}); // the check window shows what is missing
    ASSERT_EQ(desktop.messages().size(), 1u);
    const platform::Message &m = desktop.messages()[0].message;
    EXPECT_EQ(m.text, u"入力していないデータを入力してください"_s);
    EXPECT_EQ(m.buttons, Buttons::YesNo);
    EXPECT_EQ(m.icon, Icon::Warning);
    EXPECT_EQ(r.data.player_count(), 0); // ANA did not run
}

TEST_F(Finish, Cmd_TOKEI_half_entered_question_no_goes_on)
{
    bowl(0, 0, u"72"_s);
    bowl(1, 0, nine_misses);
    desktop.answerNext(Answer::No);
    const Finish_result r = finish.Cmd_TOKEI();
    EXPECT_EQ(r.step, Finish_step::go_on);
    EXPECT_EQ(desktop.messages().size(), 1u); // two bowlers: no second question
    EXPECT_EQ(r.data.game_ninzu.value(0), 2);
    EXPECT_EQ(r.data, ANA(night));
}

TEST_F(Finish, Cmd_TOKEI_marks_in_an_empty_seat_ask_too)
{
    bowl(0, 0, nine_misses);
    bowl(1, 0, nine_misses);
    night.cur_sen = 2; // an empty seat, reached without the screen's own rules
    night.cur_game = 1;
    night.clear_score();
    night.screen.Txt_MARK[0] = u"５"_s;
    night.cur_sheet().mark_cd[0] = 5;
    desktop.answerNext(Answer::Yes);
    const Finish_result r = finish.Cmd_TOKEI();
    EXPECT_EQ(r.step, Finish_step::half_entered);
    EXPECT_EQ(r.check_text,
              u"選手名が入っていないのに入力しているところがあります。　 2ゲーム目の第 3番目です。\r\n"
              u"選手名未入選手の 第 2ゲームが、入力途中です。\r\n"_s);
}

TEST_F(Finish, Cmd_TOKEI_one_bowler_asks_the_five_line_question)
{
    bowl(3, 1, nine_misses);
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        desktop.clearRecords();
        desktop.answerNext(answer);
        const Finish_result r = finish.Cmd_TOKEI();
        ASSERT_EQ(desktop.messages().size(), 1u);
        const platform::Message &m = desktop.messages()[0].message;
        EXPECT_EQ(m.text, u"一人しか入力されていません。\r一人でも記録しますか？\r"
                          u"  ------------------------------------------ \r"
                          u" [はい] を選ぶと、次に進みます。\r[いいえ]を選ぶと、スコア入力に戻ります。"_s);
        EXPECT_EQ(m.buttons, Buttons::YesNo);
        EXPECT_EQ(m.icon, Icon::Question);
        EXPECT_EQ(r.step, answer == Answer::Yes ? Finish_step::go_on : Finish_step::one_player);
        EXPECT_EQ(r.data.player_count(), 1);
        EXPECT_EQ(r.data.game_count(), 1);
        EXPECT_EQ(r.data.ana_tbl(1, 1).sen_id, 9);
        EXPECT_EQ(r.data.ana_tbl(1, 1).fl_score[10], 90);
    }
}

TEST_F(Finish, Cmd_TOKEI_two_bowlers_are_not_asked)
{
    bowl(0, 0, nine_misses);
    bowl(3, 2, nine_misses);
    const Finish_result r = finish.Cmd_TOKEI();
    EXPECT_EQ(r.step, Finish_step::go_on);
    EXPECT_TRUE(desktop.messages().empty());
    EXPECT_EQ(r.check_text, no_half_entered_text());
    // Games 1 and 3 were bowled: two columns, the second one holding game 3.
    EXPECT_EQ(r.data.player_count(), 2);
    EXPECT_EQ(r.data.game_cnt, 2);
    EXPECT_EQ(r.data.game_ninzu, (QList<int>{2, 1, 0, 1}));
    EXPECT_EQ(r.data.ana_tbl(2, 2).sen_id, 9);
    EXPECT_EQ(r.data.ana_tbl(2, 2).fl_score[10], 90);
    EXPECT_EQ(r.data.ana_tbl(1, 2).fl_score[10], 0);
}

TEST_F(Finish, Cmd_TOKEI_nothing_bowled_asks_and_yes_hands_over_an_empty_table)
{
    desktop.answerNext(Answer::Yes);
    const Finish_result r = finish.Cmd_TOKEI();
    ASSERT_EQ(desktop.messages().size(), 1u);
    EXPECT_EQ(message(0), Finish_controller::one_player_question());
    EXPECT_EQ(r.step, Finish_step::go_on);
    EXPECT_EQ(r.data.player_count(), 0);
    EXPECT_EQ(r.data.game_ninzu.value(0), 0);
}

TEST_F(Finish, Cmd_TOKEI_leaves_the_sheets_as_they_are)
{
    bowl(0, 0, nine_misses);
    bowl(1, 1, u"*"_s);
    const Score_table before = night.score_tbl;
    desktop.answerNext(Answer::No);
    EXPECT_EQ(finish.Cmd_TOKEI().step, Finish_step::go_on);
    for (int seat = 0; seat <= night.last_sen; ++seat)
        for (int game = 0; game <= night.max_game(); ++game)
            EXPECT_EQ(night.score_tbl(seat, game), before(seat, game)) << seat << ' ' << game;
}

} // namespace
