#include "results/placing.h"

#include "text/width.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace results {

QString placing_text(int place)
{
    if (place >= 1 && place <= 9)
        return text::toWide(QString::number(place)) + u"着"_s;
    return (QString::number(place) + u"着"_s).right(3);
}

int upper_weighted_points(int n, int r)
{
    int points = 0;
    switch (r) {
    case 1:
        points = n + 9;
        break;
    case 2:
        points = n + 4;
        break;
    case 3:
        points = n + 1;
        break;
    default:
        points = n - 2 * r + 1;
        break;
    }
    points = std::max(points, 0);
    if (n < 6 && r >= 3)
        points = 0;
    if (n <= 3 && r >= 2)
        points = 0;
    return points;
}

int linear_points(int n, int r)
{
    return n - r + 1;
}

} // namespace results
