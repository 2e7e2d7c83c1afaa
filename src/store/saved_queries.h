#pragma once

#include <QStringList>

namespace store {

// CREATE statements of the saved queries (SQLite views, made where missing)
// and of the INSTEAD OF triggers of the ones screens write through.
QStringList savedQueryStatements();

} // namespace store
