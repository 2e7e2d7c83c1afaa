#include "shell_fixture.h"

#include "config/settings_store.h"
#include "platform/window_placement.h"
#include "shell/form_menu.h"
#include "shell/form_start.h"
#include "store/database.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

using namespace Qt::StringLiterals;
using Result = shell::Application::StartResult;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST_F(ShellFixture, FirstStartCreatesTheDatabaseAndShowsTheMainWindow)
{
    ASSERT_EQ(start(), Result::Started);
    EXPECT_TRUE(desktop.messages().empty());
    EXPECT_EQ(QDir::current().absolutePath(), QDir(options.userDataDir).absolutePath());

    store::Database db;
    db.open(dataFile(u"Pinora.mdb"_s));
    for (const QString &t : { u"選手"_s, u"シーズン"_s, u"会場"_s, u"ハンデ"_s, u"試合"_s, u"データ項目"_s,
                              u"マーク"_s, u"フレーム"_s })
        EXPECT_TRUE(db.hasTable(t)) << t.toStdString();
    EXPECT_TRUE(db.hasView(u"スコアブック"_s));
    EXPECT_EQ(db.scalar(u"SELECT 選手名 FROM 選手 WHERE 選手ID = 0"_s).toString(), u"全　員"_s);

    for (const QString &f : { u"pin1.jpg"_s, u"pin2.jpg"_s, u"pin3.jpg"_s, u"ph_menu.htm"_s })
        EXPECT_TRUE(QFileInfo::exists(dataFile(f))) << f.toStdString();

    shell::Form_menu *w = app->mainWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), u"  ピノラ[Pinora32] - The Scorer & Database for BOWLING Games"_s);
    EXPECT_EQ(w->mdiArea()->background().color(), QColor(0x80, 0x80, 0x80));
    ASSERT_NE(app->mainMenu(), nullptr);
    EXPECT_TRUE(app->mainMenu()->isVisible());
}

TEST_F(ShellFixture, FirstStartFillsNinetyPercentOfTheScreenAt25Twips)
{
    ASSERT_EQ(start(), Result::Started);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    shell::Form_menu *w = app->mainWindow();
    EXPECT_EQ(w->pos(), QPoint(platform::twipsToPixels(25), platform::twipsToPixels(25)));
    EXPECT_NEAR(w->width(), 0.9 * screen.width(), 1.0);
    EXPECT_NEAR(w->height(), 0.9 * screen.height(), 1.0);
}

TEST_F(ShellFixture, StoredGeometryIsUsedAsStored)
{
    {
        config::SettingsStore s(options.settingsFile);
        s.set(u"Setting"_s, u"Left"_s, u"1500"_s);
        s.set(u"Setting"_s, u"Top"_s, u"750"_s);
        s.set(u"Setting"_s, u"width"_s, u"9000"_s);
        s.set(u"Setting"_s, u"height"_s, u"6000"_s);
        s.sync();
    }
    ASSERT_EQ(start(), Result::Started);
    shell::Form_menu *w = app->mainWindow();
    EXPECT_EQ(w->pos(), QPoint(100, 50));
    EXPECT_EQ(w->size(), QSize(600, 400));
}

TEST_F(ShellFixture, SecondCopyIsRefused)
{
    ASSERT_EQ(start(), Result::Started);
    platform::ScriptedDesktop secondDesktop;
    shell::Application second(secondDesktop, options);
    EXPECT_EQ(second.start(), Result::AlreadyRunning);
    ASSERT_EQ(secondDesktop.messages().size(), 1u);
    EXPECT_EQ(secondDesktop.lastMessageText(), u"すでに起動しています。"_s);
    EXPECT_EQ(second.mainWindow(), nullptr);
}

// A file that is there but is not a database of ours gets the version message.
struct ForeignFile {
    const char *name;
    QByteArray bytes;  // written as is; empty: a SQLite file without フレーム
};

class RefusedDatabase : public ShellFixture, public ::testing::WithParamInterface<ForeignFile>
{
};

TEST_P(RefusedDatabase, GetsTheVersionMessageAndEnds)
{
    QDir().mkpath(options.userDataDir);
    const QString file = dataFile(u"Pinora.mdb"_s);
    if (GetParam().bytes.isEmpty()) {
        store::Database db;
        db.create(file);
        db.exec(u"DROP TABLE フレーム"_s);
        db.close();
    } else {
        writeFile(file, GetParam().bytes);
    }

    EXPECT_EQ(start(), Result::OldDatabase);
    ASSERT_EQ(desktop.messages().size(), 1u);
    EXPECT_EQ(desktop.lastMessageText(), u"データベースがVer３対応されていません。\r"
                                         u"専用のソフト(pnr2ver3.exe)を使って\r"
                                         u"データベースを更新して下さい。"_s);
    EXPECT_EQ(app->mainWindow(), nullptr);
    EXPECT_TRUE(QFileInfo::exists(file));
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedDatabase,
                         ::testing::Values(ForeignFile { "NoFrameTable", {} },
                                           ForeignFile { "NotADatabase", "Standard Jet DB\0\0\0garbage" }),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ShellFixture, PortableInstallUsesTheExecutableFolder)
{
    {
        store::Database db;
        db.create(QDir(options.exeDir).filePath(u"Pinora.mdb"_s));
    }
    ASSERT_EQ(start(), Result::Started);
    EXPECT_EQ(app->context().programDir, QDir::cleanPath(options.exeDir));
    EXPECT_EQ(QDir::current().absolutePath(), QDir(options.exeDir).absolutePath());
    EXPECT_FALSE(QFileInfo::exists(options.userDataDir));
}

TEST_F(ShellFixture, IdRangesAreScannedWhenTheStoredMaximumIsOne)
{
    QDir().mkpath(options.userDataDir);
    {
        store::Database db;
        db.create(dataFile(u"Pinora.mdb"_s));
        db.exec(u"INSERT INTO シーズン (シーズンID, シーズン名) VALUES (2, 'a'), (5, 'b')"_s);
        db.exec(u"INSERT INTO 試合 (試合ID, シーズンID, 試合) VALUES (4, 2, 1), (9, 5, 1)"_s);
        config::SettingsStore s(options.settingsFile);
        s.set(u"Setting"_s, u"srs_min"_s, u"3"_s);
        s.set(u"Setting"_s, u"siai_max"_s, u"7"_s);  // not 1: used unchanged
        s.set(u"Setting"_s, u"siai_min"_s, u"6"_s);
        s.sync();
    }
    ASSERT_EQ(start(), Result::Started);
    const config::Settings &st = app->context().settings;
    EXPECT_EQ(st.srs_max, 5);
    EXPECT_EQ(st.srs_min, 2);
    EXPECT_EQ(st.siai_max, 7);
    EXPECT_EQ(st.siai_min, 6);
}

TEST_F(ShellFixture, CancelAtTheQuestionKeepsEverythingAndSavesNothing)
{
    ASSERT_EQ(start(), Result::Started);
    desktop.answerNext(platform::Answer::Cancel);
    EXPECT_FALSE(app->mainWindow()->close());
    ASSERT_EQ(desktop.messages().size(), 1u);
    const platform::Message &m = desktop.messages()[0].message;
    EXPECT_EQ(m.text, u"終了してもよろしいですか？"_s);
    EXPECT_EQ(m.title, u"終了の確認"_s);
    EXPECT_EQ(m.buttons, platform::Buttons::OkCancel);
    EXPECT_EQ(platform::defaultAnswer(m), platform::Answer::Cancel);
    EXPECT_TRUE(app->mainWindow()->isVisible());
    EXPECT_TRUE(app->mainMenu()->isVisible());
    config::SettingsStore s(options.settingsFile);
    EXPECT_FALSE(s.contains(u"Setting"_s, u"width"_s));
    EXPECT_FALSE(s.contains(u"Form"_s, u"start_Top"_s));
}

TEST_F(ShellFixture, UnansweredQuestionIsCancel)
{
    ASSERT_EQ(start(), Result::Started);
    EXPECT_FALSE(app->mainWindow()->close());
    EXPECT_TRUE(app->mainWindow()->isVisible());
}

TEST_F(ShellFixture, OkSavesGeometryMenuPositionAndRanges)
{
    ASSERT_EQ(start(), Result::Started);
    shell::Form_menu *w = app->mainWindow();
    w->move(40, 30);
    w->resize(700, 500);
    app->mainMenu()->frame()->move(20, 10);
    app->context().settings.srs_max = 12;
    app->context().settings.siai_min = 3;
    desktop.answerNext(platform::Answer::Ok);
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(w->isVisible());

    config::SettingsStore s(options.settingsFile);
    EXPECT_EQ(s.get(u"Setting"_s, u"Left"_s), u"600"_s);
    EXPECT_EQ(s.get(u"Setting"_s, u"Top"_s), u"450"_s);
    EXPECT_EQ(s.get(u"Setting"_s, u"width"_s), u"10500"_s);
    EXPECT_EQ(s.get(u"Setting"_s, u"height"_s), u"7500"_s);
    EXPECT_EQ(s.get(u"Form"_s, u"start_left"_s), u"300"_s);
    EXPECT_EQ(s.get(u"Form"_s, u"start_Top"_s), u"150"_s);
    EXPECT_EQ(s.get(u"Setting"_s, u"srs_max"_s), u"12"_s);
    EXPECT_EQ(s.get(u"Setting"_s, u"siai_min"_s), u"3"_s);
}

TEST_F(ShellFixture, MenuPositionIsReadAtStart)
{
    {
        config::SettingsStore s(options.settingsFile);
        s.set(u"form"_s, u"start_left"_s, u"450"_s);
        s.set(u"form"_s, u"start_top"_s, u"10"_s);  // below 25: raised
        s.sync();
    }
    ASSERT_EQ(start(), Result::Started);
    EXPECT_EQ(app->mainMenu()->frame()->pos(), QPoint(30, platform::twipsToPixels(25)));
}

TEST_F(ShellFixture, ProgramFolderThatCannotBeMadeEndsTheStart)
{
    writeFile(path(u"data"_s), "a file where the folder should be");
    EXPECT_EQ(start(), Result::NoProgramDir);
    ASSERT_EQ(desktop.messages().size(), 1u);
    EXPECT_TRUE(desktop.lastMessageText().startsWith(u"プログラムのフォルダを作成できません。"_s));
    EXPECT_EQ(app->mainWindow(), nullptr);
}

TEST_F(ShellFixture, InstallersAttachScreensOnceTheMenuExists)
{
    app = std::make_unique<shell::Application>(desktop, options);
    bool menuThere = false;
    app->addInstaller([&](shell::Application &a) {
        menuThere = a.mainMenu() != nullptr;
        a.mainMenu()->attach(shell::Form_Start::Screen::Settei, [] {});
    });
    ASSERT_EQ(app->start(), Result::Started);
    EXPECT_TRUE(menuThere);
    EXPECT_TRUE(app->mainMenu()->isAttached(shell::Form_Start::Screen::Settei));
}
