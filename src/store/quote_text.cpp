#include "store/quote_text.h"

using namespace Qt::StringLiterals;

namespace store {

QString quoteText(const QString &text)
{
    QString out = text;
    out.replace(u"'"_s, u"''"_s);
    return u"'"_s + out + u"'"_s;
}

} // namespace store
