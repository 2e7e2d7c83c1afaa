#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <stdexcept>

namespace text {

// The errors of the text layer: Shift_JIS conversion, files and the item
// format of Write/Input. what() holds the whole message in UTF-8.
class TextError : public std::runtime_error
{
public:
    explicit TextError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// A character that Shift_JIS (CP932) cannot hold.
class EncodingError : public TextError
{
public:
    EncodingError(const QString &character, qsizetype position)
        : TextError(QStringLiteral("character \"%1\" (U+%2) at position %3 cannot be written in Shift_JIS")
                        .arg(character)
                        .arg(character.isEmpty() ? 0u : character.toUcs4().value(0), 4, 16, QLatin1Char('0'))
                        .arg(position))
        , m_character(character)
        , m_position(position)
    {
    }
    const QString &character() const { return m_character; }
    qsizetype position() const { return m_position; }

private:
    QString m_character;
    qsizetype m_position;
};

// Bytes that are not valid Shift_JIS (CP932). line is 1-based (0 when the
// bytes did not come from a file), offset counts bytes from the start.
class DecodingError : public TextError
{
public:
    DecodingError(const QByteArray &bytes, qsizetype offset, int line = 0)
        : TextError(
            QStringLiteral("bytes %1 at %2 are not valid Shift_JIS")
                .arg(QString::fromLatin1(bytes.toHex(' ')),
                    line > 0 ? QStringLiteral("line %1").arg(line) : QStringLiteral("offset %1").arg(offset)))
        , m_bytes(bytes)
        , m_offset(offset)
        , m_line(line)
    {
    }
    const QByteArray &bytes() const { return m_bytes; }
    qsizetype offset() const { return m_offset; }
    int line() const { return m_line; }

private:
    QByteArray m_bytes;
    qsizetype m_offset;
    int m_line;
};

// A file that cannot be opened, read, written or committed.
class FileError : public TextError
{
public:
    FileError(const QString &path, const QString &reason)
        : TextError(QStringLiteral("%1: %2").arg(path, reason))
        , m_path(path)
    {
    }
    const QString &path() const { return m_path; }

private:
    QString m_path;
};

// Malformed Write/Input items (line is 1-based).
class InputError : public TextError
{
public:
    InputError(int line, const QString &reason)
        : TextError(QStringLiteral("line %1: %2").arg(line).arg(reason))
        , m_line(line)
    {
    }
    int line() const { return m_line; }

private:
    int m_line;
};

} // namespace text
