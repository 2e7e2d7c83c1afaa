#include "scoring/score_rec.h"

#include "text/fixed_length.h"

namespace scoring {

QString Score_rec::fixed_name(const QString &name)
{
    return text::fixedLength(name, name_length);
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
