#include "config/settings.h"

#include "config/settings_store.h"
#include "config/value_text.h"

#include <exception>

using namespace Qt::StringLiterals;

namespace config {

namespace {

const QString setting = u"Setting"_s;
const QString htmlColor = u"HTML_color"_s;
const QString pin = u"pin"_s;

// Each reader takes the stored text (or the default text) and converts it;
// a text that does not convert leaves the member alone.
template <typename T, typename Convert>
void readInto(const SettingsStore &store, const QString &section, const QString &key,
              const QString &defaultText, T &member, Convert convert)
{
    if (const auto value = convert(store.get(section, key, defaultText)))
        member = *value;
}

void readText(const SettingsStore &store, const QString &section, const QString &key,
              const QString &defaultText, QString &member)
{
    member = store.get(section, key, defaultText);
}

// Runs one ID range scan; a table that cannot be read is skipped.
template <typename T>
void scanRange(const IdList &ids, T &max, T &min)
{
    if (!ids || max != 1)
        return;
    try {
        if (const std::optional<std::vector<std::int64_t>> list = ids())
            widenRange(max, min, *list);
    } catch (const std::exception &) {
        // A missing table leaves the range as it was read.
    }
}

struct ColourKey {
    const char16_t *key;
    QString Settings::*member;
};

const ColourKey colourKeys[] = {
    {u"back", &Settings::clr_back},         {u"fore", &Settings::clr_fore},
    {u"syo_back", &Settings::clr_syo_back}, {u"syo_fore", &Settings::clr_syo_fore},
    {u"ave_back", &Settings::clr_ave_back}, {u"ave_fore", &Settings::clr_ave_fore},
    {u"all_back", &Settings::clr_all_back}, {u"all_fore", &Settings::clr_all_fore},
};

QString markKey(int i)
{
    return u"Spear_mark"_s + QString::number(i);
}

} // namespace

std::array<QString, 11> Settings::defaultMarks()
{
    std::array<QString, 11> marks;
    for (int i = 1; i <= 8; ++i)
        marks[static_cast<std::size_t>(i)] = QString::number(i) + u's';
    marks[9] = u"／"_s;
    marks[10] = u"＊"_s;
    return marks;
}

QString Settings::defaultBrowser()
{
    return u"xdg-open"_s;
}

float Settings::windowWidth(float screenWidthTwips) const
{
    return width == 9999 ? 0.9f * screenWidthTwips : width;
}

float Settings::windowHeight(float screenHeightTwips) const
{
    return height == 5555 ? 0.9f * screenHeightTwips : height;
}

void Settings::load(const SettingsStore &store, const IdSources &ids)
{
    readInto(store, setting, u"Left"_s, u"25"_s, Left, toSingle);
    readInto(store, setting, u"Top"_s, u"25"_s, Top, toSingle);
    readInto(store, setting, u"width"_s, u"9999"_s, width, toSingle);
    readInto(store, setting, u"height"_s, u"5555"_s, height, toSingle);

    readInto(store, setting, u"max_game"_s, u"3"_s, max_game, toInteger);
    readInto(store, setting, u"hcp_mynas"_s, u"0"_s, hcp_mynas, toByte);
    readInto(store, setting, u"data_1"_s, u"0"_s, data_1, toByte);
    readInto(store, setting, u"data_2"_s, u"0"_s, data_2, toByte);
    readInto(store, setting, u"data_3"_s, u"0"_s, data_3, toByte);
    readInto(store, setting, u"data_4"_s, u"0"_s, data_4, toByte);

    readInto(store, setting, u"srs_max"_s, u"1"_s, srs_max, toInteger);
    readInto(store, setting, u"srs_min"_s, u"1"_s, srs_min, toInteger);
    scanRange(ids.seasonIds, srs_max, srs_min);

    readInto(store, setting, u"siai_max"_s, u"1"_s, siai_max, toLong);
    readInto(store, setting, u"siai_min"_s, u"1"_s, siai_min, toLong);
    scanRange(ids.matchIds, siai_max, siai_min);

    const std::array<QString, 11> marks = defaultMarks();
    for (int i = 1; i <= 10; ++i) {
        const auto n = static_cast<std::size_t>(i);
        readText(store, setting, markKey(i), marks[n], Spear_mark[n]);
    }

    const Settings defaults;
    for (const ColourKey &c : colourKeys)
        readText(store, htmlColor, QString::fromUtf16(c.key), defaults.*c.member, this->*c.member);

    readText(store, pin, u"pin1_name"_s, u"pin1.jpg"_s, pin1_name);
    readText(store, pin, u"pin2_name"_s, u"pin2.jpg"_s, pin2_name);
    readText(store, pin, u"pin3_name"_s, u"pin3.jpg"_s, pin3_name);
    readInto(store, pin, u"pin1_color"_s, u"&hffffff"_s, pin1_color, toLong);
    readInto(store, pin, u"pin2_color"_s, u"&h10ddff"_s, pin2_color, toLong);
    readInto(store, pin, u"pin3_color"_s, u"&h8090ff"_s, pin3_color, toLong);

    readText(store, setting, u"brw"_s, defaultBrowser(), brw);
}

void Settings::saveShutdown(SettingsStore &store) const
{
    store.set(setting, u"Top"_s, singleText(Top));
    store.set(setting, u"Left"_s, singleText(Left));
    store.set(setting, u"height"_s, singleText(height));
    store.set(setting, u"width"_s, singleText(width));
    saveRanges(store);
}

void Settings::saveRanges(SettingsStore &store) const
{
    store.set(setting, u"srs_max"_s, QString::number(srs_max));
    store.set(setting, u"srs_min"_s, QString::number(srs_min));
    store.set(setting, u"siai_max"_s, QString::number(siai_max));
    store.set(setting, u"siai_min"_s, QString::number(siai_min));
}

void Settings::saveOptions(SettingsStore &store) const
{
    store.set(setting, u"max_game"_s, QString::number(max_game));
    store.set(setting, u"hcp_mynas"_s, QString::number(hcp_mynas));
    store.set(setting, u"data_1"_s, QString::number(data_1));
    store.set(setting, u"data_2"_s, QString::number(data_2));
    store.set(setting, u"data_3"_s, QString::number(data_3));
    store.set(setting, u"data_4"_s, QString::number(data_4));
    for (int i = 1; i <= 10; ++i)
        store.set(setting, markKey(i), Spear_mark[static_cast<std::size_t>(i)]);
    store.set(pin, u"pin1_name"_s, pin1_name);
    store.set(pin, u"pin2_name"_s, pin2_name);
    store.set(pin, u"pin3_name"_s, pin3_name);
    store.set(pin, u"pin1_color"_s, QString::number(pin1_color));
    store.set(pin, u"pin2_color"_s, QString::number(pin2_color));
    store.set(pin, u"pin3_color"_s, QString::number(pin3_color));
    store.set(setting, u"brw"_s, brw);
}

void Settings::saveHtmlColors(SettingsStore &store) const
{
    for (const ColourKey &c : colourKeys)
        store.set(htmlColor, QString::fromUtf16(c.key), this->*c.member);
}

} // namespace config
