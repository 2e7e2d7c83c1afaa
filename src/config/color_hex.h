#pragma once

#include <QString>

#include <cstdint>

namespace config {

// The six upper-case hexadecimal digits RRGGBB that HTML uses for a colour
// number &HBBGGRR (red in the low byte): 14811135 gives "FFFFE1", 255 gives
// "FF0000", &HF0000 gives "00000F". Only the low 24 bits take part.
QString color_hex(std::int64_t colour);

// The same for a colour number held as text ("14811135", "&h10ddff").
// Throws std::invalid_argument when the text is not a number.
QString color_hex(const QString &colour);

} // namespace config
