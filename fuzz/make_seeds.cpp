// Writes the seed corpus of the night file fuzz target: valid data, backup
// and pocket-edition files of small nights, into the folder given.

#include "scoring/night.h"
#include "scoring/night_file_writer.h"
#include "text/cp932_writer.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdio>

using namespace Qt::StringLiterals;
using namespace scoring;

namespace {

// A game as mark entry leaves it: strikes, spares, splits, fouls and misses.
void fill(Score_rec &sheet, int seed)
{
    static constexpr std::array<int, 8> codes = { 10, 7, 20, 21, 0, 19, 3, 9 };
    static constexpr std::array<int, 8> kinds = { 4, 2, 3, 1, 0, 0, 0, 0 };
    for (std::size_t k = 0; k <= std::size_t(last_ball_slot); ++k) {
        const std::size_t i = (k + std::size_t(seed)) % codes.size();
        sheet.mark_cd[k] = std::uint8_t(codes[i]);
        sheet.mark_kind[k] = kinds[i];
        sheet.mark_txt[k] = i == 0 ? u"＊"_s : i == 1 ? u"7s"_s : i == 2 ? u"／"_s : u"Ｆ"_s;
        sheet.pin_cnt[k] = std::uint8_t(codes[i] <= 10 ? codes[i] : 0);
        sheet.pin_bits[k] = i == 1 ? 520 : -1;
    }
    for (std::size_t f = 0; f < sheet.fl_score.size(); ++f)
        sheet.fl_score[f] = int(f) * 17 + seed;
    sheet.hcp = seed % 20 - 5;
}

Night night_of(int max_game, int players)
{
    Night night(max_game);
    night.INIT();
    for (int s = 0; s < players; ++s) {
        const int seat = s * 2; // every other seat, so empty seats are skipped
        night.sen_id[seat] = 10 + s;
        night.sen_name[seat] = Score_rec::fixed_name(s % 2 ? u"O'Neil \"B\""_s : u"山田　太郎"_s);
        for (int g = 0; g <= max_game; ++g)
            fill(night.score_tbl(seat, g), s * 3 + g);
    }
    return night;
}

QStringList pocket_lines(int seats, int games)
{
    QStringList lines = { QString::number(seats), QString::number(games) };
    for (int s = 0; s < seats; ++s) {
        lines << u"%1,\"鈴木%2\""_s.arg(40 + s).arg(s);
        for (int g = 0; g < games; ++g) {
            for (int k = 0; k <= last_ball_slot; ++k)
                lines << (k % 2 ? u"\"／\""_s : u"\"９\""_s) << (k % 2 ? u"20"_s : u"9"_s)
                      << (k % 2 ? u"1"_s : u"9"_s);
            for (int f = 1; f <= 10; ++f)
                lines << QString::number(f * 19);
        }
    }
    return lines;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) return 1;
    const Night_stamp stamp { 3, 2009, 12, 5 };
    Night_file_writer::write(dir.filePath(u"B_000001.dat"_s), night_of(0, 1), stamp);
    Night_file_writer::write(dir.filePath(u"B_000002.dat"_s), night_of(1, 2), stamp);
    Night_file_writer::write(dir.filePath(u"B_091205.bup"_s), night_of(2, 1), stamp);
    Night_file_writer::write(dir.filePath(u"B_000000.dat"_s), night_of(0, 0), stamp);
    text::writeCp932File(dir.filePath(u"pocket1.cdt"_s), pocket_lines(1, 1));
    text::writeCp932File(dir.filePath(u"pocket2.cdt"_s), pocket_lines(2, 2));
    return 0;
}
