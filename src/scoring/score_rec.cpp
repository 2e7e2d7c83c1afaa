#include "scoring/score_rec.h"

namespace scoring {

QString Score_rec::fixed_name(const QString &name)
{
    QString fixed = name.left(name_length);
    fixed.resize(name_length, QLatin1Char(' '));
    return fixed;
}

void Score_rec::set_sen_name(const QString &name)
{
    sen_name = fixed_name(name);
}

void Score_rec::reset_marks()
{
    mark_txt.fill(empty_slot_text());
    mark_cd.fill(code_empty);
    mark_kind.fill(kind_not_set);
    pin_cnt.fill(0);
    pin_bits.fill(no_pattern);
    fl_score.fill(0);
}

} // namespace scoring
