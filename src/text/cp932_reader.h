#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace text {

// Reads a Shift_JIS (CP932) text file back line by line. The file is read
// whole when the reader is made (FileError when it cannot be); each line is
// decoded when it is read, so a line that is not valid Shift_JIS throws
// DecodingError (with its line number) and the lines before it stay read.
// Lines end at CR LF, and also at a lone CR or LF.
class Cp932Reader
{
public:
    explicit Cp932Reader(const QString &path);

    bool atEnd() const;
    // The next line without its line end; FileError past the end.
    QString readLine();
    // The rest of the file as one text, line ends kept as they stand.
    QString readAll();
    // The number of the line readLine() returns next (1-based).
    int lineNumber() const { return m_line; }

    // Every line of a file.
    static QStringList readLines(const QString &path);

private:
    QString m_path;
    QByteArray m_bytes;
    qsizetype m_pos = 0;
    int m_line = 1;
};

} // namespace text
