#include "platform/scripted_desktop.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <stdexcept>

using namespace Qt::StringLiterals;
using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

class ScriptedDesktopTest : public ::testing::Test {
protected:
    platform::ScriptedDesktop desktop;
};

TEST_F(ScriptedDesktopTest, UnscriptedBoxGetsItsDefaultButtonAndIsRecorded)
{
    platform::Message m;
    m.text = u"画面のマークを全て消します。\rよろしいですか？"_s;
    m.buttons = Buttons::OkCancel;
    m.icon = Icon::Warning;
    m.defaultButton = 1;
    m.systemModal = true;
    EXPECT_EQ(desktop.message(m), Answer::Cancel);
    ASSERT_EQ(desktop.messages().size(), 1u);
    const auto &shown = desktop.messages().front();
    EXPECT_EQ(shown.message.text, m.text);
    EXPECT_EQ(shown.message.title, u"Pinora32"_s);
    EXPECT_EQ(shown.message.buttons, Buttons::OkCancel);
    EXPECT_EQ(shown.message.icon, Icon::Warning);
    EXPECT_EQ(shown.message.defaultButton, 1);
    EXPECT_TRUE(shown.message.systemModal);
    EXPECT_EQ(shown.answer, Answer::Cancel);
    EXPECT_FALSE(shown.scripted);
}

TEST_F(ScriptedDesktopTest, ScriptedAnswersAreGivenInOrder)
{
    desktop.answerNext(Answer::Yes);
    desktop.answerNext(Answer::No);
    EXPECT_EQ(desktop.message(u"one"_s, Buttons::YesNo, Icon::Critical, {}, 1), Answer::Yes);
    EXPECT_EQ(desktop.message(u"two"_s, Buttons::YesNo), Answer::No);
    EXPECT_TRUE(desktop.scriptUsed());
    EXPECT_EQ(desktop.message(u"three"_s, Buttons::YesNo, Icon::None, {}, 1), Answer::No);
    EXPECT_EQ(desktop.lastMessageText(), u"three"_s);
    ASSERT_EQ(desktop.messages().size(), 3u);
    EXPECT_TRUE(desktop.messages()[0].scripted);
    EXPECT_FALSE(desktop.messages()[2].scripted);
}

TEST_F(ScriptedDesktopTest, CancelScriptedAgainstAnOkDefault)
{
    desktop.answerNext(Answer::Cancel);
    EXPECT_EQ(desktop.message(u"終了してもよろしいですか？"_s, Buttons::OkCancel, Icon::None, u"終了の確認"_s),
              Answer::Cancel);
    EXPECT_EQ(desktop.messages().front().message.title, u"終了の確認"_s);
}

TEST_F(ScriptedDesktopTest, AnswerTheBoxCannotGiveIsAScriptFault)
{
    desktop.answerNext(Answer::Yes);
    EXPECT_THROW(desktop.message(u"x"_s, Buttons::OkCancel), std::logic_error);
}

TEST_F(ScriptedDesktopTest, DefaultTitleCanBeChanged)
{
    desktop.setDefaultTitle(u"ピノラ"_s);
    desktop.message(u"x"_s);
    EXPECT_EQ(desktop.messages().front().message.title, u"ピノラ"_s);
}

TEST_F(ScriptedDesktopTest, InputBoxScriptedTextCancelAndDefault)
{
    desktop.inputNext(u"123456"_s);
    desktop.inputNext(std::nullopt);
    EXPECT_EQ(desktop.input(u"番号"_s, u"データ番号の入力"_s, u"000000"_s), u"123456"_s);
    EXPECT_EQ(desktop.input(u"番号"_s, u"データ番号の入力"_s, u"000000"_s), std::nullopt);
    EXPECT_EQ(desktop.input(u"番号"_s, {}, u"000000"_s), u"000000"_s);
    ASSERT_EQ(desktop.inputs().size(), 3u);
    EXPECT_EQ(desktop.inputs()[0].prompt, u"番号"_s);
    EXPECT_EQ(desktop.inputs()[0].title, u"データ番号の入力"_s);
    EXPECT_EQ(desktop.inputs()[0].defaultText, u"000000"_s);
    EXPECT_EQ(desktop.inputs()[1].answer, std::nullopt);
    EXPECT_EQ(desktop.inputs()[2].title, u"Pinora32"_s);
}

TEST_F(ScriptedDesktopTest, FileDialogsAreCancelledUnlessScripted)
{
    platform::FileDialogSpec spec;
    spec.title = u"保存"_s;
    spec.filter = u"HTML|*.htm"_s;
    spec.fileName = u"score.htm"_s;
    desktop.fileNext(u"/tmp/a.htm"_s);
    EXPECT_EQ(desktop.saveFile(spec), u"/tmp/a.htm"_s);
    EXPECT_EQ(desktop.openFile(spec), std::nullopt);
    ASSERT_EQ(desktop.fileDialogs().size(), 2u);
    EXPECT_TRUE(desktop.fileDialogs()[0].save);
    EXPECT_FALSE(desktop.fileDialogs()[1].save);
    EXPECT_EQ(desktop.fileDialogs()[0].spec.fileName, u"score.htm"_s);
    EXPECT_EQ(desktop.fileDialogs()[1].answer, std::nullopt);
}

TEST_F(ScriptedDesktopTest, ColourDialogRecordsTheStartingColour)
{
    desktop.colorNext(0x123456);
    EXPECT_EQ(desktop.chooseColor(0xFFFFFF), 0x123456);
    EXPECT_EQ(desktop.chooseColor(0x10DDFF), std::nullopt);
    EXPECT_EQ(desktop.colorDialogs(), (std::vector<std::int32_t>{0xFFFFFF, 0x10DDFF}));
}

TEST_F(ScriptedDesktopTest, BeepsCommandsAndClipboard)
{
    desktop.beep();
    desktop.beep();
    EXPECT_EQ(desktop.beeps(), 2);
    EXPECT_TRUE(desktop.startCommand(u"xdg-open"_s, {u"/p/ph_menu.htm"_s}));
    desktop.setCommandsStart(false);
    EXPECT_FALSE(desktop.startCommand(u"/no/browser"_s, {}));
    ASSERT_EQ(desktop.commands().size(), 2u);
    EXPECT_EQ(desktop.commands()[0].program, u"xdg-open"_s);
    EXPECT_EQ(desktop.commands()[0].arguments, QStringList{u"/p/ph_menu.htm"_s});
    desktop.setClipboardText(u"091205"_s);
    EXPECT_EQ(desktop.clipboardText(), u"091205"_s);
    desktop.clearRecords();
    EXPECT_EQ(desktop.beeps(), 0);
    EXPECT_TRUE(desktop.commands().empty());
}

TEST_F(ScriptedDesktopTest, PrintingGoesToTheScriptedPdf)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"out.pdf"_s);
    desktop.printNext(pdf);
    {
        std::unique_ptr<QPrinter> printer = desktop.beginPrint(u"成績表"_s);
        ASSERT_NE(printer, nullptr);
        EXPECT_EQ(printer->docName(), u"成績表"_s);
        QPainter painter;
        ASSERT_TRUE(painter.begin(printer.get()));
        painter.drawText(100, 100, u"ピノラ"_s);
        painter.end();
    }
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    EXPECT_EQ(desktop.beginPrint(u"二回目"_s), nullptr);
    EXPECT_EQ(desktop.printRequests(), (QStringList{u"成績表"_s, u"二回目"_s}));
}

} // namespace
