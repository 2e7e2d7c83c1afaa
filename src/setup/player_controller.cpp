#include "setup/player_controller.h"

#include "config/match_globals.h"
#include "platform/desktop.h"
#include "scoring/night.h"
#include "scoring/score_rec.h"
#include "setup/siai_controller.h"
#include "store/database.h"
#include "store/error.h"
#include "store/recordset.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace setup {

namespace {

const QString kPlayerId = u"選手ID"_s;
const QString kPlayerName = u"選手名"_s;

QString textOf(const QVariant &v)
{
    return v.isNull() ? QString() : v.toString();
}

// The whole-number part of a box's number as the classic Val reads it,
// held to the range of an int.
int wholeOf(const QString &text)
{
    const double v = std::floor(SiaiController::val(text));
    return int(std::clamp(v, -2147483648.0, 2147483647.0));
}

} // namespace

PlayerController::PlayerController(store::Database &db, platform::Desktop &desktop,
                                   const config::MatchGlobals &match, scoring::Night &night)
    : m_db(db), m_desktop(desktop), m_match(match), m_night(night)
{
}

PlayerController::~PlayerController() = default;

void PlayerController::load()
{
    m_night.resize_seats(m_night.last_sen);
    for (int k = 0; k <= m_night.last_sen; ++k) {
        m_night.sen_id[k] = -1;
        m_night.sen_name[k] = scoring::Score_rec::fixed_name(unsetName());
    }
    m_night.cur_sen = 0;
    m_cellName.clear();
    m_cellId.clear();

    m_state = State::Choosing;
    m_focus = Focus::None;
    m_row = 1;
    m_col = 1;
    m_highlight = -1;
    m_entryCount = 0;
    m_chosenHcp = 0;
    m_id.clear();
    m_name.clear();
    m_hcp.clear();
    m_idScroll = id_min;
    m_hcpScroll = 0;

    m_players = std::make_unique<store::Recordset>(m_db, u"選手"_s);
    m_playerRow = -1;
    if (m_players->recordCount() > 0) {
        m_players->moveFirst();
        m_playerRow = 0;
    }
    readPlayerRow();
}

int PlayerController::chartColumns() const
{
    return std::max(m_night.last_sen, 0) / positions + 2;
}

int PlayerController::seatOf(int row, int col)
{
    return (col - 1) * positions + (row - 1);
}

QString PlayerController::laneHeader(int lane)
{
    return u"ﾚｰﾝ"_s + QString::number(lane);
}

QString PlayerController::positionHeader(int position)
{
    return (QString::number(position) + u"番目"_s).right(3);
}

bool PlayerController::seatInRange(int seat) const
{
    return seat >= 0 && seat <= m_night.last_sen && seat < m_night.sen_id.size();
}

QString PlayerController::cellText(int row, int col) const
{
    if (row < 0 || row >= chart_rows || col < 0 || col >= chartColumns())
        return {};
    if (row == 0)
        return col == 0 ? QString() : laneHeader(col);
    if (col == 0)
        return positionHeader(row);
    const int k = seatOf(row, col);
    if (!seatInRange(k) || m_night.sen_id[k] == -1)
        return {};
    // The whole name of a player placed here; a seat filled otherwise (a
    // night read from a file) shows the name it holds.
    if (m_cellId.value(k, -1) == m_night.sen_id[k] && !m_cellName.value(k).isEmpty())
        return m_cellName.value(k);
    QString name = m_night.sen_name[k];
    while (name.endsWith(u' '))
        name.chop(1);
    return name;
}

int PlayerController::currentSeat() const
{
    if (m_row < 1 || m_row > positions || m_col < 1 || m_col >= chartColumns())
        return -1;
    const int k = seatOf(m_row, m_col);
    return seatInRange(k) ? k : -1;
}

void PlayerController::selectCell(int row, int col)
{
    if (row < 1 || row > positions || col < 1 || col >= chartColumns())
        return;
    const int k = seatOf(row, col);
    if (!seatInRange(k))
        return;
    m_row = row;
    m_col = col;
    m_night.cur_sen = k;
}

void PlayerController::Nextcell()
{
    if (m_row < positions) {
        ++m_row;
    } else if (m_col < m_night.last_sen / positions + 1) {
        m_row = 1;
        ++m_col;
    } else {
        m_row = 1;
        m_col = 1;
    }
}

void PlayerController::setPlayerRow(int row)
{
    if (m_state != State::Choosing)
        return;
    const int count = m_players->recordCount();
    if (count == 0) {
        m_playerRow = -1;
    } else {
        m_playerRow = std::clamp(row, 0, count - 1);
        m_players->setAbsolutePosition(m_playerRow);
    }
    readPlayerRow();
}

void PlayerController::readPlayerRow()
{
    if (m_playerRow < 0) {
        m_id.clear();
        m_name.clear();
        return;
    }
    m_id = textOf(m_players->value(kPlayerId));
    m_name = textOf(m_players->value(kPlayerName));
}

void PlayerController::requeryPlayers(int playerId)
{
    m_players->requery();
    m_playerRow = -1;
    if (m_players->recordCount() == 0)
        return;
    // The list moves to the row just written, so that the boxes bound to it
    // show the player being placed.
    m_players->findFirst(kPlayerId + u" = "_s + QString::number(playerId));
    if (m_players->noMatch())
        m_players->moveLast();
    m_playerRow = m_players->absolutePosition();
    readPlayerRow();
}

void PlayerController::scrollId(int value)
{
    m_idScroll = std::clamp(value, int(id_min), int(id_max));
    m_id = QString::number(m_idScroll);
}

void PlayerController::scrollHcp(int value)
{
    m_hcpScroll = std::clamp(value, int(hcp_min), int(hcp_max));
    m_hcp = QString::number(m_hcpScroll);
}

void PlayerController::Pct_ADD()
{
    if (m_state != State::Choosing)
        return;
    m_focus = Focus::None;
    // 1. Only a registered player can be chosen (the all-players row 0 cannot).
    if (SiaiController::val(m_id) < 1) {
        m_desktop.message(msgCannotChoose());
        return;
    }
    // 2. A header cell.
    const int k = currentSeat();
    if (k < 0) {
        m_desktop.beep();
        m_row = 0;
        m_col = 0;
        Nextcell();
        return;
    }
    // 3. No player in the list row.
    if (m_name.isEmpty()) {
        Nextcell();
        return;
    }
    // 4. The seat is taken.
    if (m_night.sen_id[k] != -1) {
        m_desktop.beep();
        m_desktop.message(msgCellTaken());
        m_row = 0;
        m_col = 0;
        return;
    }
    // 5. The player is seated already.
    const int id = wholeOf(m_id);
    for (int j = 0; j <= m_night.last_sen && j < m_night.sen_id.size(); ++j) {
        if (m_night.sen_id[j] == id) {
            m_desktop.beep();
            m_desktop.message(msgAlreadyPlaced());
            clearCell(k);
            return;
        }
    }
    // 6. The season handicap; a failed look-up counts as none found.
    bool found = false;
    try {
        store::Recordset hande(m_db, u"ハンデ"_s, store::RecordsetType::Snapshot);
        hande.findFirst(u"シーズンID="_s + QString::number(m_match.srs_id) + u" AND 選手ID="_s
                        + QString::number(id));
        if (!hande.noMatch()) {
            m_chosenHcp = hande.value(u"ハンデ"_s).toInt();
            found = true;
        }
    } catch (const store::Error &) {
        found = false;
    }
    if (found) {
        Nyuryoku();
        Nextcell();
        return;
    }
    // 7. Ask for the handicap.
    m_state = State::Handicap;
    m_id = QString::number(id);
    m_idScroll = std::clamp(id, int(id_min), int(id_max));
    scrollHcp(unset_hcp);
    m_desktop.message(msgEnterHandicap());
    m_focus = Focus::Hcp;
}

void PlayerController::Nyuryoku()
{
    const int k = currentSeat();
    if (k < 0)
        return;
    m_night.sen_id[k] = wholeOf(m_id);
    m_night.sen_name[k] = scoring::Score_rec::fixed_name(m_name);
    m_night.sen_hcp[k] = m_chosenHcp;
    for (int g = 0; g <= m_night.max_game(); ++g) {
        if (m_night.score_tbl.contains(k, g))
            m_night.score_tbl(k, g).hcp = m_chosenHcp;
    }
    if (m_cellName.size() <= k) {
        m_cellName.resize(k + 1);
        m_cellId.resize(k + 1, -1);
    }
    m_cellName[k] = m_name;
    m_cellId[k] = m_night.sen_id[k];
}

void PlayerController::clearCell(int seat)
{
    m_night.sen_id[seat] = -1;
    m_night.sen_name[seat] = QString(scoring::Score_rec::name_length, u' ');
    if (seat < m_cellName.size()) {
        m_cellName[seat].clear();
        m_cellId[seat] = -1;
    }
}

void PlayerController::Pct_can()
{
    if (m_state != State::Choosing)
        return;
    const int k = currentSeat();
    // A header cell holds no seat; its text stays.
    if (k < 0) {
        m_desktop.beep();
        return;
    }
    clearCell(k);
}

void PlayerController::Cmd_newPlayer()
{
    if (m_state != State::Choosing)
        return;
    m_focus = Focus::None;
    // 1. A free seat: the current one, else the first free one after it. A
    // seated player is never replaced by the new one.
    int k = currentSeat();
    if (k >= 0 && m_night.sen_id[k] != -1) {
        int free = -1;
        for (int j = k + 1; j <= m_night.last_sen && j < m_night.sen_id.size(); ++j) {
            if (m_night.sen_id[j] == -1) {
                free = j;
                break;
            }
        }
        k = free;
        if (k >= 0) {
            m_row = rowOf(k);
            m_col = colOf(k);
        }
    }
    if (k < 0) {
        m_desktop.message(msgNoFreeSeat());
        return;
    }
    // 2. - 4.
    m_state = State::NewPlayer;
    m_desktop.message(msgNewPlayer());
    int largest = 0;
    try {
        largest = largestPlayerId(m_db);
    } catch (const store::Error &) {
        largest = 0;
    }
    const int proposal = largest + 1;
    m_id = QString::number(proposal);
    m_idScroll = std::clamp(proposal, int(id_min), int(id_max));
    m_name.clear();
    m_hcp = QString::number(m_hcpScroll);
    m_focus = Focus::Id;
}

bool PlayerController::parseHcp(const QString &text, int *hcp)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < hcp_min || v > hcp_max)
        return false;
    *hcp = v;
    return true;
}

void PlayerController::refuse(Focus focus)
{
    m_desktop.beep();
    m_focus = focus;
}

bool PlayerController::Cmd_OK(int index)
{
    if ((index == 0 && m_state != State::NewPlayer) || (index == 1 && m_state != State::Handicap)
        || (index != 0 && index != 1))
        return false;
    // The ID box is open only for a new player; a refused handicap of a
    // known player keeps the focus in its own box.
    const Focus back = index == 0 ? Focus::Id : Focus::Hcp;
    int hcp = 0;
    if (m_id.isEmpty() || m_name.isEmpty() || m_hcp.isEmpty() || !parseHcp(m_hcp, &hcp)) {
        refuse(back);
        return false;
    }
    int id = 0;
    if (index == 0) {
        // A new number must be a whole number in the range of 選手ID.
        bool ok = false;
        id = m_id.trimmed().toInt(&ok);
        if (!ok || id < id_min || id > id_max) {
            refuse(back);
            return false;
        }
        try {
            store::Recordset dyna(m_db, u"他データ読み込み用ダイナ"_s);
            dyna.findFirst(u"選手ID = "_s + QString::number(id));
            if (!dyna.noMatch()) {
                refuse(back);
                return false;
            }
            // The player and the season's handicap row in one insertion.
            dyna.addNew();
            dyna.setValue(0, id);
            dyna.setValue(1, m_name);
            dyna.setValue(2, m_match.srs_id);
            dyna.setValue(3, hcp);
            dyna.update();
        } catch (const store::Error &) {
            // Nothing was stored: the player is not placed.
            refuse(back);
            return false;
        }
        requeryPlayers(id);
    } else {
        id = wholeOf(m_id);
        try {
            store::Recordset hande(m_db, u"ハンデ"_s);
            hande.addNew();
            hande.setValue(u"選手ID"_s, id);
            hande.setValue(u"シーズンID"_s, m_match.srs_id);
            hande.setValue(u"ハンデ"_s, hcp);
            hande.update();
        } catch (const store::Error &) {
            // The handicap still holds for tonight.
        }
    }
    closeEntryArea();
    m_chosenHcp = hcp;
    Nyuryoku();
    Nextcell();
    return true;
}

void PlayerController::closeEntryArea()
{
    m_state = State::Choosing;
    m_focus = Focus::None;
}

void PlayerController::CmdCANCEL()
{
    if (m_state == State::NewPlayer) {
        m_id.clear();
        m_name.clear();
    }
    m_hcp.clear();
}

void PlayerController::Cmd_InpMARK()
{
    if (m_state != State::Choosing)
        return;
    if (m_entryCount == 0) {
        m_row = 1;
        m_col = 1;
    }
    ++m_entryCount;
}

void PlayerController::leave()
{
    for (int k = 0; k <= m_night.last_sen && k < m_night.sen_name.size(); ++k) {
        for (int g = 0; g <= m_night.max_game(); ++g) {
            if (m_night.score_tbl.contains(k, g))
                m_night.score_tbl(k, g).set_sen_name(m_night.sen_name[k]);
        }
    }
    const int k = seatOf(m_row, m_col);
    m_night.cur_sen = (k < 0 || k > m_night.last_sen) ? 0 : k;
    m_night.clear_score();
}

int PlayerController::largestPlayerId(const store::Database &db)
{
    const QVariant v = db.scalar(u"SELECT MAX(選手ID) FROM 選手"_s);
    return v.isNull() ? 0 : v.toInt();
}

QString PlayerController::unsetName()
{
    return u"選手名未入力"_s;
}

QString PlayerController::msgCannotChoose()
{
    return u"この選手は選択することができません"_s;
}

QString PlayerController::msgCellTaken()
{
    return u"すでに登録された選手がいます。別の場所をクリックしてから入力し直してください。"_s;
}

QString PlayerController::msgAlreadyPlaced()
{
    return u"この選手はすでに登録されています。"_s;
}

QString PlayerController::msgEnterHandicap()
{
    return u"ハンデを登録してください。"_s;
}

QString PlayerController::msgNoFreeSeat()
{
    return u"あいている選手枠をクリックしてから登録してください。"_s;
}

QString PlayerController::msgNewPlayer()
{
    return u"選手を新たに登録します。\rすでに登録している選手と、IDが重複しないように気をつけてください。\rホンマに気をつけてね。"_s;
}

} // namespace setup
