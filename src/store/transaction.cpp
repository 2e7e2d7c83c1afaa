#include "store/transaction.h"

#include "store/database.h"

using namespace Qt::StringLiterals;

namespace store {

Transaction::Transaction(Database &db) : m_db(db)
{
    if (db.inTransaction()) {
        // Named after the guard itself: unique among the guards alive.
        m_savepoint = u"sp"_s + QString::number(quintptr(this), 16);
        db.exec(u"SAVEPOINT "_s + m_savepoint);
    } else {
        db.exec(u"BEGIN"_s);
    }
}

Transaction::~Transaction()
{
    if (m_done || !m_db.isOpen())
        return;
    try {
        if (m_savepoint.isEmpty()) {
            if (m_db.inTransaction())
                m_db.exec(u"ROLLBACK"_s);
        } else {
            m_db.exec(u"ROLLBACK TO "_s + m_savepoint);
            m_db.exec(u"RELEASE "_s + m_savepoint);
        }
    } catch (const Error &) {
        // A destructor must not throw; SQLite has already rolled back when
        // the rollback itself fails.
    }
}

void Transaction::commit()
{
    if (m_done)
        return;
    m_db.exec(m_savepoint.isEmpty() ? u"COMMIT"_s : u"RELEASE "_s + m_savepoint);
    m_done = true;
}

} // namespace store
