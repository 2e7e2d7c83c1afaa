#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace config {

class SettingsStore;

// Reads the IDs of every row of a table for the ID range scan at start-up;
// nullopt (or an exception) when the table cannot be read.
using IdList = std::function<std::optional<std::vector<std::int64_t>>()>;

struct IdSources {
    IdList seasonIds;  // every シーズンID of table シーズン
    IdList matchIds;   // every 試合ID of table 試合
};

// The settings globals of the program, each with its default and the type
// it is held as. Loaded once at start, changed by the settings screens.
struct Settings {
    // main window geometry in twips; 9999 / 5555 mean "not stored yet"
    float Left = 25;
    float Top = 25;
    float width = 9999;
    float height = 5555;

    std::int16_t max_game = 3;  // index of the last game (games 0..max_game)
    std::uint8_t hcp_mynas = 0;
    std::uint8_t data_1 = 0;
    std::uint8_t data_2 = 0;
    std::uint8_t data_3 = 0;
    std::uint8_t data_4 = 0;

    std::int16_t srs_max = 1;
    std::int16_t srs_min = 1;
    std::int32_t siai_max = 1;
    std::int32_t siai_min = 1;

    // Spear_mark[1..10]; index 0 is unused so the numbers match the keys.
    std::array<QString, 11> Spear_mark = defaultMarks();

    QString clr_back = QStringLiteral("14811135");
    QString clr_fore = QStringLiteral("0");
    QString clr_syo_back = QStringLiteral("14811135");
    QString clr_syo_fore = QStringLiteral("0");
    QString clr_ave_back = QStringLiteral("14811135");
    QString clr_ave_fore = QStringLiteral("0");
    QString clr_all_back = QStringLiteral("14811135");
    QString clr_all_fore = QStringLiteral("0");

    QString pin1_name = QStringLiteral("pin1.jpg");
    QString pin2_name = QStringLiteral("pin2.jpg");
    QString pin3_name = QStringLiteral("pin3.jpg");
    std::int32_t pin1_color = 0xFFFFFF;
    std::int32_t pin2_color = 0x10DDFF;
    std::int32_t pin3_color = 0x8090FF;

    QString brw = defaultBrowser();

    std::int32_t all_data_cnt = 0;  // rows of データ項目, counted by the main menu

    static std::array<QString, 11> defaultMarks();
    static QString defaultBrowser();  // "xdg-open"

    // Main window width and height in twips after the "not stored" rule:
    // 9999 / 5555 become 90% of the given screen size.
    float windowWidth(float screenWidthTwips) const;
    float windowHeight(float screenHeightTwips) const;

    // Reads every key in the order of start-up: geometry, max_game,
    // hcp_mynas, data_1..data_4, the season range (scanned through
    // ids.seasonIds when srs_max is 1), the match range (likewise), the ten
    // marks, the HTML colours and the pin keys. brw is read too. A value that
    // cannot be converted leaves its member unchanged.
    void load(const SettingsStore &store, const IdSources &ids = {});

    // What shutdown writes to section "Setting": Top, Left, height, width,
    // then the four ID range keys.
    void saveShutdown(SettingsStore &store) const;
    // srs_max, srs_min, siai_max, siai_min (results processing, statistics).
    void saveRanges(SettingsStore &store) const;
    // What the settings screen saves: max_game, hcp_mynas, data_1..data_4,
    // Spear_mark1..10, the pin names and colours (as decimal text), brw.
    void saveOptions(SettingsStore &store) const;
    // The eight keys of section "HTML_color".
    void saveHtmlColors(SettingsStore &store) const;
};

// Widens [min, max] by every ID: max is raised to a larger ID, min lowered to
// a smaller one. IDs outside the range of T are skipped.
template <typename T>
void widenRange(T &max, T &min, const std::vector<std::int64_t> &ids)
{
    for (const std::int64_t id : ids) {
        if (id < std::numeric_limits<T>::min() || id > std::numeric_limits<T>::max())
            continue;
        if (id > max)
            max = static_cast<T>(id);
        if (id < min)
            min = static_cast<T>(id);
    }
}

} // namespace config
