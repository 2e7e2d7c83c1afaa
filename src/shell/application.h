#pragma once

#include "config/match_globals.h"
#include "config/settings.h"
#include "shell/app_context.h"
#include "shell/instance_lock.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace platform {
class Desktop;
}
namespace config {
class SettingsStore;
}
namespace store {
class Database;
}
namespace scoring {
class Night;
}

namespace shell {

class Form_menu;
class Form_Start;

// Where the program looks for its folders and settings.
struct StartOptions {
    QString exeDir;       // the executable's folder
    QString userDataDir;  // the per-user data folder (ProgramDir::userDataDir())
    QString settingsFile; // an INI file; empty: the user's own settings
    QString lockDir;      // where the instance lock lives; empty: the program folder

    // The options of the installed program.
    static StartOptions forThisProgram();
};

// The program: owns the desktop, the settings, the match globals, the database
// and the main window. start() runs the start-up in order: program folder made
// current, second copy refused, database opened (created when missing) and
// tested, settings loaded with the ID range scans, main window placed and
// shown, main menu loaded.
class Application
{
public:
    enum class StartResult {
        Started,
        NoProgramDir,   // the program folder cannot be created
        AlreadyRunning, // another copy holds the lock
        NoDatabase,     // Pinora.mdb is missing and cannot be created
        OldDatabase,    // Pinora.mdb cannot be opened or lacks table フレーム
    };

    // Code that attaches the screens of other layers to the main menu; runs
    // once the main menu exists.
    using Installer = std::function<void(Application &)>;

    // Uses the given desktop (the scripted one in tests).
    Application(platform::Desktop &desktop, StartOptions options);
    // Owns a Qt desktop whose dialogs are modal to the main window.
    explicit Application(StartOptions options);
    ~Application();
    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    void addInstaller(Installer installer) { m_installers.push_back(std::move(installer)); }

    StartResult start();
    // start(), then the event loop; the exit code of the program.
    int run();

    AppContext &context() { return *m_ctx; }
    Form_menu *mainWindow() const { return m_menu.get(); }
    Form_Start *mainMenu() const;

    static QString versionMessage();

private:
    bool openDatabase();
    void loadSettings();

    StartOptions m_options;
    std::unique_ptr<platform::Desktop> m_ownDesktop;
    platform::Desktop &m_desktop;
    std::unique_ptr<config::SettingsStore> m_store;
    config::Settings m_settings;
    config::MatchGlobals m_match;
    std::unique_ptr<store::Database> m_db;
    std::unique_ptr<scoring::Night> m_night;
    std::unique_ptr<AppContext> m_ctx;
    InstanceLock m_lock;
    std::unique_ptr<Form_menu> m_menu;
    std::vector<Installer> m_installers;
};

// The whole program: the application object and its event loop. main() calls
// this; installers attach the screens of the other layers.
int run(int argc, char **argv, const std::vector<Application::Installer> &installers = {});

} // namespace shell
