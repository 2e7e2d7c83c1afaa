#pragma once

#include <QString>
#include <QStringList>

namespace shell {

// The folder that holds Pinora.mdb and every file the program reads or writes
// without a path (backups, result files, pages, help pages, pin pictures).
class ProgramDir
{
public:
    // The per-user data folder: <XDG data home>/Pinora32.
    static QString userDataDir();

    // The executable's folder when it already holds Pinora.mdb (a portable
    // install), otherwise userDataDir.
    static QString choose(const QString &exeDir, const QString &userDir);

    // Where the installed copies of the pin pictures and help pages are looked
    // for, in order: <prefix>/share/pinora, the executable's folder, then the
    // copies built into the program.
    static QStringList sourceDirs(const QString &exeDir);

    // Creates dir when missing and copies into it every pin picture and help
    // page that it lacks, from the first source folder that has the file.
    // Returns false when the folder cannot be created.
    static bool prepare(const QString &dir, const QStringList &sources);

    // File names that prepare copies: pin1.jpg .. pin3.jpg and the ph_*.htm
    // pages found in the sources.
    static QStringList filesToCopy(const QStringList &sources);
};

} // namespace shell
