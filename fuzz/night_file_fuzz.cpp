// libFuzzer target over the reader of data, backup and pocket-edition files.
//
// Every input is read in both layouts. A read must either throw
// Night_file_error or give a file that can be applied to a night; the night
// must then have grown as the file says, and a backup written of it must be
// read back with the same sheets. Anything else aborts, and so does a
// sanitizer finding.

#include "scoring/night.h"
#include "scoring/night_file.h"
#include "scoring/night_file_error.h"
#include "scoring/night_file_reader.h"
#include "scoring/night_file_writer.h"
#include "text/cp932.h"

#include <QByteArray>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;
using namespace scoring;

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "night file fuzz: %s\n", what);
    std::abort();
}

void check(bool condition, const char *what)
{
    if (!condition) fail(what);
}

bool same_slots(const Score_rec &a, const Score_rec &b)
{
    for (std::size_t k = 0; k <= std::size_t(last_ball_slot); ++k) {
        if (a.mark_txt[k] != b.mark_txt[k] || a.mark_cd[k] != b.mark_cd[k] || a.pin_cnt[k] != b.pin_cnt[k]
            || a.mark_kind[k] != b.mark_kind[k] || a.pin_bits[k] != b.pin_bits[k])
            return false;
    }
    return a.fl_score == b.fl_score && a.hcp == b.hcp;
}

void read_as(const QByteArray &bytes, Night_file_layout layout)
{
    Night_file file;
    try {
        file = Night_file_reader::parse(bytes, layout);
    } catch (const Night_file_error &) {
        return;
    }
    check(file.layout == layout, "layout not kept");
    check(file.game_count >= 1 && file.game_count <= Night_file_reader::max_games, "game count out of range");
    check(file.seats.size() <= Night_file_reader::max_seats, "seat count out of range");
    for (const Night_file_seat &seat : file.seats) {
        check(seat.sen_id >= 0, "negative seat ID");
        check(seat.sen_name.size() == Score_rec::name_length, "name not of fixed length");
        check(seat.games.size() == file.game_count, "games of a seat");
        for (const Score_rec &sheet : seat.games)
            for (std::size_t k = 0; k <= std::size_t(last_ball_slot); ++k)
                check(is_mark_code(sheet.mark_cd[k]) && sheet.pin_cnt[k] <= 10, "slot out of range");
    }

    Night night(3);
    night.INIT();
    const int first = file.apply(night);
    check(first == 36, "first new seat");
    check(night.last_sen == 35 + file.seats_added(), "seats added");
    check(night.last_sen + 1 == night.sen_id.size() && night.score_tbl.seat_bound() == night.last_sen,
          "seat arrays and score_tbl disagree");
    check(night.max_game() == std::max(3, file.game_count - 1), "max_game");

    // A backup of the night read back holds the same sheets.
    const QStringList lines = Night_file_writer::lines(night, Night_stamp { 1, 2009, 12, 5 });
    Night_file again;
    try {
        again = Night_file_reader::parse(text::encodeCp932(lines.join(u"\r\n"_s) + u"\r\n"_s),
                                         Night_file_layout::full);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        fail("a backup of the night cannot be read back");
    }
    check(again.seats.size() == file.seats.size(), "backup seats");
    check(again.game_count == night.max_game() + 1, "backup games");
    for (qsizetype i = 0; i < file.seats.size(); ++i) {
        const Night_file_seat &a = file.seats[i];
        const Night_file_seat &b = again.seats[i];
        check(a.sen_id == b.sen_id && a.sen_name == b.sen_name, "backup player");
        for (qsizetype g = 0; g < a.games.size(); ++g)
            check(same_slots(a.games[g], b.games[g]), "backup sheet");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    read_as(bytes, Night_file_layout::full);
    read_as(bytes, Night_file_layout::pocket);
    return 0;
}
