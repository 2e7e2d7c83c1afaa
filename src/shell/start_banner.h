#pragma once

#include <QRect>

class QPainter;

namespace shell {

// The header picture of the main menu: a lane running into a set of pins with
// a ball on its way, and the program's name. Painted on any QPaintDevice.
class StartBanner
{
public:
    static void paint(QPainter &p, const QRect &r);
};

} // namespace shell
