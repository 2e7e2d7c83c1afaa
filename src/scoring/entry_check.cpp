#include "scoring/entry_check.h"

#include "scoring/night.h"
#include "text/str.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace scoring {

namespace {

const QString crlf = QStringLiteral("\r\n");

bool empty(const Score_rec &s, int slot)
{
    return s.mark_cd[static_cast<std::size_t>(slot)] == code_empty;
}

// Frames 1..10 of a sheet in a seat without a player that hold a ball in
// their first two slots (slot 20 is not looked at).
int frames_entered(const Score_rec &s)
{
    int count = 0;
    for (int f = 1; f <= frame_count; ++f)
        if (!empty(s, 2 * f - 2) || !empty(s, 2 * f - 1)) ++count;
    return count;
}

// Pairs of neighbouring empty slots of a player's sheet: 0 when complete,
// 20 when untouched; a tenth frame still owing its third ball counts 1.
int open_pairs(const Score_rec &s)
{
    int count = 0;
    for (int k = 0; k < last_ball_slot; ++k)
        if (empty(s, k) && empty(s, k + 1)) ++count;
    const bool third_ball_due = s.mark_cd[19] == code_spare || s.mark_cd[18] == code_strike;
    if (third_ball_due && empty(s, 20)) count = 1;
    return count;
}

} // namespace

QString no_half_entered_text()
{
    return u"入力途中のゲームはありません。"_s;
}

QString entry_check_text(const Night &night)
{
    QString text;
    const int last_seat = std::min(night.last_sen, night.score_tbl.seat_bound());
    for (int i = 0; i <= night.max_game(); ++i) {
        for (int j = 0; j <= last_seat; ++j) {
            const Score_rec &s = night.score_tbl(j, i);
            const bool has_player = night.sen_id.value(j, -1) != -1;
            QString remembered;
            int count = 0;
            if (!has_player) {
                count = frames_entered(s);
                if (count > 0)
                    remembered = u"選手名が入っていないのに入力しているところがあります。　"_s + text::Str(i + 1)
                        + u"ゲーム目の第"_s + text::Str(j + 1) + u"番目です。"_s;
            } else {
                count = open_pairs(s);
            }
            if (count == 0 || count == 20) continue;
            text += remembered + crlf + night.sen_name.value(j).left(5) + u"選手の 第"_s + text::Str(i + 1)
                + u"ゲームが、入力途中です。"_s + crlf;
        }
    }
    return text.isEmpty() ? no_half_entered_text() : text;
}

} // namespace scoring
