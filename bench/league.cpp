#include "bench/league.h"

#include "config/settings.h"
#include "scoring/ana.h"
#include "scoring/mark_texts.h"
#include "scoring/split_table.h"
#include "store/database.h"
#include "store/error.h"
#include "store/transaction.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <stdexcept>

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

// The mark texts of a new settings store.
const scoring::Mark_texts &markTexts()
{
    static const scoring::Mark_texts marks(config::Settings().Spear_mark);
    return marks;
}

} // namespace

void bowlGame(Random &rnd, const Bowler &bowler, bool recordPins, scoring::Night &sheets, int seat,
              int game)
{
    // The sheet is put on screen, its balls typed in as marks, and the
    // calculation gives the frame scores, the kinds and the canonical texts.
    sheets.cur_sen = seat;
    sheets.cur_game = game;
    sheets.cur_slot = 0;
    sheets.screen = scoring::Sheet_screen();
    scoring::Score_rec &s = sheets.cur_sheet();
    s.reset_marks();

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
    if (sheets.Cmd_KEISAN(markTexts()) != scoring::Calc_result::done)
        throw std::logic_error("a generated game did not calculate");
}

Night makeNight(Random &rnd, const QList<Bowler> &bowlers, const config::MatchGlobals &match,
                int games, bool recordPins)
{
    if (bowlers.size() > scoring::Night::seat_bound + 1)
        throw std::invalid_argument("more bowlers than seats");
    Night night{match, scoring::Night(games - 1)};
    scoring::Night &n = night.sheets;
    n.INIT();
    for (int seat = 0; seat < bowlers.size(); ++seat) {
        const Bowler &b = bowlers[seat];
        n.sen_id[seat] = b.id;
        n.sen_name[seat] = scoring::Score_rec::fixed_name(b.name);
        n.sen_hcp[seat] = b.hcp;
        for (int g = 0; g < games; ++g) {
            scoring::Score_rec &s = n.score_tbl(seat, g);
            s.sen_name = n.sen_name[seat];
            s.hcp = b.hcp;
            s.kaijo_id = match.kaijo_id;
            s.yy = match.siai_yy;
            s.mm = match.siai_mm;
            s.dd = match.siai_dd;
        }
    }
    for (int seat = 0; seat < bowlers.size(); ++seat)
        for (int g = 0; g < games; ++g)
            bowlGame(rnd, bowlers[seat], recordPins, n, seat, g);
    return night;
}

void missGame(Night &night, int seat, int game)
{
    night.sheets.score_tbl(seat, game).reset_marks();
}

results::Night_results calculateNight(const Night &night)
{
    const results::Night_results r = results::calculate(
        scoring::ANA(night.sheets), night.match,
        results::Calc_options::from_settings(config::Settings()));
    if (!r.ok())
        throw std::runtime_error("the night's results did not calculate");
    return r;
}

results::Commit_sheets nightSheets(const Night &night)
{
    return results::commit_sheets(calculateNight(night));
}

results::Commit_outcome storeNight(store::Database &db, const Night &night)
{
    const results::Commit_outcome out =
        results::commit_games(db, night.match, config::Settings(), nightSheets(night));
    if (!out.stored)
        throw store::Error(out.failure);
    return out;
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
        m.bowler.name = surname + given;
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
        for (int match_no = 1; match_no <= o.nights; ++match_no, date = date.addDays(14)) {
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
            config::MatchGlobals match;
            match.siai_id = matchId++;
            match.srs_id = seasonId;
            match.siai_no = std::int16_t(match_no);
            match.siai_yy = std::int16_t(date.year());
            match.siai_mm = std::uint8_t(date.month());
            match.siai_dd = std::uint8_t(date.day());
            match.kaijo_id =
                std::uint8_t(rnd.chance(0.7) ? 1 : 2 + rnd.below(int(venues.size()) - 1));
            Night night = makeNight(rnd, present, match, o.games, rnd.chance(pinShare));
            // Now and then somebody misses a game of the night.
            for (int seat = 0; seat < present.size(); ++seat)
                if (o.games > 1 && rnd.chance(0.03))
                    missGame(night, seat, rnd.below(o.games));
            rows += storeNight(db, night).game_rows;
            for (int seat = 0; seat < present.size(); ++seat)
                for (int g = 0; g < o.games; ++g) {
                    const scoring::Score_rec &s = night.sheets.score_tbl(seat, g);
                    if (s.mark_kind[0] != scoring::kind_not_set) {
                        ++roster[at[seat]].games;
                        roster[at[seat]].pins += s.fl_score[10];
                    }
                }
        }
    }
    all.commit();
    return rows;
}

} // namespace bench
