#include "platform/window_placement.h"

#include "config/settings_store.h"
#include "config/window_position.h"

#include <QColor>
#include <QWidget>

#include <cmath>

namespace platform {

int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

int pixelsToTwips(int pixels)
{
    return pixels * twipsPerPixel;
}

void placeWindow(QWidget &window, const config::SettingsStore &store, const QString &prefix)
{
    const config::WindowPosition position = config::readPosition(store, prefix);
    window.move(twipsToPixels(position.left), twipsToPixels(position.top));
}

void storeWindowPosition(const QWidget &window, config::SettingsStore &store, const QString &prefix)
{
    config::writePosition(store, prefix, {pixelsToTwips(window.x()), pixelsToTwips(window.y())});
}

QColor bgrToColor(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int colorToBgr(const QColor &colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

} // namespace platform
