#pragma once

#include <QDate>
#include <QString>

#include <memory>
#include <optional>

namespace platform {
class Desktop;
}
namespace config {
struct MatchGlobals;
}
namespace scoring {
class Night;
}
namespace store {
class Database;
class Recordset;
}

namespace setup {

// The rules of match setup without widgets: the proposal of a new match, the
// first free match number of the chosen season, adding seasons and venues,
// and the checks before the match night starts. The text boxes of the screen
// are held here as texts; the screen shows them and writes typed text back.
class SiaiController
{
public:
    enum class State {
        Idle,     // after opening: only a new match, the lists, additions and Back
        NewMatch, // numbers and date editable, confirmation possible
    };
    // The boxes that get the focus after a refused step.
    enum class Box {
        None,
        SiaiId,  // Txt_Siai(0)
        MatchNo, // Txt_Siai(6)
        Month,   // Txt_Siai(3)
        AddSeason, // Txt_ADD(0)
        AddVenue,  // Txt_ADD(1)
    };
    enum class Addition { Season = 0, Venue = 1 };

    // The database, desktop, globals and night must outlive the controller.
    SiaiController(store::Database &db, platform::Desktop &desktop, config::MatchGlobals &match,
                   scoring::Night &night);
    ~SiaiController();
    SiaiController(const SiaiController &) = delete;
    SiaiController &operator=(const SiaiController &) = delete;

    // Opening the screen: the night's score sheets made anew and empty for
    // seats 0..35 and games 0..maxGame with the entry position reset; the
    // season list (newest first) and the venue list opened on their first
    // rows, and the match number of the first season looked up.
    void load(int maxGame);

    State state() const { return m_state; }
    bool isAdding(Addition what) const { return m_adding[int(what)]; }
    bool isAddingAny() const { return m_adding[0] || m_adding[1]; }

    // Data_SRS over シーズン降順 and Data_kaijo over 会場.
    store::Recordset &seasons() { return *m_seasons; }
    store::Recordset &venues() { return *m_venues; }

    // Current rows, 0-based; -1 when the list is empty. Moving the season row
    // looks up the first free match number of that season.
    int seasonRow() const { return m_seasonRow; }
    int venueRow() const { return m_venueRow; }
    void setSeasonRow(int row);
    void setVenueRow(int row);
    // The lists were read again (after an edit in place): the current rows
    // are taken up again by position.
    void reloadLists();

    // The boxes.
    QString siaiIdText() const { return m_siaiId; }       // Txt_Siai(0)
    QString seasonIdText() const { return m_seasonId; }   // Txt_Siai(1), from the season row
    QString yearText() const { return m_year; }           // Txt_Siai(2)
    QString monthText() const { return m_month; }         // Txt_Siai(3)
    QString dayText() const { return m_day; }             // Txt_Siai(4)
    QString venueIdText() const { return m_venueId; }     // Txt_Siai(5), from the venue row
    QString venueNameText() const { return m_venueName; } // txt_Kaijo(1)
    QString matchNoText() const { return m_matchNo; }     // Txt_Siai(6)
    void setSiaiIdText(const QString &text) { m_siaiId = text; }
    void setYearText(const QString &text) { m_year = text; }
    void setMonthText(const QString &text) { m_month = text; }
    void setDayText(const QString &text) { m_day = text; }
    void setMatchNoText(const QString &text) { m_matchNo = text; }

    // The scroll bars: HSc_Siai sets the match number, VSc_ymd(0..2) the
    // year ("0000"), month and day ("00").
    void scrollMatchNo(int value);
    void scrollYear(int value);
    void scrollMonth(int value);
    void scrollDay(int value);

    // Cmd_New: the largest stored 試合ID + 1, the given date, match number 1
    // and then the first free number of the current season; state NewMatch.
    void newMatch(const QDate &today);

    // Cmd_ADD(i): the new row begins; the list is moved to its last row.
    void startAdd(Addition what);
    // Cmd_Add_OK(i) with the typed name: an empty name only beeps and keeps
    // the addition open (false). Otherwise the row is stored, the list read
    // again from its first row and the addition ends (true).
    bool confirmAdd(Addition what, const QString &name);

    // Cmd_siaiOK: the checks in order; each refusal beeps, shows its message
    // and names the box for the focus (focusBox()). On success the match
    // globals are set and true is returned; the screen then closes.
    bool confirm();
    Box focusBox() const { return m_focus; }

    // The leading number of a text as the classic Val reads it ("2.7" 2.7,
    // " 12ab" 12); a text that does not start with a number gives 0.
    static double val(const QString &text);
    // The messages of the checks.
    static QString msgSiaiIdBelowOne();   // 試合番号は１以上の整数を入力してください
    static QString msgSiaiIdTaken();      // 試合番号が重複しています
    static QString msgMatchNoTaken();     // シーズン中の試合番号が重複しています
    static QString msgBadDate();          // 正しい日付を入力してください

    // The first match number 1, 2, ... not stored for the season in 試合.
    static int firstFreeMatchNo(const store::Database &db, qint64 seasonId);
    // The largest stored 試合ID, 0 when there is none.
    static qint64 largestSiaiId(const store::Database &db);

private:
    void refuse(const QString &text, Box focus);
    void readSeasonRow();
    void readVenueRow();
    void findMatchNo();
    static int positionOf(store::Recordset &rs, int row);

    store::Database &m_db;
    platform::Desktop &m_desktop;
    config::MatchGlobals &m_match;
    scoring::Night &m_night;
    std::unique_ptr<store::Recordset> m_seasons;
    std::unique_ptr<store::Recordset> m_venues;

    State m_state = State::Idle;
    bool m_adding[2] = { false, false };
    Box m_focus = Box::None;
    int m_seasonRow = -1;
    int m_venueRow = -1;

    QString m_siaiId;
    QString m_seasonId;
    QString m_year;
    QString m_month;
    QString m_day;
    QString m_venueId;
    QString m_venueName;
    QString m_matchNo;
};

} // namespace setup
