#include "support/builders.h"

#include "store/schema.h"

#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace support {

void addPlayer(store::Database &db, int playerId, const QString &name)
{
    db.exec(u"INSERT INTO 選手 (選手ID, 選手名) VALUES (?, ?)"_s, {playerId, name});
}

qint64 addSeason(store::Database &db, const QString &name, const QString &period)
{
    db.exec(u"INSERT INTO シーズン (シーズン時期, シーズン名) VALUES (?, ?)"_s, {period, name});
    return db.lastInsertId();
}

qint64 addVenue(store::Database &db, const QString &name)
{
    db.exec(u"INSERT INTO 会場 (会場名) VALUES (?)"_s, {name});
    return db.lastInsertId();
}

qint64 addHandicap(store::Database &db, int playerId, int seasonId, int handicap)
{
    db.exec(u"INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) VALUES (?, ?, ?)"_s,
            {playerId, seasonId, handicap});
    return db.lastInsertId();
}

void addMatch(store::Database &db, const MatchSpec &m)
{
    db.exec(u"INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日, １着ID, S10, 競技点) "
            u"VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
            {m.matchId, m.seasonId, m.number, m.date, m.firstPlayerId, m.score, m.points});
}

qint64 addGame(store::Database &db, const GameSpec &g)
{
    const QVariantMap data{
        {u"選手ID"_s, g.playerId}, {u"試合ID"_s, g.matchId}, {u"ｹﾞｰﾑ"_s, g.game},
        {u"優Ｐ"_s, g.winPoints},  {u"上位"_s, g.upper},     {u"S10"_s, g.score},
        {u"ST"_s, g.strikes},      {u"SP"_s, g.spares},      {u"SPF"_s, g.missed},
        {u"ｽﾌﾟﾘｯﾄ"_s, g.splits},   {u"当日"_s, g.dayRank},   {u"入賞"_s, g.placing},
        {u"競技点"_s, g.score + g.handicap}, {u"HCP"_s, g.handicap}, {u"人数"_s, g.players},
        {u"順位"_s, g.rank},       {u"試合日"_s, g.date},    {u"会場ID"_s, g.venueId},
    };
    const QStringList balls = store::schema::ballSuffixes();
    QVariantMap marks;
    QVariantMap frames;
    for (int i = 0; i < balls.size(); ++i) {
        const bool first = i % 2 == 0 && i < 18;
        marks.insert(u"M"_s + balls.at(i),
                     i < g.marks.size() ? g.marks.at(i) : (first || i == 18 ? u"9"_s : u"-"_s));
        frames.insert(u"Flms"_s + balls.at(i),
                      i < g.codes.size() ? g.codes.at(i) : (first || i == 18 ? 9 : 19));
        frames.insert(u"pin"_s + balls.at(i), i < g.pins.size() ? g.pins.at(i) : -1);
    }
    for (int f = 1; f <= 10; ++f)
        marks.insert(u"S"_s + QString::number(f),
                     f <= g.totals.size() ? g.totals.at(f - 1) : g.score * f / 10);
    return db.insertGame(data, marks, frames);
}

} // namespace support
