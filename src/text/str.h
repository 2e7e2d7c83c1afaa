#pragma once

#include <QString>

#include <concepts>

namespace text {

// A number as the classic BASIC runtime writes it without a pattern, but with
// no sign position: 15 significant digits, no trailing zeros, "E+nn"/"E-nn"
// notation below 0.0001 and from 1E+15 on. `leadingZero` writes 0.5 (as CStr
// and the "General Number" format do) instead of .5 (as Str and Write # do).
QString plainNumber(double value, bool leadingZero);

// Str: a leading blank for numbers of 0 and more, "-" for negatives.
// Str(1.5) = " 1.5", Str(-3) = "-3", Str(0) = " 0", Str(0.5) = " .5".
QString Str(double value);

template <std::integral T>
requires(!std::same_as<T, bool>) QString Str(T value)
{
    if constexpr (std::is_signed_v<T>) {
        if (value < 0) return QString::number(value);
    }
    return QLatin1Char(' ') + QString::number(value);
}

} // namespace text
