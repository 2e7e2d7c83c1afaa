#include "bench/league.h"

#include "scoring/mark_texts.h"
#include "scoring/night.h"
#include "scoring/split_table.h"
#include "store/database.h"
#include "store/schema.h"
#include "store/transaction.h"

#include <QVariantMap>

#include <algorithm>
#include <bit>
#include <cmath>

using namespace Qt::StringLiterals;

namespace bench {

quint64 Random::next()
{
    // splitmix64: small, fast and the same on every platform.
    quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int Random::below(int n)
{
    return n <= 1 ? 0 : int(next() % quint64(n));
}

double Random::real()
{
    return double(next() >> 11) * (1.0 / 9007199254740992.0);
}

namespace {

struct Ball
{
    int code = scoring::code_empty;
    std::int32_t left = scoring::no_pattern; // pins standing after the ball
    bool split = false;
};

// n pins of the set from, chosen at random.
std::int32_t choosePins(Random &rnd, std::int32_t from, int n)
{
    std::int32_t chosen = 0;
    QList<int> pins;
    for (int bit = 0; bit < 10; ++bit)
        if (from & (1 << bit))
            pins << bit;
    for (int i = 0; i < n && !pins.isEmpty(); ++i)
        chosen |= 1 << pins.takeAt(rnd.below(int(pins.size())));
    return chosen;
}

int standingAfterFirst(Random &rnd)
{
    // Pins left by a first ball that is neither a strike nor a chosen split.
    static constexpr int weights[] = {0, 40, 26, 14, 9, 5, 3, 2, 1, 1, 1};
    int r = rnd.below(102);
    for (int n = 1; n <= 10; ++n) {
        r -= weights[n];
        if (r < 0)
            return n;
    }
    return 1;
}

Ball firstBall(Random &rnd, const Bowler &b)
{
    if (rnd.chance(b.foulRate))
        return {scoring::code_foul, scoring::all_pins, false};
    if (rnd.chance(b.strikeRate))
        return {scoring::code_strike, 0, false};
    std::int32_t left;
    if (rnd.chance(b.splitRate)) {
        // Splits with few pins standing are the common ones: best of two draws.
        const auto patterns = scoring::split_patterns();
        left = patterns[std::size_t(rnd.below(int(patterns.size())))];
        const std::int32_t other = patterns[std::size_t(rnd.below(int(patterns.size())))];
        if (std::popcount(unsigned(other)) < std::popcount(unsigned(left)))
            left = other;
    } else {
        // Other leaves are mostly pins standing together: draw again a few
        // times when the pins fell as a split.
        const int standing = standingAfterFirst(rnd);
        left = choosePins(rnd, scoring::all_pins, standing);
        for (int tries = 0; tries < 8 && scoring::is_split_pattern(left); ++tries)
            left = choosePins(rnd, scoring::all_pins, standing);
    }
    const int down = 10 - std::popcount(unsigned(left));
    return {down, left, scoring::is_split_pattern(left)};
}

Ball secondBall(Random &rnd, const Bowler &b, const Ball &first)
{
    const int standing = std::popcount(unsigned(first.left));
    double p = b.spareRate;
    if (first.split)
        p *= 0.12;
    else if (standing == 1)
        p = std::min(0.97, p * 1.25);
    else if (standing >= 4)
        p *= 0.45;
    if (rnd.chance(p))
        return {scoring::code_spare, 0, false};
    const int down = rnd.below(standing); // 0 .. standing - 1
    const std::int32_t fallen = choosePins(rnd, first.left, down);
    return {down == 0 ? scoring::code_miss : down, first.left & ~fallen, false};
}

const scoring::Mark_texts &markTexts()
{
    static const scoring::Mark_texts marks;
    return marks;
}

} // namespace

NightGame bowlGame(Random &rnd, const Bowler &bowler, bool recordPins)
{
    // One sheet of the scoring layer, reused: the calculation gives the frame
    // scores, the kinds and the canonical mark texts.
    static scoring::Night sheets(0);
    sheets.cur_sen = 0;
    sheets.cur_game = 0;
    sheets.cur_slot = 0;
    sheets.screen = scoring::Sheet_screen();
    scoring::Score_rec &s = sheets.cur_sheet();
    s.reset_marks();
    s.hcp = bowler.hcp;

    const auto enter = [&](int slot, const Ball &ball) {
        s.mark_cd[std::size_t(slot)] = std::uint8_t(ball.code);
        s.mark_kind[std::size_t(slot)] = scoring::kind_plain;
        s.pin_bits[std::size_t(slot)] = recordPins ? ball.left : scoring::no_pattern;
        sheets.screen.Txt_MARK[std::size_t(slot)] = markTexts().caption(ball.code);
        sheets.screen.split[std::size_t(slot)] = ball.split;
    };

    for (int frame = 0; frame < 9; ++frame) {
        const Ball first = firstBall(rnd, bowler);
        enter(2 * frame, first);
        if (first.code != scoring::code_strike)
            enter(2 * frame + 1, secondBall(rnd, bowler, first));
    }
    const Ball b18 = firstBall(rnd, bowler);
    enter(18, b18);
    if (b18.code == scoring::code_strike) {
        const Ball b19 = firstBall(rnd, bowler);
        enter(19, b19);
        enter(20, b19.code == scoring::code_strike ? firstBall(rnd, bowler)
                                                   : secondBall(rnd, bowler, b19));
    } else {
        const Ball b19 = secondBall(rnd, bowler, b18);
        enter(19, b19);
        if (b19.code == scoring::code_spare)
            enter(20, firstBall(rnd, bowler));
    }
    sheets.Cmd_KEISAN(markTexts());

    NightGame g;
    g.bowled = true;
    g.hcp = bowler.hcp;
    for (std::size_t i = 0; i < 21; ++i) {
        g.markText[i] = s.mark_txt[i];
        g.markCode[i] = s.mark_cd[i];
        g.markKind[i] = s.mark_kind[i];
        g.pins[i] = s.pin_bits[i];
    }
    for (std::size_t f = 1; f <= 10; ++f)
        g.runningScore[f] = s.fl_score[f];
    g.score = s.fl_score[10];
    g.hcpScore = s.fl_score[0];

    // Ball counts; a missed spare after a split counts as one.
    const auto kind = [&g](int i) { return g.markKind[std::size_t(i)]; };
    for (int i = 0; i <= 20; ++i) {
        g.splits += kind(i) == scoring::kind_split;
        g.spares += kind(i) == scoring::kind_spare;
        g.strikes += kind(i) == scoring::kind_strike;
    }
    for (int i = 1; i <= 19; i += 2)
        g.missed += kind(i - 1) != scoring::kind_strike && kind(i) != scoring::kind_spare;
    g.missed += kind(18) == scoring::kind_strike && kind(19) != scoring::kind_strike
        && kind(20) != scoring::kind_spare;
    return g;
}

namespace {

QString placingText(int place)
{
    QString t = place <= 9 ? QString(QChar(0xFF10 + place)) + u"着"_s
                           : (QString::number(place) + u"着"_s).right(3);
    return t.leftJustified(4, u' ');
}

int upperWeightedPoints(int n, int place)
{
    int p = place == 1 ? n + 9 : place == 2 ? n + 4 : place == 3 ? n + 1 : n - 2 * place + 1;
    p = std::max(p, 0);
    if (n < 6 && place >= 3)
        p = 0;
    if (n <= 3 && place >= 2)
        p = 0;
    return p;
}

} // namespace

void rankNight(Night &night)
{
    const int n = int(night.players.size());
    const int gameCount = n ? int(night.players.front().games.size()) : 0;
    QList<int> bowlers(gameCount, 0);
    for (const NightPlayer &p : night.players)
        for (int g = 0; g < gameCount; ++g)
            bowlers[g] += p.games[g].bowled;

    // The player's games ranked by scratch and by handicapped score; of two
    // equal scores the later game counts as the better one.
    QList<std::array<int, 3>> best(n, {0, 0, 0});
    for (int p = 0; p < n; ++p) {
        QList<NightGame> &games = night.players[p].games;
        for (NightGame &g : games) {
            g.bestDay = 2 - gameCount;
            g.bestHcp = 2 - gameCount;
        }
        for (int g = 0; g < gameCount; ++g)
            for (int j = g + 1; j < gameCount; ++j) {
                ++(games[g].score <= games[j].score ? games[j] : games[g]).bestDay;
                ++(games[g].hcpScore <= games[j].hcpScore ? games[j] : games[g]).bestHcp;
            }
        for (const NightGame &g : games)
            for (int k = 1; k <= 3; ++k)
                if (g.bestHcp == 2 - k)
                    best[p][std::size_t(k - 1)] = g.hcpScore;
    }

    // Rank in each game by scratch score, equal scores sharing the better rank.
    for (int g = 0; g < gameCount; ++g) {
        for (int p = 0; p < n; ++p) {
            NightGame &game = night.players[p].games[g];
            game.game = g + 1;
            game.rank = n;
            game.bowlers = bowlers[g];
            game.points = 0;
            game.placing = u"    "_s;
        }
        for (int p = 0; p < n; ++p)
            for (int q = p + 1; q < n; ++q) {
                NightGame &a = night.players[p].games[g];
                NightGame &b = night.players[q].games[g];
                if (a.score >= b.score)
                    --a.rank;
                if (b.score >= a.score)
                    --b.rank;
            }
        for (int p = 0; p < n; ++p) {
            NightGame &game = night.players[p].games[g];
            game.upper = bowlers[g] / 2.0 >= game.rank ? 1 : 0;
        }
    }

    // The night's place by the best handicapped game, then the second and
    // the third best.
    const int tieBreaks = std::min(gameCount, 3);
    const auto key = [&](int p) {
        std::array<int, 3> k = best[p];
        for (int i = tieBreaks; i < 3; ++i)
            k[std::size_t(i)] = 0;
        return k;
    };
    QList<int> place(n, n);
    for (int p = 0; p < n; ++p)
        for (int q = p + 1; q < n; ++q) {
            const auto a = key(p), b = key(q);
            if (a >= b)
                --place[p];
            if (b >= a)
                --place[q];
        }
    for (int p = 0; p < n; ++p)
        for (NightGame &g : night.players[p].games)
            if (g.bestHcp == 1) {
                g.placing = placingText(place[p]);
                g.points = upperWeightedPoints(n, place[p]);
            }
}

namespace {

struct FieldNames
{
    QStringList running, marks, codes, pins;
    FieldNames()
    {
        for (int i = 1; i <= 10; ++i)
            running << u"S"_s + QString::number(i);
        for (const QString &b : store::schema::ballSuffixes()) {
            marks << u"M"_s + b;
            codes << u"Flms"_s + b;
            pins << u"pin"_s + b;
        }
    }
};

} // namespace

int storeNight(store::Database &db, const Night &night)
{
    static const FieldNames names;
    store::Transaction t(db);
    int rows = 0;
    int winner = 0, winnerScore = 0, winnerHcpScore = 0;
    for (const NightPlayer &p : night.players)
        for (const NightGame &g : p.games) {
            if (!g.bowled)
                continue;
            QVariantMap data{
                {u"選手ID"_s, p.playerId}, {u"試合ID"_s, night.matchId}, {u"ｹﾞｰﾑ"_s, g.game},
                {u"優Ｐ"_s, g.points},     {u"上位"_s, g.upper},         {u"S10"_s, g.score},
                {u"ST"_s, g.strikes},      {u"SP"_s, g.spares},          {u"SPF"_s, g.missed},
                {u"ｽﾌﾟﾘｯﾄ"_s, g.splits},   {u"当日"_s, g.bestDay},       {u"入賞"_s, g.placing},
                {u"競技点"_s, g.hcpScore}, {u"HCP"_s, g.hcp},            {u"人数"_s, g.bowlers},
                {u"順位"_s, g.rank},       {u"試合日"_s, night.date},    {u"会場ID"_s, night.venueId},
            };
            QVariantMap mark, frame;
            for (int f = 1; f <= 10; ++f)
                mark.insert(names.running[f - 1], g.runningScore[std::size_t(f)]);
            for (int i = 0; i < 21; ++i) {
                mark.insert(names.marks[i], g.markText[std::size_t(i)]);
                frame.insert(names.codes[i], g.markCode[std::size_t(i)]);
                frame.insert(names.pins[i], g.pins[std::size_t(i)]);
            }
            db.insertGame(data, mark, frame);
            ++rows;
            if (g.placing.startsWith(u"１着"_s)) {
                winner = p.playerId;
                winnerScore = g.score;
                winnerHcpScore = g.hcpScore;
            }
        }
    db.exec(u"INSERT INTO 試合 (試合ID, シーズンID, 試合, 試合日, １着ID, S10, 競技点) "
            u"VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
            {night.matchId, night.seasonId, night.matchNo, night.date, winner, winnerScore,
             winnerHcpScore});
    t.commit();
    return rows;
}

Night makeNight(Random &rnd, const QList<Bowler> &bowlers, int games, bool recordPins)
{
    Night night;
    for (const Bowler &b : bowlers) {
        NightPlayer p;
        p.playerId = b.id;
        for (int g = 0; g < games; ++g)
            p.games << bowlGame(rnd, b, recordPins);
        night.players << p;
    }
    rankNight(night);
    return night;
}

namespace {

const QStringList &surnames()
{
    static const QStringList s{
        u"佐藤"_s, u"鈴木"_s, u"高橋"_s, u"田中"_s, u"伊藤"_s, u"渡辺"_s, u"山本"_s, u"中村"_s,
        u"小林"_s, u"加藤"_s, u"吉田"_s, u"山田"_s, u"佐々木"_s, u"山口"_s, u"松本"_s, u"井上"_s,
        u"木村"_s, u"林"_s, u"斎藤"_s, u"清水"_s, u"山崎"_s, u"森"_s, u"池田"_s, u"橋本"_s,
        u"阿部"_s, u"石川"_s, u"前田"_s, u"藤田"_s, u"小川"_s, u"岡田"_s};
    return s;
}

const QStringList &givenNames()
{
    static const QStringList s{
        u"健一"_s, u"誠"_s, u"大輔"_s, u"直樹"_s, u"博"_s, u"翔太"_s, u"浩二"_s, u"隆"_s,
        u"裕子"_s, u"恵美"_s, u"久美子"_s, u"由美"_s, u"明美"_s, u"智子"_s, u"陽子"_s, u"真理"_s,
        u"和也"_s, u"拓也"_s, u"美穂"_s, u"亮"_s};
    return s;
}

struct Member
{
    Bowler bowler;
    qint64 games = 0;
    qint64 pins = 0; // scratch total, for the handicap of the next season
};

Bowler newBowler(Random &rnd, int id)
{
    const double skill = rnd.real();
    Bowler b;
    b.id = id;
    b.strikeRate = 0.06 + 0.34 * skill + 0.04 * (rnd.real() - 0.5);
    b.spareRate = 0.28 + 0.47 * skill + 0.10 * (rnd.real() - 0.5);
    b.splitRate = 0.11 - 0.05 * skill;
    b.foulRate = 0.002 + 0.008 * rnd.real();
    return b;
}

int handicapFor(const Member &m)
{
    // A rough first average from the rates until the member has games.
    const double average = m.games ? double(m.pins) / double(m.games)
                                   : 95.0 + 280.0 * m.bowler.strikeRate;
    return std::clamp(int(std::lround((200.0 - average) * 0.8)), 0, 80);
}

} // namespace

qint64 generateLeague(store::Database &db, const LeagueOptions &o)
{
    Random rnd(o.seed);
    store::Transaction all(db);

    const QStringList venues{u"スターレーン"_s, u"中央ボウル"_s, u"グランドボウル"_s,
                             u"サンシャインボウル"_s};
    for (const QString &v : venues)
        db.exec(u"INSERT INTO 会場 (会場名) VALUES (?)"_s, {v});

    QList<Member> roster;
    int nextId = 1;
    const int rosterSize = o.players + std::max(1, o.players / 9);
    const auto join = [&](const QDate &firstNight) {
        Member m;
        m.bowler = newBowler(rnd, nextId);
        const int id = nextId++;
        const QString surname = surnames()[rnd.below(int(surnames().size()))];
        const QString given = givenNames()[rnd.below(int(givenNames().size()))];
        const QDate birthday = QDate(1940 + rnd.below(50), 1 + rnd.below(12), 1 + rnd.below(28));
        db.exec(u"INSERT INTO 選手 (選手ID, 選手名, 初参加, 誕生日, アドレス, 本名) "
                u"VALUES (?, ?, ?, ?, ?, ?)"_s,
                {id, surname + given, firstNight.toString(u"yyyy/MM/dd"_s),
                 birthday.toString(u"yyyy/MM/dd"_s), QString(),
                 surname + u"　"_s + given});
        roster << m;
    };

    qint64 rows = 0;
    int matchId = 1;
    for (int season = 1; season <= o.seasons; ++season) {
        const int year = 1996 + season;
        db.exec(u"INSERT INTO シーズン (シーズン時期, シーズン名) VALUES (?, ?)"_s,
                {QString::number(year) + u"年4月～"_s + QString::number(year + 1) + u"年3月"_s,
                 QString::number(year) + u"年度"_s});
        const int seasonId = int(db.lastInsertId());
        QDate date(year, 4, 1);
        while (date.dayOfWeek() != Qt::Friday)
            date = date.addDays(1);

        // Members leave between seasons and new ones join.
        if (season > 1)
            for (qsizetype i = roster.size() - 1; i >= 0; --i)
                if (rnd.chance(0.1))
                    roster.removeAt(i);
        const int target = rosterSize + rnd.below(3) - 1;
        while (roster.size() < target)
            join(date);

        for (Member &m : roster) {
            m.bowler.hcp = handicapFor(m);
            db.exec(u"INSERT INTO ハンデ (選手ID, シーズンID, ハンデ) VALUES (?, ?, ?)"_s,
                    {m.bowler.id, seasonId, m.bowler.hcp});
        }

        // Pins are recorded on more nights in the later seasons.
        const double pinShare = season * 2 > o.seasons ? 0.7 : 0.1;
        for (int match = 1; match <= o.nights; ++match, date = date.addDays(14)) {
            QList<Bowler> present;
            QList<int> at;
            for (int i = 0; i < roster.size(); ++i)
                if (rnd.chance(0.9) && present.size() < 36) {
                    present << roster[i].bowler;
                    at << i;
                }
            // Seats in a new order each night.
            for (qsizetype i = present.size() - 1; i > 0; --i) {
                const int j = rnd.below(int(i + 1));
                present.swapItemsAt(i, j);
                at.swapItemsAt(i, j);
            }
            Night night = makeNight(rnd, present, o.games, rnd.chance(pinShare));
            // Now and then somebody misses a game of the night.
            bool changed = false;
            for (NightPlayer &p : night.players)
                if (o.games > 1 && rnd.chance(0.03)) {
                    NightGame &g = p.games[rnd.below(o.games)];
                    g = NightGame();
                    changed = true;
                }
            if (changed)
                rankNight(night);
            night.matchId = matchId++;
            night.seasonId = seasonId;
            night.matchNo = match;
            night.date = date;
            night.venueId = rnd.chance(0.7) ? 1 : 2 + rnd.below(int(venues.size()) - 1);
            rows += storeNight(db, night);
            for (int i = 0; i < night.players.size(); ++i)
                for (const NightGame &g : night.players[i].games)
                    if (g.bowled) {
                        ++roster[at[i]].games;
                        roster[at[i]].pins += g.score;
                    }
        }
    }
    all.commit();
    return rows;
}

} // namespace bench
