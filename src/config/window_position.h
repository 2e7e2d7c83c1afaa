#pragma once

#include <QString>

namespace config {

class SettingsStore;

// A screen's position in twips as kept in section "Form".
struct WindowPosition {
    int left = 25;
    int top = 25;
    bool operator==(const WindowPosition &) const = default;
};

// The smallest stored coordinate and the default for a missing one.
inline constexpr int minimumPositionTwips = 25;

// Reads prefix + "_Left" and prefix + "_Top" of section "Form". A missing or
// unreadable value gives 25, a value below 25 is raised to 25.
WindowPosition readPosition(const SettingsStore &store, const QString &prefix);
// Writes both coordinates as whole twips.
void writePosition(SettingsStore &store, const QString &prefix, const WindowPosition &position);

// A stored height or width of a screen in section "Form" (key such as
// "sei_height"), in whole twips; defaultTwips when missing or unreadable.
int readExtent(const SettingsStore &store, const QString &key, int defaultTwips);
void writeExtent(SettingsStore &store, const QString &key, int twips);

} // namespace config
