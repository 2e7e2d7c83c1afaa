#pragma once

#include <QByteArray>

namespace text {

// A finite double as decimal digits, taken at 15 significant digits as the
// classic BASIC runtime does, so that 2.675 rounds to 2.68 and 0.575 × 100 is
// exactly 57.5. Value = 0.digits × 10^point (digits without leading or
// trailing zeros; empty for zero).
class DecimalDigits
{
public:
    explicit DecimalDigits(double value);

    bool negative() const { return m_negative; }
    bool isZero() const { return m_digits.isEmpty(); }
    const QByteArray &digits() const { return m_digits; }
    int point() const { return m_point; }

    // Multiplies by 10^n (exact: only the decimal point moves).
    void shift(int n);
    // Rounds half away from zero to `decimals` places after the point.
    void round(int decimals);

    // The digits before the decimal point ("" when the integer part is 0).
    QByteArray integerDigits() const;
    // Exactly `count` digits after the decimal point, zero-filled.
    QByteArray fractionDigits(int count) const;

private:
    void trim();

    bool m_negative = false;
    QByteArray m_digits;
    int m_point = 0;
};

} // namespace text
