#pragma once

#include <QString>

namespace text {

// Folds a table, field or query name so that two spellings the database
// treats as one name compare equal: letter case and character width are
// ignored ("優p" = "優Ｐ", "ｽﾍﾟｱﾐｽ" = "スペアミス", "選手id" = "選手ID").
QString foldName(const QString &name);

} // namespace text
