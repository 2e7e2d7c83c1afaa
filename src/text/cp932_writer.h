#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QFileDevice;

namespace text {

// Writes a Shift_JIS (CP932) text file line by line, each line ended by
// CR LF. Errors are thrown: FileError when the file cannot be opened or
// written, EncodingError for a character CP932 cannot hold (nothing of that
// line is written).
class Cp932Writer
{
public:
    enum class Mode {
        Replace, // start the file anew
        Append, // add to its end (creating it when missing)
        Atomic, // write a new file beside it; it replaces the old one only on close()
    };

    explicit Cp932Writer(const QString &path, Mode mode = Mode::Replace);
    // Closes the file; an Atomic file not yet closed is discarded, so the
    // old file stays as it was.
    ~Cp932Writer();
    Cp932Writer(const Cp932Writer &) = delete;
    Cp932Writer &operator=(const Cp932Writer &) = delete;
    Cp932Writer(Cp932Writer &&) noexcept = default;
    Cp932Writer &operator=(Cp932Writer &&) noexcept = default;

    void writeLine(const QString &line);
    // Text without a line end (the line goes on with the next write).
    void write(const QString &text);
    // Flushes and closes; an Atomic file then takes the place of the old one.
    void close();

    const QString &path() const { return m_path; }

private:
    void writeBytes(const QByteArray &bytes);

    QString m_path;
    Mode m_mode;
    std::unique_ptr<QFileDevice> m_file;
};

// The whole file at once, safely: the old file is only replaced when every
// line was written.
void writeCp932File(const QString &path, const QStringList &lines);

} // namespace text
