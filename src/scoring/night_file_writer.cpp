#include "scoring/night_file_writer.h"

#include "scoring/night.h"
#include "text/cp932.h"
#include "text/cp932_writer.h"
#include "text/format.h"
#include "text/text_error.h"
#include "text/write_items.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace scoring {

namespace {

// A text as Shift_JIS can hold it: a character it cannot hold (a name with
// a rare ideograph) becomes "?", so that the rest of the night still reaches
// the file instead of the whole file failing.
QString held(const QString &value)
{
    try {
        text::encodeCp932(value);
        return value;
    } catch (const text::EncodingError &) {
    }
    QString out;
    for (qsizetype i = 0; i < value.size();) {
        const qsizetype n = value.at(i).isHighSurrogate() && i + 1 < value.size() ? 2 : 1;
        const QString ch = value.mid(i, n);
        try {
            text::encodeCp932(ch);
            out += ch;
        } catch (const text::EncodingError &) {
            out += u'?';
        }
        i += n;
    }
    return out;
}

QString item(const QVariant &value)
{
    return text::writeItems({ value.typeId() == QMetaType::QString ? QVariant(held(value.toString())) : value });
}

} // namespace

QStringList Night_file_writer::lines(const Night &night, const Night_stamp &stamp)
{
    const int last = std::min<int>(night.last_sen, int(night.sen_id.size()) - 1);
    const int seat_bound = std::min(last, night.score_tbl.seat_bound());
    int seats = 0;
    for (int s = 0; s <= seat_bound; ++s)
        if (night.sen_id[s] != -1) ++seats;

    QStringList out;
    out << item(seats) << item(night.max_game() + 1);
    for (int s = 0; s <= seat_bound; ++s) {
        if (night.sen_id[s] == -1) continue;
        out << text::writeItems({ night.sen_id[s], Score_rec::fixed_name(held(night.sen_name.value(s))) });
        out << item(stamp.kaijo_id) << item(stamp.yy) << item(stamp.mm) << item(stamp.dd);
        for (int g = 0; g <= night.max_game(); ++g) {
            const Score_rec &sheet = night.score_tbl(s, g);
            for (std::size_t k = 0; k <= std::size_t(last_ball_slot); ++k) {
                out << item(sheet.mark_txt[k]) << item(int(sheet.mark_cd[k])) << item(int(sheet.pin_cnt[k]))
                    << item(sheet.mark_kind[k]) << item(int(sheet.pin_bits[k]));
            }
            for (const int score : sheet.fl_score)
                out << item(score);
            out << item(sheet.hcp);
        }
    }
    return out;
}

void Night_file_writer::write(const QString &path, const Night &night, const Night_stamp &stamp)
{
    text::writeCp932File(path, lines(night, stamp));
}

QString Night_file_writer::backup_file_name(int yy, int mm, int dd)
{
    return u"B_"_s + text::Format(double(yy % 100), u"00"_s) + text::Format(double(mm * 100 + dd), u"0000"_s)
        + u".bup"_s;
}

QString Night_file_writer::data_file_name(const QString &number)
{
    return u"B_"_s + text::Format(number.left(6), u"000000"_s) + u".dat"_s;
}

} // namespace scoring
