#include "setup/player_controller.h"

#include "config/match_globals.h"
#include "platform/scripted_desktop.h"
#include "scoring/night.h"
#include "scoring/score_rec.h"
#include "store/recordset.h"
#include "support/builders.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using setup::PlayerController;
using State = PlayerController::State;
using Focus = PlayerController::Focus;

namespace {

// Players 1 山田 (handicap 12 in season 2), 2 鈴木 (handicap 30 in season 2,
// 5 in season 1) and 57 佐藤 (no handicap in season 2); the night is of
// season 2 with games 0..2.
class PlayerControllerTest : public support::DatabaseTest
{
protected:
    void SetUp() override
    {
        support::addPlayer(db(), 1, u"山田"_s);
        support::addPlayer(db(), 2, u"鈴木"_s);
        support::addPlayer(db(), 57, u"佐藤"_s);
        support::addHandicap(db(), 1, 2, 12);
        support::addHandicap(db(), 2, 1, 5);
        support::addHandicap(db(), 2, 2, 30);
        match.srs_id = 2;
    }

    PlayerController &open()
    {
        ctl = std::make_unique<PlayerController>(db(), desktop, match, night);
        ctl->load();
        desktop.clearRecords();
        return *ctl;
    }
    // Chooses the list row of a player.
    void choose(int playerId)
    {
        store::Recordset &rs = ctl->players();
        rs.findFirst(u"選手ID = "_s + QString::number(playerId));
        ASSERT_FALSE(rs.noMatch()) << playerId;
        ctl->setPlayerRow(rs.absolutePosition());
        ASSERT_EQ(ctl->idText(), QString::number(playerId));
    }
    // Places a player with a season handicap at the current cell.
    void place(int playerId)
    {
        choose(playerId);
        ctl->Pct_ADD();
    }
    int count(const QString &sql) { return db().scalar(sql).toInt(); }

    platform::ScriptedDesktop desktop;
    config::MatchGlobals match;
    scoring::Night night { 2 };
    std::unique_ptr<PlayerController> ctl;
};

TEST_F(PlayerControllerTest, OpeningEmptiesEverySeatAndSelectsTheFirstCell)
{
    night.cur_sen = 9;
    night.sen_id[4] = 77;
    PlayerController &c = open();
    for (int k = 0; k <= 35; ++k) {
        EXPECT_EQ(night.sen_id[k], -1) << k;
        EXPECT_EQ(night.sen_name[k], u"選手名未入力    "_s) << k;
    }
    EXPECT_EQ(night.cur_sen, 0);
    EXPECT_EQ(c.row(), 1);
    EXPECT_EQ(c.col(), 1);
    EXPECT_EQ(c.state(), State::Choosing);
    EXPECT_EQ(c.windowHeight(), 3885);
    // The list starts on its first row, the all-players row 0.
    EXPECT_EQ(c.idText(), u"0"_s);
    EXPECT_EQ(c.nameText(), u"全　員"_s);
}

TEST_F(PlayerControllerTest, LaneChartHeadersAndSize)
{
    PlayerController &c = open();
    EXPECT_EQ(c.chartColumns(), 7);
    EXPECT_EQ(c.cellText(0, 0), QString());
    EXPECT_EQ(c.cellText(0, 1), u"ﾚｰﾝ1"_s);
    EXPECT_EQ(c.cellText(0, 6), u"ﾚｰﾝ6"_s);
    EXPECT_EQ(c.cellText(1, 0), u"1番目"_s);
    EXPECT_EQ(c.cellText(6, 0), u"6番目"_s);
    EXPECT_EQ(c.cellText(1, 1), QString());
    EXPECT_EQ(PlayerController::positionHeader(12), u"2番目"_s); // cut to its last 3 characters
    EXPECT_EQ(PlayerController::seatOf(1, 1), 0);
    EXPECT_EQ(PlayerController::seatOf(6, 1), 5);
    EXPECT_EQ(PlayerController::seatOf(1, 2), 6);
    EXPECT_EQ(PlayerController::seatOf(6, 6), 35);

    // Seats added by whole lanes (a night read from a file) widen the chart
    // and show the names they hold.
    night.resize_seats(41);
    night.sen_id[40] = 2;
    night.sen_name[40] = u"鈴木        "_s;
    EXPECT_EQ(c.chartColumns(), 8);
    EXPECT_EQ(c.cellText(0, 7), u"ﾚｰﾝ7"_s);
    EXPECT_EQ(c.cellText(5, 7), u"鈴木"_s);
}

TEST_F(PlayerControllerTest, ClickingACellSetsTheSeatButHeaderCellsCannotBeChosen)
{
    PlayerController &c = open();
    c.selectCell(3, 2);
    EXPECT_EQ(night.cur_sen, 8);
    EXPECT_EQ(c.currentSeat(), 8);
    for (auto [r, col] : { std::pair { 0, 3 }, std::pair { 4, 0 }, std::pair { 7, 1 }, std::pair { 1, 7 } }) {
        c.selectCell(r, col);
        EXPECT_EQ(c.row(), 3) << r << "," << col;
        EXPECT_EQ(c.col(), 2);
        EXPECT_EQ(night.cur_sen, 8);
    }
}

struct NextCase
{
    int lastSen;
    int row, col;
    int nextRow, nextCol;
};

class NextcellTest : public PlayerControllerTest, public ::testing::WithParamInterface<NextCase>
{
};

TEST_P(NextcellTest, MovesDownThenToTheNextLaneThenBackToTheFirst)
{
    const NextCase &p = GetParam();
    PlayerController &c = open();
    night.resize_seats(p.lastSen);
    c.selectCell(p.row, p.col);
    c.Nextcell();
    EXPECT_EQ(c.row(), p.nextRow);
    EXPECT_EQ(c.col(), p.nextCol);
}

INSTANTIATE_TEST_SUITE_P(Cells, NextcellTest,
                         ::testing::Values(NextCase { 35, 1, 1, 2, 1 }, NextCase { 35, 5, 3, 6, 3 },
                                           NextCase { 35, 6, 1, 1, 2 }, NextCase { 35, 6, 5, 1, 6 },
                                           NextCase { 35, 6, 6, 1, 1 }, NextCase { 41, 6, 6, 1, 7 },
                                           NextCase { 41, 6, 7, 1, 1 }));

TEST_F(PlayerControllerTest, PlayerWithASeasonHandicapIsPlacedAtOnceInEveryGame)
{
    PlayerController &c = open();
    c.selectCell(2, 3); // seat 13
    place(2);
    EXPECT_TRUE(desktop.messages().empty());
    EXPECT_EQ(desktop.beeps(), 0);
    EXPECT_EQ(night.sen_id[13], 2);
    EXPECT_EQ(night.sen_name[13], u"鈴木        "_s);
    EXPECT_EQ(night.sen_hcp[13], 30); // season 2's row, not season 1's
    for (int g = 0; g <= 2; ++g)
        EXPECT_EQ(night.score_tbl(13, g).hcp, 30) << g;
    EXPECT_EQ(night.score_tbl(12, 0).hcp, 0);
    EXPECT_EQ(c.cellText(2, 3), u"鈴木"_s);
    EXPECT_EQ(c.row(), 3);
    EXPECT_EQ(c.col(), 3);
    EXPECT_EQ(c.state(), State::Choosing);
}

TEST_F(PlayerControllerTest, PlacingOnTheLastSeatWrapsToTheFirstCell)
{
    PlayerController &c = open();
    c.selectCell(6, 6);
    place(1);
    EXPECT_EQ(night.sen_id[35], 1);
    EXPECT_EQ(c.row(), 1);
    EXPECT_EQ(c.col(), 1);
}

TEST_F(PlayerControllerTest, SamePlayerTwiceIsRefusedAndLeavesTheCellEmpty)
{
    PlayerController &c = open();
    place(1); // seat 0, cursor to seat 1
    place(1);
    EXPECT_EQ(desktop.beeps(), 1);
    EXPECT_EQ(desktop.lastMessageText(), u"この選手はすでに登録されています。"_s);
    EXPECT_EQ(night.sen_id[1], -1);
    EXPECT_EQ(night.sen_name[1], QString(10, u' '));
    EXPECT_EQ(c.cellText(2, 1), QString());
    EXPECT_EQ(night.sen_id[0], 1);
    EXPECT_EQ(c.row(), 2); // the cursor stays
}

TEST_F(PlayerControllerTest, OccupiedCellIsRefusedAndTheCursorLeavesTheChart)
{
    PlayerController &c = open();
    place(1);
    c.selectCell(1, 1);
    place(2);
    EXPECT_EQ(desktop.beeps(), 1);
    EXPECT_EQ(desktop.lastMessageText(),
              u"すでに登録された選手がいます。別の場所をクリックしてから入力し直してください。"_s);
    EXPECT_EQ(night.sen_id[0], 1);
    EXPECT_EQ(c.row(), 0);
    EXPECT_EQ(c.col(), 0);

    // On a header cell the next try only beeps and moves on down the header column.
    desktop.clearRecords();
    c.Pct_ADD();
    EXPECT_EQ(desktop.beeps(), 1);
    EXPECT_TRUE(desktop.messages().empty());
    EXPECT_EQ(c.row(), 1);
    EXPECT_EQ(c.col(), 0);
    for (int k = 1; k <= 35; ++k)
        EXPECT_EQ(night.sen_id[k], -1) << k;
    // Clearing there changes neither a seat nor the header text.
    c.Pct_can();
    EXPECT_EQ(c.cellText(1, 0), u"1番目"_s);
    EXPECT_EQ(night.sen_id[0], 1);
}

TEST_F(PlayerControllerTest, TheAllPlayersRowAndAnEmptyListCannotBeChosen)
{
    PlayerController &c = open();
    c.setPlayerRow(0); // 選手ID 0, 全　員
    c.Pct_ADD();
    EXPECT_EQ(desktop.lastMessageText(), u"この選手は選択することができません"_s);
    EXPECT_EQ(night.sen_id[0], -1);
    EXPECT_EQ(c.row(), 1);

    db().exec(u"DELETE FROM 選手"_s);
    open();
    EXPECT_EQ(ctl->idText(), QString());
    ctl->Pct_ADD();
    EXPECT_EQ(desktop.lastMessageText(), u"この選手は選択することができません"_s);
}

TEST_F(PlayerControllerTest, PlayerWithoutAName)
{
    db().exec(u"UPDATE 選手 SET 選手名 = NULL WHERE 選手ID = 57"_s);
    PlayerController &c = open();
    place(57);
    EXPECT_EQ(night.sen_id[0], -1);
    EXPECT_EQ(c.state(), State::Choosing);
    EXPECT_EQ(c.row(), 2); // only moved on
}

TEST_F(PlayerControllerTest, PlayerWithoutSeasonHandicapIsAskedForIt)
{
    PlayerController &c = open();
    c.selectCell(4, 1);
    place(57);
    EXPECT_EQ(desktop.lastMessageText(), u"ハンデを登録してください。"_s);
    EXPECT_EQ(c.state(), State::Handicap);
    EXPECT_EQ(c.windowHeight(), 6085);
    EXPECT_EQ(c.idText(), u"57"_s);
    EXPECT_EQ(c.idScroll(), 57);
    EXPECT_EQ(c.hcpScroll(), -1);
    EXPECT_EQ(c.hcpText(), u"-1"_s);
    EXPECT_EQ(c.focus(), Focus::Hcp);
    EXPECT_EQ(night.sen_id[3], -1);

    // While the entry area is open the list, chart and pictures do nothing.
    c.setPlayerRow(1);
    c.Pct_ADD();
    c.Pct_can();
    c.Cmd_newPlayer();
    c.Cmd_InpMARK();
    EXPECT_EQ(c.idText(), u"57"_s);
    EXPECT_EQ(c.state(), State::Handicap);
    EXPECT_EQ(c.entryCount(), 0);

    c.setHcpText(u"25"_s);
    EXPECT_TRUE(c.Cmd_OK(1));
    EXPECT_EQ(c.state(), State::Choosing);
    EXPECT_EQ(c.windowHeight(), 3885);
    EXPECT_EQ(night.sen_id[3], 57);
    EXPECT_EQ(night.sen_hcp[3], 25);
    EXPECT_EQ(night.score_tbl(3, 2).hcp, 25);
    EXPECT_EQ(c.row(), 5);
    EXPECT_EQ(db().select(u"SELECT 選手ID, シーズンID, ハンデ FROM ハンデ WHERE 選手ID = 57"_s),
              (QList<QVariantList> { { 57, 2, 25 } }));
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM 選手"_s), 4);
}

TEST_F(PlayerControllerTest, CancelEmptiesOnlyTheHandicapOfAKnownPlayer)
{
    PlayerController &c = open();
    place(57);
    c.CmdCANCEL();
    EXPECT_EQ(c.hcpText(), QString());
    EXPECT_EQ(c.idText(), u"57"_s);
    EXPECT_EQ(c.nameText(), u"佐藤"_s);
    EXPECT_EQ(c.state(), State::Handicap);
    desktop.clearRecords();
    EXPECT_FALSE(c.Cmd_OK(1)); // an empty handicap
    EXPECT_EQ(desktop.beeps(), 1);
    EXPECT_EQ(c.focus(), Focus::Hcp);
}

TEST_F(PlayerControllerTest, NewPlayerProposalIsTheLargestIdPlusOne)
{
    PlayerController &c = open();
    c.Cmd_newPlayer();
    EXPECT_EQ(desktop.lastMessageText(),
              u"選手を新たに登録します。\rすでに登録している選手と、IDが重複しないように気をつけてください。\r"
              u"ホンマに気をつけてね。"_s);
    EXPECT_EQ(c.idText(), u"58"_s);
    EXPECT_EQ(c.idScroll(), 58);
    EXPECT_EQ(c.nameText(), QString());
    EXPECT_EQ(c.hcpText(), u"0"_s); // from VSc_Sen(1)
    EXPECT_EQ(c.state(), State::NewPlayer);
    EXPECT_EQ(c.windowHeight(), 6085);
    EXPECT_EQ(c.focus(), Focus::Id);

    db().exec(u"DELETE FROM ハンデ"_s);
    db().exec(u"DELETE FROM 選手"_s);
    open().Cmd_newPlayer();
    EXPECT_EQ(ctl->idText(), u"1"_s);
}

TEST_F(PlayerControllerTest, NewPlayerIsStoredWithTheSeasonHandicapAndPlaced)
{
    PlayerController &c = open();
    c.selectCell(2, 1);
    c.Cmd_newPlayer();
    // A free number below the largest: the one typed is placed, not the last row of the list.
    c.setIdText(u"20"_s);
    c.setNameText(u"O'Neil ジョン・スミス"_s); // 15 characters
    c.setHcpText(u"-7"_s);
    ASSERT_TRUE(c.Cmd_OK(0));
    EXPECT_EQ(db().select(u"SELECT 選手名 FROM 選手 WHERE 選手ID = 20"_s),
              (QList<QVariantList> { { u"O'Neil ジョン・スミス"_s } }));
    EXPECT_EQ(db().select(u"SELECT シーズンID, ハンデ FROM ハンデ WHERE 選手ID = 20"_s),
              (QList<QVariantList> { { 2, -7 } }));
    EXPECT_EQ(night.sen_id[1], 20);
    EXPECT_EQ(night.sen_name[1], u"O'Neil ジョン"_s);
    EXPECT_EQ(night.sen_hcp[1], -7);
    EXPECT_EQ(night.score_tbl(1, 0).hcp, -7);
    EXPECT_EQ(c.cellText(2, 1), u"O'Neil ジョン・スミス"_s);
    EXPECT_EQ(c.state(), State::Choosing);
    EXPECT_EQ(c.row(), 3);
    // The list was read again and stands on the new player.
    EXPECT_EQ(c.players().recordCount(), 5);
    EXPECT_EQ(c.idText(), u"20"_s);
    EXPECT_EQ(c.nameText(), u"O'Neil ジョン・スミス"_s);
}

struct HcpCase
{
    const char16_t *text;
    bool accepted;
};

class HandicapRangeTest : public PlayerControllerTest, public ::testing::WithParamInterface<HcpCase>
{
};

TEST_P(HandicapRangeTest, NewPlayer)
{
    PlayerController &c = open();
    c.Cmd_newPlayer();
    c.setNameText(u"新人"_s);
    c.setHcpText(QString::fromUtf16(GetParam().text));
    desktop.clearRecords();
    EXPECT_EQ(c.Cmd_OK(0), GetParam().accepted);
    EXPECT_EQ(desktop.beeps(), GetParam().accepted ? 0 : 1);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM 選手 WHERE 選手ID = 58"_s), GetParam().accepted ? 1 : 0);
    EXPECT_EQ(night.sen_id[0], GetParam().accepted ? 58 : -1);
    if (!GetParam().accepted) {
        EXPECT_EQ(c.state(), State::NewPlayer);
        EXPECT_EQ(c.focus(), Focus::Id);
    }
}

TEST_P(HandicapRangeTest, KnownPlayer)
{
    PlayerController &c = open();
    place(57);
    c.setHcpText(QString::fromUtf16(GetParam().text));
    desktop.clearRecords();
    EXPECT_EQ(c.Cmd_OK(1), GetParam().accepted);
    EXPECT_EQ(desktop.beeps(), GetParam().accepted ? 0 : 1);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM ハンデ WHERE 選手ID = 57"_s), GetParam().accepted ? 1 : 0);
    EXPECT_EQ(night.sen_id[0], GetParam().accepted ? 57 : -1);
}

INSTANTIATE_TEST_SUITE_P(Bounds, HandicapRangeTest,
                         ::testing::Values(HcpCase { u"-101", false }, HcpCase { u"-100", true },
                                           HcpCase { u"200", true }, HcpCase { u"201", false },
                                           HcpCase { u"0", true }, HcpCase { u"", false },
                                           HcpCase { u"abc", false }, HcpCase { u"12.5", false }));

TEST_F(PlayerControllerTest, NewPlayerWithATakenOrUnusableNumberWritesNothing)
{
    PlayerController &c = open();
    const int players = count(u"SELECT COUNT(*) FROM 選手"_s);
    const int handicaps = count(u"SELECT COUNT(*) FROM ハンデ"_s);
    c.Cmd_newPlayer();
    c.setNameText(u"重複"_s);
    for (const QString &id : { u"57"_s, u"0"_s, u"-3"_s, u"32001"_s, u"x1"_s, QString() }) {
        desktop.clearRecords();
        c.setIdText(id);
        EXPECT_FALSE(c.Cmd_OK(0)) << id.toStdString();
        EXPECT_EQ(desktop.beeps(), 1);
        EXPECT_TRUE(desktop.messages().empty());
        EXPECT_EQ(c.focus(), Focus::Id);
    }
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM 選手"_s), players);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM ハンデ"_s), handicaps);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM 選手 WHERE 選手名 = '佐藤'"_s), 1);
    EXPECT_EQ(night.sen_id[0], -1);
    EXPECT_EQ(c.state(), State::NewPlayer);
}

TEST_F(PlayerControllerTest, CancelEmptiesEveryBoxOfANewPlayer)
{
    PlayerController &c = open();
    c.Cmd_newPlayer();
    c.setNameText(u"新人"_s);
    c.CmdCANCEL();
    EXPECT_EQ(c.idText(), QString());
    EXPECT_EQ(c.nameText(), QString());
    EXPECT_EQ(c.hcpText(), QString());
    EXPECT_EQ(c.state(), State::NewPlayer);
}

TEST_F(PlayerControllerTest, NewPlayerGoesToTheNextFreeSeatNeverOverAPlacedOne)
{
    PlayerController &c = open();
    place(1); // seat 0
    place(2); // seat 1
    c.selectCell(1, 1);
    c.Cmd_newPlayer();
    EXPECT_EQ(c.state(), State::NewPlayer);
    EXPECT_EQ(c.row(), 3); // seat 2
    c.setNameText(u"新人"_s);
    ASSERT_TRUE(c.Cmd_OK(0));
    EXPECT_EQ(night.sen_id[0], 1);
    EXPECT_EQ(night.sen_id[1], 2);
    EXPECT_EQ(night.sen_id[2], 58);
}

TEST_F(PlayerControllerTest, NewPlayerWithoutAFreeSeatAfterTheCursor)
{
    PlayerController &c = open();
    c.selectCell(6, 6);
    place(1); // seat 35; the cursor wraps to seat 0
    c.selectCell(6, 6);
    c.Cmd_newPlayer();
    EXPECT_EQ(desktop.lastMessageText(), u"あいている選手枠をクリックしてから登録してください。"_s);
    EXPECT_EQ(c.state(), State::Choosing);

    // A header cell names no seat either.
    desktop.clearRecords();
    c.selectCell(1, 1);
    place(1); // refused: seated already; the cursor stays on seat 0
    c.selectCell(1, 1);
    place(2); // seat 0 free: placed
    c.selectCell(1, 1);
    place(57); // seat taken: the cursor goes to row 0, column 0
    c.Cmd_newPlayer();
    EXPECT_EQ(desktop.lastMessageText(), u"あいている選手枠をクリックしてから登録してください。"_s);
    EXPECT_EQ(c.state(), State::Choosing);
}

TEST_F(PlayerControllerTest, ClearingACellKeepsTheHandicap)
{
    PlayerController &c = open();
    place(2);
    c.selectCell(1, 1);
    c.Pct_can();
    EXPECT_EQ(night.sen_id[0], -1);
    EXPECT_EQ(night.sen_name[0], QString(10, u' '));
    EXPECT_EQ(night.sen_hcp[0], 30);
    EXPECT_EQ(c.cellText(1, 1), QString());
    // The player can be placed again.
    place(2);
    EXPECT_EQ(night.sen_id[0], 2);
}

TEST_F(PlayerControllerTest, GoingToScoreEntryStartsAtTheFirstCellOnlyTheFirstTime)
{
    PlayerController &c = open();
    c.selectCell(4, 3);
    c.Cmd_InpMARK();
    EXPECT_EQ(c.row(), 1);
    EXPECT_EQ(c.col(), 1);
    EXPECT_EQ(c.entryCount(), 1);
    c.selectCell(4, 3);
    c.Cmd_InpMARK();
    EXPECT_EQ(c.row(), 4);
    EXPECT_EQ(c.col(), 3);
    EXPECT_EQ(c.entryCount(), 2);
}

TEST_F(PlayerControllerTest, LeavingCopiesTheNamesAndSetsTheSeat)
{
    PlayerController &c = open();
    place(1);
    place(2);
    night.screen.Txt_MARK[0] = u"Ｘ"_s;
    night.screen.Txt_SCORE[1] = u"9"_s;
    c.selectCell(2, 1);
    c.leave();
    EXPECT_EQ(night.cur_sen, 1);
    for (int g = 0; g <= 2; ++g) {
        EXPECT_EQ(night.score_tbl(0, g).sen_name, u"山田        "_s);
        EXPECT_EQ(night.score_tbl(1, g).sen_name, u"鈴木        "_s);
        EXPECT_EQ(night.score_tbl(2, g).sen_name, u"選手名未入力    "_s);
    }
    EXPECT_EQ(night.screen.Txt_MARK[0], u"　"_s);
    EXPECT_EQ(night.screen.Txt_SCORE[1], QString());

    // A cursor outside the seats gives seat 0.
    c.selectCell(1, 1);
    place(2); // seat taken: row 0, column 0
    night.cur_sen = 5;
    c.leave();
    EXPECT_EQ(night.cur_sen, 0);
}

} // namespace
