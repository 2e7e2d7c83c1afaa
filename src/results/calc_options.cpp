#include "results/calc_options.h"

#include "config/settings.h"
#include "text/width.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace results {

namespace {

int option_index(int value)
{
    return value >= 0 && value <= 2 ? value : 0;
}

} // namespace

Calc_options Calc_options::from_settings(const config::Settings &settings)
{
    Calc_options o;
    o.Chk_Data[0] = (settings.data_1 & 1) != 0;
    o.Chk_Data[1] = (settings.data_1 & 2) != 0;
    o.Chk_rule[0] = (settings.data_2 & 1) != 0;
    o.Chk_STSP = (settings.data_2 & 2) != 0;
    o.Chk_HCP = (settings.data_2 & 4) != 0;
    o.Opt_PntTarget = option_index(settings.data_3);
    o.Opt_PntCalc = option_index(settings.data_4);
    return o;
}

std::array<QString, point_box_count> Calc_options::zero_points()
{
    std::array<QString, point_box_count> boxes;
    boxes.fill(u"0"_s);
    return boxes;
}

QString pnt_target_caption(int index, bool Chk_HCP)
{
    switch (index) {
    case target_hcp_high:
        return u"ハンデ込み最高点"_s;
    case target_scratch_high:
        return u"ハンデなし最高点"_s;
    case target_average:
        return Chk_HCP ? u"ハンデ込み平均点"_s : u"ハンデなし平均点"_s;
    default:
        return QString();
    }
}

QString pnt_calc_caption(int index)
{
    switch (index) {
    case calc_upper_weighted:
        return u"上位加重（ＫＬＶ方式）"_s;
    case calc_linear:
        return u"リニア (人数-順位+1)"_s;
    case calc_manual:
        return u"この場で入力する"_s;
    default:
        return QString();
    }
}

QString point_box_label(int i)
{
    if (i < 0 || i >= point_box_count)
        return QString();
    if (i < 9)
        return text::toWide(QString::number(i + 1)) + u"着"_s;
    if (i == point_box_count - 1)
        return u"30着       以下"_s;
    return QString::number(i + 1) + u"着"_s;
}

bool point_box_value(const QString &text, int &value)
{
    const QString narrow = text::toNarrow(text).trimmed();
    bool ok = false;
    const double v = narrow.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    const double r = std::round(v);
    if (r < std::numeric_limits<std::int16_t>::min() || r > std::numeric_limits<std::int16_t>::max())
        return false;
    value = int(r);
    return true;
}

} // namespace results
