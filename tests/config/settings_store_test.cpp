#include "config/settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    QString iniFile() const { return dir.filePath(u"Pinora32.ini"_s); }
    QTemporaryDir dir;
};

TEST_F(SettingsStoreTest, MissingEntryGivesTheDefault)
{
    config::SettingsStore store(iniFile());
    EXPECT_EQ(store.get(u"Setting"_s, u"max_game"_s, u"3"_s), u"3"_s);
    EXPECT_EQ(store.get(u"Setting"_s, u"max_game"_s), QString());
    EXPECT_FALSE(store.contains(u"Setting"_s, u"max_game"_s));
}

TEST_F(SettingsStoreTest, SectionAndKeyIgnoreCase)
{
    config::SettingsStore store(iniFile());
    store.set(u"Form"_s, u"info_Left"_s, u"300"_s);
    EXPECT_EQ(store.get(u"form"_s, u"info_left"_s), u"300"_s);
    EXPECT_EQ(store.get(u"FORM"_s, u"INFO_LEFT"_s), u"300"_s);
    store.set(u"form"_s, u"INFO_left"_s, u"400"_s);
    EXPECT_EQ(store.get(u"Form"_s, u"info_Left"_s), u"400"_s);
    store.remove(u"FORM"_s, u"Info_Left"_s);
    EXPECT_FALSE(store.contains(u"form"_s, u"info_left"_s));
}

TEST_F(SettingsStoreTest, TextsSurviveAReopen)
{
    const QString texts[] = {u"／"_s, u"＊"_s, u"c:\\Program Files\\Internet Explorer\\Iexplore.exe"_s,
                             u"a, b"_s, u"@at"_s, u" padded "_s, u""_s};
    {
        config::SettingsStore store(iniFile());
        int i = 0;
        for (const QString &t : texts)
            store.set(u"Setting"_s, u"k"_s + QString::number(i++), t);
        ASSERT_TRUE(store.sync());
    }
    config::SettingsStore reopened(iniFile());
    int i = 0;
    for (const QString &t : texts)
        EXPECT_EQ(reopened.get(u"setting"_s, u"K"_s + QString::number(i++), u"missing"_s), t);
}

TEST_F(SettingsStoreTest, HandEditedListValueReadsAsText)
{
    QFile file(iniFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[setting]\nbrw=one, two\nmax_game=5\n");
    file.close();
    config::SettingsStore store(iniFile());
    EXPECT_EQ(store.get(u"Setting"_s, u"brw"_s), u"one, two"_s);
    EXPECT_EQ(store.get(u"Setting"_s, u"Max_Game"_s), u"5"_s);
}

TEST_F(SettingsStoreTest, UserStoreLivesInTheConfigFolderUnderTheApplicationName)
{
    QStandardPaths::setTestModeEnabled(true);
    config::SettingsStore store;
    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QStandardPaths::setTestModeEnabled(false);
    EXPECT_TRUE(store.fileName().startsWith(configFolder)) << store.fileName().toStdString();
    EXPECT_TRUE(store.fileName().endsWith(u"/Pinora32/Pinora32.ini"_s)) << store.fileName().toStdString();
}

} // namespace
