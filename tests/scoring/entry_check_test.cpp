#include "scoring/entry_check.h"
#include "scoring/night.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

using namespace Qt::StringLiterals;
using namespace scoring;

namespace {

// Mark codes of slots 0..20 from a picture of the sheet: 'X' strike, '/'
// spare, '-' miss, 'G' gutter, 'F' foul, '1'..'9' pins, '.' empty.
void draw(Score_rec &s, std::string_view balls)
{
    ASSERT_EQ(balls.size(), 21u) << balls;
    for (std::size_t k = 0; k < balls.size(); ++k) {
        const char c = balls[k];
        std::uint8_t code = code_empty;
        switch (c) {
        case 'X': code = code_strike; break;
        case '/': code = code_spare; break;
        case '-': code = code_miss; break;
        case 'G': code = code_gutter; break;
        case 'F': code = code_foul; break;
        case '.': code = code_empty; break;
        default: code = std::uint8_t(c - '0'); break;
        }
        s.mark_cd[k] = code;
    }
}

// Seats 0..2: a player with a long name, an empty seat, a second player.
struct Check_night
{
    Night night{3};

    Check_night()
    {
        night.resize_seats(2);
        night.INIT();
        night.sen_id = {101, -1, 102};
        night.sen_name = {u"佐々木小次郎    "_s, u"選手名未入力    "_s, u"山田      "_s};
    }
    Score_rec &sheet(int seat, int game) { return night.score_tbl(seat, game); }
};

struct Player_case
{
    const char *name;
    std::string_view balls;
    bool reported;
};

TEST(EntryCheck, PlayerSheets)
{
    const std::vector<Player_case> cases = {
        {"untouched", ".....................", false},
        {"only frame 1", "54...................", true},
        {"only a strike in frame 1", "X....................", true},
        {"X 5 3 in frame 10", "9-9-9-9-9-9-9-9-9-X53", false},
        {"X 5 and slot 20 empty", "9-9-9-9-9-9-9-9-9-X5.", true},
        {"6 3 and slot 20 empty", "9-9-9-9-9-9-9-9-9-63.", false},
        {"spare in 19 and slot 20 empty", "9-9-9-9-9-9-9-9-9-6/.", true},
        {"spare in 19 with its third ball", "9-9-9-9-9-9-9-9-9-6/8", false},
        {"perfect game", "X.X.X.X.X.X.X.X.X.XXX", false},
        {"strikes up to frame 10's first ball", "X.X.X.X.X.X.X.X.X.X..", true},
        {"frame 5 left out", "9-9-9-9-..9-9-9-9-63.", true},
        {"gutters, misses and fouls", "G-F/G-F-G-F/GG--GGG-.", false},
        {"frame 10 not started", "9-9-9-9-9-9-9-9-9-...", true},
        {"open frame 3 without its second ball is not seen", "9-9-9.9-9-9-9-9-9-63.", false},
    };
    for (const Player_case &c : cases) {
        Check_night n;
        draw(n.sheet(0, 0), c.balls);
        const QString expected = c.reported ? u"\r\n佐々木小次選手の 第 1ゲームが、入力途中です。\r\n"_s : no_half_entered_text();
        EXPECT_EQ(entry_check_text(n.night), expected) << c.name;
    }
}

TEST(EntryCheck, NothingToReport)
{
    Check_night n;
    EXPECT_EQ(entry_check_text(n.night), u"入力途中のゲームはありません。"_s);
}

TEST(EntryCheck, MarksInAnEmptySeatGiveBothLines)
{
    Check_night n;
    draw(n.sheet(1, 1), "....72..5............");
    EXPECT_EQ(entry_check_text(n.night),
              u"選手名が入っていないのに入力しているところがあります。　 2ゲーム目の第 2番目です。\r\n"
              u"選手名未入選手の 第 2ゲームが、入力途中です。\r\n"_s);
}

TEST(EntryCheck, EmptySeatFullGameIsReportedOnce)
{
    Check_night n;
    draw(n.sheet(1, 0), "X.X.X.X.X.X.X.X.X.XXX");
    EXPECT_EQ(entry_check_text(n.night),
              u"選手名が入っていないのに入力しているところがあります。　 1ゲーム目の第 2番目です。\r\n"
              u"選手名未入選手の 第 1ゲームが、入力途中です。\r\n"_s);
}

TEST(EntryCheck, EmptySeatSlot20IsNotLookedAt)
{
    Check_night n;
    draw(n.sheet(1, 0), "....................5");
    EXPECT_EQ(entry_check_text(n.night), no_half_entered_text());
}

TEST(EntryCheck, GamesOuterSeatsInnerWithStrNumbers)
{
    Check_night n;
    n.night.resize_seats(11);
    n.night.sen_id[11] = 112;
    n.night.sen_name[11] = u"田中"_s;
    n.night.INIT();
    draw(n.sheet(0, 3), "7/...................");
    draw(n.sheet(2, 0), "9-9-.................");
    draw(n.sheet(11, 3), "X....................");
    draw(n.sheet(10, 0), "3....................");  // seat 11, no player
    draw(n.sheet(0, 0), "9-9-9-9-9-9-9-9-9-63.");  // complete
    EXPECT_EQ(entry_check_text(n.night),
              u"\r\n山田   選手の 第 1ゲームが、入力途中です。\r\n"
              u"選手名が入っていないのに入力しているところがあります。　 1ゲーム目の第 11番目です。\r\n"
              u"選手の 第 1ゲームが、入力途中です。\r\n"
              u"\r\n佐々木小次選手の 第 4ゲームが、入力途中です。\r\n"
              u"\r\n田中選手の 第 4ゲームが、入力途中です。\r\n"_s);
}

TEST(EntryCheck, SeatsAfterLastSenAreNotLookedAt)
{
    Check_night n;
    n.night.resize_seats(3);
    n.night.sen_id[3] = 104;
    n.night.INIT();
    draw(n.sheet(3, 0), "54...................");
    n.night.last_sen = 2;
    EXPECT_EQ(entry_check_text(n.night), no_half_entered_text());
}

} // namespace
