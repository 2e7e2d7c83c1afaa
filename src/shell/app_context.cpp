#include "shell/app_context.h"

#include <QDir>

namespace shell {

QString AppContext::programFile(const QString &name) const
{
    return QDir(programDir).filePath(name);
}

} // namespace shell
