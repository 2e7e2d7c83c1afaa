#include "shell_fixture.h"

#include "config/settings_store.h"
#include "platform/window_placement.h"
#include "shell/browser_launch.h"
#include "shell/form_aisatsu.h"
#include "shell/form_menu.h"
#include "shell/form_start.h"
#include "shell/form_version.h"
#include "shell/form_wait.h"
#include "store/database.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QMouseEvent>

using namespace Qt::StringLiterals;
using Result = shell::Application::StartResult;
using Screen = shell::Form_Start::Screen;

namespace {

QString countShown(shell::Form_Start *menu)
{
    auto *l = menu->findChild<QLabel *>(u"Lbl_all_data"_s);
    return l ? l->text() : u"(none)"_s;
}

// A press and release of the left button at pos, delivered to w.
void click(QWidget *w, QPoint pos = QPoint(2, 2))
{
    const QPointF global = w->mapToGlobal(QPointF(pos));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos), global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

void addGames(const QString &file, int n)
{
    store::Database db;
    db.open(file);
    for (int i = 0; i < n; ++i)
        db.exec(u"INSERT INTO データ項目 (選手ID, 試合ID, ｹﾞｰﾑ) VALUES (1, 1, ?)"_s, { i });
}

} // namespace

class MainMenu : public ShellFixture
{
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        ASSERT_EQ(start(), Result::Started);
        menu = app->mainMenu();
        ASSERT_NE(menu, nullptr);
    }
    QPushButton *button(const QString &name) { return menu->findChild<QPushButton *>(name); }
    QAction *entry(const QString &name) { return menu->findChild<QAction *>(name); }

    shell::Form_Start *menu = nullptr;
};

TEST_F(MainMenu, WindowIsAFixedGreyChildWithoutBoxes)
{
    EXPECT_EQ(menu->windowTitle(), u"　メニュー画面"_s);
    EXPECT_EQ(menu->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
    QMdiSubWindow *f = menu->frame();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->mdiArea(), app->mainWindow()->mdiArea());
    const Qt::WindowFlags flags = f->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(f->minimumSize(), f->maximumSize());
    // Closing it alone does nothing: it stays for the whole run.
    EXPECT_FALSE(f->close());
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(MainMenu, ButtonsCarryTheirCaptions)
{
    const std::pair<const char16_t *, const char16_t *> cases[] = {
        { u"Cmd_OK", u"スコア入力 (&I)" },          { u"Cmd_Settei", u"設　定 (&D)" },
        { u"Cmd_Edit", u"データ編集 (&E)" },        { u"Cmd_Seiseki", u"統計成績 (&A)" },
        { u"Cmd_Kojin", u"個人記録 (&P)" },         { u"Cmd_Score", u"スコアブック (&S)" },
        { u"Cmd_siaiSeiseki", u"試合単位統計(&U)" }, { u"Cmd_sokuho", u"試合速報作成 (&N)" },
        { u"Cmd_END", u"終　了 (&C)" },             { u"Command1", u"Command1" },
    };
    for (const auto &[name, text] : cases) {
        QPushButton *b = button(QString::fromUtf16(name));
        ASSERT_NE(b, nullptr) << QString::fromUtf16(name).toStdString();
        EXPECT_EQ(b->text(), QString::fromUtf16(text));
    }
    // Command1 lies outside the visible area.
    QWidget *back = button(u"Command1"_s)->parentWidget();
    EXPECT_FALSE(back->rect().intersects(button(u"Command1"_s)->geometry()));
    for (QPushButton *b : menu->mainButtons())
        EXPECT_TRUE(back->rect().contains(b->geometry())) << b->objectName().toStdString();
}

TEST_F(MainMenu, MenuBarHoldsEveryEntryInOrder)
{
    auto *bar = menu->findChild<QMenuBar *>();
    ASSERT_NE(bar, nullptr);
    QStringList top;
    for (QAction *a : bar->actions())
        top << a->objectName() + u'=' + a->text();
    EXPECT_EQ(top, (QStringList { u"menu_file=ファイル(&F)"_s, u"menu_database=データベース(&D)"_s,
                                  u"menu_hoka=その他(&A)"_s, u"menu_help=ヘルプ(&H)"_s }));

    auto entries = [&](const QString &menuName) {
        QStringList out;
        auto *m = menu->findChild<QMenu *>(menuName);
        if (!m)
            return out;
        for (QAction *a : m->actions())
            out << a->objectName() + u'=' + a->text();
        return out;
    };
    EXPECT_EQ(entries(u"menu_file"_s), (QStringList { u"menu_input=スコア入力(&I)"_s,
                                                      u"menu_settei=環境設定(&C)"_s, u"menu_end=終了(&X)"_s }));
    EXPECT_EQ(entries(u"menu_database"_s),
              (QStringList { u"menu_season=統計成績(&S)"_s, u"menu_kojin=個人成績(&K)"_s,
                             u"menu_score=スコアブック(&B)"_s, u"menu_siai_tokei=試合ごとの統計(&T)"_s,
                             u"menu_sokuho=試合速報作成(&N)"_s, u"menu_add(0)=　選　手　名　　の追加・変更"_s,
                             u"menu_add(1)=シーズン　名　の追加・変更"_s,
                             u"menu_add(2)=ハンデキャップの追加・変更"_s }));
    EXPECT_EQ(entries(u"menu_hoka"_s), (QStringList { u"menu_aisatu=ごあいさつ(&A)"_s,
                                                      u"menu_hp=ホームページ(&H)"_s,
                                                      u"menu_version=バージョン情報(&V)"_s }));
}

TEST_F(MainMenu, ScreensNotAttachedAreDisabledUntilAttached)
{
    EXPECT_FALSE(button(u"Cmd_Score"_s)->isEnabled());
    EXPECT_FALSE(entry(u"menu_score"_s)->isEnabled());
    EXPECT_FALSE(entry(u"menu_add(1)"_s)->isEnabled());
    EXPECT_TRUE(button(u"Cmd_END"_s)->isEnabled());

    int opened = 0;
    menu->attach(Screen::Score, [&] { ++opened; });
    EXPECT_TRUE(button(u"Cmd_Score"_s)->isEnabled());
    EXPECT_TRUE(entry(u"menu_score"_s)->isEnabled());
    button(u"Cmd_Score"_s)->click();
    entry(u"menu_score"_s)->trigger();
    EXPECT_EQ(opened, 2);
    EXPECT_FALSE(button(u"Cmd_Seiseki"_s)->isEnabled());
}

TEST_F(MainMenu, ScoreEntryHidesTheMenuAndClosesDataEditing)
{
    auto *edit = new QWidget;
    edit->setObjectName(u"Form_edit"_s);
    QMdiSubWindow *editFrame = app->mainWindow()->addChild(edit, shell::Form_menu::Frame::Sizable);
    editFrame->show();
    bool menuHiddenWhenOpened = false;
    menu->attach(Screen::Siai, [&] { menuHiddenWhenOpened = !menu->isVisible(); });
    entry(u"menu_input"_s)->trigger();
    EXPECT_TRUE(menuHiddenWhenOpened);
    EXPECT_EQ(app->mainWindow()->findChildWindow(u"Form_edit"_s), nullptr);
    app->mainWindow()->showMainMenu();
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(MainMenu, PersonalRecordsOpenBehindTheWaitBanner)
{
    bool bannerShown = false;
    QString bannerText;
    menu->attach(Screen::Kojin, [&] {
        shell::Form_Wait &w = app->mainWindow()->waitBanner();
        bannerShown = w.isVisible();
        if (auto *l = w.findChild<QLabel *>())
            bannerText = l->text();
    });
    button(u"Cmd_Kojin"_s)->click();
    EXPECT_TRUE(bannerShown);
    EXPECT_EQ(bannerText, u"処理中です。しばらくお待ちください。"_s);
    shell::Form_Wait &w = app->mainWindow()->waitBanner();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.findChild<QLabel *>()->font().pointSize(), 20);
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(w.parentWidget()->pos(), QPoint(33, 33));
    EXPECT_TRUE(w.parentWidget()->windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(MainMenu, CountOfANewDatabaseIsZero)
{
    EXPECT_EQ(app->context().settings.all_data_cnt, 0);
    EXPECT_EQ(countShown(menu), u"0"_s);
}

TEST(MainMenuCount, CountsTheStoredRowsAndZeroWhenUnreadable)
{
    QTemporaryDir tmp;
    const QString file = tmp.filePath(u"Pinora.mdb"_s);
    store::Database db;
    db.create(file);
    EXPECT_EQ(shell::Form_Start::countDataRows(db), 0);
    addGames(file, 3);
    EXPECT_EQ(shell::Form_Start::countDataRows(db), 3);
    db.exec(u"DROP TABLE データ項目"_s);
    EXPECT_EQ(shell::Form_Start::countDataRows(db), 0);
    db.close();
    EXPECT_EQ(shell::Form_Start::countDataRows(db), 0);
}

TEST_F(ShellFixture, MenuShowsTheRowsStoredBeforeStart)
{
    QDir().mkpath(options.userDataDir);
    {
        store::Database db;
        db.create(dataFile(u"Pinora.mdb"_s));
    }
    addGames(dataFile(u"Pinora.mdb"_s), 5);
    ASSERT_EQ(start(), Result::Started);
    EXPECT_EQ(app->context().settings.all_data_cnt, 5);
    EXPECT_EQ(countShown(app->mainMenu()), u"5"_s);
}

TEST_F(MainMenu, AnotherActiveWindowDisablesTheButtonsAMouseMoveEnablesThem)
{
    menu->attach(Screen::Settei, [] {});
    menu->attach(Screen::Edit, [] {});
    auto *other = new QWidget;
    other->setObjectName(u"Other"_s);
    other->resize(100, 80);
    QMdiSubWindow *otherFrame = app->mainWindow()->addChild(other, shell::Form_menu::Frame::Sizable);
    otherFrame->show();
    app->mainWindow()->mdiArea()->setActiveSubWindow(otherFrame);
    for (QPushButton *b : menu->mainButtons())
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();

    // Back to the menu: the count is shown again, the buttons stay disabled.
    app->context().settings.all_data_cnt = 42;
    app->mainWindow()->mdiArea()->setActiveSubWindow(menu->frame());
    EXPECT_EQ(countShown(menu), u"42"_s);
    EXPECT_FALSE(button(u"Cmd_END"_s)->isEnabled());

    // A move over a disabled button counts as a move over the background.
    QPushButton *end = button(u"Cmd_END"_s);
    QMouseEvent move(QEvent::MouseMove, QPointF(4, 4), end->mapToGlobal(QPointF(4, 4)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(end, &move);
    EXPECT_TRUE(button(u"Cmd_END"_s)->isEnabled());
    EXPECT_TRUE(button(u"Cmd_Settei"_s)->isEnabled());
    EXPECT_TRUE(button(u"Cmd_Edit"_s)->isEnabled());
    // Attached screens only.
    EXPECT_FALSE(button(u"Cmd_OK"_s)->isEnabled());
}

TEST_F(MainMenu, ClickOnTheBackgroundOpensTheGreeting)
{
    QWidget *back = button(u"Cmd_END"_s)->parentWidget();
    click(back, QPoint(3, back->height() - 3));
    QMdiSubWindow *f = app->mainWindow()->findChildWindow(u"Form_Aisatsu"_s);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->widget()->windowTitle(), u"　ごあいさつ"_s);
}

TEST_F(MainMenu, GreetingAndVersionOpenFromTheMenuAndStoreTheirPositions)
{
    entry(u"menu_aisatu"_s)->trigger();
    QMdiSubWindow *greet = app->mainWindow()->findChildWindow(u"Form_Aisatsu"_s);
    ASSERT_NE(greet, nullptr);
    EXPECT_EQ(greet->pos(), QPoint(platform::twipsToPixels(25), platform::twipsToPixels(25)));
    auto *ok = greet->widget()->findChild<QPushButton *>(u"cmd_ok"_s);
    auto *ver = greet->widget()->findChild<QPushButton *>(u"cmd_version"_s);
    ASSERT_TRUE(ok && ver);
    EXPECT_EQ(ok->text(), u"わかった (&C)"_s);
    EXPECT_EQ(ver->text(), u"バージョン (&V)"_s);

    ver->click();
    QMdiSubWindow *version = app->mainWindow()->findChildWindow(u"Form_version"_s);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->widget()->windowTitle(), u"  Version"_s);
    QStringList texts;
    for (QLabel *l : version->widget()->findChildren<QLabel *>())
        texts << l->text();
    EXPECT_TRUE(texts.contains(u"ボウリング データ入力・統計"_s));
    EXPECT_TRUE(texts.contains(shell::Form_version::versionText()));

    greet->move(60, 45);
    ok->click();
    EXPECT_EQ(app->mainWindow()->findChildWindow(u"Form_Aisatsu"_s), nullptr);
    version->move(30, 30);
    version->widget()->findChild<QAction *>(u"menu_back"_s)->trigger();
    EXPECT_EQ(app->mainWindow()->findChildWindow(u"Form_version"_s), nullptr);

    config::SettingsStore &s = app->context().store;
    EXPECT_EQ(s.get(u"Form"_s, u"aisatu_left"_s), u"900"_s);
    EXPECT_EQ(s.get(u"Form"_s, u"aisatu_top"_s), u"675"_s);
    EXPECT_EQ(s.get(u"Form"_s, u"version_left"_s), u"450"_s);

    // Opened again, it comes back where it was left.
    entry(u"menu_version"_s)->trigger();
    EXPECT_EQ(app->mainWindow()->findChildWindow(u"Form_version"_s)->pos(), QPoint(30, 30));
}

TEST(VersionText, MinorAndRevisionAreWrittenTogether)
{
    EXPECT_EQ(shell::Form_version::versionText(3, 3, 3), u"ピノラ Pinora Ver 3.33"_s);
    EXPECT_EQ(shell::Form_version::versionText(3, 0, 12), u"ピノラ Pinora Ver 3.012"_s);
    EXPECT_EQ(shell::Form_version::versionText(),
              shell::Form_version::versionText(PINORA_VERSION_MAJOR, PINORA_VERSION_MINOR,
                                               PINORA_VERSION_PATCH));
}

TEST_F(MainMenu, HelpAndHomePageOpenTheMenuPageInTheBrowser)
{
    const QString page = app->context().programDir + u"/ph_menu.htm"_s;
    entry(u"menu_help"_s)->trigger();
    entry(u"menu_hp"_s)->trigger();
    ASSERT_EQ(desktop.commands().size(), 2u);
    for (const auto &c : desktop.commands()) {
        EXPECT_EQ(c.program, u"xdg-open"_s);
        EXPECT_EQ(c.arguments, QStringList { page });
    }
    EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(MainMenu, GreetingLinkOpensThePageWithTheBrowserOfTheSettings)
{
    app->context().settings.brw = u"firefox --new-window"_s;
    entry(u"menu_aisatu"_s)->trigger();
    QWidget *greet = app->mainWindow()->findChildWindow(u"Form_Aisatsu"_s)->widget();
    for (const QString &name : { u"Label1(4)"_s, u"Label1(5)"_s }) {
        auto *l = greet->findChild<QLabel *>(name);
        ASSERT_NE(l, nullptr);
        click(l);
    }
    ASSERT_EQ(desktop.commands().size(), 2u);
    EXPECT_EQ(desktop.commands()[1].program, u"firefox"_s);
    EXPECT_EQ(desktop.commands()[1].arguments,
              (QStringList { u"--new-window"_s, app->context().programDir + u"/ph_menu.htm"_s }));
}

TEST_F(MainMenu, BrowserThatCannotStartIsNamedInAMessage)
{
    app->context().settings.brw = u"no-such-browser"_s;
    desktop.setCommandsStart(false);
    entry(u"menu_help"_s)->trigger();
    ASSERT_EQ(desktop.messages().size(), 1u);
    EXPECT_TRUE(desktop.lastMessageText().contains(u"「no-such-browser」を起動できませんでした。"_s));
    EXPECT_TRUE(menu->isVisible());
}

TEST(BrowserLaunch, CommandLineIsTheBrowserThenThePage)
{
    QTemporaryDir tmp;
    const QString spaced = tmp.filePath(u"My Browser"_s);
    QFile f(spaced);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const struct {
        QString brw;
        QStringList expected;
    } cases[] = {
        { u"xdg-open"_s, { u"xdg-open"_s, u"/p/ph_menu.htm"_s } },
        { u""_s, { u"xdg-open"_s, u"/p/ph_menu.htm"_s } },
        { u"  /usr/bin/firefox "_s, { u"/usr/bin/firefox"_s, u"/p/ph_menu.htm"_s } },
        { u"chromium --incognito"_s, { u"chromium"_s, u"--incognito"_s, u"/p/ph_menu.htm"_s } },
        { spaced, { spaced, u"/p/ph_menu.htm"_s } },
    };
    for (const auto &c : cases)
        EXPECT_EQ(shell::BrowserLaunch::commandLine(c.brw, u"/p/ph_menu.htm"_s), c.expected)
            << c.brw.toStdString();
}

TEST_F(MainMenu, EndButtonAndEntryAskTheShutdownQuestion)
{
    button(u"Cmd_END"_s)->click();
    entry(u"menu_end"_s)->trigger();
    ASSERT_EQ(desktop.messages().size(), 2u);
    for (const auto &m : desktop.messages()) {
        EXPECT_EQ(m.message.text, u"終了してもよろしいですか？"_s);
        EXPECT_EQ(m.answer, platform::Answer::Cancel);
    }
    EXPECT_TRUE(app->mainWindow()->isVisible());

    desktop.answerNext(platform::Answer::Ok);
    button(u"Cmd_END"_s)->click();
    EXPECT_FALSE(app->mainWindow()->isVisible());
    EXPECT_TRUE(app->mainWindow()->isShuttingDown());
}
