#include "support/league_fixture.h"

#include "support/builders.h"

using namespace Qt::StringLiterals;

namespace support {

void LeagueTest::SetUp()
{
    store::Database &d = db();
    addPlayer(d, 1, u"山田"_s);
    addPlayer(d, 2, u"鈴木"_s);
    addPlayer(d, 3, u"O'Neil"_s);
    addSeason(d, u"春"_s, u"2024前期"_s);
    addSeason(d, u"秋"_s, u"2024後期"_s);
    addVenue(d, u"中央"_s);
    addHandicap(d, 1, 1, 10);
    addHandicap(d, 2, 1, 20);
    addMatch(d, {1, 1, 1, QDate(2024, 4, 1), 1, 200, 210});
    addMatch(d, {2, 1, 2, QDate(2024, 4, 8), 2, 220, 240});
    addMatch(d, {3, 2, 1, QDate(2024, 10, 1), 3, 190, 190});

    auto game = [&](int player, int match, int g, int score, int points, int upper, int st,
                    int sp, int spf, const QString &placing, QDate date, int venue) {
        GameSpec s;
        s.playerId = player;
        s.matchId = match;
        s.game = g;
        s.score = score;
        s.winPoints = points;
        s.upper = upper;
        s.strikes = st;
        s.spares = sp;
        s.missed = spf;
        s.placing = placing;
        s.date = date;
        s.venueId = venue;
        s.handicap = player == 1 ? 10 : 0;
        addGame(d, s);
    };
    const QDate m1(2024, 4, 1), m2(2024, 4, 8), m3(2024, 10, 1);
    game(1, 1, 1, 200, 10, 1, 5, 3, 1, u"１着  "_s, m1, 1);
    game(2, 1, 1, 180, 0, 1, 3, 3, 0, u"２着  "_s, m1, 1);
    game(1, 1, 2, 150, 0, 0, 2, 4, 2, u"    "_s, m1, 1);
    game(2, 1, 2, 160, 0, 1, 1, 5, 1, u"    "_s, m1, 1);
    game(3, 3, 1, 190, 10, 1, 4, 4, 0, u"１着  "_s, m3, 0); // venue not recorded
    game(1, 3, 1, 170, 0, 0, 2, 3, 1, u"２着  "_s, m3, 0);
    game(2, 2, 1, 220, 12, 1, 6, 2, 0, u"１着  "_s, m2, 1);
    game(1, 2, 1, 140, 0, 0, 1, 2, 3, u"２着  "_s, m2, 1);
}

} // namespace support
