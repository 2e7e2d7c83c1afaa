#include "scoring/mark_code.h"

using namespace Qt::StringLiterals;

namespace scoring {

QString empty_slot_text()
{
    return u"　"_s;
}

bool is_mark_code(int code)
{
    return (code >= code_gutter && code <= code_strike) || code == code_miss || code == code_spare
        || code == code_foul || code == code_empty;
}

} // namespace scoring
