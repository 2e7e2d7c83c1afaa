#include "shell/program_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

static void initShellResources()
{
    // The resources live in a static library; make sure they are registered.
    Q_INIT_RESOURCE(shell_resources);
}

namespace shell {

QString ProgramDir::userDataDir()
{
    // GenericDataLocation + the application name gives ~/.local/share/Pinora32
    // whatever organisation name the application object carries.
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                           + u"/Pinora32"_s);
}

QString ProgramDir::choose(const QString &exeDir, const QString &userDir)
{
    if (!exeDir.isEmpty() && QFileInfo::exists(QDir(exeDir).filePath(u"Pinora.mdb"_s)))
        return QDir::cleanPath(exeDir);
    return QDir::cleanPath(userDir);
}

QStringList ProgramDir::sourceDirs(const QString &exeDir)
{
    initShellResources();
    QStringList dirs;
    if (!exeDir.isEmpty()) {
        dirs << QDir::cleanPath(exeDir + u"/../share/pinora"_s);
        dirs << QDir::cleanPath(exeDir);
    }
    dirs << u":/pinora"_s;
    return dirs;
}

QStringList ProgramDir::filesToCopy(const QStringList &sources)
{
    QStringList names { u"pin1.jpg"_s, u"pin2.jpg"_s, u"pin3.jpg"_s };
    QSet<QString> seen(names.begin(), names.end());
    for (const QString &src : sources) {
        const QStringList pages = QDir(src).entryList({ u"ph_*.htm"_s }, QDir::Files, QDir::Name);
        for (const QString &p : pages) {
            if (!seen.contains(p)) {
                seen.insert(p);
                names << p;
            }
        }
    }
    return names;
}

bool ProgramDir::prepare(const QString &dir, const QStringList &sources)
{
    if (!QDir().mkpath(dir))
        return false;
    const QDir target(dir);
    const QStringList names = filesToCopy(sources);
    for (const QString &name : names) {
        const QString dest = target.filePath(name);
        if (QFileInfo::exists(dest))
            continue;
        for (const QString &src : sources) {
            const QString from = QDir(src).filePath(name);
            if (!QFileInfo::exists(from) || QFileInfo(from).absoluteDir() == QFileInfo(dest).absoluteDir())
                continue;
            if (QFile::copy(from, dest)) {
                // Copies out of the built-in resources arrive read-only.
                QFile::setPermissions(dest, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                          | QFile::ReadOther);
                break;
            }
        }
    }
    return true;
}

} // namespace shell
