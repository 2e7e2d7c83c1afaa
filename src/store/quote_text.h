#pragma once

#include <QString>

namespace store {

// A text as an SQL string literal: every apostrophe doubled, the whole in
// apostrophes. For names pasted into criteria ("選手名 = " + quoteText(name)),
// so a name like O'Neil works.
QString quoteText(const QString &text);

} // namespace store
