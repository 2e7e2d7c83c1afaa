#include "text/name_fold.h"

namespace text {

QString foldName(const QString &name)
{
    // NFKC maps full-width Latin to ASCII and half-width katakana (with their
    // separate voiced marks) to the composed full-width forms.
    return name.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

} // namespace text
