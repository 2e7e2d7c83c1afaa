#include "config/window_position.h"

#include "config/settings_store.h"
#include "config/value_text.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace config {

namespace {

// Far beyond any screen, but small enough for pixel arithmetic.
constexpr double maximumPositionTwips = 10'000'000;

int readCoordinate(const SettingsStore &store, const QString &key)
{
    const std::optional<float> value = toSingle(store.get(u"Form"_s, key, u"25"_s));
    if (!value || *value < minimumPositionTwips)
        return minimumPositionTwips;
    return static_cast<int>(std::lround(std::fmin(*value, maximumPositionTwips)));
}

} // namespace

WindowPosition readPosition(const SettingsStore &store, const QString &prefix)
{
    return {readCoordinate(store, prefix + u"_Left"_s), readCoordinate(store, prefix + u"_Top"_s)};
}

void writePosition(SettingsStore &store, const QString &prefix, const WindowPosition &position)
{
    store.set(u"Form"_s, prefix + u"_Left"_s, QString::number(position.left));
    store.set(u"Form"_s, prefix + u"_Top"_s, QString::number(position.top));
}

int readExtent(const SettingsStore &store, const QString &key, int defaultTwips)
{
    const std::optional<float> value = toSingle(store.get(u"Form"_s, key));
    if (!value || std::fabs(*value) > maximumPositionTwips)
        return defaultTwips;
    return static_cast<int>(std::lround(*value));
}

void writeExtent(SettingsStore &store, const QString &key, int twips)
{
    store.set(u"Form"_s, key, QString::number(twips));
}

} // namespace config
