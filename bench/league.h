#pragma once

#include "config/match_globals.h"
#include "results/commit.h"
#include "results/night_results.h"
#include "scoring/night.h"

#include <QDate>
#include <QList>
#include <QString>

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

// How a generated player bowls.
struct Bowler
{
    int id = 0;
    QString name; // 選手名
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

// A match night as score entry leaves it: the night's identity from match
// setup and the sheets of the seated players, every bowled sheet calculated.
struct Night
{
    config::MatchGlobals match;
    scoring::Night sheets;
};

// Seats the bowlers in seats 0, 1, ... (name, handicap, venue and date on
// each of their sheets) and bowls every game of the night for each of them.
// match.kaijo_id and the date go onto the sheets.
Night makeNight(Random &rnd, const QList<Bowler> &bowlers, const config::MatchGlobals &match,
                int games, bool recordPins);

// Bowls one game into the sheet score_tbl(seat, game): balls chosen from the
// bowler's rates, entered as the score entry screen enters marks, with the
// pins left standing when recordPins, then the entry screen's calculation.
void bowlGame(Random &rnd, const Bowler &bowler, bool recordPins, scoring::Night &sheets, int seat,
              int game);

// Empties a sheet: the player did not bowl that game.
void missGame(Night &night, int seat, int game);

// Results processing of the night with the default options (those of a new
// settings store): the hand-over data of score entry (ANA) and the
// calculation. Throws std::runtime_error when the calculation does not
// succeed.
results::Night_results calculateNight(const Night &night);

// The games the commit of the night stores.
results::Commit_sheets nightSheets(const Night &night);

// Commits the night as results processing does: the three rows of every
// bowled game under one shared ID, the milestones, then the 試合 row, in one
// transaction. Throws store::Error when nothing was stored.
results::Commit_outcome storeNight(store::Database &db, const Night &night);

// Writes a whole league into a newly created database: venues, seasons,
// players, handicaps and every match night. Returns the number of game rows.
qint64 generateLeague(store::Database &db, const LeagueOptions &options);

} // namespace bench
