#include "shell/browser_launch.h"

#include "config/settings.h"
#include "platform/desktop.h"
#include "shell/app_context.h"

#include <QFileInfo>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace shell {

QStringList BrowserLaunch::commandLine(const QString &brw, const QString &target)
{
    const QString browser = brw.trimmed();
    QStringList parts;
    if (browser.isEmpty())
        parts << config::Settings::defaultBrowser();
    else if (QFileInfo(browser).isFile())
        parts << browser;
    else
        parts = QProcess::splitCommand(browser);
    if (parts.isEmpty())
        parts << browser;
    parts << target;
    return parts;
}

QString BrowserLaunch::failureText(const QString &program)
{
    return u"ブラウザ「"_s + program + u"」を起動できませんでした。"_s + u"\r"_s
        + u"設定 brw のブラウザを確かめてください。"_s;
}

bool BrowserLaunch::open(platform::Desktop &desktop, const QString &brw, const QString &target)
{
    QStringList parts = commandLine(brw, target);
    const QString program = parts.takeFirst();
    if (desktop.startCommand(program, parts))
        return true;
    desktop.message(failureText(program), platform::Buttons::Ok, platform::Icon::Warning);
    return false;
}

bool BrowserLaunch::openHelp(const AppContext &ctx, const QString &word)
{
    return open(ctx.desktop, ctx.settings.brw, ctx.programFile(u"ph_"_s + word + u".htm"_s));
}

} // namespace shell
