#include "setup/siai_controller.h"

#include "config/match_globals.h"
#include "platform/scripted_desktop.h"
#include "scoring/night.h"
#include "store/recordset.h"
#include "support/builders.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using setup::SiaiController;

namespace {

class SiaiControllerTest : public support::DatabaseTest
{
protected:
    SiaiController &open(int maxGame = 3)
    {
        ctl = std::make_unique<SiaiController>(db(), desktop, match, night);
        ctl->load(maxGame);
        return *ctl;
    }
    void addMatch(int id, int season, int number)
    {
        support::MatchSpec m;
        m.matchId = id;
        m.seasonId = season;
        m.number = number;
        support::addMatch(db(), m);
    }
    // A proposed new match, ready to confirm.
    SiaiController &proposed()
    {
        SiaiController &c = open();
        c.newMatch(QDate(2024, 5, 10));
        desktop.clearRecords();
        return c;
    }

    platform::ScriptedDesktop desktop;
    config::MatchGlobals match;
    scoring::Night night { 1 };
    std::unique_ptr<SiaiController> ctl;
};

TEST_F(SiaiControllerTest, LoadRecreatesTheNightForTheSettingsGames)
{
    night.cur_sen = 7;
    night.cur_game = 1;
    night.last_sen = 3;
    open(5);
    EXPECT_EQ(night.max_game(), 5);
    EXPECT_EQ(night.cur_sen, 0);
    EXPECT_EQ(night.cur_game, 0);
    EXPECT_EQ(night.last_sen, 35);
    EXPECT_TRUE(night.score_tbl.contains(35, 5));
    EXPECT_FALSE(night.score_tbl.contains(36, 0));
    EXPECT_EQ(ctl->state(), SiaiController::State::Idle);
}

TEST_F(SiaiControllerTest, EmptyDatabaseProposesMatchOneWithTodaysDate)
{
    SiaiController &c = open();
    c.newMatch(QDate(2025, 3, 7));
    EXPECT_EQ(c.state(), SiaiController::State::NewMatch);
    EXPECT_EQ(c.siaiIdText(), u"1"_s);
    EXPECT_EQ(match.siai_id, 1);
    EXPECT_EQ(c.matchNoText(), u"1"_s);
    EXPECT_EQ(c.yearText(), u"2025"_s);
    EXPECT_EQ(c.monthText(), u"03"_s);
    EXPECT_EQ(c.dayText(), u"07"_s);
}

TEST_F(SiaiControllerTest, ProposalFollowsTheLargestStoredMatchId)
{
    support::addSeason(db(), u"春"_s);
    addMatch(3, 1, 1);
    addMatch(17, 1, 2);
    SiaiController &c = open();
    c.newMatch(QDate(2025, 3, 7));
    EXPECT_EQ(c.siaiIdText(), u"18"_s);
    EXPECT_EQ(match.siai_id, 18);
}

TEST_F(SiaiControllerTest, FirstFreeNumberOfTheSeasonNotTheLargestPlusOne)
{
    const int older = int(support::addSeason(db(), u"春"_s));
    const int newer = int(support::addSeason(db(), u"秋"_s));
    addMatch(1, newer, 1);
    addMatch(2, newer, 2);
    addMatch(3, newer, 4);
    addMatch(4, older, 1);
    SiaiController &c = open();
    c.newMatch(QDate(2025, 3, 7));
    // The newest season comes first.
    EXPECT_EQ(c.seasonRow(), 0);
    EXPECT_EQ(c.seasonIdText(), QString::number(newer));
    EXPECT_EQ(c.matchNoText(), u"3"_s);
    EXPECT_EQ(match.siai_no, 3);

    c.setSeasonRow(1);
    EXPECT_EQ(c.seasonIdText(), QString::number(older));
    EXPECT_EQ(c.matchNoText(), u"2"_s);

    // A season without matches starts at 1.
    const int empty = int(support::addSeason(db(), u"冬"_s));
    c.reloadLists();
    c.setSeasonRow(0);
    EXPECT_EQ(c.seasonIdText(), QString::number(empty));
    EXPECT_EQ(c.matchNoText(), u"1"_s);
}

TEST_F(SiaiControllerTest, ConfirmSetsTheNightsIdentity)
{
    support::addSeason(db(), u"春"_s);
    const int venue = int(support::addVenue(db(), u"中央ボウル"_s));
    support::addVenue(db(), u"駅前レーン"_s);
    addMatch(1, 1, 1);
    SiaiController &c = proposed();
    c.setVenueRow(1);
    EXPECT_EQ(c.venueNameText(), u"駅前レーン"_s);
    c.setVenueRow(0);
    EXPECT_EQ(c.venueIdText(), QString::number(venue));
    ASSERT_TRUE(c.confirm());
    EXPECT_EQ(match.siai_id, 2);
    EXPECT_EQ(match.srs_id, 1);
    EXPECT_EQ(match.siai_no, 2);
    EXPECT_EQ(match.siai_yy, 2024);
    EXPECT_EQ(match.siai_mm, 5);
    EXPECT_EQ(match.siai_dd, 10);
    EXPECT_EQ(match.kaijo_id, venue);
    EXPECT_TRUE(desktop.messages().empty());
    EXPECT_EQ(desktop.beeps(), 0);
}

TEST_F(SiaiControllerTest, FractionOfTheMatchNumberIsDropped)
{
    support::addSeason(db(), u"春"_s);
    SiaiController &c = proposed();
    c.setSiaiIdText(u"2.7"_s);
    c.setMatchNoText(u"5.9"_s);
    ASSERT_TRUE(c.confirm());
    EXPECT_EQ(c.siaiIdText(), u"2"_s);
    EXPECT_EQ(match.siai_id, 2);
    EXPECT_EQ(match.siai_no, 5);
}

TEST_F(SiaiControllerTest, RefusalsBeepShowTheirMessageAndNameTheBox)
{
    const int season = int(support::addSeason(db(), u"春"_s));
    addMatch(4, season, 2);
    struct Case
    {
        const char *name;
        QString siaiId, matchNo, year, month, day;
        QString message;
        SiaiController::Box focus;
    };
    const Case cases[] = {
        { "zero id", u"0"_s, u"1"_s, u"2024"_s, u"05"_s, u"10"_s, SiaiController::msgSiaiIdBelowOne(),
          SiaiController::Box::SiaiId },
        { "fraction below one", u"0.9"_s, u"1"_s, u"2024"_s, u"05"_s, u"10"_s, SiaiController::msgSiaiIdBelowOne(),
          SiaiController::Box::SiaiId },
        { "not a number", u"abc"_s, u"1"_s, u"2024"_s, u"05"_s, u"10"_s, SiaiController::msgSiaiIdBelowOne(),
          SiaiController::Box::SiaiId },
        { "duplicate id", u"4"_s, u"1"_s, u"2024"_s, u"05"_s, u"10"_s, SiaiController::msgSiaiIdTaken(),
          SiaiController::Box::SiaiId },
        { "duplicate id with fraction", u"4.5"_s, u"1"_s, u"2024"_s, u"05"_s, u"10"_s,
          SiaiController::msgSiaiIdTaken(), SiaiController::Box::SiaiId },
        { "duplicate in season", u"5"_s, u"2"_s, u"2024"_s, u"05"_s, u"10"_s, SiaiController::msgMatchNoTaken(),
          SiaiController::Box::MatchNo },
        { "duplicate in season with fraction", u"5"_s, u"2.7"_s, u"2024"_s, u"05"_s, u"10"_s,
          SiaiController::msgMatchNoTaken(), SiaiController::Box::MatchNo },
        { "February 30", u"5"_s, u"1"_s, u"2024"_s, u"02"_s, u"30"_s, SiaiController::msgBadDate(),
          SiaiController::Box::Month },
        { "February 29 of a common year", u"5"_s, u"1"_s, u"2023"_s, u"02"_s, u"29"_s,
          SiaiController::msgBadDate(), SiaiController::Box::Month },
        { "month 13", u"5"_s, u"1"_s, u"2024"_s, u"13"_s, u"01"_s, SiaiController::msgBadDate(),
          SiaiController::Box::Month },
        { "month 0", u"5"_s, u"1"_s, u"2024"_s, u"00"_s, u"01"_s, SiaiController::msgBadDate(),
          SiaiController::Box::Month },
        { "day 32", u"5"_s, u"1"_s, u"2024"_s, u"01"_s, u"32"_s, SiaiController::msgBadDate(),
          SiaiController::Box::Month },
        { "day too large for its field", u"5"_s, u"1"_s, u"2024"_s, u"01"_s, u"300"_s, SiaiController::msgBadDate(),
          SiaiController::Box::Month },
        { "empty year", u"5"_s, u"1"_s, QString(), u"01"_s, u"01"_s, SiaiController::msgBadDate(),
          SiaiController::Box::Month },
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        SiaiController &c = proposed();
        const config::MatchGlobals before = match;
        c.setSiaiIdText(k.siaiId);
        c.setMatchNoText(k.matchNo);
        c.setYearText(k.year);
        c.setMonthText(k.month);
        c.setDayText(k.day);
        EXPECT_FALSE(c.confirm());
        EXPECT_EQ(desktop.beeps(), 1);
        ASSERT_EQ(desktop.messages().size(), 1u);
        EXPECT_EQ(desktop.lastMessageText(), k.message);
        EXPECT_EQ(desktop.messages().front().message.buttons, platform::Buttons::Ok);
        EXPECT_EQ(c.focusBox(), k.focus);
        EXPECT_EQ(c.state(), SiaiController::State::NewMatch);
        // The typed input stays.
        EXPECT_EQ(c.monthText(), k.month);
        EXPECT_EQ(c.matchNoText(), k.matchNo);
        EXPECT_EQ(match.srs_id, before.srs_id);
    }
}

TEST_F(SiaiControllerTest, YearOutsideTheScrollRangeIsAcceptedForAValidDate)
{
    support::addSeason(db(), u"春"_s);
    for (const QString &year : { u"1999"_s, u"2150"_s }) {
        SCOPED_TRACE(year.toStdString());
        SiaiController &c = proposed();
        c.setYearText(year);
        c.setMonthText(u"02"_s);
        c.setDayText(u"28"_s);
        ASSERT_TRUE(c.confirm());
        EXPECT_EQ(match.siai_yy, year.toInt());
    }
}

TEST_F(SiaiControllerTest, ScrollBarsWriteFormattedBoxes)
{
    SiaiController &c = proposed();
    c.scrollYear(2003);
    c.scrollMonth(4);
    c.scrollDay(9);
    c.scrollMatchNo(12);
    EXPECT_EQ(c.yearText(), u"2003"_s);
    EXPECT_EQ(c.monthText(), u"04"_s);
    EXPECT_EQ(c.dayText(), u"09"_s);
    EXPECT_EQ(c.matchNoText(), u"12"_s);
}

TEST_F(SiaiControllerTest, AddedSeasonIsStoredAndBecomesTheCurrentRow)
{
    support::addSeason(db(), u"春"_s);
    SiaiController &c = proposed();
    c.startAdd(SiaiController::Addition::Season);
    EXPECT_TRUE(c.isAdding(SiaiController::Addition::Season));
    EXPECT_EQ(c.focusBox(), SiaiController::Box::AddSeason);

    EXPECT_FALSE(c.confirmAdd(SiaiController::Addition::Season, QString()));
    EXPECT_EQ(desktop.beeps(), 1);
    EXPECT_TRUE(desktop.messages().empty());
    EXPECT_TRUE(c.isAdding(SiaiController::Addition::Season));
    EXPECT_EQ(db().scalar(u"SELECT COUNT(*) FROM シーズン"_s).toInt(), 1);

    ASSERT_TRUE(c.confirmAdd(SiaiController::Addition::Season, u"2025年秋"_s));
    EXPECT_FALSE(c.isAddingAny());
    EXPECT_EQ(db().scalar(u"SELECT シーズンID FROM シーズン WHERE シーズン名 = '2025年秋'"_s).toInt(), 2);
    EXPECT_EQ(c.seasons().recordCount(), 2);
    EXPECT_EQ(c.seasonRow(), 0);
    EXPECT_EQ(c.seasonIdText(), u"2"_s);
    EXPECT_EQ(c.matchNoText(), u"1"_s);
}

TEST_F(SiaiControllerTest, AddedVenueIsStoredAndListed)
{
    support::addVenue(db(), u"中央ボウル"_s);
    SiaiController &c = open();
    c.startAdd(SiaiController::Addition::Venue);
    EXPECT_FALSE(c.confirmAdd(SiaiController::Addition::Venue, QString()));
    EXPECT_EQ(desktop.beeps(), 1);
    ASSERT_TRUE(c.confirmAdd(SiaiController::Addition::Venue, u"駅前レーン"_s));
    EXPECT_EQ(db().scalar(u"SELECT 会場ID FROM 会場 WHERE 会場名 = '駅前レーン'"_s).toInt(), 2);
    EXPECT_EQ(c.venues().recordCount(), 2);
    store::Recordset &v = c.venues();
    v.moveLast();
    EXPECT_EQ(v.value(u"会場名"_s).toString(), u"駅前レーン"_s);
}

TEST_F(SiaiControllerTest, ConfirmingWritesNothingToMatches)
{
    support::addSeason(db(), u"春"_s);
    SiaiController &c = proposed();
    ASSERT_TRUE(c.confirm());
    EXPECT_EQ(db().scalar(u"SELECT COUNT(*) FROM 試合"_s).toInt(), 0);
}

TEST(SiaiVal, ReadsTheLeadingNumber)
{
    const std::pair<QString, double> cases[] = {
        { u"2.7"_s, 2.7 }, { u" 12ab"_s, 12 }, { QString(), 0 }, { u"x5"_s, 0 }, { u"-3"_s, -3 }, { u"0005"_s, 5 },
    };
    for (const auto &[text, value] : cases)
        EXPECT_DOUBLE_EQ(SiaiController::val(text), value) << text.toStdString();
}

} // namespace
