#pragma once

#include "night_fixture.h"

#include "platform/scripted_desktop.h"
#include "results_ui/form_data.h"
#include "results_ui/results_install.h"
#include "shell/application.h"
#include "shell/form_menu.h"
#include "shell/form_start.h"

#include <QCoreApplication>
#include <QDir>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace results_ui_test {

// The program started in a temporary folder, ready to open the results
// screen for a fixture night.
class ResultsFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        QDir(tmp.path()).mkpath(QStringLiteral("exe"));
        shell::StartOptions options;
        options.exeDir = QDir(tmp.path()).filePath(QStringLiteral("exe"));
        options.userDataDir = QDir(tmp.path()).filePath(QStringLiteral("data/Pinora32"));
        options.settingsFile = QDir(tmp.path()).filePath(QStringLiteral("Pinora32.ini"));
        app = std::make_unique<shell::Application>(desktop, options);
        ASSERT_EQ(app->start(), shell::Application::StartResult::Started);
    }
    void TearDown() override
    {
        app.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    shell::AppContext &ctx() { return app->context(); }

    results_ui::Form_Data *open(const std::vector<Bowler> &bowlers, int max_game = 2)
    {
        return results_ui::openData(ctx(), hand_over(bowlers, max_game));
    }

    template <typename T> static T *child(QWidget *form, const QString &name)
    {
        T *w = form->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    static void click(QWidget *form, const QString &name) { child<QPushButton>(form, name)->click(); }
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    bool shown(const QString &objectName) const
    {
        QMdiSubWindow *frame = app->mainWindow()->findChildWindow(objectName);
        return frame && frame->isVisible();
    }
    bool menuShown() const { return app->mainMenu()->frame()->isVisible(); }

    QTemporaryDir tmp;
    platform::ScriptedDesktop desktop;
    std::unique_ptr<shell::Application> app;
};

} // namespace results_ui_test
