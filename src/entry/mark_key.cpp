#include "entry/mark_key.h"

#include "scoring/mark_code.h"

namespace entry {

Mark_key translate_mark_key(char16_t ch)
{
    using A = Mark_key::Action;
    if (ch >= u'0' && ch <= u'9')
        return {A::mark, ch - u'0'};
    switch (ch) {
    case u'*':
        return {A::mark, scoring::code_strike};
    case u'-':
        return {A::mark, scoring::code_miss};
    case u'/':
    case u'P':
    case u'p':
        return {A::mark, scoring::code_spare};
    case u'F':
    case u'f':
        return {A::mark, scoring::code_foul};
    case u'G':
    case u'g':
        return {A::mark, scoring::code_gutter};
    case u'+':
        return {A::split, 0};
    default:
        return {};
    }
}

} // namespace entry
