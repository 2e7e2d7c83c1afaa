#include "config/color_hex.h"

#include "config/value_text.h"

#include <cmath>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace config {

QString color_hex(std::int64_t colour)
{
    // BBGGRR, always six digits, then the pairs in reverse order.
    const QString bgr = QString::number(static_cast<std::uint64_t>(colour) & 0xFFFFFFU, 16)
                            .toUpper()
                            .rightJustified(6, u'0');
    return bgr.mid(4, 2) + bgr.mid(2, 2) + bgr.mid(0, 2);
}

QString color_hex(const QString &colour)
{
    const std::optional<double> value = parseNumber(colour);
    if (!value)
        throw std::invalid_argument("colour is not a number: " + colour.toStdString());
    return color_hex(static_cast<std::int64_t>(std::nearbyint(*value)));
}

} // namespace config
