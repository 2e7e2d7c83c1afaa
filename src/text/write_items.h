#pragma once

#include <QString>
#include <QVariantList>

namespace text {

// One line of the platform's Write # statement (without its line end):
// items separated by commas, texts in double quotes (a double quote inside
// a text is doubled, so that InputReader gives it back), numbers plainly
// (no blank before positive numbers: 5, -3, 1.5, .5), booleans as
// #TRUE# / #FALSE#, dates as #yyyy-mm-dd#, an invalid QVariant as nothing.
// Other types throw std::invalid_argument.
QString writeItems(const QVariantList &items);

} // namespace text
