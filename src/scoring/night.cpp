#include "scoring/night.h"

#include "scoring/split_table.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace scoring {

namespace {

constexpr std::size_t at(int slot)
{
    return static_cast<std::size_t>(slot);
}

bool valid_slot(int slot)
{
    return slot >= 0 && slot < slot_count;
}

// A count that can never be part of a split: nothing, a 9 or all ten down.
bool no_split_count(int pins)
{
    return pins == 0 || pins == 9 || pins == 10;
}

} // namespace

Night::Night(int max_game)
{
    recreate(max_game);
}

void Night::recreate(int max_game)
{
    score_tbl.recreate(seat_bound, max_game);
    cur_sen = 0;
    cur_game = 0;
    last_sen = seat_bound;
    cur_slot = 0;
    next_slot = 0;
    fl = 0;
    sen_id = QList<int>(seat_bound + 1, -1);
    sen_name = QList<QString>(seat_bound + 1);
    sen_hcp = QList<int>(seat_bound + 1, 0);
    screen = Sheet_screen();
}

void Night::resize_games(int max_game)
{
    score_tbl.resize(score_tbl.seat_bound(), max_game);
}

void Night::resize_seats(int new_last_sen)
{
    last_sen = std::max(new_last_sen, -1);
    const qsizetype seats = last_sen + 1;
    sen_id.resize(seats, -1);
    sen_name.resize(seats);
    sen_hcp.resize(seats, 0);
    score_tbl.resize(last_sen, score_tbl.game_bound());
}

void Night::set_focus(int slot)
{
    screen.focus_slot = slot;
    cur_slot = slot;
    if (slot < park_slot) next_slot = slot;
}

Calc_result Night::Cmd_KEISAN(const Mark_texts &marks)
{
    if (!has_sheet()) return Calc_result::no_sheet;
    Score_rec &s = cur_sheet();
    const QString blank = empty_slot_text();

    // The slot texts on screen decide which slots are empty.
    for (int k = 0; k <= last_ball_slot; ++k) {
        s.mark_txt[at(k)] = screen.Txt_MARK[at(k)];
        if (s.mark_txt[at(k)] == blank) {
            s.mark_cd[at(k)] = code_empty;
            s.pin_cnt[at(k)] = 0;
        }
    }

    // Pins of each ball. A spare takes the rest of the rack; after a foul the
    // whole rack. A spare in slot 0 has no ball before it and counts 10.
    for (int k = 0; k <= last_ball_slot; ++k) {
        const int code = s.mark_cd[at(k)];
        int pins = 0;
        if (code == code_spare) {
            const bool after_foul = k > 0 && s.mark_cd[at(k - 1)] == code_foul;
            const int before = k > 0 ? s.pin_cnt[at(k - 1)] : 0;
            pins = after_foul ? 10 : 10 - before;
        } else if (code >= code_gutter && code <= code_strike) {
            pins = code;
        }
        s.pin_cnt[at(k)] = static_cast<std::uint8_t>(pins);
    }
    const auto pin = [&s](int k) { return int(s.pin_cnt[at(k)]); };

    // Frame sums; frame 10 counts its three balls and gets no bonus.
    for (int f = 1; f <= frame_count; ++f)
        s.fl_score[at(f)] = pin(2 * f - 2) + pin(2 * f - 1);
    s.fl_score[10] += pin(20);

    // Bonuses of frames 1..8, each seeing the unbonused sum of the next frame.
    for (int f = 1; f <= 8; ++f) {
        if (pin(2 * f - 2) == 10) {
            if (pin(2 * f) == 10)
                s.fl_score[at(f)] = 20 + pin(2 * f + 2);
            else
                s.fl_score[at(f)] = 10 + s.fl_score[at(f + 1)];
        } else if (s.fl_score[at(f)] == 10) {
            s.fl_score[at(f)] = 10 + pin(2 * f);
        }
    }
    if (pin(16) == 10)
        s.fl_score[9] = 10 + pin(18) + pin(19);
    else if (s.fl_score[9] == 10)
        s.fl_score[9] = 10 + pin(18);

    int sum = 0;
    for (int f = 1; f <= frame_count; ++f) {
        sum += s.fl_score[at(f)];
        s.fl_score[at(f)] = sum;
        screen.Txt_SCORE[at(f)] = QString::number(sum);
    }
    screen.Txt_SCORE[11] = QString::number(s.hcp);
    s.fl_score[0] = s.hcp + s.fl_score[10];
    screen.Txt_SCORE[0] = QString::number(s.fl_score[0]);

    // Split flags that cannot be right.
    auto &split = screen.split;
    for (int k = 0; k <= 18; k += 2)
        if (no_split_count(pin(k))) split[at(k)] = false;
    for (int k = 1; k <= 17; k += 2)
        split[at(k)] = false;
    if (pin(18) != 10 || no_split_count(pin(19))) split[19] = false;
    const int cd19 = s.mark_cd[19];
    if ((cd19 != code_spare && cd19 != code_strike) || no_split_count(pin(20))) split[20] = false;

    // Kinds; a split flag wins over the kind of the code.
    for (int k = 0; k <= last_ball_slot; ++k) {
        const int code = s.mark_cd[at(k)];
        if (split[at(k)])
            s.mark_kind[at(k)] = kind_split;
        else if (code == code_strike)
            s.mark_kind[at(k)] = kind_strike;
        else if (code == code_spare)
            s.mark_kind[at(k)] = kind_spare;
        else if (code == code_foul)
            s.mark_kind[at(k)] = kind_foul;
    }

    // Canonical texts.
    for (int k = 0; k <= last_ball_slot; ++k) {
        const int code = s.mark_cd[at(k)];
        QString text = marks.caption(code);
        if (s.mark_kind[at(k)] == kind_split) {
            if (code >= 9) {
                // Only a first ball of 1..8 can be a split: drop the ball.
                s.mark_kind[at(k)] = kind_plain;
                s.mark_cd[at(k)] = code_empty;
                s.mark_txt[at(k)] = blank;
                screen.Txt_MARK[at(k)] = blank;
                set_focus(cur_slot);
                return Calc_result::split_emptied;
            }
            text = marks.Spear_mark(code);
        }
        if (code == code_empty) text = blank;
        s.mark_txt[at(k)] = text;
        screen.Txt_MARK[at(k)] = text;
    }
    return Calc_result::done;
}

Fl_status Night::fl_check()
{
    if (cur_slot >= 0 && cur_slot <= 18) {
        fl = cur_slot / 2;
        return Fl_status::ok;
    }
    if (cur_slot == park_slot) return Fl_status::ok;
    if ((cur_slot != 19 && cur_slot != 20) || !has_sheet()) return Fl_status::error;

    const Score_rec &s = cur_sheet();
    const bool strike18 = s.mark_cd[18] == code_strike;
    if (cur_slot == 19) {
        // After a strike the second ball of frame 10 meets a fresh rack.
        fl = strike18 ? 10 : 9;
        return Fl_status::ok;
    }
    if (strike18) {
        fl = s.mark_cd[19] == code_strike ? 11 : 10;
        return Fl_status::ok;
    }
    if (s.mark_cd[19] == code_spare) {
        fl = 10;
        return Fl_status::ok;
    }
    fl = 9;
    set_focus(18);
    return Fl_status::focus_back;
}

QString Night::fl_check_error_text()
{
    return u"Function fl_check  error 2"_s;
}

void Night::split_check()
{
    if (!valid_slot(cur_slot) || !has_sheet()) return;
    const bool is_split = is_split_pattern(cur_sheet().pin_bits[at(cur_slot)]);
    if (is_split != screen.split[at(cur_slot)]) Cmd_spl();
}

void Night::Cmd_spl()
{
    if (!valid_slot(cur_slot) || !has_sheet()) return;
    bool &flag = screen.split[at(cur_slot)];
    flag = !flag;
    cur_sheet().mark_kind[at(cur_slot)] = flag ? kind_split : kind_plain;
}

void Night::Clear_Mark()
{
    if (!valid_slot(cur_slot)) return;
    screen.Txt_MARK[at(cur_slot)] = empty_slot_text();
    next_slot = cur_slot;
    if (has_sheet()) cur_sheet().mark_cd[at(cur_slot)] = code_empty;
}

void Night::clear_score()
{
    screen.Txt_MARK.fill(empty_slot_text());
    screen.split.fill(false);
    screen.Txt_SCORE.fill(QString());
    next_slot = 0;
}

void Night::INIT()
{
    const int seats = std::min(last_sen, score_tbl.seat_bound());
    for (int seat = 0; seat <= seats; ++seat)
        for (int game = 0; game <= score_tbl.game_bound(); ++game)
            score_tbl(seat, game).reset_marks();
    for (int k = 0; k <= last_ball_slot; ++k)
        screen.Txt_MARK[at(k)] = empty_slot_text();
}

} // namespace scoring
