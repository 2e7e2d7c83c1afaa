#pragma once

#include <QString>

#include <ostream>

// Shows a QString as UTF-8 text in test failures.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
