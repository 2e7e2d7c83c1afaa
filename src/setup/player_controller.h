#pragma once

#include <QList>
#include <QString>

#include <memory>

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

// The rules of the participants screen without widgets: the lane chart of
// the night's seats (six positions per lane, one lane per column), placing
// players from the player list with their season handicap, clearing seats,
// registering new players, and what leaving the screen hands to score entry.
// The seat arrays and the score sheets are those of the night; the text
// boxes and scroll bars of the screen are held here as texts and values.
class PlayerController
{
public:
    enum class State {
        Choosing,  // list, chart and pictures enabled; entry area closed
        NewPlayer, // entry area open for a new player (Cmd_OK(0) shown)
        Handicap,  // entry area open for a known player's handicap (Cmd_OK(1) shown)
    };
    // The box that gets the input focus after a step.
    enum class Focus { None, Id, Hcp };

    static constexpr int positions = 6;  // players per lane
    static constexpr int chart_rows = 7; // the header row and six positions
    static constexpr int normal_height = 3885; // twips, entry area closed
    static constexpr int entry_height = 6085;  // twips, entry area open
    static constexpr int id_min = 1;           // VSc_Sen(0) and the range of 選手ID
    static constexpr int id_max = 32000;
    static constexpr int hcp_min = -100;       // VSc_Sen(1) and the accepted handicaps
    static constexpr int hcp_max = 200;
    static constexpr int unset_hcp = -1;       // shown while a handicap is asked for

    // The database, desktop, match globals and night must outlive the controller.
    PlayerController(store::Database &db, platform::Desktop &desktop, const config::MatchGlobals &match,
                     scoring::Night &night);
    ~PlayerController();
    PlayerController(const PlayerController &) = delete;
    PlayerController &operator=(const PlayerController &) = delete;

    // Opening the screen: every seat 0..last_sen empty (選手名未入力), cur_sen
    // 0, the player list read from its first row, cell row 1, column 1.
    void load();

    // The lane chart. Row 0 holds the lane headers, column 0 the position
    // headers; cell (r, c) with r, c >= 1 is seat (c - 1) * 6 + (r - 1).
    int chartColumns() const; // last_sen / 6 + 2
    QString cellText(int row, int col) const;
    static int seatOf(int row, int col);
    static int rowOf(int seat) { return seat % positions + 1; }
    static int colOf(int seat) { return seat / positions + 1; }
    static QString laneHeader(int lane);         // "ﾚｰﾝ" + lane
    static QString positionHeader(int position); // position + "番目", its last 3 characters
    int row() const { return m_row; }
    int col() const { return m_col; }
    // The seat of the current cell; -1 on a header cell or outside the chart.
    int currentSeat() const;
    // Clicking a cell: it becomes current and cur_sen its seat. Header cells
    // and cells outside the chart cannot be chosen.
    void selectCell(int row, int col);
    // Nextcell: one row down, from row 6 to row 1 of the next lane, from the
    // last lane to row 1 of lane 1.
    void Nextcell();
    // The seat that score entry shows, highlighted in the chart; -1 none.
    int highlightedSeat() const { return m_highlight; }
    void setHighlightedSeat(int seat) { m_highlight = seat; }

    // The player list Data_SENSYU over 選手; the boxes Txt_ID and Txt_NAME
    // follow its current row while players are being chosen.
    store::Recordset &players() { return *m_players; }
    int playerRow() const { return m_playerRow; }
    void setPlayerRow(int row);

    // The boxes and scroll bars.
    QString idText() const { return m_id; }     // Txt_ID
    QString nameText() const { return m_name; } // Txt_NAME
    QString hcpText() const { return m_hcp; }   // Txt_HCP(0)
    void setIdText(const QString &text) { m_id = text; }
    void setNameText(const QString &text) { m_name = text; }
    void setHcpText(const QString &text) { m_hcp = text; }
    int idScroll() const { return m_idScroll; }   // VSc_Sen(0)
    int hcpScroll() const { return m_hcpScroll; } // VSc_Sen(1)
    void scrollId(int value);  // Txt_ID follows
    void scrollHcp(int value); // Txt_HCP(0) follows

    State state() const { return m_state; }
    bool entryAreaOpen() const { return m_state != State::Choosing; }
    // The window height in twips.
    int windowHeight() const { return entryAreaOpen() ? entry_height : normal_height; }
    Focus focus() const { return m_focus; }
    int chosenHcp() const { return m_chosenHcp; }

    // Pct_ADD (or a double click in the player list): places the player of
    // the list into the current cell with all the checks; a player without a
    // handicap for the season opens the entry area to ask for it.
    void Pct_ADD();
    // Pct_can: empties the current cell (sen_id -1, blank name); the handicap
    // stays.
    void Pct_can();
    // Cmd_newPlayer: opens the entry area for a new player at the current
    // cell (or the next free one) with the proposed number.
    void Cmd_newPlayer();
    // Cmd_OK(index): 0 a new player, 1 a known player's handicap. False when
    // the input is refused (a beep, the focus named by focus()).
    bool Cmd_OK(int index);
    // CmdCANCEL: empties the entry boxes; the entry area stays open.
    void CmdCANCEL();

    // Cmd_InpMARK, menu_score: the first time, the current cell becomes row 1,
    // column 1. The screen then shows score entry.
    void Cmd_InpMARK();
    int entryCount() const { return m_entryCount; }
    // Leaving the screen (score entry came to the front): every seat's name
    // into the sheets of every game, cur_sen the seat of the current cell (0
    // outside the seats) and the entry screen cleared.
    void leave();

    // The largest 選手ID of 選手, 0 when there is none.
    static int largestPlayerId(const store::Database &db);

    static QString unsetName();            // 選手名未入力
    static QString msgCannotChoose();      // この選手は選択することができません
    static QString msgCellTaken();         // すでに登録された選手がいます。…
    static QString msgAlreadyPlaced();     // この選手はすでに登録されています。
    static QString msgEnterHandicap();     // ハンデを登録してください。
    static QString msgNoFreeSeat();        // あいている選手枠をクリックしてから登録してください。
    static QString msgNewPlayer();         // the three lines joined with CR

private:
    void Nyuryoku();
    void clearCell(int seat);
    void closeEntryArea();
    void refuse(Focus focus);
    void readPlayerRow();
    void requeryPlayers(int playerId);
    bool seatInRange(int seat) const;
    // A handicap text as a whole number in -100..200.
    static bool parseHcp(const QString &text, int *hcp);

    store::Database &m_db;
    platform::Desktop &m_desktop;
    const config::MatchGlobals &m_match;
    scoring::Night &m_night;
    std::unique_ptr<store::Recordset> m_players;

    State m_state = State::Choosing;
    Focus m_focus = Focus::None;
    int m_row = 1;
    int m_col = 1;
    int m_highlight = -1;
    int m_playerRow = -1;
    int m_chosenHcp = 0;
    int m_entryCount = 0;
    QString m_id;
    QString m_name;
    QString m_hcp;
    int m_idScroll = id_min;
    int m_hcpScroll = 0;
    // The name written into each seat's cell (the whole name) with the
    // player it belongs to; a seat filled otherwise shows its seat name.
    QList<QString> m_cellName;
    QList<int> m_cellId;
};

} // namespace setup
