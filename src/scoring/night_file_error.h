#pragma once

#include <QString>

#include <stdexcept>

namespace scoring {

// A file that cannot be read as a data or backup file: not a data file, cut
// short, a value of the wrong type or out of range. detail() says what was
// wrong (for a log); the user is only shown user_text().
class Night_file_error : public std::runtime_error
{
public:
    explicit Night_file_error(const QString &detail)
        : std::runtime_error(detail.toStdString())
        , detail_(detail)
    {
    }

    const QString &detail() const { return detail_; }

    // "この名前で保存されたファイルはデータファイルではありません"
    static QString user_text()
    {
        return QStringLiteral("この名前で保存されたファイルはデータファイルではありません");
    }

private:
    QString detail_;
};

} // namespace scoring
