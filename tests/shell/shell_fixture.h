#pragma once

#include "platform/scripted_desktop.h"
#include "shell/application.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A program started in a temporary folder: an executable folder without a
// database, a per-user data folder that does not exist yet and a settings
// file of its own.
class ShellFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        QDir(tmp.path()).mkpath(QStringLiteral("exe"));
        options.exeDir = path(QStringLiteral("exe"));
        options.userDataDir = path(QStringLiteral("data/Pinora32"));
        options.settingsFile = path(QStringLiteral("Pinora32.ini"));
    }

    void TearDown() override
    {
        app.reset();
        QDir::setCurrent(QDir::tempPath());
    }

    QString path(const QString &name) const { return QDir(tmp.path()).filePath(name); }
    QString dataFile(const QString &name) const { return QDir(options.userDataDir).filePath(name); }

    shell::Application::StartResult start()
    {
        app = std::make_unique<shell::Application>(desktop, options);
        return app->start();
    }

    QTemporaryDir tmp;
    shell::StartOptions options;
    platform::ScriptedDesktop desktop;
    std::unique_ptr<shell::Application> app;
};
