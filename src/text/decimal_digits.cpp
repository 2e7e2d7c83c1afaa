#include "text/decimal_digits.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace text {

DecimalDigits::DecimalDigits(double value)
{
    m_negative = std::signbit(value);
    if (value == 0 || !std::isfinite(value)) return;
    // "d.dddddddddddddde±XX": 15 significant digits.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    const char *e = buf;
    while (*e != 'e')
        ++e;
    for (const char *p = buf; p != e; ++p)
        if (*p != '.') m_digits.append(*p);
    m_point = std::atoi(e + 1) + 1;
    trim();
}

void DecimalDigits::trim()
{
    while (!m_digits.isEmpty() && m_digits.back() == '0')
        m_digits.chop(1);
    int lead = 0;
    while (lead < m_digits.size() && m_digits.at(lead) == '0')
        ++lead;
    m_digits.remove(0, lead);
    m_point -= lead;
    if (m_digits.isEmpty()) m_point = 0;
}

void DecimalDigits::shift(int n)
{
    if (!isZero()) m_point += n;
}

void DecimalDigits::round(int decimals)
{
    const int keep = m_point + decimals; // digits kept
    if (keep >= m_digits.size()) return;
    if (keep < 0) {
        m_digits.clear();
        m_point = 0;
        return;
    }
    const bool up = m_digits.at(keep) >= '5';
    m_digits.truncate(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && m_digits.at(i) == '9') {
            m_digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            m_digits[i] = char(m_digits.at(i) + 1);
        } else {
            m_digits.prepend('1');
            ++m_point;
        }
    }
    trim();
}

QByteArray DecimalDigits::integerDigits() const
{
    if (m_point <= 0) return {};
    QByteArray r = m_digits.left(m_point);
    while (r.size() < m_point)
        r.append('0');
    return r;
}

QByteArray DecimalDigits::fractionDigits(int count) const
{
    QByteArray r;
    for (int i = 0; i < count; ++i) {
        const int idx = m_point + i;
        r.append(idx >= 0 && idx < m_digits.size() ? m_digits.at(idx) : '0');
    }
    return r;
}

} // namespace text
