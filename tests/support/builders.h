#pragma once

#include "store/database.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace support {

// Rows for tests, written straight into the tables.
void addPlayer(store::Database &db, int playerId, const QString &name);
// Returns the new シーズンID.
qint64 addSeason(store::Database &db, const QString &name, const QString &period = QString());
// Returns the new 会場ID.
qint64 addVenue(store::Database &db, const QString &name);
// Returns the new ハンデ.ID.
qint64 addHandicap(store::Database &db, int playerId, int seasonId, int handicap);

struct MatchSpec
{
    int matchId = 1;  // 試合ID
    int seasonId = 1; // シーズンID
    int number = 1;   // 試合
    QDate date = QDate(2024, 4, 1);
    int firstPlayerId = 0; // １着ID
    int score = 0;         // S10
    int points = 0;        // 競技点
};
void addMatch(store::Database &db, const MatchSpec &match);

// One stored game. Marks default to a game of nine-count frames ("9", "-");
// running totals are spread evenly up to the score when left empty.
struct GameSpec
{
    int playerId = 1;
    int matchId = 1;
    int game = 1; // ｹﾞｰﾑ
    int score = 0; // S10
    int winPoints = 0; // 優Ｐ
    int upper = 0;     // 上位
    int strikes = 0;   // ST
    int spares = 0;    // SP
    int missed = 0;    // SPF
    int splits = 0;    // ｽﾌﾟﾘｯﾄ
    int dayRank = 1;   // 当日
    QString placing;   // 入賞
    int handicap = 0;  // HCP
    int players = 1;   // 人数
    int rank = 1;      // 順位
    QDate date = QDate(2024, 4, 1);
    int venueId = 0;
    QStringList marks;      // 21 mark texts M11 … M03
    QList<int> totals;      // S1 … S10
    QList<int> codes;       // 21 mark codes Flms11 … Flms03
    QList<int> pins;        // 21 pin sets pin11 … pin03
};
// Stores the game in all three game tables under one ID and returns it.
qint64 addGame(store::Database &db, const GameSpec &game);

} // namespace support
