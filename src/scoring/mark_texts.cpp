#include "scoring/mark_texts.h"

#include "scoring/mark_code.h"

using namespace Qt::StringLiterals;

namespace scoring {

std::array<QString, 11> Mark_texts::default_spear_marks()
{
    return { QString(), u"1s"_s, u"2s"_s, u"3s"_s, u"4s"_s, u"5s"_s, u"6s"_s, u"7s"_s, u"8s"_s, u"／"_s,
        u"＊"_s };
}

Mark_texts::Mark_texts()
    : spear_mark_(default_spear_marks())
{
}

Mark_texts::Mark_texts(const std::array<QString, 11> &spear_mark)
    : spear_mark_(spear_mark)
{
    spear_mark_[0].clear();
}

QString Mark_texts::Spear_mark(int i) const
{
    if (i < 1 || i > 10) return QString();
    return spear_mark_[static_cast<std::size_t>(i)];
}

QString Mark_texts::caption(int code) const
{
    static const QString digits = u"Ｇ１２３４５６７８９"_s;
    if (code >= code_gutter && code <= 9) return digits.mid(code, 1);
    switch (code) {
    case code_strike:
        return Spear_mark(10);
    case code_miss:
        return u"－"_s;
    case code_spare:
        return Spear_mark(9);
    case code_foul:
        return u"Ｆ"_s;
    case code_empty:
        return empty_slot_text();
    default:
        return QString();
    }
}

QString Mark_texts::slot_text(int code, int kind) const
{
    return kind == kind_split ? Spear_mark(code) : caption(code);
}

} // namespace scoring
