#include "scoring/night_file_reader.h"

#include "scoring/night_file_error.h"
#include "text/cp932.h"
#include "text/input_reader.h"
#include "text/text_error.h"

#include <QFile>

#include <cstdint>
#include <limits>

using namespace Qt::StringLiterals;

namespace scoring {

namespace {

// Ranges of the platform's types the layout names.
constexpr int byte_max = 255;
constexpr int integer_min = std::numeric_limits<std::int16_t>::min();
constexpr int integer_max = std::numeric_limits<std::int16_t>::max();

class Seat_parser
{
public:
    Seat_parser(text::InputReader &in, Night_file_layout layout, int game_count)
        : in_(in)
        , layout_(layout)
        , game_count_(game_count)
    {
    }

    Night_file_seat seat()
    {
        Night_file_seat seat;
        seat.sen_id = in_.readInt(0, integer_max);
        const QString name = in_.readString();

        Score_rec first;
        for (int k = 0; k <= last_ball_slot; ++k)
            first.mark_cd[std::size_t(k)] = code_empty;
        first.set_sen_name(name);
        if (layout_ == Night_file_layout::full) {
            first.kaijo_id = in_.readInt(0, byte_max);
            first.yy = in_.readInt(integer_min, integer_max);
            first.mm = std::uint8_t(in_.readInt(0, byte_max));
            first.dd = std::uint8_t(in_.readInt(0, byte_max));
        }
        seat.sen_name = first.sen_name;

        for (int g = 0; g < game_count_; ++g) {
            Score_rec sheet = first; // name, venue and date of the seat's game 0
            if (layout_ == Night_file_layout::full)
                full_game(sheet);
            else
                pocket_game(sheet);
            seat.games.append(sheet);
        }
        return seat;
    }

private:
    void slot(Score_rec &sheet, int k)
    {
        const auto at = std::size_t(k);
        sheet.mark_txt[at] = in_.readString();
        const int line = in_.lineNumber();
        const int code = in_.readInt(0, byte_max);
        if (!is_mark_code(code)) throw Night_file_error(u"line %1: %2 is not a mark code"_s.arg(line).arg(code));
        sheet.mark_cd[at] = std::uint8_t(code);
        sheet.pin_cnt[at] = std::uint8_t(in_.readInt(0, 10));
    }

    void full_game(Score_rec &sheet)
    {
        for (int k = 0; k <= last_ball_slot; ++k) {
            slot(sheet, k);
            sheet.mark_kind[std::size_t(k)] = in_.readInt(kind_not_set, kind_strike);
            sheet.pin_bits[std::size_t(k)] = in_.readInt(no_pattern, all_pins);
        }
        for (int &score : sheet.fl_score)
            score = in_.readInt(integer_min, integer_max);
        sheet.hcp = in_.readInt(integer_min, integer_max);
    }

    void pocket_game(Score_rec &sheet)
    {
        for (int k = 0; k <= last_ball_slot; ++k)
            slot(sheet, k);
        for (std::size_t f = 1; f <= frame_count; ++f)
            sheet.fl_score[f] = in_.readInt(integer_min, integer_max);
    }

    text::InputReader &in_;
    Night_file_layout layout_;
    int game_count_;
};

} // namespace

Night_file_layout Night_file_reader::layout_of(const QString &path)
{
    return path.endsWith(u"cdt"_s, Qt::CaseInsensitive) ? Night_file_layout::pocket : Night_file_layout::full;
}

Night_file Night_file_reader::read(const QString &path)
{
    return read(path, layout_of(path));
}

Night_file Night_file_reader::read(const QString &path, Night_file_layout layout)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw Night_file_error(u"%1: %2"_s.arg(path, file.errorString()));
    // A genuine file of the largest night stays well below this.
    constexpr qint64 max_bytes = qint64(256) * 1024 * 1024;
    if (file.size() > max_bytes) throw Night_file_error(u"%1: too large for a data file"_s.arg(path));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) throw Night_file_error(u"%1: %2"_s.arg(path, file.errorString()));
    return parse(bytes, layout);
}

Night_file Night_file_reader::parse(const QByteArray &bytes, Night_file_layout layout)
{
    try {
        text::InputReader in(text::decodeCp932(bytes));
        Night_file file;
        file.layout = layout;
        // The counts are checked before any seat is read; seats are only
        // kept as they are read, so a count the file does not hold costs nothing.
        const int seat_count = in.readInt(0, max_seats);
        file.game_count = in.readInt(1, max_games);
        Seat_parser parser(in, layout, file.game_count);
        for (int i = 0; i < seat_count; ++i)
            file.seats.append(parser.seat());
        return file;
    } catch (const text::TextError &e) {
        throw Night_file_error(e.message());
    }
}

} // namespace scoring
