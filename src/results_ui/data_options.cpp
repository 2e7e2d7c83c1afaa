#include "results_ui/data_options.h"

#include "config/settings.h"
#include "config/value_text.h"

using namespace Qt::StringLiterals;

namespace results_ui {

namespace {

int optionIndex(std::uint8_t value)
{
    return value <= 2 ? int(value) : 0;
}

} // namespace

Data_options::Data_options(const config::Settings &settings)
{
    m_chkData[0] = (settings.data_1 & 1) != 0;
    m_chkData[1] = (settings.data_1 & 2) != 0;
    m_chkRule = (settings.data_2 & 1) != 0;
    m_chkStsp = (settings.data_2 & 2) != 0;
    m_chkHcp = (settings.data_2 & 4) != 0;
    m_pntTarget = optionIndex(settings.data_3);
    choose_PntCalc(optionIndex(settings.data_4));
}

std::array<QString, Data_options::pnt_count> Data_options::zeros()
{
    std::array<QString, pnt_count> boxes;
    boxes.fill(u"0"_s);
    return boxes;
}

void Data_options::choose_PntTarget(int index)
{
    if (index >= 0 && index <= 2)
        m_pntTarget = index;
}

void Data_options::choose_PntCalc(int index)
{
    if (index < 0 || index > 2)
        return;
    m_pntCalc = index;
    m_width = index == 2 ? wide_width : narrow_width;
}

std::optional<std::array<int, Data_options::pnt_count>> Data_options::manual_points() const
{
    std::array<int, pnt_count> points {};
    for (int i = 0; i < pnt_count; ++i) {
        const std::optional<std::int16_t> value = config::toInteger(m_txtPnt[std::size_t(i)]);
        if (!value)
            return std::nullopt;
        points[std::size_t(i)] = *value;
    }
    return points;
}

int Data_options::first_bad_point() const
{
    for (int i = 0; i < pnt_count; ++i) {
        if (!config::toInteger(m_txtPnt[std::size_t(i)]))
            return i;
    }
    return -1;
}

QString Data_options::Chk_Data_caption(int index)
{
    return index == 0 ? u" 一般"_s : u"ポイント"_s;
}

QString Data_options::Chk_rule_caption()
{
    return u"ｽﾌﾟﾘｯﾄをｽﾍﾟｱﾐｽに含まない"_s;
}

QString Data_options::Chk_STSP_caption()
{
    return u"ｽﾄﾗｲｸ･ｽﾍﾟｱ表彰はｹﾞｰﾑ平均値"_s;
}

QString Data_options::Chk_HCP_caption()
{
    return u"ｱﾍﾞﾚｰｼﾞ･ﾌﾞｰﾋﾞｰはﾊﾝﾃﾞを入れる"_s;
}

QString Data_options::Opt_PntTarget_caption(int index) const
{
    switch (index) {
    case 0:
        return u"ハンデ込み最高点"_s;
    case 1:
        return u"ハンデなし最高点"_s;
    default:
        return m_chkHcp ? u"ハンデ込み平均点"_s : u"ハンデなし平均点"_s;
    }
}

QString Data_options::Opt_PntCalc_caption(int index)
{
    switch (index) {
    case 0:
        return u"上位加重（ＫＬＶ方式）"_s;
    case 1:
        return u"リニア (人数-順位+1)"_s;
    default:
        return u"この場で入力する"_s;
    }
}

QString Data_options::Txt_Pnt_label(int index)
{
    static const QString fullDigits = u"０１２３４５６７８９"_s;
    const int place = index + 1;
    if (place >= pnt_count)
        return u"30着       以下"_s;
    if (place <= 9)
        return fullDigits.at(place) + u"着"_s;
    return QString::number(place) + u"着"_s;
}

} // namespace results_ui
