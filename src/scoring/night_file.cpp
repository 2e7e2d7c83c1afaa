#include "scoring/night_file.h"

#include "scoring/night.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace scoring {

int Night_file::seats_added() const
{
    const auto count = int(seats.size());
    return count <= 0 ? 0 : (count + 5) / 6 * 6;
}

QString Night_file::unnamed_seat_text()
{
    return u"選手名未入力"_s;
}

int Night_file::apply(Night &night) const
{
    const int first = night.last_sen + 1;
    if (game_count - 1 > night.max_game()) night.resize_games(game_count - 1);
    night.resize_seats(night.last_sen + seats_added());

    for (int s = first; s <= night.last_sen; ++s) {
        night.sen_id[s] = -1;
        night.sen_name[s] = unnamed_seat_text();
        night.sen_hcp[s] = -1;
        for (int g = 0; g <= night.max_game(); ++g) {
            Score_rec &sheet = night.score_tbl(s, g);
            for (int k = 0; k <= last_ball_slot; ++k)
                sheet.mark_cd[std::size_t(k)] = code_empty;
        }
    }

    // The pocket edition holds no venue or date: those of the night's first sheet.
    const Score_rec stamp = night.score_tbl(0, 0);

    for (qsizetype i = 0; i < seats.size(); ++i) {
        const Night_file_seat &seat = seats[i];
        const int s = first + int(i);
        night.sen_id[s] = seat.sen_id;
        const qsizetype games = std::min<qsizetype>(seat.games.size(), night.max_game() + 1);
        for (qsizetype g = 0; g < games; ++g) {
            Score_rec &sheet = night.score_tbl(s, int(g));
            sheet = seat.games[g];
            if (layout == Night_file_layout::pocket) {
                sheet.kaijo_id = stamp.kaijo_id;
                sheet.yy = stamp.yy;
                sheet.mm = stamp.mm;
                sheet.dd = stamp.dd;
            }
        }
        night.sen_name[s] = night.score_tbl(s, 0).sen_name;
        night.sen_hcp[s] = night.score_tbl(s, 0).hcp;
    }
    return first;
}

} // namespace scoring
