#include "platform/qt_desktop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;
using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

// Waits from the event loop of a modal dialog until a visible dialog of type
// D shows, then hands it to act (which must close it). Should the dialog
// never show, every open dialog is rejected so the test cannot hang.
template <typename D>
void whenShown(std::function<void(D *)> act)
{
    auto *timer = new QTimer;
    auto polls = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, polls, act] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<D *>(w); dialog && dialog->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(dialog);
                return;
            }
        }
        if (++*polls > 1000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "dialog never shown";
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *dialog = qobject_cast<QDialog *>(w))
                    dialog->reject();
            }
        }
    });
    timer->start(5);
}

TEST(QtDesktop, MessageBoxHasTheButtonsIconTitleAndDefault)
{
    platform::QtDesktop desktop;
    QString shownText;
    QString shownTitle;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons shownButtons;
    QMessageBox::StandardButton shownDefault = QMessageBox::NoButton;
    whenShown<QMessageBox>([&](QMessageBox *box) {
        shownText = box->text();
        shownTitle = box->windowTitle();
        shownIcon = box->icon();
        shownButtons = box->standardButtons();
        shownDefault = box->standardButton(box->defaultButton());
        box->defaultButton()->click();
    });
    platform::Message m;
    m.text = u"画面のマークを全て消します。\rよろしいですか？"_s;
    m.buttons = Buttons::OkCancel;
    m.icon = Icon::Warning;
    m.defaultButton = 1;
    m.systemModal = true;
    EXPECT_EQ(desktop.message(m), Answer::Cancel);
    EXPECT_EQ(shownText, u"画面のマークを全て消します。\nよろしいですか？"_s);
    EXPECT_EQ(shownTitle, u"Pinora32"_s);
    EXPECT_EQ(shownIcon, QMessageBox::Warning);
    EXPECT_EQ(shownButtons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(shownDefault, QMessageBox::Cancel);
}

TEST(QtDesktop, MessageBoxReturnsTheButtonPressed)
{
    platform::QtDesktop desktop;
    whenShown<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_EQ(desktop.message(u"１件のデータを\rデータベースから削除します。"_s, Buttons::YesNo, Icon::Critical,
                              u"削除"_s, 1),
              Answer::Yes);
}

TEST(QtDesktop, InputBoxGivesTheTextOrCancel)
{
    platform::QtDesktop desktop;
    QString shownDefault;
    whenShown<QInputDialog>([&](QInputDialog *dialog) {
        shownDefault = dialog->textValue();
        dialog->setTextValue(u"123"_s);
        dialog->accept();
    });
    EXPECT_EQ(desktop.input(u"番号を入力して"_s, u"データ番号の入力"_s, u"000000"_s), u"123"_s);
    EXPECT_EQ(shownDefault, u"000000"_s);

    whenShown<QInputDialog>([](QInputDialog *dialog) { dialog->reject(); });
    EXPECT_EQ(desktop.input(u"番号"_s, {}, u"000000"_s), std::nullopt);
}

TEST(QtDesktop, FileDialogOffersTheFiltersAndKeepsTheCurrentFolder)
{
    QTemporaryDir dir;
    const QString before = QDir::currentPath();
    platform::QtDesktop desktop;
    QStringList shownFilters;
    whenShown<QFileDialog>([&](QFileDialog *dialog) {
        shownFilters = dialog->nameFilters();
        dialog->selectFile(dir.filePath(u"news3_4"_s));
        static_cast<QDialog *>(dialog)->accept();  // QFileDialog's own accept() is protected
    });
    platform::FileDialogSpec spec;
    spec.title = u"保存"_s;
    spec.folder = dir.path();
    spec.filter = u"HTMLファイル|*.htm|すべて|*.*"_s;
    EXPECT_EQ(desktop.saveFile(spec), dir.filePath(u"news3_4.htm"_s));
    EXPECT_EQ(shownFilters, (QStringList{u"HTMLファイル (*.htm)"_s, u"すべて (*.*)"_s}));
    EXPECT_EQ(QDir::currentPath(), before);

    whenShown<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
    EXPECT_EQ(desktop.openFile(spec), std::nullopt);
}

TEST(QtDesktop, ProgramThatDoesNotExistIsNotStarted)
{
    platform::QtDesktop desktop;
    EXPECT_FALSE(desktop.startCommand(u"/nonexistent/pinora-browser"_s, {u"ph_menu.htm"_s}));
    EXPECT_FALSE(desktop.startCommand(u""_s, {}));
}

TEST(QtDesktop, ClipboardKeepsText)
{
    platform::QtDesktop desktop;
    desktop.setClipboardText(u"091205"_s);
    EXPECT_EQ(desktop.clipboardText(), u"091205"_s);
}

} // namespace
