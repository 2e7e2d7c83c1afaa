#include "shell/instance_lock.h"
#include "shell/program_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using shell::ProgramDir;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(ProgramDir, UserFolderIsPinora32UnderTheDataHome)
{
    const QString expected
        = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Pinora32"_s;
    EXPECT_EQ(ProgramDir::userDataDir(), QDir::cleanPath(expected));
}

TEST(ProgramDir, ExecutableFolderHoldingTheDatabaseIsAPortableInstall)
{
    QTemporaryDir tmp;
    const QString exe = tmp.filePath(u"bin"_s);
    QDir().mkpath(exe);
    const QString user = tmp.filePath(u"user"_s);
    EXPECT_EQ(ProgramDir::choose(exe, user), user);
    writeFile(QDir(exe).filePath(u"Pinora.mdb"_s), "x");
    EXPECT_EQ(ProgramDir::choose(exe, user), exe);
}

TEST(ProgramDir, PrepareCreatesTheFolderAndCopiesWhatIsMissing)
{
    QTemporaryDir tmp;
    const QString share = tmp.filePath(u"share/pinora"_s);
    QDir().mkpath(share);
    writeFile(QDir(share).filePath(u"pin1.jpg"_s), "installed pin1");
    writeFile(QDir(share).filePath(u"ph_extra.htm"_s), "installed extra");
    const QString dir = tmp.filePath(u"home/Pinora32"_s);
    QDir().mkpath(dir);
    writeFile(QDir(dir).filePath(u"pin2.jpg"_s), "the user's own pin2");

    ASSERT_TRUE(ProgramDir::prepare(dir, { share, u":/pinora"_s }));

    EXPECT_EQ(readFile(QDir(dir).filePath(u"pin1.jpg"_s)), "installed pin1");
    EXPECT_EQ(readFile(QDir(dir).filePath(u"ph_extra.htm"_s)), "installed extra");
    // Never overwritten.
    EXPECT_EQ(readFile(QDir(dir).filePath(u"pin2.jpg"_s)), "the user's own pin2");
    // Taken from the built-in copies when no installed file exists.
    EXPECT_EQ(readFile(QDir(dir).filePath(u"pin3.jpg"_s)), readFile(u":/pinora/pin3.jpg"_s));
    EXPECT_FALSE(readFile(QDir(dir).filePath(u"pin3.jpg"_s)).isEmpty());
    EXPECT_TRUE(readFile(QDir(dir).filePath(u"ph_menu.htm"_s)).contains("メニュー画面"));
    // A copy out of the resources can be replaced by the user later.
    EXPECT_TRUE(QFileInfo(QDir(dir).filePath(u"pin3.jpg"_s)).isWritable());
}

TEST(ProgramDir, SourcesLookInTheShareFolderFirst)
{
    const QStringList dirs = ProgramDir::sourceDirs(u"/opt/pinora/bin"_s);
    EXPECT_EQ(dirs, (QStringList { u"/opt/pinora/share/pinora"_s, u"/opt/pinora/bin"_s, u":/pinora"_s }));
}

TEST(ProgramDir, PrepareFailsWhenTheFolderCannotBeMade)
{
    QTemporaryDir tmp;
    const QString blocker = tmp.filePath(u"file"_s);
    writeFile(blocker, "not a folder");
    EXPECT_FALSE(ProgramDir::prepare(blocker + u"/Pinora32"_s, { u":/pinora"_s }));
}

TEST(InstanceLock, SecondHolderIsRefusedUntilTheFirstLetsGo)
{
    QTemporaryDir tmp;
    auto first = std::make_unique<shell::InstanceLock>();
    ASSERT_TRUE(first->acquire(tmp.path()));
    shell::InstanceLock second;
    EXPECT_FALSE(second.acquire(tmp.path()));
    EXPECT_FALSE(second.held());
    first.reset();
    EXPECT_TRUE(second.acquire(tmp.path()));
}
