#pragma once

#include <QString>

namespace store {

class Database;

// Rolls back unless commit() was called. Inside another open transaction it
// becomes a SAVEPOINT, so guards nest.
class Transaction
{
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    Database &m_db;
    QString m_savepoint;
    bool m_done = false;
};

} // namespace store
