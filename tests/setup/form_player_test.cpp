#include "setup/form_player.h"
#include "setup/night_flow.h"

#include "config/match_globals.h"
#include "platform/scripted_desktop.h"
#include "platform/window_placement.h"
#include "scoring/night.h"
#include "shell/application.h"
#include "shell/form_menu.h"
#include "shell/form_start.h"
#include "store/database.h"
#include "support/builders.h"
#include "ui_events.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using setup::Form_Player;

namespace {

// The program started in a temporary folder with the night's flow attached;
// season 1 春, venue 1, players 1 山田 (handicap 10 in season 1) and 2 鈴木
// (no handicap), and a confirmed match setup that opened the participants.
class FormPlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        QDir(tmp.path()).mkpath(u"exe"_s);
        shell::StartOptions options;
        options.exeDir = QDir(tmp.path()).filePath(u"exe"_s);
        options.userDataDir = QDir(tmp.path()).filePath(u"data/Pinora32"_s);
        options.settingsFile = QDir(tmp.path()).filePath(u"Pinora32.ini"_s);
        app = std::make_unique<shell::Application>(desktop, options);
        app->addInstaller([this](shell::Application &a) { flow = setup::NightFlow::install(a); });
        ASSERT_EQ(app->start(), shell::Application::StartResult::Started);
        support::addSeason(db(), u"春"_s);
        support::addVenue(db(), u"中央"_s);
        support::addPlayer(db(), 1, u"山田"_s);
        support::addPlayer(db(), 2, u"鈴木"_s);
        support::addHandicap(db(), 1, 1, 10);

        app->mainMenu()->open(shell::Form_Start::Screen::Siai);
        QWidget *siai = app->mainWindow()->findChildWindow(u"Form_Siai"_s)->widget();
        siai->findChild<QPushButton *>(u"Cmd_New"_s)->click();
        siai->findChild<QPushButton *>(u"Cmd_siaiOK"_s)->click();
        flushDeletes();
        form = flow->participants();
        ASSERT_NE(form, nullptr);
        desktop.clearRecords();
    }
    void TearDown() override
    {
        app.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    store::Database &db() { return app->context().db; }
    scoring::Night &night() { return *app->context().night; }
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    template <typename T> T *child(const QString &name)
    {
        T *w = form->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QTableWidget *chart() { return child<QTableWidget>(u"Grd_LN"_s); }
    QTableView *list() { return child<QTableView>(u"DBG_SENSYU"_s); }
    QLineEdit *box(const QString &name) { return child<QLineEdit>(name); }
    QPushButton *button(const QString &name) { return child<QPushButton>(name); }
    QMdiSubWindow *frame() { return qobject_cast<QMdiSubWindow *>(form->parentWidget()); }
    int listRowOf(int playerId)
    {
        for (int r = 0; r < list()->model()->rowCount(); ++r) {
            if (list()->model()->index(r, 0).data().toInt() == playerId)
                return r;
        }
        return -1;
    }

    QTemporaryDir tmp;
    platform::ScriptedDesktop desktop;
    std::unique_ptr<shell::Application> app;
    setup::NightFlow *flow = nullptr;
    QPointer<Form_Player> form;
};

TEST_F(FormPlayerTest, ConfirmedMatchSetupOpensTheParticipants)
{
    EXPECT_EQ(app->mainWindow()->findChildWindow(u"Form_Siai"_s), nullptr);
    ASSERT_NE(frame(), nullptr);
    EXPECT_EQ(app->mainWindow()->mdiArea()->activeSubWindow(), frame());
    EXPECT_EQ(form->windowTitle(), u"出場選手登録"_s);
    EXPECT_EQ(frame()->height(), platform::twipsToPixels(3885));
    EXPECT_EQ(app->context().match.srs_id, 1);

    for (const QString &name : { u"Pct_ADD"_s, u"Pct_can"_s, u"Cmd_newPlayer"_s, u"Cmd_OK(0)"_s, u"Cmd_OK(1)"_s,
                                 u"CmdCANCEL"_s, u"Cmd_InpMARK"_s })
        EXPECT_NE(form->findChild<QPushButton *>(name), nullptr) << name.toStdString();
    for (const QString &name : { u"Txt_ID"_s, u"Txt_NAME"_s, u"Txt_HCP(0)"_s })
        EXPECT_NE(form->findChild<QLineEdit *>(name), nullptr) << name.toStdString();
    for (const QString &name : { u"VSc_Sen(0)"_s, u"VSc_Sen(1)"_s })
        EXPECT_NE(form->findChild<QScrollBar *>(name), nullptr) << name.toStdString();
    auto *score = form->findChild<QAction *>(u"menu_score"_s);
    auto *help = form->findChild<QAction *>(u"menu_h"_s);
    ASSERT_NE(score, nullptr);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(score->text(), u"スコア入力(&I)"_s);
    EXPECT_EQ(help->text(), u"ヘルプ(&H)"_s);
    EXPECT_EQ(button(u"Cmd_newPlayer"_s)->text(), u"新人選手追加"_s);
    EXPECT_EQ(button(u"Cmd_InpMARK"_s)->text(), u"スコア入力へ"_s);
    EXPECT_EQ(button(u"CmdCANCEL"_s)->text(), u"取　消"_s);
    EXPECT_EQ(button(u"Cmd_OK(0)"_s)->text(), u"入　力"_s);

    EXPECT_FALSE(button(u"Cmd_OK(0)"_s)->isVisibleTo(form));
    EXPECT_FALSE(button(u"Cmd_OK(1)"_s)->isVisibleTo(form));
    EXPECT_FALSE(box(u"Txt_ID"_s)->isEnabled());
    EXPECT_FALSE(box(u"Txt_NAME"_s)->isEnabled());

    // The chart: 7 rows, 7 columns, its headers and column widths.
    EXPECT_EQ(chart()->rowCount(), 7);
    EXPECT_EQ(chart()->columnCount(), 7);
    EXPECT_EQ(chart()->item(0, 1)->text(), u"ﾚｰﾝ1"_s);
    EXPECT_EQ(chart()->item(0, 6)->text(), u"ﾚｰﾝ6"_s);
    EXPECT_EQ(chart()->item(6, 0)->text(), u"6番目"_s);
    EXPECT_EQ(chart()->columnWidth(0), platform::twipsToPixels(500));
    EXPECT_EQ(chart()->columnWidth(3), platform::twipsToPixels(850));
    EXPECT_EQ(chart()->currentRow(), 1);
    EXPECT_EQ(chart()->currentColumn(), 1);
    // The player list: ID and name.
    EXPECT_EQ(list()->model()->headerData(0, Qt::Horizontal).toString(), u"ID"_s);
    EXPECT_EQ(list()->model()->headerData(1, Qt::Horizontal).toString(), u"選手名"_s);
    EXPECT_EQ(list()->model()->rowCount(), 3); // with the all-players row
}

TEST_F(FormPlayerTest, PlacingWithTheMouse)
{
    ui::clickCell(chart(), 2, 3);
    EXPECT_EQ(night().cur_sen, 13);
    ui::clickCell(list(), listRowOf(1), 1);
    EXPECT_EQ(box(u"Txt_ID"_s)->text(), u"1"_s);
    EXPECT_EQ(box(u"Txt_NAME"_s)->text(), u"山田"_s);
    ui::click(button(u"Pct_ADD"_s));
    EXPECT_EQ(chart()->item(2, 3)->text(), u"山田"_s);
    EXPECT_EQ(night().sen_id[13], 1);
    EXPECT_EQ(night().score_tbl(13, 0).hcp, 10);
    EXPECT_EQ(chart()->currentRow(), 3);
    EXPECT_EQ(chart()->currentColumn(), 3);

    // Clicking a header cell leaves the current cell.
    ui::clickCell(chart(), 0, 2);
    EXPECT_EQ(chart()->currentRow(), 3);
    EXPECT_EQ(chart()->currentColumn(), 3);

    // The cross empties a cell.
    ui::clickCell(chart(), 2, 3);
    ui::click(button(u"Pct_can"_s));
    EXPECT_EQ(chart()->item(2, 3)->text(), QString());
    EXPECT_EQ(night().sen_id[13], -1);
}

TEST_F(FormPlayerTest, MissingHandicapOpensTheEntryAreaAndEnterConfirmsIt)
{
    ui::doubleClickCell(list(), listRowOf(2), 1);
    EXPECT_EQ(desktop.lastMessageText(), u"ハンデを登録してください。"_s);
    EXPECT_EQ(frame()->height(), platform::twipsToPixels(6085));
    EXPECT_TRUE(button(u"Cmd_OK(1)"_s)->isVisibleTo(form));
    EXPECT_FALSE(button(u"Cmd_OK(0)"_s)->isVisibleTo(form));
    EXPECT_FALSE(list()->isEnabled());
    EXPECT_FALSE(chart()->isEnabled());
    EXPECT_FALSE(button(u"Pct_ADD"_s)->isEnabled());
    EXPECT_FALSE(button(u"Cmd_newPlayer"_s)->isEnabled());
    EXPECT_FALSE(button(u"Cmd_InpMARK"_s)->isEnabled());
    QLineEdit *hcp = box(u"Txt_HCP(0)"_s);
    EXPECT_EQ(hcp->text(), u"-1"_s);
    EXPECT_EQ(box(u"Txt_ID"_s)->text(), u"2"_s);

    // The upper arrow of VSc_Sen(1) raises the handicap.
    auto *bar = child<QScrollBar>(u"VSc_Sen(1)"_s);
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.orientation = Qt::Vertical;
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.subControls = QStyle::SC_All;
    const QRect sub = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSubLine, bar);
    const QRect add = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarAddLine, bar);
    ui::click(bar, (sub.top() < add.top() ? sub : add).center());
    EXPECT_EQ(hcp->text(), u"0"_s);

    hcp->selectAll();
    ui::type(hcp, u"15"_s);
    EXPECT_EQ(form->controller().hcpText(), u"15"_s);
    ui::key(hcp, Qt::Key_Return, u"\r"_s);
    EXPECT_EQ(night().sen_id[0], 2);
    EXPECT_EQ(night().sen_hcp[0], 15);
    EXPECT_EQ(chart()->item(1, 1)->text(), u"鈴木"_s);
    EXPECT_EQ(frame()->height(), platform::twipsToPixels(3885));
    EXPECT_FALSE(button(u"Cmd_OK(1)"_s)->isVisibleTo(form));
    EXPECT_TRUE(list()->isEnabled());
    EXPECT_EQ(db().scalar(u"SELECT ハンデ FROM ハンデ WHERE 選手ID = 2 AND シーズンID = 1"_s).toInt(), 15);
}

TEST_F(FormPlayerTest, NewPlayerTypedIn)
{
    ui::click(button(u"Cmd_newPlayer"_s));
    EXPECT_EQ(desktop.messages().size(), 1u);
    QLineEdit *id = box(u"Txt_ID"_s);
    QLineEdit *name = box(u"Txt_NAME"_s);
    EXPECT_EQ(id->text(), u"3"_s);
    EXPECT_TRUE(id->isEnabled());
    EXPECT_TRUE(name->isEnabled());
    EXPECT_TRUE(button(u"Cmd_OK(0)"_s)->isVisibleTo(form));
    EXPECT_EQ(child<QScrollBar>(u"VSc_Sen(0)"_s)->value(), -3);

    // A taken number only beeps.
    id->selectAll();
    ui::type(id, u"2"_s);
    name->setFocus();
    name->insert(u"高橋"_s);
    Q_EMIT name->textEdited(name->text());
    desktop.clearRecords();
    ui::click(button(u"Cmd_OK(0)"_s));
    EXPECT_EQ(desktop.beeps(), 1);
    EXPECT_TRUE(desktop.messages().empty());
    EXPECT_TRUE(id->hasFocus() || !form->isActiveWindow());

    id->selectAll();
    ui::type(id, u"3"_s);
    ui::click(button(u"Cmd_OK(0)"_s));
    EXPECT_EQ(db().scalar(u"SELECT 選手名 FROM 選手 WHERE 選手ID = 3"_s).toString(), u"高橋"_s);
    EXPECT_EQ(chart()->item(1, 1)->text(), u"高橋"_s);
    EXPECT_EQ(list()->model()->rowCount(), 4);
    EXPECT_EQ(list()->currentIndex().row(), listRowOf(3));
    EXPECT_FALSE(id->isEnabled());
}

TEST_F(FormPlayerTest, HighlightFollowsTheSeatOnScreen)
{
    form->highlightSeat(7);
    EXPECT_EQ(chart()->item(2, 2)->background().color(), QColor(0, 255, 255));
    form->highlightSeat(0);
    EXPECT_EQ(chart()->item(2, 2)->background().color(), QColor(Qt::white));
    EXPECT_EQ(chart()->item(1, 1)->background().color(), QColor(0, 255, 255));
}

TEST_F(FormPlayerTest, AnotherWindowComingToTheFrontIsLeavingTheScreen)
{
    ui::clickCell(list(), listRowOf(1), 1);
    ui::click(button(u"Pct_ADD"_s)); // seat 0
    ui::clickCell(chart(), 1, 1);
    night().cur_sen = 9;
    // A message box of its own is not leaving.
    app->mainWindow()->mdiArea()->setActiveSubWindow(nullptr);
    EXPECT_EQ(night().cur_sen, 9);
    app->mainMenu()->frame()->show();
    app->mainWindow()->mdiArea()->setActiveSubWindow(app->mainMenu()->frame());
    EXPECT_EQ(night().cur_sen, 0);
    EXPECT_EQ(night().score_tbl(0, 3).sen_name, u"山田        "_s);
}

TEST_F(FormPlayerTest, HelpOpensItsPage)
{
    form->findChild<QAction *>(u"menu_h"_s)->trigger();
    ASSERT_EQ(desktop.commands().size(), 1u);
    const QString page = desktop.commands().front().arguments.last();
    EXPECT_TRUE(page.endsWith(u"/ph_play.htm"_s)) << page.toStdString();
    EXPECT_TRUE(QFile::exists(page));
}

TEST_F(FormPlayerTest, EndingTheNightClosesItAndShowsTheMainMenu)
{
    flow->endNight();
    flushDeletes();
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(app->mainWindow()->findChildWindow(u"Form_Player"_s), nullptr);
    EXPECT_TRUE(app->mainMenu()->frame()->isVisible());
}

} // namespace
