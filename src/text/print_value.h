#pragma once

#include <QString>
#include <QVariant>

namespace text {

// A value as the platform's Print # statement writes it without a pattern:
// a text unchanged; a number as Str writes it (a blank before numbers of 0
// and more) followed by one blank; a boolean as True / False; a date as the
// short date (2009/12/05); a null value as the word Null.
QString printValue(const QVariant &value);

} // namespace text
