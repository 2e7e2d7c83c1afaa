#include "setup/form_siai.h"
#include "setup/setup_install.h"

#include "config/match_globals.h"
#include "platform/scripted_desktop.h"
#include "scoring/night.h"
#include "shell/application.h"
#include "shell/form_menu.h"
#include "shell/form_start.h"
#include "store/database.h"
#include "support/builders.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using setup::Form_Siai;

namespace {

// The program started in a temporary folder with match setup attached.
class FormSiaiTest : public ::testing::Test
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
        app->addInstaller([this](shell::Application &a) { setup::install(a, participants); });
        ASSERT_EQ(app->start(), shell::Application::StartResult::Started);
    }
    void TearDown() override
    {
        app.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    store::Database &db() { return app->context().db; }

    Form_Siai *openFromMenu()
    {
        app->mainMenu()->open(shell::Form_Start::Screen::Siai);
        QMdiSubWindow *frame = app->mainWindow()->findChildWindow(u"Form_Siai"_s);
        return frame ? qobject_cast<Form_Siai *>(frame->widget()) : nullptr;
    }
    template <typename T> static T *child(Form_Siai *form, const QString &name)
    {
        T *w = form->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    static QLineEdit *box(Form_Siai *form, const QString &name) { return child<QLineEdit>(form, name); }
    static void click(Form_Siai *form, const QString &name) { child<QPushButton>(form, name)->click(); }
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    bool menuShown() const { return app->mainMenu()->frame()->isVisible(); }

    QTemporaryDir tmp;
    platform::ScriptedDesktop desktop;
    std::function<void()> participants;
    std::unique_ptr<shell::Application> app;
};

TEST_F(FormSiaiTest, MainMenuOpensTheScreenAndBackReturns)
{
    support::addSeason(db(), u"2024年春"_s, u"4月～9月"_s);
    support::addVenue(db(), u"中央ボウル"_s);
    ASSERT_TRUE(app->mainMenu()->isAttached(shell::Form_Start::Screen::Siai));
    QPointer<Form_Siai> form = openFromMenu();
    ASSERT_TRUE(form);
    EXPECT_EQ(form->windowTitle(), u"試合データ設定"_s);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(menuShown());

    auto *grid1 = child<QTableView>(form, u"DBGrid1"_s);
    auto *grid2 = child<QTableView>(form, u"DBGrid2"_s);
    const QAbstractItemModel *seasons = grid1->model();
    ASSERT_EQ(seasons->columnCount(), 3);
    EXPECT_EQ(seasons->headerData(0, Qt::Horizontal).toString(), u"シーズンID"_s);
    EXPECT_EQ(seasons->headerData(1, Qt::Horizontal).toString(), u"シーズン時期"_s);
    EXPECT_EQ(seasons->headerData(2, Qt::Horizontal).toString(), u"シーズン名"_s);
    EXPECT_EQ(seasons->data(seasons->index(0, 2)).toString(), u"2024年春"_s);
    EXPECT_EQ(grid2->model()->headerData(1, Qt::Horizontal).toString(), u"会場名"_s);
    EXPECT_EQ(grid2->model()->data(grid2->model()->index(0, 1)).toString(), u"中央ボウル"_s);
    EXPECT_EQ(box(form, u"Txt_Siai(5)"_s)->text(), u"1"_s);

    // A second open brings the same screen forward.
    EXPECT_EQ(openFromMenu(), form.data());

    click(form, u"Cmd_back"_s);
    flushDeletes();
    EXPECT_FALSE(form);
    EXPECT_TRUE(menuShown());
}

TEST_F(FormSiaiTest, NewGameEnablesConfirmationAndShowsTheProposal)
{
    support::addSeason(db(), u"春"_s);
    Form_Siai *form = openFromMenu();
    ASSERT_TRUE(form);
    EXPECT_FALSE(child<QPushButton>(form, u"Cmd_siaiOK"_s)->isEnabled());
    EXPECT_FALSE(box(form, u"Txt_Siai(2)"_s)->isEnabled());
    click(form, u"Cmd_New"_s);
    EXPECT_FALSE(child<QPushButton>(form, u"Cmd_New"_s)->isEnabled());
    EXPECT_TRUE(child<QPushButton>(form, u"Cmd_siaiOK"_s)->isEnabled());
    EXPECT_EQ(box(form, u"Txt_Siai(0)"_s)->text(), u"1"_s);
    EXPECT_EQ(box(form, u"Txt_Siai(1)"_s)->text(), u"1"_s);
    EXPECT_EQ(box(form, u"Txt_Siai(6)"_s)->text(), u"1"_s);
    const QDate today = QDate::currentDate();
    EXPECT_EQ(box(form, u"Txt_Siai(2)"_s)->text().toInt(), today.year());
    EXPECT_EQ(box(form, u"Txt_Siai(3)"_s)->text(), QString::number(today.month()).rightJustified(2, u'0'));
}

TEST_F(FormSiaiTest, ChoosingAnotherSeasonRowProposesItsNumber)
{
    const int older = int(support::addSeason(db(), u"春"_s));
    support::addSeason(db(), u"秋"_s);
    support::MatchSpec m;
    m.seasonId = older;
    m.number = 1;
    support::addMatch(db(), m);
    Form_Siai *form = openFromMenu();
    ASSERT_TRUE(form);
    click(form, u"Cmd_New"_s);
    EXPECT_EQ(box(form, u"Txt_Siai(6)"_s)->text(), u"1"_s);
    auto *grid1 = child<QTableView>(form, u"DBGrid1"_s);
    grid1->setCurrentIndex(grid1->model()->index(1, 0));
    EXPECT_EQ(box(form, u"Txt_Siai(1)"_s)->text(), QString::number(older));
    EXPECT_EQ(box(form, u"Txt_Siai(6)"_s)->text(), u"2"_s);
    EXPECT_EQ(child<QScrollBar>(form, u"HSc_Siai"_s)->value(), 2);
}

TEST_F(FormSiaiTest, ConfirmedMatchClosesTheScreenAndOpensTheParticipants)
{
    support::addSeason(db(), u"春"_s);
    support::addVenue(db(), u"中央ボウル"_s);
    const int venue = int(support::addVenue(db(), u"駅前レーン"_s));
    int opened = 0;
    participants = [&opened] { ++opened; };
    QPointer<Form_Siai> form = setup::openSiai(app->context(), participants);
    ASSERT_TRUE(form);
    click(form, u"Cmd_New"_s);
    auto *grid2 = child<QTableView>(form, u"DBGrid2"_s);
    grid2->setCurrentIndex(grid2->model()->index(1, 0));
    box(form, u"Txt_Siai(0)"_s)->setText(u"7"_s);
    box(form, u"Txt_Siai(0)"_s)->textEdited(u"7"_s);
    click(form, u"Cmd_siaiOK"_s);
    flushDeletes();
    EXPECT_FALSE(form);
    EXPECT_EQ(opened, 1);
    const config::MatchGlobals &g = app->context().match;
    EXPECT_EQ(g.siai_id, 7);
    EXPECT_EQ(g.srs_id, 1);
    EXPECT_EQ(g.siai_no, 1);
    EXPECT_EQ(g.kaijo_id, venue);
    EXPECT_EQ(g.siai_yy, QDate::currentDate().year());
}

TEST_F(FormSiaiTest, WithoutParticipantsTheMainMenuShowsAgain)
{
    support::addSeason(db(), u"春"_s);
    QPointer<Form_Siai> form = openFromMenu();
    ASSERT_TRUE(form);
    click(form, u"Cmd_New"_s);
    click(form, u"Cmd_siaiOK"_s);
    flushDeletes();
    EXPECT_FALSE(form);
    EXPECT_TRUE(menuShown());
}

TEST_F(FormSiaiTest, RefusedConfirmationKeepsTheScreen)
{
    support::addSeason(db(), u"春"_s);
    Form_Siai *form = openFromMenu();
    ASSERT_TRUE(form);
    click(form, u"Cmd_New"_s);
    QLineEdit *month = box(form, u"Txt_Siai(3)"_s);
    month->setText(u"13"_s);
    month->textEdited(u"13"_s);
    desktop.clearRecords();
    click(form, u"Cmd_siaiOK"_s);
    EXPECT_EQ(desktop.lastMessageText(), u"正しい日付を入力してください"_s);
    EXPECT_EQ(desktop.beeps(), 1);
    EXPECT_EQ(month->text(), u"13"_s);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(child<QPushButton>(form, u"Cmd_siaiOK"_s)->isEnabled());
}

TEST_F(FormSiaiTest, SeasonAndVenueAddedOnTheScreenAreStoredAndListed)
{
    Form_Siai *form = openFromMenu();
    ASSERT_TRUE(form);
    auto *grid1 = child<QTableView>(form, u"DBGrid1"_s);
    auto *grid2 = child<QTableView>(form, u"DBGrid2"_s);
    QLineEdit *name = box(form, u"Txt_ADD(0)"_s);
    EXPECT_FALSE(name->isVisibleTo(form));

    click(form, u"Cmd_ADD(0)"_s);
    EXPECT_TRUE(name->isVisibleTo(form));
    EXPECT_FALSE(grid1->isEnabled());
    EXPECT_FALSE(grid2->isEnabled());
    click(form, u"Cmd_Add_OK(0)"_s);
    EXPECT_EQ(desktop.beeps(), 1);
    EXPECT_TRUE(name->isVisibleTo(form));
    name->setText(u"2025年春"_s);
    click(form, u"Cmd_Add_OK(0)"_s);
    EXPECT_FALSE(name->isVisibleTo(form));
    EXPECT_TRUE(grid1->isEnabled());
    ASSERT_EQ(grid1->model()->rowCount(), 1);
    EXPECT_EQ(grid1->model()->data(grid1->model()->index(0, 2)).toString(), u"2025年春"_s);
    EXPECT_EQ(db().scalar(u"SELECT シーズン名 FROM シーズン"_s).toString(), u"2025年春"_s);
    EXPECT_EQ(box(form, u"Txt_Siai(1)"_s)->text(), u"1"_s);

    click(form, u"Cmd_ADD(1)"_s);
    box(form, u"Txt_ADD(1)"_s)->setText(u"駅前レーン"_s);
    click(form, u"Cmd_Add_OK(1)"_s);
    ASSERT_EQ(grid2->model()->rowCount(), 1);
    EXPECT_EQ(grid2->model()->data(grid2->model()->index(0, 1)).toString(), u"駅前レーン"_s);
    EXPECT_EQ(db().scalar(u"SELECT COUNT(*) FROM 会場 WHERE 会場名 = '駅前レーン'"_s).toInt(), 1);
    EXPECT_EQ(box(form, u"Txt_Siai(5)"_s)->text(), u"1"_s);
}

TEST_F(FormSiaiTest, EditsInTheGridsAreWrittenToTheDatabase)
{
    support::addSeason(db(), u"春"_s, u"4月"_s);
    support::addVenue(db(), u"中央ボウル"_s);
    Form_Siai *form = openFromMenu();
    ASSERT_TRUE(form);
    QAbstractItemModel *seasons = child<QTableView>(form, u"DBGrid1"_s)->model();
    QAbstractItemModel *venues = child<QTableView>(form, u"DBGrid2"_s)->model();
    EXPECT_FALSE(seasons->flags(seasons->index(0, 0)) & Qt::ItemIsEditable);
    ASSERT_TRUE(seasons->setData(seasons->index(0, 1), u"4月～9月"_s));
    ASSERT_TRUE(seasons->setData(seasons->index(0, 2), u"2024年春"_s));
    ASSERT_TRUE(venues->setData(venues->index(0, 1), u"中央ボウル北"_s));
    EXPECT_EQ(db().select(u"SELECT シーズン時期, シーズン名 FROM シーズン"_s).value(0),
              (QVariantList { u"4月～9月"_s, u"2024年春"_s }));
    EXPECT_EQ(db().scalar(u"SELECT 会場名 FROM 会場"_s).toString(), u"中央ボウル北"_s);
    EXPECT_EQ(box(form, u"txt_Kaijo(1)"_s)->text(), u"中央ボウル北"_s);
}

TEST_F(FormSiaiTest, UpperArrowOfTheDateScrollBarsIncreases)
{
    Form_Siai *form = openFromMenu();
    ASSERT_TRUE(form);
    click(form, u"Cmd_New"_s);
    QScrollBar *month = child<QScrollBar>(form, u"VSc_ymd(1)"_s);
    box(form, u"Txt_Siai(3)"_s)->setText(u"05"_s);
    box(form, u"Txt_Siai(3)"_s)->textEdited(u"05"_s);
    QStyleOptionSlider opt;
    opt.initFrom(month);
    opt.orientation = Qt::Vertical;
    opt.minimum = month->minimum();
    opt.maximum = month->maximum();
    opt.sliderPosition = month->sliderPosition();
    opt.sliderValue = month->value();
    opt.upsideDown = month->invertedAppearance();
    opt.subControls = QStyle::SC_All;
    // The arrow nearest the top edge.
    const QRect sub = month->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSubLine, month);
    const QRect add = month->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarAddLine, month);
    const QPoint top = (sub.top() < add.top() ? sub : add).center();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(top), month->mapToGlobal(QPointF(top)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(top), month->mapToGlobal(QPointF(top)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(month, &press);
    QApplication::sendEvent(month, &release);
    EXPECT_EQ(box(form, u"Txt_Siai(3)"_s)->text(), u"06"_s);
}

} // namespace
