#pragma once

#include <QString>

namespace platform {
class Desktop;
}
namespace config {
class SettingsStore;
struct Settings;
struct MatchGlobals;
}
namespace store {
class Database;
}
namespace scoring {
class Night;
}

namespace shell {

class Form_menu;

// What the screens share, owned by the Application and handed to every screen
// by reference.
struct AppContext {
    platform::Desktop &desktop;
    config::SettingsStore &store;
    config::Settings &settings;
    config::MatchGlobals &match;
    store::Database &db;
    // The program folder, also the current folder; files without a path live here.
    QString programDir;
    // The main window, set once it exists.
    Form_menu *menu = nullptr;
    // The score sheets and entry position of the match night, set once the
    // settings are read.
    scoring::Night *night = nullptr;

    QString programFile(const QString &name) const;
};

} // namespace shell
