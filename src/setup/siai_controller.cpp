#include "setup/siai_controller.h"

#include "config/match_globals.h"
#include "platform/desktop.h"
#include "scoring/night.h"
#include "store/database.h"
#include "store/recordset.h"

#include <cmath>
#include <cstdint>
#include <limits>

using namespace Qt::StringLiterals;

namespace setup {

namespace {

const QString kSeasonId = u"シーズンID"_s;
const QString kSeasonName = u"シーズン名"_s;
const QString kVenueId = u"会場ID"_s;
const QString kVenueName = u"会場名"_s;

QString textOf(const QVariant &v)
{
    return v.isNull() ? QString() : v.toString();
}

// The whole-number part of a box's number.
double wholeOf(const QString &text)
{
    return std::floor(SiaiController::val(text));
}

bool fits(double v, double lo, double hi)
{
    return v >= lo && v <= hi;
}

} // namespace

SiaiController::SiaiController(store::Database &db, platform::Desktop &desktop, config::MatchGlobals &match,
                               scoring::Night &night)
    : m_db(db), m_desktop(desktop), m_match(match), m_night(night)
{
}

SiaiController::~SiaiController() = default;

void SiaiController::load(int maxGame)
{
    m_night.recreate(maxGame);
    m_seasons = std::make_unique<store::Recordset>(m_db, u"シーズン降順"_s);
    m_venues = std::make_unique<store::Recordset>(m_db, u"会場"_s);
    m_state = State::Idle;
    m_adding[0] = m_adding[1] = false;
    m_focus = Box::None;
    m_seasonRow = m_seasons->recordCount() > 0 ? 0 : -1;
    m_venueRow = m_venues->recordCount() > 0 ? 0 : -1;
    if (m_seasonRow == 0)
        m_seasons->moveFirst();
    if (m_venueRow == 0)
        m_venues->moveFirst();
    readSeasonRow();
    readVenueRow();
    findMatchNo();
}

int SiaiController::positionOf(store::Recordset &rs, int row)
{
    const int count = rs.recordCount();
    if (count == 0)
        return -1;
    if (row < 0)
        row = 0;
    if (row >= count)
        row = count - 1;
    rs.setAbsolutePosition(row);
    return row;
}

void SiaiController::setSeasonRow(int row)
{
    m_seasonRow = positionOf(*m_seasons, row);
    readSeasonRow();
    findMatchNo();
}

void SiaiController::setVenueRow(int row)
{
    m_venueRow = positionOf(*m_venues, row);
    readVenueRow();
}

void SiaiController::reloadLists()
{
    m_seasons->requery();
    m_venues->requery();
    setVenueRow(m_venueRow);
    setSeasonRow(m_seasonRow);
}

void SiaiController::readSeasonRow()
{
    m_seasonId = m_seasonRow >= 0 ? textOf(m_seasons->value(kSeasonId)) : QString();
}

void SiaiController::readVenueRow()
{
    if (m_venueRow >= 0) {
        m_venueId = textOf(m_venues->value(kVenueId));
        m_venueName = textOf(m_venues->value(kVenueName));
    } else {
        m_venueId.clear();
        m_venueName.clear();
    }
}

int SiaiController::firstFreeMatchNo(const store::Database &db, qint64 seasonId)
{
    const QList<QVariantList> rows
        = db.select(u"SELECT DISTINCT 試合 FROM 試合 WHERE シーズンID = ? AND 試合 >= 1 ORDER BY 試合"_s, { seasonId });
    int n = 1;
    for (const QVariantList &row : rows) {
        if (row.value(0).toLongLong() != n)
            break;
        ++n;
    }
    return n;
}

qint64 SiaiController::largestSiaiId(const store::Database &db)
{
    const QVariant v = db.scalar(u"SELECT MAX(試合ID) FROM 試合"_s);
    return v.isNull() ? 0 : v.toLongLong();
}

void SiaiController::findMatchNo()
{
    const double season = wholeOf(m_seasonId);
    const int n = firstFreeMatchNo(m_db, qint64(season));
    m_matchNo = QString::number(n);
    m_match.siai_no = std::int16_t(std::min(n, int(std::numeric_limits<std::int16_t>::max())));
}

void SiaiController::newMatch(const QDate &today)
{
    const qint64 next = largestSiaiId(m_db) + 1;
    m_match.siai_id = std::int32_t(next);
    m_siaiId = QString::number(next);
    m_state = State::NewMatch;
    m_year = QString::number(today.year()).rightJustified(4, u'0');
    m_month = QString::number(today.month()).rightJustified(2, u'0');
    m_day = QString::number(today.day()).rightJustified(2, u'0');
    m_matchNo = u"1"_s;
    // Back to the newest season on a fresh screen, the current one otherwise;
    // arriving there looks up the match number.
    setSeasonRow(m_seasonRow < 0 ? 0 : m_seasonRow);
}

void SiaiController::scrollMatchNo(int value)
{
    m_matchNo = QString::number(value);
}

void SiaiController::scrollYear(int value)
{
    m_year = QString::number(value).rightJustified(4, u'0');
}

void SiaiController::scrollMonth(int value)
{
    m_month = QString::number(value).rightJustified(2, u'0');
}

void SiaiController::scrollDay(int value)
{
    m_day = QString::number(value).rightJustified(2, u'0');
}

void SiaiController::startAdd(Addition what)
{
    store::Recordset &rs = what == Addition::Season ? *m_seasons : *m_venues;
    if (m_adding[int(what)])
        return;
    if (rs.editMode() != store::Recordset::EditMode::None)
        rs.cancelUpdate();
    if (rs.recordCount() > 0) {
        rs.moveLast();
        (what == Addition::Season ? m_seasonRow : m_venueRow) = rs.absolutePosition();
    }
    rs.addNew();
    m_adding[int(what)] = true;
    m_focus = what == Addition::Season ? Box::AddSeason : Box::AddVenue;
}

bool SiaiController::confirmAdd(Addition what, const QString &name)
{
    if (!m_adding[int(what)])
        return false;
    m_focus = what == Addition::Season ? Box::AddSeason : Box::AddVenue;
    if (name.isEmpty()) {
        m_desktop.beep();
        return false;
    }
    store::Recordset &rs = what == Addition::Season ? *m_seasons : *m_venues;
    rs.setValue(what == Addition::Season ? kSeasonName : kVenueName, name);
    rs.update();
    rs.requery();
    m_adding[int(what)] = false;
    m_focus = Box::None;
    if (what == Addition::Season)
        setSeasonRow(0);
    else
        setVenueRow(0);
    return true;
}

void SiaiController::refuse(const QString &text, Box focus)
{
    m_desktop.beep();
    m_desktop.message(text, platform::Buttons::Ok);
    m_focus = focus;
}

bool SiaiController::confirm()
{
    m_focus = Box::None;
    // 1-3. The match number over all seasons.
    const double id = wholeOf(m_siaiId);
    if (id < 1 || id > double(std::numeric_limits<std::int32_t>::max())) {
        if (fits(id, -1e15, 1e15))
            m_siaiId = QString::number(qint64(id));
        refuse(msgSiaiIdBelowOne(), Box::SiaiId);
        return false;
    }
    m_siaiId = QString::number(qint64(id));
    if (m_db.scalar(u"SELECT 1 FROM 試合 WHERE 試合ID = ? LIMIT 1"_s, { qint64(id) }).isValid()) {
        refuse(msgSiaiIdTaken(), Box::SiaiId);
        return false;
    }

    // 4. The match number within the season, taken whole like the number above
    // so that the check and the stored number agree.
    const double season = wholeOf(m_seasonId);
    const double no = wholeOf(m_matchNo);
    if (!fits(no, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max())) {
        refuse(msgSiaiIdBelowOne(), Box::MatchNo);
        return false;
    }
    if (m_db.scalar(u"SELECT 1 FROM 試合 WHERE シーズンID = ? AND 試合 = ? LIMIT 1"_s, { qint64(season), qint64(no) })
            .isValid()) {
        refuse(msgMatchNoTaken(), Box::MatchNo);
        return false;
    }

    // 5. The date; a year outside the scroll bar's range is fine when the date exists.
    const double y = wholeOf(m_year);
    const double m = wholeOf(m_month);
    const double d = wholeOf(m_day);
    if (!fits(y, 1, 9999) || !fits(m, 1, 12) || !fits(d, 1, 31) || !QDate(int(y), int(m), int(d)).isValid()) {
        refuse(msgBadDate(), Box::Month);
        return false;
    }

    // 6. The night's identity.
    const double venue = wholeOf(m_venueId);
    m_match.siai_id = std::int32_t(id);
    m_match.srs_id = fits(season, 0, std::numeric_limits<std::int32_t>::max()) ? std::int32_t(season) : 0;
    m_match.siai_no = std::int16_t(no);
    m_match.siai_yy = std::int16_t(y);
    m_match.siai_mm = std::uint8_t(m);
    m_match.siai_dd = std::uint8_t(d);
    m_match.kaijo_id = fits(venue, 0, 255) ? std::uint8_t(venue) : std::uint8_t(0);
    return true;
}

double SiaiController::val(const QString &text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    QString num;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        num += text[i++];
    bool dot = false;
    bool digits = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            num += c;
            digits = true;
        } else if (c == u'.' && !dot) {
            num += c;
            dot = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    return num.toDouble();
}

QString SiaiController::msgSiaiIdBelowOne()
{
    return u"試合番号は１以上の整数を入力してください"_s;
}

QString SiaiController::msgSiaiIdTaken()
{
    return u"試合番号が重複しています"_s;
}

QString SiaiController::msgMatchNoTaken()
{
    return u"シーズン中の試合番号が重複しています"_s;
}

QString SiaiController::msgBadDate()
{
    return u"正しい日付を入力してください"_s;
}

} // namespace setup
