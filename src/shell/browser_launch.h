#pragma once

#include <QString>
#include <QStringList>

namespace platform {
class Desktop;
}

namespace shell {

struct AppContext;

// Starts the browser of setting brw with a page or address: the browser, one
// blank, the target. A browser that cannot be started changes nothing and is
// named in a short message.
class BrowserLaunch
{
public:
    // The program and its arguments for the command line brw + " " + target.
    // brw naming an existing file is taken whole (a path may hold blanks);
    // otherwise it is split like a shell command line, so "firefox -P x"
    // gives the program firefox with its own arguments before the target.
    // An empty brw falls back to xdg-open.
    static QStringList commandLine(const QString &brw, const QString &target);

    // Runs the command line; false when the program could not be started.
    static bool open(platform::Desktop &desktop, const QString &brw, const QString &target);

    // The help page "ph_" + word + ".htm" of the program folder in the browser.
    static bool openHelp(const AppContext &ctx, const QString &word);

    // The message shown when program cannot be started.
    static QString failureText(const QString &program);
};

} // namespace shell
