#pragma once

#include <QString>

class QColor;
class QWidget;

namespace config {
class SettingsStore;
}

namespace platform {

// 15 twips make one pixel at 96 dpi.
inline constexpr int twipsPerPixel = 15;
int twipsToPixels(double twips);
int pixelsToTwips(int pixels);

// Moves the window to the position stored for its prefix in section "Form"
// (25 twips when missing, at least 25). For a child window of the main
// window pass its frame (the QMdiSubWindow).
void placeWindow(QWidget &window, const config::SettingsStore &store, const QString &prefix);
// Writes the window's current position back under the same keys.
void storeWindowPosition(const QWidget &window, config::SettingsStore &store, const QString &prefix);

// Colour numbers &HBBGGRR and QColor.
QColor bgrToColor(int bgr);
int colorToBgr(const QColor &colour);

} // namespace platform
