#include "results_fixture.h"

#include "config/settings.h"
#include "support/qt_printers.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

using namespace Qt::StringLiterals;
using results_ui::Form_Data;
using results_ui_test::Bowler;

namespace {

std::vector<Bowler> twoBowlers()
{
    return { Bowler { 1, u"山田"_s, 10, { u"X 9- 9- 9- 9- 9- 9- 9- 9- 9/9"_s } },
             Bowler { 2, u"佐藤"_s, 0, { u"9- 9- 9- 9- 9- 9- 9- 9- 9- 9-"_s } } };
}

class FormDataTest : public results_ui_test::ResultsFixture {};

TEST_F(FormDataTest, OpensWithTheOptionsOfTheSettings)
{
    ctx().settings.data_1 = 2;
    ctx().settings.data_2 = 5;
    ctx().settings.data_3 = 1;
    ctx().settings.data_4 = 0;
    QPointer<Form_Data> form = open(twoBowlers());
    ASSERT_TRUE(form);
    EXPECT_EQ(form->windowTitle(), u"データ処理"_s);
    EXPECT_TRUE(shown(u"Form_Data"_s));
    EXPECT_FALSE(child<QCheckBox>(form, u"Chk_Data(0)"_s)->isChecked());
    EXPECT_TRUE(child<QCheckBox>(form, u"Chk_Data(1)"_s)->isChecked());
    EXPECT_TRUE(child<QCheckBox>(form, u"Chk_rule(0)"_s)->isChecked());
    EXPECT_FALSE(child<QCheckBox>(form, u"Chk_STSP"_s)->isChecked());
    EXPECT_TRUE(child<QCheckBox>(form, u"Chk_HCP"_s)->isChecked());
    EXPECT_TRUE(child<QRadioButton>(form, u"Opt_PntTarget(1)"_s)->isChecked());
    EXPECT_TRUE(child<QRadioButton>(form, u"Opt_PntCalc(0)"_s)->isChecked());
    EXPECT_EQ(child<QCheckBox>(form, u"Chk_rule(0)"_s)->text(), u"ｽﾌﾟﾘｯﾄをｽﾍﾟｱﾐｽに含まない"_s);
    EXPECT_EQ(child<QRadioButton>(form, u"Opt_PntCalc(1)"_s)->text(), u"リニア (人数-順位+1)"_s);
    EXPECT_EQ(child<QPushButton>(form, u"Cmd_Data"_s)->text(), u"計算・データ表示 (&D)"_s);
    EXPECT_EQ(child<QPushButton>(form, u"Cmd_back(1)"_s)->text(), u"今回入力したデータを　消去してメニューに戻る"_s);
    // Nothing can be stored before a calculation.
    EXPECT_FALSE(child<QPushButton>(form, u"Cmd_File"_s)->isEnabled());
    EXPECT_FALSE(child<QAction>(form, u"menu_save"_s)->isEnabled());
    EXPECT_FALSE(form->canCommit());
}

TEST_F(FormDataTest, AverageTargetCaptionFollowsTheHandicapBox)
{
    Form_Data *form = open(twoBowlers());
    auto *hcp = child<QCheckBox>(form, u"Chk_HCP"_s);
    auto *average = child<QRadioButton>(form, u"Opt_PntTarget(2)"_s);
    EXPECT_EQ(average->text(), u"ハンデなし平均点"_s);
    hcp->click();
    EXPECT_EQ(average->text(), u"ハンデ込み平均点"_s);
    EXPECT_TRUE(form->options().Chk_HCP());
    hcp->click();
    EXPECT_EQ(average->text(), u"ハンデなし平均点"_s);
}

TEST_F(FormDataTest, ManualMethodWidensTheScreenToShowThePointBoxes)
{
    Form_Data *form = open(twoBowlers());
    QWidget *frame = form->parentWidget();
    const int narrow = frame->width();
    auto *box29 = child<QLineEdit>(form, u"Txt_Pnt(29)"_s);
    EXPECT_GE(box29->mapTo(form, QPoint(0, 0)).x(), form->width());
    EXPECT_EQ(form->width(), 380);

    child<QRadioButton>(form, u"Opt_PntCalc(2)"_s)->click();
    EXPECT_EQ(form->width(), 573);
    EXPECT_EQ(frame->width(), narrow + 573 - 380);
    EXPECT_LT(box29->mapTo(form, QPoint(box29->width(), 0)).x(), form->width());
    EXPECT_EQ(box29->text(), u"0"_s);
    box29->setText(u"3"_s);
    Q_EMIT box29->textEdited(u"3"_s);
    EXPECT_EQ(form->options().Txt_Pnt(29), u"3"_s);

    child<QRadioButton>(form, u"Opt_PntCalc(0)"_s)->click();
    EXPECT_EQ(form->width(), 380);
    EXPECT_EQ(frame->width(), narrow);
}

TEST_F(FormDataTest, BackToScoreEntryClosesTheScreen)
{
    QPointer<Form_Data> form = open(twoBowlers());
    int back = 0;
    QObject::connect(form.data(), &Form_Data::back_requested, [&back] { ++back; });
    int abandoned = 0;
    QObject::connect(form.data(), &Form_Data::abandoned, [&abandoned] { ++abandoned; });
    click(form, u"Cmd_back(0)"_s);
    EXPECT_EQ(back, 1);
    EXPECT_EQ(abandoned, 0);
    EXPECT_TRUE(desktop.messages().empty());
    flushDeletes();
    EXPECT_FALSE(form);
    EXPECT_FALSE(shown(u"Form_Data"_s));

    // The menu entry does the same.
    form = open(twoBowlers());
    int back2 = 0;
    QObject::connect(form.data(), &Form_Data::back_requested, [&back2] { ++back2; });
    child<QAction>(form, u"menu_back"_s)->trigger();
    EXPECT_EQ(back2, 1);
    flushDeletes();
    EXPECT_FALSE(form);
}

TEST_F(FormDataTest, AbandoningAsksAndOnYesReturnsToTheMainMenu)
{
    app->mainMenu()->frame()->hide();
    QPointer<Form_Data> form = open(twoBowlers());
    int abandoned = 0;
    QObject::connect(form.data(), &Form_Data::abandoned, [&abandoned] { ++abandoned; });

    // No (also the default) keeps the screen.
    desktop.answerNext(platform::Answer::No);
    click(form, u"Cmd_back(1)"_s);
    ASSERT_EQ(desktop.messages().size(), 1u);
    const platform::Message &asked = desktop.messages()[0].message;
    EXPECT_EQ(asked.text, u"今まで入力したデータを\r全部消してメニューへ戻ります。\rよろしいですか？"_s);
    EXPECT_EQ(asked.buttons, platform::Buttons::YesNo);
    EXPECT_EQ(asked.icon, platform::Icon::Warning);
    EXPECT_EQ(platform::defaultAnswer(asked), platform::Answer::No);
    EXPECT_EQ(abandoned, 0);
    flushDeletes();
    ASSERT_TRUE(form);
    EXPECT_TRUE(shown(u"Form_Data"_s));

    desktop.answerNext(platform::Answer::Yes);
    child<QAction>(form, u"menu_clear"_s)->trigger();
    EXPECT_EQ(abandoned, 1);
    flushDeletes();
    EXPECT_FALSE(form);
    EXPECT_TRUE(menuShown());
}

TEST_F(FormDataTest, HelpOpensTheResultsPage)
{
    Form_Data *form = open(twoBowlers());
    child<QAction>(form, u"menu_h"_s)->trigger();
    ASSERT_EQ(desktop.commands().size(), 1u);
    EXPECT_TRUE(desktop.commands()[0].arguments.last().endsWith(u"ph_tokei.htm"_s));
}

} // namespace
