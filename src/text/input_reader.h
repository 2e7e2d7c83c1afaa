#pragma once

#include <QList>
#include <QString>

#include <limits>

namespace text {

// One item as read by the platform's Input # statement.
struct InputItem
{
    QString text; // without its quotes
    bool quoted; // whether it stood in double quotes
    int line; // 1-based line it came from
};

// Reads items back as the platform's Input # statement does, from the text
// of a whole file or of one line: an item ends at a comma or a line end;
// blanks before an item, blank lines and a line end after a comma are
// skipped; an unquoted item loses its trailing blanks; a quoted item is the
// text between its quotes (a doubled quote stands for one). Malformed input
// throws InputError with the line number.
class InputReader
{
public:
    explicit InputReader(const QString &text);

    // True when only blanks and line ends are left.
    bool atEnd();

    InputItem readItem();
    // The next item as text (quoted or not).
    QString readString();
    // The next item as a whole number in [min, max], written unquoted.
    int readInt(int min = std::numeric_limits<int>::min(), int max = std::numeric_limits<int>::max());
    // The next item as a number, written unquoted (5, -3, 1.5, .5, 1E+20).
    double readNumber();
    // The next item as #TRUE# or #FALSE#.
    bool readBoolean();

    // The line the next item is read from (1-based).
    int lineNumber() const { return m_line; }

    // The items of a Shift_JIS file (FileError, DecodingError as Cp932Reader).
    static InputReader fromFile(const QString &path);
    // Every item of a text.
    static QList<InputItem> readItems(const QString &text);

private:
    void skipSpace();
    bool atLineEnd() const;
    void takeLineEnd();

    QString m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};

} // namespace text
