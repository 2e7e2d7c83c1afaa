#include "support/temp_database.h"

using namespace Qt::StringLiterals;

namespace support {

TempDatabase::TempDatabase()
{
    if (!m_dir.isValid())
        throw store::Error(u"no temporary folder"_s);
    m_db.create(path());
}

QString TempDatabase::path() const
{
    return m_dir.filePath(u"Pinora.mdb"_s);
}

QString TempDatabase::filePath(const QString &name) const
{
    return m_dir.filePath(name);
}

} // namespace support
