#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>

namespace store {
class Database;
}

namespace bench {

// Size and seed of a generated league.
struct LeagueOptions
{
    quint64 seed = 1;
    int seasons = 30;
    int nights = 24;  // match nights per season
    int players = 30; // about this many bowl each night
    int games = 4;    // games per night

    static LeagueOptions small() { return {1, 3, 4, 8, 3}; }
    static LeagueOptions large() { return {}; }
};

// One bowled (or, with bowled false, empty) game of a night with every value
// a committed night stores for it.
struct NightGame
{
    bool bowled = false;
    int game = 0; // 1-based
    std::array<QString, 21> markText;
    std::array<int, 21> markCode {};
    std::array<int, 21> markKind {};
    std::array<std::int32_t, 21> pins {};
    std::array<int, 11> runningScore {}; // [1..10]
    int hcp = 0;
    int score = 0;    // S10
    int hcpScore = 0; // 競技点
    int strikes = 0, spares = 0, missed = 0, splits = 0;
    int rank = 0;     // 順位
    int upper = 0;    // 上位
    int bestDay = 0;  // 当日
    int bestHcp = 0;  // best-handicapped flag (1 = best), not stored
    int bowlers = 0;  // 人数
    int points = 0;   // 優Ｐ
    QString placing;  // 入賞, 4 characters
};

struct NightPlayer
{
    int playerId = 0;
    QList<NightGame> games; // one per game of the night
};

// A whole match night, ready to be stored.
struct Night
{
    int matchId = 0;  // 試合ID
    int seasonId = 0;
    int matchNo = 0;  // 試合 within the season
    QDate date;
    int venueId = 0;
    QList<NightPlayer> players; // seat order
};

// How a generated player bowls.
struct Bowler
{
    int id = 0;
    double strikeRate = 0.2;
    double spareRate = 0.5;
    double splitRate = 0.07;
    double foulRate = 0.005;
    int hcp = 0;
};

class Random
{
public:
    explicit Random(quint64 seed) : m_state(seed * 0x9E3779B97F4A7C15ULL + 0x632BE59BD9B4E019ULL) {}
    quint64 next();
    int below(int n); // 0..n-1
    double real();    // [0, 1)
    bool chance(double p) { return real() < p; }

private:
    quint64 m_state;
};

// Bowls one game for a bowler: balls, pin sets, frame scores and mark texts
// through the scoring layer's calculation, and the per-game counts.
NightGame bowlGame(Random &rnd, const Bowler &bowler, bool recordPins);

// Ranks, upper-half flags, best-game ranks, placings and win points of a
// night whose games have been bowled (upper-weighted points on the best
// handicapped game, the default options of results processing).
void rankNight(Night &night);

// Stores a night as a commit does: the three rows of each bowled game with
// one shared ID, then the 試合 row. Runs in one transaction. Returns the
// number of game rows written.
int storeNight(store::Database &db, const Night &night);

// Makes a night of bowlers in the given order, every game bowled.
Night makeNight(Random &rnd, const QList<Bowler> &bowlers, int games, bool recordPins);

// Writes a whole league into a newly created database: venues, seasons,
// players, handicaps and every match night. Returns the number of game rows.
qint64 generateLeague(store::Database &db, const LeagueOptions &options);

} // namespace bench
