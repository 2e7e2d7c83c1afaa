#pragma once

#include "scoring/ana.h"

#include <QString>

#include <array>
#include <cstdint>

namespace results {

// One player's figures for one game of the night, rebuilt by every
// calculation. Fields in the order of the stored record; the comment names
// the database field each one goes to.
struct Result_rec
{
    int senshu_id = 0; // 選手ID; the commit sets -1 on a game without any ball
    int siai_id = 0; // 試合ID (the night's siai_id)
    int game = 0; // ｹﾞｰﾑ: column g of the night's games (1..G)
    int yu_p = 0; // 優Ｐ: win points, only on the placing game, else 0
    int joui = 0; // 上位: 1 = upper half of this game's bowlers
    int kyogi_ten = 0; // 競技点: the game with handicap
    std::array<int, 11> S {}; // S[1..10] = S1..S10, running scores; S[10] is the scratch game; S[0] unused
    int HCP = 0;
    int ST = 0; // strikes
    int SP = 0; // spares
    int SPF = 0; // missed spares
    int split = 0; // ｽﾌﾟﾘｯﾄ
    // 当日: 2 - rank of this game among the player's games by scratch score
    // (1 = his best game, 0 the second, -1 the third ...).
    int toujitsu = 0;
    // The same by the game with handicap (1 = his best handicapped game, the
    // game that carries 入賞 and 優Ｐ). Not stored.
    int best_hcp = 0;
    QString nyusho = blank_nyusho(); // 入賞: the placing text, 4 characters, blank-padded
    int ninzu = 0; // 人数: bowlers of this game
    int juni = 0; // 順位: rank in this game by scratch score among the night's players
    std::array<QString, scoring::ana_slot_count> mark_txt {};
    std::array<int, scoring::ana_slot_count> mark_kind {};
    std::array<int, scoring::ana_slot_count> mark_cd {};
    int kaijo_id = 0; // 会場ID
    int yy = 0; // match date of the sheet
    int mm = 0;
    int dd = 0;
    std::array<std::int32_t, scoring::ana_slot_count> pin_bits {};

    static QString blank_nyusho() { return QStringLiteral("    "); }

    bool operator==(const Result_rec &) const = default;
};

} // namespace results
