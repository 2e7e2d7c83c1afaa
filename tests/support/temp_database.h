#pragma once

#include "store/database.h"
#include "support/qt_printers.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace support {

// A new database file made by the store's own create function in a
// temporary folder that is removed with the object.
class TempDatabase
{
public:
    TempDatabase();
    store::Database &db() { return m_db; }
    QString path() const;
    // A path in the same temporary folder, for files a test writes.
    QString filePath(const QString &name) const;

private:
    QTemporaryDir m_dir;
    store::Database m_db;
};

// GoogleTest fixture holding a TempDatabase.
class DatabaseTest : public ::testing::Test
{
protected:
    store::Database &db() { return m_temp.db(); }
    TempDatabase &temp() { return m_temp; }

private:
    TempDatabase m_temp;
};

} // namespace support
